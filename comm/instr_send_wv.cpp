#include "instr_send_wv.h"

#include "drv_device_comm.h"
#include "instr_transfer_buffer.h"
#include "lib_alloc.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_number_text.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32 k_download_timeout_ms = 60000;
constexpr uint32 k_normal_timeout_ms = 2000;
constexpr double k_output_off_pause_ms = 500;
constexpr double k_bswv_pause_ms = 1000;

// Only this thread (the GUI's) downloads.
int g_segment_counter = 1;

bool write_text(drv_device_comm_t *comm, ViSession session, const std::string &text)
{
    return comm->write_cmd(session, text.data(), static_cast<uint32>(text.size())) == 1;
}

} // namespace

instr_send_wv_t::instr_send_wv_t()
    : ch_code(0), session(0), amp(0), offset(0), freq(0), phase(0), len(0), model_class(0), srate(0)
{
}

void instr_send_wv_t::set_params(int ch, ViSession sesn, float amplitude, float offs, double frequency,
                                 double sample_rate, float ph, const std::string &wave_name, int length,
                                 uint32 model)
{
    ch_code = ch;
    session = sesn;
    amp = amplitude;
    offset = offs;
    freq = frequency;
    srate = sample_rate;
    phase = ph;
    name = wave_name;
    len = length;
    model_class = model;
}

int instr_send_wv_t::segment_counter() { return g_segment_counter; }

std::string instr_send_wv_t::prefix() const
{
    switch (ch_code) {
    case 0:
        return "C1:";
    case 1:
        return "C2:";
    case 2:
        return "C3:";
    case 3:
        return "C4:";
    case 8:
        return "DIG:";
    default:
        return "";
    }
}

std::string instr_send_wv_t::storage_field(const std::string &store) const
{
    if (!fourteen_bit() || store.find("ARB") == std::string::npos)
        return "";
    return "M" + store.substr(3) + ",";
}

std::string instr_send_wv_t::build_wave_head(const std::string &store, int segment, bool more) const
{
    const bool shrt = short_keys();
    const std::string freq_key = shrt ? "FRQ," : "FREQ,";
    const std::string amp_key = shrt ? "AMP," : "AMPL,";
    const std::string phase_key = shrt ? "PHSE," : "PHASE,";
    const std::string freq_text = freq_key + number_to_string(freq) + ",";
    const std::string level_text = amp_key + number_to_string(amp) + ",OFST," + number_to_string(offset) + "," +
                                   phase_key + number_to_string(phase) + ",";

    std::string head = prefix();
    head += segment <= 1 && !more ? "WVDT " : "WVDT:SEGMENT ";
    head += storage_field(store);
    if (ch_code == 8)
        head += freq_text + "BRATE," + number_to_string(srate) + "," + level_text;
    else
        head += (shrt ? "TYPE,10," : "TYPE,5,") + freq_text + level_text;
    head += "WVNM," + name + ",";
    const int64 bytes = int64(len) * 2;
    head += "LENGTH," + (fourteen_bit() ? std::to_string(bytes / 1024) + "KB" : std::to_string(bytes)) + ",";
    if (more && segment <= 1)
        head += "BEGIN,";
    else if (!more && segment > 1)
        head += "END,";
    return head + "WAVEDATA,";
}

bool instr_send_wv_t::append_wave_data(int16 *out, const lib_wv_data_t<short int> &data, uint64 first,
                                       uint64 count) const
{
    const std::size_t bytes = std::size_t(count) * 2;
    if (bytes == 0)
        return true;
    lib_fd_t in = lib_open_read(data.samples.path);
    if (!in.ok())
        return false;
    if (!fourteen_bit())
        return lib_pread_all(in.get(), out, bytes, first * 2) == bytes;
    // Pieces come through a small part of the shared transfer buffer, which stays in the
    // cache, and land shifted in the command.
    constexpr uint64 k_piece = 128 * 1024;
    char *buffer = lib_transfer_buffer();
    const int16 *piece = reinterpret_cast<const int16 *>(buffer);
    for (uint64 at = 0; at < count; at += k_piece) {
        const uint64 n = std::min(k_piece, count - at);
        if (lib_pread_all(in.get(), buffer, std::size_t(n) * 2, (first + at) * 2) != std::size_t(n) * 2)
            return false;
        for (uint64 i = 0; i < n; ++i)
            out[at + i] = static_cast<int16>(piece[i] >> 2);
    }
    return true;
}

int32 instr_send_wv_t::send_bswv_preset(drv_device_comm_t *comm)
{
    write_text(comm, session, prefix() + output_off_keyword());
    comm->sleep_ms(k_output_off_pause_ms);
    const std::string bswv = prefix() + bswv_keyword() + "OFST," + number_to_string(offset) + ",PHSE," +
                             number_to_string(phase) + ",FRQ," + number_to_string(freq) + ",AMP," +
                             number_to_string(amp);
    int32 result = write_text(comm, session, bswv) ? 1 : 0;
    comm->sleep_ms(k_bswv_pause_ms);
    return result;
}

int32 instr_send_wv_t::select_sent_wave(drv_device_comm_t *comm, const std::string &store, int, bool more)
{
    if (more)
        return 1;
    g_segment_counter = 1;
    std::string command = prefix();
    if (fourteen_bit()) {
        std::string slot = storage_field(store);
        command += "ARWV INDEX," + (slot.empty() ? slot : slot.substr(1, slot.size() - 2));
    } else {
        command += "ARWV NAME," + name;
    }
    lib_diag_line(command);
    return write_text(comm, session, command) ? 1 : 0;
}

std::string instr_send_wv_t::length_from_file(const std::string &path) const
{
    int64 bytes = lib_file_length(path);
    return "LENGTH," + std::to_string(bytes > 0 ? bytes / 2 : 0) + ",";
}

int32 instr_send_wv_t::send_wave(ViSession sesn, int ch, float amplitude, float offs, double frequency,
                                 double sample_rate, float ph, int length, const std::string &wave_name,
                                 const lib_wv_data_t<short int> &data, const std::string &store, uint32 model,
                                 int segment, bool more)
{
    set_params(ch, sesn, amplitude, offs, frequency, sample_rate, ph, wave_name, length, model);
    // A new download starts clean whatever an earlier one left behind.
    if (segment <= 1)
        g_segment_counter = 1;

    // The command is built before anything is written, so a shortage of memory or an
    // unreadable sample file leaves the generator untouched.
    const int64 file_bytes = lib_file_length(data.samples.path);
    if (file_bytes < 0) {
        g_segment_counter = 1;
        return -1;
    }
    const uint64 total = uint64(file_bytes) / 2;
    const uint64 first = uint64(segment > 1 ? segment - 1 : 0) * INSTR_SEGMENT_POINTS;
    const uint64 count = first < total ? std::min<uint64>(INSTR_SEGMENT_POINTS, total - first) : 0;
    const std::string head = build_wave_head(store, segment, more);
    const uint64 command_bytes = head.size() + count * 2;
    // The command starts one byte in when the text is odd, so the samples after it
    // are aligned.
    const std::size_t lead = head.size() % 2;
    std::unique_ptr<char[]> fresh;
    char *storage = instr_transfer_buffer(lead + command_bytes, fresh);
    if (!storage) {
        g_segment_counter = 1;
        return -2;
    }
    char *command = storage + lead;
    std::memcpy(command, head.data(), head.size());
    if (!append_wave_data(reinterpret_cast<int16 *>(storage + lead + head.size()), data, first, count)) {
        g_segment_counter = 1;
        return -1;
    }

    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    if (short_keys() && segment <= 1 && send_bswv_preset(comm) == 0) {
        g_segment_counter = 1;
        return 0;
    }
    comm->set_timeout(session, k_download_timeout_ms);
    int32 written = comm->write_cmd(session, command, static_cast<uint32>(command_bytes));
    comm->set_timeout(session, k_normal_timeout_ms);
    fresh.reset();
    if (written != 1) {
        g_segment_counter = 1;
        return -1;
    }
    if (more)
        ++g_segment_counter;
    return select_sent_wave(comm, store, segment, more);
}

int32 instr_send_wave(ViSession session, int ch, float amp, float offset, double freq, double srate, float phase,
                      int len, const std::string &name, const lib_wv_data_t<short int> &data,
                      const std::string &store, uint32 model, int segment, bool more)
{
    if (session == 0)
        return -30;
    instr_send_wv_t wave;
    return wave.send_wave(session, ch, amp, offset, freq, srate, phase, len, name, data, store, model, segment,
                          more);
}
