#pragma once
// What the math tool dialogs (filter, window functions, waveform math, equation editor)
// share: their plots' frames and look, their message boxes and the handing over of a
// freshly computed record.
#include "lib_wv_data.h"

#include <QString>

class QGroupBox;
class QWidget;
class ui_preview_plot_t;

// Puts the plot into the group box, filling it with `margin` pixels around.
void tool_form_put_plot(QGroupBox *box, ui_preview_plot_t *plot, int margin);

// Grid and y axes shown, the given x and y ranges, black canvas, replotted.
void tool_form_init_plot(ui_preview_plot_t *plot, float x_max, float y_min, float y_max);

// An information box with OK only, owned by the dialog while it shows.
void tool_form_show_info(QWidget *parent, const QString &text);

// The out-of-memory text of the program's message boxes.
QString tool_form_out_of_memory_text();

// Makes `to` hold what `from` holds (samples, amplitude and offset) by exchanging their
// sample files: nothing is copied; `from` is left with `to`'s former samples.
void tool_form_swap_samples(lib_wv_data_t<short int> &to, lib_wv_data_t<short int> &from);

// A record handed another store's sample file (a member-wise copy) names that file beside
// its owner. Before a dialog lets go of such a record it gives the name back: the record
// then names a new empty file of its own, and the other store keeps its samples.
void tool_form_give_back_samples(lib_wv_data_t<short int> &record);
