#pragma once
#include "plat_sleep.h"

#include <cstdint>
#include <vector>

// Test helper: while it lives, every plat_sleep_ms is recorded here instead of waited
// for, and also handed to `also` when one is given. The previous hook comes back at the
// end of its scope.
class plat_sleep_recorder_t
{
public:
    explicit plat_sleep_recorder_t(plat_sleep_hook_t also = nullptr);
    ~plat_sleep_recorder_t();
    plat_sleep_recorder_t(const plat_sleep_recorder_t &) = delete;
    plat_sleep_recorder_t &operator=(const plat_sleep_recorder_t &) = delete;

    const std::vector<std::uint32_t> &pauses() const { return m_pauses; }
    std::uint64_t total_ms() const;
    void clear() { m_pauses.clear(); }

private:
    std::vector<std::uint32_t> m_pauses;
    plat_sleep_hook_t m_previous;
};
