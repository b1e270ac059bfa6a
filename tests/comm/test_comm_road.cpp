// The whole headless road against simulated instruments: search, identification, a
// segmented download, its read-back and an oscilloscope import.
#include "comm_test_util.h"
#include "instr_scope.h"
#include "instr_send_wv.h"
#include "instr_wave_list.h"

#include <numeric>

namespace {

void append(std::vector<uint32> &to, std::initializer_list<uint32> pauses) { to.insert(to.end(), pauses); }

} // namespace

using CommRoad = comm_test_t;

TEST_F(CommRoad, SearchIdentifySendReadBackAndImport)
{
    std::shared_ptr<sim_engine_t> generator = add_usb(sim_generator_profile(2));
    std::shared_ptr<sim_engine_t> scope_engine = add_usb(sim_scope_profile(4));
    add_usb(sim_other_profile());
    std::vector<uint32> expected;

    // Search and identification.
    std::vector<std::string> found;
    ASSERT_EQ(comm->find_usb_resources(found), 1);
    ASSERT_EQ(found.size(), 3u);
    std::map<std::string, bool> resources;
    for (const std::string &r : found)
        resources[r] = false;
    std::vector<awg_prod_info_t> awgs;
    std::vector<scope_prod_info_t> scopes;
    ASSERT_EQ(comm->identify_awgs(resources, awgs), 1);
    ASSERT_EQ(comm->identify_scopes(resources, scopes), 1);
    EXPECT_EQ(awgs[0].model_class, 2);
    EXPECT_EQ(scopes[0].model_class, 6);
    // Every resource answers "*IDN?" and so gets a product check in each probe.
    for (int i = 0; i < 3; ++i)
        append(expected, {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100});
    for (int i = 0; i < 3; ++i)
        append(expected, {100, 100, 100, 100, 100, 100, 100, 100, 100});

    // A waveform one sample longer than a segment, sent in two segments.
    const uint32 points = INSTR_SEGMENT_POINTS + 1;
    lib_wv_data_t<short int> wave;
    {
        std::vector<int16> samples(points);
        for (uint32 i = 0; i < points; ++i)
            samples[i] = int16(int32(i * 7u % 65535u) - 32767);
        write_samples(wave, samples);
    }
    ViSession gen = 0;
    ASSERT_GE(comm->open_instr(awgs[0].addr_res, gen), VI_SUCCESS);
    for (int seg = 1; seg <= 2; ++seg)
        ASSERT_EQ(instr_send_wave(gen, 0, 2.0f, 0.5f, 1000.0, 1000.0 * points, 0, int(points), "road", wave, "/Local",
                                  2, seg, seg < 2),
                  1);
    append(expected, {100, 100, 100});
    ASSERT_NE(generator->wave("road"), nullptr);
    EXPECT_TRUE(generator->errors().empty());
    EXPECT_EQ(generator->wave("road")->segments, 2);
    EXPECT_EQ(generator->selected(0), "NAME,road");

    // Read it back into a new record.
    std::map<std::string, std::string> list;
    ASSERT_EQ(instr_get_all_wave_list(gen, 2, list), 0);
    EXPECT_EQ(list.at("road"), "user:road");
    float freq = 0, amp = 0, offset = 0, phase = 0;
    ASSERT_EQ(instr_read_wave_param(gen, 2, freq, amp, offset, phase), 0);
    EXPECT_EQ(freq, 1000.0f);
    EXPECT_EQ(amp, 2.0f);
    EXPECT_EQ(offset, 0.5f);
    lib_wv_data_t<short int> back;
    EXPECT_GT(instr_read_wave(gen, 2, "USER,road", back), int32(points * 2));
    EXPECT_EQ(read_samples(back), read_samples(wave));
    append(expected, {100, 500, 100, 1000, 100, 500, 100, 500});
    comm->close_instr(gen);

    // Import a trace of the oscilloscope's second channel.
    sim_scope_channel_t &ch = scope_engine->scope_channel(1);
    ch.vdiv = 2;
    ch.ofst = 0;
    for (int i = 0; i < 5000; ++i)
        ch.codes.push_back(int8_t(i % 121 - 60));
    ViSession sc = 0;
    ASSERT_GE(comm->open_instr(scopes[0].addr_res, sc), VI_SUCCESS);
    instr_scope_t scope;
    EXPECT_EQ(scope.scope_get_channel_count(sc), 4);
    lib_wv_data_t<short int> trace;
    ASSERT_EQ(scope.scope_read_waveform(sc, 1, trace), 0);
    comm->close_instr(sc);
    append(expected, {100, 100, 100, 3000, 100, 100, 1000, 100, 100, 100, 100, 100, 100});
    EXPECT_EQ(trace.amp, 8.0f);
    EXPECT_EQ(trace.offset, 0.0f);
    EXPECT_NEAR(trace.freq, 100.0, 1e-4);
    std::vector<int16> imported = read_samples(trace);
    ASSERT_EQ(imported.size(), 5000u);
    EXPECT_EQ(imported[0], -32767);
    EXPECT_EQ(imported[120], 32767);

    // Every pause the Parts give, recorded rather than waited for.
    EXPECT_EQ(pauses(), expected);
    EXPECT_EQ(env.pauses().total_ms(), std::accumulate(expected.begin(), expected.end(), uint64(0)));
}

TEST_F(CommRoad, RoundTripsThroughTheGeneratorOfEachClass)
{
    const std::vector<int16> sent = {0, 1, 2, 3, -1, -2, -3, -4, 8191, -8192, 32767, -32768, 12345};
    for (uint32 cls = 0; cls <= 10; ++cls) {
        SCOPED_TRACE("model class " + std::to_string(cls));
        std::shared_ptr<sim_engine_t> engine;
        ViSession s = connect(sim_generator_profile(cls), &engine);
        lib_wv_data_t<short int> wave, back;
        write_samples(wave, sent);
        ASSERT_EQ(instr_send_wave(s, 0, 2.0f, 0.0f, 1000.0, 13000.0, 0, int(sent.size()), "rt", wave, "ARB7", cls,
                                  1, false),
                  1);
        // Classes 6 to 8 keep the wave in its slot; 0 and 1 read user waves by a quoted name.
        const char *id = cls >= 6 && cls <= 8 ? "M7" : cls <= 1 ? "\"user,rt\"" : "USER,rt";
        ASSERT_GT(instr_read_wave(s, cls, id, back), 0);
        std::vector<int16> expected = sent;
        // 14-bit instruments keep the upper 14 bits of each sample.
        if (cls >= 6)
            for (int16 &v : expected)
                v = int16(v & ~3);
        EXPECT_EQ(read_samples(back), expected);
        comm->close_instr(s);
    }
}
