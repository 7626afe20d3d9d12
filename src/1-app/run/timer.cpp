#include "1-app/run/timer.h"

#include <new>

namespace {

ScheduledTask *firstTask = nullptr;
PendingRemoval *firstRemoval = nullptr;
bool running = false;
SDL_TimerID tickTimer = nullptr;

void unlinkTask(TaskAction action, intptr_t argument) {
    ScheduledTask **link = &firstTask;
    while (*link != nullptr) {
        ScheduledTask *task = *link;
        if (task->action == action && task->argument == argument) {
            *link = task->next;
            delete task;
            return;
        }
        link = &task->next;
    }
}

void recordRemoval(TaskAction action, intptr_t argument) {
    PendingRemoval *removal = new (std::nothrow) PendingRemoval{action, argument, firstRemoval};
    if (removal != nullptr) {
        firstRemoval = removal;
    }
}

// Removals asked for during the run, newest first.
void carryOutRemovals() {
    while (firstRemoval != nullptr) {
        PendingRemoval *removal = firstRemoval;
        firstRemoval = removal->next;
        unlinkTask(removal->action, removal->argument);
        delete removal;
    }
}

} // namespace

void startTickTimer() {
    if (tickTimer != nullptr) {
        SDL_RemoveTimer(tickTimer);
    }
    tickTimer = SDL_AddTimer(tickInterval, onTimer, nullptr);
}

void stopTickTimer() {
    if (tickTimer != nullptr) {
        SDL_RemoveTimer(tickTimer);
        tickTimer = nullptr;
    }
    if (SDL_WasInit(SDL_INIT_TIMER) != 0) {
        SDL_QuitSubSystem(SDL_INIT_TIMER);
    }
}

void startTickSchedule(TickSchedule &schedule, Uint32 now) {
    schedule.next = now + tickInterval;
}

bool takeDueTick(TickSchedule &schedule, Uint32 now) {
    // Differences, not comparisons: the clock wraps after 49 days.
    int32_t late = (int32_t)(now - schedule.next);
    if (late < 0) {
        return false;
    }
    // Far behind (a suspended machine): this tick runs, the missed ones are dropped.
    schedule.next =
        late > mostTicksBehind * tickInterval ? now + tickInterval : schedule.next + tickInterval;
    return true;
}

int32_t timeUntilTick(const TickSchedule &schedule, Uint32 now) {
    int32_t left = (int32_t)(schedule.next - now);
    return left > 0 ? left : 0;
}

SDL_Event tickEvent() {
    SDL_Event event = {};
    event.type = SDL_USEREVENT;
    event.user.type = SDL_USEREVENT;
    event.user.code = 0;
    event.user.data1 = nullptr;
    event.user.data2 = nullptr;
    return event;
}

Uint32 onTimer(Uint32 interval, void *) {
    SDL_Event event = tickEvent();
    SDL_PushEvent(&event);
    return interval;
}

ScheduledTask *addScheduledTask(TaskAction action, int32_t period, intptr_t argument) {
    ScheduledTask *task =
        new (std::nothrow) ScheduledTask{action, argument, period, period, firstTask};
    if (task != nullptr) {
        firstTask = task;
    }
    return task;
}

void removeScheduledTask(TaskAction action, intptr_t argument) {
    if (running) {
        // Unlinking now could free the node the walk is standing on.
        recordRemoval(action, argument);
        return;
    }
    unlinkTask(action, argument);
}

void removeScheduledTaskByAction(TaskAction action) {
    for (ScheduledTask *task = firstTask; task != nullptr; task = task->next) {
        if (task->action == action) {
            removeScheduledTask(action, task->argument);
            return;
        }
    }
}

void runScheduledTasks() {
    running = true;
    for (ScheduledTask *task = firstTask; task != nullptr; task = task->next) {
        // Due when this tick's fall takes the countdown to 0 or below; tested
        // before subtracting so that a very negative period cannot overflow.
        bool due = task->countdown <= tickInterval;
        task->countdown -= due ? 0 : tickInterval;
        if (due) {
            task->action(task->argument);
            // A late task runs once; it does not catch up on missed periods.
            task->countdown = task->period;
        }
    }
    running = false;
    carryOutRemovals();
}

int scheduledTaskCount() {
    int count = 0;
    for (ScheduledTask *task = firstTask; task != nullptr; task = task->next) {
        count++;
    }
    return count;
}
