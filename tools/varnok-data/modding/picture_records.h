// The pictures of a decompressed picture file as export and import see them: the
// engine's records, whether a record gets a PNG, and the palette of a mode.
#pragma once

#include <SDL.h>
#include <string>
#include <vector>

#include "4-data/picture_records.h"
#include "formats/formats.h"

// The records of a picture file of mode 4 or 16, as the engine reads them (bytes
// past the end of the data read as 0).
std::vector<PictureRecord> pictureRecords(const Bytes &data, int mode, bool masked);

// The engine's picture budget (picture_budget.h) over the files of one colour
// mode: adds what this file declares to `held`, or false with the engine's
// reason, so that export and import refuse what the game would refuse before
// writing or reading a PNG for it.
bool withinPictureBudget(const Bytes &data, int mode, bool masked, int64_t &held,
                         std::string &problem);

// Whether export gives a record a PNG: a picture with no pixels, or one that
// starts past the end of the data, has none, and import leaves its record as is.
bool pictureHasPng(const PictureRecord &record, size_t dataSize);

// The palette of a colour mode: 4 or 16 colours.
std::vector<SDL_Color> modeColours(int mode);
