#include "drv_burst.h"

int32 drv_burst_adjust_start_phase(int32, long double *)
{
    return 0;
}
