#include "1-app/input/player_actions.h"

#include "1-app/display/overlays.h"
#include "1-app/saves/save_game.h"
#include "2-play/input_stack.h"
#include "2-play/prompts.h"
#include "3-gfx/console.h"

namespace {

bool quitAnswered = false;

void giveToHandler(GameKey code) {
    if (code >= 0 && inputStackDepth() > 0) {
        InputHandlerFn handler = topHandler();
        handler(code, topArgument());
    }
}

void confirmQuit() {
    quitAnswered = true;
}

// Only from the command handler: a command's own question is answered first.
void askQuit() {
    if (currentContext() != inCommands) {
        showNotice("Answer first", noticeTime);
        return;
    }
    consolePrint(1, "Quit? (y/n) ");
    askYesNo(confirmQuit);
}

} // namespace

void performAction(const Meaning &meaning) {
    switch (meaning.action) {
    case noAction:
    case giveGameKey:
        giveToHandler(meaning.code);
        break;
    case saveAction:
        saveKey();
        break;
    case loadAction:
        loadKey();
        break;
    case keysListAction:
        showKeysOverlay();
        break;
    case quitAction:
        askQuit();
        break;
    }
}

bool quitConfirmed() {
    return quitAnswered;
}

void forgetQuit() {
    quitAnswered = false;
}
