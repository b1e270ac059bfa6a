#pragma once
#include "visa_session.h"

#include <memory>

class visa_usbtmc_link_t;

// A VISA session to a USB-TMC instrument. Sessions to one instrument share its claimed
// interface; the last one closed releases it.
class visa_usbtmc_session_t : public visa_session_t
{
public:
    explicit visa_usbtmc_session_t(std::shared_ptr<visa_usbtmc_link_t> link);

    ViStatus write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms) override;
    ViStatus read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms) override;
    ViStatus clear(ViUInt32 timeout_ms) override;

private:
    std::shared_ptr<visa_usbtmc_link_t> m_link;
};
