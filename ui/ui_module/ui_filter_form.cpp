#include "ui_filter_form.h"

#include "cfg_if_wv.h"
#include "ui_combx.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_label.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_filter_form_form.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_tool_form_util.h"
#include "ui_unit.h"
#include "ui_waveform.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>

#include <algorithm>
#include <exception>

namespace {

constexpr uint32 k_display_points = 3000;

// One filter kind of ZqwFilter with its floats in the order the kind takes them.
using single_fn_t = int32 (ZqwFilter::*)(const ZqwFilter::data_t *, uint32, ZqwFilter::data_t *, float, float,
                                         float, float, float);
using band_fn_t = int32 (ZqwFilter::*)(const ZqwFilter::data_t *, uint32, ZqwFilter::data_t *, float, float, float,
                                       float, float, float, float);

const single_fn_t k_lowpass[4] = {&ZqwFilter::butterworth_lowpass, &ZqwFilter::chebyshev_lowpass,
                                  &ZqwFilter::invchebyshev_lowpass, &ZqwFilter::elliptic_lowpass};
const single_fn_t k_highpass[4] = {&ZqwFilter::butterworth_highpass, &ZqwFilter::chebyshev_highpass,
                                   &ZqwFilter::invchebyshev_highpass, &ZqwFilter::elliptic_highpass};
const band_fn_t k_bandpass[4] = {&ZqwFilter::butterworth_bandpass, &ZqwFilter::chebyshev_bandpass,
                                 &ZqwFilter::invchebyshev_bandpass, &ZqwFilter::elliptic_bandpass};
const band_fn_t k_bandstop[4] = {&ZqwFilter::butterworth_bandstop, &ZqwFilter::chebyshev_bandstop,
                                 &ZqwFilter::invchebyshev_bandstop, &ZqwFilter::elliptic_bandstop};

const char *const k_type_names[16] = {
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ButterworthLowPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ButterworthHighPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ButterworthBandPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ButterworthBandStop"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ChebyshevLowPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ChebyshevHighPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ChebyshevBandPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "ChebyshevBandStop"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "InvChebyshevLowPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "InvChebyshevHighPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "InvChebyshevBandPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "InvChebyshevBandStop"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "EllipticLowPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "EllipticHighPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "EllipticBandPass"),
    QT_TRANSLATE_NOOP("ui_filter_form_t", "EllipticBandStop"),
};

// Rows 3 to 8 of the parameter grid per band: the frame's position among the seven
// (1 fpass1, 2 fpass2, 3 fstop1, 4 fstop2, 5 apass, 6 astop) and its label; a label of
// null hides the row.
struct param_row_t
{
    int frame;
    const char *label;
};

const param_row_t k_rows[4][6] = {
    {{1, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fpass:")},
     {3, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fstop:")},
     {2, nullptr},
     {4, nullptr},
     {5, QT_TRANSLATE_NOOP("ui_filter_form_t", "Apass:")},
     {6, QT_TRANSLATE_NOOP("ui_filter_form_t", "Astop:")}},
    {{3, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fstop:")},
     {1, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fpass:")},
     {2, nullptr},
     {4, nullptr},
     {6, QT_TRANSLATE_NOOP("ui_filter_form_t", "Astop:")},
     {5, QT_TRANSLATE_NOOP("ui_filter_form_t", "Apass:")}},
    {{3, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fstop1:")},
     {1, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fpass1:")},
     {2, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fpass2:")},
     {4, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fstop2:")},
     {6, QT_TRANSLATE_NOOP("ui_filter_form_t", "Astop1(Astop2):")},
     {5, QT_TRANSLATE_NOOP("ui_filter_form_t", "Apass:")}},
    {{1, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fpass1:")},
     {3, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fstop1:")},
     {4, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fstop2:")},
     {2, QT_TRANSLATE_NOOP("ui_filter_form_t", "Fpass2:")},
     {5, QT_TRANSLATE_NOOP("ui_filter_form_t", "Apass1(Apass2):")},
     {6, QT_TRANSLATE_NOOP("ui_filter_form_t", "Astop:")}},
};

} // namespace

ui_filter_form_t::ui_filter_form_t(QWidget *parent, QList<QMdiSubWindow *> &sub_windows)
    : QWidget(parent), init_status(0), spinb_sample(nullptr), spinb_fpass1(nullptr), spinb_fpass2(nullptr),
      spinb_fstop1(nullptr), spinb_fstop2(nullptr), spinb_apass(nullptr), spinb_astop(nullptr),
      form(new Ui_ui_filter_form_t), src_plot(new ui_preview_plot_t()), response_plot(new ui_preview_plot_t()),
      result_plot(new ui_preview_plot_t()), src_wv_data(nullptr), src_wv_len(0), result_shared(false),
      filter_type(0), fs(0.0f), fpass1(0.0f), fpass2(0.0f), fstop1(0.0f), fstop2(0.0f), apass(0.0f), astop(0.0f),
      wv_src_comb(nullptr), filter_type_comb(nullptr), labels{}, param_grid(nullptr)
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

    init_ui();
    init_wv_src_comb();
    set_default_params();
    init_filter_type_comb();
    init_style();
    select_source(wv_src_comb->currentIndex());
    plot_src_wave();
}

ui_filter_form_t::~ui_filter_form_t()
{
    // The frames go first: none of their last reports may reach a half-destroyed dialog.
    for (ui_dspinbx_frame_t *f :
         {spinb_sample, spinb_fpass1, spinb_fpass2, spinb_fstop1, spinb_fstop2, spinb_apass, spinb_astop})
        delete f;
    response_data.clear();
    if (result_shared)
        tool_form_give_back_samples(result_wv_data);
    result_wv_data.clear();
    delete form;
}

void ui_filter_form_t::init_ui()
{
    filter_type = 0;
    init_param_frames();
    init_param_limits();
    const std::pair<QGroupBox *, ui_preview_plot_t *> boxes[] = {
        {form->gpbx_wv_src, src_plot}, {form->gpbx_freq_sponse, response_plot}, {form->gpbx_wv_result, result_plot}};
    for (const auto &b : boxes) {
        tool_form_put_plot(b.first, b.second, 2);
        tool_form_init_plot(b.second, 16384.0f, -1.0f, 1.0f);
    }
    response_plot->set_yleft_title(tr("Magnitude[dB]"));
    for (QPushButton *b : {form->btn_ok, form->btn_cancel, form->btn_design_filter})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_filter_form_t *, int32)), this,
            SLOT(filter_form_btn_slot_func(ui_filter_form_t *, int32)));
    for (ui_dspinbx_frame_t *f :
         {spinb_sample, spinb_fpass1, spinb_fpass2, spinb_fstop1, spinb_fstop2, spinb_apass, spinb_astop})
        connect(f, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
}

void ui_filter_form_t::init_param_frames()
{
    param_grid = new QGridLayout();
    param_grid->setContentsMargins(0, 10, 0, 0);
    param_grid->setVerticalSpacing(20);
    param_grid->setHorizontalSpacing(10);
    param_grid->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    const char *texts[9] = {QT_TR_NOOP("Waveform Source:"), QT_TR_NOOP("Filter Type:"), QT_TR_NOOP("Fs:"),
                            QT_TR_NOOP("Fpass1:"), QT_TR_NOOP("Fpass2:"), QT_TR_NOOP("Fstop1:"),
                            QT_TR_NOOP("Fstop2:"), QT_TR_NOOP("Apass:"), QT_TR_NOOP("Astop:")};
    for (int row = 0; row < 9; ++row) {
        labels[row] = new ui_coustom_label_t(tr(texts[row]));
        labels[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        param_grid->addWidget(labels[row], row, 0);
    }
    wv_src_comb = new ui_coustom_comb_t();
    filter_type_comb = new ui_coustom_comb_t();
    for (ui_coustom_comb_t *c : {wv_src_comb, filter_type_comb}) {
        c->setFixedSize(184, 30);
        // A long document title must not stretch the box past the dialog.
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    ui_dspinbx_frame_t **frames[7] = {&spinb_sample, &spinb_fpass1, &spinb_fpass2, &spinb_fstop1,
                                      &spinb_fstop2, &spinb_apass,  &spinb_astop};
    for (int i = 0; i < 7; ++i) {
        auto *f = new ui_dspinbx_frame_t(false, i < 5 ? UI_UNIT_FREQ : UI_UNIT_DB, true, QString(), false);
        f->dspinbox->setDecimals(3);
        f->set_frame_height(30);
        *frames[i] = f;
    }
    QWidget *widgets[9] = {wv_src_comb,  filter_type_comb, spinb_sample, spinb_fpass1, spinb_fpass2,
                           spinb_fstop1, spinb_fstop2,     spinb_apass,  spinb_astop};
    for (int row = 0; row < 9; ++row)
        param_grid->addWidget(widgets[row], row, 1);
    form->gpbx_parm->setLayout(param_grid);
}

void ui_filter_form_t::init_param_limits()
{
    for (ui_dspinbx_frame_t *f : {spinb_sample, spinb_fpass1, spinb_fpass2, spinb_fstop1, spinb_fstop2}) {
        f->set_min_value(filter.get_min_freq());
        f->set_max_value(filter.get_max_freq());
    }
    spinb_apass->set_min_value(filter.get_min_apass());
    spinb_apass->set_max_value(filter.get_max_apass());
    spinb_astop->set_min_value(filter.get_min_astop());
    spinb_astop->set_max_value(filter.get_max_astop());
}

void ui_filter_form_t::init_wv_src_comb()
{
    for (int i = 0; i < sub_titles.size(); ++i)
        wv_src_comb->addItem(sub_titles[i], i);
    connect(wv_src_comb, SIGNAL(activated(int)), this, SLOT(wv_src_comb_slot_func(int)));
}

void ui_filter_form_t::init_filter_type_comb()
{
    for (int i = 0; i < 16; ++i)
        filter_type_comb->addItem(tr(k_type_names[i]), i);
    filter_type_comb->setCurrentIndex(filter_type);
    update_param_layout();
    connect(filter_type_comb, SIGNAL(activated(int)), this, SLOT(filter_type_comb_slot_func(int)));
}

void ui_filter_form_t::init_style()
{
    setObjectName("normal_widget");
    for (QWidget *b : {form->btn_ok, form->btn_cancel, form->btn_design_filter})
        b->setObjectName("normal_button");
    wv_src_comb->setObjectName("normal_comb");
    filter_type_comb->setObjectName("normal_comb");
    for (QWidget *g : {form->gpbx_wv_src, form->gpbx_freq_sponse, form->gpbx_wv_result, form->gpbx_parm})
        g->setObjectName("normal_gpbx");
}

QLabel *ui_filter_form_t::get_row_label(int row) const { return row >= 0 && row < 9 ? labels[row] : nullptr; }

QWidget *ui_filter_form_t::get_row_widget(int row) const
{
    QLayoutItem *item = param_grid->itemAtPosition(row, 1);
    return item ? item->widget() : nullptr;
}

void ui_filter_form_t::set_result_wv_data(const lib_wv_data_t<short int> &data)
{
    if (&data == &result_wv_data)
        return;
    result_wv_data = data;
    result_shared = true;
}

int ui_filter_form_t::get_wv_src_index() const { return wv_src_comb->currentIndex(); }

void ui_filter_form_t::set_default_params()
{
    const int band = filter_type % 4;
    if (filter_type >= 0 && filter_type <= 15) {
        const int index = wv_src_comb->currentIndex();
        auto *doc = index >= 0 && index < sub_widgets.size() ? qobject_cast<ui_waveform_t *>(sub_widgets[index])
                                                             : nullptr;
        const double points = doc ? double(doc->get_wv_len()) : 0.0;
        const double freq = doc ? double(static_cast<float>(*doc->wave_object->get_freq())) : 0.0;
        const double rate = std::min<double>(filter.get_max_freq(), points * freq);
        const double f1 = rate / 100.0, f2 = rate / 20.0, h = (f2 - f1) / 2.0;
        const double edges[4][4] = {// fpass1, fpass2, fstop1, fstop2
                                    {f1, f1, f2, f2},
                                    {f2, f2, f1, f1},
                                    {f1 + h, f2, f1, f2 + h},
                                    {f1, f2 + h, f1 + h, f2}};
        fs = static_cast<float>(rate);
        fpass1 = static_cast<float>(edges[band][0]);
        fpass2 = static_cast<float>(edges[band][1]);
        fstop1 = static_cast<float>(edges[band][2]);
        fstop2 = static_cast<float>(edges[band][3]);
        apass = -3.0f;
        astop = -20.0f;
    }
    ui_dspinbx_frame_t *frames[7] = {spinb_sample, spinb_fpass1, spinb_fpass2, spinb_fstop1,
                                     spinb_fstop2, spinb_apass,  spinb_astop};
    for (ui_dspinbx_frame_t *f : frames)
        f->unit_combx->reset_unit();
    // The frames report what they show back, clamped, as for a typed value.
    const float values[7] = {fs, fpass1, fpass2, fstop1, fstop2, apass, astop};
    for (int i = 0; i < 7; ++i)
        frames[i]->dspinbox->setValue(values[i]);
}

void ui_filter_form_t::update_param_layout()
{
    if (filter_type < 0 || filter_type > 15)
        return;
    ui_dspinbx_frame_t *frames[7] = {spinb_sample, spinb_fpass1, spinb_fpass2, spinb_fstop1,
                                     spinb_fstop2, spinb_apass,  spinb_astop};
    for (int i = 1; i < 7; ++i)
        param_grid->removeWidget(frames[i]);
    const param_row_t *rows = k_rows[filter_type % 4];
    for (int r = 0; r < 6; ++r) {
        ui_dspinbx_frame_t *f = frames[rows[r].frame];
        param_grid->addWidget(f, r + 3, 1);
        const bool shown = rows[r].label != nullptr;
        if (shown)
            labels[r + 3]->setText(tr(rows[r].label));
        labels[r + 3]->setVisible(shown);
        f->setVisible(shown);
    }
    for (int r = 0; r < 3; ++r)
        labels[r]->setVisible(true);
}

void ui_filter_form_t::select_source(int index)
{
    auto *doc = index >= 0 && index < sub_widgets.size() ? qobject_cast<ui_waveform_t *>(sub_widgets[index])
                                                         : nullptr;
    src_wv_data = doc ? doc->get_wave_data() : nullptr;
    src_wv_len = src_wv_data ? src_wv_data->samples.size() : 0;
}

void ui_filter_form_t::spinb_pram_change_slot_func(double value)
{
    const struct
    {
        ui_dspinbx_frame_t *frame;
        float *member;
        const char *name;
    } targets[] = {{spinb_sample, &fs, "spinb_sample"},   {spinb_fpass1, &fpass1, "spinb_fpass1"},
                   {spinb_fpass2, &fpass2, "spinb_fpass2"}, {spinb_fstop1, &fstop1, "spinb_fstop1"},
                   {spinb_fstop2, &fstop2, "spinb_fstop2"}, {spinb_apass, &apass, "spinb_apass"},
                   {spinb_astop, &astop, "spinb_astop"}};
    QObject *s = sender();
    for (const auto &t : targets) {
        if (s == t.frame) {
            *t.member = static_cast<float>(value);
            qDebug().noquote() << QString("-------------------%1: ").arg(t.name) << value;
            return;
        }
    }
}

void ui_filter_form_t::wv_src_comb_slot_func(int index)
{
    if (index != wv_src_comb->currentIndex())
        wv_src_comb->setCurrentIndex(index);
    set_default_params();
    select_source(index);
    try {
        plot_src_wave();
        plot_result_wave();
    } catch (const std::exception &) {
        tool_form_show_info(this, tool_form_out_of_memory_text());
    }
}

void ui_filter_form_t::filter_type_comb_slot_func(int index)
{
    if (index != filter_type_comb->currentIndex())
        filter_type_comb->setCurrentIndex(index);
    filter_type = index;
    update_param_layout();
    set_default_params();
}

int32 ui_filter_form_t::run_filter()
{
    if (filter_type < 0 || filter_type > 15 || !src_wv_data)
        return -1;
    const int family = filter_type / 4;
    ZqwFilter::data_t *dst = &scratch_wv_data;
    switch (filter_type % 4) {
    case 0:
        return (filter.*k_lowpass[family])(src_wv_data, src_wv_len, dst, fs, fpass1, fstop1, apass, astop);
    case 1:
        return (filter.*k_highpass[family])(src_wv_data, src_wv_len, dst, fs, fstop1, fpass1, apass, astop);
    case 2:
        return (filter.*k_bandpass[family])(src_wv_data, src_wv_len, dst, fs, fstop1, fpass1, fpass2, fstop2, apass,
                                            astop);
    default:
        return (filter.*k_bandstop[family])(src_wv_data, src_wv_len, dst, fs, fpass1, fstop1, fstop2, fpass2, apass,
                                            astop);
    }
}

int32 ui_filter_form_t::apply_filter()
{
    const int32 r = run_filter();
    if (r < 0) {
        show_filter_error(r);
        return r;
    }
    if (!result_shared) {
        tool_form_swap_samples(result_wv_data, scratch_wv_data);
    } else if (!result_wv_data.assign(scratch_wv_data)) {
        // The shared file could not take the samples: it keeps the ones it had.
        show_filter_error(-1);
        return -1;
    }
    try {
        response_data = filter.get_response();
        plot_freq_response();
        plot_result_wave();
    } catch (const std::exception &) {
        tool_form_show_info(this, tool_form_out_of_memory_text());
    }
    return r;
}

void ui_filter_form_t::plot_src_wave()
{
    src_plot->set_grid_show(true);
    src_plot->set_yaxis_show(true);
    if (!src_wv_data)
        return;
    const float half = src_wv_data->amp / 2.0f;
    src_plot->set_yleft_scale_clamped(src_wv_data->offset - half, src_wv_data->offset + half);
    plot_load_waveform(src_plot, src_wv_data, src_wv_len, k_display_points);
}

void ui_filter_form_t::plot_freq_response()
{
    const ui_range_t range = response_plot->get_vector_range(response_data);
    response_plot->set_grid_show(true);
    response_plot->set_yaxis_show(true);
    response_plot->set_yleft_scale_free(static_cast<float>(range.first), static_cast<float>(range.second));
    plot_load_float_vector(response_plot, response_data, k_display_points);
}

void ui_filter_form_t::plot_result_wave()
{
    const float half = result_wv_data.amp / 2.0f;
    result_plot->set_yleft_scale_6(result_wv_data.offset - half, result_wv_data.offset + half);
    plot_load_waveform_vector(result_plot, &result_wv_data, k_display_points);
}

void ui_filter_form_t::show_filter_error(int32 code)
{
    QString text;
    switch (code) {
    case -7:
        text = tr("\nThe filter's order is out of range.\n");
        break;
    case -6:
        text = tr("\nThe filter's parameter is out of range.\n");
        break;
    case -5:
    case -1:
        text = tr("\nUnpredictable error occurred about Filter.\n");
        break;
    case -4:
        text = tr("Math Exception: Parameter must meet the condition below:\n0 <= fpass <= (fs/2)\n");
        break;
    case -3:
        text = tr("Math Exception: Parameter must meet the condition below:\nLowpass: fpass < fstop\nHighpass: "
                  "fpass > fstop\nBandpass: fstop1 < fpass1 < fpass2 < fstop2\nBandstop: fpass1 < fstop1 < fstop2 "
                  "< fpass2\n");
        break;
    case -2:
        text = tr("\nUnpredictable error occurred about apass or astop.\n");
        break;
    default:
        return;
    }
    tool_form_show_info(this, text);
}

void ui_filter_form_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == form->btn_ok)
        emit btn_info_signal(this, 3);
    else if (s == form->btn_cancel)
        emit btn_info_signal(this, 2);
    else if (s == form->btn_design_filter)
        apply_filter();
}

void ui_filter_form_t::filter_form_btn_slot_func(ui_filter_form_t *type, int32 btn)
{
    emit filter_form_btn_signal(type, btn);
}

void ui_filter_form_t::closeEvent(QCloseEvent *event)
{
    emit filter_form_btn_signal(this, 8);
    QWidget::closeEvent(event);
}
