#include "usbtmc_sim_instrument.h"

#include <string_view>

usbtmc_emulated_config_t usbtmc_sim_instrument_t::instrument_config(const std::string &serial, int address)
{
    usbtmc_emulated_config_t config;
    config.vendor_id = USBTMC_SIM_VENDOR_ID;
    config.product_id = USBTMC_SIM_PRODUCT_ID;
    config.serial = serial;
    config.address = address;
    return config;
}

usbtmc_sim_instrument_t::usbtmc_sim_instrument_t(usb_testbed_t &testbed, const usbtmc_emulated_config_t &config,
                                                 const sim_profile_t &profile)
    : usbtmc_emulated_device_t(testbed, config), _engine(profile)
{
}

bool usbtmc_sim_instrument_t::handle_message(const std::vector<std::uint8_t> &message,
                                             std::vector<std::uint8_t> *reply)
{
    std::string answer;
    if (!_engine.handle(std::string_view(reinterpret_cast<const char *>(message.data()), message.size()), answer))
        return false;
    reply->assign(answer.begin(), answer.end());
    return true;
}
