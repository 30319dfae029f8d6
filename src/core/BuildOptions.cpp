#include "core/BuildOptions.h"

// Only this file is compiled with the build's choices, so changing one rebuilds one file.
#ifndef ORBIMETEO_WEB_SITE
#define ORBIMETEO_WEB_SITE ""
#endif
#ifndef ORBIMETEO_CONTACT_EMAIL
#define ORBIMETEO_CONTACT_EMAIL ""
#endif
#ifndef ORBIMETEO_WEB_ID_CLOUD_PANE
#define ORBIMETEO_WEB_ID_CLOUD_PANE "cloudpane"
#endif
#ifndef ORBIMETEO_WEB_ID_GLOBE_GLOW
#define ORBIMETEO_WEB_ID_GLOBE_GLOW "globeglow"
#endif

const char* BuildOptions::WebSite() {
    return ORBIMETEO_WEB_SITE;
}

const char* BuildOptions::ContactEmail() {
    return ORBIMETEO_CONTACT_EMAIL;
}

const char* BuildOptions::WebIdCloudPane() {
    return ORBIMETEO_WEB_ID_CLOUD_PANE;
}

const char* BuildOptions::WebIdGlobeGlow() {
    return ORBIMETEO_WEB_ID_GLOBE_GLOW;
}
