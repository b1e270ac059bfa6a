#pragma once
#include "sim_journal.h"
#include "visa_backend.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class sim_engine_t;

// An in-process VISA backend over simulated instruments: USB instruments appear in the
// search, TCP/IP ones are opened by name. All of them record into one journal.
class sim_backend_t : public visa_backend_t
{
public:
    sim_backend_t();

    // Adds an instrument found by the search, "USB0::0x1234::0x5678::<serial>::INSTR"
    // (serial "SIM0001", "SIM0002"... when none is given); returns its name.
    std::string add_usb(std::shared_ptr<sim_engine_t> engine, const std::string &serial = "");
    // Adds an instrument reached by "TCPIP0::<host>::INSTR"; returns that name.
    std::string add_tcpip(std::shared_ptr<sim_engine_t> engine, const std::string &host);

    sim_journal_t &journal() { return *m_journal; }
    std::shared_ptr<sim_journal_t> shared_journal() { return m_journal; }

    void list_resources(std::vector<std::string> &out) override;
    bool claims(const visa_rsrc_name_t &name) override;
    ViStatus open(const visa_rsrc_name_t &name, ViUInt32 open_timeout_ms,
                  std::unique_ptr<visa_session_t> &session) override;

private:
    struct entry_t
    {
        std::string name;      // as listed
        std::string canonical; // how names are compared
        bool usb;
        std::shared_ptr<sim_engine_t> engine;
    };
    const entry_t *find(const visa_rsrc_name_t &name) const;
    std::string add(std::shared_ptr<sim_engine_t> engine, const std::string &name, bool usb);

    std::shared_ptr<sim_journal_t> m_journal;
    std::vector<entry_t> m_entries;
};
