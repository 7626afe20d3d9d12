#include "1-app/display/picture_layout.h"

#include <cstdint>

#include "1-app/display/video.h"

namespace {

const int stretchedHeight = 480; // 400 rows shown at 4:3

void knownDesktop(int &width, int &height) {
    if (width <= 0 || height <= 0) {
        width = screenWidth;
        height = screenHeight;
    }
}

PictureLayout layoutAt(int scale, int aspect) {
    PictureLayout layout;
    layout.scale = scale;
    layout.width = screenWidth * scale;
    layout.height = pictureHeight(scale, aspect);
    layout.left = 0;
    layout.top = 0;
    layout.modeWidth = layout.width;
    layout.modeHeight = layout.height;
    return layout;
}

} // namespace

int pictureHeight(int scale, int aspect) {
    return (aspect == 1 ? stretchedHeight : screenHeight) * scale;
}

int fittingScale(int width, int height, int aspect) {
    int scale = 1;
    while (screenWidth * (scale + 1) <= width && pictureHeight(scale + 1, aspect) <= height) {
        scale++;
    }
    return scale;
}

PictureLayout windowLayout(int scaleSetting, int aspect, int desktopWidth, int desktopHeight) {
    knownDesktop(desktopWidth, desktopHeight);
    int scale = scaleSetting;
    if (scale <= 0) {
        scale = fittingScale(desktopWidth, desktopHeight - windowFrameRoom, aspect);
    }
    return layoutAt(scale, aspect);
}

PictureLayout fittedLayout(int aspect, int width, int height) {
    knownDesktop(width, height);
    int shapeHeight = pictureHeight(1, aspect);
    PictureLayout layout = layoutAt(1, aspect);
    layout.width = width;
    layout.height = (int)((int64_t)width * shapeHeight / screenWidth);
    if (layout.height > height) {
        layout.height = height;
        layout.width = (int)((int64_t)height * screenWidth / shapeHeight);
    }
    layout.scale = layout.width / screenWidth > 1 ? layout.width / screenWidth : 1;
    layout.modeWidth = width;
    layout.modeHeight = height;
    layout.left = (width - layout.width) / 2;
    layout.top = (height - layout.height) / 2;
    return layout;
}

PictureLayout fittedWindowLayout(int aspect, int desktopWidth, int desktopHeight) {
    knownDesktop(desktopWidth, desktopHeight);
    PictureLayout layout = fittedLayout(aspect, desktopWidth, desktopHeight - windowFrameRoom);
    layout.modeWidth = layout.width;
    layout.modeHeight = layout.height;
    layout.left = 0;
    layout.top = 0;
    return layout;
}

PictureLayout fullscreenLayout(int aspect, int desktopWidth, int desktopHeight) {
    knownDesktop(desktopWidth, desktopHeight);
    PictureLayout layout = layoutAt(fittingScale(desktopWidth, desktopHeight, aspect), aspect);
    // A desktop smaller than the frame keeps the whole frame: the mode grows instead.
    layout.modeWidth = desktopWidth > layout.width ? desktopWidth : layout.width;
    layout.modeHeight = desktopHeight > layout.height ? desktopHeight : layout.height;
    layout.left = (layout.modeWidth - layout.width) / 2;
    layout.top = (layout.modeHeight - layout.height) / 2;
    return layout;
}
