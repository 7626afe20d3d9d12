#include "shell/animation.h"

uint16_t animationFrame = 0;
