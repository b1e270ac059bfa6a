#include "usbtmc_driver.h"

#include "gos.h"
#include "usbtmc.h"
#include "usbtmc_module_ids.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<usbtmc_t> &usbtmc_global()
{
    static std::unique_ptr<usbtmc_t> device;
    return device;
}

// Copies min(max_length, reply size) reply bytes into buffer; returns the count.
int32 usbtmc_copy_reply(const std::vector<uint8> &reply, char *buffer, uint32 max_length)
{
    if (!buffer)
        return 0;
    std::size_t count = std::min<std::size_t>(max_length, reply.size());
    if (count)
        std::memcpy(buffer, reply.data(), count);
    return static_cast<int32>(count);
}

} // namespace

extern "C" {

void usbtmc_init_driver(int32 vendor_id, int32 product_id)
{
    std::unique_ptr<usbtmc_t> &device = usbtmc_global();
    if (device)
        return;
    gos_printf("usbtmc_init_driver: vid = %dpid = %d\n", vendor_id, product_id);
    device = std::make_unique<usbtmc_t>(static_cast<uint16>(vendor_id), static_cast<uint16>(product_id), std::string());
}

void usbtmc_uninit_driver(void)
{
    usbtmc_global().reset();
}

bool usbtmc_open(void)
{
    std::unique_ptr<usbtmc_t> &device = usbtmc_global();
    return device && device->open();
}

void usbtmc_close(void)
{
    if (std::unique_ptr<usbtmc_t> &device = usbtmc_global())
        device->close();
}

int32 usbtmc_write(const char *data, int32 length)
{
    std::unique_ptr<usbtmc_t> &device = usbtmc_global();
    if (!device || length < 0 || (length > 0 && !data))
        return -1;
    return static_cast<int32>(device->write(reinterpret_cast<const uint8 *>(data), static_cast<std::size_t>(length)));
}

void usbtmc_read(char *buffer, int32 max_length, int32 *out_length)
{
    std::unique_ptr<usbtmc_t> &device = usbtmc_global();
    int32 count = device ? usbtmc_copy_reply(device->read(max_length), buffer, static_cast<uint32>(max_length)) : 0;
    if (out_length)
        *out_length = count;
}

void usbtmc_query(const char *command, int32 command_length, char *reply, uint32 max_length, int32 *reply_length)
{
    if (!command || command_length < 0)
        command_length = 0;
    gos_printf("usbtmc_query:cmd = %.*s\n", static_cast<int>(command_length), command ? command : "");
    std::unique_ptr<usbtmc_t> &device = usbtmc_global();
    int32 count = 0;
    if (device)
        count = usbtmc_copy_reply(device->query(reinterpret_cast<const uint8 *>(command),
                                                static_cast<std::size_t>(command_length)),
                                  reply, max_length);
    if (reply_length)
        *reply_length = count;
    gos_printf("usbtmc_query: back_buffer = %.*s\n", static_cast<int>(count), count ? reply : "");
}

int32 usbtmc_device_detected(void)
{
    usbtmc_init_driver(USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    return usbtmc_global()->detect() ? 1 : 0;
}

void usbtmc_setinit(int32)
{
    usbtmc_init_driver(USBTMC_MODULE_VID, USBTMC_MODULE_PID);
    usbtmc_global()->set_closed();
}

} // extern "C"
