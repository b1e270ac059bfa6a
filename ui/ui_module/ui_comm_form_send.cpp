// The communication dialog's send: the name and limit checks, then the waveform in
// segments of at most 20,971,520 points to the selected generator.
#include "ui_comm_form.h"

#include "cfg_if_digwv.h"
#include "cfg_instr_limit.h"
#include "cfg_wv_data_ops.h"
#include "instr_send_wv.h"
#include "ui_coustom_comb.h"
#include "ui_plot_utils.h"
#include "ui_unit.h"

#include <QRegularExpression>
#include <QTextCodec>
#include <cstdio>
#include <exception>
#include <vector>

QString ui_comm_form_t::wave_name_from_title(const QString &title)
{
    const int dash = title.indexOf('-');
    if (dash < 0)
        return title;
    return title.mid(dash + 1) + ".csv";
}

void ui_comm_form_t::load_wave_titles(const QStringList &titles, int index)
{
    wave_combo->clear();
    for (int i = 0; i < titles.size(); ++i)
        wave_combo->addItem(titles[i], i);
    wave_combo->setCurrentIndex(index);
    wave_name = wave_name_from_title(wave_combo->currentText());
}

ui_comm_ret_t ui_comm_form_t::check_wave_name(std::string &name)
{
    const std::string base = get_file_base_name(wave_name.toUtf8().toStdString());
    // Debian's Qt carries the codec; should a build lack it, the bytes are UTF-8 anyway.
    QTextCodec *codec = QTextCodec::codecForName("GB2312");
    const QByteArray bytes = QByteArray::fromStdString(base);
    const QString decoded = codec ? codec->toUnicode(bytes) : QString::fromUtf8(bytes);
    if (decoded.isEmpty())
        return -35;
    if (has_chinese_chars(decoded))
        return -36;
    static const QRegularExpression pattern("^[a-zA-Z0-9_-]{1,18}$");
    if (!pattern.match(decoded).hasMatch() || decoded.contains('\n'))
        return -37;
    name = decoded.toStdString();
    return 0;
}

ui_comm_ret_t ui_comm_form_t::check_send_param(int &model)
{
    wave = waves.value(wave_combo->currentIndex(), nullptr);
    if (!wave)
        return -30;
    const int m = instr_info.model_class;
    switch (instr_check_wv_param(static_cast<instr_zqw_t>(m), wave, static_cast<lib_ch_t>(channel))) {
    case -20:
        return -25;
    case -21:
        return -26;
    case -22:
        return -27;
    case -23:
        return -28;
    case -24:
        return -29;
    default:
        break;
    }
    if (m == 6 && wave->get_wv_data()->samples.size() == k_512k_points) {
        if (arb_combo->count() == 32 && arb_combo->currentIndex() < 24)
            return -33;
        if (arb_combo->count() == 4 && arb_combo->currentIndex() != 3)
            return -34;
    }
    model = m;
    return 0;
}

void ui_comm_form_t::get_send_chunk_count(bool &more, int &count, int &remainder)
{
    const uint32 n = *wave->get_wv_len();
    count = 1;
    more = false;
    remainder = 0;
    if (n > k_segment_points) {
        more = true;
        count = static_cast<int>(n / k_segment_points);
        remainder = static_cast<int>(n % k_segment_points);
        if (remainder != 0)
            ++count;
    }
}

int32 ui_comm_form_t::send_wave_chunk(int model, uint32 points, const std::string &name,
                                      lib_wv_data_t<short int> *data, int segment, bool more)
{
    const double freq = *wave->get_freq();
    double srate = freq * points;
    if (wave->get_wv_type() == static_cast<lib_wv_type_t>(12))
        if (auto *digital = dynamic_cast<cfg_if_digwv_t *>(wave))
            srate = digital->get_bit_rate();
    return instr_send_wave(session, channel, *wave->get_amp(), *wave->get_offset(), freq, srate, *wave->get_phase(),
                           static_cast<int>(points), name, *data, store_location.toUtf8().toStdString(),
                           static_cast<uint32>(model), segment, more);
}

ui_comm_ret_t ui_comm_form_t::send_wave()
{
    std::string name;
    ui_comm_ret_t r = check_wave_name(name);
    if (r < 0)
        return r;
    int model = 0;
    r = check_send_param(model);
    if (r < 0)
        return r;
    lib_wv_data_t<short int> *data = wave->get_wv_data();
    const uint32 points = *wave->get_wv_len();
    bool more = false;
    int count = 1;
    int remainder = 0;
    get_send_chunk_count(more, count, remainder);
    for (int i = 1; i <= count; ++i) {
        const int32 sent = send_wave_chunk(model, points, name, data, i, i == count ? false : more);
        if (sent <= 0)
            return sent == -2 ? -38 : -30;
    }
    return 1;
}

ui_comm_ret_t ui_comm_form_t::convert_wavedata(lib_wv_data_t<short int> *data, int, int segment)
{
    try {
        const uint32 total = wave->get_wv_data()->samples.size();
        const uint64 first = static_cast<uint64>(segment - 1) * k_segment_points;
        const uint64 end = std::min<uint64>(static_cast<uint64>(segment) * k_segment_points, total);
        const std::pair<double, double> range = lib_math_get_min_max(*wave->get_wv_data());
        const double span = range.second - range.first;
        std::vector<short int> in(1 << 16);
        std::vector<short int> out;
        for (uint64 at = first; at < end; at += in.size()) {
            const uint32 n = wave->get_wv_data()->samples.read(static_cast<uint32>(at), in.data(),
                                                               static_cast<uint32>(std::min<uint64>(in.size(), end - at)));
            out.clear();
            for (uint32 i = 0; i < n; ++i) {
                const double f = span != 0 ? (in[i] - range.first) / span * 2 - 1 : 0;
                out.push_back(static_cast<short int>(f < 0 ? f * 32768 : f * 32767));
            }
            data->samples.write(data->samples.size(), out.data(), static_cast<uint32>(out.size()));
            if (n == 0)
                break;
        }
    } catch (const std::exception &e) {
        std::printf("ui_comm_ret_t ui_comm_form_t::convert_wavedata%s\n", e.what());
        data->clear();
        return -38;
    }
    return 0;
}
