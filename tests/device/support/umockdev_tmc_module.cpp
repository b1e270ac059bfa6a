#include "umockdev_tmc_module.h"

#include "usbtmc_module_ids.h"

namespace {

constexpr std::size_t MODULE_WAVE_BLOCK_BYTES = 32768;
constexpr std::uint8_t MODULE_WRITE_FLAG = 0x80;

} // namespace

usbtmc_emulated_config_t umockdev_tmc_module_t::module_config()
{
    usbtmc_emulated_config_t config;
    config.vendor_id = USBTMC_MODULE_VID;
    config.product_id = USBTMC_MODULE_PID;
    return config;
}

umockdev_tmc_module_t::umockdev_tmc_module_t(usb_testbed_t &testbed, const usbtmc_emulated_config_t &config)
    : usbtmc_emulated_device_t(testbed, config)
{
}

void umockdev_tmc_module_t::set_data_read_length(std::size_t bytes)
{
    std::lock_guard<std::mutex> guard(_lock);
    _data_read_length = bytes;
}

bool umockdev_tmc_module_t::handle_message(const std::vector<std::uint8_t> &m, std::vector<std::uint8_t> *reply)
{
    const std::size_t size = m.size();
    if (size == 2) {
        std::uint16_t value = _sim.read_reg(static_cast<std::uint32_t>(m[0] | (m[1] & 0x7F) << 8));
        *reply = {m[0], m[1], static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
        return true;
    }
    if (size == 4 && (m[1] & MODULE_WRITE_FLAG)) {
        _sim.write_reg(static_cast<std::uint32_t>(m[0] | (m[1] & 0x7F) << 8), static_cast<std::uint16_t>(m[2] | m[3] << 8));
        return false;
    }
    if (size == 4) {
        std::uint32_t address = static_cast<std::uint32_t>(m[2] | m[3] << 8);
        std::size_t count = _data_read_length ? _data_read_length
                            : address < sim_fpga_t::FLASH_SIZE ? sim_fpga_t::FLASH_SIZE - address
                                                               : 0;
        *reply = m;
        reply->resize(4 + count);
        _sim.read_bytes(address, reply->data() + 4, count);
        return true;
    }
    if (size == MODULE_WAVE_BLOCK_BYTES) {
        std::vector<std::uint16_t> words(size / 2);
        for (std::size_t i = 0; i < words.size(); ++i)
            words[i] = static_cast<std::uint16_t>(m[2 * i] | m[2 * i + 1] << 8);
        _sim.write_block(0, words.data(), words.size());
        return false;
    }
    if (size > 4) {
        std::uint32_t address = static_cast<std::uint32_t>(m[0] << 16 | m[3] << 8 | m[2]);
        _sim.write_bytes(address, m.data() + 4, size - 4, m[0] != 0);
    }
    return false;
}
