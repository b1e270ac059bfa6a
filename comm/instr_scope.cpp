#include "instr_scope.h"

#include "cfg_wv_sample_sink.h"
#include "drv_device_comm.h"
#include "instr_model_class.h"
#include "instr_reply.h"
#include "instr_transfer_buffer.h"
#include "lib_alloc.h"
#include "lib_file_io.h"
#include "lib_sample_conv.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32 k_trace_capacity = 29360640;
constexpr uint32 k_param_capacity = 100;
constexpr uint32 k_count_capacity = 10;
constexpr uint32 k_trace_timeout_ms = 120000;
constexpr uint32 k_normal_timeout_ms = 2000;
constexpr double k_trace_pause_ms = 3000;
constexpr double k_vdiv_pause_ms = 1000;
constexpr double k_param_pause_ms = 100;
// The data start this many bytes after the header's "#"; two bytes end the trace.
constexpr std::size_t k_header_bytes = 357;
constexpr std::size_t k_trailer_bytes = 2;

void write_text(drv_device_comm_t *comm, ViSession session, const std::string &text)
{
    comm->write_cmd(session, text.data(), static_cast<uint32>(text.size()));
}

// One parameter query: write, pause, read, take the leading number. -1 on any failure.
int32 query_number(drv_device_comm_t *comm, ViSession session, const std::string &command, double pause_ms,
                   char *buffer, float &value)
{
    write_text(comm, session, command);
    comm->sleep_ms(pause_ms);
    int32 n = comm->read_data(session, buffer, k_param_capacity);
    if (n < 0 || !instr_leading_float(std::string(buffer, std::size_t(n)), value))
        return -1;
    return 0;
}

} // namespace

std::string instr_scope_t::scope_channel_name(int channel) const
{
    return channel >= 0 && channel <= 7 ? "C" + std::to_string(channel + 1) : "C1";
}

int32 instr_scope_t::scope_get_channel_count(ViSession session)
{
    if (session == 0)
        return 2;
    auto buffer = lib_alloc_array<char>(k_count_capacity);
    if (!buffer)
        return -2;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    write_text(comm, session, "CHS?");
    comm->sleep_ms(k_param_pause_ms);
    int32 n = comm->read_data(session, buffer.get(), k_count_capacity);
    for (int32 i = 0; i < n; ++i) {
        if (buffer[i] == '4')
            return 4;
        if (buffer[i] == '8')
            return 8;
    }
    return 2;
}

int32 instr_scope_t::scope_query_channel_params(ViSession session, int channel)
{
    auto buffer = lib_alloc_array<char>(k_param_capacity);
    if (!buffer)
        return -2;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    const std::string name = scope_channel_name(channel);
    write_text(comm, session, "chdr off\n");
    float v = 0, o = 0, t = 0, s = 0;
    if (query_number(comm, session, name + ":vdiv?", k_vdiv_pause_ms, buffer.get(), v) < 0 ||
        query_number(comm, session, name + ":ofst?\n", k_param_pause_ms, buffer.get(), o) < 0 ||
        query_number(comm, session, "tdiv?\n", k_param_pause_ms, buffer.get(), t) < 0 ||
        query_number(comm, session, "sara?\n", k_param_pause_ms, buffer.get(), s) < 0)
        return -1;
    vdiv = v;
    ofst = o;
    tdiv = t;
    sara = s;
    return 0;
}

int32 instr_scope_t::scope_read_waveform(ViSession session, int channel, lib_wv_data_t<short int> &data)
{
    if (session == 0)
        return -20;
    std::unique_ptr<char[]> fresh;
    char *const trace = instr_transfer_buffer(k_trace_capacity, fresh);
    if (!trace)
        return -2;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    comm->set_timeout(session, k_trace_timeout_ms);
    write_text(comm, session, scope_channel_name(channel) + ":WF? ALL");
    comm->sleep_ms(k_trace_pause_ms);
    const int32 n = comm->read_data(session, trace, k_trace_capacity);
    comm->set_timeout(session, k_normal_timeout_ms);
    if (n < 0)
        return -1;

    const char *hash = static_cast<const char *>(std::memchr(trace, '#', std::size_t(n)));
    const int64 start = int64(hash ? hash - trace : 0) + int64(k_header_bytes);
    const int64 points = int64(n) - start - int64(k_trailer_bytes);
    if (points <= 0)
        return -2;

    int32 r = scope_query_channel_params(session, channel);
    if (r < 0)
        return r;
    // A time base of zero or less gives no frequency.
    if (!(tdiv > 0) || !std::isfinite(vdiv) || !std::isfinite(ofst))
        return -1;

    // Every point's voltage depends on its code alone, so the 256 voltages and samples
    // are worked out once; the trace then maps through the table.
    const int8_t *codes = reinterpret_cast<const int8_t *>(trace + start);
    int8_t lo = 127, hi = -128;
    for (int64 i = 0; i < points; ++i) {
        lo = std::min(lo, codes[i]);
        hi = std::max(hi, codes[i]);
    }
    const float v_lo = scope_code_to_volt(static_cast<uint8_t>(lo));
    const float v_hi = scope_code_to_volt(static_cast<uint8_t>(hi));
    const float largest = std::max(v_lo, v_hi);
    const float smallest = std::min(v_lo, v_hi);
    const float amplitude = largest - smallest;
    const float offset = (largest + smallest) / 2;
    if (!std::isfinite(amplitude) || !std::isfinite(offset))
        return -1;
    short int table[256];
    for (int c = -128; c < 128; ++c) {
        const float v = scope_code_to_volt(static_cast<uint8_t>(c));
        // A flat trace has no scale: all its samples are 0.
        table[c + 128] = amplitude == 0 ? 0 : lib_to_int16_sat((v - offset) / amplitude * 65534.0f);
    }

    cfg_wv_sample_sink_t sink(data, false);
    short int *out = reinterpret_cast<short int *>(lib_transfer_buffer());
    const int64 chunk = int64(LIB_TRANSFER_BYTES / sizeof(short int));
    for (int64 done = 0; done < points && sink.ok(); done += chunk) {
        const int64 take = std::min(chunk, points - done);
        for (int64 i = 0; i < take; ++i)
            out[i] = table[codes[done + i] + 128];
        sink.append(out, uint64(take));
    }
    if (!sink.commit())
        return -1;
    data.amp = amplitude;
    data.offset = offset;
    data.freq = 1.0 / (10.0 * double(tdiv));
    return 0;
}

float instr_scope_t::scope_code_to_volt(uint8_t code) const
{
    const long double c = static_cast<int8_t>(code);
    return static_cast<float>(c * ((long double)vdiv / 30.0L) - (long double)ofst);
}

float instr_scope_t::scope_parse_scaled_number(const std::string &text) const
{
    std::size_t at = text.find_first_of("GgKkM");
    float value = 0;
    if (!instr_leading_float(text.substr(0, at), value))
        return 0;
    if (at == std::string::npos)
        return value;
    const char unit = text[at];
    const double scale = unit == 'G' || unit == 'g' ? 1e9 : unit == 'M' ? 1e6 : 1e3;
    const double scaled = double(value) * scale;
    return std::fabs(scaled) > 3.4e38 ? 0 : static_cast<float>(scaled);
}

int32 instr_scope_t::scope_model_family(const std::string &product) const { return ::scope_model_family(product); }
