// Where the 640x400 frame goes in the window: the whole-number scale, the 4:3
// stretch, the video mode's size and the picture's place in it, for a window and
// for a full screen at the desktop's own resolution.
#pragma once

struct PictureLayout {
    int scale;  // the picture is 640 * scale columns wide
    int width;  // picture size in pixels
    int height; // 400 * scale, or 480 * scale when stretched to 4:3
    int left;   // the picture's top-left corner in the video mode
    int top;
    int modeWidth; // size of the video mode; black around the picture
    int modeHeight;
};

// Room left under a window for its frame and the desktop's panels.
const int windowFrameRoom = 80;

// Picture height for a scale: 400 rows per unit, 480 with the 4:3 stretch.
int pictureHeight(int scale, int aspect);

// The largest scale whose picture fits width x height; 1 when none does.
int fittingScale(int width, int height, int aspect);

// A window of the scale setting (0: the largest that fits the desktop with room
// for a window frame). A desktop of unknown size (0 x 0) counts as 640x400.
PictureLayout windowLayout(int scaleSetting, int aspect, int desktopWidth, int desktopHeight);

// The whole desktop at its own resolution, with the largest picture that fits
// centred in it.
PictureLayout fullscreenLayout(int aspect, int desktopWidth, int desktopHeight);

// fit=1: the largest picture of the frame's shape (16:10, 4:3 with aspect=1), of
// any size, that fits width x height, centred in a mode of that size; scale is
// its whole part. A window is as large as its picture (fitted into the desktop
// with room for a window frame), a full screen the desktop's size.
PictureLayout fittedLayout(int aspect, int width, int height);
PictureLayout fittedWindowLayout(int aspect, int desktopWidth, int desktopHeight);
