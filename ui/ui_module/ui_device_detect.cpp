#include "ui_device_detect.h"

#include "qelmod.h"

#include <utility>

namespace {

ui_device_detect_t &installed()
{
    static ui_device_detect_t detect;
    return detect;
}

} // namespace

int ui_device_detected()
{
    const ui_device_detect_t &detect = installed();
    return detect ? detect() : vextral_device_detected();
}

ui_device_detect_t ui_set_device_detect(ui_device_detect_t detect) { return std::exchange(installed(), std::move(detect)); }
