#include "file_test_util.h"

#include "test_dir.h"

#include <fstream>
#include <iterator>

void put_samples(lib_wv_data_t<short int> &record, const std::vector<short int> &samples)
{
    record.resize(0, 0);
    record.samples.write(0, samples.data(), static_cast<uint32>(samples.size()));
}

std::vector<short int> samples_of(const lib_wv_data_t<short int> &record)
{
    std::vector<short int> out;
    record.read_all(out);
    return out;
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string fixture(const std::string &name)
{
    return test_source_path("tests/data/files/" + name);
}
