#include "drv_reg_access.h"

#include "drv_instance_manage.h"

#include <atomic>

namespace {

int32 s_trace_on = 0;

// The instance manager's transport never changes while the manager lives, so it is
// looked up once per manager (the first lookup builds the driver layer).
std::atomic<drv_reg_spi_t *> s_transport{nullptr};

drv_reg_spi_t *drv_reg_transport()
{
    drv_reg_spi_t *transport = s_transport.load(std::memory_order_relaxed);
    if (__builtin_expect(transport != nullptr, 1))
        return transport;
    transport = drv_instance_manage_t::get_instance()->get_reg_transport();
    s_transport.store(transport, std::memory_order_relaxed);
    return transport;
}

std::string &drv_trace_text()
{
    static std::string text;
    return text;
}

// Appends "0x" and the lowercase hexadecimal digits of value without leading zeros.
void drv_append_hex(std::string &text, uint64 value)
{
    static const char digits[] = "0123456789abcdef";
    char buffer[18];
    char *end = buffer + sizeof buffer;
    char *p = end;
    do {
        *--p = digits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    *--p = 'x';
    *--p = '0';
    text.append(p, static_cast<std::size_t>(end - p));
}

// Out of line, so that an untraced access stays a lookup and a call.
__attribute__((noinline)) void drv_trace_write(uint64 address, uint64 value)
{
    std::string &text = drv_trace_text();
    drv_append_hex(text, address);
    text.push_back(',');
    drv_append_hex(text, value);
    text.push_back('\n');
}

} // namespace

int64 drv_fpga_read_reg(uint64 address)
{
    return drv_reg_transport()->reg_read_fpga_reg(static_cast<uint32>(address));
}

int32 drv_fpga_write_reg(uint64 address, uint64 value)
{
    if (__builtin_expect(s_trace_on != 0, 0))
        drv_trace_write(address, value);
    return drv_reg_transport()->reg_write_fpga_reg(static_cast<uint32>(address), static_cast<uint32>(value));
}

void drv_reg_access_reset()
{
    s_transport.store(nullptr, std::memory_order_relaxed);
    drv_fpga_set_reg_trace(0);
}

void drv_fpga_set_reg_trace(int32 on)
{
    drv_trace_text().clear();
    s_trace_on = on;
}

std::string *drv_fpga_get_reg_trace()
{
    return &drv_trace_text();
}
