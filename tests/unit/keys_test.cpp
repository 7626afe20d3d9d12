#include <gtest/gtest.h>

#include <vector>

#include "1-app/input/gamepad.h"
#include "1-app/input/key_names.h"
#include "1-app/input/input_state.h"
#include "1-app/input/key_codes.h"
#include "1-app/input/keys.h"
#include "1-app/input/keys_list.h"
#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "1-app/run/main_loop.h"
#include "1-app/display/overlays.h"
#include "1-app/input/player_actions.h"
#include "1-app/run/shutdown.h"
#include "2-play/game.h"
#include "2-play/clock.h"
#include "2-play/input_stack.h"
#include "2-play/prompts.h"
#include "2-play/rules.h"
#include "4-data/maps.h"
#include "play_fixture.h"
#include "test_support.h"

namespace {

struct Received {
    GameKey key;
    intptr_t argument;
    int handler;
};
std::vector<Received> received;

void lowerHandler(Game &, GameKey key, intptr_t argument) {
    received.push_back({key, argument, 1});
}

void upperHandler(Game &, GameKey key, intptr_t argument) {
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
    Game game = newGame();
    void SetUp() override {
        received.clear();
        pushInputHandler(game.inputStack, lowerHandler, 7);
    }
    void TearDown() override {
        while (inputStackDepth(game.inputStack) > 0) {
            popInputHandler(game.inputStack);
        }
    }
    // Runs one key press through the loop's dispatch; returns what reached the handler.
    GameKey press(int sym, int mod = 0) {
        received.clear();
        SDL_Event e = keyDown(sym, mod);
        EXPECT_FALSE(handleEvent(game, &e));
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
    EXPECT_TRUE(handleEvent(game, &altX));
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
    pushInputHandler(game.inputStack, upperHandler, 0);
    SDL_Event altX = keyDown('x', KMOD_LALT);
    EXPECT_TRUE(handleEvent(game, &altX));
    SDL_Event sym248 = keyDown(248, 0);
    EXPECT_TRUE(handleEvent(game, &sym248));
    EXPECT_TRUE(received.empty());
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    EXPECT_TRUE(handleEvent(game, &quit));
}

TEST_F(Keys, EventsOtherThanKeysDoNothing) {
    SDL_Event up = keyDown('a', 0);
    up.type = SDL_KEYUP;
    EXPECT_FALSE(handleEvent(game, &up));
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    EXPECT_FALSE(handleEvent(game, &motion));
    EXPECT_TRUE(received.empty());
}

TEST_F(Keys, OnlyTheTopHandlerReceivesKeysWithItsArgument) {
    press('a');
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].handler, 1);
    EXPECT_EQ(received[0].argument, 7);

    pushInputHandler(game.inputStack, upperHandler, 42);
    EXPECT_EQ(inputStackDepth(game.inputStack), 2);
    press('b');
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].handler, 2);
    EXPECT_EQ(received[0].argument, 42);

    popInputHandler(game.inputStack);
    press('c');
    EXPECT_EQ(received[0].handler, 1);

    popInputHandler(game.inputStack);
    popInputHandler(game.inputStack); // popping an empty stack does nothing
    EXPECT_EQ(inputStackDepth(game.inputStack), 0);
}

// The teardown returns the status for the front end to end with (each case in a
// child, as the teardown releases what other tests here use).
TEST(Teardown, NormalEndGivesZero) {
    EXPECT_EXIT(exit(endGame(0) == 0 ? 0 : 9), ::testing::ExitedWithCode(0), "^$");
}

TEST(Teardown, MissingDataFileNamesItAndGivesOne) {
    EXPECT_EXIT(exit(failGame(LoadFailure{"some/dir/data.ovl", ""})), ::testing::ExitedWithCode(1),
                "^Cannot open data file 'some/dir/data.ovl'\n$");
    EXPECT_EXIT(exit(failGame(LoadFailure{"tiles.4", "too short"}, "Explained.")),
                ::testing::ExitedWithCode(1), "^Bad data file 'tiles.4': too short\nExplained.\n$");
}

// A game quit while a prompt was open leaves no handler behind: the next start
// makes a new game, whose stack is empty until the command handler goes on it.
TEST(Teardown, EachStartHasAnEmptyInputStack) {
    Game game = newGame();
    EXPECT_EQ(inputStackDepth(game.inputStack), 0);
    EXPECT_EQ(topHandler(game.inputStack), nullptr);
}

// The program's copy of the key names is SDL's own: SDL names keys once video runs.
TEST(KeyNames, TheCopyIsSdlsOwn) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    for (int sym = SDLK_FIRST + 1; sym < SDLK_LAST; sym++) {
        const char *ours = keyName((SDLKey)sym);
        EXPECT_STREQ(ours != nullptr ? ours : "unknown key", SDL_GetKeyName((SDLKey)sym)) << sym;
        if (ours != nullptr && sym != SDLK_COMMA) {
            EXPECT_EQ(keyOfName(ours), sym) << ours;
        }
    }
    SDL_Quit();
    EXPECT_EQ(keyOfName("PAGE UP"), SDLK_PAGEUP);
    EXPECT_EQ(keyOfName("comma"), SDLK_COMMA);
    EXPECT_STREQ(listedKeyName(SDLK_COMMA), "comma");
    EXPECT_EQ(keyOfName("unknown key"), SDLK_UNKNOWN);
    EXPECT_EQ(keyOfName(""), SDLK_UNKNOWN);
}

namespace {

// The game's own handlers with keys added as a settings file would add them.
class BoundKeys : public PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        startUpSettings() = defaultSettings();
        keysOf("key_north") = KeyList{{'w', SDLK_INSERT}, {}, 2, 1};
        keysOf("key_west") = KeyList{{'n'}, {}, 1, 2};
        keysOf("key_yes") = KeyList{{'j'}, {}, 1, 3};
        keysOf("key_look") = KeyList{{SDLK_COMMA, SDLK_PAGEDOWN}, {}, 2, 4};
    }
    void TearDown() override {
        startUpSettings() = defaultSettings();
        PlayTest::TearDown();
    }
    void key(int sym, int mod = 0) {
        SDL_Event e = keyDown(sym, mod);
        EXPECT_FALSE(handleEvent(game, &e));
    }
};

} // namespace

TEST_F(BoundKeys, AddedKeysGiveTheirCommandAndTheGamesOwnStay) {
    SDLKey unused = lastKeyWithoutCommand();
    key('w');
    EXPECT_EQ(game.playerState.row, startRow - 1);
    key('n');
    EXPECT_EQ(game.playerState.column, startColumn - 1);
    key(SDLK_UP); // the game's own key walks as ever
    EXPECT_EQ(game.playerState.row, startRow - 2);
    EXPECT_EQ(game.gameClock, 3);
    said();
    // In Look's direction prompt the added keys answer too.
    key(SDLK_COMMA);
    key('n');
    std::vector<Said> answer = said();
    ASSERT_GE(answer.size(), 2u);
    EXPECT_EQ(answer[0], (Said{1, "Look-"}));
    EXPECT_EQ(answer[1], (Said{1, "West\n"}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    EXPECT_EQ(lastKeyWithoutCommand(), unused) << "every key had a command";
}

TEST_F(BoundKeys, AKeyBoundWithModifiersTakesItOnlyWithExactlyThose) {
    keysOf("key_load") = KeyList{{SDLK_F5, 'q'}, {1, 0}, 2, 5};
    EXPECT_EQ(meaningOfKey(game, SDLK_F5, KMOD_RSHIFT, SDLK_F5).action, loadAction);
    EXPECT_EQ(meaningOfKey(game, SDLK_F5, KMOD_NONE, SDLK_F5).action, saveAction);
    EXPECT_EQ(meaningOfKey(game, SDLK_F5, (SDLMod)(KMOD_LSHIFT | KMOD_LCTRL), SDLK_F5).action,
              saveAction)
        << "the game's own key, whatever else is held";
    EXPECT_EQ(meaningOfKey(game, (SDLKey)'q', KMOD_LCTRL, 'q' - 96).action, loadAction)
        << "a key bound alone counts whatever the modifiers";
}

TEST_F(BoundKeys, InAQuestionTheAnswersWinOverWalking) {
    selectMap(game, towne, 0);
    game.playerState.column = 0;
    game.playerState.row = 5;
    game.playerState.returnColumn = 40;
    key(SDLK_LEFT);
    ASSERT_EQ(topHandler(game.inputStack), yesNoPrompt);
    key('n'); // added to walking west, but the question's own "no"
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    EXPECT_EQ(game.playerState.mapKind, towne);
    key(SDLK_LEFT);
    key('w'); // walks only where walking works
    EXPECT_EQ(topHandler(game.inputStack), yesNoPrompt);
    EXPECT_EQ(lastKeyWithoutCommand(), 'w');
    key('j');
    EXPECT_EQ(game.playerState.mapKind, overworld);
    EXPECT_EQ(game.playerState.column, 40);
}

TEST_F(BoundKeys, TheKeysListShowsTheAddedKeysAndTheLastUnusedOne) {
    key(SDLK_WORLD_64);
    std::vector<std::string> panel;
    for (const ListLine &line : keysListLines()) {
        if (line.column == panelListColumn) {
            panel.push_back(std::to_string(line.row) + " " + line.text);
        }
    }
    // The names cut to the list's column.
    EXPECT_EQ(panel, (std::vector<std::string>{
                         "2 Your keys", "3 w,insert  North", "4 n         West", "5 comma,pag Look",
                         "6 j         Yes", "22 No command:", "23 world 64"}));
    // Over the map view the game's own keys, as ever, with saving and loading.
    std::vector<std::string> own;
    for (const ListLine &line : keysListLines()) {
        if (line.column == 2) {
            own.push_back(line.text);
        }
    }
    ASSERT_EQ(own.size(), 17u);
    EXPECT_EQ(own[0], "Keys");
    EXPECT_EQ(own[10], "F5         Save");
    EXPECT_EQ(own[16], "Any key closes this");
}

namespace {

// The gamepad's events pushed into SDL's queue, as a pad opened by SDL would post
// them, and taken from it by the main loop's dispatch.
class Pad : public PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_TIMER), 0);
        startUpSettings() = defaultSettings();
        hideKeysOverlay();
        showNotice("", 0);
    }
    void TearDown() override {
        closeGamepad();
        startUpSettings() = defaultSettings();
        PlayTest::TearDown();
    }
    // Pushes an event and runs every queued one; the last result of the dispatch.
    int push(SDL_Event event) {
        SDL_PushEvent(&event);
        int result = 0;
        SDL_Event queued;
        while (SDL_PollEvent(&queued)) {
            result = handleEvent(game, &queued) ? -1 : 0; // -1: the game ends
        }
        return result;
    }
    int hat(Uint8 value) {
        SDL_Event e = {};
        e.type = e.jhat.type = SDL_JOYHATMOTION;
        e.jhat.value = value;
        return push(e);
    }
    int stick(Uint8 axis, Sint16 value) {
        SDL_Event e = {};
        e.type = e.jaxis.type = SDL_JOYAXISMOTION;
        e.jaxis.axis = axis;
        e.jaxis.value = value;
        return push(e);
    }
    int button(Uint8 number) {
        SDL_Event e = {};
        e.type = e.jbutton.type = SDL_JOYBUTTONDOWN;
        e.jbutton.button = number;
        e.jbutton.state = SDL_PRESSED;
        return push(e);
    }
    // Waits for the repeat of a held direction (the timer posts it) and runs it;
    // false when none came within three seconds.
    bool runRepeat() {
        SDL_TimerID watchdog = SDL_AddTimer(3000, wakeUp, nullptr);
        SDL_Event event;
        bool repeated = false;
        while (!repeated && SDL_WaitEvent(&event) != 0) {
            if (event.type == SDL_USEREVENT && event.user.code == giveUpCode) {
                break;
            }
            repeated = event.type == SDL_USEREVENT && event.user.code == padRepeatCode;
            handleEvent(game, &event);
        }
        SDL_RemoveTimer(watchdog);
        return repeated;
    }
    static const int giveUpCode = 77;
    static Uint32 wakeUp(Uint32, void *) {
        SDL_Event e = {};
        e.type = e.user.type = SDL_USEREVENT;
        e.user.code = giveUpCode;
        SDL_PushEvent(&e);
        return 0;
    }
};

} // namespace

TEST_F(Pad, TheHatAndTheStickWalkAndAHeldDirectionRepeats) {
    hat(SDL_HAT_UP);
    EXPECT_EQ(game.playerState.row, startRow - 1);
    ASSERT_TRUE(runRepeat());
    EXPECT_EQ(game.playerState.row, startRow - 2);
    EXPECT_EQ(game.gameClock, 2);
    hat(SDL_HAT_UP | SDL_HAT_RIGHT); // the same direction held: no new step
    hat(SDL_HAT_CENTERED);
    EXPECT_EQ(game.playerState.row, startRow - 2);
    // A repeat posted for an earlier hold does nothing.
    SDL_Event stale = {};
    stale.type = stale.user.type = SDL_USEREVENT;
    stale.user.code = padRepeatCode;
    stale.user.data1 = (void *)-5;
    push(stale);
    EXPECT_EQ(game.gameClock, 2);
    // The left stick counts from half-way out, along its farther axis.
    stick(1, 16000);
    EXPECT_EQ(game.gameClock, 2);
    stick(1, 20000);
    EXPECT_EQ(game.playerState.row, startRow - 1);
    stick(0, -30000);
    EXPECT_EQ(game.playerState.column, startColumn - 1);
    stick(1, 0); // still west: no new step
    stick(0, 0);
    EXPECT_EQ(game.gameClock, 4);
    stick(2, -32768); // another axis walks nowhere
    EXPECT_EQ(game.gameClock, 4);
    // A direction held as the window loses the focus walks no further.
    hat(SDL_HAT_DOWN);
    SDL_Event away = {};
    away.type = away.active.type = SDL_ACTIVEEVENT;
    away.active.state = SDL_APPINPUTFOCUS;
    push(away);
    EXPECT_FALSE(runRepeat());
    EXPECT_EQ(game.gameClock, 5);
}

TEST_F(Pad, ButtonsGiveCommandsAndAnswerQuestions) {
    button(1); // Look, then the hat answers its direction prompt
    hat(SDL_HAT_RIGHT);
    hat(SDL_HAT_CENTERED);
    std::vector<Said> look = said();
    ASSERT_GE(look.size(), 2u);
    EXPECT_EQ(look[0], (Said{1, "Look-"}));
    EXPECT_EQ(look[1], (Said{1, "East\n"}));
    EXPECT_EQ(game.playerState.column, startColumn);
    // Quit asks first; 1 answers no, 0 yes, and the game ends.
    EXPECT_EQ(button(7), 0);
    EXPECT_EQ(said(), (std::vector<Said>{{1, "Quit? (y/n) "}}));
    EXPECT_EQ(topHandler(game.inputStack), yesNoPrompt);
    button(4); // save waits for the answer
    EXPECT_EQ(shownNotice(), std::string("Answer first"));
    EXPECT_EQ(button(1), 0);
    EXPECT_EQ(said(), (std::vector<Said>{{0, "No\n\n"}}));
    button(3);
    EXPECT_EQ(game.gameClock, 1) << "button 3 passes";
    button(7);
    EXPECT_EQ(button(0), -1);
    // A button without a command is remembered for the keys list.
    game.quitConfirmed = false;
    button(12);
    EXPECT_EQ(lastButtonWithoutCommand(), 12);
}

TEST_F(Pad, TheKeysButtonShowsTheListAndTheNextButtonOnlyClosesIt) {
    // What the list shows of a pad in use: each button with its commands.
    buttonOf("button_load") = 12;
    EXPECT_EQ(buttonLines(),
              (std::vector<std::string>{" 0 Enter/Yes", " 1 Look/No", " 2 Klimb", " 3 Pass",
                                        " 4 Save", " 6 Keys", " 7 Quit", "12 Load"}));
    button(6);
    EXPECT_TRUE(keysOverlayShown());
    button(3);
    EXPECT_FALSE(keysOverlayShown());
    EXPECT_EQ(game.gameClock, 0);
    button(6);
    hat(SDL_HAT_DOWN);
    EXPECT_FALSE(keysOverlayShown());
    EXPECT_EQ(game.playerState.row, startRow);
}

TEST_F(Pad, TheSubsystemStartsAndOpensTheFirstPadUnlessJoystickIsOff) {
    openGamepad();
    EXPECT_NE(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
    // No pad is at hand on a test machine; one that is must be open.
    EXPECT_EQ(padInUse(), SDL_NumJoysticks() > 0);
    EXPECT_TRUE(SDL_NumJoysticks() == 0 || SDL_JoystickOpened(0));
    closeGamepad();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
    startUpSettings().joystick = 0;
    openGamepad();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_JOYSTICK), 0u);
    // Pushed events arrive all the same; with joystick=0 they do nothing.
    hat(SDL_HAT_UP);
    button(7);
    EXPECT_EQ(game.gameClock, 0);
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
}
