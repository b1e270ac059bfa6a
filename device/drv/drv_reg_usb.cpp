#include "drv_reg_usb.h"

#include "gos.h"
#include "usbtmc_driver.h"
#include "usbtmc_module_ids.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint8 DRV_USB_WRITE_FLAG = 0x80;
constexpr std::size_t DRV_USB_DATA_PREFIX = 4;
// No reply is longer than this, so a data read never needs a larger buffer.
constexpr std::size_t DRV_USB_MAX_REPLY = 1048576;
// Largest data write that fits one message's int32 length.
constexpr uint32 DRV_USB_MAX_DATA = 0x7FFFFFFFu - DRV_USB_DATA_PREFIX;

int32 s_open_state = 0;

// Reused for data frames, whose size varies from call to call.
std::vector<uint8> &drv_usb_frame_buffer()
{
    static std::vector<uint8> buffer;
    return buffer;
}

// True when frames may go out; reopens the USB-TMC device after usbtmc_setinit.
bool drv_usb_ready()
{
    if (s_open_state != 1)
        return false;
    usbtmc_open();
    return true;
}

void drv_usb_send(const uint8 *frame, std::size_t size)
{
    usbtmc_write(reinterpret_cast<const char *>(frame), static_cast<int32>(size));
}

} // namespace

int32 drv_reg_usb_t::reg_init_spi_driver()
{
    gos_printf("int drv_reg_usb_t::reg_init_spi_driver(void) \n");
    usbtmc_init_driver(USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    if (!usbtmc_open())
        return -1;
    s_open_state = 1;
    return 0;
}

void drv_reg_usb_t::reg_close_spi_driver()
{
    s_open_state = 0;
    usbtmc_close();
}

int32 drv_reg_usb_t::reg_read_fpga_reg(uint32 address)
{
    if (!drv_usb_ready())
        return 0;
    uint8 frame[4] = {static_cast<uint8>(address), static_cast<uint8>((address >> 8) & 0x7F), 0, 0};
    drv_usb_send(frame, 2);
    int32 got = 0;
    usbtmc_read(reinterpret_cast<char *>(frame), sizeof frame, &got);
    // A reply cut short carries no whole value.
    if (got < static_cast<int32>(sizeof frame))
        return 0;
    return frame[2] | frame[3] << 8;
}

int32 drv_reg_usb_t::reg_write_fpga_reg(uint32 address, uint32 value)
{
    if (!drv_usb_ready())
        return 0;
    const uint8 frame[4] = {static_cast<uint8>(address), static_cast<uint8>(DRV_USB_WRITE_FLAG | ((address >> 8) & 0x7F)),
                            static_cast<uint8>(value), static_cast<uint8>(value >> 8)};
    drv_usb_send(frame, sizeof frame);
    return 0;
}

void drv_reg_usb_t::reg_write_fpga_word_list(const uint16 *words, uint16 count)
{
    for (uint16 i = 0; words && i < count; ++i)
        reg_write_fpga_reg(SERIAL_WORD_REGISTER, words[i]);
}

int32 drv_reg_usb_t::reg_write_block(uint32 address, const uint16 *words, uint32 count)
{
    return reg_write_fpga_data_block(DEVICE, address, words, count);
}

int32 drv_reg_usb_t::reg_read_block(uint32, uint8 *, uint32)
{
    return 1;
}

int32 drv_reg_usb_t::reg_write_fpga_data_block(int32, uint32, const uint16 *words, uint32 count)
{
    if (count != WAVE_BLOCK_WORDS) {
        gos_printf("[ERROR]%d = reg_write_fpga_data_block data_size error  size = %d;\n", 0, static_cast<int>(count));
        return 1;
    }
    if (words && drv_usb_ready())
        drv_usb_send(reinterpret_cast<const uint8 *>(words), 2 * static_cast<std::size_t>(count));
    return 1;
}

int32 drv_reg_usb_t::reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length)
{
    return write_data(0, address, data, length);
}

int32 drv_reg_usb_t::reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length)
{
    return write_data(static_cast<uint8>(address >> 16), static_cast<uint16>(address), data, length);
}

int32 drv_reg_usb_t::write_data(uint8 first_byte, uint16 address, const uint8 *data, uint32 length)
{
    if (!data) {
        gos_printf("[ERROR]%d = reg_write_fpga_data_by_byte g_usb error;\n", 0);
        return 0;
    }
    if (length > DRV_USB_MAX_DATA || !drv_usb_ready())
        return 0;
    std::vector<uint8> &frame = drv_usb_frame_buffer();
    frame.assign({first_byte, DRV_USB_WRITE_FLAG, static_cast<uint8>(address), static_cast<uint8>(address >> 8)});
    frame.insert(frame.end(), data, data + length);
    drv_usb_send(frame.data(), frame.size());
    return 0;
}

int32 drv_reg_usb_t::reg_read_fpga_data(uint16 address, uint8 *data, uint32 length)
{
    if (!data) {
        gos_printf("[ERROR]%d = reg_read_fpga_data g_usb error;\n", 0);
        return 0;
    }
    if (!drv_usb_ready())
        return 0;
    const uint8 request[DRV_USB_DATA_PREFIX] = {0, 0, static_cast<uint8>(address), static_cast<uint8>(address >> 8)};
    drv_usb_send(request, sizeof request);
    // Beyond the largest reply every byte reads as 0 anyway.
    std::size_t wanted = DRV_USB_DATA_PREFIX + static_cast<std::size_t>(length);
    std::vector<uint8> &reply = drv_usb_frame_buffer();
    reply.assign(std::min(wanted, DRV_USB_MAX_REPLY), 0);
    std::memcpy(reply.data(), request, sizeof request);
    int32 got = 0;
    usbtmc_read(reinterpret_cast<char *>(reply.data()), static_cast<int32>(reply.size()), &got);
    std::size_t available = reply.size() - DRV_USB_DATA_PREFIX;
    std::memcpy(data, reply.data() + DRV_USB_DATA_PREFIX, std::min<std::size_t>(length, available));
    if (length > available)
        std::memset(data + available, 0, length - available);
    return 0;
}
