#include "plat_device_watch.h"

#include <atomic>
#include <libusb.h>
#include <thread>

bool plat_is_device_change_message(std::uint32_t message, std::uintptr_t wparam)
{
    return message == 0x0219u && (wparam == 0x8000u || wparam == 0x8004u);
}

struct plat_device_watch_t::impl_t
{
    libusb_context *ctx = nullptr;
    libusb_hotplug_callback_handle handle = 0;
    bool registered = false;
    std::atomic<bool> quit{false};
    std::thread worker;
    std::function<void(bool)> on_change;

    static int LIBUSB_CALL hotplug(libusb_context *, libusb_device *, libusb_hotplug_event event, void *user)
    {
        auto *self = static_cast<impl_t *>(user);
        if (self->on_change)
            self->on_change(event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED);
        return 0; // stay registered
    }
};

plat_device_watch_t::plat_device_watch_t() : m_impl(new impl_t) {}

plat_device_watch_t::~plat_device_watch_t() { stop(); }

bool plat_device_watch_t::running() const { return m_impl->worker.joinable(); }

bool plat_device_watch_t::start(std::function<void(bool arrived)> on_change)
{
    if (running())
        return true;
    impl_t &d = *m_impl;
    if (libusb_init(&d.ctx) != 0) {
        d.ctx = nullptr;
        return false;
    }
    if (!libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
        libusb_exit(d.ctx);
        d.ctx = nullptr;
        return false;
    }
    d.on_change = std::move(on_change);
    int events = LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
    if (libusb_hotplug_register_callback(d.ctx, static_cast<libusb_hotplug_event>(events), LIBUSB_HOTPLUG_NO_FLAGS,
                                         LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
                                         LIBUSB_HOTPLUG_MATCH_ANY, &impl_t::hotplug, &d,
                                         &d.handle) != LIBUSB_SUCCESS) {
        libusb_exit(d.ctx);
        d.ctx = nullptr;
        return false;
    }
    d.registered = true;
    d.quit = false;
    d.worker = std::thread([&d] {
        while (!d.quit) {
            timeval tv{0, 200000};
            libusb_handle_events_timeout_completed(d.ctx, &tv, nullptr);
        }
    });
    return true;
}

void plat_device_watch_t::stop()
{
    impl_t &d = *m_impl;
    d.quit = true;
    if (d.worker.joinable())
        d.worker.join();
    if (d.ctx) {
        if (d.registered)
            libusb_hotplug_deregister_callback(d.ctx, d.handle);
        d.registered = false;
        libusb_exit(d.ctx);
        d.ctx = nullptr;
    }
}
