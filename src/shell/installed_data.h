// The demo world installed with the program: the last place the data lookup
// tries, so that an installed game runs out of the box.
#pragma once

#include <string>

// The installed demo world's folder; empty when the program has none.
std::string installedDemoDirectory();
