#pragma once
#include <string>

// Runs the process inside a fresh temporary directory and removes it again:
// sample files live in the working directory, so tests never share one.
class test_dir_t
{
public:
    test_dir_t();
    ~test_dir_t();
    test_dir_t(const test_dir_t &) = delete;
    test_dir_t &operator=(const test_dir_t &) = delete;

    const std::string &path() const { return m_path; }

private:
    std::string m_path;
    std::string m_old;
};

// Path of a file in the source tree (tests/data fixtures and the like).
std::string test_source_path(const std::string &relative);
