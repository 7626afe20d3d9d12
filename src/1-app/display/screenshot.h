// The desktop's screenshots: the 640x400 frame in `screen`, without overlays,
// written as an indexed PNG with the frame's palette into the screenshot folder,
// never over an existing file.
#pragma once

#include <ctime>
#include <string>

// F12 on the desktop (its table's saveScreenshot): saves the frame, prints
// "Screenshot saved: <path>" on standard output and shows a notice; a folder that
// cannot be made or written gives one line on standard error and nothing else
// happens. Returns true when the file was written.
bool writeScreenshotFile();

// The screenshot setting, else $XDG_DATA_HOME/varnok/screenshots, else
// $HOME/.local/share/varnok/screenshots (a relative XDG_DATA_HOME is ignored).
std::string screenshotFolder();

// Creates a new empty file varnok-YYYYMMDD-HHMMSS.png in folder for the local time
// `when`, or the same name with -2, -3 ... when that exists, and leaves it open for
// writing in fd: the file written is the one created, never one put there since.
// Returns its path, or "" with problem set.
std::string createScreenshotFile(const std::string &folder, time_t when, std::string &problem,
                                 int &fd);
