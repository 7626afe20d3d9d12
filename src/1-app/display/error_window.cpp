#include "1-app/display/error_window.h"

#include <SDL.h>
#include <cstring>

#include "1-app/display/video_start.h"
#include "3-gfx/glyphs.h"
#include "3-gfx/text_picture.h"

const char errorWindowNote[] = "Press any key to close this window.";

namespace {

const int widestRow = 76;      // characters in a row at most
const int fewestAtDouble = 60; // characters a row must hold for the font at scale 2
const char caption[] = "Varnok V";

// Opens every gamepad, so that its buttons reach the event queue.
std::vector<SDL_Joystick *> openGamepads() {
    std::vector<SDL_Joystick *> pads;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        return pads;
    }
    for (int i = 0; i < SDL_NumJoysticks(); i++) {
        SDL_Joystick *pad = SDL_JoystickOpen(i);
        if (pad != nullptr) {
            pads.push_back(pad);
        }
    }
    SDL_JoystickEventState(SDL_ENABLE);
    return pads;
}

void show(SDL_Surface *picture, SDL_Surface *window) {
    SDL_BlitSurface(picture, nullptr, window, nullptr);
    SDL_UpdateRect(window, 0, 0, 0, 0);
}

// Until a key, a gamepad button or the close button; the picture again whenever
// the window was covered.
void waitForTheReader(SDL_Surface *picture, SDL_Surface *window) {
    SDL_Event event;
    while (SDL_WaitEvent(&event) == 1 && !closesErrorWindow(event)) {
        if (event.type == SDL_VIDEOEXPOSE) {
            show(picture, window);
        }
    }
}

void showUntilClosed(const std::vector<std::string> &lines) {
    const SDL_VideoInfo *info = SDL_GetVideoInfo();
    ErrorLayout layout = layoutErrorWindow(lines, info != nullptr ? info->current_w : 0);
    SDL_Surface *picture = drawTextPicture(layout.rows, layout.scale, layout.noteRows);
    if (picture == nullptr) {
        return;
    }
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    SDL_WM_SetCaption(caption, nullptr);
    SDL_Surface *window =
        SDL_SetVideoMode(picture->w, picture->h, 0, SDL_SWSURFACE | SDL_ANYFORMAT);
    // The dummy driver shows nothing and sends nothing: waiting would never end.
    if (window != nullptr && strcmp(driver, "dummy") != 0) {
        std::vector<SDL_Joystick *> pads = openGamepads();
        show(picture, window);
        waitForTheReader(picture, window);
        for (SDL_Joystick *pad : pads) {
            SDL_JoystickClose(pad);
        }
    }
    SDL_FreeSurface(picture);
}

} // namespace

bool closesErrorWindow(const SDL_Event &event) {
    return event.type == SDL_KEYDOWN || event.type == SDL_JOYBUTTONDOWN || event.type == SDL_QUIT;
}

ErrorLayout layoutErrorWindow(const std::vector<std::string> &lines, int desktopWidth) {
    ErrorLayout layout = {1, {}, 0};
    int columns = widestRow;
    if (desktopWidth > 0) {
        // A cell of margin on either side.
        int atDouble = desktopWidth / (2 * glyphPixels) - 2;
        layout.scale = atDouble >= fewestAtDouble ? 2 : 1;
        int fits = desktopWidth / (layout.scale * glyphPixels) - 2;
        columns = fits < widestRow ? fits : widestRow;
    }
    layout.rows = wrapText(lines, columns);
    layout.rows.push_back("");
    std::vector<std::string> note = wrapText({errorWindowNote}, columns);
    layout.rows.insert(layout.rows.end(), note.begin(), note.end());
    layout.noteRows = (int)note.size();
    return layout;
}

void showErrorWindow(const std::vector<std::string> &lines) {
    if (startVideo(true)) {
        showUntilClosed(lines);
    }
    SDL_Quit();
}
