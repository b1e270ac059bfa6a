#include "sim_visa_env.h"

#include "visa_registry.h"

sim_visa_env_t::sim_visa_env_t() : m_backend(std::make_shared<sim_backend_t>())
{
    m_previous = visa_registry_t::instance().set_override(m_backend);
    std::shared_ptr<sim_journal_t> journal = m_backend->shared_journal();
    m_pauses = std::make_unique<plat_sleep_recorder_t>([journal](std::uint32_t ms) { journal->add_pause(ms); });
}

sim_visa_env_t::~sim_visa_env_t()
{
    m_pauses.reset();
    visa_registry_t::instance().set_override(m_previous);
}
