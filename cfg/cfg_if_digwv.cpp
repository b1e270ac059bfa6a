#include "cfg_if_digwv.h"

#include "cfg_wv_gen.h"
#include "cfg_wv_sample_sink.h"

#include <algorithm>
#include <vector>

cfg_if_digwv_t::cfg_if_digwv_t() : bit_rate(1000000.0) {}

cfg_if_digwv_t::~cfg_if_digwv_t() = default;

int cfg_if_digwv_t::set_wv_len(const uint32 &value)
{
    cfg_if_wv_t::set_wv_len(value);
    resize_wv_data(value);
    // No points give no frequency; the editor never asks for that.
    if (value != 0)
        set_freq(bit_rate / double(value));
    return 0;
}

int cfg_if_digwv_t::create_wv_data() { return 0; }

void cfg_if_digwv_t::init_wv_data()
{
    constexpr uint32 k_pattern = 1048576;
    std::vector<short int> pattern(k_pattern);
    for (uint32 i = 0; i < k_pattern; i += 2) {
        pattern[i] = static_cast<short int>(0xFFFF - 0x10000);
        pattern[i + 1] = 0;
    }
    cfg_wv_sample_sink_t sink(*get_wv_data(), true);
    const uint32 n = *get_wv_len();
    // Every full piece has an even length, so the alternation runs on across pieces.
    for (uint32 done = 0; done < n && sink.ok();) {
        const uint32 len = std::min(k_pattern, n - done);
        sink.append(pattern.data(), len);
        done += len;
    }
    sink.commit();
}
