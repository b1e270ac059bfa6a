#pragma once
#include "visa_backend.h"
#include "visa_rsrc_name.h"

#include <memory>
#include <mutex>
#include <vector>

// Chooses the backend for a resource: USB resources and the search go to the USB-TMC
// backend, TCPIP INSTR resources to the VXI-11 backend. Each built-in backend is created
// at its first use. A backend installed with set_override takes precedence over all of
// them for every search and open, so a test never reaches a real instrument.
class visa_registry_t
{
public:
    static visa_registry_t &instance();

    // Installs `backend` ahead of the built-in ones (null removes it); returns the one
    // it replaces so a scope can put it back.
    std::shared_ptr<visa_backend_t> set_override(std::shared_ptr<visa_backend_t> backend);

    // The backends whose resources a search lists.
    std::vector<std::shared_ptr<visa_backend_t>> search_backends();
    // The backend that serves the resource kind, or null when there is none.
    std::shared_ptr<visa_backend_t> backend_for(visa_rsrc_name_t::kind_t kind);

private:
    visa_registry_t() = default;
    std::shared_ptr<visa_backend_t> builtin(visa_rsrc_name_t::kind_t kind);

    std::mutex m_mutex;
    std::shared_ptr<visa_backend_t> m_override;
    std::shared_ptr<visa_backend_t> m_usb;
    std::shared_ptr<visa_backend_t> m_tcpip;
    bool m_usb_tried = false;
    bool m_tcpip_tried = false;
};
