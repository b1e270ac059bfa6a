#include "drv_reg_progress.h"

namespace {

drv_progress_cb_t s_progress_callback = nullptr;

} // namespace

void reg_set_progress_callback(drv_progress_cb_t callback)
{
    s_progress_callback = callback;
}

void reg_call_progress_callback(int32 a, int32 b, int32 c)
{
    if (s_progress_callback)
        s_progress_callback(a, b, c);
}
