#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "1-app/run/main_loop.h"
#include "1-app/run/timer.h"
#include "2-play/game.h"
#include "2-play/animation.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/map_view.h"
#include "4-data/maps.h"

namespace {

std::vector<char> runs; // which task ran, in order

void taskA(intptr_t) {
    runs.push_back('a');
}

void taskB(intptr_t) {
    runs.push_back('b');
}

void removesItself(intptr_t) {
    runs.push_back('s');
    removeScheduledTaskByAction(removesItself);
}

void removesTaskA(intptr_t) {
    runs.push_back('r');
    removeScheduledTaskByAction(taskA);
}

void removeAll(TaskAction action) {
    for (int i = 0; i < 8; i++) {
        removeScheduledTaskByAction(action);
    }
}

class Tasks : public ::testing::Test {
  protected:
    Game game = newGame();
    void SetUp() override {
        runs.clear();
        base = scheduledTaskCount();
    }
    void TearDown() override {
        removeAll(taskA);
        removeAll(taskB);
        removeAll(removesItself);
        removeAll(removesTaskA);
        EXPECT_EQ(scheduledTaskCount(), base);
    }
    // The ticks (1-based) on which the tasks ran, over n ticks.
    std::vector<int> ticksRun(int n) {
        std::vector<int> ticks;
        for (int t = 1; t <= n; t++) {
            size_t before = runs.size();
            runScheduledTasks();
            if (runs.size() > before) {
                ticks.push_back(t);
            }
        }
        return ticks;
    }
    int base = 0;
};

} // namespace

TEST_F(Tasks, PeriodDecidesOnWhichTicksATaskRuns) {
    addScheduledTask(taskA, tickInterval);
    EXPECT_EQ(ticksRun(4), (std::vector<int>{1, 2, 3, 4}));
    removeAll(taskA);

    // 600 -> 350 -> 100 -> -150: run, and start again from the full period.
    addScheduledTask(taskA, 600);
    EXPECT_EQ(ticksRun(9), (std::vector<int>{3, 6, 9}));
    removeAll(taskA);

    addScheduledTask(taskA, 0);
    EXPECT_EQ(ticksRun(3), (std::vector<int>{1, 2, 3}));
    removeAll(taskA);

    addScheduledTask(taskA, INT32_MIN);
    EXPECT_EQ(ticksRun(3), (std::vector<int>{1, 2, 3}));
}

TEST_F(Tasks, NewestTaskRunsFirstAndAddedTasksStartWithTheirPeriod) {
    ScheduledTask *a = addScheduledTask(taskA, tickInterval);
    ScheduledTask *b = addScheduledTask(taskB, tickInterval);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->argument, 0);
    EXPECT_EQ(a->countdown, tickInterval);
    runScheduledTasks();
    EXPECT_EQ(runs, (std::vector<char>{'b', 'a'}));
}

TEST_F(Tasks, ATaskRemovingItselfFinishesThePassAndIsGoneAfterwards) {
    addScheduledTask(taskA, tickInterval);
    addScheduledTask(removesItself, tickInterval);
    addScheduledTask(taskB, tickInterval);
    runScheduledTasks();
    EXPECT_EQ(runs, (std::vector<char>{'b', 's', 'a'}));
    EXPECT_EQ(scheduledTaskCount(), base + 2);
    runs.clear();
    runScheduledTasks();
    EXPECT_EQ(runs, (std::vector<char>{'b', 'a'}));
}

TEST_F(Tasks, ATaskRemovingAnotherLetsItRunInThisPassOnly) {
    addScheduledTask(removesTaskA, tickInterval);
    addScheduledTask(taskA, tickInterval);
    runScheduledTasks();
    EXPECT_EQ(runs, (std::vector<char>{'a', 'r'}));
    runs.clear();
    runScheduledTasks();
    EXPECT_EQ(runs, (std::vector<char>{'r'}));
}

TEST_F(Tasks, RemovalTakesOneMatchingPairFromTheFront) {
    ScheduledTask *older = addScheduledTask(taskA, 600);
    addScheduledTask(taskA, tickInterval);
    removeScheduledTaskByAction(taskA);
    EXPECT_EQ(scheduledTaskCount(), base + 1);
    // The one left is the older task, with its own period.
    EXPECT_EQ(ticksRun(3), (std::vector<int>{3}));
    EXPECT_EQ(older->period, 600);

    removeScheduledTask(taskB, 0);
    removeScheduledTask(taskA, 5);
    EXPECT_EQ(scheduledTaskCount(), base + 1);
}

TEST_F(Tasks, TheTimerPostsAUserEventThatRunsTheTasks) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    addScheduledTask(taskA, tickInterval);
    EXPECT_EQ(onTimer(250, nullptr), 250u);
    SDL_Event event;
    int got = 0;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_USEREVENT) {
            got++;
            EXPECT_EQ(event.user.code, 0);
            EXPECT_EQ(event.user.data1, nullptr);
            EXPECT_EQ(event.user.data2, nullptr);
            EXPECT_FALSE(handleEvent(game, &event));
        }
    }
    EXPECT_EQ(got, 1);
    EXPECT_EQ(runs, (std::vector<char>{'a'}));
    SDL_Quit();
}

// The ticks a loop keeps itself, against a fake clock: the loop wakes late by a
// varying few milliseconds, as a real one does.
TEST(TickSchedule, AMinuteOfLateWakeUpsGivesEveryTickOnTimeWithoutDrift) {
    for (Uint32 start : {0u, 123456u, 0xFFFFF000u}) { // the last wraps the clock
        TickSchedule schedule;
        startTickSchedule(schedule, start);
        Uint32 now = start;
        int taken = 0;
        while ((int32_t)(now - start) < 60000) {
            now += (Uint32)timeUntilTick(schedule, now) + (Uint32)(taken * 7 % 13);
            while (takeDueTick(schedule, now)) {
                taken++;
                // Tick n never comes before its time, and never an interval late.
                int32_t late = (int32_t)(now - start) - taken * tickInterval;
                ASSERT_GE(late, 0) << "tick " << taken;
                ASSERT_LT(late, tickInterval) << "tick " << taken;
            }
        }
        EXPECT_EQ(taken, 60000 / tickInterval) << "start " << start;
        EXPECT_EQ(schedule.next, start + 60000u + tickInterval);
    }
}

TEST(TickSchedule, AHeldUpLoopCatchesUpASuspendedOneStartsAgain) {
    TickSchedule schedule;
    startTickSchedule(schedule, 1000);
    EXPECT_FALSE(takeDueTick(schedule, 1249));
    EXPECT_EQ(timeUntilTick(schedule, 1249), 1);
    // Most of a second late: the four ticks it missed, one after the other, and
    // the next one still at its own time.
    int taken = 0;
    while (takeDueTick(schedule, 2100)) {
        taken++;
    }
    EXPECT_EQ(taken, 4);
    EXPECT_EQ(timeUntilTick(schedule, 2100), 150);
    // An hour late: one tick, and the next an interval after it.
    EXPECT_TRUE(takeDueTick(schedule, 3602250));
    EXPECT_FALSE(takeDueTick(schedule, 3602250));
    EXPECT_EQ(timeUntilTick(schedule, 3602250), tickInterval);
}

TEST_F(Tasks, StoppingTheTimerEndsSdlsTimerThreadAndTheTickIsTheTimersEvent) {
    ASSERT_EQ(SDL_Init(SDL_INIT_TIMER), 0);
    startTickTimer();
    stopTickTimer();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_TIMER), 0u);
    stopTickTimer(); // twice: nothing left to stop
    SDL_Event tick = tickEvent();
    EXPECT_EQ(tick.type, SDL_USEREVENT);
    EXPECT_EQ(tick.user.code, 0);
    EXPECT_EQ(tick.user.data1, nullptr);
    addScheduledTask(taskA, tickInterval);
    EXPECT_FALSE(handleEvent(game, &tick));
    EXPECT_EQ(runs, (std::vector<char>{'a'}));
    SDL_Quit();
}

namespace {

class Animation : public ::testing::Test {
  protected:
    Game game = newGame();
    void SetUp() override {
        savedTable = graphicsStore.tileTable;
        savedCount = graphicsStore.tileCount;
        for (int t = 0; t < 256; t++) {
            table[t] = {still, nullptr};
        }
        for (int t = 212; t <= 215; t++) {
            table[t].animClass = cycleNext;
        }
        table[215].animClass = cycleBack3;
        table[250].animClass = cycleNext;
        table[251].animClass = cycleBack1;
        table[52].animClass = overlay;
        table[60].animClass = scrolling;
        graphicsStore.tileTable = table;
        graphicsStore.tileCount = 256;
        MapCell *world = mapStore(overworld);
        for (int i = 0; i < worldSize * worldSize; i++) {
            world[i] = {0, 0, 0};
        }
        setBase(world, 0, 215);
        setBase(world, 1, 251);
        setBase(world, 2, 52);
        setBase(world, 3, 212);
        setBase(world, 65535, 250);
        selectMap(game, overworld, 0);
    }
    void TearDown() override {
        graphicsStore.tileTable = savedTable;
        graphicsStore.tileCount = savedCount;
    }
    static void setBase(MapCell *cells, int i, uint8_t tile) {
        cells[i].baseTile = tile;
        cells[i].shownTile = tile;
    }
    uint8_t shown(int i) {
        return game.currentMap.cells[i].shownTile;
    }
    TileEntry table[256];
    TileEntry *savedTable = nullptr;
    uint32_t savedCount = 0;
};

} // namespace

TEST_F(Animation, EachClassStepsTheShownTileOnly) {
    cycleAnimatedTiles(game.currentMap);
    EXPECT_EQ(shown(0), 212);
    EXPECT_EQ(shown(1), 250);
    EXPECT_EQ(shown(2), 52);
    EXPECT_EQ(shown(3), 213);
    EXPECT_EQ(shown(65535), 251);
    EXPECT_EQ(game.currentMap.cells[0].baseTile, 215);
    // Four ticks bring a four-frame loop round, two a two-frame one.
    for (int i = 0; i < 3; i++) {
        cycleAnimatedTiles(game.currentMap);
    }
    EXPECT_EQ(shown(0), 215);
    EXPECT_EQ(shown(1), 251);
    EXPECT_EQ(shown(3), 212);
}

TEST_F(Animation, SelectingAMapRestartsItsCycles) {
    cycleAnimatedTiles(game.currentMap);
    selectMap(game, overworld, 0);
    EXPECT_EQ(shown(0), 215);
    EXPECT_EQ(shown(1), 251);
}

TEST_F(Animation, OnlyTheCurrentMapIsStepped) {
    MapCell *town = mapStore(towne);
    setBase(town, levelCells + 5, 212); // level 1
    setBase(town, 5, 212);              // level 0
    selectMap(game, towne, 1);
    cycleAnimatedTiles(game.currentMap);
    EXPECT_EQ(shown(5), 213);
    EXPECT_EQ(town[5].shownTile, 212);
    EXPECT_EQ(mapStore(overworld)[0].shownTile, 215);
}

TEST_F(Animation, TheTaskAdvancesTheFrameModulo16) {
    game.animationFrame = 14;
    animationTick(reinterpret_cast<intptr_t>(&game));
    EXPECT_EQ(game.animationFrame, 15);
    EXPECT_EQ(shown(0), 212);
    animationTick(reinterpret_cast<intptr_t>(&game));
    EXPECT_EQ(game.animationFrame, 0);
}

TEST_F(Animation, NothingHappensWithoutTilesOrMap) {
    graphicsStore.tileTable = nullptr;
    graphicsStore.tileCount = 0;
    cycleAnimatedTiles(game.currentMap);
    EXPECT_EQ(shown(0), 215);
    selectMap(game, 6, 0);
    cycleAnimatedTiles(game.currentMap); // no cells: must not touch memory
    EXPECT_EQ(game.currentMap.cells, nullptr);
}
