#pragma once
// sim_dma_windows_t: heap memory in place of the second platform's memory-mapped FPGA
// register window, its two DMA controller windows and (for the buffers a test names)
// the send buffers' storage. While it lives it is the window source of the driver
// layer, and the send buffers are set up over it (again at each drv_send_buffers_init).
//
// Register-window reads can be scripted per register, like sim_fpga_t's reads, and its
// writes are kept per register.
#include "drv_dma_window.h"

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

class sim_dma_windows_t
{
public:
    static constexpr int REG_WINDOW_WORDS = 1024;
    static constexpr int DMA_WINDOW_WORDS = 64;

    // buffers: indices of the send buffers that get storage of their full capacity.
    explicit sim_dma_windows_t(std::initializer_list<int> buffers = {});
    ~sim_dma_windows_t();
    sim_dma_windows_t(const sim_dma_windows_t &) = delete;
    sim_dma_windows_t &operator=(const sim_dma_windows_t &) = delete;

    std::uint32_t &reg(int n) { return _reg[static_cast<std::size_t>(n)]; }
    std::uint32_t &dma(int ch, std::uint32_t offset) { return _dma[ch][offset / 4]; }
    std::uint8_t *buffer(int index) { return _buffers[index].get(); }
    // The 32-bit word at a byte offset of a buffer.
    std::uint32_t buffer_word(int index, std::size_t offset) const;

    // Values the next reads of the register return, in order, before the stored value.
    void queue_reads(int reg, std::initializer_list<std::uint32_t> values);
    // How many reads of the register were made, and every value written to it.
    int reads_of(int reg) const;
    std::vector<std::uint32_t> writes_to(int reg) const;

private:
    static std::uint32_t read_hook(void *context, int reg, std::uint32_t stored);
    static void write_hook(void *context, int reg, std::uint32_t value);

    std::vector<std::uint32_t> _reg;
    std::vector<std::uint32_t> _dma[2];
    std::unique_ptr<std::uint8_t[]> _buffers[8];
    std::map<int, std::deque<std::uint32_t>> _scripted;
    std::map<int, int> _reads;
    std::map<int, std::vector<std::uint32_t>> _writes;
    drv_dma_window_source_t _source{};
};
