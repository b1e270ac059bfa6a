// Linked only into the program the tests start: its prompts answer themselves as
// ONDRIX_PROMPT_AUTO_ANSWER says and its splash holds ONDRIX_SPLASH_MS milliseconds.
// ONDRIX_INSTR_PAUSE_MS caps every fixed instrument pause, and ONDRIX_USB_BACKEND=none
// keeps the program off the real USB bus: it then reaches network instruments only.
#include "main_hooks.h"
#include "plat_sleep.h"
#include "prompt_env_answer.h"
#include "visa_registry.h"
#include "visa_vxi11_backend.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// Searches find nothing and only TCP/IP resources open, over the real VXI-11 transport.
class network_only_backend_t : public visa_backend_t
{
public:
    void list_resources(std::vector<std::string> &) override {}
    bool claims(const visa_rsrc_name_t &name) override { return name.kind == visa_rsrc_name_t::KIND_TCPIP; }
    ViStatus open(const visa_rsrc_name_t &name, ViUInt32 ms, std::unique_ptr<visa_session_t> &session) override
    {
        if (name.kind != visa_rsrc_name_t::KIND_TCPIP)
            return VI_ERROR_RSRC_NFOUND;
        return m_tcp.open(name, ms, session);
    }

private:
    visa_vxi11_backend_t m_tcp;
};

const bool g_installed = [] {
    ui_prompt_t::set_answer_hook(prompt_env_answer_hook());
    bool ok = false;
    const qint64 ms = qEnvironmentVariable("ONDRIX_SPLASH_MS").toLongLong(&ok);
    if (ok && ms >= 0)
        g_splash_hold_ms = ms;
    return true;
}();

// Run when the application object is built, after every static of the program exists.
void install_instrument_switches()
{
    bool ok = false;
    const qint64 cap = qEnvironmentVariable("ONDRIX_INSTR_PAUSE_MS").toLongLong(&ok);
    if (ok && cap >= 0)
        plat_set_sleep_hook([cap](std::uint32_t ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min<qint64>(ms, cap)));
        });
    if (qEnvironmentVariable("ONDRIX_USB_BACKEND") == "none")
        visa_registry_t::instance().set_override(std::make_shared<network_only_backend_t>());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install_instrument_switches)
