// The program's icon: the demo world's hero sprite on a see-through ground,
// enlarged with the engine's Scale2x rules to the sizes desktops ask for.
#pragma once

#include <string>

// True for the sizes the icon is drawn in: 16, 32, 64, 128 and 256 pixels.
bool isIconSize(long size);

// Writes the icon as a size x size palette PNG. On failure returns false with a
// message naming the file in `problem`.
bool writeHeroIcon(const char *path, int size, std::string &problem);
