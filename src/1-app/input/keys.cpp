#include "1-app/input/keys.h"

#include "1-app/input/input_state.h"
#include "1-app/input/key_bindings.h"
#include "1-app/input/key_codes.h"
#include "1-app/input/player_actions.h"

bool translateKey(Game &game, const SDL_KeyboardEvent *event) {
    GameKey code = gameKeyFor(event->keysym.sym, event->keysym.mod);
    if (code < 0) {
        return false;
    }
    // The quit key ends the program whatever prompt is open.
    if (code == keyQuit) {
        return true;
    }
    Meaning meaning = meaningOfKey(game, event->keysym.sym, event->keysym.mod, code);
    if (meaning.action == noAction) {
        noteKeyWithoutCommand(event->keysym.sym);
    }
    // A key without a command still reaches the handler, which ignores it.
    performAction(game, meaning);
    return false;
}
