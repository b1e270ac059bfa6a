#pragma once
// usbtmc_sim_instrument_t: a simulated instrument on the emulated USB bus. Its command
// engine (tools/instrument_sim) answers the messages that arrive through real USB-TMC
// framing; libusb reaches it through umockdev.
//
// The engine runs on umockdev's worker thread; read it from the test between calls
// (each VISA call has completed on the device when it returns).
#include "sim_engine.h"
#include "sim_profile.h"
#include "usbtmc_emulated_device.h"

#include <string>

// Ids of our own, not those of the device library's module.
constexpr std::uint16_t USBTMC_SIM_VENDOR_ID = 0x3A7D;
constexpr std::uint16_t USBTMC_SIM_PRODUCT_ID = 0x0210;

class usbtmc_sim_instrument_t : public usbtmc_emulated_device_t
{
public:
    // A USB-TMC interface at position 0 with bulk OUT 0x02, bulk IN 0x81 and interrupt 0x83.
    static usbtmc_emulated_config_t instrument_config(const std::string &serial = "SIMUSB01", int address = 2);

    usbtmc_sim_instrument_t(usb_testbed_t &testbed, const usbtmc_emulated_config_t &config,
                            const sim_profile_t &profile = sim_generator_profile(2));

    sim_engine_t &engine() { return _engine; }

protected:
    bool handle_message(const std::vector<std::uint8_t> &message, std::vector<std::uint8_t> *reply) override;

private:
    sim_engine_t _engine;
};
