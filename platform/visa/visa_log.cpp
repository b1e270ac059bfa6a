#include "visa_log.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace {

std::mutex &log_mutex()
{
    static std::mutex mutex;
    return mutex;
}

visa_log_hook_t &log_hook()
{
    static visa_log_hook_t hook;
    return hook;
}

} // namespace

visa_log_hook_t visa_set_log_hook(visa_log_hook_t hook)
{
    std::lock_guard<std::mutex> lock(log_mutex());
    std::swap(log_hook(), hook);
    return hook;
}

void visa_log(const std::string &line)
{
    visa_log_hook_t hook;
    {
        std::lock_guard<std::mutex> lock(log_mutex());
        hook = log_hook();
    }
    if (hook)
        hook(line);
    else
        std::fprintf(stderr, "%s\n", line.c_str());
}
