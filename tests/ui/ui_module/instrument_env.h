#pragma once
// Simulated instruments for the windows: every VISA search and open goes to the
// in-process backend (empty until a test adds instruments), pauses are recorded instead
// of waited for, searches are counted, and USB instruments can be unplugged.
#include "sim_engine.h"
#include "sim_visa_env.h"
#include "visa_registry.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

// Passes everything to the simulated backend, counting the searches and leaving the
// unplugged instruments out of them.
class plug_backend_t : public visa_backend_t
{
public:
    explicit plug_backend_t(sim_backend_t &inner) : m_inner(inner) {}

    void list_resources(std::vector<std::string> &out) override
    {
        ++searches;
        std::vector<std::string> all;
        m_inner.list_resources(all);
        for (const std::string &name : all)
            if (!unplugged.count(name))
                out.push_back(name);
    }
    bool claims(const visa_rsrc_name_t &name) override { return m_inner.claims(name); }
    ViStatus open(const visa_rsrc_name_t &name, ViUInt32 timeout_ms, std::unique_ptr<visa_session_t> &session) override
    {
        return m_inner.open(name, timeout_ms, session);
    }

    int searches = 0;
    std::set<std::string> unplugged;

private:
    sim_backend_t &m_inner;
};

class instrument_env_t
{
public:
    instrument_env_t() : m_plug(std::make_shared<plug_backend_t>(m_sim.backend()))
    {
        m_previous = visa_registry_t::instance().set_override(m_plug);
    }
    ~instrument_env_t() { visa_registry_t::instance().set_override(m_previous); }
    instrument_env_t(const instrument_env_t &) = delete;
    instrument_env_t &operator=(const instrument_env_t &) = delete;

    std::string add_usb(const sim_profile_t &profile, const std::string &serial = "")
    {
        return m_sim.backend().add_usb(keep(profile), serial);
    }
    // "TCPIP0::<host>::INSTR"
    std::string add_tcpip(const sim_profile_t &profile, const std::string &host)
    {
        return m_sim.backend().add_tcpip(keep(profile), host);
    }
    std::shared_ptr<sim_engine_t> engine(std::size_t i) const { return m_engines.at(i); }

    void unplug(const std::string &name) { m_plug->unplugged.insert(name); }
    void plug(const std::string &name) { m_plug->unplugged.erase(name); }
    int searches() const { return m_plug->searches; }
    sim_journal_t &journal() { return m_sim.journal(); }
    // The resources opened since the journal was last cleared, each once, in order.
    std::vector<std::string> opened()
    {
        std::vector<std::string> out;
        for (const auto &e : journal().of_kind(sim_journal_entry_t::OPEN))
            if (std::find(out.begin(), out.end(), e.resource) == out.end())
                out.push_back(e.resource);
        return out;
    }

private:
    std::shared_ptr<sim_engine_t> keep(const sim_profile_t &profile)
    {
        m_engines.push_back(std::make_shared<sim_engine_t>(profile));
        return m_engines.back();
    }

    sim_visa_env_t m_sim;
    std::shared_ptr<plug_backend_t> m_plug;
    std::shared_ptr<visa_backend_t> m_previous;
    std::vector<std::shared_ptr<sim_engine_t>> m_engines;
};
