#pragma once
#include "sim_faults.h"
#include "sim_journal.h"
#include "sim_profile.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A waveform a download stored.
struct sim_wave_t
{
    std::string name;
    int channel = -1; // 0 to 3 for "C1:" to "C4:", 8 for "DIG:", -1 without prefix
    int slot = -1;    // the "M" storage slot of classes 6 to 8, -1 without
    // Header fields as sent, the key as written: "TYPE", "FREQ" or "FRQ", "LENGTH"...
    std::map<std::string, std::string> fields;
    std::string data; // the sample bytes as received, every segment in order
    std::uint64_t data_bytes = 0; // how many arrived (also when the engine discards them)
    int segments = 0;
};

// One channel of a simulated oscilloscope.
struct sim_scope_channel_t
{
    double vdiv = 1.0;
    double ofst = 0.0;
    std::vector<std::int8_t> codes; // the captured trace, one signed code per point
};

// The instrument model ("command engine"): it answers the command sets of a waveform
// generator and of an oscilloscope as the profile says, and keeps what downloads store.
// It knows nothing of transports: one complete message goes in, zero or one reply
// message comes out. Text commands may end in CR/LF, which is ignored; a download is
// text up to "WAVEDATA," followed by raw samples up to the end of the message.
class sim_engine_t
{
public:
    explicit sim_engine_t(sim_profile_t profile);

    // Takes one message; true with `reply` set when the instrument answers it.
    bool handle(std::string_view message, std::string &reply);

    sim_profile_t &profile() { return m_profile; }
    sim_faults_t &faults() { return m_faults; }
    sim_journal_t &journal() { return *m_journal; }
    // Several instruments may record into one journal, so their traffic reads in order.
    void share_journal(std::shared_ptr<sim_journal_t> journal) { m_journal = std::move(journal); }

    // Generator state.
    const sim_wave_t *wave(const std::string &name) const;
    const std::map<std::string, sim_wave_t> &waves() const { return m_waves; }
    // Stores a user waveform as a download would (for read-back tests).
    void store_wave(sim_wave_t wave);
    // What "ARWV NAME," or "ARWV INDEX," selected last on the channel ("" none).
    std::string selected(int channel) const;
    bool output_off(int channel) const { return m_output_off.count(channel) != 0; }
    // The last "BSWV " settings of the channel, key to value.
    std::map<std::string, std::string> basic_wave(int channel) const;
    // Messages the engine could not make sense of (malformed downloads, unknown commands).
    const std::vector<std::string> &errors() const { return m_errors; }

    // Oscilloscope state.
    sim_scope_channel_t &scope_channel(int index) { return m_scope[index]; }
    double tdiv = 1e-3;
    double sara = 1e9;

    // Serving: false drops the samples of downloads once counted (benchmarks send tens
    // of MB that nobody reads back); called with every waveform a download completes.
    bool keep_samples = true;
    std::function<void(const sim_wave_t &)> on_downloaded;

private:
    bool answer(const std::string &command, std::string &reply);
    bool answer_generator(const std::string &upper, const std::string &command, std::string &reply);
    bool answer_scope(const std::string &upper, std::string &reply);
    void download(std::string_view message);
    bool read_back(const std::string &id, std::string &reply);
    std::string wave_params_reply() const;
    std::string builtin_list_reply() const;
    std::string user_list_reply() const;
    const sim_wave_t *find_for_read(const std::string &id, sim_wave_t &builtin) const;
    void error(const std::string &what);

    sim_profile_t m_profile;
    sim_faults_t m_faults;
    std::shared_ptr<sim_journal_t> m_journal;
    std::map<std::string, sim_wave_t> m_waves;
    sim_wave_t m_pending; // a segmented download between "BEGIN," and "END,"
    bool m_has_pending = false;
    std::map<int, std::string> m_selected;
    std::map<int, bool> m_output_off;
    std::map<int, std::map<std::string, std::string>> m_bswv;
    std::vector<std::string> m_errors;
    std::map<int, sim_scope_channel_t> m_scope;
    bool m_scope_headers = true;
};
