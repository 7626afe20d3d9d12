// The program's icon: the demo world's hero sprite on a see-through ground,
// enlarged with the engine's Scale2x rules (and Scale3x for 48 pixels) to the
// sizes desktops ask for.
#pragma once

#include <string>

// The sizes the icon is drawn in, for messages: "16, 32, 48, 64, 128, 192, 256 or 512".
extern const char iconSizeList[];

// True for the sizes of iconSizeList.
bool isIconSize(long size);

// Writes the icon as a size x size palette PNG. On failure returns false with a
// message naming the file in `problem`.
bool writeHeroIcon(const char *path, int size, std::string &problem);
