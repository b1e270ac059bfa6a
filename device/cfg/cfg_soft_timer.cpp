// The software timer list.
#include "cfg_soft_timer.h"

#include "gos.h"

#include <vector>

namespace
{
std::vector<soft_timer_t> &timers()
{
    static std::vector<soft_timer_t> list;
    return list;
}

bool inside(int32 position) { return position >= 0 && static_cast<size_t>(position) < timers().size(); }
} // namespace

void soft_timer_add(int32 id, int32 count, soft_timer_callback_t callback)
{
    if (id < 0)
        return;
    timers().push_back(soft_timer_t{id, count, callback});
}

void soft_timer_reset_list() { timers().clear(); }

int32 soft_timer_count() { return static_cast<int32>(timers().size()); }

soft_timer_t soft_timer_get(int32 position)
{
    if (!inside(position))
        return soft_timer_t{};
    return timers()[static_cast<size_t>(position)];
}

void soft_timer_set(int32 position, int32 count, soft_timer_callback_t callback)
{
    if (!inside(position))
        return;
    timers()[static_cast<size_t>(position)] = soft_timer_t{position, count, callback};
}

void soft_timer_start(int32 position, int32 seconds)
{
    const soft_timer_t t = soft_timer_get(position);
    soft_timer_set(t.id, seconds * 10, t.callback);
}

int32 soft_timer_fire(int32 position)
{
    const soft_timer_t t = soft_timer_get(position);
    soft_timer_set(t.id, 0, t.callback);
    const soft_timer_t now = soft_timer_get(position);
    if (now.callback == nullptr)
        return SOFT_TIMER_NO_CALLBACK;
    return now.callback();
}

void soft_timer_tick()
{
    const int32 n = soft_timer_count();
    for (int32 i = 0; i < n; ++i)
    {
        const soft_timer_t t = soft_timer_get(i);
        if (t.count <= 0)
            continue;
        const int32 left = t.count - 1;
        soft_timer_set(t.id, left, t.callback);
        if (left == 0)
            soft_timer_fire(i);
    }
}

void soft_timer_run()
{
    for (;;)
    {
        soft_timer_tick();
        gos_usleep(100000);
    }
}

void *soft_timer_thread(void *arg)
{
    soft_timer_run();
    return arg;
}
