#include "1-app/display/presenter.h"

#include "1-app/display/present.h"
#include "1-app/front_end.h"
#include "3-gfx/screen.h"

namespace {

const PresenterCalls *chosen() {
    return frontEnd().presenter;
}

} // namespace

void readDesktopSize() {
    if (chosen() != nullptr) {
        chosen()->readDesktopSize();
    }
}

bool openDisplay(bool fullscreen) {
    if (chosen() == nullptr || !chosen()->open(fullscreen)) {
        return false;
    }
    // From now on the console's scroll steps reach the display too.
    useScreenHooks(chosen()->present, chosen()->pause);
    return true;
}

bool toggleFullscreen() {
    return chosen() != nullptr && chosen()->toggleFullscreen();
}

bool displayIsFullscreen() {
    return chosen() != nullptr && chosen()->isFullscreen();
}

void presentScreen() {
    if (chosen() != nullptr) {
        chosen()->present();
    }
}

void displayExposed() {
    if (chosen() != nullptr && chosen()->exposed != nullptr) {
        chosen()->exposed();
    }
}

void closeDisplay() {
    useScreenHooks(nullptr, nullptr);
    if (chosen() != nullptr) {
        chosen()->close();
    }
}
