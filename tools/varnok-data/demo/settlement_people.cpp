#include "settlement_people.h"

#include "level_painter.h"
#include "rng.h"
#include "sprite_art.h"
#include "world_places.h"

namespace {

// How many people stand on the entry level and on each other level.
struct Crowd {
    int onEntry;
    int elsewhere;
};

Crowd crowdOf(PlaceKind kind) {
    switch (kind) {
    case kindTown:
        return {10, 4};
    case kindCastle:
        return {9, 4};
    case kindKeep:
        return {8, 3};
    case kindVillage:
        return {8, 0};
    case kindHut:
        return {2, 0};
    default:
        return {3, 2};
    }
}

// Sprite of the k-th person of a settlement of this kind.
uint8_t spriteFor(PlaceKind kind, int k) {
    static const int castleFolk[] = {8, 11, 23, 24, 9, 16, 21, 17};
    static const int villageCreatures[] = {131, 132, 134, 133, 129, 150, 151, 152};
    static const int keepCreatures[] = {143, 135, 136, 141, 144, 140, 155, 159};
    static const int hermits[] = {6, 14, 27, 12};
    static const int keepers[] = {13, 4, 29, 0};
    switch (kind) {
    case kindTown:
        return (uint8_t)(k % 5 == 4 ? guardSprite(k) : townsfolkSprite(k * 7 + 3));
    case kindCastle:
        return (uint8_t)(k % 3 == 0 ? guardSprite(k) : castleFolk[k % 8] + 32 * (k % 2));
    case kindKeep:
        return (uint8_t)(k % 2 == 0 ? guardSprite(k) : keepCreatures[k % 8]);
    case kindVillage:
        return (uint8_t)(k % 3 == 2 ? villageCreatures[k % 8] : townsfolkSprite(k * 5 + 1));
    case kindHut:
        return (uint8_t)(k == 0 ? hermits[k % 4] + 32 : 128); // the hermit and a cat
    default:
        return (uint8_t)(k == 0 ? 13 : keepers[k % 4] + 64);
    }
}

bool taken(const SettlementPeople &record, int column, int row, uint8_t floor) {
    for (const PersonSpec &person : record.people) {
        if (person.type != 0 && person.column == column && person.row == row &&
            person.floor == floor) {
            return true;
        }
    }
    return false;
}

// Finds a free standing cell on a level; false when none is found. The way in
// from the gate stays clear, and above or below the entry level people keep
// inside the walls.
bool findSpot(Rng &rng, const uint8_t *level, const SettlementPeople &record, uint8_t floor,
              int &column, int &row) {
    for (int attempt = 0; attempt < 400; ++attempt) {
        column = randomBetween(rng, 1, 30);
        row = randomBetween(rng, 1, 29);
        bool gateway = column >= 13 && column <= 17 && row >= 26;
        bool outside = column < 3 || column > 28 || row < 3 || row > 28;
        if (!gateway && !(floor != 0 && outside) && isStandingTile(level[row * 32 + column]) &&
            !taken(record, column, row, floor)) {
            return true;
        }
    }
    return false;
}

void addPerson(SettlementPeople &record, int slot, int column, int row, uint8_t floor,
               uint8_t type) {
    PersonSpec &person = record.people[slot];
    person.column = (uint8_t)column;
    person.row = (uint8_t)row;
    person.floor = floor;
    person.type = type;
    person.extra = 0;
}

SettlementPeople peopleOf(int place, const std::vector<uint8_t> &levels) {
    SettlementPeople record = {};
    int first, last;
    placeLevels(place, first, last);
    PlaceKind kind = placeKind(place);
    Crowd crowd = crowdOf(kind);
    int entry = entryLevel[place];
    Rng rng = makeRng(90000 + place);
    int slot = 1; // slot 0 is never shown: leave it empty
    if (place == 0) {
        // Fixed for the tour of the first town: a townsman two steps north-west of
        // the gate and a watchman on the wall walk above.
        addPerson(record, slot++, 13, 28, 0, (uint8_t)townsfolkSprite(0));
        addPerson(record, slot++, 16, 27, 1, (uint8_t)guardSprite(0));
    }
    int k = 0;
    for (int level = first; level <= last; ++level) {
        uint8_t floor = (uint8_t)(level - entry);
        int count = level == entry ? crowd.onEntry : crowd.elsewhere;
        const uint8_t *cells = levels.data() + (size_t)level * 1024;
        for (int i = 0; i < count && slot < 32; ++i) {
            int column, row;
            if (findSpot(rng, cells, record, floor, column, row)) {
                addPerson(record, slot++, column, row, floor, spriteFor(kind, k++));
            }
        }
    }
    return record;
}

} // namespace

std::vector<SettlementPeople> buildSettlementPeople(uint8_t family,
                                                    const std::vector<uint8_t> &levels) {
    std::vector<SettlementPeople> records(8);
    for (int place = 0; place < 32; ++place) {
        if (placeFamily(place) == family) {
            records[place % 8] = peopleOf(place, levels);
        }
    }
    return records;
}
