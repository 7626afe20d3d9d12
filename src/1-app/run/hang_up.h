// The desktop game's ends that come from outside: a terminal that hangs up
// (SIGHUP) and a display connection that is lost. With autosave=1 both still
// save the game, as closing the window does.
#pragma once

// Catches SIGHUP (the loop then ends as if the window were closed) and the loss
// of the X display (lastWords runs before the program ends, as it must then).
void endGracefullyOnHangUp(void (*lastWords)());

// True once SIGHUP has arrived.
bool hangUpArrived();
