#include "web_front_end.h"

#include "web_presenter.h"
#include "web_saves.h"

const FrontEnd webFrontEnd = {
    startPageVideo,     // SDL's own start: the canvas is the display
    &webPresenter,      // the frame on the canvas once, at the end of each pass
    downloadScreenshot, // the browser writes the PNG
    musicFromBytes,     // the bytes (64 MiB at most) to emscripten's mixer
    &pageSaves,         // the page's local storage
    nullptr,            // no error window: the page shows the error state
    nullptr,            // no wait: the page's loop hands each pass its events
};
