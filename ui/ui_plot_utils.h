#pragma once
// Small helpers shared by the plots, their mouse tools and the file dialogs.
#include "lib_types.h"

#include <QString>

class QwtPlot;

// Number of display points a plot shows of a long waveform.
constexpr uint32 UI_PLOT_DISPLAY_POINTS = 3000;
// Up to this many samples are plotted one by one.
constexpr uint32 UI_PLOT_EXTRACT_ABOVE = 30000;

// Display position (a whole number) at which sample `index` of a waveform of `total`
// samples is drawn when it is shown as 3000 points; the plot argument is not read.
double plot_get_display_index(QwtPlot *plot, uint32 total, double index);

// Whether a waveform of `count` samples is reduced for display, and to how many points.
bool plot_is_extracted(uint32 count);
uint32 plot_shown_points(uint32 count);

// Time of sample `index` when `points` samples span one period at `freq` hertz, as
// text with a unit ("1.00us"); "0" when it is 0 or cannot be computed.
QString format_time_label(uint32 index, const fp32 *freq, const int32 *points);

// True when the text holds a CJK ideograph (U+4E00 .. U+9FA5).
bool has_chinese_chars(const QString &text);

// The folder remembered for file dialogs ("LastFilePath" of the settings file). When
// nothing of the remembered name exists, the default data folder, made if missing.
void set_last_file_path(const QString &path);
QString get_last_file_path();
