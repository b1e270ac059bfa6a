// The module's calibration object over the register simulator: its record in the flash
// at 32768 (compared with data/cali_default_record.hex from gen_cali_record.py, whose
// 80-bit slots are encoded independently), the access operations and the report
// (data/cali_default_report.txt, written from the report's line formats).
#include "cali.h"
#include "cali_data_vextral.h"
#include "cali_record.h"
#include "lib_number.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr uint32 k_record_at = 32768;
constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();

std::string data_path(const std::string &name)
{
    return test_source_path("tests/device/drv/data/" + name);
}

std::string read_text(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file.good()) << path;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The hex file: an offset, then up to 24 bytes per line.
std::vector<uint8> default_record()
{
    std::istringstream lines(read_text(data_path("cali_default_record.hex")));
    std::vector<uint8> bytes;
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string offset, byte;
        words >> offset;
        while (words >> byte)
            bytes.push_back(static_cast<uint8>(std::stoul(byte, nullptr, 16)));
    }
    return bytes;
}

std::size_t count_ops(const sim_fpga_t &sim, sim_op_kind_t kind)
{
    std::size_t n = 0;
    for (const sim_op_t &op : sim.log())
        n += op.kind == kind;
    return n;
}

void put_checksum(std::vector<uint8> &record)
{
    u32 checksum = 0;
    lib_checksum_negsum(&checksum, record.data() + 4, static_cast<u32>(record.size() - 4));
    cali_u32_write(record.data(), checksum);
}

const std::string k_erased_name = "cali_all_data.forever_data.name =" + std::string(16, '\xff') + "\n";
const std::string k_name = "cali_all_data.forever_data.name =new forever\n";

class CaliDataVextral : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        cali = dynamic_cast<cali_data_vextral_t *>(cali_get_instance());
        ASSERT_NE(cali, nullptr);
    }

    std::vector<uint8> stored() const { return sim.flash(k_record_at, CALI_RECORD_SIZE); }

    cali_data_vextral_t *cali = nullptr;
};

// Neutral bodies of the base class, for the checks below.
class cali_base_t : public cali_t
{
};

} // namespace

TEST(CaliInstance, OneObjectOfTheModulesClassForTheWholeProcess)
{
    cali_t *object = cali_get_instance();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(cali_get_instance(), object);
    EXPECT_NE(dynamic_cast<cali_data_vextral_t *>(object), nullptr);
    // It holds the defaults from the start, before any start-up.
    EXPECT_EQ(object->get_ctl_delta(), 22);
    EXPECT_EQ(object->get_ctl_slope(), static_cast<long double>(10742.6));
}

TEST_F(CaliDataVextral, ErasedFlashGetsTheDefaultRecordWrittenByteForByte)
{
    stdout_capture_t capture;
    cali->init();
    EXPECT_EQ(capture.finish(), k_erased_name + k_name);

    const std::vector<uint8> record = stored();
    const std::vector<uint8> expected = default_record();
    ASSERT_EQ(expected.size(), CALI_RECORD_SIZE);
    for (std::size_t i = 0; i < CALI_RECORD_SIZE; ++i)
        ASSERT_EQ(record[i], expected[i]) << "record byte " << i;
    EXPECT_TRUE(lib_checksum_verify(record.data() + 4, CALI_RECORD_SIZE - 4, cali_u32_read(record.data())));
    EXPECT_EQ(cali_u32_read(record.data() + 4), CALI_RECORD_SIZE);
    // The name field keeps the erased bytes after the name's zero.
    EXPECT_EQ(std::vector<uint8>(record.begin() + 20, record.begin() + 24), std::vector<uint8>(4, 0xFF));
    // Beyond the record the flash stays erased (the last 128-byte piece was padded).
    EXPECT_EQ(sim.flash(k_record_at + CALI_RECORD_SIZE, 40), std::vector<uint8>(40, 0xFF));

    // Load and the save's own read: 2 x 12 pieces of 128 bytes with 10 ms each; the
    // write: 12 pieces with 300 ms each; 10 ms at each of the three transfers' flash
    // selection and release; then the wave DAC trim of channel 0.
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_read), 24u);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_write), 12u);
    for (const sim_op_t &op : sim.log()) {
        if (op.kind == sim_op_kind_t::byte_read || op.kind == sim_op_kind_t::byte_write) {
            EXPECT_EQ(op.address % 128, 0u);
            EXPECT_GE(op.address, k_record_at);
        }
    }
    EXPECT_EQ(sim.slept_ms(), 24 * 10u + 12 * 300u + 6 * 10u);
    EXPECT_EQ(sim.last_write(44), 100);
    // Never an erase on this module.
    EXPECT_TRUE(sim.writes_to(19).empty());

    // A second start-up loads the record and writes nothing to the flash.
    sim.clear_log();
    stdout_capture_t again;
    cali->init();
    EXPECT_EQ(again.finish(), k_name);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_write), 0u);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_read), 12u);
    EXPECT_EQ(stored(), record);
}

TEST_F(CaliDataVextral, SavedValuesComeBackBitForBit)
{
    // Values a double cannot hold, a negative zero and a NaN.
    const long double third = 1.0L / 3.0L;
    cali->set_fb_delta(third);
    cali->set_fb_pos_slope(-0.0L);
    cali->set_fb_neg_slope(NaN);
    cali->set_ctl_delta(-7);
    cali->set_ctl_slope(1e-4000L);
    cali->set_adder_delta(0, 123.456789012345678901L);
    cali->set_dac_line_point(0, 22, 1.25L, 0.9L);
    cali->set_freq_data_point(0, 1, 6, 31e6L, -0.25L);
    cali->set_low_freq_resp_comp(0, 1, 6, 0.125L);
    cali->set_invariable_gain(0, 0.5L);
    stdout_capture_t capture;
    EXPECT_TRUE(cali->save());

    cali->reset_all();
    EXPECT_TRUE(cali->load());
    capture.finish();
    EXPECT_EQ(cali->get_fb_delta(), third);
    EXPECT_TRUE(std::signbit(cali->get_fb_pos_slope()));
    EXPECT_TRUE(std::isnan(cali->get_fb_neg_slope()));
    EXPECT_EQ(cali->get_ctl_delta(), -7);
    EXPECT_EQ(cali->get_ctl_slope(), 1e-4000L);
    EXPECT_EQ(cali->get_adder_delta(0), 123.456789012345678901L);
    EXPECT_EQ(cali->get_dac_line_vref(0, 22), 1.25L);
    EXPECT_EQ(cali->get_dac_line_volt(0, 22), 0.9L);
    EXPECT_EQ(cali->get_freq_data_freq(0, 1, 6), 31e6L);
    EXPECT_EQ(cali->get_freq_data_compensate(0, 1, 6), -0.25L);
    EXPECT_EQ(cali->get_low_freq_resp_comp(0, 1, 6), 0.125L);
    EXPECT_EQ(cali->get_invariable_gain(0), 0.5L);
    // The slot of ctl_slope: the 10 value bytes, then two zero bytes.
    const std::vector<uint8> record = stored();
    uint8 slot[12] = {};
    cali_ext80_write(slot, 1e-4000L);
    EXPECT_EQ(std::vector<uint8>(record.begin() + 64, record.begin() + 76), std::vector<uint8>(slot, slot + 12));
    EXPECT_EQ(record[74], 0);
    EXPECT_EQ(record[75], 0);
}

TEST_F(CaliDataVextral, InvalidRecordsAreRejectedAndInitWritesTheDefaults)
{
    stdout_capture_t capture;
    cali->set_adder_delta(0, 555.0L);
    ASSERT_TRUE(cali->save());
    const std::vector<uint8> good = stored();

    struct
    {
        const char *what;
        std::size_t at;
        uint8 value;
        bool fix_checksum;
        bool valid;
    } cases[] = {
        {"checksum", 0, 0x00, false, false},
        {"a value byte", 100, 0x5A, false, false},
        {"length 1497", 4, 0xD9, true, false},
        {"length 0x000105D8", 6, 0x01, true, true},
        {"the name's first byte", 8, 'N', true, false},
        {"the name's zero", 19, '!', true, false},
        {"a byte after the name's zero", 21, 0x00, true, true},
        {"a reserved byte", 1300, 0x77, true, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8> record = good;
        record[c.at] = c.value;
        if (c.fix_checksum)
            put_checksum(record);
        sim.poke_flash(k_record_at, record);
        cali->reset_all();
        EXPECT_EQ(cali->load(), c.valid);
        // Loaded values, or the object's own left as they were.
        EXPECT_EQ(cali->get_adder_delta(0), c.valid ? 555.0L : 120.0L);

        // The start-up replaces an invalid record by the defaults.
        sim.clear_log();
        cali->init();
        EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_write), c.valid ? 0u : 12u);
        if (!c.valid) {
            const std::vector<uint8> expected = default_record();
            ASSERT_EQ(expected.size(), CALI_RECORD_SIZE);
            std::vector<uint8> now = stored();
            // The kept bytes 20 to 23 are the stored ones; the rest is the default record.
            for (std::size_t i = 20; i < 24; ++i)
                EXPECT_EQ(now[i], record[i]);
            EXPECT_TRUE(lib_checksum_verify(now.data() + 4, CALI_RECORD_SIZE - 4, cali_u32_read(now.data())));
            EXPECT_TRUE(std::equal(now.begin() + 24, now.end(), expected.begin() + 24));
        }
    }
    capture.finish();
}

TEST_F(CaliDataVextral, KeptBytesSurviveALoadAndASave)
{
    stdout_capture_t capture;
    ASSERT_TRUE(cali->save());
    std::vector<uint8> record = stored();
    for (std::size_t i = 20; i < 24; ++i)
        record[i] = static_cast<uint8>(0xA0 + i);
    for (std::size_t i = CALI_RECORD_RESERVED; i < CALI_RECORD_SIZE; ++i)
        record[i] = static_cast<uint8>(i * 7);
    put_checksum(record);
    sim.poke_flash(k_record_at, record);

    ASSERT_TRUE(cali->load());
    cali->set_second_coarse_gain(0, 19.5L);
    ASSERT_TRUE(cali->save());
    capture.finish();
    const std::vector<uint8> now = stored();
    EXPECT_TRUE(std::equal(now.begin() + 20, now.begin() + 24, record.begin() + 20));
    EXPECT_TRUE(std::equal(now.begin() + CALI_RECORD_RESERVED, now.end(), record.begin() + CALI_RECORD_RESERVED));
    EXPECT_EQ(cali_ext80_read(now.data() + 160), 19.5L);
    EXPECT_TRUE(lib_checksum_verify(now.data() + 4, CALI_RECORD_SIZE - 4, cali_u32_read(now.data())));
}

TEST_F(CaliDataVextral, NoModuleReadsNothingAndTheDefaultsStay)
{
    // Without the module every read delivers zeros. Their checksum field (0) matches
    // the negated sum of zero bytes, so the length field rejects the record.
    stdout_capture_t capture;
    sim.poke_flash(k_record_at, std::vector<uint8>(CALI_RECORD_SIZE, 0));
    cali->set_adder_delta(0, 7.0L);
    EXPECT_FALSE(cali->load());
    EXPECT_EQ(cali->get_adder_delta(0), 7.0L);
    EXPECT_EQ(capture.finish(), "cali_all_data.forever_data.name =\n");
}

TEST_F(CaliDataVextral, ChannelOneReadsChannelZeroAndStoresNothing)
{
    struct
    {
        const char *what;
        void (cali_t::*set)(u8, long double);
        long double (cali_t::*get)(u8);
    } fields[] = {
        {"adder_delta", &cali_t::set_adder_delta, &cali_t::get_adder_delta},
        {"adder_amplifier_delta", &cali_t::set_adder_amplifier_delta, &cali_t::get_adder_amplifier_delta},
        {"ac_adder_gain", &cali_t::set_ac_adder_gain, &cali_t::get_ac_adder_gain},
        {"dc_adder_slope", &cali_t::set_dc_adder_slope, &cali_t::get_dc_adder_slope},
        {"dc_coarse_slope", &cali_t::set_dc_coarse_slope, &cali_t::get_dc_coarse_slope},
        {"first_coarse_gain", &cali_t::set_first_coarse_gain, &cali_t::get_first_coarse_gain},
        {"second_coarse_gain", &cali_t::set_second_coarse_gain, &cali_t::get_second_coarse_gain},
        {"invariable_gain", &cali_t::set_invariable_gain, &cali_t::get_invariable_gain},
    };
    cali_t *object = cali;
    for (const auto &f : fields) {
        SCOPED_TRACE(f.what);
        (object->*f.set)(0, 11.0L);
        for (u8 ch : {1, 2, 255})
            (object->*f.set)(ch, 99.0L);
        for (u8 ch : {0, 1, 7})
            EXPECT_EQ((object->*f.get)(ch), 11.0L);
    }
    cali->set_freq_data_point(1, 0, 0, 5.0L, 5.0L);
    cali->set_low_freq_resp_comp(1, 0, 0, 5.0L);
    cali->set_dac_line_point(1, 0, 5.0L, 5.0L);
    EXPECT_EQ(cali->get_freq_data_freq(1, 0, 0), 1000000.0L);
    EXPECT_EQ(cali->get_low_freq_resp_comp(1, 0, 0), 0.0L);
    EXPECT_EQ(cali->get_dac_line_vref(1, 0), 0.1L);

    // Indexes outside the tables read 0.0 and store nothing.
    cali->set_freq_data_compensate(0, 2, 0, 5.0L);
    cali->set_low_freq_resp_comp(0, 0, 7, 5.0L);
    cali->set_dac_line_point(0, 23, 5.0L, 5.0L);
    EXPECT_EQ(cali->get_freq_data_compensate(0, 2, 0), 0.0L);
    EXPECT_EQ(cali->get_low_freq_resp_comp(0, 0, 7), 0.0L);
    EXPECT_EQ(cali->get_dac_line_vref(0, 23), 0.0L);
    EXPECT_EQ(cali->get_dac_line_volt(0, -1), 0.0L);
    EXPECT_TRUE(log_is({}));
}

TEST_F(CaliDataVextral, DacLineInvertedForAnOutputLevel)
{
    const long double top = cali->get_dac_line_vref(0, 22);
    const long double volt5 = cali->get_dac_line_volt(0, 5);
    struct
    {
        long double volt, vref;
    } cases[] = {
        {0.07L, 0.1L}, {0.0L, 0.1L}, {-1.0L, 0.1L},    {NaN, 0.1L},
        {0.88L, top},  {5.0L, top},  {std::numeric_limits<long double>::infinity(), top},
        // An inner point's volt gives its vref.
        {volt5, cali->get_dac_line_vref(0, 5)},
    };
    for (u8 ch : {0, 1}) {
        for (const auto &c : cases) {
            EXPECT_EQ(cali->get_dac_vref_for_volt(ch, c.volt), c.vref) << static_cast<double>(c.volt);
        }
    }
    // Halfway between points 0 and 1 of the default line.
    const long double mid = (0.07L + cali->get_dac_line_volt(0, 1)) / 2;
    EXPECT_NEAR(static_cast<double>(cali->get_dac_vref_for_volt(0, mid)), 0.125, 1e-15);
}

TEST_F(CaliDataVextral, FrequencyCompensationByTheFiveMegahertzGrid)
{
    // Sheet 0 compensations 0, 1, ..., 6 dB; sheet 1 ten times those.
    for (u16 i = 0; i < 7; ++i) {
        cali->set_freq_data_compensate(0, 0, i, i);
        cali->set_freq_data_compensate(0, 1, i, 10 * i);
    }
    struct
    {
        uint32 word;
        long double freq, db;
    } cases[] = {
        {0, 1000000.0L, 0.0L}, {0, 999.0L, 0.0L},     {0, -1.0L, 0.0L},   {0, NaN, 0.0L},
        {0, 30000000.0L, 6.0L}, {0, 1e9L, 6.0L},      {0, 5000000.0L, 1.0L},
        // Between 1 and 5 MHz: points 0 (1 MHz) and 1 (5 MHz).
        {0, 3000000.0L, 0.5L}, {0, 7500000.0L, 1.5L}, {0, 29999999.0L, 5.9999998L},
        // Bit 2 of the range word picks the high sheet; other bits do not matter.
        {4, 7500000.0L, 15.0L}, {6, 1000000.0L, 0.0L}, {2, 7500000.0L, 1.5L},
    };
    for (u8 ch : {0, 1}) {
        for (const auto &c : cases) {
            EXPECT_NEAR(static_cast<double>(cali->get_freq_compensate(ch, c.word, c.freq, 1.0L, 0.0L)),
                        static_cast<double>(c.db), 1e-12)
                << "word " << c.word << " freq " << static_cast<double>(c.freq);
        }
    }
    // Two points at one frequency, as a loaded record may hold: no division by zero.
    cali->set_freq_data_freq(0, 0, 2, 5000000.0L);
    EXPECT_EQ(cali->get_freq_compensate(0, 0, 7500000.0L, 0, 0), 1.0L);
}

TEST_F(CaliDataVextral, ControlAndCounterCodesAndTheOffsetLimit)
{
    struct
    {
        long double value;
        u16 code;
    } ctl[] = {
        {1.0L, 10764}, {0.25L, 2707}, {-0.25L, 62873}, {0.0L, 22}, {4.0L, 32768}, {-4.0L, 32768}, {NaN, 32768},
    };
    for (const auto &c : ctl)
        EXPECT_EQ(cali->get_ctl_code(c.value), c.code) << static_cast<double>(c.value);

    EXPECT_EQ(cali->get_counter_level_code(0.0L), 13106.0L);
    EXPECT_EQ(cali->get_counter_level_code(1.0L), 24028.0L);
    EXPECT_EQ(cali->check_offset_limit(9.0L, 0.7), 0);
    EXPECT_EQ(cali->check_offset_limit(9.0L, 0.6999L), 1);
    EXPECT_EQ(cali->check_offset_limit(9.0L, -0.6999L), 1);
    EXPECT_EQ(cali->get_dac_fsc_code(0, 1.0L), 1);
    EXPECT_EQ(cali->get_dac_delta_code(1), 100);
    cali->set_dac_delta(0, -12.9L);
    EXPECT_EQ(cali->get_dac_delta_code(0), -12);

    EXPECT_EQ(cali->is_calibrated(), 0);
    cali->set_cali_flag(1);
    EXPECT_EQ(cali->is_calibrated(), 1);
    cali->set_cali_value(0.1L);
    EXPECT_EQ(cali->get_cali_value(), static_cast<long double>(0.1f));
}

TEST_F(CaliDataVextral, AveragesOfTheFeedbackAdcWithAWaitAfterEachReading)
{
    // Register 98: bit 15 marks a ready sample.
    cali->set_sample_count(4);
    sim.queue_reads(98, {0x8000 | 0, 0x8000 | 4095, 0x0000, 0x8000 | 2044, 0x8000 | 2045});
    EXPECT_EQ(cali->read_adc_average(), (0 + 4095 + 2044 + 2045) / 4.0L);
    EXPECT_EQ(sim.slept_ms(), 4u);

    // Volts through the feedback line (2044.1 counts at 0 V, -1365 per volt on both
    // sides): raw 0 -> about +1.4975 V, raw 4095 -> about -1.5025 V.
    sim.clear_log();
    cali->set_sample_count(2);
    sim.queue_reads(98, {0x8000 | 0, 0x8000 | 4095});
    EXPECT_NEAR(static_cast<double>(cali->read_volt_average()), (2044.1 / 1365 - 2050.9 / 1365) / 2, 1e-15);
    EXPECT_EQ(sim.slept_ms(), 2u);

    // No readings: 0.0 without touching the module.
    sim.clear_log();
    cali->set_sample_count(0);
    EXPECT_EQ(cali->read_adc_average(), 0.0L);
    EXPECT_EQ(cali->read_volt_average(), 0.0L);
    EXPECT_TRUE(log_is({}));
}

TEST_F(CaliDataVextral, ReportOfTheDefaultRecordMatchesTheHandWrittenText)
{
    const std::string golden = read_text(data_path("cali_default_report.txt"));
    std::string text = "previous content";
    cali->get_cali_info(text);
    EXPECT_EQ(text, golden);

    stdout_capture_t capture;
    std::string printed = " ";
    cali->print_cali_info(printed);
    EXPECT_EQ(capture.finish(), golden + "\n");
    EXPECT_EQ(printed, golden);

    // Negative control code in hexadecimal, NaN as printf prints it.
    cali->set_ctl_delta(-1);
    cali->set_fb_delta(NaN);
    cali->get_cali_info(text);
    EXPECT_NE(text.find("ctl_delta = 0xffffffff  \n"), std::string::npos);
    EXPECT_NE(text.find("fb_delta = nan  \n"), std::string::npos);
}

TEST(CaliBase, NeutralBodies)
{
    cali_base_t base;
    u32 value = 77;
    EXPECT_TRUE(base.load());
    EXPECT_TRUE(base.save());
    EXPECT_TRUE(base.get_time_base_cali(&value));
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(base.get_ctl_delta(), 1);
    EXPECT_EQ(base.get_dac_delta_code(0), 1);
    EXPECT_EQ(base.get_ctl_code(1.0L), 1);
    EXPECT_EQ(base.get_dac_fsc_code(0, 1.0L), 1);
    EXPECT_EQ(base.is_calibrated(), 1);
    EXPECT_EQ(base.get_cali_flag(), 1);
    EXPECT_EQ(base.fb_cali_step(5), 1);
    EXPECT_EQ(base.reserved_table_check(0, 0), 1);
    EXPECT_EQ(base.reserved_10(), 0);
    EXPECT_EQ(base.get_freq_point_count(), 0);
    EXPECT_EQ(base.check_offset_limit(0, 0), 0);
    EXPECT_EQ(base.get_dac_vref_for_volt(0, 0.5L), 0.0L);
    EXPECT_EQ(base.get_freq_compensate(0, 4, 1e7L, 1, 0), 0.0L);
    freq_counter_line_t line{1.5L, 2.5L};
    base.get_freq_counter_line(&line);
    EXPECT_EQ(line.delta, 1.5L);
    EXPECT_EQ(line.slope, 2.5L);
    std::string text = "kept";
    base.get_cali_info(text);
    EXPECT_EQ(text, "kept");
}

TEST(CaliFreeFunctions, LinearFillAndTheLargestCompensation)
{
    long double out[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(cali_fill_linear(out, 5, 1.0L, 3.0L), 1);
    EXPECT_EQ(out[0], 1.0L);
    EXPECT_EQ(out[2], 2.0L);
    EXPECT_EQ(out[4], 3.0L);
    EXPECT_EQ(cali_fill_linear(nullptr, 5, 1.0L, 3.0L), 0);
    EXPECT_EQ(cali_fill_linear(out, 0, 7.0L, 7.0L), 1);
    EXPECT_EQ(out[0], 1.0L);
    long double single[1] = {0};
    EXPECT_EQ(cali_fill_linear(single, 1, 4.0L, 5.0L), 1);
    EXPECT_EQ(single[0], 5.0L);

    // The module keeps no point count, so no point is the largest.
    cali_get_instance()->set_freq_data_compensate(0, 0, 0, 3.0L);
    long double best[2] = {9, 9};
    EXPECT_EQ(cali_get_max_compensate(0, 0, best), 1);
    EXPECT_EQ(best[0], 0.0L);
    EXPECT_EQ(best[1], 0.0L);
    u32 value = 5;
    EXPECT_EQ(drv_time_base_cali_read(&value), 1);
    EXPECT_EQ(value, 5u);
    EXPECT_EQ(drv_time_base_cali_save(6), 1);
}
