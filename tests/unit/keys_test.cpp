#include <gtest/gtest.h>

#include <vector>

#include "1-app/keys.h"
#include "1-app/main_loop.h"
#include "1-app/overlays.h"
#include "1-app/shutdown.h"
#include "2-play/input_stack.h"

namespace {

struct Received {
    GameKey key;
    intptr_t argument;
    int handler;
};
std::vector<Received> received;

void lowerHandler(GameKey key, intptr_t argument) {
    received.push_back({key, argument, 1});
}

void upperHandler(GameKey key, intptr_t argument) {
    received.push_back({key, argument, 2});
}

SDL_Event keyDown(int sym, int mod) {
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = (SDLKey)sym;
    e.key.keysym.mod = (SDLMod)mod;
    return e;
}

class Keys : public ::testing::Test {
  protected:
    void SetUp() override {
        received.clear();
        pushInputHandler(lowerHandler, 7);
    }
    void TearDown() override {
        while (inputStackDepth() > 0) {
            popInputHandler();
        }
    }
    // Runs one key press through the loop's dispatch; returns what reached the handler.
    GameKey press(int sym, int mod = 0) {
        received.clear();
        SDL_Event e = keyDown(sym, mod);
        EXPECT_EQ(handleEvent(&e), 0);
        return received.empty() ? -1 : received.back().key;
    }
};

} // namespace

TEST_F(Keys, LettersTakeTheFirstModifierInShiftCtrlAltOrder) {
    EXPECT_EQ(press('a'), 97);
    EXPECT_EQ(press('z', KMOD_RSHIFT), 90);
    EXPECT_EQ(press('a', KMOD_LSHIFT | KMOD_LCTRL), 65);
    EXPECT_EQ(press('a', KMOD_RCTRL | KMOD_LALT), 1);
    EXPECT_EQ(press('a', KMOD_RALT), 225);
    EXPECT_EQ(press('a', KMOD_CAPS | KMOD_NUM | KMOD_LMETA), 97);
}

TEST_F(Keys, DirectionsAndDeletionKeys) {
    EXPECT_EQ(press(SDLK_UP), keyNorth);
    EXPECT_EQ(press(SDLK_LEFTBRACKET), keyNorth);
    EXPECT_EQ(press(SDLK_DOWN), keySouth);
    EXPECT_EQ(press(SDLK_RIGHT, KMOD_LSHIFT), keyEast);
    EXPECT_EQ(press(SDLK_LEFT), keyWest);
    EXPECT_EQ(press(SDLK_BACKSPACE), 8);
    EXPECT_EQ(press(SDLK_DELETE), 8);
}

TEST_F(Keys, KeypadWalksAndPassesWithNumLockOnOrOff) {
    for (int mod : {0, (int)KMOD_NUM}) {
        EXPECT_EQ(press(SDLK_KP8, mod), keyNorth);
        EXPECT_EQ(press(SDLK_KP2, mod), keySouth);
        EXPECT_EQ(press(SDLK_KP6, mod), keyEast);
        EXPECT_EQ(press(SDLK_KP4, mod), keyWest);
        EXPECT_EQ(press(SDLK_KP5, mod), ' ');
    }
}

TEST_F(Keys, KeysListTakesTheNextKeyButAltXStillQuits) {
    EXPECT_EQ(press(SDLK_F1), -1);
    EXPECT_TRUE(keysOverlayShown());
    // Modifiers alone leave it open; the next real key closes it unseen by the game.
    EXPECT_EQ(press(SDLK_LSHIFT), -1);
    EXPECT_EQ(press(SDLK_NUMLOCK), -1);
    EXPECT_TRUE(keysOverlayShown());
    EXPECT_EQ(press(SDLK_SPACE), -1);
    EXPECT_FALSE(keysOverlayShown());
    EXPECT_EQ(press(SDLK_SPACE), ' ');
    EXPECT_EQ(press(SDLK_F1), -1);
    SDL_Event altX = keyDown('x', KMOD_LALT);
    EXPECT_EQ(handleEvent(&altX), -1);
    EXPECT_FALSE(keysOverlayShown());
    EXPECT_TRUE(received.empty());
}

TEST_F(Keys, OtherKeysKeepTheirSymbolWhateverTheModifier) {
    EXPECT_EQ(press(SDLK_SPACE), 32);
    EXPECT_EQ(press(SDLK_ESCAPE), 27);
    EXPECT_EQ(press(SDLK_RETURN), 13);
    EXPECT_EQ(press(SDLK_1, KMOD_LSHIFT), 49);
    EXPECT_EQ(press(SDLK_F2), SDLK_F2);
}

TEST_F(Keys, TabCtrlIAndLoneModifiersAreDropped) {
    EXPECT_EQ(press(SDLK_TAB), -1);
    EXPECT_EQ(press('i', KMOD_LCTRL), -1);
    for (int sym = SDLK_RSHIFT; sym <= SDLK_LALT; sym++) {
        EXPECT_EQ(press(sym, KMOD_LSHIFT), -1) << sym;
    }
    EXPECT_EQ(press(SDLK_RMETA), SDLK_RMETA);
}

TEST_F(Keys, QuitKeyEndsTheLoopEvenWithAPromptOpen) {
    pushInputHandler(upperHandler, 0);
    SDL_Event altX = keyDown('x', KMOD_LALT);
    EXPECT_EQ(handleEvent(&altX), -1);
    SDL_Event sym248 = keyDown(248, 0);
    EXPECT_EQ(handleEvent(&sym248), -1);
    EXPECT_TRUE(received.empty());
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    EXPECT_EQ(handleEvent(&quit), -1);
}

TEST_F(Keys, EventsOtherThanKeysDoNothing) {
    SDL_Event up = keyDown('a', 0);
    up.type = SDL_KEYUP;
    EXPECT_EQ(handleEvent(&up), 0);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    EXPECT_EQ(handleEvent(&motion), 0);
    EXPECT_TRUE(received.empty());
}

TEST_F(Keys, OnlyTheTopHandlerReceivesKeysWithItsArgument) {
    press('a');
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].handler, 1);
    EXPECT_EQ(received[0].argument, 7);

    pushInputHandler(upperHandler, 42);
    EXPECT_EQ(inputStackDepth(), 2);
    press('b');
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].handler, 2);
    EXPECT_EQ(received[0].argument, 42);

    popInputHandler();
    press('c');
    EXPECT_EQ(received[0].handler, 1);

    popInputHandler();
    popInputHandler(); // popping an empty stack does nothing
    EXPECT_EQ(inputStackDepth(), 0);
}

void ignoreKey(GameKey, intptr_t) {}

// The teardown returns the status for the front end to end with (each case in a
// child, as the teardown releases what other tests here use).
TEST(Teardown, NormalEndGivesZero) {
    EXPECT_EXIT(exit(endGame(0) == 0 ? 0 : 9), ::testing::ExitedWithCode(0), "^$");
}

TEST(Teardown, MissingDataFileNamesItAndGivesOne) {
    EXPECT_EXIT(exit(failGame(LoadFailure{"some/dir/data.ovl", ""})),
                ::testing::ExitedWithCode(1), "^Cannot open data file 'some/dir/data.ovl'\n$");
    EXPECT_EXIT(exit(failGame(LoadFailure{"tiles.4", "too short"}, "Explained.")),
                ::testing::ExitedWithCode(1), "^Bad data file 'tiles.4': too short\nExplained.\n$");
}

// Quitting while a prompt is open leaves no handler behind: the prompt and the
// command handler under it both go.
TEST(Teardown, EmptiesTheWholeInputStack) {
    pushInputHandler(ignoreKey, 0);
    pushInputHandler(ignoreKey, 1);
    releaseEverything();
    EXPECT_EQ(inputStackDepth(), 0);
}
