#include "sim_engine.h"
#include "sim_store.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(SimStore, WaveNamesStayInsideTheFolder)
{
    const std::pair<const char *, const char *> cases[] = {
        {"wave_1-b.x", "wave_1-b.x"}, {"../up", "%2E.%2Fup"}, {"a/b", "a%2Fb"},
        {".hidden", "%2Ehidden"},     {"sp ace", "sp%20ace"}, {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(sim_store_t::file_name(c.first), c.second) << c.first;

    sim_store_t store;
    std::string error;
    ASSERT_TRUE(store.open("deep/store", error)) << error;
    sim_wave_t w;
    w.name = "../escape";
    w.data = std::string("\0\1\2\3", 4);
    ASSERT_TRUE(store.save("127.0.0.2", w, error)) << error;
    EXPECT_EQ(read_file("deep/store/127.0.0.2/%2E.%2Fescape.bin"), w.data);
    // A later download of the name replaces the file whole, with no leftover part file.
    w.data = "xy";
    ASSERT_TRUE(store.save("127.0.0.2", w, error)) << error;
    EXPECT_EQ(read_file(store.path("127.0.0.2", "../escape")), "xy");
    int files = 0;
    for (const auto &entry : std::filesystem::recursive_directory_iterator("deep"))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST(SimStore, FolderThatCannotBeMadeIsAnError)
{
    std::ofstream("blocker") << "a file";
    sim_store_t store;
    std::string error;
    EXPECT_FALSE(store.open("blocker/store", error));
    EXPECT_NE(error.find("blocker/store"), std::string::npos) << error;
    EXPECT_FALSE(store.is_open());
}
