#include "comm_test_util.h"
#include "instr_wave_list.h"
#include "lib_alloc.h"

#include <sys/stat.h>

using wave_map = std::map<std::string, std::string>;

namespace {

// A user waveform as a download would have stored it.
sim_wave_t stored(const std::string &name, const std::string &data = "")
{
    sim_wave_t w;
    w.name = name;
    w.data = data;
    return w;
}

} // namespace

class InstrWaveList : public comm_test_t
{
protected:
    void SetUp() override { session = connect(sim_generator_profile(2), &engine); }

    void reply(const std::string &command, const std::string &text) { engine->profile().canned[command] = text; }

    std::shared_ptr<sim_engine_t> engine;
    ViSession session = 0;
};

TEST_F(InstrWaveList, BuiltInListReplies)
{
    const struct {
        const char *name;
        std::string reply;
        wave_map expected;
    } cases[] = {
        {"EMPTY is skipped", "STL M0, SINE, M1, EMPTY\n", {{"M0", "SINE"}}},
        {"trailing comma and line feed", "STL M0, SINE, M1, NOISE,\n", {{"M0", "SINE"}, {"M1", "NOISE"}}},
        {"shorter than four characters", "ST", {}},
        {"first key wins", "STL M0, A, M0, B", {{"M0", "A"}}},
        {"odd piece out", "STL M0, A, M1", {{"M0", "A"}}},
        {"garbled, no commas", "STL \xff\xfe\xfd", {}},
        {"empty reply", "", {}},
    };
    for (const auto &c : cases) {
        reply("STL?", c.reply);
        wave_map list = {{"keep", "me"}};
        EXPECT_EQ(instr_get_wave_list(session, 2, list), 0) << c.name;
        wave_map expected = c.expected;
        expected.emplace("keep", "me");
        EXPECT_EQ(list, expected) << c.name;
    }
    env.journal().clear();
    env.pauses().clear();
    engine->profile().canned.erase("STL?");
    engine->faults().no_reply = "STL?";
    wave_map list;
    EXPECT_EQ(instr_get_wave_list(session, 2, list), -1);
    EXPECT_EQ(env.journal().writes(), std::vector<std::string>{"STL?"});
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 500}));
    engine->faults().no_reply.reset();
    engine->faults().reply_extra_bytes = 4096;
    EXPECT_EQ(instr_get_wave_list(session, 2, list), -1);
    EXPECT_TRUE(list.empty());
}

TEST_F(InstrWaveList, UserListReplies)
{
    reply("STL? USER", "STL WVNM,ramp1,WVNM,ramp2\n");
    wave_map list;
    EXPECT_EQ(instr_get_user_wave_list(session, 5, list), 0);
    EXPECT_EQ(list, (wave_map{{"ramp1", "user:ramp1"}, {"ramp2", "user:ramp2"}}));
    EXPECT_EQ(env.journal().writes(), std::vector<std::string>{"STL? USER\n"});
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 1000}));

    // Classes above 5 have no user list: nothing is asked.
    env.journal().clear();
    wave_map none;
    EXPECT_EQ(instr_get_user_wave_list(session, 6, none), 0);
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(env.journal().writes().empty());

    // A failed read is an empty list, not an error.
    engine->faults().no_reply = "STL? USER";
    EXPECT_EQ(instr_get_user_wave_list(session, 0, none), 0);
    EXPECT_TRUE(none.empty());
}

TEST_F(InstrWaveList, CombinedList)
{
    engine->store_wave(stored("mine"));
    wave_map list;
    EXPECT_EQ(instr_get_all_wave_list(0, 2, list), -21);
    EXPECT_EQ(instr_get_all_wave_list(session, 2, list), 0);
    EXPECT_EQ(list, (wave_map{{"M0", "SINE"}, {"M1", "NOISE"}, {"M2", "STAIRUP"}, {"mine", "user:mine"}}));
    list.clear();
    EXPECT_EQ(instr_get_all_wave_list(session, 6, list), 0);
    EXPECT_EQ(list.size(), 3u);

    engine->faults().no_reply = "STL?";
    list.clear();
    EXPECT_EQ(instr_get_all_wave_list(session, 2, list), -1);

    engine->faults().no_reply.reset();
    {
        lib_alloc_fail_scope_t fail(2); // the user list's buffer
        EXPECT_EQ(instr_get_all_wave_list(session, 2, list), -2);
    }
    {
        lib_alloc_fail_scope_t fail(1);
        env.journal().clear();
        EXPECT_EQ(instr_get_wave_list(session, 2, list), -2);
        EXPECT_TRUE(env.journal().writes().empty());
    }
}

TEST_F(InstrWaveList, ParameterReplies)
{
    const struct {
        const char *name;
        std::string reply;
        int32 result;
        float freq, amp, offset, phase;
    } cases[] = {
        {"units after the numbers", "WVPR M0,FREQ,1000HZ,AMPL,4V\n", 0, 1000, 4, 7, 8},
        {"all four", "WVPR M0,FREQ,1e3HZ,AMPL,0.5V,OFST,-0.25V,PHASE,90\n", 0, 1000, 0.5f, -0.25f, 90},
        {"a key as the last piece", "WVPR M0,AMPL,3V,FREQ\n", 0, 5, 3, 7, 8},
        {"fewer than two pieces", "WVPR", 0, 5, 6, 7, 8},
        {"a value without a number", "WVPR M0,FREQ,1000HZ,AMPL,high\n", -1, 5, 6, 7, 8},
        {"a value beyond a float", "WVPR M0,FREQ,1e40\n", -1, 5, 6, 7, 8},
    };
    for (const auto &c : cases) {
        reply("WVPR? M0", c.reply);
        float f = 5, a = 6, o = 7, p = 8;
        EXPECT_EQ(instr_read_wave_param(session, 2, f, a, o, p), c.result) << c.name;
        EXPECT_EQ(f, c.freq) << c.name;
        EXPECT_EQ(a, c.amp) << c.name;
        EXPECT_EQ(o, c.offset) << c.name;
        EXPECT_EQ(p, c.phase) << c.name;
    }
    float f = 0, a = 0, o = 0, p = 0;
    EXPECT_EQ(instr_read_wave_param(0, 2, f, a, o, p), -22);
    engine->profile().canned.clear();
    engine->faults().no_reply = "WVPR";
    EXPECT_EQ(instr_read_wave_param(session, 2, f, a, o, p), -1);
    EXPECT_EQ(instr_read_wave_param_map(instr_wave_param_keys(), session), wave_map());
    engine->faults().no_reply.reset();
    reply("WVPR? M0", "WVPR M0,FREQ,1000HZ,AMPL,4V,FREQ,9,OTHER,1\n");
    EXPECT_EQ(instr_read_wave_param_map(instr_wave_param_keys(), session),
              (wave_map{{"FREQ", "1000HZ"}, {"AMPL", "4V"}}));
}

TEST_F(InstrWaveList, ReadBackReplies)
{
    const std::string head = "WVDT WVNM,w,LENGTH,8B,FREQ,1,AMPL,2,WAVEDATA,";
    const std::string data = sample_bytes({1, -1, 8191, 16384});
    const std::vector<int16> before = {11, 22};
    const struct {
        const char *name;
        uint32 model;
        std::string reply;
        bool replaced;
        std::vector<int16> samples;
    } cases[] = {
        {"class 2 as received", 2, head + data, true, {1, -1, 8191, 16384}},
        {"an odd last byte is dropped", 2, head + data + "x", true, {1, -1, 8191, 16384}},
        {"class 7 times four", 7, head + data, true, {4, -4, 32764, 0}},
        {"class 10 times four", 10, head + data, true, {4, -4, 32764, 0}},
        {"above class 10 nothing is written", 11, head + data, false, {}},
        {"fewer than nine commas: all samples", 2, "ab,cd,", true, {0x6261, 0x632c, 0x2c64}},
        {"nothing after the ninth comma", 2, head, false, {}},
        {"half a sample after it", 2, head + "x", false, {}},
        {"an empty reply", 2, "", false, {}},
    };
    for (const auto &c : cases) {
        lib_wv_data_t<short int> record;
        write_samples(record, before);
        reply("WVDT? USER,w", c.reply);
        int32 r = instr_read_wave(session, c.model, "USER,w", record);
        const bool usable = c.replaced || c.model > 10;
        EXPECT_EQ(r, usable ? int32(c.reply.size()) : -1) << c.name;
        EXPECT_EQ(read_samples(record), c.replaced ? c.samples : before) << c.name;
    }
}

TEST_F(InstrWaveList, ReadBackFailuresLeaveTheSamples)
{
    const std::vector<int16> before = {11, 22};
    lib_wv_data_t<short int> record;
    write_samples(record, before);
    engine->store_wave(stored("w", sample_bytes({5, 6, 7})));

    env.journal().clear();
    env.pauses().clear();
    {
        lib_alloc_fail_scope_t fail(1);
        EXPECT_EQ(instr_read_wave(session, 2, "USER,w", record), -2);
    }
    EXPECT_TRUE(env.journal().writes().empty());

    engine->faults().no_reply = "WVDT?";
    EXPECT_EQ(instr_read_wave(session, 2, "USER,w", record), -1);
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 500}));
    engine->faults().no_reply.reset();

    engine->faults().reply_extra_bytes = 41943142;
    EXPECT_EQ(instr_read_wave(session, 2, "USER,w", record), -1);
    engine->faults().reply_extra_bytes = 0;

    // The new samples cannot be written (a directory sits where they would go).
    ASSERT_EQ(mkdir(lib_wv_scratch_path(record.samples.path).c_str(), 0755), 0);
    EXPECT_EQ(instr_read_wave(session, 2, "USER,w", record), -1);
    EXPECT_EQ(read_samples(record), before);
    rmdir(lib_wv_scratch_path(record.samples.path).c_str());

    testing::internal::CaptureStdout();
    EXPECT_GT(instr_read_wave(session, 2, "USER,w", record), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("clear file" + record.samples.path + "\n"),
              std::string::npos);
    EXPECT_EQ(read_samples(record), (std::vector<int16>{5, 6, 7}));
}

TEST_F(InstrWaveList, ReadBackCommandTakesAnyName)
{
    const std::string name(200, 'n');
    engine->store_wave(stored(name, sample_bytes({1})));
    lib_wv_data_t<short int> record;
    EXPECT_GT(instr_read_wave(session, 2, ("USER," + name).c_str(), record), 0);
    EXPECT_EQ(env.journal().writes(), std::vector<std::string>{"WVDT? USER," + name});
    EXPECT_EQ(read_samples(record), std::vector<int16>{1});
}

TEST_F(InstrWaveList, UnusedForwarders)
{
    std::string name;
    add_usb(sim_generator_profile(4), &name);
    ViSession s = 0;
    EXPECT_GE(instr_open(name, s), VI_SUCCESS);
    EXPECT_EQ(instr_write(s, "*IDN?"), 1);
    EXPECT_EQ(env.journal().writes().back(), "*IDN?");
    EXPECT_EQ(instr_close(s), VI_SUCCESS);
    EXPECT_EQ(instr_write(s, "*IDN?"), 0);
}
