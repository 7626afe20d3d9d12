// The present hook: drawing code calls it to put what is in `screen` on the
// display now (the main loop once per pass, the console at each scroll step).
#pragma once

// Shows `screen`, enlarged and with any overlay, in the window or full screen.
// Does nothing before the display is open or when nothing changed since the last
// call.
void presentScreen();
