// F12 in the browser (the table's saveScreenshot): the frame, without overlays,
// offered as a PNG download under the screenshot's name; the browser writes the
// PNG, so the web build needs no PNG library and no folder.
#include <ctime>
#include <string>
#include <vector>

#include "1-app/display/screenshot_name.h"
#include "1-app/display/video.h"
#include "frame_rgba.h"
#include "page_calls.h"
#include "web_front_end.h"

bool downloadScreenshot() {
    if (screen == nullptr) {
        return false;
    }
    // The browser's downloads make their own names unique.
    std::string name = screenshotName(time(nullptr), 1);
    std::vector<uint32_t> pixels;
    frameToRgba(screen, pixels);
    webSaveScreenshot(pixels.data(), screen->w, screen->h, name.c_str());
    announceScreenshot(name);
    return true;
}
