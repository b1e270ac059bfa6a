// The calibration procedures against sim_cali_plant_t: the channel-0 path behind the
// feedback ADC, linear in the registers the procedures set. The expected values are the
// plant's own constants, within what the 12-bit ADC resolves (1/1365 V per count).
#include "cali.h"
#include "cali_data_vextral.h"
#include "cali_record.h"
#include "drv_interface.h"
#include "sim_cali_plant.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr uint32 k_record_at = 32768;
constexpr double k_adc_volt = 1.0 / 1365.0;

std::size_t count_reads(const sim_fpga_t &sim, std::uint32_t address)
{
    std::size_t n = 0;
    for (const sim_op_t &op : sim.log())
        n += op.kind == sim_op_kind_t::read && op.address == address;
    return n;
}

std::size_t count_flash_writes(const sim_fpga_t &sim)
{
    std::size_t n = 0;
    for (const sim_op_t &op : sim.log())
        n += op.kind == sim_op_kind_t::byte_write;
    return n;
}

double db(double ratio)
{
    return 20.0 * std::log10(ratio);
}

class CaliProcedures : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        cali = dynamic_cast<cali_data_vextral_t *>(cali_get_instance());
        ASSERT_NE(cali, nullptr);
        plant.install(sim);
        sim.clear_log();
    }

    // calibrate with its console output kept.
    void run_calibrate()
    {
        stdout_capture_t capture;
        cali->calibrate();
        output = capture.finish();
    }

    // The stored record decoded.
    cali_values_t stored_values() const
    {
        const std::vector<uint8> record = sim.flash(k_record_at, CALI_RECORD_SIZE);
        cali_values_t values{};
        cali_values_decode(record.data(), &values);
        return values;
    }

    sim_cali_plant_t plant;
    cali_data_vextral_t *cali = nullptr;
    std::string output;
};

} // namespace

TEST_F(CaliProcedures, CalibrateConvergesOnThePlantAndSavesARecordThatLoadsAgain)
{
    run_calibrate();
    EXPECT_EQ(cali->get_cali_flag(), 1);
    EXPECT_TRUE(cali->values_finite());

    // Zero codes: reference 12, trim 7, DC DAC -25, each within the ADC's dead band.
    EXPECT_NEAR(cali->get_ctl_delta(), plant.ref_zero, 4);
    EXPECT_NEAR(static_cast<double>(cali->get_dac_delta_code(0)), plant.trim_zero, 3);
    EXPECT_NEAR(static_cast<double>(cali->get_adder_delta(0)), plant.dc_zero, 15);
    // Codes per volt: the reference's 10922, the DC DAC's through relay 1 (x0.4) and
    // through both relays (x0.1).
    EXPECT_NEAR(static_cast<double>(cali->get_ctl_slope()), 10922.0, 10922.0 * 0.003);
    EXPECT_NEAR(static_cast<double>(cali->get_dc_adder_slope(0)), 10922.0 / 0.4, 10922.0 / 0.4 * 0.005);
    EXPECT_NEAR(static_cast<double>(cali->get_dc_coarse_slope(0)), 10922.0 / 0.1, 10922.0 / 0.1 * 0.01);
    // One ADC count through both relays is about 80 DC DAC codes.
    EXPECT_NEAR(static_cast<double>(cali->get_adder_amplifier_delta(0)), plant.dc_zero, 10922.0 / 0.1 * k_adc_volt);
    // The DAC line: the peak-to-peak swing of the wave DAC equals its reference here.
    for (int16 i = 0; i < CALI_DAC_LINE_POINTS; ++i) {
        const double vref = 0.1 + i * 0.049999999999999996;
        EXPECT_EQ(static_cast<double>(cali->get_dac_line_vref(0, i)), static_cast<double>(0.1L + i * 0.049999999999999996L));
        EXPECT_NEAR(static_cast<double>(cali->get_dac_line_volt(0, i)), vref, 3 * k_adc_volt) << i;
    }
    // Path gains in dB: 0.8 with both range relays off, then relay 1 (x0.5) and relay 2
    // (x0.25) relative to it.
    EXPECT_NEAR(static_cast<double>(cali->get_ac_adder_gain(0)), db(0.8), 0.05);
    EXPECT_NEAR(static_cast<double>(cali->get_first_coarse_gain(0)), db(0.5), 0.1);
    EXPECT_NEAR(static_cast<double>(cali->get_second_coarse_gain(0)), db(0.25), 0.2);

    EXPECT_NE(output.find("Calibrate channel DAC+++++++++++++++++++++++++[ch_id=0]"), std::string::npos);
    EXPECT_NE(output.find("dac_vref_step = 0.05\n"), std::string::npos);
    EXPECT_NE(output.find("dac_vref(1.200000)=index(22)*dac_vref_step(0.050000); "), std::string::npos);

    // A later start-up loads the saved record (valid checksum: nothing is written back).
    const long double slope = cali->get_ctl_slope();
    const long double gain = cali->get_second_coarse_gain(0);
    cali->set_default();
    sim.clear_log();
    {
        // (The module's start-up answers false whatever happens.)
        stdout_capture_t capture;
        drv_interface_t::get_instance()->init();
    }
    EXPECT_EQ(count_flash_writes(sim), 0u);
    EXPECT_EQ(cali->get_ctl_slope(), slope);
    EXPECT_EQ(cali->get_second_coarse_gain(0), gain);
}

TEST_F(CaliProcedures, APlantReadingZeroVoltsEverywhereReplacesNoSlopeAndSavesOnlyFiniteValues)
{
    // Every reading is code 2044, exactly 0 V once the line's zero is 2044.
    plant.flat = true;
    cali->set_fb_delta(2044.0L);
    const long double ctl_slope = cali->get_ctl_slope();
    const long double adder_slope = cali->get_dc_adder_slope(0);
    const long double coarse_slope = cali->get_dc_coarse_slope(0);
    const long double amplifier_delta = cali->get_adder_amplifier_delta(0);
    const long double gains[] = {cali->get_ac_adder_gain(0), cali->get_first_coarse_gain(0),
                                 cali->get_second_coarse_gain(0)};

    run_calibrate();
    EXPECT_EQ(cali->get_ctl_slope(), ctl_slope);
    EXPECT_EQ(cali->get_dc_adder_slope(0), adder_slope);
    EXPECT_EQ(cali->get_dc_coarse_slope(0), coarse_slope);
    EXPECT_EQ(cali->get_adder_amplifier_delta(0), amplifier_delta);
    EXPECT_EQ(cali->get_ac_adder_gain(0), gains[0]);
    EXPECT_EQ(cali->get_first_coarse_gain(0), gains[1]);
    EXPECT_EQ(cali->get_second_coarse_gain(0), gains[2]);
    // The zero searches end at once on 0 V; the record is saved and holds finite values.
    EXPECT_EQ(cali->get_ctl_delta(), 0);
    EXPECT_EQ(cali->get_cali_flag(), 1);
    EXPECT_GT(count_flash_writes(sim), 0u);
    const cali_values_t stored = stored_values();
    EXPECT_EQ(stored.ctl_slope, ctl_slope);
    EXPECT_EQ(stored.cali_ch_data.dc_coarse_slope, coarse_slope);
    EXPECT_TRUE(std::isfinite(stored.cali_ch_data.second_coarse_gain));

    // Each slope step on its own reports the failure.
    const std::vector<std::pair<const char *, std::function<int32()>>> steps = {
        {"ctl slope", [&] { return cali->cali_ctl_slope(); }},
        {"dc adder slope", [&] { return cali->cali_dc_adder_slope(0); }},
        {"dc coarse", [&] { return cali->measure_dc_pos(0) & cali->cali_dc_coarse(0); }},
        {"ac adder gain", [&] { return cali->cali_ac_adder_gain(0); }},
        {"first coarse gain", [&] { return cali->cali_first_coarse_gain(0); }},
        {"second coarse gain", [&] { return cali->cali_second_coarse_gain(0); }},
    };
    stdout_capture_t capture;
    for (const auto &[name, step] : steps)
        EXPECT_EQ(step(), 0) << name;
}

TEST_F(CaliProcedures, ANonFiniteValueIsNeverSaved)
{
    // A feedback line with a zero slope turns readings into infinities; the DAC line
    // would take them.
    cali->set_fb_pos_slope(0.0L);
    cali->set_fb_neg_slope(0.0L);
    cali->set_max_iterations(2);
    const std::vector<uint8> before = sim.flash(k_record_at, CALI_RECORD_SIZE);
    run_calibrate();
    EXPECT_EQ(cali->get_cali_flag(), 0);
    EXPECT_EQ(count_flash_writes(sim), 0u);
    EXPECT_EQ(sim.flash(k_record_at, CALI_RECORD_SIZE), before);
    EXPECT_NE(output.find("not saved"), std::string::npos);
}

TEST_F(CaliProcedures, EachZeroSearchStopsAtItsBound)
{
    // A large offset keeps every reading far above the tolerance, whatever code is set.
    plant.offset = 2.0;
    cali->set_max_iterations(30);
    cali->set_sample_count(3);
    const long double dac_delta = cali->get_dac_delta_code(0);
    struct search_t
    {
        const char *name;
        int32 input;
        std::function<int32()> run;
        std::size_t reads_per_measurement;
    };
    const std::vector<search_t> searches = {
        {"ctl delta", 0, [&] { return cali->cali_ctl_delta(); }, 3},
        {"dac delta", 2, [&] { return cali->cali_dac_delta(0); }, 1},
        {"adder delta", 4, [&] { return cali->cali_adder_delta(0); }, 3},
    };
    stdout_capture_t capture;
    for (const search_t &search : searches) {
        cali->select_measure_input(0, search.input);
        sim.clear_log();
        EXPECT_EQ(search.run(), 0) << search.name;
        EXPECT_EQ(count_reads(sim, 98), 31 * search.reads_per_measurement) << search.name;
    }
    // The reference search walked down one code per measurement and stored the next one;
    // the trim search keeps the old trim.
    EXPECT_EQ(cali->get_ctl_delta(), -31);
    EXPECT_EQ(cali->get_dac_delta_code(0), dac_delta);
}

TEST_F(CaliProcedures, FeedbackCalibrationTakesItsLineFromTheThreePoints)
{
    cali->set_sample_count(2);
    plant.flat = true;
    stdout_capture_t capture;
    EXPECT_EQ(cali->fb_cali_step(5), 0);
    EXPECT_TRUE(log_is({}));

    EXPECT_EQ(cali->fb_cali_step(0), 1);
    EXPECT_EQ(sim.peek(96) & 0x7, 4);
    EXPECT_GE(sim.slept_ms(), 200u);
    // The caller applies 0 V, +1 V and -1 V in turn.
    const struct
    {
        double counts;
        u32 step;
    } points[] = {{2050.0, 1}, {680.0, 2}, {3420.0, 3}};
    for (const auto &point : points) {
        plant.adc_zero = point.counts;
        EXPECT_EQ(cali->fb_cali_step(point.step), 1);
    }
    sim.clear_log();
    EXPECT_EQ(cali->fb_cali_step(4), 1);
    EXPECT_EQ(cali->get_fb_delta(), 2050.0L);
    EXPECT_EQ(cali->get_fb_pos_slope(), -1370.0L);
    EXPECT_EQ(cali->get_fb_neg_slope(), -1370.0L);
    EXPECT_GT(count_flash_writes(sim), 0u);
    EXPECT_EQ(stored_values().fb_pos_slope, -1370.0L);

    // Without the inputs applied all three points read alike: the line stays.
    EXPECT_EQ(cali->fb_cali_step(0), 1);
    for (u32 step = 1; step <= 3; ++step)
        EXPECT_EQ(cali->fb_cali_step(step), 1);
    EXPECT_EQ(cali->fb_cali_step(4), 0);
    EXPECT_EQ(cali->get_fb_delta(), 2050.0L);
    EXPECT_EQ(cali->get_fb_neg_slope(), -1370.0L);
}

TEST(CaliProcedureHelpers, ToleranceAndDecibelRatio)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    const struct
    {
        long double v;
        int32 in;
        long double over;
    } tolerance[] = {
        {0.0L, 1, 9.0L}, {0.0003L, 1, 9.0L}, {-0.0003L, 1, 9.0L},
        {0.01055L, 0, 0.01025L}, {-0.001L, 0, -0.0007L}, {nan, 0, nan},
    };
    for (const auto &c : tolerance) {
        long double over = 9.0L;
        EXPECT_EQ(cali_data_vextral_t::check_tolerance(&over, c.v, 0.0003L), c.in) << static_cast<double>(c.v);
        if (std::isnan(c.over))
            EXPECT_TRUE(std::isnan(over));
        else
            EXPECT_NEAR(static_cast<double>(over), static_cast<double>(c.over), 1e-12);
    }

    EXPECT_NEAR(static_cast<double>(cali_data_vextral_t::db_ratio(-0.1L, 1.0L)), -20.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(cali_data_vextral_t::db_ratio(2.0L, -0.2L)), 20.0, 1e-12);
    for (const auto &[a, b] : std::vector<std::pair<long double, long double>>{{1.0L, 0.0L}, {1.0L, nan}, {1.0L, inf}, {nan, 1.0L}})
        EXPECT_TRUE(std::isnan(cali_data_vextral_t::db_ratio(a, b)));
}
