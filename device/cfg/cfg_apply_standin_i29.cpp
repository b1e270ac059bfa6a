// The burst timing apply, until the burst applies land: nothing reaches the driver.
#include "cfg_apply.h"

void cfg_apply_burst_both()
{
}
