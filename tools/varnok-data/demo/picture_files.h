// The 25 picture files of the demo world: which pictures each holds, painted in
// 16 colours; the 4-colour files hold the same pictures with mapped colours.
#pragma once

#include <string>
#include <vector>

#include "4-data/file_formats.h"
#include "formats/formats.h"

// The pictures of file k in 16 colours (masks filled for the masked files).
std::vector<Picture> picturesOfFile(int k);

// The same pictures with every colour index mapped to the 4-colour palette.
std::vector<Picture> fourColourPictures(const std::vector<Picture> &pictures);
