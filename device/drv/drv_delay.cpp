#include "drv_delay.h"

#include "gos.h"
#include "lib_trunc.h"

#include <algorithm>
#include <limits>

void drv_sleep(uint32 seconds)
{
    const uint64 milliseconds = static_cast<uint64>(seconds) * 1000;
    gos_sleep_ms(static_cast<uint32>(std::min<uint64>(milliseconds, std::numeric_limits<uint32>::max())));
}

void drv_msleep(long double milliseconds)
{
    gos_sleep_ms(lib_trunc_u32(milliseconds));
}

void drv_usleep(uint32 microseconds)
{
    gos_sleep_ms(microseconds / 1000);
}

void drv_mdelay(uint32 count)
{
    for (uint32 i = 0; i < count; ++i)
        gos_sleep_ms(1);
}
