// The 250 ms tick timer and the list of scheduled tasks it drives. The timer
// thread only posts an event; the main loop runs the due tasks on the main thread.
#pragma once

#include <SDL.h>
#include <cstdint>

// The timer's interval, the fall of every countdown per tick, and the period of
// the animation task, in milliseconds.
const int32_t tickInterval = 250;

typedef void (*TaskAction)(intptr_t argument);

// One task of the list; identified by the pair (action, argument).
struct ScheduledTask {
    TaskAction action;
    intptr_t argument; // what the action is given, such as the record it acts on
    int32_t period;    // countdown value after each run, ms
    int32_t countdown; // ms before the next run
    ScheduledTask *next;
};

// A removal asked for while the list is being run; carried out after the run.
struct PendingRemoval {
    TaskAction action;
    intptr_t argument;
    PendingRemoval *next;
};

// Replaces any running tick timer by a new one firing every tickInterval ms.
void startTickTimer();

// Removes the tick timer and ends SDL's timer thread, which wakes every
// millisecond even with no timer to run: for a loop that keeps the ticks itself.
void stopTickTimer();

// The ticks a loop keeps itself, on its own clock (milliseconds, wrapping): tick n
// falls due n intervals after the start, however late the loop wakes, so the ticks
// do not drift.
struct TickSchedule {
    Uint32 next; // when the next tick falls due
};

// A loop held up for up to this many ticks runs the missed ones one after the
// other, as it would find them queued by the timer; later than that (a suspended
// machine) it runs one and starts the schedule again from then.
const int32_t mostTicksBehind = 8;

// The first tick one interval after now.
void startTickSchedule(TickSchedule &schedule, Uint32 now);

// True when a tick is due at now; the schedule then moves on by one interval.
bool takeDueTick(TickSchedule &schedule, Uint32 now);

// Milliseconds from now until the next tick; 0 when it is due.
int32_t timeUntilTick(const TickSchedule &schedule, Uint32 now);

// The event the timer posts for each tick (type SDL_USEREVENT, code 0, no data).
SDL_Event tickEvent();

// Called on SDL's timer thread: posts one SDL_USEREVENT (code 0, no data) and
// keeps the interval. Touches no program state.
Uint32 onTimer(Uint32 interval, void *parameter);

// Adds a task at the front of the list; nullptr when it cannot be allocated
// (nothing is added then).
ScheduledTask *addScheduledTask(TaskAction action, int32_t period, intptr_t argument = 0);

// Removes the frontmost task with this pair; during a run the removal waits until
// the run has finished. No match, nothing happens.
void removeScheduledTask(TaskAction action, intptr_t argument);

// Removes the frontmost task of this action, whatever its argument.
void removeScheduledTaskByAction(TaskAction action);

// One tick: counts every task down and runs those that are due, then carries out
// the removals asked for meanwhile. Called for each SDL_USEREVENT.
void runScheduledTasks();

// Number of tasks in the list.
int scheduledTaskCount();
