#include "2-play/prompts.h"

#include "2-play/game.h"

#include "2-play/clock.h"
#include "2-play/directions.h"
#include "2-play/input_stack.h"
#include "3-gfx/console.h"

bool isYesAnswer(GameKey key) {
    return key == keyYes;
}

bool isNoAnswer(GameKey key) {
    return key == keyNo || key == keyEscape;
}

bool answersDirectionPrompt(GameKey key) {
    return directionStep(key) != nullptr || key == keyPass;
}

void yesNoPrompt(Game &game, GameKey key, intptr_t onYes) {
    if (isYesAnswer(key)) {
        consolePrint(1, "Yes\n\n");
        popInputHandler(game.inputStack);
        // The action prints the rest of the answer.
        YesAction action = reinterpret_cast<YesAction>(onYes);
        if (action != nullptr) {
            action(game);
        }
    } else if (isNoAnswer(key)) {
        consolePrint(0, "No\n\n");
        popInputHandler(game.inputStack);
    }
}

void directionPrompt(Game &game, GameKey key, intptr_t onDirection) {
    const DirectionStep *step = directionStep(key);
    if (step != nullptr) {
        popInputHandler(game.inputStack);
        consolePrint(1, "%s\n", step->word);
        DirectionAction action = reinterpret_cast<DirectionAction>(onDirection);
        if (action != nullptr) {
            action(game, key);
        }
    } else if (key == keyPass) {
        consolePrint(0, "Pass\n\n");
        popInputHandler(game.inputStack);
        advanceClock(game);
    }
    // Any other key, Esc included, leaves the prompt open: only space cancels it.
}

void askYesNo(Game &game, YesAction onYes) {
    pushInputHandler(game.inputStack, yesNoPrompt, reinterpret_cast<intptr_t>(onYes));
}

void askDirection(Game &game, DirectionAction onDirection) {
    pushInputHandler(game.inputStack, directionPrompt, reinterpret_cast<intptr_t>(onDirection));
}
