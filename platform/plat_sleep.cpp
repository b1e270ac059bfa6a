#include "plat_sleep.h"

#include <cerrno>
#include <ctime>
#include <mutex>
#include <utility>

namespace {
std::mutex g_hook_mutex;
plat_sleep_hook_t g_hook;
} // namespace

plat_sleep_hook_t plat_set_sleep_hook(plat_sleep_hook_t hook)
{
    std::lock_guard<std::mutex> lock(g_hook_mutex);
    std::swap(g_hook, hook);
    return hook;
}

void plat_sleep_ms(std::uint32_t ms)
{
    plat_sleep_hook_t hook;
    {
        std::lock_guard<std::mutex> lock(g_hook_mutex);
        hook = g_hook;
    }
    if (hook) {
        hook(ms);
        return;
    }
    struct timespec left;
    left.tv_sec = static_cast<time_t>(ms / 1000);
    left.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    // A signal cuts nanosleep short; the rest of the pause is still owed.
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}
