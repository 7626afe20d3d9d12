// The desktop program: start-up, the loop that sleeps until each event comes
// (the front end's waitForEvent) and runs a pass for it, and the teardown. A
// front end that cannot block (the browser build) leaves this file out and
// drives the passes itself.
#pragma once

// Runs the passes until the window is closed or the quit key is pressed.
void runMainLoop();

// The whole program, with the front end chosen (front_end.h): returns its exit
// status (see startGame and endGame).
int runGame(int argc, char **argv);
