#include "2-play/prompts.h"

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

void yesNoPrompt(GameKey key, intptr_t onYes) {
    if (isYesAnswer(key)) {
        consolePrint(1, "Yes\n\n");
        popInputHandler();
        // The action prints the rest of the answer.
        YesAction action = reinterpret_cast<YesAction>(onYes);
        if (action != nullptr) {
            action();
        }
    } else if (isNoAnswer(key)) {
        consolePrint(0, "No\n\n");
        popInputHandler();
    }
}

void directionPrompt(GameKey key, intptr_t onDirection) {
    const DirectionStep *step = directionStep(key);
    if (step != nullptr) {
        popInputHandler();
        consolePrint(1, "%s\n", step->word);
        DirectionAction action = reinterpret_cast<DirectionAction>(onDirection);
        if (action != nullptr) {
            action(key);
        }
    } else if (key == keyPass) {
        consolePrint(0, "Pass\n\n");
        popInputHandler();
        advanceClock();
    }
    // Any other key, Esc included, leaves the prompt open: only space cancels it.
}

void askYesNo(YesAction onYes) {
    pushInputHandler(yesNoPrompt, reinterpret_cast<intptr_t>(onYes));
}

void askDirection(DirectionAction onDirection) {
    pushInputHandler(directionPrompt, reinterpret_cast<intptr_t>(onDirection));
}
