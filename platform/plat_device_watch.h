#pragma once
#include <cstdint>
#include <functional>
#include <memory>

// True for the device-change message of the Windows message loop that announces an
// arrival (0x0219 with 0x8000) or a removal (0x0219 with 0x8004).
bool plat_is_device_change_message(std::uint32_t message, std::uintptr_t wparam);

// Watches USB arrivals and removals through libusb's hot-plug events, on a worker
// thread of its own. `on_change` runs on that thread; the caller hands it over to its
// own thread. Where libusb cannot start (no USB bus, no hot-plug support) start() returns
// false and no event ever arrives.
class plat_device_watch_t
{
public:
    plat_device_watch_t();
    ~plat_device_watch_t();
    plat_device_watch_t(const plat_device_watch_t &) = delete;
    plat_device_watch_t &operator=(const plat_device_watch_t &) = delete;

    bool start(std::function<void(bool arrived)> on_change);
    void stop();
    bool running() const;

private:
    struct impl_t;
    std::unique_ptr<impl_t> m_impl;
};
