#pragma once
#include "plat_visa.h"

// One open connection to an instrument, made by a backend (visa_backend.h). The VISA
// layer owns it through its session number and destroys it on viClose, which must close
// the connection. Each call gets the session's current time-out (VI_ATTR_TMO_VALUE, in
// milliseconds; VI_TMO_INFINITE waits for ever). Calls come from one thread at a time.
class visa_session_t
{
public:
    virtual ~visa_session_t() = default;

    // Sends the whole buffer as one message, END on its last byte. `written` is the
    // count that went out. VI_SUCCESS, or a negative status (VI_ERROR_TMO,
    // VI_ERROR_IO, VI_ERROR_CONN_LOST...).
    virtual ViStatus write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms) = 0;

    // Reads at most `capacity` bytes of the instrument's reply into `buf`: VI_SUCCESS
    // when the message ended within them, VI_SUCCESS_MAX_CNT when the capacity filled
    // first (the rest stays for the next read), VI_ERROR_TMO when nothing completes
    // within the time-out, another negative status on a transport failure. `got` is the
    // count placed in `buf` in every case.
    virtual ViStatus read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms) = 0;

    // Device clear: the instrument drops its pending input and output.
    virtual ViStatus clear(ViUInt32 timeout_ms) = 0;

    // Told when the caller sets the session's time-out; nothing to do for most backends.
    virtual void timeout_changed(ViUInt32 timeout_ms) {}
};
