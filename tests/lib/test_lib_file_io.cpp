#include "lib_file_io.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

std::string content(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("<missing>");
}

void put(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The new file takes the name, or on failure the old one keeps it; nothing is left
// aside either way.
TEST(LibReplaceOwnFile, NewFileTakesTheNameOrTheOldOneStays)
{
    struct case_t
    {
        const char *name;
        bool from_exists, to_exists;
        bool ok;
        const char *to_after;
    };
    const case_t cases[] = {
        {"over an old file", true, true, true, "new"},
        {"to a free name", true, false, true, "new"},
        {"from a missing file", false, true, false, "old"},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        ::unlink("from.bin");
        ::unlink("to.bin");
        if (c.from_exists)
            put("from.bin", "new");
        if (c.to_exists)
            put("to.bin", "old");
        EXPECT_EQ(c.ok, lib_replace_own_file("from.bin", "to.bin"));
        EXPECT_EQ(c.to_after, content("to.bin"));
        EXPECT_FALSE(lib_file_exists("to.bin.old"));
        if (c.ok) {
            EXPECT_FALSE(lib_file_exists("from.bin"));
        }
    }
}

// A file made anew for writing leaves the file its other name holds as it was.
TEST(LibOpenTrunc, MakesANewFileAndKeepsOtherNames)
{
    put("a.bin", "samples");
    ASSERT_EQ(0, ::link("a.bin", "b.bin"));
    {
        lib_fd_t fd = lib_open_trunc("a.bin");
        ASSERT_TRUE(fd.ok());
        ASSERT_EQ(3, ::write(fd.get(), "new", 3));
    }
    EXPECT_EQ("new", content("a.bin"));
    EXPECT_EQ("samples", content("b.bin"));
    EXPECT_FALSE(lib_same_file("a.bin", "b.bin"));
}

} // namespace
