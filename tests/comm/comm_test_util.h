#pragma once
#include "drv_device_comm.h"
#include "lib_file_io.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "sim_engine.h"
#include "sim_visa_env.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Every test of the instrument layer talks to simulated instruments only, and records
// its pauses instead of waiting for them.
class comm_test_t : public ::testing::Test
{
protected:
    // Adds a simulated USB instrument; its resource name goes to `name`.
    std::shared_ptr<sim_engine_t> add_usb(const sim_profile_t &profile, std::string *name = nullptr,
                                          const std::string &serial = "")
    {
        auto engine = std::make_shared<sim_engine_t>(profile);
        std::string n = env.backend().add_usb(engine, serial);
        if (name)
            *name = n;
        return engine;
    }

    // Adds an instrument and opens a session to it.
    ViSession connect(const sim_profile_t &profile, std::shared_ptr<sim_engine_t> *engine = nullptr)
    {
        std::string name;
        auto e = add_usb(profile, &name);
        if (engine)
            *engine = e;
        ViSession session = 0;
        EXPECT_GE(comm->open_instr(name, session), VI_SUCCESS);
        env.journal().clear();
        env.pauses().clear();
        return session;
    }

    std::vector<uint32> pauses()
    {
        const auto &p = env.pauses().pauses();
        return std::vector<uint32>(p.begin(), p.end());
    }

    std::vector<uint32> timeouts()
    {
        std::vector<uint32> out;
        for (const auto &e : env.journal().of_kind(sim_journal_entry_t::TIMEOUT))
            out.push_back(uint32(e.size));
        return out;
    }

    sim_visa_env_t env;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
};

inline void write_samples(lib_wv_data_t<short int> &record, const std::vector<int16> &samples)
{
    lib_fd_t fd = lib_open_trunc(record.samples.path);
    ASSERT_TRUE(fd.ok());
    ASSERT_EQ(lib_pwrite_all(fd.get(), samples.data(), samples.size() * 2, 0), samples.size() * 2);
}

inline std::vector<int16> read_samples(const lib_wv_data_t<short int> &record)
{
    std::vector<short int> out;
    record.read_all(out);
    return std::vector<int16>(out.begin(), out.end());
}

// The little-endian bytes of the samples, as instruments send and receive them.
inline std::string sample_bytes(const std::vector<int16> &samples)
{
    return std::string(reinterpret_cast<const char *>(samples.data()), samples.size() * 2);
}
