// Timers for the browser build. Emscripten's SDL_AddTimer fires once; the
// engine's tick timer must fire every 250 ms, so the web build keeps its own
// timers and the page's pass runs those that are due, on the one thread there is.
#pragma once

// Runs the callback of every timer whose time has come, once each (a late timer
// does not catch up), and keeps or removes it by the interval the callback gives.
void runDueTimers();
