#pragma once
#include "ui_device_detect.h"

// The module's detection answers `answer` and counts its calls, for as long as it lives,
// so that no test scans the machine's USB bus through the device library by accident.
struct detect_script_t
{
    int answer = 0;
    int calls = 0;
    ui_device_detect_t previous;
    detect_script_t()
    {
        previous = ui_set_device_detect([this] {
            ++calls;
            return answer;
        });
    }
    ~detect_script_t() { ui_set_device_detect(previous); }
    detect_script_t(const detect_script_t &) = delete;
    detect_script_t &operator=(const detect_script_t &) = delete;
};
