#pragma once
// Tests of the USB-TMC backend: emulated instruments on a umockdev bus, reached through
// the VISA calls with a fresh backend installed ahead of the built-in ones. Plug the
// test's devices first, then start().
#include "plat_visa.h"
#include "usb_testbed.h"
#include "usbtmc_sim_instrument.h"
#include "visa_log.h"
#include "visa_registry.h"
#include "visa_usbtmc_backend.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class visa_usb_fixture_t : public ::testing::Test
{
protected:
    ~visa_usb_fixture_t() override
    {
        if (rm)
            viClose(rm);
        if (started)
            visa_registry_t::instance().set_override(previous);
        backend.reset();
        visa_set_log_hook(previous_log);
    }

    usbtmc_sim_instrument_t &plug(const usbtmc_emulated_config_t &config = usbtmc_sim_instrument_t::instrument_config(),
                                  const sim_profile_t &profile = sim_generator_profile(2))
    {
        instruments.push_back(std::make_unique<usbtmc_sim_instrument_t>(bed, config, profile));
        instruments.back()->plug();
        return *instruments.back();
    }

    void start()
    {
        backend = std::make_shared<visa_usbtmc_backend_t>();
        previous = visa_registry_t::instance().set_override(backend);
        started = true;
        previous_log = visa_set_log_hook([this](const std::string &line) { log.push_back(line); });
        ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    }

    // Every resource "USB?*INSTR" finds, in order; empty when the search fails.
    std::vector<std::string> search()
    {
        std::vector<std::string> found;
        ViFindList list = 0;
        ViUInt32 count = 0;
        char desc[VI_FIND_BUFLEN] = {};
        if (viFindRsrc(rm, "USB?*INSTR", &list, &count, desc) != VI_SUCCESS)
            return found;
        for (ViUInt32 i = 0; i < count; ++i) {
            found.push_back(desc);
            viFindNext(list, desc);
        }
        viClose(list);
        return found;
    }

    ViSession open(const std::string &name = k_name)
    {
        ViSession vi = 0;
        EXPECT_EQ(viOpen(rm, name.c_str(), 0, 0, &vi), VI_SUCCESS) << name;
        return vi;
    }

    ViStatus write(ViSession vi, const std::string &text, ViUInt32 *count = nullptr)
    {
        ViUInt32 written = 0;
        ViStatus status = viWrite(vi, reinterpret_cast<ViConstBuf>(text.data()), ViUInt32(text.size()), &written);
        if (count)
            *count = written;
        return status;
    }

    // Reads at most `capacity` bytes into `reply`.
    ViStatus read(ViSession vi, std::string &reply, ViUInt32 capacity = 4096)
    {
        std::vector<ViByte> buf(capacity);
        ViUInt32 got = 0;
        ViStatus status = viRead(vi, buf.data(), capacity, &got);
        reply.assign(reinterpret_cast<const char *>(buf.data()), got);
        return status;
    }

    // The instrument's identity, or the failure as text.
    std::string identity(ViSession vi)
    {
        if (write(vi, "*IDN?\n") != VI_SUCCESS)
            return "write failed";
        std::string reply;
        ViStatus status = read(vi, reply);
        return status == VI_SUCCESS ? reply : "read failed " + std::to_string(status);
    }

    static constexpr const char *k_name = "USB0::0x3A7D::0x0210::SIMUSB01::INSTR";

    usb_testbed_t bed;
    std::vector<std::unique_ptr<usbtmc_sim_instrument_t>> instruments;
    std::shared_ptr<visa_usbtmc_backend_t> backend;
    std::shared_ptr<visa_backend_t> previous;
    bool started = false;
    visa_log_hook_t previous_log;
    std::vector<std::string> log;
    ViSession rm = 0;
};
