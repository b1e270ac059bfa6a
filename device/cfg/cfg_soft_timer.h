#pragma once
// The software timer list: process-wide entries counted down in ticks of 100 ms by a
// loop that nothing in the library starts. A timer whose count reaches 0 fires its
// callback once and stays stopped until it gets a new count. Entries are addressed by
// position and written back through the id they carry. The list has no lock: change
// it only from the thread that runs the loop.
#include "lib_types.h"

typedef int32 (*soft_timer_callback_t)();

struct soft_timer_t
{
    int32 id = -1;
    int32 count = 0;
    soft_timer_callback_t callback = nullptr;
};

// The result of firing an entry without a callback or outside the list.
constexpr int32 SOFT_TIMER_NO_CALLBACK = static_cast<int32>(0x80004003U);

// Appends {id, count, callback}; a negative id adds nothing.
void soft_timer_add(int32 id, int32 count, soft_timer_callback_t callback);
int32 soft_timer_count();
// A copy of the entry, or {-1, 0, null} outside the list.
soft_timer_t soft_timer_get(int32 position);
// {position, count, callback} at the position; nothing outside the list.
void soft_timer_set(int32 position, int32 count, soft_timer_callback_t callback);
// The entry's count becomes seconds x 10 (written through its id).
void soft_timer_start(int32 position, int32 seconds);
// Count 0 (written through its id), then the callback of the entry at the position:
// its status, or SOFT_TIMER_NO_CALLBACK.
int32 soft_timer_fire(int32 position);
// One pass of the loop: every running entry counts down, and fires at 0.
void soft_timer_tick();
// The loop: a pass every 100 ms, for ever.
[[noreturn]] void soft_timer_run();
// Empties the list as at load. Internal: only the configuration-layer reset uses it.
void soft_timer_reset_list();
// A thread entry for the loop.
void *soft_timer_thread(void *arg);
