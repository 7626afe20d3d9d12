#include "1-app/desktop_front_end.h"

#include "1-app/display/desktop_presenter.h"
#include "1-app/display/error_window.h"
#include "1-app/display/screenshot.h"
#include "1-app/display/video_start.h"
#include "1-app/run/event_wait.h"
#include "1-app/saves/save_store.h"

const FrontEnd desktopFrontEnd = {
    startVideo,          // only x11 unless a driver is named
    &desktopPresenter,   // on an SDL video mode
    writeScreenshotFile, // a PNG file in the screenshot folder
    streamMusicFromFile, // SDL_mixer streams from the file
    &saveFiles,          // files under $XDG_DATA_HOME/varnok/saves/
    showErrorWindow,     // a small window, under --error-window
    waitForEvent,        // sleeps on the X11 connection
};
