#pragma once
// The second platform's memory-mapped windows: the FPGA register window (32-bit
// registers, element n for register n) and the two DMA controllers (32-bit registers
// at byte offsets). Nothing in this library maps physical memory, so the windows are
// null unless a window source is installed; a null window reads 0 and ignores writes.
//
// Also here: the memory address and value registers reached through the register
// transport, the DMA length remainder and the byte-order functions.
#include "lib_types.h"

// DMA controller registers (byte offsets).
constexpr uint32 DRV_DMA_CONTROL = 0x00;
constexpr uint32 DRV_DMA_STATUS = 0x04;
constexpr uint32 DRV_DMA_CURRENT_DESC = 0x08;
constexpr uint32 DRV_DMA_TAIL_DESC = 0x10;
// Control bits: run, reset, cyclic. Status bit: halted.
constexpr uint32 DRV_DMA_CONTROL_RUN = 0x01;
constexpr uint32 DRV_DMA_CONTROL_RESET = 0x04;
constexpr uint32 DRV_DMA_CONTROL_CYCLIC = 0x10;
constexpr uint32 DRV_DMA_STATUS_HALTED = 0x01;

// Where the windows and the send buffers' storage come from. On the second platform
// this is the mapping of their physical regions; tests give heap memory. Each pointer
// may be null. Buffers are indexed as drv_send_buffer_index gives them; each must hold
// its buffer's capacity. The read hook, when set, answers every register-window read
// (given the stored value), so a test can script status bits that change; the write
// hook sees every register-window write after it is stored.
struct drv_dma_window_source_t
{
    uint32 *reg_window;
    uint32 *dma_window[2];
    uint8 *buffer_storage[8];
    uint32 (*reg_read_hook)(void *context, int32 reg, uint32 stored);
    void (*reg_write_hook)(void *context, int32 reg, uint32 value);
    void *hook_context;
};

// Installs the source (null: none) and takes its windows at once. Internal: not
// exported.
void drv_dma_set_window_source(const drv_dma_window_source_t *source);
const drv_dma_window_source_t *drv_dma_get_window_source();

// The windows become the source's (null without one), their descriptors -1.
void drv_dma_reset_windows();
// The descriptors beside the windows: 0 register window, 1 and 2 the controllers.
int32 drv_dma_window_descriptor(int32 which);

// The 32-bit FPGA register of the window; 1.
int32 drv_reg_window_write(int32 reg, uint32 value);
uint32 drv_reg_window_read(int32 reg);
// A controller register of channel 1 (selector not 0) or channel 0; 1.
int32 drv_dma_write(int32 selector, uint32 offset, uint32 value);
uint32 drv_dma_read(int32 selector, uint32 offset);

// Through the register transport: register 0xB1 = control, 0xB3 / 0xB5 = address bits
// 16-31 / 0-15, then bit 13 of 0xB1 pulsed (clear, set, clear from one read); 1.
int32 drv_mem_set_address(int32 control, int32 unused, uint32 address);
// Register 0xB1 = control, bit 12 pulsed the same way; (0xB7 << 16) | 0xB9.
uint32 drv_mem_read_value(int32 control);

// 0 when 8x <= 0xFFFFFD, or when 8x <= 0x1FFFFFB and x is a multiple of 4; otherwise
// x modulo 8 with the sign of x.
int32 drv_dma_length_remainder(int32 x);

uint16 drv_swap16(uint16 v);
// Bytes 0 and 2 exchanged, byte 1 kept (a 24-bit value; byte 3 is dropped).
uint32 drv_swap24(uint32 v);
uint32 drv_swap32(uint32 v);
uint64 drv_swap64(uint64 v);
