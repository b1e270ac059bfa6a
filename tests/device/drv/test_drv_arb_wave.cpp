// The arbitrary-wave channel object: DDS against sample-rate playback, the reload
// decisions for built-in ids and user files (a different file, a re-saved file, the
// same file unchanged), the file errors and the frequency conversions.
#include "drv_arb_wave.h"
#include "drv_wave_data.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using wave_t = std::vector<int16>;

void write_wave_file(const fs::path &path, const wave_t &samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
}

wave_t pattern(std::size_t n, int16 step)
{
    wave_t w(n);
    for (std::size_t i = 0; i < n; ++i)
        w[i] = static_cast<int16>(static_cast<int32>(i) * step);
    return w;
}

std::vector<uint16> words(const wave_t &w)
{
    return std::vector<uint16>(w.begin(), w.end());
}

class DrvArbWave : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        arb = manager->get_arb_wave();
        store = manager->get_wave_data();
    }

    // What the DDS wave port gets for a wave: resampled to one DDS period, scaled to
    // the DAC.
    std::vector<uint16> dds_words(const wave_t &w)
    {
        wave_t out;
        store->resample(16384, w, out);
        store->scale_to_dac_bits(out);
        return words(out);
    }

    // The blocks sent to a port since the log was cleared.
    std::vector<std::vector<uint16>> blocks_to(uint32 port) const
    {
        std::vector<std::vector<uint16>> found;
        for (const sim_op_t &op : sim.log())
            if (op.kind == sim_op_kind_t::block && op.address == port)
                found.push_back(op.words);
        return found;
    }

    // Loads the file and writes it only when something new was loaded.
    int32 load_and_write(int32 ch, const std::string &path)
    {
        const int32 result = arb->load_user_wave(ch, path);
        if (result == 1)
            arb->reload_wave(ch);
        return result;
    }

    drv_arb_wave_t *arb = nullptr;
    drv_wave_data_t *store = nullptr;
};

} // namespace

TEST_F(DrvArbWave, PlaysTheWaveAsOneDdsPeriodOrAtItsOwnLength)
{
    wave_t builtin;
    store->get_builtin_wave(3, builtin, 0.0f);

    // DDS mode: sample-rate mode stays off, start-offset load on, the scaled period to
    // port 252.
    sim.poke(65, 0x0000);
    sim.clear_log();
    EXPECT_EQ(arb->set_builtin_arb_wave(0, 3), 1);
    EXPECT_EQ(sim.peek(65), 0x0080);
    EXPECT_EQ(blocks_to(252), (std::vector<std::vector<uint16>>{dds_words(builtin)}));
    EXPECT_EQ(sim.block(67), nullptr);

    // Switching to sample-rate mode takes the channel out of pulse and noise mode.
    sim.poke(196, 0x8003);
    sim.poke(241, 0x0003);
    EXPECT_EQ(arb->set_sample_rate_mode(0, 1), 1);
    EXPECT_EQ(arb->get_sample_rate_mode(0), 1);
    EXPECT_EQ(arb->get_mode(0), 1);
    EXPECT_EQ(sim.peek(196), 0x0003);
    EXPECT_EQ(sim.peek(241), 0x0002);

    // The same wave again: new in this mode, so loaded, and sent unscaled at its length.
    sim.clear_log();
    stdout_capture_t capture;
    EXPECT_EQ(arb->set_builtin_arb_wave(0, 3), 1);
    capture.finish();
    EXPECT_TRUE(blocks_to(252).empty());
    EXPECT_EQ(blocks_to(67), (std::vector<std::vector<uint16>>{words(builtin)}));

    // A short user wave: 3000 samples resampled to 16384 in DDS mode, as they are in
    // sample-rate mode.
    const wave_t user = pattern(3000, 9);
    write_wave_file("short.bin", user);
    arb->set_sample_rate_mode(1, 0);
    sim.clear_log();
    EXPECT_EQ(arb->load_user_arb_wave(1, "short.bin"), 1);
    EXPECT_EQ(blocks_to(253), (std::vector<std::vector<uint16>>{dds_words(user)}));
    arb->set_sample_rate_mode(1, 1);
    sim.clear_log();
    stdout_capture_t capture2;
    arb->reload_wave(1);
    capture2.finish();
    EXPECT_EQ(blocks_to(79), (std::vector<std::vector<uint16>>{words(user)}));
}

TEST_F(DrvArbWave, SameBuiltinWaveIsNotLoadedTwiceInOneMode)
{
    arb->set_sample_rate_mode(0, 0);
    EXPECT_EQ(arb->set_builtin_wave(0, 5), 1);
    // Nothing was written: the flag stays until a reload.
    EXPECT_EQ(arb->set_builtin_wave(0, 5), 1);
    arb->reload_wave(0);
    EXPECT_FALSE(arb->get_dds_reload(0));
    EXPECT_TRUE(arb->get_sr_reload(0));
    EXPECT_EQ(arb->set_builtin_wave(0, 5), 0);
    // An id outside the table is the lowest id's wave, which is another wave here.
    EXPECT_EQ(arb->set_builtin_wave(0, 500), 1);
    arb->reload_wave(0);
    EXPECT_EQ(arb->set_builtin_wave(0, 0), 0);

    // The other mode's flag is still set, and the other channel has its own.
    arb->set_sample_rate_mode(0, 1);
    EXPECT_EQ(arb->set_builtin_wave(0, 0), 1);
    EXPECT_EQ(arb->set_builtin_wave(1, 0), 1);

    // reset_flags makes the next selection load again.
    arb->set_sample_rate_mode(0, 0);
    arb->reload_wave(0);
    EXPECT_EQ(arb->set_builtin_wave(0, 0), 0);
    arb->reset_flags();
    EXPECT_EQ(arb->set_builtin_wave(0, 0), 1);
}

TEST_F(DrvArbWave, UserFilesReloadWhenAnotherFileOrNewContentArrives)
{
    const wave_t a = pattern(100, 3);
    const wave_t b = pattern(200, -5);
    const wave_t b2 = pattern(200, 7);
    write_wave_file("a.bin", a);
    write_wave_file("b.bin", b);
    arb->set_sample_rate_mode(0, 0);
    sim.clear_log();

    EXPECT_EQ(load_and_write(0, "a.bin"), 1);
    EXPECT_EQ(load_and_write(0, "b.bin"), 1);
    EXPECT_EQ(load_and_write(0, "b.bin"), 0);
    // Saved again: other samples, a later modification time.
    const fs::file_time_type saved = fs::last_write_time("b.bin");
    write_wave_file("b.bin", b2);
    fs::last_write_time("b.bin", saved + std::chrono::seconds(1));
    EXPECT_EQ(load_and_write(0, "b.bin"), 1);
    EXPECT_EQ(blocks_to(252), (std::vector<std::vector<uint16>>{dds_words(a), dds_words(b), dds_words(b2)}));

    // Two files that look alike to the stamp (same size, same time) are still two waves.
    const wave_t c = pattern(200, 11);
    write_wave_file("c.bin", c);
    fs::last_write_time("c.bin", fs::last_write_time("b.bin"));
    sim.clear_log();
    EXPECT_EQ(load_and_write(0, "c.bin"), 1);
    EXPECT_EQ(blocks_to(252), (std::vector<std::vector<uint16>>{dds_words(c)}));

    // The loading call that always reloads writes the unchanged wave once more.
    sim.clear_log();
    EXPECT_EQ(arb->load_user_arb_wave(0, "c.bin"), 0);
    EXPECT_EQ(blocks_to(252), (std::vector<std::vector<uint16>>{dds_words(c)}));
}

TEST_F(DrvArbWave, UserFileErrorsKeepTheChannelsWave)
{
    wave_t before;
    store->get_arb_wave(0, 1, before);
    std::ofstream("big.bin", std::ios::binary).write(std::string(40000, '\x11').data(), 40000);
    std::ofstream("limit.bin", std::ios::binary).write(std::string(32768, '\x22').data(), 32768);
    fs::create_directories("folder.bin");
    struct error_case_t
    {
        const char *path;
        int32 result;
        const char *printed;
    };
    const error_case_t cases[] = {
        {"big.bin", -10, "big.bin:file too big !"},
        {"missing.bin", -13, ""},
        {"", -13, ""},
        {"folder.bin", -13, ""},
    };
    for (const error_case_t &c : cases) {
        SCOPED_TRACE(c.path);
        stdout_capture_t capture;
        EXPECT_EQ(arb->load_user_wave(0, c.path), c.result);
        EXPECT_EQ(capture.finish(), c.printed);
        wave_t now;
        store->get_arb_wave(0, 1, now);
        EXPECT_EQ(now, before);
    }
    // A channel other than 0 or 1 loads nothing.
    EXPECT_EQ(arb->load_user_wave(2, "limit.bin"), 0);
    EXPECT_EQ(arb->set_builtin_wave(-1, 3), 0);
    // At the limit the file is taken.
    EXPECT_EQ(arb->load_user_wave(0, "limit.bin"), 1);
    EXPECT_EQ(store->get_wave_len(0, 1), 16384);
}

TEST_F(DrvArbWave, ConvertsBetweenFrequencyAndSampleRate)
{
    EXPECT_EQ(arb->freq_to_sample_rate(0, 1000), 16384000.0L);
    EXPECT_EQ(arb->sample_rate_to_freq(0, 16384000), 1000.0L);
    write_wave_file("w.bin", pattern(1000, 1));
    write_wave_file("empty.bin", {});
    ASSERT_EQ(arb->load_user_wave(1, "w.bin"), 1);
    EXPECT_EQ(arb->freq_to_sample_rate(1, 2.5L), 2500.0L);
    EXPECT_EQ(arb->sample_rate_to_freq(1, 1e6L), 1000.0L);
    // An empty wave has no sample rate in either direction.
    ASSERT_EQ(arb->load_user_wave(1, "empty.bin"), 1);
    EXPECT_EQ(arb->freq_to_sample_rate(1, 1000), 0.0L);
    EXPECT_EQ(arb->sample_rate_to_freq(1, 1000), 0.0L);
    EXPECT_EQ(arb->get_sample_rate_mode(2), 0);
    EXPECT_EQ(arb->freq_to_sample_rate(2, 1000), 0.0L);
}

TEST_F(DrvArbWave, SampleRatePhaseGoesThroughThePhaseDriver)
{
    sim.clear_log();
    stdout_capture_t capture;
    EXPECT_EQ(arb->set_sample_rate_phase(0, 1e6L, 90), 1);
    EXPECT_EQ(capture.finish(), "drv_phase_t::_set_sample_rate_phase--\n");
    EXPECT_EQ(sim.last_write(75), 4096);
    EXPECT_EQ(sim.slept_ms(), 1u);
    sim.clear_log();
    EXPECT_EQ(arb->set_sample_rate_phase(3, 1e6L, 90), 0);
    EXPECT_TRUE(log_is({}));
}
