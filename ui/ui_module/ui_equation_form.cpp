#include "ui_equation_form.h"

#include "cfg_instr_limit.h"
#include "cfg_safe_save.h"
#include "lib_equation_compile.h"
#include "lib_file_io.h"
#include "lib_path.h"
#include "ui_combx.h"
#include "ui_coustom_comb.h"
#include "ui_dialog_provider.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_equation_form_form.h"
#include "ui_plot_loader.h"
#include "ui_plot_utils.h"
#include "ui_preview_plot.h"
#include "ui_tool_form_util.h"
#include "ui_unit.h"
#include "ui_xp_scale_draw.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <qwt_plot_canvas.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace {

const char *const k_keypad[7][6] = {
    {"sin()", "sinh()", "asin()", "cos()", "cosh()", "acos()"},
    {"tan()", "tanh()", "atan()", "exp()", "log()", "sqrt()"},
    {"fabs()", "ceil()", "floor()", "range()", "k(0-9)", "pi"},
    {"7", "8", "9", "+", "-", ","},
    {"4", "5", "6", "*", "/", "clr"},
    {"1", "2", "3", "^", "=", "delete"},
    {"0", "x", ".", "(", ")", "enter"},
};

const char *const k_equation_filter = "equa(*.equa)";

} // namespace

ui_equation_form_t::ui_equation_form_t(QWidget *parent, cfg_if_wv_t *wave, bool has_current)
    : QWidget(parent), init_status(0), preview_plot(new ui_preview_plot_t()), x_range_start(0.0),
      x_range_end(0.0), value_min(0.0), value_max(0.0), result_shared(false), form(new Ui_ui_equation_form_t), samples_frame(nullptr),
      freq_frame(nullptr), instr_model_form(tr("Instrument Model:"))
{
    form->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint) | Qt::Dialog);
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);

    const instr_zqw_t model = has_current ? wave->get_instr_type() : instr_model_form.get_instr_type();
    param_wv.set_instr_type(model);
    param_wv.set_wv_len(std::min(*instr_get_editor_max_wv_len(model), *wave->get_wv_len()));
    param_wv.set_freq(*wave->get_freq());

    init_keypad();
    init_settings();
    form->btn_ok->setEnabled(false);
    set_style_names();
    for (QPushButton *b : {form->btn_open, form->btn_save, form->btn_compile, form->btn_ok, form->btn_cancle})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    for (QPushButton *k : keys)
        connect(k, SIGNAL(clicked()), this, SLOT(cmd_btn_slot_func()));
    connect(samples_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(freq_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(&instr_model_form, SIGNAL(instr_change_info_signal(instr_zqw_t, lib_ch_t)), this,
            SLOT(instr_comb_slot_func(instr_zqw_t, lib_ch_t)));
    connect(this, SIGNAL(btn_info_signal(ui_equation_form_t *, int32)), this,
            SLOT(equation_form_btn_slot_func(ui_equation_form_t *, int32)));
    update_points_notes();

    x_range_start = 0.0;
    x_range_end = double(get_samples_int()) - 1.0;
    form->ptedit_cmd->setPlainText(tr("#Input equations here") + "\n");
    form->ptedit_cmd->moveCursor(QTextCursor::End);
    form->ptedit_status->setContextMenuPolicy(Qt::NoContextMenu);
    init_preview();
    value_min = 0.0;
    value_max = 0.0;
    result_wv_data.clear();
}

ui_equation_form_t::~ui_equation_form_t()
{
    delete samples_frame;
    delete freq_frame;
    if (result_shared)
        tool_form_give_back_samples(result_wv_data);
    result_wv_data.clear();
    delete form;
}

void ui_equation_form_t::init_keypad()
{
    auto *grid = new QGridLayout(form->gpbx_cmd);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->setContentsMargins(10, 4, 10, 4);
    // Six keys to a row leave no room for the usual side padding of "range()".
    form->gpbx_cmd->setStyleSheet("QPushButton#normal_button { padding: 2px 1px; }");
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 6; ++c) {
            auto *b = new QPushButton(QString::fromLatin1(k_keypad[r][c]));
            b->setFocusPolicy(Qt::NoFocus);
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            grid->addWidget(b, r, c);
            keys << b;
        }
}

void ui_equation_form_t::init_settings()
{
    samples_frame = new ui_dspinbx_frame_t(true, UI_UNIT_POINTS, true, tr("Samples:"), false);
    samples_frame->dspinbox->setDecimals(0);
    freq_frame = new ui_dspinbx_frame_t(false, UI_UNIT_FREQ, true, tr("Frequency:"), false);
    freq_frame->dspinbox->setDecimals(3);
    for (ui_dspinbx_frame_t *f : {samples_frame, freq_frame}) {
        f->set_frame_height(31);
        f->set_unit_width(60);
        f->label->setObjectName("normal_label");
    }
    // The two frames' captions take one width, so their boxes line up.
    const int caption = std::max(samples_frame->label->sizeHint().width(), freq_frame->label->sizeHint().width());
    samples_frame->label->setFixedWidth(caption);
    freq_frame->label->setFixedWidth(caption);
    instr_model_form.setFixedHeight(31);
    instr_model_form.model_comb->setFixedSize(120, 31);
    for (ui_coustom_comb_t *c : {instr_model_form.two_ch_comb, instr_model_form.one_ch_comb, instr_model_form.four_ch_comb})
        c->setFixedSize(60, 31);

    auto *grid = new QGridLayout(form->gpbx_settings);
    grid->setMargin(0);
    grid->setHorizontalSpacing(35);
    grid->setVerticalSpacing(15);
    grid->setContentsMargins(10, 5, 0, 15);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(samples_frame, 0, 0);
    grid->addWidget(&instr_model_form, 0, 1, 1, 2);
    grid->addWidget(freq_frame, 1, 0);
    instr_model_form.set_instr_type(param_wv.get_instr_type());
    apply_instr_limits();
}

void ui_equation_form_t::init_preview()
{
    auto *frame = new QFrame();
    auto *inner = new QGridLayout(frame);
    inner->setContentsMargins(0, 0, 0, 5);
    inner->setSpacing(0);
    inner->addWidget(preview_plot, 0, 0);
    auto *outer = new QHBoxLayout(form->gpbx_preview);
    outer->setMargin(2);
    outer->addWidget(frame);
    const uint32 n = get_samples();
    const uint32 last = n > 0 ? n - 1 : 0;
    preview_plot->set_grid_show(true);
    preview_plot->set_axis_show(true);
    preview_plot->set_time_scale_show(false);
    preview_plot->set_index_range(0, last);
    preview_plot->set_xbottom_scale(0.0f, float(last));
    preview_plot->set_yleft_scale(-1.0f, 1.0f);
    preview_plot->canvas()->setObjectName("BACKGROUND_BLACK");
    preview_plot->update_plot();
}

void ui_equation_form_t::set_style_names()
{
    setObjectName("normal_widget");
    form->ptedit_cmd->setObjectName("normal_ptedit");
    form->ptedit_status->setObjectName("normal_ptedit");
    for (QPushButton *b : {form->btn_open, form->btn_save, form->btn_compile, form->btn_ok, form->btn_cancle})
        b->setObjectName("normal_button");
    for (QPushButton *k : keys)
        k->setObjectName("normal_button");
    for (QGroupBox *g : {form->gpbx_equation, form->gpbx_status, form->gpbx_cmd, form->gpbx_settings,
                         form->gpbx_notes, form->gpbx_preview})
        g->setObjectName("normal_gpbx");
    for (QLabel *l : {form->label_min_points, form->label_value_min_points, form->label_max_points,
                      form->label_value_max_points})
        l->setObjectName("normal_label");
}

QPushButton *ui_equation_form_t::get_key(const QString &caption) const
{
    for (QPushButton *k : keys)
        if (k->text() == caption)
            return k;
    return nullptr;
}

float ui_equation_form_t::get_frequency() const { return static_cast<float>(freq_frame->get_value()); }

uint32 ui_equation_form_t::get_samples() const
{
    const double v = samples_frame->get_value();
    if (!(v > 0.0))
        return 0;
    return v >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32>(v);
}

int32 ui_equation_form_t::get_samples_int() const
{
    const double v = samples_frame->get_value();
    return v >= 2147483647.0 ? 2147483647 : (v > 0.0 ? static_cast<int32>(v) : 0);
}

void ui_equation_form_t::set_result_wv_data(const lib_wv_data_t<short int> &data)
{
    if (&data == &result_wv_data)
        return;
    result_wv_data = data;
    result_shared = true;
}

int32 ui_equation_form_t::resize_result_wv_data(uint32 count)
{
    // One pass over the file: appending zeros one by one would take as long as the count.
    result_wv_data.resize(count, 0);
    return 0;
}

int32 ui_equation_form_t::set_x_range(int32 start, int32 end)
{
    x_range_start = start;
    x_range_end = end;
    return 0;
}

void ui_equation_form_t::set_samples_snapped(uint32 points)
{
    uint32 n = points;
    if (param_wv.get_instr_type() == INSTR_ZQW5000 && n != 16384 && n != 524288) {
        if (n < 16384)
            n = 16384;
        else if (n > 524288)
            n = 524288;
        else
            n = n > *param_wv.get_wv_len() ? 524288 : 16384;
    }
    param_wv.set_wv_len(n);
    disconnect(samples_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    samples_frame->unit_combx->reset_unit();
    samples_frame->dspinbox->setValue(n);
    connect(samples_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
}

void ui_equation_form_t::init_keyword_list()
{
    keyword_list = QStringList{"sin", "cos", "exp", "lob", "abs", "min", "max", "sqrt", "round", "range", "rand"};
}

int32 ui_equation_form_t::is_keyword(const QString &text) const
{
    return keyword_list.contains(text) || keyword_list2.contains(text) ? 1 : 0;
}

// ---- model and limits ----

void ui_equation_form_t::apply_instr_limits()
{
    const instr_zqw_t model = param_wv.get_instr_type();
    const lib_ch_t ch = param_wv.get_ch();
    const uint32 n = *param_wv.get_wv_len();
    samples_frame->set_min_value(*instr_get_min_wv_len(model, ch));
    samples_frame->set_max_value(*instr_get_editor_max_wv_len(model));
    samples_frame->unit_combx->reset_unit();
    samples_frame->dspinbox->setValue(n);
    freq_frame->set_min_value(*instr_get_min_freq(model));
    freq_frame->set_max_value(instr_get_max_freq(model, param_wv.get_wv_mode(), n));
    freq_frame->unit_combx->reset_unit();
    freq_frame->dspinbox->setValue(static_cast<float>(*param_wv.get_freq()));
}

void ui_equation_form_t::update_samples_enabled()
{
    const int model = static_cast<int>(param_wv.get_instr_type());
    if (model >= 0 && model <= 6)
        samples_frame->setEnabled(true);
    else if (model >= 7 && model <= 9)
        samples_frame->setEnabled(false);
}

void ui_equation_form_t::update_points_notes()
{
    const instr_zqw_t model = param_wv.get_instr_type();
    form->label_value_min_points->setText(QString::number(*instr_get_min_wv_len(model, param_wv.get_ch())));
    form->label_value_max_points->setText(QString::number(*instr_get_editor_max_wv_len(model)));
}

void ui_equation_form_t::instr_comb_slot_func(instr_zqw_t instr_type, lib_ch_t ch)
{
    param_wv.set_instr_type(instr_type);
    param_wv.set_ch(ch);
    param_wv.reset_wv_mode();
    apply_instr_limits();
    update_samples_enabled();
    update_points_notes();
}

void ui_equation_form_t::spinb_pram_change_slot_func(double value)
{
    QObject *s = sender();
    if (s == freq_frame) {
        param_wv.set_freq(value);
    } else if (s == samples_frame) {
        const uint32 n = value > 0.0 ? (value >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32>(value)) : 0;
        param_wv.set_wv_len(n);
    }
}

// ---- compiling ----

int32 ui_equation_form_t::compile_equations(int32 *line)
{
    QStringList lines;
    const QTextDocument *doc = form->ptedit_cmd->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines << b.text();
    const int32 n = get_samples_int();
    lib_equation_span_t span{x_range_start, x_range_end, value_min, value_max};
    const int32 status = lib_equation_compile(lines, n, &result_wv_data, line, &span);
    x_range_start = span.x_range_start;
    x_range_end = span.x_range_end;
    value_min = span.value_min;
    value_max = span.value_max;
    return status;
}

void ui_equation_form_t::refresh_preview()
{
    float y_min = static_cast<float>(value_min), y_max = static_cast<float>(value_max);
    if (y_min == y_max) {
        const float h = static_cast<float>(value_min) * 0.5f;
        y_min = static_cast<float>(value_min) - h;
        y_max = static_cast<float>(value_min) + h;
    }
    ui_xp_scale_draw_t *scale = preview_plot->get_xp_scale_draw();
    scale->set_wave_freq(get_frequency());
    scale->set_wave_points(get_samples());
    plot_load_waveform_yrange(preview_plot, &y_max, &y_min, &result_wv_data, 3000);
}

void ui_equation_form_t::show_compile_result(int32 status, int32 line)
{
    const QString where = QString::number(status) + "\n" + tr("Error in line: ") + QString::number(line);
    QString text;
    switch (status) {
    case 30:
        text = tr("System Error.    error index: ") + where;
        break;
    case 31:
        text = tr("Character Error.    error index: ") + where;
        break;
    case 32:
        text = tr("Function Error.    error index: ") + where;
        break;
    case 33:
        text = tr("Function Error in parameter.   error index: ") + where;
        break;
    case 34:
        text = tr("No valid equations.");
        break;
    case 36:
        text = tr("The parameter is out of range. The argument has to be: \nx2 > x1 >= 1 and x2 <= Samples \nerror "
                  "index: ") +
               where;
        break;
    default:
        text = status > 37 ? tr("Compile Successfully.") : tr("Error occurred. error index: ") + where;
        break;
    }
    form->ptedit_status->clear();
    form->ptedit_status->setPlainText(text);
    form->ptedit_status->setStyleSheet(status > 37 ? "color: rgb(0, 255, 0);" : "color: rgb(255, 102, 102);");
}

// ---- buttons and keypad ----

void ui_equation_form_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == form->btn_ok) {
        emit btn_info_signal(this, 3);
    } else if (s == form->btn_cancle) {
        emit btn_info_signal(this, 2);
    } else if (s == form->btn_compile) {
        int32 line = 0;
        const int32 status = compile_equations(&line);
        if (status > 37)
            refresh_preview();
        form->btn_ok->setEnabled(status > 37);
        show_compile_result(status, line);
    } else if (s == form->btn_open) {
        open_equation_file();
    } else if (s == form->btn_save) {
        save_equation_file();
    }
}

void ui_equation_form_t::cmd_btn_slot_func()
{
    auto *key = qobject_cast<QPushButton *>(sender());
    if (!key || !keys.contains(key))
        return;
    const QString caption = key->text();
    if (caption == "clr")
        form->ptedit_cmd->clear();
    else if (caption == "delete")
        delete_editor_text();
    else if (caption == "enter")
        form->ptedit_cmd->textCursor().insertText("\n");
    else
        insert_editor_text(caption);
    form->ptedit_cmd->setFocus();
}

void ui_equation_form_t::insert_editor_text(const QString &text)
{
    QTextCursor cursor = form->ptedit_cmd->textCursor();
    cursor.insertText(text);
    form->ptedit_cmd->setTextCursor(cursor);
}

void ui_equation_form_t::delete_editor_text()
{
    QTextCursor cursor = form->ptedit_cmd->textCursor();
    if (!cursor.hasSelection() && cursor.atStart())
        return;
    cursor.deletePreviousChar();
    form->ptedit_cmd->setTextCursor(cursor);
}

void ui_equation_form_t::equation_form_btn_slot_func(ui_equation_form_t *type, int32 btn)
{
    emit equation_form_btn_signal(type, btn);
}

// ---- ".equa" files ----

void ui_equation_form_t::open_equation_file()
{
    const QString path =
        ui_dialog_provider().get_open_file_name(this, tr("Open"), get_last_file_path(), k_equation_filter);
    if (path.isEmpty())
        return;
    set_last_file_path(path);
    const std::string bytes_path = lib_file_path_bytes(path);
    lib_fd_t fd = lib_open_read(bytes_path);
    const std::int64_t len = fd.ok() ? lib_file_length(bytes_path) : -1;
    QByteArray bytes;
    bool read = len >= 0;
    if (read) {
        try {
            bytes.resize(static_cast<int>(std::min<std::int64_t>(len, 0x7FFFFFFF)));
        } catch (const std::bad_alloc &) {
            read = false;
        }
    }
    if (read && lib_pread_all(fd.get(), bytes.data(), std::size_t(bytes.size()), 0) != std::size_t(bytes.size()))
        read = false;
    if (!read) {
        // The text in the editor stays: a file that could not be had replaces nothing.
        tool_form_show_info(this, tr("The file could not be read."));
        return;
    }
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    form->ptedit_cmd->setPlainText(QString::fromUtf8(bytes));
}

void ui_equation_form_t::save_equation_file()
{
    const QString path =
        ui_dialog_provider().get_save_file_name(this, tr("Save As"), get_last_file_path(), k_equation_filter);
    if (path.isEmpty())
        return;
    set_last_file_path(path);
    const QByteArray text = form->ptedit_cmd->toPlainText().toUtf8();
    // Written beside the old file and put in its place only when whole.
    cfg_safe_save_t save;
    if (save.open(lib_file_path_bytes(path)) != 0 || !save.write(text.constData(), std::size_t(text.size())) ||
        save.commit() != 0)
        tool_form_show_info(this, tr("The file could not be saved."));
}
