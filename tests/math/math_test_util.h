#pragma once
// Helpers shared by the math engine tests.
#include "../lib/lib_test_util.h"
#include "lib_math_block.h"

#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <vector>

// Lowers the engines' block length while it lives, so block seams show on small files.
class block_scope_t
{
public:
    explicit block_scope_t(uint32 samples) { lib_math_set_block_samples(samples); }
    ~block_scope_t() { lib_math_set_block_samples(0); }
    block_scope_t(const block_scope_t &) = delete;
    block_scope_t &operator=(const block_scope_t &) = delete;
};

// Root ignores file modes, so a full disk is played by a limit on the size of any file
// the process writes: a write past it fails as it would on a full disk.
class file_size_limit_t
{
public:
    explicit file_size_limit_t(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~file_size_limit_t() { setrlimit(RLIMIT_FSIZE, &m_old); }
    file_size_limit_t(const file_size_limit_t &) = delete;
    file_size_limit_t &operator=(const file_size_limit_t &) = delete;

private:
    rlimit m_old;
};

// The rows of a CSV file without its header line, split at commas.
inline std::vector<std::vector<std::string>> read_csv(const std::string &path)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> row;
        std::stringstream s(line);
        std::string cell;
        while (std::getline(s, cell, ','))
            row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

inline std::string read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
