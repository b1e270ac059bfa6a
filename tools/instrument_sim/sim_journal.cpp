#include "sim_journal.h"

#include <utility>
#include <xxhash.h>

namespace {
constexpr std::size_t k_long_message = 1024;
constexpr std::size_t k_long_head = 64;
} // namespace

std::uint64_t sim_checksum(const void *data, std::size_t bytes) { return XXH3_64bits(data, bytes); }

void sim_journal_t::add(sim_journal_entry_t entry)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_sink)
        m_sink(entry);
    else
        m_entries.push_back(std::move(entry));
}

void sim_journal_t::set_sink(std::function<void(const sim_journal_entry_t &)> sink)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sink = std::move(sink);
}

void sim_journal_t::add_write(const std::string &resource, std::string_view message, std::int32_t status)
{
    sim_journal_entry_t e{sim_journal_entry_t::WRITE, resource};
    e.size = message.size();
    e.status = status;
    std::size_t data = message.find("WAVEDATA,");
    if (data != std::string_view::npos)
        data += 9;
    else if (message.size() > k_long_message)
        data = k_long_head;
    if (data == std::string_view::npos) {
        e.text = std::string(message);
    } else {
        e.text = std::string(message.substr(0, data));
        e.checksum = sim_checksum(message.data() + data, message.size() - data);
    }
    add(std::move(e));
}

void sim_journal_t::add_pause(std::uint32_t ms)
{
    sim_journal_entry_t e{sim_journal_entry_t::PAUSE, ""};
    e.size = ms;
    add(std::move(e));
}

std::vector<sim_journal_entry_t> sim_journal_t::entries() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries;
}

std::vector<std::string> sim_journal_t::writes() const
{
    std::vector<std::string> out;
    for (const sim_journal_entry_t &e : of_kind(sim_journal_entry_t::WRITE))
        out.push_back(e.text);
    return out;
}

std::vector<sim_journal_entry_t> sim_journal_t::of_kind(sim_journal_entry_t::kind_t kind) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<sim_journal_entry_t> out;
    for (const sim_journal_entry_t &e : m_entries)
        if (e.kind == kind)
            out.push_back(e);
    return out;
}

void sim_journal_t::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.clear();
}
