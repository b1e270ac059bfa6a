// cali_data_vextral_t: the text report of the calibration record.
#include "cali_data_vextral.h"

#include <cstdarg>
#include <cstdio>

namespace {

constexpr int CALI_REPORT_LINE = 200;
constexpr int CALI_REPORT_CH = 0;

// One line formatted into a bounded line buffer and appended without its zero.
class cali_report_t
{
public:
    explicit cali_report_t(std::string &text) : _text(text) { _text.clear(); }

    __attribute__((format(printf, 2, 3))) void line(const char *format, ...)
    {
        char buffer[CALI_REPORT_LINE] = {};
        va_list args;
        va_start(args, format);
        const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        if (written > 0)
            _text.append(buffer, written < CALI_REPORT_LINE ? static_cast<size_t>(written) : CALI_REPORT_LINE - 1);
    }

private:
    std::string &_text;
};

double d(long double value)
{
    return static_cast<double>(value);
}

} // namespace

void cali_data_vextral_t::get_cali_info(std::string &text)
{
    cali_report_t report(text);
    const u8 ch = CALI_REPORT_CH;
    report.line("\n[INFO START]vextral_cali_data:\n");
    report.line("++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++\n");
    report.line("fb_delta = %lf  \n", d(_values.fb_delta));
    report.line("fb_pos_slope = %lf  \n", d(_values.fb_pos_slope));
    report.line("fb_neg_slope = %lf  \n", d(_values.fb_neg_slope));
    report.line("ctl_delta = 0x%x  \n", static_cast<unsigned>(_values.ctl_delta));
    report.line("ctl_slope = %lf  \n", d(_values.ctl_slope));
    const cali_ch_data_t &data = _values.cali_ch_data;
    report.line("cali_ch_data[ch=%d].dac_delta = %lf  \n", CALI_REPORT_CH, d(data.dac_delta));
    report.line("cali_ch_data[ch=%d].adder_delta = %lf  \n", CALI_REPORT_CH, d(data.adder_delta));
    report.line("cali_ch_data[ch=%d].adder_amplifier_delta = %lf  \n", CALI_REPORT_CH, d(data.adder_amplifier_delta));
    report.line("cali_ch_data[ch=%d].dc_adder_slope = %lf  \n", CALI_REPORT_CH, d(data.dc_adder_slope));
    report.line("cali_ch_data[ch=%d].dc_coarse_slope = %lf  \n", CALI_REPORT_CH, d(data.dc_coarse_slope));
    report.line("cali_ch_data[ch=%d].ac_adder_gain = %lf  \n", CALI_REPORT_CH, d(data.ac_adder_gain));
    report.line("cali_ch_data[ch=%d].first_coarse_gain = %lf  \n", CALI_REPORT_CH, d(data.first_coarse_gain));
    report.line("cali_ch_data[ch=%d].second_coarse_gain = %lf  \n", CALI_REPORT_CH, d(data.second_coarse_gain));
    report.line("cali_ch_data[ch=%d].invariable_gain = %lf    \n", CALI_REPORT_CH, d(data.invariable_gain));
    for (int16 i = 0; i < CALI_DAC_LINE_POINTS; ++i)
        report.line("cali_ch_data[ch=%d].dac_line_data[index=%d].vref = %lf :volt = %lf \n", CALI_REPORT_CH, i,
                    d(get_dac_line_vref(ch, i)), d(get_dac_line_volt(ch, i)));
    report.line("\n");
    for (u8 sheet = 0; sheet < CALI_FREQ_SHEETS; ++sheet) {
        for (u16 i = 0; i < CALI_FREQ_POINTS; ++i)
            report.line("cali_freq_data[ch=%d][sheet=%d][index=%d].{ freq = %lf, compensate = %lf }\n", CALI_REPORT_CH,
                        sheet, i, d(get_freq_data_freq(ch, sheet, i)), d(get_freq_data_compensate(ch, sheet, i)));
        report.line("\n");
    }
    report.line("\n");
    for (u8 sheet = 0; sheet < CALI_FREQ_SHEETS; ++sheet) {
        for (u8 i = 0; i < CALI_FREQ_POINTS; ++i)
            report.line("low_freq_resp_comp[ch=%d][sheet=%d][index=%d].{ compensate = %lf }\n", CALI_REPORT_CH, sheet,
                        i, d(get_low_freq_resp_comp(ch, sheet, i)));
        report.line("\n");
    }
    report.line("\n");
    // The module keeps no counter line: the record is cleared so the line reads zeros.
    freq_counter_line_t counter_line = {0.0L, 0.0L};
    get_freq_counter_line(&counter_line);
    report.line("freq_counter_line{delta = %lf,slope = %lf}\n", d(counter_line.delta), d(counter_line.slope));
    report.line("[INFO END]\n");
    report.line("--------------------------------------------------------------------\n");
    const int length = static_cast<int>(text.size());
    report.line("cali info string len = %d = 0x%x\n", length, static_cast<unsigned>(length));
}
