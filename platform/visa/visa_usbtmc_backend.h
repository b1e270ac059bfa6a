#pragma once
#include "visa_backend.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

struct libusb_context;
struct libusb_device;
class visa_usbtmc_link_t;
struct visa_usbtmc_iface_t;

// USB INSTR resources over libusb-1.0: every interface of class 0xFE, subclass 0x03 is
// one instrument, "USB0::0xVVVV::0xPPPP::<serial>[::<interface>]::INSTR" (the interface
// number only when it is not 0). Serial numbers come from sysfs, so a search opens
// nothing; a device without one gets "NOSERIAL-BUSnnn-ADDRnnn". The backend keeps its
// own libusb context; where libusb cannot start (no USB stack) it finds nothing and
// every open fails with VI_ERROR_RSRC_NFOUND.
class visa_usbtmc_backend_t : public visa_backend_t
{
public:
    visa_usbtmc_backend_t();
    ~visa_usbtmc_backend_t() override;
    visa_usbtmc_backend_t(const visa_usbtmc_backend_t &) = delete;
    visa_usbtmc_backend_t &operator=(const visa_usbtmc_backend_t &) = delete;

    void list_resources(std::vector<std::string> &out) override;
    bool claims(const visa_rsrc_name_t &name) override;
    // Sessions to one interface share its claim (visa_usbtmc_link.h). A device the user
    // may not open gives VI_ERROR_NPERMISSION and one log line naming the udev rule.
    ViStatus open(const visa_rsrc_name_t &name, ViUInt32 open_timeout_ms,
                  std::unique_ptr<visa_session_t> &session) override;

private:
    struct found_t;
    // Calls `visit` for each USB-TMC interface on the bus until it returns false.
    void scan(const std::function<bool(libusb_device *, const found_t &)> &visit);

    std::shared_ptr<libusb_context> m_context;
    std::mutex m_mutex;
    // Claimed interfaces by bus, address and interface number.
    std::map<std::tuple<int, int, int>, std::weak_ptr<visa_usbtmc_link_t>> m_links;
};
