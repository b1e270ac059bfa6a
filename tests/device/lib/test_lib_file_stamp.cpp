// The file stamp: 16 hexadecimal digits that change when a file is saved again (a new
// modification time or a new size) and stay while it is left alone.
#include "lib_file_stamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

// The stamp as text, or "failed" with the buffer checked to be untouched.
std::string stamp_of(const char *path)
{
    char buffer[17];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    if (lib_get_file_stamp(path, buffer) < 0)
        return std::string(buffer, 17) == std::string(17, '#') ? "failed" : "failed, but wrote";
    EXPECT_EQ(buffer[16], '#'); // exactly 16 characters
    return std::string(buffer, 16);
}

void write_file(const char *path, const std::string &text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace

TEST(LibFileStamp, ChangesWithTimeOrSizeOnly)
{
    write_file("a.bin", "abcd");
    const fs::file_time_type time = fs::last_write_time("a.bin");
    const std::string first = stamp_of("a.bin");
    EXPECT_EQ(first.find_first_not_of("0123456789abcdef"), std::string::npos) << first;
    EXPECT_EQ(stamp_of("a.bin"), first);

    // Saved again with other content of the same size at the same time: the same file
    // as far as the stamp can tell.
    write_file("a.bin", "wxyz");
    fs::last_write_time("a.bin", time);
    EXPECT_EQ(stamp_of("a.bin"), first);

    // A new time, or a new size at the old time, is a new stamp.
    fs::last_write_time("a.bin", time + std::chrono::nanoseconds(1000));
    const std::string later = stamp_of("a.bin");
    EXPECT_NE(later, first);
    write_file("a.bin", "abcde");
    fs::last_write_time("a.bin", time);
    EXPECT_NE(stamp_of("a.bin"), first);
    EXPECT_NE(stamp_of("a.bin"), later);
}

TEST(LibFileStamp, FailsWithoutWritingWhenThereIsNoFile)
{
    EXPECT_EQ(stamp_of("missing.bin"), "failed");
    EXPECT_EQ(stamp_of(""), "failed");
    EXPECT_EQ(stamp_of(nullptr), "failed");
    char buffer[16];
    EXPECT_EQ(lib_get_file_stamp("missing.bin", nullptr), -1);
    write_file("b.bin", "x");
    EXPECT_EQ(lib_get_file_stamp("b.bin", buffer), 1);
}
