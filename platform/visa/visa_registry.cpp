#include "visa_registry.h"

#include "visa_usbtmc_backend.h"
#include "visa_vxi11_backend.h"

#include <utility>

namespace {

// The transports this build carries.
std::shared_ptr<visa_backend_t> make_usb_backend() { return std::make_shared<visa_usbtmc_backend_t>(); }
std::shared_ptr<visa_backend_t> make_tcpip_backend() { return std::make_shared<visa_vxi11_backend_t>(); }

} // namespace

visa_registry_t &visa_registry_t::instance()
{
    static visa_registry_t registry;
    return registry;
}

std::shared_ptr<visa_backend_t> visa_registry_t::set_override(std::shared_ptr<visa_backend_t> backend)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::swap(m_override, backend);
    return backend;
}

std::shared_ptr<visa_backend_t> visa_registry_t::builtin(visa_rsrc_name_t::kind_t kind)
{
    if (kind == visa_rsrc_name_t::KIND_USB) {
        if (!m_usb_tried) {
            m_usb_tried = true;
            m_usb = make_usb_backend();
        }
        return m_usb;
    }
    if (!m_tcpip_tried) {
        m_tcpip_tried = true;
        m_tcpip = make_tcpip_backend();
    }
    return m_tcpip;
}

std::vector<std::shared_ptr<visa_backend_t>> visa_registry_t::search_backends()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_override)
        return {m_override};
    std::vector<std::shared_ptr<visa_backend_t>> out;
    if (auto usb = builtin(visa_rsrc_name_t::KIND_USB))
        out.push_back(usb);
    return out;
}

std::shared_ptr<visa_backend_t> visa_registry_t::backend_for(visa_rsrc_name_t::kind_t kind)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_override)
        return m_override;
    return builtin(kind);
}
