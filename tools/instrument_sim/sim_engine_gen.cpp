// The waveform-generator side of the simulated instrument: downloads, selection, the
// wave lists, the parameter query and the read-back.
#include "sim_engine.h"

#include "sim_text.h"

#include <cctype>
#include <cstring>
#include <set>

namespace {

const std::set<std::string> k_value_keys = {"TYPE", "FREQ", "FRQ", "AMPL", "AMP",    "OFST",
                                            "PHASE", "PHSE", "BRATE", "WVNM", "LENGTH"};

// "C1:" to "C8:" give 0 to 7, "DIG:" 8; the prefix is cut from `rest`.
int take_channel(const std::string &upper, std::size_t &rest)
{
    rest = 0;
    if (upper.size() >= 3 && upper[0] == 'C' && std::isdigit(static_cast<unsigned char>(upper[1])) &&
        upper[2] == ':') {
        rest = 3;
        return upper[1] - '1';
    }
    if (sim_starts_with(upper, "DIG:")) {
        rest = 4;
        return 8;
    }
    return -1;
}

bool is_slot(const std::string &token)
{
    if (token.size() < 2 || (token[0] != 'M' && token[0] != 'm'))
        return false;
    for (std::size_t i = 1; i < token.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(token[i])))
            return false;
    return true;
}

// Samples of a built-in wave: a fixed ramp, different for each memory.
std::string builtin_data(const std::string &memory)
{
    std::string data(2048, '\0');
    const unsigned seed = static_cast<unsigned>(std::hash<std::string>()(memory) & 0xFF);
    for (unsigned i = 0; i < 1024; ++i) {
        std::uint16_t v = static_cast<std::uint16_t>(i * 61 + seed * 97);
        data[2 * i] = static_cast<char>(v & 0xFF);
        data[2 * i + 1] = static_cast<char>(v >> 8);
    }
    return data;
}

std::string field_or(const sim_wave_t &w, const char *key, const char *short_key, const char *fallback)
{
    auto it = w.fields.find(key);
    if (it == w.fields.end())
        it = w.fields.find(short_key);
    return it == w.fields.end() ? fallback : it->second;
}

} // namespace

bool sim_engine_t::answer_generator(const std::string &upper, const std::string &command, std::string &reply)
{
    std::size_t rest = 0;
    const int channel = take_channel(upper, rest);
    const std::string u = upper.substr(rest);
    const std::string original = command.substr(rest);

    if (sim_starts_with(u, "OUTP") && u.find("OFF") != std::string::npos) {
        m_output_off[channel] = true;
        return true;
    }
    if (sim_starts_with(u, "BSWV ")) {
        std::vector<std::string> f = sim_split(original.substr(5));
        if (f.size() % 2 != 0)
            error("odd basic-wave fields: " + command);
        for (std::size_t i = 0; i + 1 < f.size(); i += 2)
            m_bswv[channel][f[i]] = f[i + 1];
        return true;
    }
    if (sim_starts_with(u, "ARWV NAME,") || sim_starts_with(u, "ARWV INDEX,")) {
        m_selected[channel] = original.substr(5);
        return true;
    }
    if (u == "STL?") {
        sim_keep_assign(reply, builtin_list_reply());
        return true;
    }
    if (u == "STL? USER") {
        sim_keep_assign(reply, user_list_reply());
        return true;
    }
    if (u == "WVPR? M0") {
        sim_keep_assign(reply, wave_params_reply());
        return true;
    }
    if (sim_starts_with(u, "WVDT? ")) {
        if (!read_back(original.substr(6), reply))
            error("no such wave: " + original.substr(6));
        return true;
    }
    return false;
}

void sim_engine_t::download(std::string_view message)
{
    const std::size_t at = message.find("WAVEDATA,");
    const std::string head(message.substr(0, at));
    const std::string_view data = message.substr(at + 9);
    const std::string upper = sim_upper(head);
    std::size_t rest = 0;
    const int channel = take_channel(upper, rest);
    bool segmented = false;
    if (sim_starts_with(upper.substr(rest), "WVDT:SEGMENT ")) {
        segmented = true;
        rest += 13;
    } else if (sim_starts_with(upper.substr(rest), "WVDT ")) {
        rest += 5;
    } else {
        error("not a download: " + head);
        return;
    }

    sim_wave_t part;
    part.channel = channel;
    bool begin = false, end = false;
    std::vector<std::string> tokens = sim_split(head.substr(rest));
    if (!tokens.empty() && tokens.back().empty())
        tokens.pop_back();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string key = sim_upper(tokens[i]);
        if (key == "BEGIN") {
            begin = true;
        } else if (key == "END") {
            end = true;
        } else if (k_value_keys.count(key) && i + 1 < tokens.size()) {
            part.fields[tokens[i]] = tokens[i + 1];
            ++i;
        } else if (is_slot(tokens[i]) && part.slot < 0) {
            part.slot = std::atoi(tokens[i].c_str() + 1);
        } else {
            error("unexpected download field '" + tokens[i] + "' in " + head);
            return;
        }
    }
    part.name = field_or(part, "WVNM", "WVNM", "");
    if (part.name.empty()) {
        error("download without a name: " + head);
        return;
    }

    if (!segmented) {
        if (begin || end)
            error("framing key in a one-piece download: " + head);
        m_has_pending = false;
    } else if (begin) {
        if (end)
            error("BEGIN and END in one segment: " + head);
        if (m_has_pending)
            error("BEGIN while '" + m_pending.name + "' was still open");
        m_pending = part;
        m_pending.data.clear();
        m_pending.data_bytes = 0;
        m_has_pending = true;
    } else if (!m_has_pending || m_pending.name != part.name) {
        error("segment without its BEGIN: " + head);
        m_has_pending = false;
        return;
    }

    sim_wave_t &target = segmented ? m_pending : part;
    if (keep_samples)
        target.data.append(data.data(), data.size());
    target.data_bytes += data.size();
    ++target.segments;
    if (segmented && !end)
        return;

    // A whole waveform: its declared length must match what arrived.
    const std::string length = field_or(target, "LENGTH", "LENGTH", "");
    const bool kb = length.size() > 2 && sim_upper(length.substr(length.size() - 2)) == "KB";
    const unsigned long long declared = std::strtoull(length.c_str(), nullptr, 10);
    const unsigned long long got = kb ? target.data_bytes / 1024 : target.data_bytes;
    if (declared != got)
        error("length " + length + " but " + std::to_string(target.data_bytes) + " bytes in " + head);
    m_has_pending = false;
    if (on_downloaded)
        on_downloaded(target);
    store_wave(std::move(target));
}

std::string sim_engine_t::builtin_list_reply() const
{
    std::string out = "STL ";
    bool first = true;
    auto add = [&](const std::string &memory, const std::string &name) {
        out += (first ? "" : ", ") + memory + ", " + name;
        first = false;
    };
    for (const auto &w : m_profile.builtin_waves)
        add(w.first, w.second);
    for (const auto &w : m_waves)
        if (w.second.slot >= 0)
            add("M" + std::to_string(w.second.slot), w.first);
    return out + "\n";
}

std::string sim_engine_t::user_list_reply() const
{
    std::string out = "STL ";
    bool first = true;
    for (const auto &w : m_waves) {
        if (w.second.slot >= 0)
            continue;
        out += (first ? "WVNM," : ",WVNM,") + w.first;
        first = false;
    }
    return out + "\n";
}

std::string sim_engine_t::wave_params_reply() const
{
    sim_wave_t none;
    const sim_wave_t *w = &none;
    std::string sel = selected(0);
    if (sim_starts_with(sel, "NAME,") && wave(sel.substr(5)))
        w = wave(sel.substr(5));
    else if (!m_waves.empty())
        w = &m_waves.begin()->second;
    return "WVPR M0,FREQ," + field_or(*w, "FREQ", "FRQ", "1000") + "HZ,AMPL," +
           field_or(*w, "AMPL", "AMP", "2") + "V,OFST," + field_or(*w, "OFST", "OFST", "0") + "V,PHASE," +
           field_or(*w, "PHASE", "PHSE", "0") + "\n";
}

const sim_wave_t *sim_engine_t::find_for_read(const std::string &id, sim_wave_t &builtin) const
{
    const std::string upper = sim_upper(id);
    if (sim_starts_with(upper, "USER,"))
        return wave(id.substr(5));
    if (id.size() > 7 && sim_starts_with(upper, "\"USER,") && id.back() == '"')
        return wave(id.substr(6, id.size() - 7));
    if (is_slot(id)) {
        for (const auto &w : m_waves)
            if (w.second.slot == std::atoi(id.c_str() + 1))
                return &w.second;
        for (const auto &b : m_profile.builtin_waves) {
            if (b.first == id && b.second != "EMPTY") {
                builtin.name = b.second;
                builtin.data = builtin_data(b.first);
                return &builtin;
            }
        }
        return nullptr;
    }
    return wave(id);
}

bool sim_engine_t::read_back(const std::string &id, std::string &reply)
{
    sim_wave_t builtin;
    const sim_wave_t *w = find_for_read(id, builtin);
    if (!w)
        return false;
    // Nine commas before the samples, as the read-back expects.
    sim_keep_assign(reply, "WVDT WVNM," + w->name + ",LENGTH," + std::to_string(w->data.size()) + "B,FREQ," +
                           field_or(*w, "FREQ", "FRQ", "1000") + ",AMPL," + field_or(*w, "AMPL", "AMP", "2") +
                           ",WAVEDATA,");
    const std::size_t head = reply.size();
    reply += w->data;
    if (m_profile.model_class == 9 || m_profile.model_class == 10) {
        // These keep 14-bit codes and answer with them.
        for (std::size_t i = head; i + 1 < reply.size(); i += 2) {
            std::int16_t v;
            std::memcpy(&v, &reply[i], 2);
            v = static_cast<std::int16_t>(v >> 2);
            std::memcpy(&reply[i], &v, 2);
        }
    }
    return true;
}
