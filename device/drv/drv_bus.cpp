#include "drv_bus.h"

#include "drv_delay.h"
#include "drv_fpga_reg.h"
#include "drv_instance_manage.h"
#include "drv_reg_spi.h"
#include "gos.h"

namespace {

constexpr uint16 DRV_SERIAL_IDLE = 0xFFFE;

struct drv_serial_device_t
{
    uint32 bits;
    uint16 base;
};

constexpr drv_serial_device_t DRV_SERIAL_DEVICES[3] = {{24, 0xFFB0}, {16, 0xFFE8}, {16, 0xFFD8}};
// Two words per bit of the longest word, and the closing clock-low word.
constexpr uint32 DRV_SERIAL_FRAME_MAX = 2 * 24 + 1;
constexpr int32 DRV_CWD_BUFFER = 200;

drv_reg_spi_t *drv_bus_transport()
{
    return drv_instance_manage_t::get_instance()->get_reg_transport();
}

} // namespace

void drv_spi_init()
{
    gos_printf("void drv_spi_init(void) \n");
    drv_reg_spi_t *transport = drv_bus_transport();
    gos_printf("void drv_spi_init(void)  2\n");
    if (transport->replaces_reg_init_spi_driver())
        transport->reg_init_spi_driver();
}

void drv_spi_uninit()
{
    drv_reg_spi_t *transport = drv_bus_transport();
    if (transport->replaces_reg_close_spi_driver())
        transport->reg_close_spi_driver();
}

void drv_serial_write(int32 device, uint32 value)
{
    if (device < 0 || device > 2)
        return;
    const drv_serial_device_t &bus = DRV_SERIAL_DEVICES[device];
    uint16 frame[DRV_SERIAL_FRAME_MAX];
    uint16 count = 0;
    for (uint32 bit = bus.bits; bit-- > 0;) {
        const uint16 data = static_cast<uint16>(bus.base | (((value >> bit) & 1) << 1));
        frame[count++] = data;
        frame[count++] = static_cast<uint16>(data | 1);
    }
    frame[count] = frame[count - 2];
    ++count;
    const uint16 idle = DRV_SERIAL_IDLE;
    drv_reg_spi_t *transport = drv_bus_transport();
    transport->reg_write_fpga_word_list(&idle, 1);
    transport->reg_write_fpga_word_list(frame, count);
    transport->reg_write_fpga_word_list(&idle, 1);
}

int32 drv_serial_write_read(int32 device, uint32 value)
{
    drv_serial_write(device, value);
    drv_reg_spi_t *transport = drv_bus_transport();
    if (!transport->replaces_reg_read_fpga_reg())
        return 1;
    return transport->reg_read_fpga_reg(DRV_FPGA_REG_SERIAL_READ);
}

void drv_serial_dev0_init()
{
    drv_serial_write(0, 801);
    drv_serial_write(0, 4206976);
    for (int i = 0; i < 20; ++i)
        drv_msleep(1);
    drv_serial_write(0, 384002);
    for (int i = 0; i < 5; ++i)
        drv_msleep(1);
}

int32 drv_insmod(const std::string &module)
{
    char prefix[DRV_CWD_BUFFER] = {};
    gos_getcwd(prefix, DRV_CWD_BUFFER);
    prefix[DRV_CWD_BUFFER - 1] = '\0';
    const std::string command = "insmod " + std::string(prefix) + module + ";";
    gos_printf("[shell cmd]:\"%s\"\n", command.c_str());
    return gos_system(command.c_str());
}
