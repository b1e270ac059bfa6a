#include "ui_unit.h"

#include <QString>

#include <cmath>
#include <cstdio>

bool ui_unit_prefix_range(int unit_type, int *first, int *last)
{
    switch (unit_type) {
    case UI_UNIT_FREQ: *first = UI_PREFIX_MICRO; *last = UI_PREFIX_MEGA; return true;
    case UI_UNIT_TIME: *first = UI_PREFIX_NANO; *last = UI_PREFIX_KILO; return true;
    case UI_UNIT_VOLT: *first = UI_PREFIX_MILLI; *last = UI_PREFIX_NONE; return true;
    case UI_UNIT_SRATE:
    case UI_UNIT_BITRATE: *first = UI_PREFIX_MICRO; *last = UI_PREFIX_GIGA; return true;
    case UI_UNIT_POINTS:
    case UI_UNIT_DEGREE:
    case UI_UNIT_PERCENT:
    case UI_UNIT_DB: *first = UI_PREFIX_NONE; *last = UI_PREFIX_NONE; return true;
    default: return false;
    }
}

double ui_unit_scale(double value, int power)
{
    static const double k_pow1000[] = {1.0, 1e3, 1e6, 1e9, 1e12, 1e15, 1e18};
    int n = power < 0 ? -power : power;
    if (n > 6)
        return power < 0 ? value / std::pow(1000.0, n) : value * std::pow(1000.0, n);
    return power < 0 ? value / k_pow1000[n] : value * k_pow1000[n];
}

double ui_unit_to_base(double shown, int prefix)
{
    if (prefix < UI_PREFIX_PICO || prefix > UI_PREFIX_PETA)
        return shown;
    return ui_unit_scale(shown, prefix - UI_PREFIX_NONE);
}

ui_unit_choice_t ui_unit_choose(double v, int first, int last)
{
    for (int p = last; p >= first; --p) {
        double candidate = ui_unit_scale(v, UI_PREFIX_NONE - p);
        if (std::fabs(candidate) >= 1.0)
            return {candidate, p};
    }
    return {v, UI_PREFIX_NONE};
}

ui_unit_choice_t lib_unit_choose_prefix(float v, int first, int last)
{
    for (int p = last; p >= first; --p) {
        float candidate = static_cast<float>(ui_unit_scale(v, UI_PREFIX_NONE - p));
        if (std::fabs(candidate) >= 1.0f)
            return {candidate, p};
    }
    return {v, UI_PREFIX_NONE};
}

namespace {

const char *prefix_letter(int prefix)
{
    switch (prefix) {
    case UI_PREFIX_PICO: return "p";
    case UI_PREFIX_NANO: return "n";
    case UI_PREFIX_MICRO: return "u";
    case UI_PREFIX_MILLI: return "m";
    case UI_PREFIX_KILO: return "k";
    case UI_PREFIX_MEGA: return "M";
    case UI_PREFIX_GIGA: return "G";
    default: return "";
    }
}

const char *unit_text(int unit_type)
{
    switch (unit_type) {
    case UI_UNIT_FREQ: return "Hz";
    case UI_UNIT_TIME: return "s";
    case UI_UNIT_VOLT: return "V";
    case UI_UNIT_SRATE: return "Sa/s";
    case UI_UNIT_POINTS: return "Sa";
    case UI_UNIT_DEGREE: return "degree";
    case UI_UNIT_PERCENT: return "%";
    case UI_UNIT_DB: return "dB";
    case UI_UNIT_BITRATE: return "bps";
    default: return "";
    }
}

} // namespace

std::string lib_unit_format_value(float v, int first, int last, int unit_type, bool with_unit,
                                  int decimals)
{
    ui_unit_choice_t c = lib_unit_choose_prefix(v, first, last);
    std::string text = QString::number(c.value, 'f', decimals).toUtf8().toStdString();
    text += " ";
    if (with_unit) {
        text += prefix_letter(c.prefix);
        text += unit_text(unit_type);
    }
    return text;
}

std::string lib_unit_format_value_short(float v, int first, int last, int unit_type)
{
    ui_unit_choice_t c = lib_unit_choose_prefix(v, first, last);
    char number[64];
    std::snprintf(number, sizeof number, "%f", c.value);
    return std::string(number) + " " + prefix_letter(c.prefix) + unit_text(unit_type);
}

std::string get_file_base_name(std::string path)
{
    std::string::size_type slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos)
        return std::string();
    return name.substr(0, dot);
}
