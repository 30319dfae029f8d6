#pragma once

// The maker's addresses and the editions' one-word web ids, chosen when the program is built
// (the CMake cache variables ORBIMETEO_WEB_SITE, ORBIMETEO_CONTACT_EMAIL,
// ORBIMETEO_WEB_ID_CLOUD_PANE and ORBIMETEO_WEB_ID_GLOBE_GLOW). Printable ASCII; an address the
// build does not set is empty.
namespace BuildOptions {
const char* WebSite();
const char* ContactEmail();
const char* WebIdCloudPane();
const char* WebIdGlobeGlow();
} // namespace BuildOptions
