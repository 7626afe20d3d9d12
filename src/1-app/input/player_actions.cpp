#include "1-app/input/player_actions.h"

#include "1-app/display/overlays.h"
#include "1-app/saves/save_game.h"
#include "2-play/game.h"
#include "2-play/input_stack.h"
#include "2-play/prompts.h"
#include "3-gfx/console.h"

namespace {

void giveToHandler(Game &game, GameKey code) {
    InputHandlerFn handler = topHandler(game.inputStack);
    if (code >= 0 && handler != nullptr) {
        handler(game, code, topArgument(game.inputStack));
    }
}

void confirmQuit(Game &game) {
    game.quitConfirmed = true;
}

// Only from the command handler: a command's own question is answered first.
void askQuit(Game &game) {
    if (currentContext(game) != inCommands) {
        showNotice("Answer first", noticeTime);
        return;
    }
    consolePrint(1, "Quit? (y/n) ");
    askYesNo(game, confirmQuit);
}

} // namespace

void performAction(Game &game, const Meaning &meaning) {
    switch (meaning.action) {
    case noAction:
    case giveGameKey:
    case displayAction: // the display answers its keys before the game sees them
        giveToHandler(game, meaning.code);
        break;
    case saveAction:
        saveKey(game);
        break;
    case loadAction:
        loadKey(game);
        break;
    case keysListAction:
        showKeysOverlay();
        break;
    case quitAction:
        askQuit(game);
        break;
    }
}
