#include "plat_sleep_recorder.h"

#include <numeric>
#include <utility>

plat_sleep_recorder_t::plat_sleep_recorder_t(plat_sleep_hook_t also)
{
    m_previous = plat_set_sleep_hook([this, also = std::move(also)](std::uint32_t ms) {
        m_pauses.push_back(ms);
        if (also)
            also(ms);
    });
}

plat_sleep_recorder_t::~plat_sleep_recorder_t() { plat_set_sleep_hook(std::move(m_previous)); }

std::uint64_t plat_sleep_recorder_t::total_ms() const
{
    return std::accumulate(m_pauses.begin(), m_pauses.end(), std::uint64_t(0));
}
