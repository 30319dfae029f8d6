#pragma once
#include <string>

// The running edition's addresses, each made on first use and kept. Main thread only; a
// failure to find the program's folder throws.
namespace WebSite {
// The maker's web site, or the installed read-me page when the build names none.
const std::wstring& Address();
// The edition's product page, which "Web Page" opens.
const std::wstring& ProductPage();
} // namespace WebSite
