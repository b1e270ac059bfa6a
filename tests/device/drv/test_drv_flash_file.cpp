// Flash and file functions: the flash record through the module's FPGA class over the
// register simulator, files in the test's working directory.
#include "drv_flash_file.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using DrvFlashFile = sim_driver_fixture_t;
namespace fs = std::filesystem;

std::vector<uint8> pattern(std::size_t n)
{
    std::vector<uint8> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8>(i * 31 + 5);
    return bytes;
}

void make_file(const fs::path &path, const std::string &text)
{
    if (path.has_parent_path())
        fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string file_text(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::size_t count_ops(const sim_fpga_t &sim, sim_op_kind_t kind)
{
    std::size_t n = 0;
    for (const sim_op_t &op : sim.log())
        n += op.kind == kind;
    return n;
}

} // namespace

TEST_F(DrvFlashFile, CalibrationRecordRoundTripsThroughTheFlash)
{
    const std::vector<uint8> record = pattern(1496);
    EXPECT_EQ(drv_flash_write(32768, 1496, record.data()), 1);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_write), 12u);
    std::vector<uint8> stored = sim.flash(32768, 1536);
    EXPECT_EQ(std::vector<uint8>(stored.begin(), stored.begin() + 1496), record);
    EXPECT_EQ(std::vector<uint8>(stored.begin() + 1496, stored.end()), std::vector<uint8>(40, 0xFF));
    // No erase: the page writes only.
    EXPECT_TRUE(sim.writes_to(13).empty());

    sim.clear_log();
    std::vector<uint8> back(1496, 0);
    EXPECT_EQ(drv_flash_read(32768, 1496, back.data()), 1);
    EXPECT_EQ(back, record);
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::byte_read), 12u);
}

TEST_F(DrvFlashFile, FlashFunctionsAnswerOneEvenWhenNothingIsSent)
{
    EXPECT_EQ(drv_flash_write(32768, 1496, nullptr), 1);
    EXPECT_EQ(drv_flash_read(32768, 1496, nullptr), 1);
    EXPECT_EQ(drv_flash_write(32768, 0, pattern(1).data()), 1);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFlashFile, SectorErasePassesTheDriversResultOn)
{
    sim.queue_reads(106, {1, 0});
    EXPECT_EQ(drv_flash_erase_sector(2), 1);
    EXPECT_EQ(sim.writes_to(19), (std::vector<uint16>{0}));
    sim.clear_log();
    sim.poke(106, 0x00FF);
    EXPECT_EQ(drv_flash_erase_sector(2), 0);
    EXPECT_EQ(sim.slept_ms(), 11 * 500u);
}

TEST_F(DrvFlashFile, FilesAreReplacedWholeAndReadUpToTheirLength)
{
    const std::string longer = "0123456789abcdef";
    EXPECT_EQ(drv_file_write("cal.bin", longer.data(), static_cast<int32>(longer.size())), 1);
    EXPECT_EQ(file_text("cal.bin"), longer);
    EXPECT_EQ(drv_file_write("cal.bin", "xyz", 3), 1);
    EXPECT_EQ(file_text("cal.bin"), "xyz");

    // A short file fills the front of the buffer only.
    std::string buffer(8, '.');
    EXPECT_EQ(drv_file_read("cal.bin", buffer.data(), 8), 1);
    EXPECT_EQ(buffer, "xyz.....");

    // Binary bytes survive.
    const std::string binary("\x00\xff\r\n\x1a", 5);
    drv_file_write("raw.bin", binary.data(), 5);
    std::string raw(5, '?');
    drv_file_read("raw.bin", raw.data(), 5);
    EXPECT_EQ(raw, binary);
}

TEST_F(DrvFlashFile, FilesThatCannotBeOpenedLeaveEverythingAsItWas)
{
    std::string buffer(4, '.');
    EXPECT_EQ(drv_file_read("missing.bin", buffer.data(), 4), 1);
    EXPECT_EQ(buffer, "....");
    EXPECT_EQ(drv_file_write("no/such/folder/cal.bin", "abc", 3), 1);
    EXPECT_FALSE(fs::exists("no"));
    EXPECT_EQ(drv_file_write("empty.bin", nullptr, 5), 1);
    EXPECT_EQ(fs::file_size("empty.bin"), 0u);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFlashFile, ClearingUserFilesRemovesOnlyTheRegularFilesOfBothFolders)
{
    make_file("usr/usr/wave1.bin", "a");
    make_file("usr/usr/wave2.csv", "b");
    make_file("usr/usr/.hidden", "c");
    make_file("usr/usr/sub/inner.bin", "d");
    make_file("usr/config/cfg.xml", "e");
    make_file("usr/other.bin", "f");
    make_file("outside.bin", "g");
    fs::create_symlink(fs::absolute("outside.bin"), "usr/config/link.bin");

    stdout_capture_t capture;
    EXPECT_EQ(drv_clear_user_files(), 1);
    EXPECT_EQ(capture.finish(), "rm -f usr/usr/*\nrm -f usr/config/*\n");

    EXPECT_FALSE(fs::exists("usr/usr/wave1.bin"));
    EXPECT_FALSE(fs::exists("usr/usr/wave2.csv"));
    EXPECT_FALSE(fs::exists("usr/config/cfg.xml"));
    // Hidden names, folders and their contents, links and anything elsewhere stay.
    EXPECT_TRUE(fs::exists("usr/usr/.hidden"));
    EXPECT_TRUE(fs::exists("usr/usr/sub/inner.bin"));
    EXPECT_TRUE(fs::is_symlink("usr/config/link.bin"));
    EXPECT_EQ(file_text("outside.bin"), "g");
    EXPECT_TRUE(fs::exists("usr/other.bin"));
    // No shell command ran.
    EXPECT_EQ(count_ops(sim, sim_op_kind_t::shell), 0u);

    // Without the folders there is nothing to do.
    fs::remove_all("usr");
    stdout_capture_t again;
    EXPECT_EQ(drv_clear_user_files(), 1);
    EXPECT_EQ(again.finish(), "rm -f usr/usr/*\nrm -f usr/config/*\n");
}
