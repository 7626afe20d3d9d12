#include "1-app/front_end.h"

#include "3-audio/music.h"

namespace {

const FrontEnd none = {};
const FrontEnd *chosen = &none;

} // namespace

void useFrontEnd(const FrontEnd &table) {
    chosen = &table;
    // The music module sits below the application: it gets its loader as a value.
    useMusicFromFile(table.musicFromFile);
}

const FrontEnd &frontEnd() {
    return *chosen;
}
