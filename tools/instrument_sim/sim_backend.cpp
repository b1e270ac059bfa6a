#include "sim_backend.h"

#include "sim_engine.h"
#include "sim_session.h"
#include "sim_text.h"

#include <cstdio>

sim_backend_t::sim_backend_t() : m_journal(std::make_shared<sim_journal_t>()) {}

std::string sim_backend_t::add(std::shared_ptr<sim_engine_t> engine, const std::string &name, bool usb)
{
    visa_rsrc_name_t parsed;
    visa_parse_rsrc_name(name.c_str(), parsed);
    engine->share_journal(m_journal);
    m_entries.push_back(entry_t{name, sim_upper(parsed.canonical()), usb, std::move(engine)});
    return name;
}

std::string sim_backend_t::add_usb(std::shared_ptr<sim_engine_t> engine, const std::string &serial)
{
    char fallback[16];
    std::snprintf(fallback, sizeof fallback, "SIM%04zu", m_entries.size() + 1);
    return add(std::move(engine), "USB0::0x1234::0x5678::" + (serial.empty() ? fallback : serial) + "::INSTR",
               true);
}

std::string sim_backend_t::add_tcpip(std::shared_ptr<sim_engine_t> engine, const std::string &host)
{
    return add(std::move(engine), "TCPIP0::" + host + "::INSTR", false);
}

void sim_backend_t::list_resources(std::vector<std::string> &out)
{
    for (const entry_t &e : m_entries)
        if (e.usb)
            out.push_back(e.name);
}

const sim_backend_t::entry_t *sim_backend_t::find(const visa_rsrc_name_t &name) const
{
    const std::string wanted = sim_upper(name.canonical());
    for (const entry_t &e : m_entries)
        if (e.canonical == wanted)
            return &e;
    return nullptr;
}

bool sim_backend_t::claims(const visa_rsrc_name_t &name) { return find(name) != nullptr; }

ViStatus sim_backend_t::open(const visa_rsrc_name_t &name, ViUInt32, std::unique_ptr<visa_session_t> &session)
{
    const entry_t *e = find(name);
    if (!e)
        return VI_ERROR_RSRC_NFOUND;
    sim_journal_entry_t j{sim_journal_entry_t::OPEN, e->name};
    j.status = e->engine->faults().refuse_open ? VI_ERROR_RSRC_BUSY : VI_SUCCESS;
    m_journal->add(j);
    if (j.status != VI_SUCCESS)
        return j.status;
    session = std::make_unique<sim_session_t>(e->engine, e->name);
    return VI_SUCCESS;
}
