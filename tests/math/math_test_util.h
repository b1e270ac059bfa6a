#pragma once
#include "lib_wv_data.h"
#include "test_dir.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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
