// What the module's FPGA class changes: the flash path through the transport's byte
// transfers with register 24 and 255 bracketing, the boot image, the gain table,
// attenuation, DC level, trigger, reference output, overload status, converter width
// and the start-up and progress path.
#include "drv_flash_chunk.h"
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "drv_fpga_vextral.h"
#include "drv_hc595.h"
#include "drv_reg_progress.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

using DrvFpgaVextral = sim_driver_fixture_t;

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();

std::vector<uint8> pattern(std::size_t n)
{
    std::vector<uint8> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8>(i * 13 + 1);
    return bytes;
}

std::vector<uint8> slice(const std::vector<uint8> &bytes, std::size_t from, std::size_t count)
{
    return std::vector<uint8>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                              bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

std::vector<float> s_progress;
std::vector<int32> s_progress_flags;

void record_progress(float progress, int32 flag)
{
    s_progress.push_back(progress);
    s_progress_flags.push_back(flag);
}

std::vector<int32> s_reports;

void record_report(int32 a, int32 b, int32 c)
{
    s_reports.insert(s_reports.end(), {a, b, c});
}

void other_report(int32, int32, int32) {}

} // namespace

TEST_F(DrvFpgaVextral, FlashRecordIsWrittenInPaddedPiecesBetweenTheAccessBrackets)
{
    const std::vector<uint8> record = pattern(1496);
    sim.poke(24, 0x0207);
    manager->get_hc595()->set_word_shadow(0x0027);
    drv_flash_chunk_t chunks = {0, 0};
    EXPECT_EQ(fpga->get_flash_chunks(&chunks), 1);
    EXPECT_EQ(chunks.read_chunk, 128u);
    EXPECT_EQ(chunks.write_chunk, 128u);
    EXPECT_EQ(fpga->write_flash(32768, 1496, record.data(), &chunks), 1);

    std::vector<sim_op_t> expected{sim_read(24, 0x0207), sim_write(24, 0x0107), sim_sleep(10)};
    for (std::size_t k = 0; k < 11; ++k) {
        expected.push_back(sim_byte_write(static_cast<uint32>(32768 + 128 * k), slice(record, 128 * k, 128)));
        expected.push_back(sim_sleep(300));
    }
    std::vector<uint8> last = slice(record, 1408, 88);
    last.resize(128, 0xFF);
    expected.push_back(sim_byte_write(32768 + 1408, last));
    expected.push_back(sim_sleep(300));
    expected.push_back(sim_write(255, 0xFFFF));
    expected.push_back(sim_sleep(10));
    EXPECT_TRUE(log_is(expected));
    EXPECT_EQ(sim.slept_ms(), 10 + 12 * 300 + 10u);
    // The relay driver's word is not touched by the flash select.
    EXPECT_EQ(manager->get_hc595()->get_word(), 0x0027);

    sim.clear_log();
    std::vector<uint8> back(1496, 0);
    EXPECT_EQ(fpga->read_flash(32768, 1496, back.data(), &chunks), 1);
    EXPECT_EQ(back, record);
    ASSERT_EQ(sim.log().size(), 3 + 2 * 12 + 2u);
    EXPECT_EQ(sim.log()[1], sim_write(24, 0x0107));
    for (std::size_t k = 0; k < 12; ++k) {
        const sim_op_t &read = sim.log()[3 + 2 * k];
        EXPECT_EQ(read.kind, sim_op_kind_t::byte_read);
        EXPECT_EQ(read.address, 32768 + 128 * k);
        EXPECT_EQ(read.value, 128u);
        EXPECT_EQ(sim.log()[4 + 2 * k], sim_sleep(10));
    }
    EXPECT_EQ(sim.log()[27], sim_write(255, 0xFFFF));
}

TEST_F(DrvFpgaVextral, FlashReadsAskOneRequestUpToAPieceAndCopyOnlyTheRange)
{
    const std::vector<uint8> image = pattern(256);
    const drv_flash_chunk_t chunks = {128, 128};
    fpga->write_flash(0x4000, 256, image.data(), &chunks);

    struct
    {
        uint32 len;
        std::vector<uint32> requests;
    } cases[] = {{100, {100}}, {128, {128}}, {200, {128, 128}}, {256, {128, 128}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.len << " bytes");
        sim.clear_log();
        std::vector<uint8> out(c.len, 0);
        EXPECT_EQ(fpga->read_flash(0x4000, c.len, out.data(), &chunks), 1);
        EXPECT_EQ(out, slice(image, 0, c.len));
        std::vector<uint32> requests;
        for (const sim_op_t &op : sim.log())
            if (op.kind == sim_op_kind_t::byte_read)
                requests.push_back(op.value);
        EXPECT_EQ(requests, c.requests);
    }
}

TEST_F(DrvFpgaVextral, FlashOffsetsWrapAtSixtyFourKibibytes)
{
    // The module's byte transfers carry 16-bit addresses.
    const uint8 byte = 0x42;
    EXPECT_EQ(fpga->write_flash_page(0x18000, 1, &byte), 0);
    EXPECT_EQ(sim.log().front(), sim_byte_write(0x8000, {0x42}));
}

TEST_F(DrvFpgaVextral, FlashPageTransfersWaitAfterEachCall)
{
    const std::vector<uint8> data = pattern(16);
    std::vector<uint8> out(16, 0);
    EXPECT_EQ(fpga->write_flash_page(0x100, 16, data.data()), 0);
    EXPECT_EQ(fpga->read_flash_data(0x100, 16, out.data()), 0);
    EXPECT_EQ(fpga->write_flash_data24(0x123456, 16, data.data()), 0);
    EXPECT_EQ(out, data);
    EXPECT_TRUE(log_is({sim_byte_write(0x100, data), sim_sleep(300), sim_byte_read(0x100, data), sim_sleep(10),
                        sim_byte_write24(0x123456, data), sim_sleep(50)}));

    sim.clear_log();
    EXPECT_EQ(fpga->write_flash_page(0, 1, nullptr), 0);
    EXPECT_EQ(fpga->read_flash_data(0, 1, nullptr), 0);
    EXPECT_EQ(fpga->write_flash_data24(0, 1, nullptr), 0);
    const drv_flash_chunk_t chunks = {128, 128};
    const drv_flash_chunk_t zero = {0, 0};
    EXPECT_EQ(fpga->write_flash(0, 16, nullptr, &chunks), 0);
    EXPECT_EQ(fpga->write_flash(0, 16, data.data(), &zero), 0);
    EXPECT_EQ(fpga->write_flash(0, 0, data.data(), &chunks), 1);
    EXPECT_EQ(fpga->read_flash(0, 16, nullptr, &chunks), 0);
    EXPECT_EQ(fpga->read_flash(0, 16, out.data(), nullptr), 0);
    EXPECT_EQ(fpga->read_flash(0, 0, out.data(), &chunks), 1);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaVextral, BootImageIsErasedAndWrittenWithProgress)
{
    drv_flash_chunk_t chunks = {0, 0};
    EXPECT_EQ(fpga->get_boot_flash_chunks(&chunks), 1);
    EXPECT_EQ(chunks.read_chunk, 256u);
    EXPECT_EQ(chunks.write_chunk, 256u);

    const std::vector<uint8> image = pattern(1000);
    sim.poke(24, 0x0105);
    s_progress.clear();
    EXPECT_EQ(fpga->write_boot_image(0x010000, 1000, image.data(), record_progress), 1);
    std::vector<sim_op_t> expected{sim_read(24, 0x0105), sim_write(24, 0x0205), sim_sleep(10), sim_write(0, 0),
                                   sim_sleep(5000)};
    for (std::size_t k = 0; k < 3; ++k) {
        expected.push_back(sim_byte_write24(static_cast<uint32>(0x010000 + 256 * k), slice(image, 256 * k, 256)));
        expected.push_back(sim_sleep(50));
    }
    std::vector<uint8> last = slice(image, 768, 232);
    last.resize(256, 0xFF);
    expected.push_back(sim_byte_write24(0x010300, last));
    expected.push_back(sim_sleep(50));
    expected.push_back(sim_write(255, 0xFFFF));
    expected.push_back(sim_sleep(10));
    EXPECT_TRUE(log_is(expected));
    // 0.2 after the erase, then 0.2 + (k / 4) / 1.3 after piece k.
    const std::vector<float> progress{0.2f, 0.2f, 0.39230769f, 0.58461538f, 0.77692308f};
    ASSERT_EQ(s_progress.size(), progress.size());
    for (std::size_t i = 0; i < progress.size(); ++i)
        EXPECT_FLOAT_EQ(s_progress[i], progress[i]) << i;
    EXPECT_EQ(s_progress_flags, std::vector<int32>(5, 1));

    // One piece: padded, and no report after it.
    sim.clear_log();
    s_progress.clear();
    EXPECT_EQ(fpga->write_boot_image(0, 200, image.data(), record_progress), 1);
    EXPECT_EQ(s_progress, std::vector<float>{0.2f});
    std::vector<uint8> one = slice(image, 0, 200);
    one.resize(256, 0xFF);
    EXPECT_EQ(sim.log()[5], sim_byte_write24(0, one));

    // Without a callback the image is written all the same.
    sim.clear_log();
    EXPECT_EQ(fpga->write_boot_image(0, 512, image.data(), nullptr), 1);
    EXPECT_EQ(sim.log().size(), 5 + 4 + 2u);

    // Nothing to write leaves the boot flash alone.
    sim.clear_log();
    EXPECT_EQ(fpga->write_boot_image(0, 1000, nullptr, record_progress), 0);
    EXPECT_EQ(fpga->write_boot_image(0, 0, image.data(), record_progress), 0);
    EXPECT_TRUE(log_is({}));

    sim.clear_log();
    EXPECT_EQ(fpga->begin_flash_access(), 1);
    EXPECT_EQ(fpga->begin_boot_flash_access(), 1);
    EXPECT_EQ(fpga->end_flash_access(), 1);
    EXPECT_EQ(static_cast<drv_fpga_vextral_t *>(fpga)->erase_boot_flash(), 1);
    EXPECT_TRUE(log_is({sim_read(24, 0x0205), sim_write(24, 0x0105), sim_sleep(10), sim_read(24, 0x0105),
                        sim_write(24, 0x0205), sim_sleep(10), sim_write(255, 0xFFFF), sim_sleep(10),
                        sim_write(0, 0), sim_sleep(5000)}));
}

TEST_F(DrvFpgaVextral, DigitalGainIsAFixedCodeTable)
{
    struct
    {
        long double db;
        uint16 code;
    } cases[] = {{10.0L, 317}, {20.0L, 103}, {30.0L, 32}, {0.0L, 1024}, {29.999L, 1024}, {-10.0L, 1024}, {NaN, 1024}};
    for (const auto &c : cases) {
        sim.clear_log();
        fpga->set_digital_gain(1, c.db);
        EXPECT_TRUE(log_is({sim_write(35, c.code)})) << static_cast<double>(c.db);
    }
}

TEST_F(DrvFpgaVextral, AttenuationUsesOnlyTheGainAndZeroesItWhenOff)
{
    struct
    {
        drv_fpga_atten_t atten;
        long double gain_after;
        uint16 code;
    } cases[] = {
        {{false, 20.0L, false, 0.0L}, 0.0L, 1024},
        {{true, 20.0L, true, 10.0L}, 20.0L, 103},
        {{true, 30.0L, false, 0.0L}, 30.0L, 32},
    };
    for (auto &c : cases) {
        sim.poke(158, 0x001F);
        sim.clear_log();
        fpga->set_atten(0, &c.atten);
        EXPECT_EQ(c.atten.gain_db, c.gain_after);
        EXPECT_TRUE(log_is({sim_write(33, c.code)}));
    }
    sim.clear_log();
    fpga->set_atten(0, nullptr);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaVextral, DcLevelIsTheTruncatedCodeInSixteenBits)
{
    struct
    {
        int32 ch;
        long double volts;
        uint32 reg;
        uint16 code;
    } cases[] = {
        {0, 1.0L, 49, 10922}, {1, -1.0L, 51, 0xD556}, {0, 0.99999L, 49, 10921}, {0, 7.0L, 49, 10918}, {1, NaN, 51, 0},
    };
    for (const auto &c : cases) {
        sim.clear_log();
        fpga->set_dc_level(c.ch, c.volts);
        EXPECT_TRUE(log_is({sim_write(c.reg, c.code)})) << static_cast<double>(c.volts);
    }
}

TEST_F(DrvFpgaVextral, RegistersTheModuleReadsOrWritesDifferently)
{
    fpga->trigger_ch(1);
    fpga->trigger_ch(7);
    EXPECT_TRUE(log_is({sim_write(84, 0), sim_write(84, 1), sim_write(84, 0), sim_write(84, 1)}));

    sim.clear_log();
    fpga->set_counter_level_dac(77);
    sim.poke(51, 0x0321);
    uint32 level = 0;
    EXPECT_EQ(fpga->get_counter_level_dac(&level), 1);
    EXPECT_EQ(level, 0x0321u);
    EXPECT_TRUE(log_is({sim_write(140, 77), sim_read(51, 0x0321)}));

    struct
    {
        int32 on;
        uint16 before, after;
    } refs[] = {{1, 0x0100, 0x0102}, {0, 0xFFFF, 0xFFFD}, {2, 0x0102, 0x0102}};
    for (const auto &r : refs) {
        sim.poke(4, r.before);
        sim.clear_log();
        EXPECT_EQ(fpga->set_ref_out(r.on), 1);
        EXPECT_TRUE(log_is({sim_read(4, r.before), sim_write(4, r.after)})) << r.on;
    }

    sim.clear_log();
    fpga->set_time_base_dac(5);
    fpga->init_fpga();
    EXPECT_TRUE(log_is({}));

    sim.queue_reads(98, {0x0000, 0xFFFF});
    EXPECT_EQ(fpga->read_adc(), 0x0FFF);
    sim.clear_log();
    EXPECT_EQ(fpga->read_adc(), -1);
    EXPECT_EQ(sim.log().size(), 1000u);
}

TEST_F(DrvFpgaVextral, OverloadStatusOnlyEverReportsStateZero)
{
    struct
    {
        uint16 status;
        int32 result;
        uint32 state;
    } cases[] = {{0x0000, 1, 0}, {0x0004, 1, 0}, {0x0002, 0, 7}, {0x0006, 0, 7}, {0xFFFD, 1, 0}};
    for (const auto &c : cases) {
        sim.poke(31, c.status);
        uint32 state = 7;
        EXPECT_EQ(fpga->get_overload_state(&state), c.result) << c.status;
        EXPECT_EQ(state, c.state) << c.status;
    }
}

TEST_F(DrvFpgaVextral, BaseStartUpRunsTheGpioCommandsThroughTheShellHook)
{
    drv_fpga_t base;
    EXPECT_EQ(base.get_fpga_file(), "config/fpga/fpga.bin");
    base.set_fpga_file("config/fpga/other.bin");
    EXPECT_EQ(base.get_fpga_file(), "config/fpga/other.bin");
    base.init_fpga();
    EXPECT_TRUE(log_is({sim_shell("echo 56 > /sys/class/gpio/export"),
                        sim_shell("echo out > /sys/class/gpio/gpio56/direction"),
                        sim_shell("echo 54 > /sys/class/gpio/export"),
                        sim_shell("echo out > /sys/class/gpio/gpio54/direction"),
                        sim_shell("echo 0 > /sys/class/gpio/gpio54/value"), sim_sleep(2),
                        sim_shell("echo 1 > /sys/class/gpio/gpio54/value"), sim_sleep(20)}));
}

TEST_F(DrvFpgaVextral, ProgressCallbackIsKeptUntilAnotherReplacesIt)
{
    s_reports.clear();
    fpga->report_progress(1, 2, 3);
    EXPECT_TRUE(s_reports.empty());
    fpga->set_progress_callback(record_report);
    fpga->set_progress_callback(nullptr);
    fpga->report_progress(2, 50, 0);
    reg_call_progress_callback(2, 100, 0);
    EXPECT_EQ(s_reports, (std::vector<int32>{2, 50, 0, 2, 100, 0}));
    fpga->set_progress_callback(other_report);
    fpga->report_progress(9, 9, 9);
    reg_call_progress_callback(9, 9, 9);
    EXPECT_EQ(s_reports.size(), 6u);
    EXPECT_TRUE(log_is({}));
}
