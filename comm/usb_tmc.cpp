#include "usb_tmc.h"

#include "plat_sleep.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr uint32 k_write_pause_ms = 100;
} // namespace

UsbTmc::UsbTmc() : rm_session(0), last_status(0), find_count(0), find_list(0)
{
    std::memset(rsrc_desc, 0, sizeof rsrc_desc);
}

UsbTmc::~UsbTmc() = default;

int32 UsbTmc::open_default_rm()
{
    last_status = 0;
    last_status = viOpenDefaultRM(&rm_session);
    return last_status >= 0 ? 1 : 100;
}

ViStatus UsbTmc::open_rm() { return viOpenDefaultRM(&rm_session); }

ViStatus UsbTmc::find_first_usb()
{
    // The previous search's list is done with; left open it would live as long as the
    // resource manager.
    if (find_list != 0) {
        viClose(find_list);
        find_list = 0;
    }
    return viFindRsrc(rm_session, "USB?*INSTR", &find_list, &find_count, rsrc_desc);
}

ViStatus UsbTmc::find_next() { return viFindNext(find_list, rsrc_desc); }

ViStatus UsbTmc::open(const std::string &resource, ViSession &session)
{
    return viOpen(rm_session, resource.c_str(), 0, 0, &session);
}

ViStatus UsbTmc::close(ViSession session) { return viClose(session); }

int32 UsbTmc::write(ViSession session, const char *data, uint32 length)
{
    return write_status(session, data, length) == VI_SUCCESS ? 1 : 0;
}

ViStatus UsbTmc::write_status(ViSession session, const char *data, uint32 length)
{
    ViUInt32 written = 0;
    ViStatus status = viWrite(session, reinterpret_cast<ViConstBuf>(data), length, &written);
    plat_sleep_ms(k_write_pause_ms);
    return status;
}

int32 UsbTmc::read(ViSession session, char *buffer, uint32 capacity, uint32 &count)
{
    return read_status(session, buffer, capacity, count) == VI_SUCCESS ? 1 : 0;
}

ViStatus UsbTmc::read_status(ViSession session, char *buffer, uint32 capacity, uint32 &count)
{
    ViUInt32 got = 0;
    ViStatus status = viRead(session, reinterpret_cast<ViPBuf>(buffer), capacity, &got);
    count = got;
    return status;
}

ViStatus UsbTmc::set_timeout(ViSession session, uint32 ms)
{
    return viSetAttribute(session, VI_ATTR_TMO_VALUE, ms);
}

uint32 UsbTmc::get_timeout(ViSession session)
{
    ViUInt32 value = 0;
    viGetAttribute(session, VI_ATTR_TMO_VALUE, &value);
    return value;
}

ViStatus UsbTmc::clear(ViSession session) { return viClear(session); }

int32 UsbTmc::reopen_rm()
{
    if (last_status != 0)
        return last_status;
    viClose(rm_session);
    find_list = 0;
    return open_default_rm();
}

int32 UsbTmc::close_all(ViSession session)
{
    // The sum of two error codes leaves the 32-bit range; it saturates instead.
    int64 sum = int64(viClose(session)) + int64(viClose(rm_session));
    last_status = static_cast<ViStatus>(sum < INT32_MIN ? INT32_MIN : sum > INT32_MAX ? INT32_MAX : sum);
    return sum == 0 ? 1 : 0;
}
