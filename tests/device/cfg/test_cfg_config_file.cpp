// The configuration file: the changed flag through start-up and saves, and the copy of
// the file done in-process, so a destination with blanks and shell characters is only
// a file name and no command runs.
#include "cfg_config_file.h"
#include "cfg_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

void write_file(const fs::path &path, const std::string &text)
{
    fs::create_directories(path.parent_path().empty() ? fs::path(".") : path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string read_file(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
} // namespace

class CfgConfigFile : public cfg_fixture_t
{
protected:
    // No command may reach the shell hook.
    void expect_no_shell()
    {
        for (const sim_op_t &op : sim.log())
            EXPECT_NE(op.kind, sim_op_kind_t::shell) << op.text;
    }

    cfg_config_file_t *file() { return cfg_get_config_file(); }
};

TEST_F(CfgConfigFile, FlagFollowsStartUpMarksAndSaves)
{
    EXPECT_FALSE(file()->is_dirty());
    stdout_capture_t capture;
    file()->save(false);
    EXPECT_FALSE(file()->is_dirty());
    file()->mark_dirty();
    EXPECT_TRUE(file()->is_dirty());
    // Saving elsewhere does not count as saved.
    file()->save_as("elsewhere.xml");
    EXPECT_TRUE(file()->is_dirty());
    file()->save(false);
    EXPECT_FALSE(file()->is_dirty());
    file()->set_dirty(true);
    file()->save_now();
    EXPECT_FALSE(file()->is_dirty());
    EXPECT_EQ(file()->save_to("x.xml"), 1);
    EXPECT_EQ(capture.finish(), "");
    expect_no_shell();
}

TEST_F(CfgConfigFile, ExportCopiesToAnyFileNameWithoutAShell)
{
    write_file(cfg_config_file_t::CONFIG_PATH, "<config/>\n");
    const std::vector<std::string> destinations = {
        "plain.xml",
        "with blank.xml",
        "a; touch pwned.xml",
        "$(touch pwned2).xml",
        "`touch pwned3`.xml",
    };
    stdout_capture_t capture;
    for (const std::string &d : destinations)
    {
        EXPECT_EQ(file()->export_to(d), 1) << d;
        EXPECT_EQ(read_file(d), "<config/>\n") << d;
    }
    EXPECT_EQ(capture.finish(), "");
    for (const char *stray : {"pwned", "pwned2", "pwned3", "touch", "a"})
        EXPECT_FALSE(fs::exists(stray)) << stray;
    expect_no_shell();
    EXPECT_FALSE(file()->is_dirty());
}

TEST_F(CfgConfigFile, ExportIntoAFolderKeepsTheFileName)
{
    write_file(cfg_config_file_t::CONFIG_PATH, "<c/>");
    fs::create_directories("out dir");
    EXPECT_EQ(file()->export_to("out dir"), 1);
    EXPECT_EQ(read_file("out dir/JQZ_config.xml"), "<c/>");
}

TEST_F(CfgConfigFile, FailedCopyChangesNothingAndStillAnswersOne)
{
    // No source yet: the user's file stays as it was.
    write_file("keep.xml", "user data");
    EXPECT_EQ(file()->export_to("keep.xml"), 1);
    EXPECT_EQ(read_file("keep.xml"), "user data");
    // A target folder that does not exist.
    write_file(cfg_config_file_t::CONFIG_PATH, "<config/>");
    EXPECT_EQ(file()->export_to("missing/dir/out.xml"), 1);
    EXPECT_FALSE(fs::exists("missing"));
    expect_no_shell();
}
