#pragma once
// cfg_reapply_t: the amplitude ranges and the overload reset. For now it selects no
// range and keeps only its value.
#include "lib_types.h"

class cfg_reapply_t
{
public:
    int32 apply_ranges() { return 1; }
    int32 get_overload_reset() const { return overload_reset; }
    int32 set_overload_reset(int32 v)
    {
        overload_reset = v;
        return 1;
    }

private:
    int32 overload_reset = 0;
};
