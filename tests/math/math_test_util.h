#pragma once
// Helpers shared by the math engine tests.
#include "../lib/lib_test_util.h"
#include "lib_math_block.h"
#include "lib_wv_data.h"
#include "test_dir.h"
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
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


// One CSV table of tests/data: rows of named fields.
class csv_table_t
{
public:
    explicit csv_table_t(const std::string &relative)
    {
        std::ifstream in(test_source_path("tests/data/" + relative));
        std::string line;
        if (!std::getline(in, line))
            return;
        m_names = split(line);
        while (std::getline(in, line)) {
            if (!line.empty())
                m_rows.push_back(split(line));
        }
    }

    std::size_t size() const { return m_rows.size(); }
    const std::string &text(std::size_t row, const std::string &name) const { return m_rows[row][index(name)]; }
    double num(std::size_t row, const std::string &name) const { return std::stod(text(row, name)); }

private:
    static std::vector<std::string> split(const std::string &line)
    {
        std::vector<std::string> out;
        std::stringstream s(line);
        std::string field;
        while (std::getline(s, field, ','))
            out.push_back(field);
        return out;
    }
    std::size_t index(const std::string &name) const
    {
        for (std::size_t i = 0; i < m_names.size(); ++i)
            if (m_names[i] == name)
                return i;
        return m_names.size();
    }

    std::vector<std::string> m_names;
    std::vector<std::vector<std::string>> m_rows;
};

inline void put_samples(lib_wv_data_t<short int> &rec, const std::vector<short int> &v, float amp = 2.0f,
                        float offset = 0.0f)
{
    std::FILE *f = std::fopen(rec.samples.path.c_str(), "wb");
    if (!v.empty())
        std::fwrite(v.data(), sizeof(short int), v.size(), f);
    std::fclose(f);
    rec.amp = amp;
    rec.offset = offset;
}

inline std::vector<short int> get_samples(const lib_wv_data_t<short int> &rec)
{
    std::vector<short int> v;
    rec.read_all(v);
    return v;
}

// One case of the sosfilt reference: sections, the signal as samples and in volts, and
// scipy's output.
struct sos_case_t
{
    std::vector<double> num, den;
    std::vector<short int> samples;
    std::vector<float> x;
    std::vector<double> y;
    float amp = 0.0f, offset = 0.0f;
};

inline sos_case_t load_sos_case(const std::string &name)
{
    sos_case_t c;
    const csv_table_t sections("gen_filters/sosfilt_sections.csv");
    for (std::size_t r = 0; r < sections.size(); ++r) {
        if (sections.text(r, "case") != name)
            continue;
        for (const char *k : {"b0", "b1", "b2"})
            c.num.push_back(sections.num(r, k));
        for (const char *k : {"a0", "a1", "a2"})
            c.den.push_back(sections.num(r, k));
    }
    const csv_table_t sig("gen_filters/sosfilt_signal.csv");
    for (std::size_t r = 0; r < sig.size(); ++r) {
        if (sig.text(r, "case") != name)
            continue;
        c.samples.push_back(static_cast<short int>(sig.num(r, "sample")));
        c.x.push_back(static_cast<float>(sig.num(r, "x")));
        c.y.push_back(sig.num(r, "y"));
    }
    const csv_table_t window("gen_filters/sosfilt_window.csv");
    c.amp = static_cast<float>(window.num(0, "amp"));
    c.offset = static_cast<float>(window.num(0, "offset"));
    return c;
}

inline const std::vector<std::string> &sos_case_names()
{
    static const std::vector<std::string> names = {"butter4_lp", "cheby1_3_bp", "ellip5_hp", "cheby2_8_bs",
                                                    "scaled_a0"};
    return names;
}

// Bytes of a file, to show it was not written.
inline std::string file_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
