#include "sim_dma_windows.h"

#include "drv_send_buffer.h"

#include <cstring>

sim_dma_windows_t::sim_dma_windows_t(std::initializer_list<int> buffers)
    : _reg(REG_WINDOW_WORDS, 0), _dma{std::vector<std::uint32_t>(DMA_WINDOW_WORDS, 0),
                                      std::vector<std::uint32_t>(DMA_WINDOW_WORDS, 0)}
{
    _source.reg_window = _reg.data();
    _source.dma_window[0] = _dma[0].data();
    _source.dma_window[1] = _dma[1].data();
    for (int index : buffers) {
        _buffers[index].reset(new std::uint8_t[static_cast<std::size_t>(DRV_SEND_BUFFER_CAPACITY[index])]);
        _source.buffer_storage[index] = _buffers[index].get();
    }
    _source.reg_read_hook = read_hook;
    _source.hook_context = this;
    _source.reg_write_hook = write_hook;
    drv_dma_set_window_source(&_source);
    drv_send_buffers_init();
}

sim_dma_windows_t::~sim_dma_windows_t()
{
    drv_dma_set_window_source(nullptr);
    drv_send_buffers_init();
}

std::uint32_t sim_dma_windows_t::buffer_word(int index, std::size_t offset) const
{
    std::uint32_t word = 0;
    std::memcpy(&word, _buffers[index].get() + offset, sizeof word);
    return word;
}

void sim_dma_windows_t::queue_reads(int reg, std::initializer_list<std::uint32_t> values)
{
    std::deque<std::uint32_t> &queue = _scripted[reg];
    queue.insert(queue.end(), values.begin(), values.end());
}

int sim_dma_windows_t::reads_of(int reg) const
{
    auto found = _reads.find(reg);
    return found == _reads.end() ? 0 : found->second;
}

std::uint32_t sim_dma_windows_t::read_hook(void *context, int reg, std::uint32_t stored)
{
    auto *self = static_cast<sim_dma_windows_t *>(context);
    ++self->_reads[reg];
    auto scripted = self->_scripted.find(reg);
    if (scripted == self->_scripted.end() || scripted->second.empty())
        return stored;
    const std::uint32_t value = scripted->second.front();
    scripted->second.pop_front();
    return value;
}

std::vector<std::uint32_t> sim_dma_windows_t::writes_to(int reg) const
{
    auto found = _writes.find(reg);
    return found == _writes.end() ? std::vector<std::uint32_t>() : found->second;
}

void sim_dma_windows_t::write_hook(void *context, int reg, std::uint32_t value)
{
    static_cast<sim_dma_windows_t *>(context)->_writes[reg].push_back(value);
}
