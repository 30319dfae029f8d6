#pragma once
#include "app/AppMode.h"

#include <string>

// The addresses the About box, "Feedback" and "Web Page" show and open.

// The file: address of a Windows path ("C:\Program Files\x.html" is
// "file:///C:/Program%20Files/x.html", "\\server\share\x" is "file://server/share/x"). The
// ASCII characters that would end or change an address are escaped; other characters stay as
// they are, as the shell expects.
std::wstring FileUrlOf(const std::wstring& path);

// The build's web site; when the build names none, the read-me page installed in the
// installation folder (which ends with a backslash).
std::wstring WebSiteOf(const std::wstring& configuredSite, const std::wstring& installationFolder);

// The edition's product page on the web site: site "?product=" id "&ref=app". A local page
// is the page itself, as a query has no meaning there.
std::wstring ProductPageOf(const std::wstring& webSite, const std::wstring& webId);

// The build's one-word web id of the edition.
std::wstring WebIdOf(EnumAppKind kind);

// The build's contact address; when it names none, a note saying so.
std::wstring ContactEmailText();

// An ASCII text of the build's choices as wide text.
std::wstring WidenAscii(const char* text);
