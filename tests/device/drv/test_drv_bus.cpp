// Transport start-up and close, the serial bus frames on register 240 and the
// kernel-module loader.
#include "drv_bus.h"
#include "drv_instance_manage.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using DrvBus = sim_driver_fixture_t;

std::vector<uint16> repeat(std::vector<uint16> pair, int times)
{
    std::vector<uint16> words;
    for (int i = 0; i < times; ++i)
        words.insert(words.end(), pair.begin(), pair.end());
    return words;
}

std::vector<uint16> concat(std::initializer_list<std::vector<uint16>> parts)
{
    std::vector<uint16> words;
    for (const auto &p : parts)
        words.insert(words.end(), p.begin(), p.end());
    return words;
}

// The value a frame carries: the data line (bit 1) of every clock-high word.
uint32 frame_value(const std::vector<uint16> &frame)
{
    uint32 value = 0;
    for (std::size_t i = 1; i < frame.size(); i += 2)
        value = (value << 1) | ((frame[i] >> 1) & 1);
    return value;
}

// A transport that keeps the base bodies of init, close and register read, as far as
// the capability queries tell; it counts what reaches it anyway.
class base_bodies_transport_t : public drv_reg_spi_t
{
public:
    int32 reg_init_spi_driver() override
    {
        ++calls;
        return 1;
    }
    void reg_close_spi_driver() override { ++calls; }
    int32 reg_read_fpga_reg(uint32) override
    {
        ++calls;
        return 0x55;
    }
    static inline int calls = 0;
};

} // namespace

TEST_F(DrvBus, SpiInitPrintsItsLinesAndInitsTheTransportAgain)
{
    auto *transport = static_cast<sim_reg_transport_t *>(manager->get_reg_transport());
    transport->reg_close_spi_driver();
    stdout_capture_t capture;
    drv_spi_init();
    EXPECT_EQ(capture.finish(), "void drv_spi_init(void) \nvoid drv_spi_init(void)  2\n");
    EXPECT_TRUE(transport->is_open());
    drv_spi_uninit();
    EXPECT_FALSE(transport->is_open());
}

TEST(DrvBusBaseTransport, InitCloseAndReadBackAreSkippedWhenTheTransportKeepsTheBase)
{
    drv_reset_driver_layer();
    drv_set_reg_transport_factory([] { return std::make_unique<base_bodies_transport_t>(); });
    stdout_capture_t capture;
    drv_instance_manage_t::get_instance();
    base_bodies_transport_t::calls = 0;
    drv_spi_init();
    drv_spi_uninit();
    EXPECT_EQ(drv_serial_write_read(1, 0x1234), 1);
    capture.finish();
    EXPECT_EQ(base_bodies_transport_t::calls, 0);
}

TEST_F(DrvBus, SerialFramesOfEachDevice)
{
    struct
    {
        int32 device;
        uint32 value;
        std::vector<uint16> frame;
    } cases[] = {
        // The example: device 1 with 0x8001.
        {1, 0x8001,
         concat({{0xFFEA, 0xFFEB}, repeat({0xFFE8, 0xFFE9}, 14), {0xFFEA, 0xFFEB}, {0xFFEA}})},
        {0, 0x800001,
         concat({{0xFFB2, 0xFFB3}, repeat({0xFFB0, 0xFFB1}, 22), {0xFFB2, 0xFFB3}, {0xFFB2}})},
        {2, 0x0002, concat({repeat({0xFFD8, 0xFFD9}, 14), {0xFFDA, 0xFFDB}, {0xFFD8, 0xFFD9}, {0xFFD8}})},
        // Bits above the word length are ignored.
        {1, 0x10000, concat({repeat({0xFFE8, 0xFFE9}, 16), {0xFFE8}})},
        {0, 0xFF000000, concat({repeat({0xFFB0, 0xFFB1}, 24), {0xFFB0}})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "device " << c.device << ", value " << c.value);
        sim.clear_log();
        drv_serial_write(c.device, c.value);
        EXPECT_TRUE(log_is({sim_word_list({0xFFFE}), sim_word_list(c.frame), sim_word_list({0xFFFE})}));
        EXPECT_EQ(c.frame.size(), c.device == 0 ? 49u : 33u);
    }
}

TEST_F(DrvBus, DevicesOutsideTheBusSendNothing)
{
    for (int32 device : {3, -1, 100}) {
        drv_serial_write(device, 0xFFFF);
        EXPECT_EQ(drv_serial_write_read(device, 0xFFFF), 0);
    }
    // Only the read-back of register 242 (0 in the simulator) reaches the module.
    for (const sim_op_t &op : sim.log()) {
        EXPECT_EQ(op.kind, sim_op_kind_t::read);
        EXPECT_EQ(op.address, 242u);
    }
}

TEST_F(DrvBus, WriteReadAnswersRegister242)
{
    sim.poke(242, 0x005A);
    EXPECT_EQ(drv_serial_write_read(1, 0x00FF), 0x5A);
    ASSERT_EQ(sim.log().size(), 4u);
    EXPECT_EQ(sim.log()[1].words.size(), 33u);
    EXPECT_EQ(frame_value(sim.log()[1].words), 0x00FFu);
    EXPECT_EQ(sim_op_text(sim.log()[3]), sim_op_text(sim_read(242, 0x5A)));
}

TEST_F(DrvBus, DeviceZeroStartUpWordsAndWaits)
{
    drv_serial_dev0_init();
    std::vector<uint32> values;
    std::string shape;
    for (const sim_op_t &op : sim.log()) {
        if (op.kind == sim_op_kind_t::sleep) {
            EXPECT_EQ(op.value, 1u);
            shape += 's';
        } else if (op.words.size() == 49) {
            values.push_back(frame_value(op.words));
            shape += 'F';
        } else {
            EXPECT_EQ(op.words, (std::vector<uint16>{0xFFFE}));
            shape += 'i';
        }
    }
    EXPECT_EQ(shape, "iFi" "iFi" + std::string(20, 's') + "iFi" + std::string(5, 's'));
    EXPECT_EQ(values, (std::vector<uint32>{801, 4206976, 384002}));
}

TEST_F(DrvBus, InsmodRunsItsCommandThroughTheShellHook)
{
    sim_fpga_t shell_log;
    int result = 0;
    std::string text;
    {
        sim_os_recorder_t shell(shell_log, 7);
        stdout_capture_t capture;
        result = drv_insmod("drv_dma.ko");
        text = capture.finish();
    }
    EXPECT_EQ(result, 7);
    EXPECT_EQ(text, "[shell cmd]:\"insmod drv_dma.ko;\"\n");
    EXPECT_TRUE(sim_fpga_t::diff({sim_shell("insmod drv_dma.ko;")}, shell_log.log()).empty());
}
