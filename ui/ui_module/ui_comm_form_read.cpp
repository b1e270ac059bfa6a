// The communication dialog's read mode (the generator's wave list and the read-back) and
// import mode (an oscilloscope trace resampled to the chosen point count).
#include "ui_comm_form.h"

#include "cfg_if_wv.h"
#include "cfg_wv_data_ops.h"
#include "instr_scope.h"
#include "instr_wave_list.h"
#include "ui_coustom_comb.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <new>

namespace {

// Read pressed with nothing chosen in the wave list: nothing is sent and nothing shown.
constexpr ui_comm_ret_t k_nothing_to_read = -1;

} // namespace

void ui_comm_form_t::update_wave_list()
{
    wave_map.clear();
    wave_list_combo->clear();
    if (mode != 1 || !connected)
        return;
    std::map<std::string, std::string> list;
    const int32 r = instr_get_all_wave_list(session, static_cast<uint32>(instr_info.model_class), list);
    if (r < 0) {
        if (r == -2)
            emit system_info_signal(0);
        else
            show_comm_ret_info(-21);
        return;
    }
    for (const auto &entry : list) {
        const QString key = QString::fromStdString(entry.first);
        const QString value = QString::fromStdString(entry.second);
        wave_map[value] = value.contains("user:") ? "USER," + key : key;
        wave_list_combo->addItem(value);
    }
}

ui_comm_ret_t ui_comm_form_t::read_wave()
{
    const QString text = wave_list_combo->currentText();
    if (text.isEmpty() || !wave_map.contains(text))
        return k_nothing_to_read;
    QString identifier = wave_map.value(text);
    QString name = text;
    const int model = instr_info.model_class;
    if (text.contains("user:")) {
        name = text.mid(5);
        if (model == 0 || model == 1)
            identifier = "\"user," + name + "\"";
    }
    wave_name = name;

    // A key the generator's answer lacks keeps the waveform's present value.
    float freq = static_cast<float>(*wave->get_freq());
    float amp = *wave->get_amp();
    float offset = *wave->get_offset();
    float phase = *wave->get_phase();
    int32 r = instr_read_wave_param(session, static_cast<uint32>(model), freq, amp, offset, phase);
    if (r < 0)
        return read_result(r, -22);
    r = instr_read_wave(session, static_cast<uint32>(model), identifier.toUtf8().constData(), *wave->get_wv_data());
    if (r < 0)
        return read_result(r, -23);
    wave->set_wv_len(wave->get_wv_data()->samples.size());
    wave->set_freq(static_cast<double>(freq));
    wave->set_amp(amp);
    wave->set_offset(offset);
    wave->set_phase(phase);
    wave->set_amp_offset(amp, offset);
    return 0;
}

ui_comm_ret_t ui_comm_form_t::import_scope_wave()
{
    lib_wv_data_t<short int> record;
    record.samples.init();
    instr_scope_t scope;
    int32 r = scope.scope_read_waveform(session, channel, record);
    if (r >= 0)
        r = resample_import_wave(record);
    std::remove(record.samples.get_path().c_str());
    return r >= 0 ? 0 : read_result(r, -20);
}

int32 ui_comm_form_t::resample_import_wave(lib_wv_data_t<short int> &record)
{
    lib_wv_data_t<short int> *target = wave->get_wv_data();
    target->clear();
    const uint32 n = record.samples.size();
    const uint32 targets[] = {std::min<uint32>(n, k_segment_points), 16384, 32768, 524288};
    const int index = points_combo->currentIndex();
    const uint32 t = index >= 0 && index < 4 ? targets[index] : 16384;
    wave->set_amp(record.amp);
    wave->set_offset(record.offset);
    wave->set_freq(record.freq);
    wave->set_amp_offset(record.amp, record.offset);

    int32 r = 0;
    // Out of memory anywhere in the resampling is a status, never the end of the program.
    try {
        if (t < n) {
            r = lib_math_decimate_data(record, *target, t);
        } else if (t > n) {
            r = lib_math_interpolate_data(record, *target, t);
        } else if (std::rename(record.samples.get_path().c_str(), target->samples.get_path().c_str()) == 0) {
            // The record is dropped after the import anyway: its file becomes the
            // waveform's instead of being copied sample by sample.
            r = 0;
        } else {
            try {
                r = target->assign(record) ? 0 : -2;
            } catch (const std::exception &e) {
                std::printf("cfg_if_bswv_sine_t::create_wv_data:%s\n", e.what());
                return -2;
            }
        }
    } catch (const std::bad_alloc &) {
        return -2;
    }
    wave->set_wv_len(target->samples.size());
    wave->set_srate_by_freq(static_cast<float>(*wave->get_freq()));
    return r;
}
