#pragma once
#include "plat_visa.h"
#include "visa_rsrc_name.h"
#include "visa_session.h"

#include <memory>
#include <string>
#include <vector>

// A transport the VISA layer dispatches to (USB-TMC, VXI-11, or the simulated
// instruments of the tests). The layer parses names, owns the session numbers, the
// attributes and the find lists; a backend only finds and connects. The registry
// (visa_registry.h) creates each built-in backend at its first use, so a machine
// without that transport only sees its searches come back empty.
class visa_backend_t
{
public:
    virtual ~visa_backend_t() = default;

    // Appends the resource names a search can report (full names, as viFindRsrc returns
    // them). A backend whose resources cannot be listed appends nothing.
    virtual void list_resources(std::vector<std::string> &out) = 0;

    // True when this backend serves the resource; the name is already parsed.
    virtual bool claims(const visa_rsrc_name_t &name) = 0;

    // Connects to the resource: VI_SUCCESS (or a positive warning) with `session` set,
    // or a negative status (VI_ERROR_RSRC_NFOUND when there is no such instrument,
    // VI_ERROR_RSRC_BUSY, VI_ERROR_TMO, ...) with `session` left empty.
    virtual ViStatus open(const visa_rsrc_name_t &name, ViUInt32 open_timeout_ms,
                          std::unique_ptr<visa_session_t> &session) = 0;
};
