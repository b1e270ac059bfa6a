#include "test_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

// Each test works in a fresh folder of its own inside the process's one, as it does
// under ctest, where every test is a process of its own: so the whole executable run at
// once sees no files another test left behind.
class fresh_dir_per_test_t : public testing::EmptyTestEventListener
{
public:
    explicit fresh_dir_per_test_t(std::string root) : m_root(std::move(root)) {}

    void OnTestStart(const testing::TestInfo &) override
    {
        m_current = m_root + "/test_" + std::to_string(++m_count);
        std::error_code ec;
        std::filesystem::create_directory(m_current, ec);
        if (ec || chdir(m_current.c_str()) != 0) {
            std::perror("test main: cannot make a test's working directory");
            std::exit(2);
        }
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        if (chdir(m_root.c_str()) != 0)
            std::perror("test main: cannot leave a test's working directory");
        std::error_code ec;
        std::filesystem::remove_all(m_current, ec);
    }

private:
    std::string m_root;
    std::string m_current;
    int m_count = 0;
};

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    test_dir_t dir;
    testing::UnitTest::GetInstance()->listeners().Append(new fresh_dir_per_test_t(dir.path()));
    return RUN_ALL_TESTS();
}
