#pragma once
#include "visa_session.h"

#include <memory>
#include <string>

class sim_engine_t;

// A VISA session to a simulated instrument: it hands each written message to the
// engine and serves the reply to the following reads. A read with nothing to serve
// fails with VI_ERROR_TMO at once, so tests never wait for a time-out.
class sim_session_t : public visa_session_t
{
public:
    sim_session_t(std::shared_ptr<sim_engine_t> engine, std::string resource);
    ~sim_session_t() override;

    ViStatus write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms) override;
    ViStatus read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms) override;
    ViStatus clear(ViUInt32 timeout_ms) override;
    void timeout_changed(ViUInt32 timeout_ms) override;

private:
    std::shared_ptr<sim_engine_t> m_engine;
    std::string m_resource;
    bool m_pending = false;    // a reply (possibly empty) waits to be read
    std::string m_reply;
    std::size_t m_reply_at = 0; // how much of it was read
    std::size_t m_drop_at = std::string::npos; // the connection drops when the reader gets here
    bool m_lost = false;
};
