#include "sim_options.h"

#include <gtest/gtest.h>

TEST(SimOptions, CommandLinesTakenAndRefused)
{
    const struct {
        std::vector<std::string> args;
        const char *error; // "" when taken; else a part of the complaint
    } cases[] = {
        {{"--instrument", "127.0.0.2=generator:2", "--instrument", "127.0.0.3=scope:4", "--instrument",
          "127.1.2.3=other", "--instrument", "127.0.0.9=silent"},
         ""},
        {{"--instrument", "127.0.0.2=generator:10", "--fault", "127.0.0.2:no-reply=*IDN?", "--fault",
          "127.0.0.2:extra-bytes=3", "--fault", "127.0.0.2:refuse-open", "--portmapper-port", "111",
          "--max-recv-size", "1024", "--timeouts", "fast", "--discard", "--read-chunk", "7", "--write-accept", "9",
          "--input-limit", "100", "--trace-points", "29360271"},
         ""},
        {{}, "no --instrument"},
        {{"--instrument", "10.0.0.2=generator:2"}, "loopback"},
        {{"--instrument", "127.0.0.2"}, "unknown profile"},
        {{"--instrument", "127.0.0.2=generator:11"}, "unknown profile"},
        {{"--instrument", "127.0.0.2=scope:3"}, "unknown profile"},
        {{"--instrument", "127.0.0.2=scope:4", "--instrument", "127.0.0.2=other"}, "two instruments"},
        {{"--instrument", "127.0.0.2=other", "--fault", "127.0.0.3:garble"}, "names no instrument"},
        {{"--instrument", "127.0.0.2=other", "--fault", "127.0.0.2:explode"}, "unknown fault"},
        {{"--instrument", "127.0.0.2=other", "--fault", "127.0.0.2:extra-bytes=many"}, "extra-bytes"},
        {{"--instrument", "127.0.0.2=other", "--portmapper-port", "65536"}, "from 0 to 65535"},
        {{"--instrument", "127.0.0.2=other", "--max-recv-size", "100"}, "from 1024"},
        {{"--instrument", "127.0.0.2=other", "--timeouts", "slow"}, "fast or real"},
        {{"--instrument", "127.0.0.2=other", "--journal"}, "wants a value"},
        {{"--instrument", "127.0.0.2=other", "--discard", "--store", "x"}, "exclude each other"},
        {{"--instrument", "127.0.0.2=other", "--speed", "9"}, "unknown option"},
        {{"--instrument", "127.0.0.2=other", "stray"}, "unexpected argument"},
    };
    for (const auto &c : cases) {
        sim_options_t o;
        std::string error;
        const bool ok = sim_parse_options(c.args, o, error);
        const std::string want = c.error;
        EXPECT_EQ(ok, want.empty()) << (c.args.empty() ? "(none)" : c.args.back()) << ": " << error;
        if (!want.empty()) {
            EXPECT_NE(error.find(want), std::string::npos) << error;
        }
    }

    // What the second line sets.
    sim_options_t o;
    std::string error;
    ASSERT_TRUE(sim_parse_options(cases[1].args, o, error)) << error;
    ASSERT_EQ(o.instruments.size(), 1u);
    const sim_instrument_opt_t &i = o.instruments[0];
    EXPECT_TRUE(i.model.generator && i.model.scope);
    EXPECT_EQ(i.faults.no_reply, std::optional<std::string>("*IDN?"));
    EXPECT_EQ(i.faults.reply_extra_bytes, 3u);
    EXPECT_TRUE(i.faults.refuse_open);
    EXPECT_EQ(o.portmapper_port, 111);
    EXPECT_EQ(o.max_recv_size, 1024u);
    EXPECT_TRUE(o.fast_timeouts && o.discard);
    EXPECT_EQ(o.read_chunk, 7u);
    EXPECT_EQ(o.write_accept, 9u);
    EXPECT_EQ(o.input_limit, 100u);
    EXPECT_EQ(o.trace_points, 29360271u);
}
