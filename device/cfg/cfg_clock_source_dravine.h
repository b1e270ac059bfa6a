#pragma once
// cfg_clock_source_dravine_t: the clock source of the second platform (product ids 2
// and 3).
#include "cfg_clock_source_main.h"

class cfg_clock_source_dravine_t : public cfg_clock_source_main_t
{
};
