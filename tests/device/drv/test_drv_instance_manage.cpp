#include "drv_amp_vextral.h"
#include "drv_clock_source_vextral.h"
#include "drv_fpga_vextral.h"
#include "drv_freq_vextral.h"
#include "drv_hc4051_vextral.h"
#include "drv_hc595_vextral.h"
#include "drv_instance_manage.h"
#include "drv_pulse_vextral.h"
#include "drv_reg_access.h"
#include "drv_valid_check_zqw1000.h"
#include "drv_voltage_overload_interrupt_vextral.h"
#include "drv_voltage_overload_vextral.h"
#include "drv_wave_data_vextral.h"
#include "drv_wave_manage_vextral.h"
#include "lib_trunc.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

// The simulator's transport, counting its opens and closes.
class counting_transport_t : public sim_reg_transport_t
{
public:
    using sim_reg_transport_t::sim_reg_transport_t;
    int32 reg_init_spi_driver() override
    {
        ++inits;
        return sim_reg_transport_t::reg_init_spi_driver();
    }
    void reg_close_spi_driver() override
    {
        ++closes;
        sim_reg_transport_t::reg_close_spi_driver();
    }
    int inits = 0;
    int closes = 0;
};

const char *const k_construction_lines = "drv_instance_manage_t::drv_instance_manage_t()\n"
                                         "produce_id: 14100 \n"
                                         "(DRV_PRODUCT_VEXTRAL)\n"
                                         "_drv_product=4\n"
                                         "drv_instance_manage_t::_init_vextral_instance() \n";

const char *const k_chip_start_lines = "void drv_instance_manage_t::_init_chip_vextral() \n"
                                       "void drv_spi_init(void) \n"
                                       "void drv_spi_init(void)  2\n";

// The calibration start-up on an erased flash: the stored name is sixteen erased bytes,
// then the defaults are saved.
const std::string k_cali_first_lines = "cali_all_data.forever_data.name =" + std::string(16, '\xff') +
                                       "\n"
                                       "cali_all_data.forever_data.name =new forever\n";

class DrvInstanceManage : public testing::Test
{
protected:
    void SetUp() override
    {
        drv_reset_driver_layer();
        drv_set_reg_transport_factory([this] {
            ++made;
            auto made_transport = std::make_unique<counting_transport_t>(sim);
            transport = made_transport.get();
            return made_transport;
        });
    }

    drv_instance_manage_t *build()
    {
        stdout_capture_t capture;
        drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
        construction_text = capture.finish();
        return manager;
    }

    sim_fpga_t sim;
    sim_os_recorder_t recorder{sim};
    counting_transport_t *transport = nullptr;
    int made = 0;
    std::string construction_text;
};

std::vector<const void *> entries(const drv_instance_manage_t &m)
{
    return {m.get_wave_manage(), m.get_phase(),        m.get_arb_wave(),         m.get_voltage_overload(),
            m.get_combine(),     m.get_freq(),         m.get_data_pattern(),     m.get_wave_data(),
            m.get_wave_ram(),    m.get_fpga(),         m.get_hc595(),            m.get_hc4051(),
            m.get_amp(),         m.get_clock_source(), m.get_mod(),              m.get_valid_check(),
            m.get_pulse(),       m.get_square(),       m.get_overload_interrupt(), m.get_reg_transport()};
}

} // namespace

TEST_F(DrvInstanceManage, FirstAccessorBuildsEveryEntryAndOpensTheTransportOnce)
{
    drv_instance_manage_t *manager = build();
    EXPECT_EQ(construction_text, k_construction_lines);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(transport->inits, 1);
    EXPECT_TRUE(transport->is_open());
    EXPECT_EQ(manager->get_product_id(), DRV_PRODUCT_VEXTRAL);
    EXPECT_FALSE(manager->is_init());

    const std::vector<const void *> first = entries(*manager);
    ASSERT_EQ(first.size(), 20u);
    EXPECT_EQ(manager->get_mod(), nullptr);
    std::set<const void *> distinct(first.begin(), first.end());
    distinct.erase(nullptr);
    EXPECT_EQ(distinct.size(), 19u);
    EXPECT_EQ(manager->get_reg_transport(), transport);

    // The module's classes.
    EXPECT_NE(dynamic_cast<drv_wave_manage_vextral_t *>(manager->get_wave_manage()), nullptr);
    EXPECT_NE(dynamic_cast<drv_voltage_overload_vextral_t *>(manager->get_voltage_overload()), nullptr);
    EXPECT_NE(dynamic_cast<drv_freq_vextral_t *>(manager->get_freq()), nullptr);
    EXPECT_NE(dynamic_cast<drv_wave_data_vextral_t *>(manager->get_wave_data()), nullptr);
    EXPECT_NE(dynamic_cast<drv_fpga_vextral_t *>(manager->get_fpga()), nullptr);
    EXPECT_NE(dynamic_cast<drv_hc595_vextral_t *>(manager->get_hc595()), nullptr);
    EXPECT_NE(dynamic_cast<drv_hc4051_vextral_t *>(manager->get_hc4051()), nullptr);
    EXPECT_NE(dynamic_cast<drv_amp_vextral_t *>(manager->get_amp()), nullptr);
    EXPECT_NE(dynamic_cast<drv_clock_source_vextral_t *>(manager->get_clock_source()), nullptr);
    EXPECT_NE(dynamic_cast<drv_valid_check_zqw1000_t *>(manager->get_valid_check()), nullptr);
    EXPECT_NE(dynamic_cast<drv_pulse_vextral_t *>(manager->get_pulse()), nullptr);
    EXPECT_NE(dynamic_cast<drv_voltage_overload_interrupt_vextral_t *>(manager->get_overload_interrupt()), nullptr);
    EXPECT_EQ(manager->get_overload_interrupt()->is_enabled(), 1);

    // Building touched no register: the transport's opening is the only traffic.
    EXPECT_TRUE(sim.log().empty());

    // Later calls hand out the same objects and build nothing.
    stdout_capture_t again;
    EXPECT_EQ(drv_instance_manage_t::get_instance(), manager);
    EXPECT_EQ(entries(*manager), first);
    EXPECT_EQ(again.finish(), "");
    EXPECT_EQ(made, 1);
    EXPECT_EQ(transport->inits, 1);
}

TEST_F(DrvInstanceManage, FactoryIsReadOnlyWhenTheManagerIsBuilt)
{
    drv_reg_spi_t *first = build()->get_reg_transport();
    sim_fpga_t second;
    drv_set_reg_transport_factory([h = second.handle()] { return std::make_unique<sim_reg_transport_t>(h); });
    EXPECT_EQ(drv_instance_manage_t::get_instance()->get_reg_transport(), first);
    first->reg_write_fpga_reg(1, 2);
    EXPECT_EQ(sim.writes_to(1), (std::vector<uint16>{2}));
    EXPECT_TRUE(second.log().empty());
}

TEST_F(DrvInstanceManage, InitRunsTheChipStartUpAnswersFalseAndMarksItInitialised)
{
    drv_instance_manage_t *manager = build();
    stdout_capture_t capture;
    EXPECT_FALSE(manager->init());
    EXPECT_EQ(capture.finish(), std::string("bool drv_instance_manage_t::init()\n") + k_chip_start_lines +
                                    k_cali_first_lines);
    EXPECT_TRUE(manager->is_init());
    // The transport's second init.
    EXPECT_EQ(transport->inits, 2);
    EXPECT_EQ(made, 1);
}

TEST_F(DrvInstanceManage, UninitClosesTheTransportAndKeepsTheObjects)
{
    drv_instance_manage_t *manager = build();
    {
        stdout_capture_t quiet;
        manager->init();
    }
    const std::vector<const void *> before = entries(*manager);
    manager->uninit();
    EXPECT_EQ(transport->closes, 1);
    EXPECT_FALSE(transport->is_open());
    sim.clear_log();
    EXPECT_TRUE(manager->is_init());
    EXPECT_EQ(entries(*manager), before);

    // Register access finds the transport closed: nothing arrives, reads answer 0.
    sim.poke(10, 0x1234);
    drv_fpga_write_reg(10, 0x5678);
    EXPECT_EQ(drv_fpga_read_reg(10), 0);
    EXPECT_TRUE(sim.log().empty());

    // Pure computations still work.
    drv_fpga_t *fpga = manager->get_fpga();
    EXPECT_EQ(lib_trunc_u64(fpga->freq_to_word(1e9L)), 2251799813u);
    fpga->set_run_mode(1, 2);
    EXPECT_EQ(fpga->get_run_mode(1), 2);
    EXPECT_EQ(manager->get_overload_interrupt()->get_interrupt_state(), 0);
}

TEST_F(DrvInstanceManage, ReinitChipRunsTheStartUpAgainAndLeavesTheMark)
{
    drv_instance_manage_t *manager = build();
    manager->uninit();
    stdout_capture_t capture;
    manager->reinit_chip();
    // With the calibration start-up: the flash is still erased, so the defaults are saved.
    EXPECT_EQ(capture.finish(), k_chip_start_lines + k_cali_first_lines);
    EXPECT_TRUE(transport->is_open());
    EXPECT_FALSE(manager->is_init());
    EXPECT_EQ(transport->inits, 2);
}

// Tests run one after another in one process keep the driver layer between them: it must
// never reach a simulator that is gone, and a new simulator gets a new driver layer.
TEST(DrvInstanceManageLifetime, DriverLayerGoesWithItsSimulatorAndStartsAsAtLoad)
{
    {
        sim_fpga_t first;
        sim_install_reg_transport(first);
        stdout_capture_t quiet;
        drv_instance_manage_t::get_instance();
        quiet.finish();
        drv_fpga_set_reg_trace(1);
        drv_fpga_write_reg(1, 1);
        EXPECT_EQ(first.writes_to(1), (std::vector<uint16>{1}));
    }
    // Built again over the installed factory, whose simulator is gone: nothing arrives.
    stdout_capture_t rebuilt;
    EXPECT_EQ(drv_fpga_read_reg(1), 0);
    EXPECT_EQ(rebuilt.finish(), k_construction_lines);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), ""); // off again
    drv_fpga_write_reg(2, 2);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), "");

    // A new simulator replaces the layer even while the old one is still built.
    sim_fpga_t second;
    sim_install_reg_transport(second);
    stdout_capture_t again;
    drv_instance_manage_t *second_manager = drv_instance_manage_t::get_instance();
    EXPECT_EQ(again.finish(), k_construction_lines);
    drv_fpga_write_reg(3, 3);
    EXPECT_EQ(second.writes_to(3), (std::vector<uint16>{3}));
    EXPECT_NE(second_manager->get_reg_transport(), nullptr);
}

TEST(DrvInstanceManageLifetime, TransportOutlivingItsSimulatorDropsEverything)
{
    auto sim = std::make_unique<sim_fpga_t>();
    sim->poke(5, 9);
    sim_reg_transport_t transport(*sim);
    transport.reg_init_spi_driver();
    EXPECT_EQ(transport.reg_read_fpga_reg(5), 9);
    const sim_fpga_t copy = *sim; // a copy is no target of the original's transports
    sim.reset();
    EXPECT_EQ(transport.reg_read_fpga_reg(5), 0);
    EXPECT_EQ(transport.reg_write_fpga_reg(5, 1), 0);
    const uint16 words[2] = {1, 2};
    EXPECT_EQ(transport.reg_write_block(0x100, words, 2), 1);
    EXPECT_EQ(copy.peek(5), 9); // the copy lives on untouched
}
