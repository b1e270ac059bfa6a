#include "ui_wv_settings.h"

#include "cfg_instr_limit.h"
#include "lib_diag.h"
#include "ui_application.h"
#include "ui_combx.h"
#include "ui_coustom_comb.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_meta_types.h"
#include "ui_prompt.h"
#include "ui_window_counter.h"
#include "ui_wv_settings_form.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegExp>
#include <QVBoxLayout>

ui_wv_settings_t::ui_wv_settings_t(QWidget *parent)
    : QDialog(parent), ui(new Ui_ui_wv_settings_t), m_name_edit(nullptr), m_mode_comb(nullptr),
      m_len_comb(nullptr), m_len_16k_comb(nullptr), m_len_16k_512k_comb(nullptr),
      m_points_frame(nullptr), m_freq_frame(nullptr),
      m_model_form(QCoreApplication::translate("ui_instr_model_form_t", "Instrument Model:"))
{
    ui_register_meta_types();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint &
                    ~Qt::WindowContextHelpButtonHint) |
                   Qt::Dialog);
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);
    init_form();
    m_wave.set_clear_on_release(1);
}

ui_wv_settings_t::~ui_wv_settings_t()
{
    QObject::disconnect(m_points_frame, nullptr, this, nullptr);
    QObject::disconnect(m_freq_frame, nullptr, this, nullptr);
    delete m_points_frame;
    delete m_freq_frame;
    delete ui;
}

QString ui_wv_settings_t::get_wave_name() const { return m_name_edit->text(); }

QString ui_wv_settings_t::default_name() const
{
    return g_wave_name_stem + QString::number(g_window_counter);
}

void ui_wv_settings_t::init_form()
{
    init_instr_layout();
    init_param_widgets();
    init_connections();
    init_style();
    update_param_limits();
    m_name_edit->setText(default_name());
}

void ui_wv_settings_t::init_instr_layout()
{
    QGridLayout *grid = new QGridLayout(ui->gpbx_instr);
    grid->setMargin(0);
    grid->setSpacing(0);
    grid->setContentsMargins(10, 0, 0, 0);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(&m_model_form, 0, 0);
    m_model_form.setFixedHeight(31);
    m_model_form.model_comb->setFixedSize(200, 31);
    for (ui_coustom_comb_t *c : {m_model_form.four_ch_comb, m_model_form.two_ch_comb, m_model_form.one_ch_comb})
        c->setFixedSize(60, 31);
    m_wave.set_instr_type(m_model_form.get_instr_type());
}

void ui_wv_settings_t::init_param_widgets()
{
    auto label = [](const QString &text) {
        QLabel *l = new QLabel(text);
        l->setObjectName("normal_label");
        return l;
    };
    m_name_edit = new QLineEdit;
    m_mode_comb = new ui_combx_t(0);
    m_mode_comb->addItem(tr("Fixed"), 0);
    m_mode_comb->addItem(tr("Variable"), 1);
    m_mode_comb->setCurrentIndex(0);
    m_len_comb = new ui_combx_t(0);
    m_len_comb->addItem("16384(16k)", 0);
    m_len_comb->addItem("32768(32k)", 1);
    m_len_comb->addItem("524288(512k)", 2);
    m_len_comb->setCurrentIndex(0);
    m_len_16k_comb = new ui_combx_t(0);
    m_len_16k_comb->addItem("16384(16k)", 0);
    m_len_16k_comb->setCurrentIndex(0);
    m_len_16k_512k_comb = new ui_combx_t(0);
    m_len_16k_512k_comb->addItem("16384(16k)", 0);
    m_len_16k_512k_comb->addItem("524288(512k)", 2);
    m_len_16k_512k_comb->setCurrentIndex(0);
    m_points_frame = new ui_dspinbx_frame_t(false, 5, true, QString(), false);
    m_points_frame->dspinbox->setDecimals(0);
    m_freq_frame = new ui_dspinbx_frame_t(false, 1, true, QString(), false);
    m_freq_frame->dspinbox->setDecimals(3);

    m_name_edit->setFixedSize(200, 30);
    for (ui_combx_t *c : {m_len_comb, m_len_16k_comb, m_len_16k_512k_comb})
        c->setFixedSize(200, 30);
    m_mode_comb->setFixedHeight(30);
    for (ui_dspinbx_frame_t *f : {m_points_frame, m_freq_frame}) {
        f->setFixedSize(200, 35);
        f->unit_combx->setFixedSize(65, 30);
        f->dspinbox->setFixedSize(130, 30);
    }
    m_name_edit->installEventFilter(this);

    QGridLayout *grid = new QGridLayout(ui->gpbx_wvform_property);
    grid->setMargin(0);
    grid->setHorizontalSpacing(15);
    grid->setVerticalSpacing(15);
    grid->setContentsMargins(10, 10, 0, 0);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(label(tr("Waveform Name:")), 0, 0);
    grid->addWidget(m_name_edit, 0, 1, 1, 4);
    grid->addWidget(label(tr("Samples:")), 1, 0);
    grid->addWidget(m_points_frame, 1, 1, 1, 4);
    grid->addWidget(m_len_comb, 1, 1, 1, 4);
    grid->addWidget(m_len_16k_comb, 1, 1, 1, 4);
    grid->addWidget(m_len_16k_512k_comb, 1, 1, 1, 4);
    grid->addWidget(m_mode_comb, 1, 5);
    grid->addWidget(label(tr("Frequency:")), 2, 0);
    grid->addWidget(m_freq_frame, 2, 1, 1, 4);
    m_points_frame->hide();
    m_len_16k_comb->hide();
    m_len_16k_512k_comb->hide();
}

void ui_wv_settings_t::init_connections()
{
    connect(ui->btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(ui->btn_cancle, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(show_keyboard()), this, SLOT(show_keyboard_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_wv_settings_t *, int32)), this,
            SLOT(wv_settings_form_btn_slot_func(ui_wv_settings_t *, int32)));
    for (ui_combx_t *c : {m_mode_comb, m_len_comb, m_len_16k_comb, m_len_16k_512k_comb})
        connect(c, SIGNAL(activated(int)), this, SLOT(comb_slot_func(int)));
    connect(m_points_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(m_freq_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    connect(&m_model_form, SIGNAL(instr_change_info_signal(instr_zqw_t, lib_ch_t)), this,
            SLOT(instr_comb_slot_func(instr_zqw_t, lib_ch_t)));
}

void ui_wv_settings_t::init_style()
{
    setObjectName("normal_widget");
    ui->gpbx_wvform_property->setObjectName("normal_gpbx");
    ui->gpbx_instr->setObjectName("normal_gpbx");
    for (QPushButton *b : {ui->btn_ok, ui->btn_cancle}) {
        b->setObjectName("normal_button");
        b->setFixedSize(100, 40);
    }
    m_len_comb->setObjectName("normal_comb");
    m_mode_comb->setObjectName("normal_comb");
    m_name_edit->setObjectName("normal_ledit");

    QWidget *buttons = new QWidget;
    QHBoxLayout *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    row->setAlignment(Qt::AlignRight);
    row->addWidget(ui->btn_ok);
    row->addWidget(ui->btn_cancle);
    QVBoxLayout *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(10);
    box->setAlignment(Qt::AlignCenter);
    box->addWidget(ui->gpbx_instr);
    box->addWidget(ui->gpbx_wvform_property);
    box->addWidget(buttons, 0, Qt::AlignRight | Qt::AlignTop);
}

void ui_wv_settings_t::update_param_limits()
{
    const instr_zqw_t model = m_wave.get_instr_type();
    const int mode = m_wave.get_wv_mode();
    const lib_ch_t ch = m_wave.get_ch();
    m_wave.reset_params();
    const uint32 points = *m_wave.get_wv_len();
    m_points_frame->set_min_value(*instr_get_min_wv_len(model, ch));
    m_points_frame->set_max_value(*instr_get_max_wv_len(model, ch));
    m_points_frame->unit_combx->reset_unit();
    m_points_frame->set_spinbox_value(points);
    m_freq_frame->set_min_value(*instr_get_min_freq(model));
    m_freq_frame->set_max_value(instr_get_max_freq(model, mode, points));
    m_freq_frame->unit_combx->reset_unit();
    m_freq_frame->set_spinbox_value(static_cast<float>(*m_wave.get_freq()));
}

void ui_wv_settings_t::instr_comb_slot_func(instr_zqw_t instr_type, lib_ch_t ch)
{
    m_wave.set_instr_type(instr_type);
    m_wave.set_ch(ch);
    m_wave.reset_wv_mode();
    update_param_limits();
    update_points_enabled();
    update_samples_widgets();
}

void ui_wv_settings_t::update_points_enabled()
{
    const int model = static_cast<int>(m_wave.get_instr_type());
    if (model >= 0 && model <= 6)
        m_points_frame->setEnabled(true);
    else if (model >= 7 && model <= 9)
        m_points_frame->setEnabled(false);
}

void ui_wv_settings_t::update_samples_widgets()
{
    const int model = static_cast<int>(m_wave.get_instr_type());
    auto show_only = [this](QWidget *w) {
        for (QWidget *x : {static_cast<QWidget *>(m_points_frame), static_cast<QWidget *>(m_len_comb),
                           static_cast<QWidget *>(m_len_16k_comb), static_cast<QWidget *>(m_len_16k_512k_comb)})
            x->setVisible(x == w);
    };
    if (m_mode_comb->currentIndex() == 1)
        show_only(m_points_frame);
    else if (model >= 0 && model <= 5)
        show_only(m_len_comb);
    else if (model == 6)
        show_only(m_len_16k_512k_comb);
    else if (model >= 7 && model <= 9)
        show_only(m_len_16k_comb);
    else
        m_points_frame->hide();
}

void ui_wv_settings_t::set_points(uint32 count)
{
    m_wave.set_wv_len(count);
    // The count is already decided: the entry must not correct it again.
    disconnect(m_points_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    m_points_frame->unit_combx->reset_unit();
    m_points_frame->set_spinbox_value(count);
    connect(m_points_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
}

void ui_wv_settings_t::comb_slot_func(int index)
{
    QObject *s = sender();
    if (s == m_mode_comb) {
        update_samples_widgets();
        if (index == 0)
            set_points(16384);
    } else if (s == m_len_comb) {
        set_points(index == 1 ? 32768u : index == 2 ? 524288u : 16384u);
    } else if (s == m_len_16k_comb) {
        set_points(16384);
    } else if (s == m_len_16k_512k_comb) {
        set_points(index == 1 ? 524288u : 16384u);
    }
}

void ui_wv_settings_t::spinb_pram_change_slot_func(double value)
{
    QObject *s = sender();
    if (s == m_freq_frame)
        m_wave.set_freq(value);
    else if (s == m_points_frame)
        set_points_from_entry(value);
}

void ui_wv_settings_t::set_points_from_entry(double value)
{
    // The entry's limits keep the value inside uint32.
    const double v = value > 0.0 ? (value < 4294967295.0 ? value : 4294967295.0) : 0.0;
    const uint32 n = static_cast<uint32>(v);
    if (m_wave.get_instr_type() != INSTR_ZQW5000) {
        m_wave.set_wv_len(n);
        return;
    }
    if (v == 16384.0 || v == 524288.0) {
        m_wave.set_wv_len(n);
        return;
    }
    uint32 chosen = 16384;
    if (v < 16384.0)
        chosen = 16384;
    else if (v > 524288.0)
        chosen = 524288;
    else
        chosen = *m_wave.get_wv_len() >= n ? 16384u : 524288u;
    disconnect(m_points_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    m_wave.set_wv_len(chosen);
    m_points_frame->set_spinbox_value(chosen);
    connect(m_points_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
}

bool ui_wv_settings_t::is_wave_name_vaild()
{
    QRegExp rule("^[a-zA-Z0-9_-]{1,18}$", Qt::CaseSensitive, QRegExp::RegExp);
    if (rule.exactMatch(m_name_edit->text()))
        return true;
    ui_prompt_t prompt(this, false);
    prompt.show_info_box(tr("The waveform name is invalid. It can be composed of numbers, letters, underscores "
                            "and minus signs. The length is 1 ~ 18 and cannot contain spaces."));
    m_name_edit->setText(default_name());
    return false;
}

void ui_wv_settings_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == ui->btn_ok) {
        if (is_wave_name_vaild())
            emit btn_info_signal(this, 3);
    } else if (s == ui->btn_cancle) {
        emit btn_info_signal(this, 2);
    }
}

void ui_wv_settings_t::wv_settings_form_btn_slot_func(ui_wv_settings_t *type, int32 btn)
{
    emit wv_settings_form_btn_signal(type, btn);
}

void ui_wv_settings_t::set_wave_name_slot_func(QString wave_name)
{
    if (is_wave_name_vaild())
        m_name_edit->setText(wave_name);
}

bool ui_wv_settings_t::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_name_edit && event->type() == QEvent::MouseButtonRelease)
        lib_diag_line("show_keyboard_slot_func");
    return false;
}

void ui_wv_settings_t::show_keyboard_slot_func() {}

void ui_wv_settings_t::close_keypad_slot_func() {}
