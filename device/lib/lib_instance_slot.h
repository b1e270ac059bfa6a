#pragma once
// lib_instance_slot_t: the home of one process-wide object that its first get() builds.
// It behaves like a function static (a single, thread-safe first build) but can be
// emptied again, so that the next get() builds a new object as at process start. The
// object is never destroyed at exit: other objects' teardown may still reach it.
#include <atomic>
#include <mutex>

template <typename T>
class lib_instance_slot_t
{
public:
    constexpr lib_instance_slot_t() = default;

    T *get()
    {
        T *instance = _instance.load(std::memory_order_acquire);
        if (__builtin_expect(instance != nullptr, 1))
            return instance;
        std::lock_guard<std::mutex> lock(_mutex);
        instance = _instance.load(std::memory_order_relaxed);
        if (!instance) {
            instance = new T();
            _instance.store(instance, std::memory_order_release);
        }
        return instance;
    }

    bool has() const { return _instance.load(std::memory_order_acquire) != nullptr; }

    // Destroys the object; nothing may hold a pointer to it across the call.
    void reset()
    {
        std::lock_guard<std::mutex> lock(_mutex);
        delete _instance.exchange(nullptr, std::memory_order_acq_rel);
    }

    lib_instance_slot_t(const lib_instance_slot_t &) = delete;
    lib_instance_slot_t &operator=(const lib_instance_slot_t &) = delete;

private:
    std::atomic<T *> _instance{nullptr};
    std::mutex _mutex;
};
