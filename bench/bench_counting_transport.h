#pragma once
// A register transport that only counts, so the drivers' own cost shows beside the
// same transport calls made directly. Reads answer the register number; a block or a
// byte write is summed word by word, as a real transport has to read every sample it
// sends, and a byte read fills the caller's buffer.
#include "drv_instance_manage.h"
#include "drv_reg_spi.h"

#include <cstring>
#include <memory>
#include <vector>

// One transport call (or a wait, which a benchmark's sleep hook may add), as a
// recording keeps it for a direct replay.
struct bench_transport_op_t
{
    enum kind_t { read, write, block, byte_write16, byte_write24, byte_read, wait } kind;
    uint32 address;
    uint32 value;
    std::vector<uint16> words;
    std::vector<uint8> bytes;
};

class bench_counting_transport_t : public drv_reg_spi_t
{
public:
    int32 reg_read_fpga_reg(uint32 address) override
    {
        if (recording)
            recording->push_back({bench_transport_op_t::read, address, 0, {}, {}});
        ++reads;
        return static_cast<int32>(address & 0xFFFF);
    }
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override
    {
        if (recording)
            recording->push_back({bench_transport_op_t::write, address, value, {}, {}});
        ++writes;
        return 0;
    }
    int32 reg_write_block(uint32 address, const uint16 *words, uint32 count) override
    {
        if (recording)
            recording->push_back({bench_transport_op_t::block, address, count, {words, words + count}, {}});
        ++blocks;
        unsigned long long sum = 0;
        for (uint32 i = 0; i < count; ++i)
            sum += words[i];
        block_sum += sum;
        return 1;
    }
    int32 reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length) override
    {
        if (recording)
            recording->push_back({bench_transport_op_t::byte_write16, address, length, {}, {data, data + length}});
        return count_bytes(data, length);
    }
    int32 reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length) override
    {
        if (recording)
            recording->push_back({bench_transport_op_t::byte_write24, address, length, {}, {data, data + length}});
        return count_bytes(data, length);
    }
    int32 reg_read_fpga_data(uint16 address, uint8 *data, uint32 length) override
    {
        if (recording)
            recording->push_back({bench_transport_op_t::byte_read, address, length, {}, {}});
        ++byte_reads;
        std::memset(data, address & 0xFF, length);
        return 0;
    }
    int32 count_bytes(const uint8 *data, uint32 length)
    {
        ++byte_writes;
        unsigned long long sum = 0;
        for (uint32 i = 0; i < length; ++i)
            sum += data[i];
        block_sum += sum;
        return 0;
    }
    unsigned long long reads = 0;
    unsigned long long writes = 0;
    unsigned long long blocks = 0;
    unsigned long long block_sum = 0;
    unsigned long long byte_writes = 0;
    unsigned long long byte_reads = 0;
    // Every call is appended here while it is set.
    std::vector<bench_transport_op_t> *recording = nullptr;
};

// Installs a counting transport as the instance manager's (once per process) and
// returns it.
inline bench_counting_transport_t *bench_counting_transport()
{
    static bench_counting_transport_t *const installed = [] {
        drv_set_reg_transport_factory([] { return std::make_unique<bench_counting_transport_t>(); });
        return static_cast<bench_counting_transport_t *>(drv_instance_manage_t::get_instance()->get_reg_transport());
    }();
    return installed;
}
