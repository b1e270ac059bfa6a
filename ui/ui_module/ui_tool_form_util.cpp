#include "ui_tool_form_util.h"

#include "ui_preview_plot.h"
#include "ui_prompt.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QWidget>
#include <qwt_plot_canvas.h>

#include <utility>

void tool_form_put_plot(QGroupBox *box, ui_preview_plot_t *plot, int margin)
{
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(0);
    layout->addWidget(plot);
}

void tool_form_init_plot(ui_preview_plot_t *plot, float x_max, float y_min, float y_max)
{
    plot->set_grid_show(true);
    plot->set_yaxis_show(true);
    plot->set_xbottom_scale(0.0f, x_max);
    plot->set_yleft_scale(y_min, y_max);
    plot->canvas()->setStyleSheet("background-color: rgb(0, 0, 0)");
    plot->update_plot();
}

void tool_form_show_info(QWidget *parent, const QString &text)
{
    ui_prompt_t prompt(parent, false);
    prompt.show_info_box(text, false);
}

QString tool_form_out_of_memory_text()
{
    return ui_prompt_t(nullptr, false).out_of_memory_text;
}

void tool_form_swap_samples(lib_wv_data_t<short int> &to, lib_wv_data_t<short int> &from)
{
    // Each file stays named by exactly one store, so the live-name records need no change.
    std::swap(to.samples.path, from.samples.path);
    std::swap(to.samples.cache_index, from.samples.cache_index);
    std::swap(to.samples.cache_value, from.samples.cache_value);
    std::swap(to.amp, from.amp);
    std::swap(to.offset, from.offset);
}

void tool_form_give_back_samples(lib_wv_data_t<short int> &record)
{
    {
        lib_wv_file_buffer_t<short int> own;
        // The shared name is released without its file, which its other store still names.
        record.samples = own;
    }
    // `own` took its new file with it on the way out: made again, empty.
    record.clear();
}
