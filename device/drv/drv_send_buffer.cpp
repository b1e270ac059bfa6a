#include "drv_send_buffer.h"

#include "drv_dma_window.h"
#include "gos.h"

#include <cstring>
#include <string>

namespace {

constexpr int64 DRV_SR_REPEAT_LIMIT = 8388606;
constexpr int64 DRV_SR_TOTAL_MAX = 0x7FFFFF;
constexpr uint32 DRV_DMA_CYCLIC_TAIL = 0x50;
constexpr int32 DRV_TEST_RAMP_SAMPLES = 131072;
constexpr int64 DRV_TEST_SAMPLE_RATE = 0x6F;
constexpr int64 DRV_TEST_DDS = 0x6E;

drv_send_buffer_t s_buffers[8] = {};

void put_word(uint8 *at, uint32 value)
{
    std::memcpy(at, &value, sizeof value);
}

void load_dds(drv_send_buffer_t *buffer, const void *bytes, int64 length)
{
    if (!buffer || length == 0)
        return;
    if (length > buffer->capacity) {
        gos_printf("drv_load_dds_wave_data_to_send_buffer:bufrer too small\n");
        return;
    }
    if (!buffer->data)
        return;
    std::memcpy(buffer->data, bytes, static_cast<std::size_t>(length));
    buffer->size = static_cast<int32>(length);
}

void load_sample_rate(drv_send_buffer_t *buffer, const void *bytes, int64 length)
{
    if (!buffer || length / 2 == 0)
        return;
    int64 total = length;
    if (4 * length <= DRV_SR_REPEAT_LIMIT)
        total = DRV_SR_TOTAL_MAX / (4 * length) * (4 * length);
    else if (2 * length <= DRV_SR_REPEAT_LIMIT && (2 * length) % 8 == 0)
        total = 2 * length;
    // Every copy has the same length, so the first one that would not fit is known
    // before any is made: the buffer is left as it was.
    if (total > buffer->capacity) {
        gos_printf("drv_load_sample_rate_wave_data_to_send_buffer:buffer too small\n");
        return;
    }
    if (!buffer->data)
        return;
    const std::size_t n = static_cast<std::size_t>(length);
    std::memcpy(buffer->data, bytes, n);
    // Doubling the filled part copies the rest in log2(copies) large moves.
    std::size_t filled = n;
    const std::size_t end = static_cast<std::size_t>(total);
    while (filled < end) {
        const std::size_t chunk = filled < end - filled ? filled : end - filled;
        std::memcpy(buffer->data + filled, buffer->data, chunk);
        filled += chunk;
    }
    buffer->size = static_cast<int32>(total);
}

int32 load(int32 ch, int32 dds_select, int32 sr_mode, const void *bytes, int64 length)
{
    drv_send_buffer_t *buffer = drv_send_buffer_get(ch, dds_select, sr_mode);
    if (sr_mode == 1)
        load_sample_rate(buffer, bytes, length);
    else
        load_dds(buffer, bytes, length);
    return 1;
}

// Raw little-endian int16 samples of a file in the working directory; false when it
// does not open.
bool read_wave_file(const char *name, std::vector<int16> *out)
{
    std::FILE *file = gos_fopen(name, "rb");
    if (!file) {
        gos_printf("[ERROR]:cannot open file:%s\n", name);
        return false;
    }
    out->clear();
    int16 chunk[4096];
    std::size_t got = 0;
    while ((got = gos_fread(chunk, sizeof chunk[0], sizeof chunk / sizeof chunk[0], file)) > 0)
        out->insert(out->end(), chunk, chunk + got);
    gos_fclose(file);
    return true;
}

} // namespace

int32 drv_send_buffer_index(int32 ch, drv_send_buffer_kind_t kind)
{
    const int32 c = ch != 0 ? 1 : 0;
    switch (kind) {
    case DRV_SEND_BUFFER_DDS_A: return 2 * c;
    case DRV_SEND_BUFFER_DDS_B: return 2 * c + 1;
    case DRV_SEND_BUFFER_RING: return 4 + c;
    case DRV_SEND_BUFFER_SAMPLE_RATE: return 6 + c;
    }
    return 0;
}

void drv_send_buffers_init()
{
    const drv_dma_window_source_t *source = drv_dma_get_window_source();
    for (int32 i = 0; i < 8; ++i)
        s_buffers[i] = drv_send_buffer_t{source ? source->buffer_storage[i] : nullptr, 0, DRV_SEND_BUFFER_CAPACITY[i]};
}

drv_send_buffer_t *drv_send_buffer_get(int32 ch, int32 dds_select, int32 sr_mode)
{
    drv_send_buffer_kind_t kind = DRV_SEND_BUFFER_SAMPLE_RATE;
    if (sr_mode != 1)
        kind = dds_select == 1 ? DRV_SEND_BUFFER_DDS_A : DRV_SEND_BUFFER_DDS_B;
    return &s_buffers[drv_send_buffer_index(ch, kind)];
}

uint32 drv_send_buffer_phys(const drv_send_buffer_t *buffer)
{
    for (int32 i = 0; i < 8; ++i)
        if (buffer == &s_buffers[i])
            return DRV_SEND_BUFFER_PHYS[i];
    return 0;
}

void drv_load_dds_wave_data_to_send_buffer(drv_send_buffer_t *buffer, const std::vector<int16> &wave)
{
    load_dds(buffer, wave.data(), 2 * static_cast<int64>(wave.size()));
}

void drv_load_sample_rate_wave_data_to_send_buffer(drv_send_buffer_t *buffer, const std::vector<int16> &wave)
{
    load_sample_rate(buffer, wave.data(), 2 * static_cast<int64>(wave.size()));
}

int32 drv_send_buffer_load(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<int16> &wave)
{
    return load(ch, dds_select, sr_mode, wave.data(), 2 * static_cast<int64>(wave.size()));
}

int32 drv_send_buffer_load(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<uint16> &wave)
{
    return load(ch, dds_select, sr_mode, wave.data(), 2 * static_cast<int64>(wave.size()));
}

int32 drv_dma_get_buffers(int32 ch, int32 dds_select, int32 sr_mode, drv_send_buffer_t **data, uint32 *data_phys,
                          drv_send_buffer_t **ring, uint32 *ring_phys)
{
    drv_send_buffer_t *d = drv_send_buffer_get(ch, dds_select, sr_mode);
    drv_send_buffer_t *r = &s_buffers[drv_send_buffer_index(ch, DRV_SEND_BUFFER_RING)];
    if (data)
        *data = d;
    if (data_phys)
        *data_phys = drv_send_buffer_phys(d);
    if (ring)
        *ring = r;
    if (ring_phys)
        *ring_phys = drv_send_buffer_phys(r);
    return 1;
}

int32 drv_dma_start(int32 ch, int32 dds_select, int32 sr_mode)
{
    drv_send_buffer_t *data = nullptr;
    drv_send_buffer_t *ring = nullptr;
    uint32 data_phys = 0;
    uint32 ring_phys = 0;
    drv_dma_get_buffers(ch, dds_select, sr_mode, &data, &data_phys, &ring, &ring_phys);
    if (data->size <= 0 || !ring->data)
        return 0;

    const int32 chunks = (data->size + DRV_DMA_MAX_CHUNK - 1) / DRV_DMA_MAX_CHUNK;
    for (int32 k = 0; k < chunks; ++k) {
        uint8 *desc = ring->data + static_cast<std::size_t>(k) * DRV_DMA_DESC_SIZE;
        std::memset(desc, 0, DRV_DMA_DESC_SIZE);
        const int32 offset = k * DRV_DMA_MAX_CHUNK;
        const int32 length = data->size - offset < DRV_DMA_MAX_CHUNK ? data->size - offset : DRV_DMA_MAX_CHUNK;
        // The last descriptor links back to the first.
        const int32 next = k + 1 < chunks ? k + 1 : 0;
        uint32 control = static_cast<uint32>(length);
        if (k == 0)
            control |= DRV_DMA_DESC_FIRST;
        if (k == chunks - 1)
            control |= DRV_DMA_DESC_LAST;
        put_word(desc + DRV_DMA_DESC_NEXT, ring_phys + static_cast<uint32>(next * DRV_DMA_DESC_SIZE));
        put_word(desc + DRV_DMA_DESC_ADDRESS, data_phys + static_cast<uint32>(offset));
        put_word(desc + DRV_DMA_DESC_CONTROL, control);
    }

    const int32 selector = ch != 0 ? 1 : 0;
    drv_dma_write(selector, DRV_DMA_CONTROL, drv_dma_read(selector, DRV_DMA_CONTROL) & ~DRV_DMA_CONTROL_RUN);
    drv_dma_write(selector, DRV_DMA_CURRENT_DESC, ring_phys);
    const uint32 control = drv_dma_read(selector, DRV_DMA_CONTROL);
    if (sr_mode != 0) {
        drv_dma_write(selector, DRV_DMA_CONTROL, control | DRV_DMA_CONTROL_RUN | DRV_DMA_CONTROL_CYCLIC);
        drv_dma_write(selector, DRV_DMA_TAIL_DESC, DRV_DMA_CYCLIC_TAIL);
    } else {
        drv_dma_write(selector, DRV_DMA_CONTROL, control | DRV_DMA_CONTROL_RUN);
        drv_dma_write(selector, DRV_DMA_TAIL_DESC, ring_phys + static_cast<uint32>((chunks - 1) * DRV_DMA_DESC_SIZE));
    }
    return 1;
}

int32 drv_send_wave(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<int16> &wave)
{
    drv_send_buffer_load(ch, dds_select, sr_mode, wave);
    drv_dma_start(ch, dds_select, sr_mode);
    return 1;
}

int32 drv_send_wave(int32 ch, int32 dds_select, int32 sr_mode, const std::vector<uint16> &wave)
{
    drv_send_buffer_load(ch, dds_select, sr_mode, wave);
    drv_dma_start(ch, dds_select, sr_mode);
    return 1;
}

int32 drv_dma_check_idle(int32 selector)
{
    if ((drv_dma_read(selector, DRV_DMA_CONTROL) & DRV_DMA_CONTROL_RUN) == 0 &&
        (drv_dma_read(selector, DRV_DMA_STATUS) & DRV_DMA_STATUS_HALTED) != 0)
        return 1;
    gos_printf("DMA controler is still busy !!!\n");
    return 0;
}

int32 drv_dma_test_wave(int64 ch, int64 code)
{
    const int32 channel = ch != 0 ? 1 : 0;
    const uint32 control = drv_dma_read(channel, DRV_DMA_CONTROL);
    drv_dma_write(channel, DRV_DMA_CONTROL,
                  (control & ~(DRV_DMA_CONTROL_RUN | DRV_DMA_CONTROL_RESET)) | DRV_DMA_CONTROL_RESET);
    if (!drv_dma_check_idle(channel))
        return 0;

    std::vector<int16> wave;
    if (code == DRV_TEST_SAMPLE_RATE) {
        if (!read_wave_file("wave1.bin", &wave) || wave.empty())
            return 0;
        drv_send_wave(channel, 1, 1, wave);
        return 1;
    }
    if (code == DRV_TEST_DDS) {
        if (!read_wave_file("sin.bin", &wave) || wave.empty())
            return 0;
        drv_send_wave(channel, 1, 0, wave);
        return 1;
    }
    if (code == 0) {
        // The ramp of the link test; nothing is sent.
        wave.resize(DRV_TEST_RAMP_SAMPLES);
        for (int32 i = 0; i < DRV_TEST_RAMP_SAMPLES; ++i)
            wave[static_cast<std::size_t>(i)] = static_cast<int16>(i / 2);
        return 1;
    }
    read_wave_file("sin.bin", &wave);
    return 0;
}
