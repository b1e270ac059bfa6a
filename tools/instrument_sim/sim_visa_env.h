#pragma once
#include "plat_sleep_recorder.h"
#include "sim_backend.h"

#include <memory>

// Test set-up of the instrument layer: an in-process backend of simulated instruments
// (empty until the test adds some) serves every VISA search and open, and every pause is
// recorded (in pauses() and as PAUSE entries of the journal) instead of waited for.
// Both are undone at the end of its scope.
class sim_visa_env_t
{
public:
    sim_visa_env_t();
    ~sim_visa_env_t();
    sim_visa_env_t(const sim_visa_env_t &) = delete;
    sim_visa_env_t &operator=(const sim_visa_env_t &) = delete;

    sim_backend_t &backend() { return *m_backend; }
    sim_journal_t &journal() { return m_backend->journal(); }
    plat_sleep_recorder_t &pauses() { return *m_pauses; }

private:
    std::shared_ptr<sim_backend_t> m_backend;
    std::shared_ptr<visa_backend_t> m_previous;
    std::unique_ptr<plat_sleep_recorder_t> m_pauses;
};
