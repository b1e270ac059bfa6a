#include "ui_wvmath_form.h"

#include "cfg_wv_gen.h"
#include "lib_alloc.h"
#include "lib_sample_conv.h"
#include "lib_wv_arith.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_rdbtn.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_meta_types.h"
#include "lib_wv_extract.h"
#include "ui_plot_loader.h"
#include "ui_plot_utils.h"
#include "ui_preview_plot.h"
#include "ui_stdwvform.h"
#include "ui_tool_form_util.h"
#include "ui_unit.h"
#include "ui_wvmath_form_form.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGridLayout>
#include <qwt_plot_canvas.h>
#include <qwt_plot_zoneitem.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr uint32 k_display_points = 3000;

const char *const k_library_names[11] = {
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Sine"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Square"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Pulse"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Ramp"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Noise"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "DC"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Sinc"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Stair Step Up"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Stair Step Down"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Exponential Rise"),
    QT_TRANSLATE_NOOP("ui_wvmath_form_t", "Exponential Fall"),
};

} // namespace

ui_wvmath_form_t::ui_wvmath_form_t(QWidget *parent, lib_wv_data_t<short int> *document_data,
                                   lib_wv_data_t<short int> *copy_buffer, range_data_t selection_range,
                                   uint32 points_arg, instr_zqw_t instr_type, double frequency)
    : QWidget(parent), init_status(0), form(new Ui_ui_wvmath_form_t), plots{}, zones{}, document(document_data),
      points(0), full_range{0.0, 0.0}, selection(selection_range), source_range{0.0, 0.0}, library_range{0.0, 0.0},
      source_kind(0), operation(0), std_form(nullptr), last_library_index(0), rdbtn_library(nullptr),
      rdbtn_value(nullptr), rdbtn_clipboard(nullptr), library_comb(nullptr), value_frame(nullptr), source(nullptr),
      library_ready(false), clipboard_ready(false), clipboard_one_signed(false), result_ready(false),
      calc_status(0)
{
    ui_register_meta_types();
    form->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint) | Qt::Dialog);
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);

    points = document ? document->samples.size() : 0;
    param_wv.set_wv_len(points_arg);
    param_wv.set_freq(frequency);
    param_wv.set_instr_type(instr_type);
    if (copy_buffer && !clipboard_wv_data.assign(*copy_buffer))
        init_status = 3;
    full_range = {0.0, double(points) - 1.0};

    init_source_group();
    rdbtn_library->setChecked(true);
    form->rdbtn_add->setChecked(true);
    _update_source_state();
    param_wv.set_wv_len(points);
    std_form = new ui_stdwvform_t(this, LIB_WV_SINE, points, param_wv.get_instr_type(), *param_wv.get_freq(), 1,
                                  false, nullptr);
    std_form->installEventFilter(this);

    connect(std_form, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)), this,
            SLOT(std_wv_form_btn_slot_func(ui_stdwvform_t *, int32)));
    connect(this, SIGNAL(btn_info_signal(ui_wvmath_form_t *, int32)), this,
            SLOT(arith_math_form_btn_slot_func(ui_wvmath_form_t *, int32)));
    connect(form->btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(form->btn_cancel, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    for (QRadioButton *r : {rdbtn_library, rdbtn_value, rdbtn_clipboard, form->rdbtn_add, form->rdbtn_sub,
                            form->rdbtn_mul, form->rdbtn_div})
        connect(r, SIGNAL(clicked(bool)), this, SLOT(btn_slot_func()));
    connect(value_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(library_comb, SIGNAL(activated(int)), this, SLOT(wv_comb_slot_func(int)));

    init_plots();
    // The copied codes decide whether dividing by the copy buffer is allowed.
    clipboard_one_signed = is_wv_data_same_sign(clipboard_wv_data.samples, clipboard_wv_data.samples.size());
    for (int i = 0; i < 11; ++i)
        library_comb->addItem(tr(k_library_names[i]), i);
    set_style_names();
    if (clipboard_wv_data.samples.size() == 0)
        rdbtn_clipboard->setEnabled(false);

    // The first result needs memory too: without it the dialog is not shown at all.
    if (init_status == 0 && (_update_source_wv(0) == 3 || calc_status == -2))
        init_status = 3;
    else
        _update_oper_state();
}

ui_wvmath_form_t::~ui_wvmath_form_t()
{
    if (std_form) {
        std_form->removeEventFilter(this);
        delete std_form;
    }
    delete value_frame;
    delete form;
    clipboard_wv_data.clear();
}

void ui_wvmath_form_t::init_source_group()
{
    auto *grid = new QGridLayout();
    grid->setVerticalSpacing(50);
    grid->setHorizontalSpacing(0);
    grid->setContentsMargins(0, 10, 0, 0);
    grid->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    QFont f;
    f.setPointSize(12);
    rdbtn_library = new ui_coustom_rdbtn_t(tr("Waveform Library:"));
    rdbtn_value = new ui_coustom_rdbtn_t(tr("Math Data:"));
    rdbtn_clipboard = new ui_coustom_rdbtn_t(tr("Copy from Clipboard"));
    for (QRadioButton *r : {rdbtn_library, rdbtn_value, rdbtn_clipboard})
        r->setFont(f);
    library_comb = new ui_coustom_comb_t();
    library_comb->setFixedSize(140, 30);
    value_frame = new ui_dspinbx_frame_t(false, UI_UNIT_VOLT, true, QString(), false);
    value_frame->dspinbox->setDecimals(3);
    value_frame->set_min_value(-20.0);
    value_frame->set_max_value(20.0);
    value_frame->set_frame_height(30);
    value_frame->set_spinbox_width(80);
    value_frame->set_unit_width(56);
    value_frame->setFixedWidth(140);
    grid->addWidget(rdbtn_library, 0, 0);
    grid->addWidget(library_comb, 0, 1);
    grid->addWidget(rdbtn_value, 1, 0);
    grid->addWidget(value_frame, 1, 1);
    grid->addWidget(rdbtn_clipboard, 2, 0, 1, 2);
    form->gpbx_wv_src_parm->setLayout(grid);
}

void ui_wvmath_form_t::init_plots()
{
    QGroupBox *boxes[3] = {form->gpbx_sel_wv, form->gpbx_wv_src, form->gpbx_result_wv};
    for (int i = 0; i < 3; ++i) {
        plots[i] = new ui_preview_plot_t();
        tool_form_put_plot(boxes[i], plots[i], 2);
        plots[i]->set_grid_show(true);
        plots[i]->set_yaxis_show(true);
        plots[i]->set_yleft_scale(-1.0f, 1.0f);
        zones[i] = new QwtPlotZoneItem();
        zones[i]->setOrientation(Qt::Vertical);
        zones[i]->setPen(QPen(Qt::white));
        zones[i]->setBrush(QBrush(Qt::white, Qt::SolidPattern));
        zones[i]->setVisible(false);
        zones[i]->attach(plots[i]);
    }
}

void ui_wvmath_form_t::set_style_names()
{
    setObjectName("normal_widget");
    form->btn_ok->setObjectName("normal_button");
    form->btn_cancel->setObjectName("normal_button");
    library_comb->setObjectName("normal_comb");
    for (QRadioButton *r : {rdbtn_library, rdbtn_value, rdbtn_clipboard, form->rdbtn_add, form->rdbtn_sub,
                            form->rdbtn_mul, form->rdbtn_div})
        r->setObjectName("normal_rdbtn");
    for (QGroupBox *g : {form->gpbx_sel_wv, form->gpbx_wv_src, form->gpbx_result_wv, form->gpbx_wv_src_parm,
                         form->gpbx_oper})
        g->setObjectName("normal_gpbx");
    for (ui_preview_plot_t *p : plots)
        p->canvas()->setObjectName("BACKGROUND_BLACK");
}

// ---- the source ----

int32 ui_wvmath_form_t::_update_source_wv(int32 refresh)
{
    switch (source_kind) {
    case 0:
        if (!library_ready && generate_library_source() == 3)
            return 3;
        source = &library_wv_data;
        source_range = library_range;
        break;
    case 1:
        if (build_value_source() == 3)
            return 3;
        break;
    default: {
        const int32 r = build_clipboard_source();
        if (r != 0)
            return r;
        break;
    }
    }
    _update_oper_state();
    if (refresh == 0)
        plot_selected_wave();
    else
        plots[0]->update_plot();
    plot_source_wave();
    _calc_result_wv();
    return 0;
}

int32 ui_wvmath_form_t::generate_library_source()
{
    const int32 r = std_form->_create_wave_data();
    if (r == 3 || r == CFG_GEN_NO_MEMORY)
        return 3;
    if (r != 0)
        return 0;
    cfg_if_wv_t *wave = std_form->get_wave_object();
    if (!library_wv_data.assign(*wave->get_wv_data()))
        return 3;
    library_range = {double(*wave->get_low_level()), double(*wave->get_high_level())};
    library_view.clear();
    library_ready = true;
    return 0;
}

int32 ui_wvmath_form_t::build_value_source()
{
    const double v = value_frame->get_value();
    source_range = {v, v};
    // A file of zero codes costs nothing to make: it is grown, never written.
    value_wv_data.clear();
    value_wv_data.resize(points, 0);
    if (value_wv_data.samples.size() != points)
        return 3;
    value_wv_data.amp = 2.0f;
    value_wv_data.offset = static_cast<float>(v);
    source = &value_wv_data;
    return 0;
}

// The copy buffer at the selection's start, 0 V elsewhere. A copy buffer whose range holds
// 0 V keeps its own scale and codes; any other one (constant, or wholly above or below
// 0 V) is carried over in volts into a scale stretched to take in 0 V.
int32 ui_wvmath_form_t::build_clipboard_source()
{
    const double start = selection.start, end = selection.end;
    const double last = double(points) - 1.0;
    if (!(start >= 0.0 && start <= last && end >= 0.0 && end <= last)) {
        tool_form_show_info(this, tr("The data in the clipboard is too large."));
        return 2;
    }
    if (!clipboard_ready) {
        const int32 r = fill_clipboard_source(static_cast<uint32>(start));
        if (r != 0)
            return r;
        clipboard_ready = true;
    }
    source = &clipboard_source_wv_data;
    return 0;
}

int32 ui_wvmath_form_t::fill_clipboard_source(uint32 first)
{
    const float t = clipboard_wv_data.amp, o = clipboard_wv_data.offset;
    const float u = o - t / 2.0f;
    const float hi = std::max(o + t / 2.0f, 0.0f), lo = std::min(u, 0.0f);
    const bool own_scale = t > 0.0f && u <= 0.0f && o + t / 2.0f >= 0.0f;
    float amp = hi - lo, offset = (hi + lo) / 2.0f;
    short int fill = 0;
    if (own_scale) {
        const float x = u < 0.0f ? std::fabs(u) : 0.0f;
        fill = lib_to_int16_sat(x / t * 65534.0f - 32767.0f);
    } else {
        amp = std::max(amp, 0.1f);
        fill = volt_to_sample(0.0f, amp, offset);
    }
    lib_wv_data_t<short int> &dst = clipboard_source_wv_data;
    dst.clear();
    dst.resize(points, fill);
    if (dst.samples.size() != points)
        return 3;
    const uint32 count = std::min(clipboard_wv_data.samples.size(), points - first);
    const uint32 block = std::min<uint32>(count, 1u << 20);
    std::unique_ptr<short int[]> buffer = lib_alloc_array<short int>(std::max<uint32>(block, 1));
    if (!buffer)
        return 3;
    for (uint32 done = 0; done < count;) {
        const uint32 n = clipboard_wv_data.samples.read(done, buffer.get(), std::min(block, count - done));
        if (n == 0)
            return 3;
        if (!own_scale)
            for (uint32 i = 0; i < n; ++i)
                buffer[i] = volt_to_sample(sample_to_volt(buffer[i], t, o), amp, offset);
        dst.samples.write(first + done, buffer.get(), n);
        done += n;
    }
    if (dst.samples.size() != points)
        return 3;
    dst.amp = amp;
    dst.offset = offset;
    return 0;
}

// ---- the result ----

bool ui_wvmath_form_t::is_division_allowed() const
{
    if (source_kind == 2)
        return clipboard_one_signed;
    return is_range_same_sign(source_range);
}

bool ui_wvmath_form_t::is_range_same_sign(range_data_t range) const { return range.start * range.end > 0.0; }

bool ui_wvmath_form_t::is_wv_data_same_sign(lib_wv_file_buffer_t<short int> &samples, uint32 count) const
{
    const ui_range_t codes = plots[0]->get_wv_data_range(samples, count);
    return codes.first * codes.second > 0.0;
}

void ui_wvmath_form_t::set_source_kind(int32 kind)
{
    if (kind >= 0 && kind <= 2)
        source_kind = kind;
}

void ui_wvmath_form_t::set_operation(int32 op)
{
    if (op >= 0 && op <= 3)
        operation = op;
}

void ui_wvmath_form_t::set_last_library_index(int32 index)
{
    if (index >= 0 && index <= 10)
        last_library_index = index;
}

void ui_wvmath_form_t::_calc_result_wv()
{
    const uint32 n = document ? document->samples.size() : 0;
    show_zones();
    result_ready = false;
    calc_status = 0;
    if (n > 0 && source && (operation != 3 || is_division_allowed())) {
        calc_status = lib_math_get_data_by(static_cast<lib_math_op_t>(operation), document, source,
                                           &result_wv_data, {0.0, double(n)});
        if (calc_status == 0)
            result_ready = true;
        else
            emit system_info_signal(calc_status == -2 ? 0 : 1);
    }
    plot_result_wave();
    form->btn_ok->setEnabled(result_ready);
}

void ui_wvmath_form_t::_update_oper_state()
{
    if (points == 0) {
        for (QRadioButton *r : {form->rdbtn_add, form->rdbtn_sub, form->rdbtn_mul, form->rdbtn_div})
            r->setEnabled(false);
        return;
    }
    for (QRadioButton *r : {form->rdbtn_add, form->rdbtn_sub, form->rdbtn_mul})
        r->setEnabled(true);
    form->rdbtn_div->setEnabled(is_division_allowed());
}

void ui_wvmath_form_t::_update_source_state()
{
    library_comb->setEnabled(rdbtn_library->isChecked());
    value_frame->setEnabled(rdbtn_value->isChecked());
}

// ---- plots ----

void ui_wvmath_form_t::show_zones()
{
    const bool shown = source_kind == 2;
    for (int i = 0; i < 3; ++i) {
        zones[i]->setVisible(shown);
        if (shown)
            zones[i]->setInterval(plot_get_display_index(plots[i], points, selection.start),
                                  plot_get_display_index(plots[i], points, selection.end));
    }
}

namespace {

void scale_to_record(ui_preview_plot_t *plot, const lib_wv_data_t<short int> &data)
{
    plot->set_grid_show(true);
    plot->set_yaxis_show(true);
    plot->set_yleft_scale_clamped(data.offset - data.amp / 2.0f, data.offset + data.amp / 2.0f);
}

} // namespace

void ui_wvmath_form_t::plot_selected_wave()
{
    show_zones();
    if (!document)
        return;
    scale_to_record(plots[0], *document);
    plot_load_waveform(plots[0], document, points, k_display_points);
}

// A source keeps its display points until it is rebuilt: switching back to it, or to a
// constant, reads no samples for the picture.
void ui_wvmath_form_t::plot_source_wave()
{
    show_zones();
    if (!source)
        return;
    scale_to_record(plots[1], *source);
    const uint32 n = source->samples.size();
    const uint32 shown = n > 10 * k_display_points ? k_display_points : n;
    std::vector<short int> *view = source == &library_wv_data     ? &library_view
                                   : source == &clipboard_source_wv_data ? &clipboard_view
                                                                         : nullptr;
    std::vector<short int> zeros;
    if (!view) {
        zeros.assign(shown, 0); // the constant source: code 0 throughout
        view = &zeros;
    } else if (view->size() != shown) {
        const bool read = n > 10 * k_display_points ? lib_math_extract_data_to_vector(source, *view, k_display_points)
                                                    : (source->read_all(*view), true);
        if (!read || view->size() != shown) {
            view->clear();
            plot_load_waveform_vector(plots[1], source, k_display_points);
            return;
        }
    }
    plots[1]->set_index_range(0, n > 0 ? n - 1 : 0);
    plots[1]->plot_wv_data(*view, true);
    plots[1]->update_plot();
}

void ui_wvmath_form_t::plot_result_wave()
{
    // Without a result the store stands for the source, as it was built.
    lib_wv_data_t<short int> *shown = result_ready ? &result_wv_data : source;
    if (!shown)
        return;
    scale_to_record(plots[2], *shown);
    plot_load_waveform_vector(plots[2], shown, k_display_points);
}

// ---- slots ----

void ui_wvmath_form_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == form->btn_ok)
        emit btn_info_signal(this, 3);
    else if (s == form->btn_cancel)
        emit btn_info_signal(this, 2);
    else if (s == rdbtn_library)
        source_radio_clicked(0);
    else if (s == rdbtn_value)
        source_radio_clicked(1);
    else if (s == rdbtn_clipboard)
        source_radio_clicked(2);
    else if (s == form->rdbtn_add)
        operation_clicked(0);
    else if (s == form->rdbtn_sub)
        operation_clicked(1);
    else if (s == form->rdbtn_mul)
        operation_clicked(2);
    else if (s == form->rdbtn_div)
        operation_clicked(3);
}

void ui_wvmath_form_t::source_radio_clicked(int32 kind)
{
    const int32 previous = source_kind;
    source_kind = kind;
    _update_source_state();
    const int32 r = _update_source_wv(1);
    if (r == 0) {
        _update_oper_state();
        return;
    }
    if (r == 2) {
        source_kind = previous;
        QRadioButton *radios[3] = {rdbtn_library, rdbtn_value, rdbtn_clipboard};
        radios[previous]->setChecked(true);
        _update_source_state();
        show_zones();
        plots[0]->update_plot();
        return;
    }
    // Nothing was built for the new choice: the result of the old one no longer matches
    // what the dialog shows.
    result_ready = false;
    form->btn_ok->setEnabled(false);
    emit system_info_signal(0);
}

void ui_wvmath_form_t::operation_clicked(int32 op)
{
    // The source stays as it is: only the result is recomputed.
    operation = op;
    _calc_result_wv();
}

void ui_wvmath_form_t::spinb_pram_change_slot_func(double)
{
    if (sender() != value_frame || source_kind != 1)
        return;
    if (_update_source_wv(1) == 3) {
        result_ready = false;
        form->btn_ok->setEnabled(false);
        emit system_info_signal(0);
    }
}

void ui_wvmath_form_t::wv_comb_slot_func(int index)
{
    if (index < 0 || index > 10)
        return;
    std_form->ui_property_t::set_wave_type(static_cast<lib_wv_type_t>(index));
    std_form->set_wave_type(index);
    std_form->show();
}

void ui_wvmath_form_t::std_wv_form_btn_slot_func(ui_stdwvform_t *sender_form, int32 btn)
{
    qDebug() << "ui_wvmath_form_t::std_wv_form_btn_slot_func:" << btn;
    if (!sender_form)
        return;
    if (btn == 2) {
        std_form->update_preview();
        library_comb->setCurrentIndex(last_library_index);
        sender_form->close();
        return;
    }
    if (btn != 3)
        return;
    last_library_index = library_comb->currentIndex();
    library_ready = false;
    if (generate_library_source() == 3 || (source_kind == 0 && _update_source_wv(1) == 3)) {
        result_ready = false;
        form->btn_ok->setEnabled(false);
        emit system_info_signal(0);
    }
    sender_form->close();
}

bool ui_wvmath_form_t::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == std_form && event->type() == QEvent::Close) {
        std_form->update_preview();
        library_comb->setCurrentIndex(last_library_index);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ui_wvmath_form_t::arith_math_form_btn_slot_func(ui_wvmath_form_t *type, int32 btn)
{
    emit arith_math_form_btn_signal(type, btn);
}

void ui_wvmath_form_t::closeEvent(QCloseEvent *event)
{
    emit arith_math_form_btn_signal(this, 8);
    QWidget::closeEvent(event);
}

int32 ui_wvmath_form_t::_get_data_by_add(const lib_wv_data_t<short int> *a, uint32 n, lib_wv_data_t<short int> *b,
                                         range_data_t range)
{
    return lib_math_get_data_by_add(a, n, b, range);
}

int32 ui_wvmath_form_t::_get_data_by_sub(const lib_wv_data_t<short int> *a, uint32 n, lib_wv_data_t<short int> *b,
                                         range_data_t range)
{
    return lib_math_get_data_by_sub(a, n, b, range);
}

int32 ui_wvmath_form_t::_get_data_by_mul(const lib_wv_data_t<short int> *a, uint32 n, lib_wv_data_t<short int> *b,
                                         range_data_t range)
{
    return lib_math_get_data_by_mul(a, n, b, range);
}

int32 ui_wvmath_form_t::_get_data_by_div(const lib_wv_data_t<short int> *a, uint32 n, lib_wv_data_t<short int> *b,
                                         range_data_t range)
{
    return lib_math_get_data_by_div(a, n, b, range);
}
