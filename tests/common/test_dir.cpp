#include "test_dir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <vector>

test_dir_t::test_dir_t()
{
    std::error_code ec;
    m_old = std::filesystem::current_path(ec).string();
    std::string base = std::filesystem::temp_directory_path(ec).string();
    if (base.empty())
        base = "/tmp";
    std::string tmpl = base + "/ondrix_test_XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()) || chdir(buf.data()) != 0) {
        std::perror("test_dir_t: cannot make a temporary working directory");
        std::exit(2);
    }
    m_path = buf.data();
}

test_dir_t::~test_dir_t()
{
    std::error_code ec;
    if (!m_old.empty() && chdir(m_old.c_str()) != 0)
        (void)chdir("/");
    std::filesystem::remove_all(m_path, ec);
}

std::string test_source_path(const std::string &relative)
{
    const char *root = std::getenv("ONDRIX_TEST_SOURCE_DIR");
    std::string base = root ? root : ONDRIX_SOURCE_DIR;
    return base + "/" + relative;
}

// Allocations that Qt's offscreen platform and the system libraries keep for the
// process's lifetime: LeakSanitizer reads this list in every test executable. It stands
// here because this file is linked into every test.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n"
           "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}
