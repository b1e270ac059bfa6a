#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One thing a simulated instrument saw.
struct sim_journal_entry_t
{
    enum kind_t { OPEN, CLOSE, WRITE, READ, TIMEOUT, CLEAR, PAUSE };

    sim_journal_entry_t(kind_t k, std::string res) : kind(k), resource(std::move(res)) {}

    kind_t kind;
    std::string resource;
    // WRITE: the message; for a download the text up to "WAVEDATA,", for another
    // message over 1024 bytes its first 64 bytes.
    std::string text;
    // WRITE: message bytes; READ: the capacity asked for; TIMEOUT and PAUSE: milliseconds.
    std::uint64_t size = 0;
    // WRITE of a download or a long message: sim_checksum of the bytes after `text`.
    std::uint64_t checksum = 0;
    // OPEN, WRITE, READ: the VISA status the call returned.
    std::int32_t status = 0;
};

// A 64-bit hash of the bytes (XXH3, at memory speed): how the journal stands for large data.
std::uint64_t sim_checksum(const void *data, std::size_t bytes);

// The ordered record of everything instruments saw; tests add the program's pauses to
// it (PAUSE) to check where each pause falls.
class sim_journal_t
{
public:
    void add(sim_journal_entry_t entry);
    void add_write(const std::string &resource, std::string_view message, std::int32_t status);
    void add_pause(std::uint32_t ms);
    // From now on every entry goes to `sink`, in order, instead of being kept: a
    // long-running simulator writes its journal to a file.
    void set_sink(std::function<void(const sim_journal_entry_t &)> sink);

    std::vector<sim_journal_entry_t> entries() const;
    // The texts of the WRITE entries, in order.
    std::vector<std::string> writes() const;
    // The entries of one kind, in order.
    std::vector<sim_journal_entry_t> of_kind(sim_journal_entry_t::kind_t kind) const;
    void clear();

private:
    mutable std::mutex m_mutex;
    std::vector<sim_journal_entry_t> m_entries;
    std::function<void(const sim_journal_entry_t &)> m_sink;
};
