// The second platform's send buffers and DMA start, on heap memory in place of the
// mapped regions: repetition and copy into the buffers, their capacity limits, the
// buffer selection, the descriptor ring and controller start, the idle check and the
// DMA self-test with its wave files.
#include "drv_dma_window.h"
#include "drv_send_buffer.h"
#include "sim_dma_windows.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int CH0_DDS_A = 0;
constexpr int CH0_DDS_B = 1;
constexpr int CH1_DDS_A = 2;
constexpr int CH0_RING = 4;
constexpr int CH1_RING = 5;
constexpr int CH0_SAMPLE_RATE = 6;

std::vector<int16> ramp(std::size_t n, int16 first = 1)
{
    std::vector<int16> wave(n);
    for (std::size_t i = 0; i < n; ++i)
        wave[i] = static_cast<int16>(first + static_cast<int16>(i * 7));
    return wave;
}

bool holds_copy(const uint8 *data, std::size_t at, const std::vector<int16> &wave)
{
    return std::memcmp(data + at, wave.data(), 2 * wave.size()) == 0;
}

void write_file(const char *name, const std::vector<int16> &wave)
{
    std::FILE *file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(wave.data(), 2, wave.size(), file);
    std::fclose(file);
}

struct descriptor_t
{
    uint32 next;
    uint32 address;
    uint32 control;
};

descriptor_t descriptor(const sim_dma_windows_t &w, int ring, int k)
{
    const std::size_t at = static_cast<std::size_t>(k) * DRV_DMA_DESC_SIZE;
    return {w.buffer_word(ring, at + DRV_DMA_DESC_NEXT), w.buffer_word(ring, at + DRV_DMA_DESC_ADDRESS),
            w.buffer_word(ring, at + DRV_DMA_DESC_CONTROL)};
}

} // namespace

TEST(DrvSendBuffer, SampleRateWaveIsRepeatedToTheLengthItsSizeAllows)
{
    sim_dma_windows_t windows({CH0_SAMPLE_RATE});
    struct
    {
        std::size_t samples;
        int32 total;
    } cases[] = {
        {1024, 8380416},      // largest multiple of 4B = 8192 not above 0x7FFFFF: 4092 copies
        {1, 8388600},         // B = 2
        {3, 8388600},         // B = 6, 4B = 24
        {2000000, 8000000},   // 4B too long; 2B a multiple of 8: two copies
        {1050001, 2100002},   // 2B = 4200004 not a multiple of 8: one copy
        {2500000, 5000000},   // 2B above 8388606: one copy
    };
    drv_send_buffer_t *buffer = drv_send_buffer_get(0, 1, 1);
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.samples << " samples");
        const std::vector<int16> wave = ramp(c.samples, static_cast<int16>(c.samples));
        EXPECT_EQ(drv_send_buffer_load(0, 1, 1, wave), 1);
        EXPECT_EQ(buffer->size, c.total);
        const std::size_t bytes = 2 * c.samples;
        const std::size_t copies = static_cast<std::size_t>(c.total) / bytes;
        EXPECT_TRUE(holds_copy(buffer->data, 0, wave));
        EXPECT_TRUE(holds_copy(buffer->data, (copies / 2) * bytes, wave));
        EXPECT_TRUE(holds_copy(buffer->data, (copies - 1) * bytes, wave));
    }
}

TEST(DrvSendBuffer, DdsWaveIsCopiedOnceAndEmptyWaveChangesNothing)
{
    sim_dma_windows_t windows({CH1_DDS_A});
    drv_send_buffer_t *buffer = drv_send_buffer_get(1, 1, 0);
    const std::vector<int16> wave = ramp(16384);
    drv_send_buffer_load(1, 1, 0, wave);
    EXPECT_EQ(buffer->size, 32768);
    EXPECT_TRUE(holds_copy(buffer->data, 0, wave));

    drv_load_dds_wave_data_to_send_buffer(buffer, std::vector<int16>());
    EXPECT_EQ(buffer->size, 32768);
    EXPECT_TRUE(holds_copy(buffer->data, 0, wave));

    // A wave that fills the buffer exactly still fits.
    const std::vector<int16> full = ramp(262144, 5);
    drv_load_dds_wave_data_to_send_buffer(buffer, full);
    EXPECT_EQ(buffer->size, 524288);
}

TEST(DrvSendBuffer, WaveLongerThanTheBufferIsRefusedWithItsMessageAndNothingChanges)
{
    sim_dma_windows_t windows({CH0_DDS_A, CH0_SAMPLE_RATE});
    const std::vector<int16> small = ramp(100);
    drv_send_buffer_load(0, 1, 0, small);
    drv_send_buffer_load(0, 1, 1, small);

    struct
    {
        int32 sr_mode;
        std::size_t samples;
        const char *message;
    } cases[] = {
        {0, 262145, "drv_load_dds_wave_data_to_send_buffer:bufrer too small\n"},
        {1, 26214401, "drv_load_sample_rate_wave_data_to_send_buffer:buffer too small\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        drv_send_buffer_t *buffer = drv_send_buffer_get(0, 1, c.sr_mode);
        const int32 size = buffer->size;
        stdout_capture_t capture;
        EXPECT_EQ(drv_send_buffer_load(0, 1, c.sr_mode, std::vector<int16>(c.samples, 9)), 1);
        EXPECT_EQ(capture.finish(), c.message);
        EXPECT_EQ(buffer->size, size);
        EXPECT_TRUE(holds_copy(buffer->data, 0, small));
    }
}

TEST(DrvSendBuffer, SelectionFollowsChannelDdsSelectAndSampleRateMode)
{
    struct
    {
        int32 ch, dds, sr;
        int index;
    } cases[] = {
        {0, 1, 0, 0}, {0, 0, 0, 1}, {0, 2, 0, 1}, {0, 1, 1, 6}, {0, 0, 1, 6}, {0, 1, 2, 0},
        {1, 1, 0, 2}, {1, 0, 0, 3}, {1, 0, 1, 7}, {5, 1, 0, 2}, {-1, 0, 1, 7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ch << ", " << c.dds << ", " << c.sr);
        drv_send_buffer_t *data = nullptr;
        drv_send_buffer_t *ring = nullptr;
        uint32 data_phys = 0;
        uint32 ring_phys = 0;
        EXPECT_EQ(drv_dma_get_buffers(c.ch, c.dds, c.sr, &data, &data_phys, &ring, &ring_phys), 1);
        EXPECT_EQ(data, drv_send_buffer_get(c.ch, c.dds, c.sr));
        EXPECT_EQ(data_phys, DRV_SEND_BUFFER_PHYS[c.index]);
        EXPECT_EQ(ring_phys, DRV_SEND_BUFFER_PHYS[c.ch != 0 ? CH1_RING : CH0_RING]);
    }
}

TEST(DrvSendBuffer, DescriptorRingCoversTheBufferInChunksLinkedBackToTheFirst)
{
    sim_dma_windows_t windows({CH0_RING});
    const uint32 ring = DRV_SEND_BUFFER_PHYS[CH0_RING];
    const uint32 data = DRV_SEND_BUFFER_PHYS[CH0_SAMPLE_RATE];
    struct
    {
        int32 size;
        std::vector<uint32> lengths;
    } cases[] = {
        {2048, {2048}},
        {8388607, {8388607}},
        {8388608, {8388607, 1}},
        {20000000, {8388607, 8388607, 3222786}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        drv_send_buffer_get(0, 1, 1)->size = c.size;
        EXPECT_EQ(drv_dma_start(0, 1, 1), 1);
        const int n = static_cast<int>(c.lengths.size());
        uint32 offset = 0;
        for (int k = 0; k < n; ++k) {
            SCOPED_TRACE(k);
            const descriptor_t d = descriptor(windows, CH0_RING, k);
            uint32 control = c.lengths[static_cast<std::size_t>(k)];
            if (k == 0)
                control |= DRV_DMA_DESC_FIRST;
            if (k == n - 1)
                control |= DRV_DMA_DESC_LAST;
            EXPECT_EQ(d.control, control);
            EXPECT_EQ(d.address, data + offset);
            EXPECT_EQ(d.next, ring + static_cast<uint32>(64 * ((k + 1) % n)));
            EXPECT_EQ(windows.buffer_word(CH0_RING, 64 * static_cast<std::size_t>(k) + 4), 0u);
            offset += c.lengths[static_cast<std::size_t>(k)];
        }
    }
}

TEST(DrvSendBuffer, ControllerStartsCyclicOnlyInSampleRateMode)
{
    sim_dma_windows_t windows({CH0_RING, CH1_RING});
    struct
    {
        int32 ch, sr;
        uint32 control_before, control_after, tail;
    } cases[] = {
        {0, 1, 0x05, 0x15, 0x50},
        {1, 2, 0x00, 0x11, 0x50},
        {0, 0, 0x11, 0x11, DRV_SEND_BUFFER_PHYS[CH0_RING] + 64},
        {1, 0, 0x04, 0x05, DRV_SEND_BUFFER_PHYS[CH1_RING] + 64},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ch << ", " << c.sr);
        drv_send_buffer_get(c.ch, 1, c.sr)->size = 8388608;
        windows.dma(c.ch, DRV_DMA_CONTROL) = c.control_before;
        EXPECT_EQ(drv_dma_start(c.ch, 1, c.sr), 1);
        EXPECT_EQ(windows.dma(c.ch, DRV_DMA_CONTROL), c.control_after);
        EXPECT_EQ(windows.dma(c.ch, DRV_DMA_CURRENT_DESC), DRV_SEND_BUFFER_PHYS[c.ch ? CH1_RING : CH0_RING]);
        EXPECT_EQ(windows.dma(c.ch, DRV_DMA_TAIL_DESC), c.tail);
    }
    // An empty buffer starts nothing.
    windows.dma(0, DRV_DMA_CONTROL) = 0;
    drv_send_buffer_get(0, 0, 0)->size = 0;
    EXPECT_EQ(drv_dma_start(0, 0, 0), 0);
    EXPECT_EQ(windows.dma(0, DRV_DMA_CONTROL), 0u);
}

TEST(DrvSendBuffer, SendWaveLoadsAndStartsTheSelectedBuffer)
{
    sim_dma_windows_t windows({CH0_DDS_B, CH0_RING});
    const std::vector<uint16> wave(4096, 0x1234);
    EXPECT_EQ(drv_send_wave(0, 0, 0, wave), 1);
    EXPECT_EQ(drv_send_buffer_get(0, 0, 0)->size, 8192);
    EXPECT_EQ(windows.buffer_word(CH0_DDS_B, 8188), 0x12341234u);
    const descriptor_t d = descriptor(windows, CH0_RING, 0);
    EXPECT_EQ(d.address, DRV_SEND_BUFFER_PHYS[CH0_DDS_B]);
    EXPECT_EQ(d.control, 8192u | DRV_DMA_DESC_FIRST | DRV_DMA_DESC_LAST);
    EXPECT_EQ(windows.dma(0, DRV_DMA_CONTROL), DRV_DMA_CONTROL_RUN);
}

TEST(DrvSendBuffer, WithoutMappedMemoryNothingIsWrittenOrStarted)
{
    drv_send_buffers_init();
    const std::vector<int16> wave = ramp(1000);
    EXPECT_EQ(drv_send_wave(0, 1, 1, wave), 1);
    EXPECT_EQ(drv_send_wave(1, 1, 0, wave), 1);
    EXPECT_EQ(drv_send_buffer_get(0, 1, 1)->size, 0);
    EXPECT_EQ(drv_send_buffer_get(1, 1, 0)->size, 0);
    drv_send_buffer_get(0, 1, 1)->size = 4096;
    EXPECT_EQ(drv_dma_start(0, 1, 1), 0);
    EXPECT_EQ(drv_dma_read(0, DRV_DMA_CONTROL), 0u);
}

TEST(DrvSendBuffer, IdleCheckNeedsRunClearAndHaltedSet)
{
    sim_dma_windows_t windows;
    struct
    {
        uint32 control, status;
        int32 idle;
    } cases[] = {{0x00, 0x01, 1}, {0x04, 0x01, 1}, {0x01, 0x01, 0}, {0x01, 0x00, 0}, {0x00, 0x00, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.control << ", " << c.status);
        windows.dma(1, DRV_DMA_CONTROL) = c.control;
        windows.dma(1, DRV_DMA_STATUS) = c.status;
        stdout_capture_t capture;
        EXPECT_EQ(drv_dma_check_idle(7), c.idle);
        EXPECT_EQ(capture.finish(), c.idle ? "" : "DMA controler is still busy !!!\n");
    }
}

TEST(DrvSendBuffer, SelfTestSendsItsWaveFileByCode)
{
    const std::vector<int16> wave1 = ramp(1024, 3);
    const std::vector<int16> sine = ramp(512, -40);
    write_file("wave1.bin", wave1);
    write_file("sin.bin", sine);
    struct
    {
        int64 ch, code;
        int32 result;
        int data_index;  // buffer that receives the wave, -1 none
        int32 size;
        uint32 control;  // after the test
    } cases[] = {
        {0, 0x6F, 1, CH0_SAMPLE_RATE, 8380416, 0x15},
        {0, 0x6E, 1, CH0_DDS_A, 1024, 0x05},
        {0, 0, 1, -1, 0, 0x04},
        {0, 0x70, 0, -1, 0, 0x04},
        {3, 0x6E, 1, CH1_DDS_A, 1024, 0x05},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ch << ", " << c.code);
        sim_dma_windows_t windows({CH0_DDS_A, CH1_DDS_A, CH0_RING, CH1_RING, CH0_SAMPLE_RATE});
        const int ch = c.ch != 0 ? 1 : 0;
        windows.dma(ch, DRV_DMA_CONTROL) = 0x01;
        windows.dma(ch, DRV_DMA_STATUS) = 0x01;
        EXPECT_EQ(drv_dma_test_wave(c.ch, c.code), c.result);
        EXPECT_EQ(windows.dma(ch, DRV_DMA_CONTROL), c.control);
        for (int i : {CH0_DDS_A, CH1_DDS_A, CH0_SAMPLE_RATE}) {
            const drv_send_buffer_t *b = drv_send_buffer_get(i == CH1_DDS_A ? 1 : 0, 1, i == CH0_SAMPLE_RATE ? 1 : 0);
            EXPECT_EQ(b->size, i == c.data_index ? c.size : 0) << "buffer " << i;
        }
        if (c.data_index >= 0)
            EXPECT_TRUE(holds_copy(windows.buffer(c.data_index), 0, c.code == 0x6F ? wave1 : sine));
    }
}

TEST(DrvSendBuffer, SelfTestStopsWhenBusyOrItsFileIsMissing)
{
    sim_dma_windows_t windows({CH0_DDS_A, CH0_RING});
    {
        // The reset leaves the run bit clear, so only a controller still halting is busy.
        windows.dma(0, DRV_DMA_STATUS) = 0;
        stdout_capture_t capture;
        EXPECT_EQ(drv_dma_test_wave(0, 0x6E), 0);
        EXPECT_EQ(capture.finish(), "DMA controler is still busy !!!\n");
    }
    windows.dma(0, DRV_DMA_STATUS) = 1;
    stdout_capture_t capture;
    EXPECT_EQ(drv_dma_test_wave(0, 0x6E), 0);
    EXPECT_EQ(drv_dma_test_wave(0, 0x6F), 0);
    EXPECT_EQ(capture.finish(), "[ERROR]:cannot open file:sin.bin\n[ERROR]:cannot open file:wave1.bin\n");
    EXPECT_EQ(drv_send_buffer_get(0, 1, 0)->size, 0);
    EXPECT_EQ(windows.dma(0, DRV_DMA_CONTROL), DRV_DMA_CONTROL_RESET);
}
