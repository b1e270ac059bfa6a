// drv_fpga_t: the flash behind the FPGA. Chunked reads and writes of any length, the
// sector geometry, and the base protocol through FPGA registers and block ports (sector
// erase, page program, read transaction). Product classes replace the page transfers
// and bracket the chunked ones.
#include "drv_fpga.h"

#include "drv_delay.h"
#include "drv_flash_chunk.h"
#include "drv_fpga_reg.h"
#include "drv_reg_spi.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint32 DRV_FLASH_SECTOR_SIZE = 65536;
constexpr uint32 DRV_FLASH_SECTORS = 8;
constexpr uint32 DRV_FLASH_END = DRV_FLASH_SECTOR_SIZE * DRV_FLASH_SECTORS;
constexpr uint32 DRV_FLASH_PAGE = 256;
constexpr uint32 DRV_FLASH_READ_MAX = 1024;
constexpr int32 DRV_FLASH_ERASE_POLLS = 11;
constexpr long double DRV_FLASH_ERASE_WAIT_MS = 500.0L;
constexpr int32 DRV_FLASH_DONE_POLLS = 1001;
constexpr uint16 DRV_FLASH_DONE_BIT = 0x0002;

// One piece of a chunked transfer, on the stack for the sizes the products use.
class drv_piece_buffer_t
{
public:
    explicit drv_piece_buffer_t(uint32 size) : _heap(size > sizeof _local ? size : 0)
    {
        _data = _heap.empty() ? _local : _heap.data();
    }
    drv_piece_buffer_t(const drv_piece_buffer_t &) = delete;
    drv_piece_buffer_t &operator=(const drv_piece_buffer_t &) = delete;
    uint8 *data() { return _data; }

private:
    uint8 _local[DRV_FLASH_READ_MAX];
    std::vector<uint8> _heap;
    uint8 *_data;
};

uint64 drv_piece_count(uint32 len, uint32 chunk)
{
    return (static_cast<uint64>(len) + chunk - 1) / chunk;
}

} // namespace

int32 drv_fpga_t::write_flash(uint32 addr, uint32 len, const uint8 *data, const drv_flash_chunk_t *chunks)
{
    if (!data || !chunks || chunks->write_chunk == 0)
        return 0;
    if (len == 0)
        return 1;
    return write_flash_pieces(addr, len, data, chunks->write_chunk);
}

int32 drv_fpga_t::read_flash(uint32 addr, uint32 len, uint8 *out, const drv_flash_chunk_t *chunks)
{
    if (!out || !chunks || chunks->read_chunk == 0)
        return 0;
    if (len == 0)
        return 1;
    return read_flash_pieces(addr, len, out, chunks->read_chunk);
}

int32 drv_fpga_t::write_flash_pieces(uint32 addr, uint32 len, const uint8 *data, uint32 chunk)
{
    drv_piece_buffer_t buffer(chunk);
    const uint64 n = drv_piece_count(len, chunk);
    if (chunk > len || n <= 1) {
        std::memset(buffer.data(), 0xFF, chunk);
        std::memcpy(buffer.data(), data, len);
        write_flash_page(addr, chunk, buffer.data());
        return 1;
    }
    for (uint64 k = 0; k + 1 < n; ++k)
        write_flash_page(addr + static_cast<uint32>(k * chunk), chunk, data + k * chunk);
    const uint64 done = (n - 1) * chunk;
    std::memset(buffer.data(), 0xFF, chunk);
    std::memcpy(buffer.data(), data + done, len - done);
    write_flash_page(addr + static_cast<uint32>(done), chunk, buffer.data());
    return 1;
}

int32 drv_fpga_t::read_flash_pieces(uint32 addr, uint32 len, uint8 *out, uint32 chunk)
{
    drv_piece_buffer_t buffer(chunk);
    const uint64 n = drv_piece_count(len, chunk);
    if (chunk > len || n <= 1) {
        std::memset(buffer.data(), 0xFF, chunk);
        read_flash_data(addr, len, buffer.data());
        std::memcpy(out, buffer.data(), len);
        return 1;
    }
    // Each piece lands in a cleared area, so bytes a transport does not deliver read as
    // 0. Whole pieces go straight into the caller's buffer (cleared at once), the last
    // through the piece buffer, since a piece is always read whole.
    const uint64 whole = len / chunk;
    std::memset(out, 0, whole * chunk);
    for (uint64 k = 0; k < whole; ++k)
        read_flash_data(addr + static_cast<uint32>(k * chunk), chunk, out + k * chunk);
    const uint64 done = whole * chunk;
    if (done < len) {
        std::memset(buffer.data(), 0, chunk);
        read_flash_data(addr + static_cast<uint32>(done), chunk, buffer.data());
        std::memcpy(out + done, buffer.data(), len - done);
    }
    return 1;
}

int32 drv_fpga_t::erase_flash_sector(uint32 sector)
{
    reg_write(DRV_FPGA_REG_FLASH_COMMAND, 0);
    if (sector < DRV_FLASH_SECTORS)
        reg_write(DRV_FPGA_REG_FLASH_SECTOR_ERASE[sector], 0);
    for (int32 i = 0; i < DRV_FLASH_ERASE_POLLS; ++i) {
        if (read_flash_status() == 0)
            return 1;
        drv_msleep(DRV_FLASH_ERASE_WAIT_MS);
    }
    return 0;
}

int32 drv_fpga_t::write_flash_page(uint32 addr, uint32 count, const uint8 *data)
{
    if (!data)
        return 0;
    // The page is always 256 bytes; a shorter buffer is padded with 0xFF, which leaves
    // those flash bytes as they are.
    uint8 page[DRV_FLASH_PAGE];
    std::memset(page, 0xFF, sizeof page);
    std::memcpy(page, data, std::min(count, DRV_FLASH_PAGE));
    pulse_reg_bit(DRV_FPGA_REG_FLASH_DONE, 0);
    write_block_bytes(DRV_FPGA_PORT_FLASH_PAGE, DRV_FLASH_PAGE, page);
    reg_write(DRV_FPGA_REG_FLASH_COMMAND, 0);
    set_flash_write_addr(addr);
    reg_write(DRV_FPGA_REG_FLASH_PAGE_PROGRAM, 0);
    drv_usleep(150);
    return wait_flash_done() ? 1 : 0;
}

int32 drv_fpga_t::read_flash_data(uint32 addr, uint32 count, uint8 *out)
{
    reg_write(DRV_FPGA_REG_FLASH_READ_BITS, count * 8 + 48);
    set_flash_read_addr(addr);
    wait_flash_done();
    if (count > DRV_FLASH_READ_MAX)
        return 0;
    return read_block_bytes(DRV_FPGA_PORT_FLASH_READ, count, out);
}

int32 drv_fpga_t::wait_flash_done()
{
    for (int32 i = 0; i < DRV_FLASH_DONE_POLLS; ++i)
        if (reg_read(DRV_FPGA_REG_FLASH_DONE) & DRV_FLASH_DONE_BIT)
            return 1;
    return 0;
}

int32 drv_fpga_t::calc_flash_sectors(uint32 addr, uint32 len, uint32 *first, uint32 *count)
{
    uint32 sector = 0;
    if (!addr_to_sector(addr, &sector))
        return 0;
    const uint32 room = sector * DRV_FLASH_SECTOR_SIZE + DRV_FLASH_SECTOR_SIZE - addr;
    uint32 sectors = 1;
    if (len > room) {
        const uint32 rest = len - room;
        sectors = (rest >> 16) + ((rest % DRV_FLASH_SECTOR_SIZE) ? 2 : 1);
    }
    if (first)
        *first = sector;
    if (count)
        *count = sectors;
    return 1;
}

int32 drv_fpga_t::addr_to_sector(uint32 addr, uint32 *sector)
{
    if (addr >= DRV_FLASH_END)
        return 0;
    if (sector)
        *sector = addr / DRV_FLASH_SECTOR_SIZE;
    return 1;
}

int32 drv_fpga_t::sector_to_addr(uint32 sector, uint32 *addr)
{
    if (sector >= DRV_FLASH_SECTORS)
        return 0;
    if (addr)
        *addr = sector * DRV_FLASH_SECTOR_SIZE;
    return 1;
}

int32 drv_fpga_t::read_flash_status()
{
    reg_write(DRV_FPGA_REG_FLASH_STATUS_REQUEST, 0);
    return reg_read(DRV_FPGA_REG_FLASH_BUSY) & 0xFF;
}

void drv_fpga_t::set_flash_write_addr(uint32 addr)
{
    reg_write(DRV_FPGA_REG_FLASH_WRITE_ADDR_LO, addr & 0xFFFF);
    reg_write(DRV_FPGA_REG_FLASH_WRITE_ADDR_HI, (addr >> 16) & 0xFF);
}

void drv_fpga_t::set_flash_read_addr(uint32 addr)
{
    reg_write(DRV_FPGA_REG_FLASH_READ_ADDR_LO, addr & 0xFFFF);
    reg_write(DRV_FPGA_REG_FLASH_READ_ADDR_HI, (addr >> 16) & 0xFF);
}

int32 drv_fpga_t::pulse_reg_bit(uint32 reg, uint32 bit)
{
    const uint16 mask = bit < 16 ? static_cast<uint16>(1u << bit) : 0;
    const uint16 v = reg_read(reg);
    reg_write(reg, v | mask);
    reg_write(reg, v & ~mask);
    reg_write(reg, v | mask);
    return 1;
}

int32 drv_fpga_t::write_block_bytes(uint32 port, uint32 count, const uint8 *data)
{
    if (!data)
        return 0;
    uint16 words[DRV_FLASH_PAGE] = {};
    const uint32 n = std::min(count, DRV_FLASH_PAGE);
    for (uint32 i = 0; i < n; ++i)
        words[i] = data[i];
    transport()->reg_write_block(port, words, n);
    return 1;
}

int32 drv_fpga_t::read_block_bytes(uint32 port, uint32 count, uint8 *out)
{
    if (!out)
        return 0;
    transport()->reg_read_block(port, out, count);
    return 1;
}
