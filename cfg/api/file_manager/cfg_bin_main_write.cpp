// Writing waveforms as text, and the conversion of text files to raw sample files.
#include "cfg_bin_main.h"

#include "cfg_file_text.h"
#include "cfg_if_wv.h"
#include "cfg_outside_file.h"
#include "cfg_safe_save.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_xml.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

// Samples read from the sample file per step.
constexpr uint32 k_rows_per_step = 5242880;
// Text gathered before each write to the file.
constexpr size_t k_text_bytes = 4u << 20;
// One row: index, comma, value, CR LF.
constexpr size_t k_row_max = 2 * CFG_NUMBER_TEXT_MAX + 3;
// Below this many samples the rows are formatted one by one.
constexpr uint32 k_table_min_rows = 65536;
// The chunk size of the conversion to raw samples.
constexpr int k_convert_chunk_bytes = 10485760;

// The value text of every possible sample: a waveform has one amplitude and offset,
// so formatting 65,536 values once replaces a float formatting per row.
class volt_text_table_t
{
public:
    volt_text_table_t(float amp, float offset) : amp(amp), offset(offset) {}

    void build()
    {
        texts.reset(new char[65536 * k_entry]);
        for (int s = -32768; s <= 32767; ++s) {
            char *entry = texts.get() + size_t(s + 32768) * k_entry;
            char *end = cfg_format_volt(entry + 1, volts(static_cast<short int>(s)));
            entry[0] = static_cast<char>(end - entry - 1);
        }
    }

    char *append(char *out, short int sample) const
    {
        if (!texts)
            return cfg_format_volt(out, volts(sample));
        const char *entry = texts.get() + size_t(int(sample) + 32768) * k_entry;
        std::memcpy(out, entry + 1, 15);
        return out + entry[0];
    }

private:
    double volts(short int sample) const
    {
        return static_cast<double>(sample) / 32767.0 * static_cast<double>(amp) / 2.0 + static_cast<double>(offset);
    }

    // A length byte and the text: "%g" with six digits never takes more than 13.
    static constexpr size_t k_entry = 16;
    float amp;
    float offset;
    std::unique_ptr<char[]> texts;
};

void append_line(std::string &text, const char *key, const char *value_begin, const char *value_end)
{
    text += key;
    text.append(value_begin, value_end);
    text += "\r\n";
}

} // namespace

int cfg_bin_main_t::write_csv_file(const std::string &path, cfg_if_wv_t *wave)
{
    if (path.empty() || get_outside_file_type(path) == 1 || !wave)
        return -1;
    return write_text_file(path, *wave, true);
}

int cfg_bin_main_t::write_dat_file(const std::string &path, cfg_if_wv_t *wave)
{
    if (path.empty() || !wave)
        return -1;
    return write_text_file(path, *wave, false);
}

int cfg_bin_main_t::write_text_file(const std::string &path, cfg_if_wv_t &wave, bool with_parameters)
{
    const float wave_amp = *wave.get_amp();
    const float wave_offset = *wave.get_offset();
    const std::string &source = wave.get_wv_data()->samples.get_path();
    lib_fd_t in = lib_open_read(source);
    std::int64_t length = lib_file_length(source);
    if (!in.ok() || length < 0)
        return -13;
    const uint64 count = static_cast<uint64>(length) / sizeof(short int);

    cfg_safe_save_t out;
    if (out.open(path) != 0)
        return -13;

    std::string head;
    if (with_parameters) {
        char number[CFG_NUMBER_TEXT_MAX];
        append_line(head, "data length,", number, cfg_format_uint(number, points));
        append_line(head, "frequency,", number, cfg_format_fixed6(number, freq));
        append_line(head, "amp,", number, cfg_format_fixed6(number, wave_amp));
        append_line(head, "offset,", number, cfg_format_fixed6(number, wave_offset));
        append_line(head, "phase,", number, cfg_format_fixed6(number, phase));
        for (int i = 0; i < 7; ++i)
            head += "\r\n";
    }
    head += "xpos,value\r\n";
    if (!out.write(head.data(), head.size()))
        return -13;

    volt_text_table_t table(wave_amp, wave_offset);
    if (count >= k_table_min_rows)
        table.build();
    const uint32 step_max = static_cast<uint32>(std::min<uint64>(k_rows_per_step, LIB_TRANSFER_BYTES / sizeof(short int)));
    short int *samples = reinterpret_cast<short int *>(lib_transfer_buffer());
    std::unique_ptr<char[]> text(new char[k_text_bytes]);
    char *fill = text.get();
    char *const flush_at = text.get() + k_text_bytes - k_row_max;
    uint64 index = 1;
    for (uint64 first = 0; first < count; first += step_max) {
        size_t step = static_cast<size_t>(std::min<uint64>(step_max, count - first));
        size_t bytes = step * sizeof(short int);
        if (lib_pread_all(in.get(), samples, bytes, first * sizeof(short int)) != bytes)
            return -13;
        for (size_t i = 0; i < step; ++i, ++index) {
            fill = cfg_format_uint(fill, index);
            *fill++ = ',';
            fill = table.append(fill, samples[i]);
            *fill++ = '\r';
            *fill++ = '\n';
            if (fill >= flush_at) {
                if (!out.write(text.get(), size_t(fill - text.get())))
                    return -13;
                fill = text.get();
            }
        }
    }
    if (!out.write(text.get(), size_t(fill - text.get())))
        return -13;
    return out.commit();
}

std::string cfg_bin_main_t::get_outfile_file_name(const std::string &path)
{
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find('.');
    if (dot == std::string::npos) {
        lib_diag_line("get_outfile_file_name error!");
        return std::string();
    }
    return name.substr(0, dot);
}

int32 cfg_bin_main_t::convert_outfile_to_bin(const std::string &path, const std::string &directory,
                                             std::string &out_name)
{
    std::ifstream in(path, std::ios::in | std::ios::binary);
    file_end = false;
    data_stopped = false;
    std::string text;
    int column = 0;
    size_t pos = 0;
    int got = in ? read_outside_file(in, k_convert_chunk_bytes, text, pos) : -13;
    if (got < 0) {
        lib_diag_line("cfg_outfile2bin_wave_data_main_t::do_convert1");
        return got == -9 ? -9 : -13;
    }
    if (get_first_xpos_ypos(text, column, pos) == -1) {
        lib_diag_line("cfg_outfile2bin_wave_data_main_t::do_convert2");
        return -13;
    }
    float max = 0.0f;
    float min = 0.0f;
    std::vector<float> values;
    int32 rc = collect_rest(in, k_convert_chunk_bytes, text, static_cast<size_t>(column), pos, values, max, min, false);
    if (rc < 0)
        return rc;
    std::vector<short int> samples;
    convert_float2short(values, max, min, samples);

    out_name = directory + "/" + get_outfile_file_name(path) + ".bin";
    cfg_safe_save_t out;
    if (out.open(out_name) != 0 || !out.write(samples.data(), samples.size() * sizeof(short int)) || out.commit() != 0)
        return -13;
    return 1;
}

bool cfg_bin_main_t::write_info_file(const std::string &path)
{
    std::size_t at = path.find(".bin");
    if (at == std::string::npos)
        return false;
    std::string info = path;
    info.replace(at, 4, ".info");
    lib_xml_t xml;
    xml.write_bin_info(QString::fromUtf8(info.c_str()), freq, amp, offset, phase);
    return true;
}
