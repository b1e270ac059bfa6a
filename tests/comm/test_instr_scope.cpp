#include "comm_test_util.h"
#include "instr_scope.h"
#include "lib_alloc.h"

#include <sys/stat.h>

namespace {

// A trace reply: `before` bytes ahead of the header's "#", the header, the codes and
// the two trailing bytes.
std::string trace_reply(const std::string &before, const std::vector<int8_t> &codes, bool with_hash = true)
{
    std::string r = before + (with_hash ? "#" : "") + std::string(with_hash ? 356 : 357, 'h');
    r.append(reinterpret_cast<const char *>(codes.data()), codes.size());
    return r + "\n\n";
}

} // namespace

class InstrScope : public comm_test_t
{
protected:
    void SetUp() override { session = connect(sim_scope_profile(4), &engine); }

    std::shared_ptr<sim_engine_t> engine;
    ViSession session = 0;
    instr_scope_t scope;
};

TEST_F(InstrScope, ChannelNames)
{
    const std::pair<int, const char *> cases[] = {{0, "C1"}, {3, "C4"}, {7, "C8"}, {8, "C1"}, {9, "C1"}, {-1, "C1"}};
    for (const auto &c : cases)
        EXPECT_EQ(scope.scope_channel_name(c.first), c.second) << c.first;
}

TEST_F(InstrScope, ChannelCountReplies)
{
    const struct {
        std::string reply;
        int32 count;
    } cases[] = {{"CHS 4\n", 4}, {"8,4", 8}, {"4 8", 4}, {"CHS 2\n", 2}, {"", 2}, {"CHS 4 channels\n", 2}};
    for (const auto &c : cases) {
        engine->profile().canned["CHS?"] = c.reply;
        EXPECT_EQ(scope.scope_get_channel_count(session), c.count) << c.reply;
    }
    engine->faults().no_reply = "CHS?";
    EXPECT_EQ(scope.scope_get_channel_count(session), 2);
    env.journal().clear();
    EXPECT_EQ(scope.scope_get_channel_count(0), 2);
    EXPECT_TRUE(env.journal().writes().empty());
    lib_alloc_fail_scope_t fail(1);
    EXPECT_EQ(scope.scope_get_channel_count(session), -2);
}

TEST_F(InstrScope, ChannelParameters)
{
    engine->scope_channel(1).vdiv = 0.5;
    engine->scope_channel(1).ofst = -0.25;
    engine->tdiv = 2e-6;
    engine->sara = 5e8;
    EXPECT_EQ(scope.scope_query_channel_params(session, 1), 0);
    EXPECT_EQ(scope.vdiv, 0.5f);
    EXPECT_EQ(scope.ofst, -0.25f);
    EXPECT_EQ(scope.tdiv, 2e-6f);
    EXPECT_EQ(scope.sara, 5e8f);
    EXPECT_EQ(env.journal().writes(),
              (std::vector<std::string>{"chdr off\n", "C2:vdiv?", "C2:ofst?\n", "tdiv?\n", "sara?\n"}));
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 100, 1000, 100, 100, 100, 100, 100, 100}));

    // A reply without a number, or none at all, fails the query and changes nothing.
    engine->profile().canned["C2:ofst?"] = "OFFSET UNKNOWN\n";
    EXPECT_EQ(scope.scope_query_channel_params(session, 1), -1);
    engine->profile().canned.clear();
    engine->faults().no_reply = "sara?";
    EXPECT_EQ(scope.scope_query_channel_params(session, 1), -1);
    EXPECT_EQ(scope.vdiv, 0.5f);
    engine->faults().no_reply.reset();
    engine->faults().reply_extra_bytes = 100;
    EXPECT_EQ(scope.scope_query_channel_params(session, 1), -1);
}

TEST_F(InstrScope, CodesToVolts)
{
    scope.vdiv = 1;
    scope.ofst = 0;
    EXPECT_EQ(scope.scope_code_to_volt(30), 1.0f);
    EXPECT_EQ(scope.scope_code_to_volt(226), -1.0f);
    scope.ofst = 0.5f;
    EXPECT_EQ(scope.scope_code_to_volt(15), 0.0f);
    EXPECT_EQ(scope.scope_parse_scaled_number("2.5G"), 2.5e9f);
    EXPECT_EQ(scope.scope_parse_scaled_number("100kSa"), 1e5f);
    EXPECT_EQ(scope.scope_parse_scaled_number("3M"), 3e6f);
    EXPECT_EQ(scope.scope_parse_scaled_number("42"), 42.0f);
}

TEST_F(InstrScope, TraceDataStart)
{
    const std::vector<int8_t> codes = {30, -30, 0};
    const struct {
        const char *name;
        std::string reply;
    } cases[] = {
        {"'#' first: data at 357", trace_reply("", codes)},
        {"ten bytes before '#': data at 367", trace_reply("C1:WF ALL,", codes)},
        {"no '#': data at 357", trace_reply("", codes, false)},
    };
    for (const auto &c : cases) {
        engine->profile().canned["C1:WF? ALL"] = c.reply;
        lib_wv_data_t<short int> record;
        EXPECT_EQ(scope.scope_read_waveform(session, 0, record), 0) << c.name;
        EXPECT_EQ(read_samples(record), (std::vector<int16>{32767, -32767, 0})) << c.name;
        EXPECT_EQ(record.amp, 2.0f);
        EXPECT_EQ(record.offset, 0.0f);
    }
}

TEST_F(InstrScope, TraceToWaveform)
{
    // vdiv 1 V and ofst -1 V: code c stands for c / 30 + 1 volts, -60 to 60 for -1 V to 3 V.
    sim_scope_channel_t &ch = engine->scope_channel(2);
    ch.vdiv = 1;
    ch.ofst = -1;
    ch.codes = {-60, 60, 0, 60, -60, 30};
    engine->tdiv = 1e-3;
    lib_wv_data_t<short int> record;
    env.pauses().clear();
    EXPECT_EQ(scope.scope_read_waveform(session, 2, record), 0);
    EXPECT_EQ(record.amp, 4.0f);
    EXPECT_EQ(record.offset, 1.0f);
    EXPECT_NEAR(record.freq, 100.0, 1e-4); // tdiv is a float: 1 ms is not exact
    EXPECT_EQ(read_samples(record), (std::vector<int16>{-32767, 32767, 0, 32767, -32767, 16383}));
    EXPECT_EQ(env.journal().writes().front(), "C3:WF? ALL");
    EXPECT_EQ(timeouts(), (std::vector<uint32>{120000, 2000}));
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 3000, 100, 100, 1000, 100, 100, 100, 100, 100, 100}));

    // A flat trace: amplitude 0 and every sample 0.
    ch.codes = {12, 12, 12};
    EXPECT_EQ(scope.scope_read_waveform(session, 2, record), 0);
    EXPECT_EQ(record.amp, 0.0f);
    EXPECT_EQ(record.offset, 1.4f);
    EXPECT_EQ(read_samples(record), (std::vector<int16>{0, 0, 0}));
}

TEST_F(InstrScope, FailedImportsLeaveTheRecord)
{
    lib_wv_data_t<short int> record;
    write_samples(record, {9, 9});
    record.amp = 3;
    auto untouched = [&](const char *why) {
        EXPECT_EQ(read_samples(record), (std::vector<int16>{9, 9})) << why;
        EXPECT_EQ(record.amp, 3.0f) << why;
    };

    EXPECT_EQ(scope.scope_read_waveform(0, 0, record), -20);
    untouched("session 0");

    // First: once taken, the trace buffer is kept and no later import asks for memory.
    {
        lib_alloc_fail_scope_t fail(1);
        env.journal().clear();
        EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -2);
        EXPECT_TRUE(env.journal().writes().empty());
    }
    untouched("no memory");

    engine->profile().canned["C1:WF? ALL"] = trace_reply("", {});
    EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -2);
    untouched("359 bytes: no data");
    engine->profile().canned["C1:WF? ALL"] = "garbage";
    EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -2);
    untouched("shorter than a header");
    engine->profile().canned.clear();

    env.journal().clear();
    engine->faults().no_reply = "WF?";
    EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -1);
    EXPECT_EQ(timeouts(), (std::vector<uint32>{120000, 2000}));
    untouched("no trace");
    engine->faults().no_reply.reset();

    engine->faults().drop_in_reply = "WF?";
    EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -1);
    untouched("connection lost in the trace");
    engine->faults().drop_in_reply.reset();
    session = connect(sim_scope_profile(4), &engine);

    engine->faults().no_reply = "tdiv?";
    EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -1);
    untouched("parameter read failed");
    engine->faults().no_reply.reset();

    engine->tdiv = 0;
    EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -1);
    untouched("no time base");
    engine->tdiv = 1e-3;

    ASSERT_EQ(mkdir(lib_wv_scratch_path(record.samples.path).c_str(), 0755), 0);
    EXPECT_EQ(scope.scope_read_waveform(session, 0, record), -1);
    untouched("samples cannot be written");
}
