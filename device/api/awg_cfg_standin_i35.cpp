// Stand-in of the amplitude re-apply's overload query until that object arrives.
#include "awg_ch_port.h"

uint8 cfg_check_overload_status(int)
{
    return 0;
}
