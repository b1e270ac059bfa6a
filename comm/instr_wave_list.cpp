#include "instr_wave_list.h"

#include "cfg_wv_sample_sink.h"
#include "drv_device_comm.h"
#include "instr_reply.h"
#include "instr_transfer_buffer.h"
#include "lib_alloc.h"
#include "lib_diag.h"

#include <cstring>

namespace {

constexpr uint32 k_list_capacity = 4096;
constexpr uint32 k_param_capacity = 500;
// 20,971,520 samples of two bytes and 102 bytes of header.
constexpr uint32 k_wave_capacity = 41943142;
constexpr double k_list_pause_ms = 500;
constexpr double k_user_list_pause_ms = 1000;
constexpr double k_param_pause_ms = 500;
constexpr double k_wave_pause_ms = 500;

// Writes the command, pauses and reads the reply: the byte count with `reply` holding
// exactly those bytes, -1 when the read failed, -2 when the buffer could not be had.
int32 exchange(ViSession session, const std::string &command, double pause_ms, uint32 capacity,
               std::string &reply)
{
    auto buffer = lib_alloc_array<char>(capacity);
    if (!buffer)
        return -2;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    comm->write_cmd(session, command.data(), static_cast<uint32>(command.size()));
    comm->sleep_ms(pause_ms);
    int32 n = comm->read_data(session, buffer.get(), capacity);
    if (n < 0)
        return -1;
    reply.assign(buffer.get(), static_cast<std::size_t>(n));
    return n;
}

// The list replies start with four characters of their own.
std::vector<std::string> list_pieces(const std::string &reply)
{
    return reply.size() < 4 ? std::vector<std::string>() : instr_split_list(reply.substr(4));
}

} // namespace

int32 instr_get_wave_list(ViSession session, uint32, std::map<std::string, std::string> &list)
{
    std::string reply;
    int32 n = exchange(session, "STL?", k_list_pause_ms, k_list_capacity, reply);
    if (n < 0)
        return n;
    std::vector<std::string> pieces = list_pieces(reply);
    for (std::size_t i = 1; i < pieces.size(); i += 2)
        if (pieces[i] != "EMPTY")
            list.emplace(pieces[i - 1], pieces[i]);
    return 0;
}

int32 instr_get_user_wave_list(ViSession session, uint32 model, std::map<std::string, std::string> &list)
{
    if (model > 5)
        return 0;
    std::string reply;
    int32 n = exchange(session, "STL? USER\n", k_user_list_pause_ms, k_list_capacity, reply);
    if (n == -2)
        return -2;
    if (n < 0)
        return 0;
    for (const std::string &piece : list_pieces(reply))
        if (piece != "WVNM")
            list.emplace(piece, "user:" + piece);
    return 0;
}

int32 instr_get_all_wave_list(ViSession session, uint32 model, std::map<std::string, std::string> &list)
{
    if (session == 0)
        return -21;
    int32 r = instr_get_wave_list(session, model, list);
    if (r < 0)
        return r;
    std::map<std::string, std::string> user;
    // Out of memory is reported, not passed off as a list without user waves.
    if (instr_get_user_wave_list(session, model, user) == -2)
        return -2;
    for (const auto &entry : user)
        list.insert(entry);
    return 0;
}

int32 instr_read_wave_param(ViSession session, uint32, float &freq, float &amp, float &offset, float &phase)
{
    if (session == 0)
        return -22;
    std::string reply;
    int32 n = exchange(session, "WVPR? M0\n", k_param_pause_ms, k_param_capacity, reply);
    if (n < 0)
        return n;
    std::vector<std::string> pieces = instr_split_list(reply);
    float values[4] = {freq, amp, offset, phase};
    static const char *const keys[4] = {"FREQ", "AMPL", "OFST", "PHASE"};
    for (std::size_t i = 0; i + 1 < pieces.size();) {
        int key = -1;
        for (int k = 0; k < 4; ++k)
            if (pieces[i] == keys[k])
                key = k;
        if (key < 0) {
            ++i;
            continue;
        }
        if (!instr_leading_float(pieces[i + 1], values[key]))
            return -1;
        i += 2;
    }
    freq = values[0];
    amp = values[1];
    offset = values[2];
    phase = values[3];
    return 0;
}

int32 instr_read_wave(ViSession session, uint32 model, const char *name, lib_wv_data_t<short int> &data)
{
    const std::string command = "WVDT? " + std::string(name ? name : "");
    // Used as samples too, so that, moved to its start, the data can be written as they are.
    std::unique_ptr<char[]> fresh;
    char *const reply = instr_transfer_buffer(k_wave_capacity + 1, fresh);
    if (!reply)
        return -2;
    int16 *const samples = reinterpret_cast<int16 *>(reply);
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    comm->write_cmd(session, command.data(), static_cast<uint32>(command.size()));
    comm->sleep_ms(k_wave_pause_ms);
    const int32 n = comm->read_data(session, reply, k_wave_capacity);
    if (n <= 0)
        return -1;

    // The samples follow the ninth comma; a reply with fewer commas is all samples.
    std::size_t start = 0;
    const char *at = reply;
    for (int commas = 0; commas < 9 && at; ++commas) {
        at = static_cast<const char *>(std::memchr(at, ',', std::size_t(reply + n - at)));
        if (at)
            ++at;
    }
    if (at)
        start = std::size_t(at - reply);
    if (start >= std::size_t(n))
        return -1;
    if (model > 10)
        return n;
    const std::size_t count = (std::size_t(n) - start) / 2;
    // Half a sample is nothing a waveform can be made of.
    if (count == 0)
        return -1;

    // The samples go to the file from where they lie when they are aligned, else from
    // the buffer's start.
    const int16 *out = samples;
    if (model >= 6) {
        for (std::size_t i = 0; i < count; ++i) {
            uint16 v;
            std::memcpy(&v, reply + start + 2 * i, 2);
            v = static_cast<uint16>(v << 2);
            std::memcpy(reply + 2 * i, &v, 2);
        }
    } else if (start % 2 == 0) {
        out = samples + start / 2;
    } else {
        std::memmove(reply, reply + start, count * 2);
    }
    cfg_wv_sample_sink_t sink(data, true);
    if (!sink.append(out, count) || !sink.commit())
        return -1;
    return n;
}

std::vector<std::string> instr_wave_param_keys() { return {"FREQ", "AMPL", "OFST", "PHASE"}; }

std::map<std::string, std::string> instr_read_wave_param_map(const std::vector<std::string> &keys,
                                                             ViSession session)
{
    std::map<std::string, std::string> found;
    std::string reply;
    if (exchange(session, "WVPR? M0\n", k_param_pause_ms, k_param_capacity, reply) < 0)
        return found;
    std::vector<std::string> pieces = instr_split_list(reply);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        lib_diag_line(pieces[i]);
        if (i == 0)
            continue;
        for (const std::string &key : keys)
            if (pieces[i - 1] == key)
                found.emplace(key, pieces[i]);
    }
    return found;
}

ViStatus instr_open(const std::string &resource, ViSession &session)
{
    return drv_device_comm_t::get_instance()->open_instr(resource, session);
}

ViStatus instr_close(ViSession session) { return drv_device_comm_t::get_instance()->close_instr(session); }

int32 instr_write(ViSession session, const std::string &command)
{
    return drv_device_comm_t::get_instance()->write_cmd(session, command.data(),
                                                       static_cast<uint32>(command.size()));
}
