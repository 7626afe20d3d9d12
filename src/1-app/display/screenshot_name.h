// What every front end's screenshot has in common: the file's name and what the
// player is told once it is saved. Writing it is each front end's own (a PNG
// file in the screenshot folder, screenshot.cpp; a download in the browser).
#pragma once

#include <ctime>
#include <string>

// "varnok-YYYYMMDD-HHMMSS.png" for the local time `when`; the n-th name of the
// same second (n > 1) ends "-n.png".
std::string screenshotName(time_t when, int n);

// "Screenshot saved: <where>" on standard output and the notice over the frame.
void announceScreenshot(const std::string &where);
