// F12 in the browser (1-app/screenshot.h's takeScreenshot): the frame, without
// overlays, offered as a PNG download; the browser writes the PNG, so the web
// build needs no PNG library and no folder.
#include <cstdio>
#include <ctime>
#include <vector>

#include "frame_rgba.h"
#include "page_calls.h"
#include "1-app/overlays.h"
#include "1-app/screenshot.h"
#include "1-app/video.h"

namespace {

const Uint32 noticeTime = 2000; // ms, as the native notice

} // namespace

bool takeScreenshot() {
    if (screen == nullptr) {
        return false;
    }
    char name[64];
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    strftime(name, sizeof name, "varnok-%Y%m%d-%H%M%S.png", &local);
    std::vector<uint32_t> pixels;
    frameToRgba(screen, pixels);
    webSaveScreenshot(pixels.data(), screen->w, screen->h, name);
    printf("Screenshot saved: %s\n", name);
    fflush(stdout);
    showNotice("Screenshot saved", noticeTime);
    return true;
}
