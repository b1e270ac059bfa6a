#pragma once
#include <functional>

// Whether the USB waveform-generator module is plugged in: 1 when it is. Calls the
// device library's export, or the function installed in its place.
int ui_device_detected();

// Replaces the call to the device library (tests answer 0 or 1 without a USB bus); an
// empty function goes back to the library. Returns the function it replaces.
using ui_device_detect_t = std::function<int()>;
ui_device_detect_t ui_set_device_detect(ui_device_detect_t detect);
