#include "ui_timer.h"

#include <limits>

ui_timer_t::ui_timer_t(QObject *) : QTimer(nullptr) {}

void ui_timer_t::set_interval_s(double seconds)
{
    double ms = seconds * 1000.0;
    // Out-of-range or NaN intervals saturate instead of overflowing the cast.
    if (!(ms > 0.0))
        ms = 0.0;
    else if (ms > std::numeric_limits<int>::max())
        ms = std::numeric_limits<int>::max();
    setInterval(static_cast<int>(ms));
}

void ui_timer_t::start_timer()
{
    start();
}

void ui_timer_t::stop_timer()
{
    stop();
}
