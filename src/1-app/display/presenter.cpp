#include "1-app/display/presenter.h"

#include "1-app/display/present.h"

namespace {

const PresenterCalls *chosen = nullptr;

} // namespace

void usePresenter(const PresenterCalls &calls) {
    chosen = &calls;
}

void readDesktopSize() {
    if (chosen != nullptr) {
        chosen->readDesktopSize();
    }
}

bool openDisplay(bool fullscreen) {
    return chosen != nullptr && chosen->open(fullscreen);
}

bool toggleFullscreen() {
    return chosen != nullptr && chosen->toggleFullscreen();
}

bool displayIsFullscreen() {
    return chosen != nullptr && chosen->isFullscreen();
}

void presentScreen() {
    if (chosen != nullptr) {
        chosen->present();
    }
}

void closeDisplay() {
    if (chosen != nullptr) {
        chosen->close();
    }
}
