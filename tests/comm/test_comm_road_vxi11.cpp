// The command layer unchanged over real TCP: identification, downloads, read-back and a
// trace import against the simulator program on loopback, the downloads compared byte
// by byte with its store folder.
#include "drv_device_comm.h"
#include "instr_scope.h"
#include "instr_send_wv.h"
#include "instr_wave_list.h"
#include "lib_file_io.h"
#include "lib_wv_data.h"
#include "plat_sleep_recorder.h"
#include "sim_process.h"
#include "visa_registry.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

std::vector<int16> ramp(std::size_t points)
{
    std::vector<int16> s(points);
    for (std::size_t i = 0; i < points; ++i)
        s[i] = int16(int32(i * 7u % 65535u) - 32767);
    return s;
}

void write_samples(lib_wv_data_t<short int> &record, const std::vector<int16> &samples)
{
    lib_fd_t fd = lib_open_trunc(record.samples.path);
    ASSERT_TRUE(fd.ok());
    ASSERT_EQ(lib_pwrite_all(fd.get(), samples.data(), samples.size() * 2, 0), samples.size() * 2);
}

std::string bytes_of(const std::vector<int16> &samples)
{
    return std::string(reinterpret_cast<const char *>(samples.data()), samples.size() * 2);
}

class CommRoadVxi11 : public ::testing::Test
{
protected:
    void SetUp() override { visa_registry_t::instance().set_override(nullptr); }

    // The pauses are recorded, not waited for: they are fixed waits, not transfers.
    plat_sleep_recorder_t pauses;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
};

} // namespace

TEST_F(CommRoadVxi11, IdentifiesSeveralInstruments)
{
    sim_process_t sim({{"", "generator:2"}, {"", "generator:6"}, {"", "generator:9"}, {"", "scope:4"}, {"", "other"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    std::vector<std::string> resources;
    for (std::size_t i = 0; i < 5; ++i)
        resources.push_back(sim.resource(i));
    std::vector<awg_prod_info_t> awgs;
    std::vector<scope_prod_info_t> scopes;
    EXPECT_EQ(comm->identify_awgs_from_list(awgs, resources), 3);
    EXPECT_EQ(comm->identify_scopes_from_list(scopes, resources), 1);
    const struct {
        std::string resource;
        int model_class;
        const char *model;
    } want[] = {{sim.resource(0), 2, "ZQWR120V"}, {sim.resource(1), 6, "ZQWQ050"}, {sim.resource(2), 9, "MZKU55"}};
    ASSERT_EQ(awgs.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(awgs[i].addr_res, want[i].resource);
        EXPECT_EQ(awgs[i].model_class, want[i].model_class) << want[i].resource;
        EXPECT_EQ(awgs[i].model, want[i].model);
    }
    ASSERT_EQ(scopes.size(), 1u);
    EXPECT_EQ(scopes[0].addr_res, sim.resource(3));
    EXPECT_EQ(scopes[0].model_class, 6);
    // Each probe closed what it opened.
    int opens = 0, closes = 0;
    for (const auto &e : sim.journal()) {
        opens += e.kind == sim_journal_entry_t::OPEN;
        closes += e.kind == sim_journal_entry_t::CLOSE;
    }
    EXPECT_GT(opens, 0);
    EXPECT_EQ(opens, closes);
}

TEST_F(CommRoadVxi11, DownloadsLandByteExactInTheStore)
{
    const struct {
        const char *name;
        uint32 model;
        std::size_t points;
        const char *store;
        const char *selection;
    } cases[] = {
        {"one piece", 2, 100003, "/Local", "C1:ARWV NAME,one piece"},
        {"two segments", 2, INSTR_SEGMENT_POINTS + 1001, "/Local", "C1:ARWV NAME,two segments"},
        {"14-bit into a slot", 6, 65536, "ARB5", "C1:ARWV INDEX,5"},
    };
    sim_process_t sim({{"", "generator:2"}, {"", "generator:6"}}, {0, false, false, {"--max-recv-size", "262144"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t instrument = c.model == 6 ? 1 : 0;
        ViSession s = 0;
        ASSERT_GE(comm->open_instr(sim.resource(instrument), s), VI_SUCCESS);
        const std::vector<int16> samples = ramp(c.points);
        lib_wv_data_t<short int> wave;
        write_samples(wave, samples);
        const int segments = int((c.points + INSTR_SEGMENT_POINTS - 1) / INSTR_SEGMENT_POINTS);
        for (int seg = 1; seg <= segments; ++seg)
            ASSERT_EQ(instr_send_wave(s, 0, 2.0f, 0.0f, 1000.0, 1e6, 0.0f, int(c.points), c.name, wave, c.store,
                                      c.model, seg, seg < segments),
                      1);
        comm->close_instr(s);
        std::vector<int16> expected = samples;
        if (c.model == 6)
            for (int16 &v : expected)
                v = int16(v >> 2);
        EXPECT_EQ(sim.stored(instrument, c.name), bytes_of(expected));
        const auto journal = sim.journal();
        EXPECT_TRUE(std::any_of(journal.begin(), journal.end(), [&](const sim_journal_entry_t &e) {
            return e.kind == sim_journal_entry_t::WRITE && e.text == c.selection;
        }));
    }
}

TEST_F(CommRoadVxi11, ReadBackRoundTrip)
{
    sim_process_t sim({{"", "generator:2"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    ViSession s = 0;
    ASSERT_GE(comm->open_instr(sim.resource(0), s), VI_SUCCESS);
    const std::vector<int16> samples = ramp(300001);
    lib_wv_data_t<short int> wave, back;
    write_samples(wave, samples);
    ASSERT_EQ(instr_send_wave(s, 0, 2.0f, 0.5f, 1000.0, 1e6, 0.0f, int(samples.size()), "rt", wave, "/Local", 2, 1,
                              false),
              1);
    std::map<std::string, std::string> list;
    ASSERT_EQ(instr_get_all_wave_list(s, 2, list), 0);
    EXPECT_EQ(list.at("rt"), "user:rt");
    float freq = 0, amp = 0, offset = 0, phase = 0;
    ASSERT_EQ(instr_read_wave_param(s, 2, freq, amp, offset, phase), 0);
    EXPECT_EQ(freq, 1000.0f);
    EXPECT_EQ(offset, 0.5f);
    EXPECT_GT(instr_read_wave(s, 2, "USER,rt", back), int32(samples.size() * 2));
    std::vector<short int> got;
    back.read_all(got);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), samples.begin(), samples.end()));
    comm->close_instr(s);
}

TEST_F(CommRoadVxi11, ScopeTraceImport)
{
    sim_process_t sim({{"", "scope:4"}}, {0, false, false, {"--trace-points", "50000"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    ViSession s = 0;
    ASSERT_GE(comm->open_instr(sim.resource(0), s), VI_SUCCESS);
    instr_scope_t scope;
    EXPECT_EQ(scope.scope_get_channel_count(s), 4);
    lib_wv_data_t<short int> trace;
    ASSERT_EQ(scope.scope_read_waveform(s, 1, trace), 0);
    comm->close_instr(s);
    // The simulator's capture spans codes -60 to 60: 1 V a division of 30 codes.
    EXPECT_EQ(trace.amp, 4.0f);
    EXPECT_EQ(trace.offset, 0.0f);
    EXPECT_NEAR(trace.freq, 100.0, 1e-4);
    std::vector<short int> samples;
    trace.read_all(samples);
    ASSERT_EQ(samples.size(), 50000u);
    EXPECT_EQ(*std::max_element(samples.begin(), samples.end()), 32767);
    EXPECT_EQ(*std::min_element(samples.begin(), samples.end()), -32767);
}
