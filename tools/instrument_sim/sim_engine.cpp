#include "sim_engine.h"

#include "sim_text.h"

#include <cctype>
#include <cmath>
#include <utility>

namespace {

// Strips the CR/LF a text command may end with.
std::string text_command(std::string_view message)
{
    std::size_t end = message.size();
    while (end > 0 && (message[end - 1] == '\n' || message[end - 1] == '\r'))
        --end;
    return std::string(message.substr(0, end));
}

bool is_download(std::string_view message)
{
    std::size_t data = message.find("WAVEDATA,");
    return data != std::string_view::npos &&
           sim_upper(message.substr(0, data)).find("WVDT") != std::string::npos;
}

} // namespace

sim_engine_t::sim_engine_t(sim_profile_t profile)
    : m_profile(std::move(profile)), m_journal(std::make_shared<sim_journal_t>())
{
}

bool sim_engine_t::handle(std::string_view message, std::string &reply)
{
    // The reply is built in the caller's string, whose memory a server keeps between
    // replies of tens of MB.
    reply.clear();
    if (m_profile.silent)
        return false;
    bool answered = false;
    if (m_profile.generator && is_download(message))
        download(message);
    else
        answered = answer(text_command(message), reply);
    if (!answered || sim_faults_t::hits(m_faults.no_reply, message)) {
        reply.clear();
        return false;
    }
    if (sim_faults_t::hits(m_faults.garble, message))
        for (char &c : reply)
            c = static_cast<char>(static_cast<unsigned char>(c) | 0x80);
    reply.append(m_faults.reply_extra_bytes, 'X');
    return true;
}

bool sim_engine_t::answer(const std::string &command, std::string &reply)
{
    auto canned = m_profile.canned.find(command);
    if (canned != m_profile.canned.end()) {
        reply = canned->second;
        return true;
    }
    const std::string upper = sim_upper(command);
    const std::optional<std::string> *identity = nullptr;
    if (upper == "*IDN?") {
        reply = m_profile.idn;
        return true;
    }
    if (upper == "PROD?")
        identity = &m_profile.prod;
    else if (upper == "IDN-KRVN-AWG?")
        identity = &m_profile.private_idn;
    else if (upper == "IDN-KRVN-PRI?")
        identity = &m_profile.private_pri;
    if (identity) {
        if (!*identity)
            return false;
        reply = **identity;
        return true;
    }
    std::size_t errors_before = m_errors.size();
    if (m_profile.generator && answer_generator(upper, command, reply))
        return !reply.empty();
    if (m_profile.scope && answer_scope(upper, reply))
        return !reply.empty();
    if (m_errors.size() == errors_before)
        error("unknown command: " + command.substr(0, 80));
    return false;
}

bool sim_engine_t::answer_scope(const std::string &upper, std::string &reply)
{
    if (upper == "CHS?") {
        sim_keep_assign(reply, "CHS " + std::to_string(m_profile.scope_channels) + "\n");
        return true;
    }
    if (upper == "CHDR OFF" || upper == "CHDR ON") {
        m_scope_headers = upper == "CHDR ON";
        return true;
    }
    auto value_reply = [&](const std::string &head, double value, const char *unit) {
        sim_keep_assign(reply, (m_scope_headers ? head + " " : std::string()) + sim_number(value, 2) + unit + "\n");
        return true;
    };
    if (upper == "TDIV?")
        return value_reply("TDIV", tdiv, "S");
    if (upper == "SARA?")
        return value_reply("SARA", sara, "Sa/s");

    // Channel queries: "C<n>:VDIV?", "C<n>:OFST?", "C<n>:WF? ALL".
    if (upper.size() < 4 || upper[0] != 'C' || !std::isdigit(static_cast<unsigned char>(upper[1])) ||
        upper[2] != ':')
        return false;
    const int n = upper[1] - '0';
    const std::string what = upper.substr(3);
    if (what != "VDIV?" && what != "OFST?" && what != "WF? ALL")
        return false;
    if (n < 1 || n > m_profile.scope_channels) {
        error("no such channel: " + upper);
        return true;
    }
    sim_scope_channel_t &ch = m_scope[n - 1];
    const std::string name = upper.substr(0, 2);
    if (what == "VDIV?")
        return value_reply(name + ":VDIV", ch.vdiv, "V");
    if (what == "OFST?")
        return value_reply(name + ":OFST", ch.ofst, "V");

    if (ch.codes.empty()) {
        // A default capture: two periods of a sine over two divisions.
        for (int i = 0; i < 1000; ++i)
            ch.codes.push_back(static_cast<std::int8_t>(std::lround(60.0 * std::sin(i * 4 * M_PI / 1000))));
    }
    // The header ends 357 bytes after its "#": "#9", the point count in nine digits and
    // a descriptor block; two line feeds follow the codes.
    std::string count = std::to_string(ch.codes.size());
    std::string header = "#9" + std::string(9 - std::min<std::size_t>(9, count.size()), '0') + count;
    header.resize(357, '\0');
    reply.assign(name + ":WF ALL,");
    reply.append(header);
    reply.append(reinterpret_cast<const char *>(ch.codes.data()), ch.codes.size());
    reply += "\n\n";
    return true;
}

const sim_wave_t *sim_engine_t::wave(const std::string &name) const
{
    auto it = m_waves.find(name);
    return it == m_waves.end() ? nullptr : &it->second;
}

void sim_engine_t::store_wave(sim_wave_t wave)
{
    std::string name = wave.name;
    m_waves[name] = std::move(wave);
}

std::string sim_engine_t::selected(int channel) const
{
    auto it = m_selected.find(channel);
    return it == m_selected.end() ? std::string() : it->second;
}

std::map<std::string, std::string> sim_engine_t::basic_wave(int channel) const
{
    auto it = m_bswv.find(channel);
    return it == m_bswv.end() ? std::map<std::string, std::string>() : it->second;
}

void sim_engine_t::error(const std::string &what) { m_errors.push_back(what); }
