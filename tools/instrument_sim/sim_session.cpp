#include "sim_session.h"

#include "sim_engine.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

sim_session_t::sim_session_t(std::shared_ptr<sim_engine_t> engine, std::string resource)
    : m_engine(std::move(engine)), m_resource(std::move(resource))
{
}

sim_session_t::~sim_session_t()
{
    m_engine->journal().add(sim_journal_entry_t{sim_journal_entry_t::CLOSE, m_resource});
}

ViStatus sim_session_t::write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32)
{
    std::string_view message(reinterpret_cast<const char *>(buf), count);
    const sim_faults_t &faults = m_engine->faults();
    written = 0;
    ViStatus status = VI_SUCCESS;
    if (m_lost)
        status = VI_ERROR_CONN_LOST;
    else if (sim_faults_t::hits(faults.refuse_write, message))
        status = VI_ERROR_IO;
    else if (sim_faults_t::hits(faults.drop_in_write, message)) {
        m_lost = true;
        written = count / 2;
        status = VI_ERROR_CONN_LOST;
    }
    m_engine->journal().add_write(m_resource, message, status);
    if (status != VI_SUCCESS)
        return status;

    // A new message ends whatever was left of the previous reply.
    m_reply.clear();
    m_reply_at = 0;
    m_drop_at = std::string::npos;
    m_pending = m_engine->handle(message, m_reply);
    if (m_pending && sim_faults_t::hits(faults.drop_in_reply, message))
        m_drop_at = m_reply.size() / 2;
    written = count;
    return VI_SUCCESS;
}

ViStatus sim_session_t::read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32)
{
    got = 0;
    ViStatus status;
    if (m_lost) {
        status = VI_ERROR_CONN_LOST;
    } else if (!m_pending) {
        status = VI_ERROR_TMO;
    } else {
        std::size_t left = m_reply.size() - m_reply_at;
        std::size_t n = std::min<std::size_t>(capacity, left);
        if (m_drop_at != std::string::npos && m_reply_at + n > m_drop_at) {
            n = m_drop_at - m_reply_at;
            m_lost = true;
        }
        if (n > 0)
            std::memcpy(buf, m_reply.data() + m_reply_at, n);
        m_reply_at += n;
        got = static_cast<ViUInt32>(n);
        if (m_lost)
            status = VI_ERROR_CONN_LOST;
        else if (m_reply_at < m_reply.size())
            status = VI_SUCCESS_MAX_CNT;
        else
            status = VI_SUCCESS;
        if (m_reply_at >= m_reply.size()) {
            m_pending = false;
            m_reply.clear();
            m_reply_at = 0;
        }
    }
    sim_journal_entry_t e{sim_journal_entry_t::READ, m_resource};
    e.size = capacity;
    e.status = status;
    m_engine->journal().add(std::move(e));
    return status;
}

ViStatus sim_session_t::clear(ViUInt32)
{
    m_pending = false;
    m_reply.clear();
    m_reply_at = 0;
    m_engine->journal().add(sim_journal_entry_t{sim_journal_entry_t::CLEAR, m_resource});
    return m_lost ? VI_ERROR_CONN_LOST : VI_SUCCESS;
}

void sim_session_t::timeout_changed(ViUInt32 timeout_ms)
{
    sim_journal_entry_t e{sim_journal_entry_t::TIMEOUT, m_resource};
    e.size = timeout_ms;
    m_engine->journal().add(std::move(e));
}
