// The second platform's SPI transport: what its operations move (nothing for the
// registers, two bits of the register window for the clock chip), its device selector,
// and its clock and DAC start-up (counted through a recording subclass and the DAC's
// serial frames in the simulator's log).
#include "drv_reg_spi_zynq.h"
#include "sim_dma_windows.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Records the clock-chip writes and the raw SPI block transfers; optionally carries
// FPGA registers to the simulator.
class recording_zynq_t : public drv_reg_spi_zynq_t
{
public:
    explicit recording_zynq_t(sim_fpga_t *registers = nullptr) : _registers(registers) {}

    int32 reg_write_clock_chip(uint32 reg, uint32 value) override
    {
        clock_writes.emplace_back(reg, value);
        return drv_reg_spi_zynq_t::reg_write_clock_chip(reg, value);
    }
    void reg_write_spi_raw(int32 device, const uint8 *, uint32 length) override
    {
        raw_writes.emplace_back(device, length);
    }
    int32 reg_read_fpga_reg(uint32 address) override { return _registers ? _registers->read_reg(address) : 0; }
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override
    {
        if (_registers)
            _registers->write_reg(address, static_cast<uint16>(value));
        return 0;
    }
    bool carries_fpga_registers() const override { return _registers != nullptr; }

    std::vector<std::pair<uint32, uint32>> clock_writes;
    std::vector<std::pair<int32, uint32>> raw_writes;

private:
    sim_fpga_t *_registers;
};

// The 24-bit words of the DAC's serial frames (base word 0xFFD8) in the log.
std::vector<uint32> dac_words(const std::vector<sim_op_t> &log)
{
    std::vector<uint32> words;
    for (const sim_op_t &op : log) {
        if (op.kind != sim_op_kind_t::word_list || op.words.size() != 49 || (op.words[0] & 0xFFFC) != 0xFFD8)
            continue;
        uint32 word = 0;
        for (std::size_t bit = 0; bit < 24; ++bit)
            word = (word << 1) | ((op.words[2 * bit] >> 1) & 1u);
        words.push_back(word);
    }
    return words;
}

uint32 dac(uint32 reg, uint32 value)
{
    return (reg << 16) | value;
}

} // namespace

TEST(DrvRegSpiZynq, OpenAlwaysAnswersOneAndKeepsTheDescriptor)
{
    EXPECT_EQ(drv_reg_spi_zynq_t::get_device(), -1);
    recording_zynq_t transport;
    stdout_capture_t capture;
    EXPECT_EQ(transport.reg_init_spi_driver(), 1);
    // The OS layer's open is a stub that answers 0: the device counts as opened.
    EXPECT_EQ(capture.finish(), "");
    EXPECT_EQ(drv_reg_spi_zynq_t::get_device(), 0);

    const uint16 words[2] = {1, 2};
    EXPECT_EQ(transport.reg_write_block(0x40, words, 2), 1);
    ASSERT_EQ(transport.raw_writes.size(), 2u);
    EXPECT_EQ(transport.raw_writes[0], std::make_pair(0, 2u));
    EXPECT_EQ(transport.raw_writes[1], std::make_pair(0, 4u));
}

TEST(DrvRegSpiZynq, RegistersMoveNothingAndTheClockWriteClearsTwoWindowBits)
{
    sim_dma_windows_t windows;
    windows.reg(16) = 0xFFFFFFFF;
    windows.reg(15) = 0x1234;
    drv_reg_spi_zynq_t *transport = drv_reg_spi_zynq_t::get_instance();
    EXPECT_EQ(transport->reg_write_fpga_reg(16, 0), 0);
    EXPECT_EQ(transport->reg_read_fpga_reg(16), 0);
    EXPECT_EQ(windows.reg(16), 0xFFFFFFFFu);

    EXPECT_EQ(transport->reg_write_clock_chip(0x143, 0x91), 0);
    EXPECT_EQ(windows.reg(16), 0xFFFFDFEFu);
    EXPECT_EQ(windows.reg(15), 0x1234u);
    EXPECT_EQ(transport->reg_read_clock_chip(3), 0);

    windows.reg(16) = 0x2010;
    EXPECT_EQ(drv_zynq_reg_write(16, 7), 1);
    EXPECT_EQ(drv_zynq_reg_read(16), 0);
    EXPECT_EQ(drv_zynq_clock_write(0, 0), 1);
    EXPECT_EQ(drv_zynq_clock_read(0), 0);
    EXPECT_EQ(windows.reg(16), 0u);
}

using DrvRegSpiZynqStartup = sim_driver_fixture_t;

TEST_F(DrvRegSpiZynqStartup, ClockAndDacStartUpMakesItsWritesInOrder)
{
    sim_dma_windows_t windows;
    recording_zynq_t transport;
    transport.reg_init_clock_chip();

    ASSERT_EQ(transport.clock_writes.size(), 118u);
    const std::vector<std::pair<uint32, uint32>> head(transport.clock_writes.begin(), transport.clock_writes.begin() + 4);
    EXPECT_EQ(head, (std::vector<std::pair<uint32, uint32>>{{0x000, 0x80}, {0x149, 0x02}, {0x002, 0x00}, {0x100, 0}}));
    const std::vector<std::pair<uint32, uint32>> tail(transport.clock_writes.end() - 8, transport.clock_writes.end());
    EXPECT_EQ(tail, (std::vector<std::pair<uint32, uint32>>{
                        {0x144, 0x78}, {0x143, 0x91}, {0x143, 0xB1}, {0x143, 0x91}, {0x144, 0xFF}, {0x143, 0x11},
                        {0x143, 0x31}, {0x143, 0x11}}));
    for (const auto &w : transport.clock_writes) {
        EXPECT_LE(w.first, 0x17Du);
        for (uint32 skipped : {0x102u, 0x10Au, 0x112u, 0x11Au, 0x122u, 0x12Au, 0x132u})
            EXPECT_NE(w.first, skipped);
    }

    const std::vector<uint32> words = dac_words(sim.log());
    ASSERT_EQ(words.size(), 97u);
    const std::vector<uint32> first(words.begin(), words.begin() + 5);
    EXPECT_EQ(first, (std::vector<uint32>{dac(0x24, 0), dac(0x5C, 0), dac(0x02, 0x2080), dac(0x1A, 0x0020),
                                          dac(0x31, 0x1000)}));
    const std::vector<uint32> last(words.end() - 6, words.end());
    EXPECT_EQ(last, (std::vector<uint32>{dac(0x7D, 0), dac(0x6C, 0), dac(0x24, 0x0020), dac(0x5C, 0x0002),
                                         dac(0x4A, 0xFF1F), dac(0x4A, 0xFF01)}));
    EXPECT_NE(std::find(words.begin(), words.end(), dac(0x75, 0x0007)), words.end());
    for (uint32 w : words)
        EXPECT_LE(w >> 16, 0x7Du);

    // Each DAC write waits 1 ms; the sequence adds 1 + 5 x 100 ms; no register moved.
    EXPECT_EQ(sim.slept_ms(), 97u + 501u);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(DrvRegSpiZynqStartup, RegisterStepsRunOnlyOnATransportThatCarriesThem)
{
    sim_dma_windows_t windows;
    sim.poke(0xDD, 0x00FF);
    sim.poke(0xF0, 0xFFFF);
    sim.poke(0xB1, 0x1234);
    recording_zynq_t transport(&sim);
    transport.reg_init_clock_chip();
    EXPECT_EQ(sim.compact(), "0xdd=0x9f 0xf0=0xbf 0xf0=0xff 0xb1=0x5234 0xb1=0x1234 0xdd=0xbf");
    EXPECT_EQ(dac_words(sim.log()).size(), 97u);
}
