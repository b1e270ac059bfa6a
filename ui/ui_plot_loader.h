#pragma once
// Put a waveform on a plot: read its samples (or take values), reduce them to M display
// points when there are more than 10 M, label the x axis with the shown sample indices
// and replot. Callers pass M = 3000.
#include "lib_types.h"
#include "lib_wv_data.h"

#include <vector>

class ui_preview_plot_t;

void plot_load_waveform(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data, uint32 count, uint32 M);
// Samples start .. start + count - 1 (the caller's count; what the file lacks shows as 0).
void plot_load_waveform_part(ui_preview_plot_t *plot, uint32 start, lib_wv_data_t<short int> *data,
                             uint32 count, uint32 M);
// The stretch the plot's x axis currently labels.
void plot_reload_visible(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data, uint32 M);
void plot_load_waveform_yrange(ui_preview_plot_t *plot, fp32 *y_max, fp32 *y_min,
                               lib_wv_data_t<short int> *data, uint32 M);
void plot_load_waveform_vector(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data, uint32 M);
// The same with the display points already extracted from the n samples of the waveform
// (as plot_load_waveform_vector would extract them).
void plot_show_waveform_vector(ui_preview_plot_t *plot, uint32 n, std::vector<short int> &points);
// Values in volts, against yLeft.
void plot_load_float_vector(ui_preview_plot_t *plot, std::vector<float> &values, uint32 M);
void plot_set_yrange_and_reload(ui_preview_plot_t *plot, fp32 *y_max, fp32 *y_min,
                                lib_wv_data_t<short int> *data, uint32 M);
void plot_load_waveform_range(ui_preview_plot_t *plot, lib_wv_data_t<short int> *data,
                              double range_start, double range_end, uint32 M);
