#include "sim_options.h"

#include <arpa/inet.h>
#include <cstdlib>

namespace {

bool parse_number(const std::string &text, std::uint64_t max, std::uint64_t &out)
{
    if (text.empty() || text.size() > 20)
        return false;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + std::uint64_t(c - '0');
        if (v > max)
            return false;
    }
    out = v;
    return true;
}

bool loopback_address(const std::string &text)
{
    in_addr addr;
    return inet_pton(AF_INET, text.c_str(), &addr) == 1 && (ntohl(addr.s_addr) >> 24) == 127;
}

// "<address>:<switch>[=<text>]" onto the instrument at that address.
bool parse_fault(const std::string &text, sim_options_t &out, std::string &error)
{
    const std::size_t colon = text.find(':');
    const std::size_t eq = text.find('=', colon == std::string::npos ? 0 : colon);
    if (colon == std::string::npos) {
        error = "--fault wants <address>:<switch>[=<text>]: " + text;
        return false;
    }
    const std::string address = text.substr(0, colon);
    const std::string name = text.substr(colon + 1, eq == std::string::npos ? std::string::npos : eq - colon - 1);
    const std::string value = eq == std::string::npos ? std::string() : text.substr(eq + 1);
    sim_instrument_opt_t *target = nullptr;
    for (sim_instrument_opt_t &i : out.instruments)
        if (i.address == address)
            target = &i;
    if (!target) {
        error = "--fault names no instrument given before it: " + address;
        return false;
    }
    sim_faults_t &f = target->faults;
    if (name == "refuse-open")
        f.refuse_open = true;
    else if (name == "refuse-write")
        f.refuse_write = value;
    else if (name == "drop-in-write")
        f.drop_in_write = value;
    else if (name == "drop-in-reply")
        f.drop_in_reply = value;
    else if (name == "no-reply")
        f.no_reply = value;
    else if (name == "garble")
        f.garble = value;
    else if (name == "extra-bytes") {
        std::uint64_t n = 0;
        if (!parse_number(value, 1u << 20, n)) {
            error = "extra-bytes wants a count: " + text;
            return false;
        }
        f.reply_extra_bytes = std::size_t(n);
    } else {
        error = "unknown fault switch: " + name;
        return false;
    }
    return true;
}

} // namespace

bool sim_parse_profile(const std::string &text, sim_profile_t &out)
{
    std::uint64_t n = 0;
    if (text.rfind("generator:", 0) == 0 && parse_number(text.substr(10), 10, n)) {
        out = sim_generator_profile(unsigned(n));
        return true;
    }
    if (text.rfind("scope:", 0) == 0 && parse_number(text.substr(6), 8, n) && (n == 2 || n == 4 || n == 8)) {
        out = sim_scope_profile(int(n));
        return true;
    }
    if (text == "other") {
        out = sim_other_profile();
        return true;
    }
    if (text == "silent") {
        out = sim_silent_profile();
        return true;
    }
    return false;
}

bool sim_parse_options(const std::vector<std::string> &args, sim_options_t &out, std::string &error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            out.help = true;
            continue;
        }
        if (a == "--discard") {
            out.discard = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a.rfind("--", 0) == 0 ? a + " wants a value" : "unexpected argument: " + a;
            return false;
        }
        const std::string &v = args[++i];
        std::uint64_t n = 0;
        auto number = [&](std::uint64_t min, std::uint64_t max) {
            if (parse_number(v, max, n) && n >= min)
                return true;
            error = a + " wants a number from " + std::to_string(min) + " to " + std::to_string(max) + ": " + v;
            return false;
        };
        if (a == "--instrument") {
            sim_instrument_opt_t inst;
            const std::size_t eq = v.find('=');
            inst.address = v.substr(0, eq);
            inst.profile = eq == std::string::npos ? "" : v.substr(eq + 1);
            if (!loopback_address(inst.address)) {
                error = "--instrument wants a loopback address (127.x.y.z): " + v;
                return false;
            }
            if (!sim_parse_profile(inst.profile, inst.model)) {
                error = "unknown profile '" + inst.profile + "' (generator:<0-10>, scope:<2|4|8>, other, silent)";
                return false;
            }
            for (const sim_instrument_opt_t &other : out.instruments)
                if (other.address == inst.address) {
                    error = "two instruments at " + inst.address;
                    return false;
                }
            out.instruments.push_back(inst);
        } else if (a == "--fault") {
            if (!parse_fault(v, out, error))
                return false;
        } else if (a == "--portmapper-port") {
            if (!number(0, 65535))
                return false;
            out.portmapper_port = int(n);
        } else if (a == "--journal") {
            out.journal = v;
        } else if (a == "--store") {
            out.store = v;
        } else if (a == "--max-recv-size") {
            if (!number(1024, 0x7FFFFFFF))
                return false;
            out.max_recv_size = std::uint32_t(n);
        } else if (a == "--timeouts") {
            if (v != "fast" && v != "real") {
                error = "--timeouts wants fast or real: " + v;
                return false;
            }
            out.fast_timeouts = v == "fast";
        } else if (a == "--write-accept") {
            if (!number(1, 0x7FFFFFFF))
                return false;
            out.write_accept = std::uint32_t(n);
        } else if (a == "--input-limit") {
            if (!number(1, 1ull << 40))
                return false;
            out.input_limit = n;
        } else if (a == "--read-chunk") {
            if (!number(1, 0x7FFFFFFF))
                return false;
            out.read_chunk = std::uint32_t(n);
        } else if (a == "--trace-points") {
            if (!number(1, 1ull << 31))
                return false;
            out.trace_points = n;
        } else {
            error = "unknown option: " + a;
            return false;
        }
    }
    if (out.instruments.empty() && !out.help) {
        error = "no --instrument given";
        return false;
    }
    if (out.discard && !out.store.empty()) {
        error = "--discard and --store exclude each other";
        return false;
    }
    return true;
}

std::string sim_usage()
{
    return "Usage: ondrix_instrument_sim --instrument ADDRESS=PROFILE [--instrument ...] [options]\n"
           "Serves simulated instruments over VXI-11 on loopback addresses.\n"
           "\n"
           "  --instrument ADDRESS=PROFILE  an instrument at a loopback address (127.0.0.2, ...);\n"
           "                                PROFILE: generator:<class 0-10>, scope:<2|4|8>, other, silent\n"
           "  --portmapper-port N           the portmapper's port on every address (default: one picked\n"
           "                                and printed; 111 lets VISA libraries find it unaided)\n"
           "  --journal FILE                write every message, read and link to FILE as it happens\n"
           "  --store DIR                   store each received waveform's samples as\n"
           "                                DIR/<address>/<name>.bin (DIR is created)\n"
           "  --discard                     count and hash downloads, store nothing (benchmarks)\n"
           "  --max-recv-size N             the largest chunk a write may bring (default 1048576)\n"
           "  --timeouts fast|real          a read with nothing to answer times out at once (fast)\n"
           "                                or after the client's time-out (real, the default)\n"
           "  --write-accept N              each write call takes at most N bytes\n"
           "  --input-limit N               the bytes of a message past N time out\n"
           "  --read-chunk N                each read call answers at most N bytes\n"
           "  --trace-points N              every oscilloscope channel holds a capture of N points\n"
           "  --fault ADDRESS:SWITCH[=TEXT] a fault of that instrument, for the messages containing\n"
           "                                TEXT (all when empty): refuse-write, drop-in-write,\n"
           "                                drop-in-reply, no-reply, garble; refuse-open;\n"
           "                                extra-bytes=N (every reply N bytes longer)\n"
           "\n"
           "Prints \"ready: portmapper port N\" once it listens; stops on SIGTERM or SIGINT.\n";
}
