// The people of the demo world's settlements: for each family file its 8
// records, one per settlement, with people on walkable cells of their floors.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/formats.h"

// The 8 records of a family's character file (MapKind 2-5). `levels` is the
// family's map (16 x 1024 tiles), used to stand people on walkable cells.
std::vector<SettlementPeople> buildSettlementPeople(uint8_t family,
                                                    const std::vector<uint8_t> &levels);
