#include "3-gfx/graphics_store.h"

GraphicsStore graphicsStore = {};
