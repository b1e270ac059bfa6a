#include "ui_timer.h"

#include "lib_sample_conv.h"

#include <algorithm>
#include <limits>

ui_timer_t::ui_timer_t(QObject *) : QTimer(nullptr) {}

void ui_timer_t::set_interval_s(double seconds)
{
    // Out-of-range or NaN intervals saturate instead of overflowing the cast.
    setInterval(std::max(0, lib_to_int_sat(seconds * 1000.0)));
}

void ui_timer_t::start_timer()
{
    start();
}

void ui_timer_t::stop_timer()
{
    stop();
}
