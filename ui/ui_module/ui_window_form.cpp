#include "ui_window_form.h"

#include "lib_window_func.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_label.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_tool_form_util.h"
#include "ui_waveform.h"
#include "ui_window_form_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QMdiSubWindow>

#include <exception>

namespace {

constexpr uint32 k_display_points = 3000;

// The shape parameters the dialog passes: Kaiser's beta and Gauss's alpha.
const float k_kaiser_beta = static_cast<float>(8.0 / 3.14159265358979323846);
constexpr float k_gauss_alpha = 2.5f;

} // namespace

ui_window_form_t::ui_window_form_t(QWidget *parent, QList<QMdiSubWindow *> &sub_windows)
    : QWidget(parent), init_status(0), form(new Ui_ui_window_form_t), src_plot(new ui_preview_plot_t()),
      result_plot(new ui_preview_plot_t()), src_wv_data(nullptr), src_wv_len(0), result_shared(false),
      wv_src_comb(nullptr), window_comb(nullptr)
{
    for (QMdiSubWindow *sub : sub_windows) {
        sub_widgets << sub->widget();
        sub_titles << sub->windowTitle();
    }

    form->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint) | Qt::Dialog);
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);

    tool_form_put_plot(form->gpbx_wv_src, src_plot, 0);
    tool_form_put_plot(form->gpbx_wv_result, result_plot, 0);
    for (ui_preview_plot_t *plot : {src_plot, result_plot})
        tool_form_init_plot(plot, 16383.0f, -1.0f, 1.0f);

    connect(form->btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(form->btn_cancel, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_window_form_t *, int32)), this,
            SLOT(window_form_btn_slot_func(ui_window_form_t *, int32)));

    init_param_box();

    setObjectName("normal_widget");
    form->btn_ok->setObjectName("normal_button");
    form->btn_cancel->setObjectName("normal_button");
    wv_src_comb->setObjectName("normal_comb");
    window_comb->setObjectName("normal_comb");
    for (QWidget *box : {form->gpbx_wv_src, form->gpbx_wv_result, form->gpbx_parm})
        box->setObjectName("normal_gpbx");

    select_source(wv_src_comb->currentIndex());
    try {
        plot_src_wave();
        const int32 r = apply_window(window_comb->currentIndex());
        if (r != 0) {
            result_wv_data.clear();
            init_status = r == -2 ? 3 : 1;
        }
    } catch (const std::exception &) {
        result_wv_data.clear();
        init_status = 3;
    }
}

ui_window_form_t::~ui_window_form_t()
{
    if (result_shared)
        tool_form_give_back_samples(result_wv_data);
    result_wv_data.clear();
    delete form;
}

void ui_window_form_t::init_param_box()
{
    auto *grid = new QGridLayout();
    grid->setVerticalSpacing(30);
    grid->setHorizontalSpacing(10);
    grid->setContentsMargins(0, 10, 0, 0);
    grid->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    const QString texts[] = {tr("Waveform Source:"), tr("Window Function:")};
    for (int row = 0; row < 2; ++row) {
        auto *label = new ui_coustom_label_t(texts[row]);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, 0);
    }
    wv_src_comb = new ui_coustom_comb_t();
    window_comb = new ui_coustom_comb_t();
    for (ui_coustom_comb_t *c : {wv_src_comb, window_comb}) {
        c->setFixedSize(180, 30);
        // A long document title must not stretch the box past the dialog.
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    grid->addWidget(wv_src_comb, 0, 1);
    grid->addWidget(window_comb, 1, 1);
    form->gpbx_parm->setLayout(grid);

    for (int i = 0; i < sub_titles.size(); ++i)
        wv_src_comb->addItem(sub_titles[i], i);
    connect(wv_src_comb, SIGNAL(activated(int)), this, SLOT(wv_src_comb_slot_func(int)));

    const QString windows[] = {tr("Rectangle"), tr("Triangle"), tr("Hanning"), tr("Hamming"),
                               tr("Blackman"),  tr("Kaiser"),   tr("BlackmanHarris"), tr("Gauss"),
                               tr("Bartlett"),  tr("Fall Exp"), tr("FlatTop"),  tr("Force")};
    for (int i = 0; i < 12; ++i)
        window_comb->addItem(windows[i], i);
    connect(window_comb, SIGNAL(activated(int)), this, SLOT(window_type_comb_slot_func(int)));
}

int ui_window_form_t::get_wv_src_index() const { return wv_src_comb->currentIndex(); }

int ui_window_form_t::get_window_type() const { return window_comb->currentIndex(); }

void ui_window_form_t::set_result_wv_data(const lib_wv_data_t<short int> &data)
{
    if (&data == &result_wv_data)
        return;
    result_wv_data = data;
    result_shared = true;
}

void ui_window_form_t::reload_src_plot() { plot_src_wave(); }

void ui_window_form_t::reload_result_plot()
{
    plot_load_waveform_vector(result_plot, &result_wv_data, k_display_points);
}

void ui_window_form_t::select_source(int index)
{
    ui_waveform_t *doc = index >= 0 && index < sub_widgets.size() ? qobject_cast<ui_waveform_t *>(sub_widgets[index])
                                                                   : nullptr;
    src_wv_data = doc ? doc->get_wave_data() : nullptr;
    src_wv_len = src_wv_data ? src_wv_data->samples.size() : 0;
}

void ui_window_form_t::plot_src_wave()
{
    if (src_wv_data)
        plot_load_waveform(src_plot, src_wv_data, src_wv_len, k_display_points);
}

int32 ui_window_form_t::apply_window(int type)
{
    if (type < 0 || type > 11)
        return 0;
    if (!src_wv_data)
        return -1;
    lib_window_func windows;
    const lib_window_kind_t kind = static_cast<lib_window_kind_t>(type);
    float param = 0.0f;
    if (kind == lib_window_kind_t::kaiser)
        param = k_kaiser_beta;
    else if (kind == lib_window_kind_t::gauss)
        param = k_gauss_alpha;
    const int32 r = windows.apply(kind, src_wv_data, &result_wv_data, param, 1.0f);
    if (r != 0)
        return r;
    plot_load_waveform_vector(result_plot, &result_wv_data, k_display_points);
    return 0;
}

void ui_window_form_t::recompute_after_pick(bool source_changed)
{
    int32 r = -2;
    try {
        r = apply_window(window_comb->currentIndex());
        if (r == 0 && source_changed)
            plot_src_wave();
    } catch (const std::exception &) {
        r = -2;
    }
    if (r == 0)
        return;
    result_wv_data.clear();
    tool_form_show_info(this, r == -2 ? tool_form_out_of_memory_text() : tr("File creation failed."));
}

void ui_window_form_t::wv_src_comb_slot_func(int index)
{
    select_source(index);
    recompute_after_pick(true);
}

void ui_window_form_t::window_type_comb_slot_func(int index)
{
    if (index < 0 || index > 11)
        return;
    window_comb->setCurrentIndex(index);
    recompute_after_pick(false);
}

void ui_window_form_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == form->btn_ok)
        emit btn_info_signal(this, 3);
    else if (s == form->btn_cancel)
        emit btn_info_signal(this, 2);
}

void ui_window_form_t::window_form_btn_slot_func(ui_window_form_t *form_, int32 btn)
{
    emit window_form_btn_signal(form_, btn);
}

void ui_window_form_t::closeEvent(QCloseEvent *event)
{
    emit window_form_btn_signal(this, 8);
    QWidget::closeEvent(event);
}
