// The save store of the browser build: the page's local storage (web_saves.cpp).
#pragma once

#include "1-app/saves/save_store.h"

extern const SaveStore pageSaves;
