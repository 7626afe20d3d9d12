// The desktop's presenter: owns the video mode (a window or the whole desktop),
// the place of the picture in it and a copy of what it last showed, and
// enlarges the game's 8-bit `screen` into the window, sending only the changed
// rectangle. The desktop program chooses it at start (usePresenter).
#pragma once

#include "1-app/display/picture_layout.h"
#include "1-app/display/presenter.h"

extern const PresenterCalls desktopPresenter;

// Where the picture lies in the video mode now.
const PictureLayout &displayLayout();
