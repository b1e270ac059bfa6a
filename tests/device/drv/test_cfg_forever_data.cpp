// Storage of the calibration record and the generic flash accessors on the module,
// over the register simulator (flash image, shell commands recorded).
#include "cfg_forever_data.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using CfgForeverData = sim_driver_fixture_t;

std::vector<uint8> pattern(std::size_t n, uint8 seed)
{
    std::vector<uint8> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8>(i * 13 + seed);
    return bytes;
}

std::size_t count_ops(const sim_fpga_t &sim, sim_op_kind_t kind)
{
    std::size_t n = 0;
    for (const sim_op_t &op : sim.log())
        n += op.kind == kind;
    return n;
}

} // namespace

TEST_F(CfgForeverData, RecordGoesToThirtyTwoKilobytesWithoutEraseOrFiles)
{
    const std::vector<uint8> record = pattern(1496, 3);
    EXPECT_EQ(cfg_write_forever_data(record.data(), 1496), 1);
    const std::vector<uint8> stored = sim.flash(32768, 1496);
    EXPECT_EQ(stored, record);
    EXPECT_EQ(sim.flash(0, 16), std::vector<uint8>(16, 0xFF));
    // No sector erase, no remount or sync, no file.
    EXPECT_TRUE(sim.writes_to(19).empty());
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::shell), 0u);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_write), 12u);

    sim.clear_log();
    std::vector<uint8> back(1496, 0);
    EXPECT_EQ(cfg_read_forever_data(back.data(), 1496), 1);
    EXPECT_EQ(back, record);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_read), 12u);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_write), 0u);
}

TEST_F(CfgForeverData, NullBuffersAndEmptyLengthsAnswerZeroAndSendNothing)
{
    std::vector<uint8> buffer(16, 0x11);
    const cfg_flash_req_t null_req{32768, 16, 0, nullptr};
    const cfg_flash_req_t empty_req{32768, 0, 0, buffer.data()};
    struct
    {
        const char *what;
        std::function<int32()> call;
    } cases[] = {
        {"read record, null", [&] { return cfg_read_forever_data(nullptr, 1496); }},
        {"read record, 0", [&] { return cfg_read_forever_data(buffer.data(), 0); }},
        {"write record, null", [&] { return cfg_write_forever_data(nullptr, 1496); }},
        {"write record, 0", [&] { return cfg_write_forever_data(buffer.data(), 0); }},
        {"write flash, null", [&] { return cfg_write_flash(0, nullptr, 16); }},
        {"write flash, 0", [&] { return cfg_write_flash(0, buffer.data(), 0); }},
        {"read flash, null", [&] { return cfg_read_flash(0, nullptr, 16); }},
        {"area write, null", [&] { return cfg_write_flash_area(nullptr, 16); }},
        {"area read, null", [&] { return cfg_read_flash_area(nullptr, 16); }},
        {"access write, null", [&] { return cfg_flash_access(0, 0, nullptr, 16); }},
        {"access read, null", [&] { return cfg_flash_access(1, 0, nullptr, 16); }},
        {"access op 2", [&] { return cfg_flash_access(2, 32768, buffer.data(), 16); }},
        {"access op -1", [&] { return cfg_flash_access(-1, 32768, buffer.data(), 16); }},
        {"request write, null", [&] { return cfg_flash_req_write(&null_req); }},
        {"request read, null", [&] { return cfg_flash_req_read(&null_req); }},
        {"request write, 0", [&] { return cfg_flash_req_write(&empty_req); }},
        {"request, none", [&] { return cfg_flash_req_write(nullptr) + cfg_flash_req_read(nullptr); }},
        {"file write, null", [&] { return cfg_write_cali_date_file(nullptr, 16); }},
        {"file read, null", [&] { return cfg_read_cali_date_file(nullptr, 16); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.call(), 0);
        EXPECT_TRUE(log_is({}));
        EXPECT_EQ(buffer, std::vector<uint8>(16, 0x11));
    }
    EXPECT_EQ(sim.flash(32768, 16), std::vector<uint8>(16, 0xFF));
}

TEST_F(CfgForeverData, AccessorsReadAndWriteTheGivenRange)
{
    const std::vector<uint8> data = pattern(200, 7);
    std::vector<uint8> buffer = data;
    EXPECT_EQ(cfg_flash_access(0, 4096, buffer.data(), 200), 1);
    EXPECT_EQ(sim.flash(4096, 200), data);
    std::vector<uint8> back(200, 0);
    EXPECT_EQ(cfg_flash_access(1, 4096, back.data(), 200), 1);
    EXPECT_EQ(back, data);

    // The request's third word is not read.
    const std::vector<uint8> more = pattern(40, 99);
    buffer = more;
    const cfg_flash_req_t write{8192, 40, 0xDEADBEEF, buffer.data()};
    EXPECT_EQ(cfg_flash_req_write(&write), 1);
    EXPECT_EQ(sim.flash(8192, 40), more);
    std::vector<uint8> again(40, 0);
    const cfg_flash_req_t read{8192, 40, 12345, again.data()};
    EXPECT_EQ(cfg_flash_req_read(&read), 1);
    EXPECT_EQ(again, more);
    EXPECT_TRUE(sim.writes_to(19).empty());
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::shell), 0u);
}
