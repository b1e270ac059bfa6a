#pragma once
// The second platform's wave send buffers and their DMA: eight buffers in a fixed
// physical region (per channel two DDS buffers, a descriptor ring and a sample-rate
// buffer). A wave is loaded into a buffer, then the channel's DMA controller is started
// on a ring of 64-byte descriptors that cover the buffer in chunks of at most 0x7FFFFF
// bytes. Buffers whose storage is null (production: nothing maps it) take no data.
#include "lib_types.h"

#include <vector>

struct drv_send_buffer_t
{
    uint8 *data;
    // Bytes filled and bytes available.
    int32 size;
    int32 capacity;
};

// Physical addresses of the buffers, in the order of drv_send_buffer_index.
constexpr uint32 DRV_SEND_BUFFER_PHYS[8] = {0x09800000, 0x09880000, 0x09900000, 0x09980000,
                                            0x09A00000, 0x09B00000, 0x09C00000, 0x0CE00000};
constexpr int32 DRV_SEND_BUFFER_CAPACITY[8] = {524288, 524288, 524288, 524288, 1048576, 1048576, 52428800, 52428800};
constexpr int32 DRV_DMA_DESC_SIZE = 64;
constexpr int32 DRV_DMA_MAX_CHUNK = 0x7FFFFF;
// Descriptor fields (byte offsets) and control bits.
constexpr int32 DRV_DMA_DESC_NEXT = 0x00;
constexpr int32 DRV_DMA_DESC_ADDRESS = 0x08;
constexpr int32 DRV_DMA_DESC_CONTROL = 0x18;
constexpr uint32 DRV_DMA_DESC_FIRST = 1u << 27;
constexpr uint32 DRV_DMA_DESC_LAST = 1u << 26;

// Buffer kinds of a channel.
enum drv_send_buffer_kind_t
{
    DRV_SEND_BUFFER_DDS_A = 0,
    DRV_SEND_BUFFER_DDS_B = 1,
    DRV_SEND_BUFFER_RING = 2,
    DRV_SEND_BUFFER_SAMPLE_RATE = 3,
};
// Index into the tables above: DDS buffers 0-3 (channel 0 A, B, channel 1 A, B), rings
// 4 and 5, sample-rate buffers 6 and 7. Channel 0 for 0, channel 1 otherwise.
int32 drv_send_buffer_index(int32 ch, drv_send_buffer_kind_t kind);

// The eight records: storage from the window source (null without one), size 0 and
// the capacities above.
void drv_send_buffers_init();
// Channel 0 for ch 0, else 1; the sample-rate buffer for sample-rate mode 1, else DDS
// buffer A for DDS select 1 and buffer B otherwise.
drv_send_buffer_t *drv_send_buffer_get(int32 ch, int32 dds_select, int32 sr_mode);
// The buffer's physical address (0 for a record that is not one of the eight).
uint32 drv_send_buffer_phys(const drv_send_buffer_t *buffer);

// The wave copied to the buffer's start, size its byte length. An empty wave changes
// nothing; one longer than the capacity prints
// "drv_load_dds_wave_data_to_send_buffer:bufrer too small" and changes nothing.
void drv_load_dds_wave_data_to_send_buffer(drv_send_buffer_t *buffer, const std::vector<int16> &wave);
// The wave repeated back to back up to a total length T: the largest multiple of 4B
// not above 0x7FFFFF when 4B <= 8388606, else 2B when 2B <= 8388606 and a multiple of
// 8, else B (B the wave's bytes). When T exceeds the capacity it prints
// "drv_load_sample_rate_wave_data_to_send_buffer:buffer too small" and changes nothing.
void drv_load_sample_rate_wave_data_to_send_buffer(drv_send_buffer_t *buffer, const std::vector<int16> &wave);
// Repetition into the sample-rate buffer for sample-rate mode 1, a copy into the DDS
// buffer otherwise; 1. The uint16 form takes the samples as the FPGA driver holds them.
int32 drv_send_buffer_load(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<int16> &wave);
int32 drv_send_buffer_load(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<uint16> &wave);
// The selected data buffer and the channel's ring with their physical addresses; 1.
int32 drv_dma_get_buffers(int32 ch, int32 dds_select, int32 sr_mode, drv_send_buffer_t **data, uint32 *data_phys,
                          drv_send_buffer_t **ring, uint32 *ring_phys);
// Builds the descriptor ring over the selected buffer and starts the channel's
// controller (cyclic for a sample-rate mode other than 0); 0 when the buffer is empty
// or the ring has no storage, else 1.
int32 drv_dma_start(int32 ch, int32 dds_select, int32 sr_mode);
// drv_send_buffer_load, then drv_dma_start; 1.
int32 drv_send_wave(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<int16> &wave);
int32 drv_send_wave(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<uint16> &wave);
// 1 when the controller's run bit is 0 and its halted bit 1; otherwise prints
// "DMA controler is still busy !!!" and returns 0.
int32 drv_dma_check_idle(int32 selector);
// The DMA self-test: controller reset, idle check, then by code: 0x6F "wave1.bin"
// repeated into the sample-rate buffer and started cyclic; 0x6E "sin.bin" into DDS
// buffer A and started; 0 a ramp built and nothing sent; other codes read "sin.bin"
// and send nothing (0). The files are read from the working directory; a missing or
// empty one gives 0 and sends nothing.
int32 drv_dma_test_wave(int64 ch, int64 code);
