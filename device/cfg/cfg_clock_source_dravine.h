#pragma once
// cfg_clock_source_dravine_t: the clock source of the second platform (product ids 2
// and 3). Its clock output follows the flag alone, whatever the source, and a source
// request has no fallback.
#include "cfg_clock_source_main.h"

class cfg_clock_source_dravine_t : public cfg_clock_source_main_t
{
public:
    void apply() override;
    int32 set_out_enable(int32 on) override;
    void push_source() override;
    int32 query_flag() override { return 1; }
};
