#include "visa_usbtmc_session.h"

#include "visa_usbtmc_link.h"

#include <utility>

visa_usbtmc_session_t::visa_usbtmc_session_t(std::shared_ptr<visa_usbtmc_link_t> link) : m_link(std::move(link)) {}

ViStatus visa_usbtmc_session_t::write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms)
{
    return m_link->write(buf, count, written, timeout_ms);
}

ViStatus visa_usbtmc_session_t::read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms)
{
    return m_link->read(buf, capacity, got, timeout_ms);
}

ViStatus visa_usbtmc_session_t::clear(ViUInt32 timeout_ms)
{
    return m_link->clear(timeout_ms);
}
