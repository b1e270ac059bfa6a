// scripts/install-udev-rule.sh against a rules folder and a udevadm of the test's own.
#include "test_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void put(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool exists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

} // namespace

TEST(InstallUdevRule, InstallsAMissingRuleOnlyWhereUdevIs)
{
    struct case_t
    {
        const char *name;
        bool udevadm;
        bool rules_dir;
        const char *installed; // what the rules folder holds before, or null
        bool installs;
    };
    const case_t cases[] = {
        {"udev without the rule", true, true, nullptr, true},
        {"udev with an edited rule", true, true, "# edited by the administrator\n", false},
        {"no udevadm", false, true, nullptr, false},
        {"no rules folder", true, false, nullptr, false},
    };
    const std::string rule = slurp(test_source_path("resources/udev/60-ondrix-usbtmc.rules"));
    ASSERT_NE(rule.find("TAG+=\"uaccess\""), std::string::npos);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    int n = 0;
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string base = std::string(cwd) + "/case" + std::to_string(n++);
        ASSERT_EQ(mkdir(base.c_str(), 0755), 0);
        const std::string rules = base + "/rules.d", calls = base + "/calls", udevadm = base + "/udevadm";
        const std::string target = rules + "/60-ondrix-usbtmc.rules";
        if (c.rules_dir) {
            ASSERT_EQ(mkdir(rules.c_str(), 0755), 0);
        }
        if (c.installed) {
            put(target, c.installed);
        }
        if (c.udevadm) {
            put(udevadm, "#!/bin/sh\necho \"$@\" >> '" + calls + "'\n");
            ASSERT_EQ(chmod(udevadm.c_str(), 0755), 0);
        }
        const std::string command = "ONDRIX_UDEV_RULES_DIR='" + rules + "' ONDRIX_UDEVADM='" + udevadm + "' bash '" +
                                    test_source_path("scripts/install-udev-rule.sh") + "' > '" + base +
                                    "/out' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << slurp(base + "/out");

        if (c.installs) {
            EXPECT_EQ(slurp(target), rule);
            struct stat st;
            ASSERT_EQ(stat(target.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0644u);
            EXPECT_EQ(slurp(calls), "control --reload-rules\ntrigger --subsystem-match=usb --action=change\n");
        } else {
            EXPECT_EQ(exists(target), c.installed != nullptr);
            if (c.installed) {
                EXPECT_EQ(slurp(target), c.installed);
            }
            EXPECT_FALSE(exists(calls));
            EXPECT_EQ(exists(rules), c.rules_dir);
        }
    }
}
