#pragma once
#include "lib_types.h"
#include "plat_visa.h"

#include <string>

// A thin layer over the VISA calls: it holds the resource-manager session and the state
// of one resource search, and turns each VISA call into one operation.
class UsbTmc
{
public:
    UsbTmc();
    virtual ~UsbTmc();

    // Opens the default resource manager and records the status: 1, or 100 on failure.
    virtual int32 open_default_rm();
    ViStatus open_rm();
    // Searches "USB?*INSTR"; the first name lands in the resource descriptor.
    ViStatus find_first_usb();
    ViStatus find_next();
    ViStatus open(const std::string &resource, ViSession &session);
    ViStatus close(ViSession session);
    // One viWrite and a 100 ms pause whatever the outcome: 1 when written, else 0.
    int32 write(ViSession session, const char *data, uint32 length);
    ViStatus write_status(ViSession session, const char *data, uint32 length);
    // One viRead of at most `capacity`: 1 only for VI_SUCCESS, else 0.
    int32 read(ViSession session, char *buffer, uint32 capacity, uint32 &count);
    ViStatus read_status(ViSession session, char *buffer, uint32 capacity, uint32 &count);
    ViStatus set_timeout(ViSession session, uint32 ms);
    // The session's time-out in milliseconds (0 when it cannot be read).
    uint32 get_timeout(ViSession session);
    ViStatus clear(ViSession session);
    // After a successful search: closes the resource manager (and every session opened
    // through it) and opens it again, 1 or 100. Otherwise returns the recorded status.
    int32 reopen_rm();
    int32 close_all(ViSession session);

protected:
    ViSession rm_session;
    ViStatus last_status;
    ViUInt32 find_count;
    ViFindList find_list;
    char rsrc_desc[VI_FIND_BUFLEN];
};
