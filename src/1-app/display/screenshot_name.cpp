#include "1-app/display/screenshot_name.h"

#include <SDL.h>
#include <cstdio>

#include "1-app/display/overlays.h"
#include "4-data/shown_text.h"

std::string screenshotName(time_t when, int n) {
    char stamp[32];
    struct tm local;
    localtime_r(&when, &local);
    strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = std::string("varnok-") + stamp;
    return name + (n > 1 ? "-" + std::to_string(n) : "") + ".png";
}

void announceScreenshot(const std::string &where) {
    printf("Screenshot saved: %s\n", shownText(where).c_str());
    fflush(stdout);
    showNotice("Screenshot saved", noticeTime);
}
