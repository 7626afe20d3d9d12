// The browser build's presenter: the engine's present calls only mark the frame
// as wanted, and the pass shows it once, at its end, on the canvas (a page
// shows nothing before its script returns, so earlier copies would be wasted).
#pragma once

#include "1-app/display/presenter.h"

// The page's presenter, in its front end's table (web_front_end.h).
extern const PresenterCalls webPresenter;

// Puts the frame, with any overlay, on the canvas when a present was asked for
// since the last call and the picture changed.
void showWantedFrame();
