#include "ui_stdwvform.h"

#include "cfg_if_adwv_exp.h"
#include "cfg_if_adwv_multi_pulse.h"
#include "cfg_if_adwv_sinc.h"
#include "cfg_if_adwv_stair_step.h"
#include "cfg_if_bswv_dc.h"
#include "cfg_if_bswv_noise.h"
#include "cfg_if_bswv_pulse.h"
#include "cfg_if_bswv_ramp.h"
#include "cfg_if_bswv_sine.h"
#include "cfg_if_bswv_square.h"
#include "cfg_instr_limit.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_gpbx.h"
#include "ui_meta_types.h"
#include "ui_dspinbx_frame.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_spinbx_frame.h"
#include "ui_stdwvform_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QTableWidget>
#include <QVariant>

#include <memory>

namespace {

const char *const k_type_names[12] = {
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Sine"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Square"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Pulse"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Ramp"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Noise"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "DC"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Sinc"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Stair Step Up"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Stair Step Down"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Exponential Rise"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Exponential Fall"),
    QT_TRANSLATE_NOOP("ui_stdwvform_t", "Multi Pulse"),
};

// The generator of one standard wave type; anything else gets a sine, the one type every
// caller can show.
std::unique_ptr<cfg_if_wv_t> new_generator(int type)
{
    switch (type) {
    case LIB_WV_SQUARE: return std::make_unique<cfg_if_bswv_square_t>();
    case LIB_WV_PULSE: return std::make_unique<cfg_if_bswv_pulse_t>();
    case LIB_WV_RAMP: return std::make_unique<cfg_if_bswv_ramp_t>();
    case LIB_WV_NOISE: return std::make_unique<cfg_if_bswv_noise_t>();
    case LIB_WV_DC: return std::make_unique<cfg_if_bswv_dc_t>();
    case LIB_WV_SINC: return std::make_unique<cfg_if_adwv_sinc_t>();
    case LIB_WV_STAIR_UP: return std::make_unique<cfg_if_adwv_stair_step_t>(true);
    case LIB_WV_STAIR_DN: return std::make_unique<cfg_if_adwv_stair_step_t>(false);
    case LIB_WV_EXP_RISE: return std::make_unique<cfg_if_adwv_exp_t>(true);
    case LIB_WV_EXP_FALL: return std::make_unique<cfg_if_adwv_exp_t>(false);
    case LIB_WV_MULTI_PULSE: return std::make_unique<cfg_if_adwv_multi_pulse_t>();
    default: return std::make_unique<cfg_if_bswv_sine_t>();
    }
}

void copy_type_params(cfg_if_wv_t *to, cfg_if_wv_t *from)
{
    if (auto *s = dynamic_cast<cfg_if_bswv_square_t *>(from))
        static_cast<cfg_if_bswv_square_t *>(to)->set_duty_param(s->get_duty_param());
    else if (auto *r = dynamic_cast<cfg_if_bswv_ramp_t *>(from))
        static_cast<cfg_if_bswv_ramp_t *>(to)->set_symmetry_param(r->get_symmetry_param());
    else if (auto *p = dynamic_cast<cfg_if_bswv_pulse_t *>(from)) {
        auto *t = static_cast<cfg_if_bswv_pulse_t *>(to);
        t->set_pulse_width_param(p->get_pulse_width_param());
        t->set_rise_time_param(p->get_rise_time_param());
        t->set_fall_time_param(p->get_fall_time_param());
    } else if (auto *c = dynamic_cast<cfg_if_adwv_sinc_t *>(from))
        static_cast<cfg_if_adwv_sinc_t *>(to)->set_zero_crossing_param(c->get_zero_crossing_param());
    else if (auto *st = dynamic_cast<cfg_if_adwv_stair_step_t *>(from))
        static_cast<cfg_if_adwv_stair_step_t *>(to)->set_step_count_param(st->get_step_count_param());
    else if (auto *e = dynamic_cast<cfg_if_adwv_exp_t *>(from))
        static_cast<cfg_if_adwv_exp_t *>(to)->set_damp_factor_param(e->get_damp_factor_param());
    else if (auto *m = dynamic_cast<cfg_if_adwv_multi_pulse_t *>(from)) {
        auto *t = static_cast<cfg_if_adwv_multi_pulse_t *>(to);
        t->set_pulse_srate(m->get_pulse_srate());
        t->set_pulse_num(m->get_pulse_num());
        t->set_rise_time(m->get_rise_time());
        t->set_fall_time(m->get_fall_time());
        t->set_pulse_list(m->get_pulse_list());
    }
}

} // namespace

ui_stdwvform_t::ui_stdwvform_t(QWidget *parent, lib_wv_type_t type, uint32 points,
                               instr_zqw_t series, double frequency, int operand,
                               bool change_para, cfg_if_wv_t *existing)
    : QWidget(parent), ui_property_t(type), m_preview_plot(nullptr), m_wave(nullptr),
      m_form(nullptr), m_operand(operand != 0), m_change_para_flag(change_para),
      m_handed_over(false), m_tran_gpbx{}, m_type_comb(nullptr),
      m_model_form(tr("Instrument Model:")), m_pulse_table(nullptr)
{
    ui_register_meta_types();
    if (existing && m_change_para_flag) {
        copy_wave_object(existing);
    } else {
        create_wave_object(LIB_WV_SINE);
        m_wave->set_wv_len(points);
        m_wave->set_freq(frequency);
        m_wave->set_instr_type(series);
    }

    m_form = new Ui_ui_stdwvform_t;
    m_form->setupUi(this);
    if (!m_operand)
        setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint) |
                   Qt::Dialog);
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);
    m_form->rdbtn_amp->setChecked(true);

    init_param_frames();
    init_preview();
    for (QPushButton *b : {m_form->btn_ok, m_form->btn_cancel, m_form->btn_preview})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_stdwvform_t *, int32)), this,
            SLOT(std_wv_form_btn_slot_func(ui_stdwvform_t *, int32)));

    init_settings_row();
    if (m_change_para_flag) {
        m_model_form.set_instr_type(m_wave->get_instr_type());
        m_model_form.set_channel(m_wave->get_ch());
    } else {
        m_wave->set_instr_type(m_model_form.get_instr_type());
    }

    init_type_combo();
    init_pulse_table();
    if (get_wave_type() == LIB_WV_MULTI_PULSE)
        fill_pulse_table();

    init_param_ranges();
    load_params();
    connect_param_frames();
    connect(&m_model_form, SIGNAL(instr_change_info_signal(instr_zqw_t, lib_ch_t)), this,
            SLOT(instr_comb_slot_func(instr_zqw_t, lib_ch_t)));
    set_object_names();

    if (m_operand)
        disable_operand_controls();
    update_point_labels();
    update_preview();
}

ui_stdwvform_t::~ui_stdwvform_t()
{
    // Children go after this body; none of their last signals may reach a released generator.
    for (int i = 0; i < F_COUNT; ++i)
        QObject::disconnect(get_frame(static_cast<frame_id_t>(i)), nullptr, this, nullptr);
    if (m_wave && !m_handed_over) {
        m_wave->release_wv_data(true);
        delete m_wave;
    }
    m_wave = nullptr;
    delete m_form;
    remove_data_file();
}

cfg_if_wv_t *ui_stdwvform_t::take_wave_object()
{
    m_handed_over = true;
    return m_wave;
}

lib_wv_data_t<short int> *ui_stdwvform_t::get_wave_data() { return m_wave->get_wv_data(); }

void ui_stdwvform_t::set_points(uint32 points)
{
    m_wave->set_wv_len(points);
    set_quietly(m_points_frame, points);
}

void ui_stdwvform_t::set_sample_rate(float rate) { m_wave->set_srate(rate); }

void ui_stdwvform_t::set_frequency(float freq) { m_wave->set_freq(freq); }

void ui_stdwvform_t::disable_operand_controls()
{
    m_points_frame->setEnabled(false);
    m_freq_frame->setEnabled(false);
}

void ui_stdwvform_t::create_wave_object(int type)
{
    if (m_wave && !m_handed_over) {
        m_wave->release_wv_data(true);
        delete m_wave;
    }
    m_handed_over = false;
    m_wave = new_generator(type).release();
    m_wave->set_wv_type(static_cast<lib_wv_type_t>(type));
}

void ui_stdwvform_t::copy_wave_object(cfg_if_wv_t *src)
{
    const lib_wv_type_t type = src->get_wv_type();
    std::unique_ptr<cfg_if_wv_t> w = new_generator(type);
    copy_type_params(w.get(), src);
    w->copy_params_from(*src);
    w->set_wv_type(type);
    m_wave = w.release();
    m_handed_over = false;
}

void ui_stdwvform_t::init_type_combo()
{
    const int t = static_cast<int>(get_wave_type());
    if (t <= 12) {
        for (int i = 0; i < 12; ++i)
            m_type_comb->addItem(QIcon(), tr(k_type_names[i]), QVariant(i));
        m_type_comb->setCurrentIndex(t);
        if (!m_change_para_flag) {
            const uint32 points = *m_wave->get_wv_len();
            const instr_zqw_t model = m_wave->get_instr_type();
            const float freq = static_cast<float>(*m_wave->get_freq());
            create_wave_object(t);
            m_wave->set_wv_len(points);
            m_wave->set_instr_type(model);
            m_wave->set_freq(freq);
            _create_wave_data();
        }
    }
    if (m_change_para_flag)
        m_type_comb->setEnabled(false);
    else
        connect(m_type_comb, SIGNAL(activated(int)), this, SLOT(wv_comb_slot_func(int)));
    show_type_panel(t);
}

void ui_stdwvform_t::init_settings_row()
{
    QGridLayout *grid = new QGridLayout(m_form->gpbx_settings);
    grid->setMargin(0);
    grid->setSpacing(70);
    grid->setContentsMargins(12, 2, 0, 0);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QFrame *type_frame = new QFrame;
    QHBoxLayout *row = new QHBoxLayout(type_frame);
    row->setSpacing(5);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel *type_label = new QLabel(tr("Waveform Type:"));
    type_label->setObjectName("normal_label");
    m_type_comb = new ui_coustom_comb_t;
    m_type_comb->setFixedSize(200, 31);
    row->addWidget(type_label);
    row->addWidget(m_type_comb);
    grid->addWidget(type_frame, 0, 0);

    m_model_form.setFixedHeight(31);
    m_model_form.model_comb->setFixedSize(200, 31);
    for (ui_coustom_comb_t *c : {m_model_form.four_ch_comb, m_model_form.two_ch_comb, m_model_form.one_ch_comb})
        c->setFixedSize(80, 31);
    grid->addWidget(&m_model_form, 0, 1, 1, 6);
}

void ui_stdwvform_t::init_preview()
{
    m_preview_plot = new ui_preview_plot_t;
    QFrame *holder = new QFrame;
    QGridLayout *grid = new QGridLayout(holder);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 5);
    grid->addWidget(m_preview_plot);
    QHBoxLayout *box = new QHBoxLayout(m_form->gpbx_preview);
    box->setMargin(2);
    box->addWidget(holder);
}

void ui_stdwvform_t::set_object_names()
{
    setObjectName("normal_widget");
    for (QPushButton *b : {m_form->btn_ok, m_form->btn_cancel, m_form->btn_preview})
        b->setObjectName("normal_button");
    m_type_comb->setObjectName("normal_comb");
    m_form->rdbtn_amp->setObjectName("normal_rdbtn");
    m_form->rdbtn_max->setObjectName("normal_rdbtn");
    for (QGroupBox *g : {m_form->gpbx_note, m_form->gpbx_preview, m_form->gpbx_settings,
                         m_form->gpbx_tran, m_form->gpbx_ver, m_form->gpbx_hor})
        g->setObjectName("normal_gpbx");
    for (QLabel *l : {m_form->label_min_point, m_form->label_min_point_value,
                      m_form->label_max_point, m_form->label_max_point_value})
        l->setObjectName("normal_label");
    m_form->table_widget->setObjectName("pulse_table_widget");
    m_preview_plot->canvas()->setObjectName("BACKGROUND_BLACK");
    style()->polish(m_form->gpbx_hor);
}

void ui_stdwvform_t::update_point_labels()
{
    const instr_zqw_t model = m_wave->get_instr_type();
    const lib_ch_t ch = m_wave->get_ch();
    m_form->label_min_point_value->setText(QString::number(*instr_get_min_wv_len(model, ch)));
    m_form->label_max_point_value->setText(QString::number(*instr_get_max_wv_len(model, ch)));
}

void ui_stdwvform_t::set_wave_type(int type)
{
    m_type_comb->setCurrentIndex(type);
    const instr_zqw_t model = m_wave->get_instr_type();
    const lib_ch_t ch = m_wave->get_ch();
    const uint32 points = *m_wave->get_wv_len();
    float freq = static_cast<float>(*m_wave->get_freq());

    set_wave_type_prop(type);
    create_wave_object(type);
    if (type == LIB_WV_DC) {
        m_wave->set_amp(m_wave->get_limit_amp());
        freq = m_wave->get_limit_freq();
    }
    m_wave->set_instr_type(model);
    m_wave->set_ch(ch);
    m_wave->set_wv_len(points);
    m_wave->set_freq(freq);

    show_type_panel(type);
    load_params();
    update_points_enabled();
    if (type == LIB_WV_MULTI_PULSE)
        fill_pulse_table();
    if (m_operand)
        disable_operand_controls();
}

void ui_stdwvform_t::set_wave_type_prop(int type)
{
    ui_property_t::set_wave_type(static_cast<lib_wv_type_t>(type));
}

void ui_stdwvform_t::plot_samples()
{
    m_preview_plot->set_yleft_scale_clamped(*m_wave->get_low_level(), *m_wave->get_high_level());
    m_preview_plot->set_wave_freq(static_cast<float>(*m_wave->get_freq()));
    m_preview_plot->set_wave_points(*m_wave->get_wv_len());
    plot_load_waveform_vector(m_preview_plot, m_wave->get_wv_data(), 3000);
}

void ui_stdwvform_t::update_preview()
{
    const uint32 points = *m_wave->get_wv_len();
    m_preview_plot->set_grid_show(true);
    m_preview_plot->set_axis_show(true);
    m_preview_plot->set_wave_freq(static_cast<float>(*m_wave->get_freq()));
    m_preview_plot->set_wave_points(points);
    m_preview_plot->set_index_range(0, points > 0 ? points - 1 : 0);
    m_preview_plot->set_xbottom_scale(0.0f, static_cast<float>(points));
    m_preview_plot->canvas()->setObjectName("BACKGROUND_BLACK");
    if (m_change_para_flag) {
        m_preview_plot->set_yleft_scale_clamped(*m_wave->get_low_level(), *m_wave->get_high_level());
        plot_load_waveform_vector(m_preview_plot, m_wave->get_wv_data(), 3000);
        return;
    }
    lib_wv_data_t<short int> *data = m_wave->get_wv_data();
    data->clear();
    m_preview_plot->plot_wv_data(*data, true);
    m_preview_plot->set_yleft_scale_6(*m_wave->get_low_level(), *m_wave->get_high_level());
    m_preview_plot->replot();
}

int32 ui_stdwvform_t::_create_wave_data()
{
    const int t = static_cast<int>(get_wave_type());
    if (t < 0 || t > 11)
        return 0;
    return m_wave->create_wv_data();
}

int32 ui_stdwvform_t::create_wave_data() { return _create_wave_data(); }

void ui_stdwvform_t::show_info(const QString &text)
{
    ui_prompt_t *prompt = new ui_prompt_t(this, false);
    prompt->show_info_box(text);
    prompt->deleteLater();
}

void ui_stdwvform_t::btn_slot_func()
{
    QObject *s = sender();
    const QString bad_time = tr("Sample rate or pulse time invalid.\nPlease change and retry.");
    if (s == m_form->btn_cancel) {
        emit btn_info_signal(this, 2);
        return;
    }
    if (s == m_form->btn_ok) {
        const int32 st = _create_wave_data();
        if (st == 0) {
            m_wave->set_clear_on_release(false);
            emit btn_info_signal(this, 3);
        } else if (st == 3) {
            emit system_info_signal(0);
        } else if (st == 5) {
            show_info(bad_time);
        }
        return;
    }
    if (s == m_form->btn_preview) {
        const int32 st = _create_wave_data();
        if (st == 0)
            plot_samples();
        else if (st == 2)
            show_info(tr("Some parameters are invalid, and will adjust automatically."));
        else if (st == 3)
            emit system_info_signal(0);
        else if (st == 5)
            show_info(bad_time);
    }
}

void ui_stdwvform_t::std_wv_form_btn_slot_func(ui_stdwvform_t *type, int32 btn)
{
    emit std_wv_form_btn_signal(type, btn, m_change_para_flag);
}

void ui_stdwvform_t::wv_comb_slot_func(int index)
{
    if (index >= 0 && index < 13)
        set_wave_type(index);
}

void ui_stdwvform_t::instr_comb_slot_func(instr_zqw_t instr_type, lib_ch_t ch)
{
    if (instr_type == m_wave->get_instr_type() && ch == m_wave->get_ch())
        return;
    if (m_operand && instr_check_wv_param(instr_type, m_wave, ch) == -20) {
        disconnect(&m_model_form, SIGNAL(instr_change_info_signal(instr_zqw_t, lib_ch_t)), this,
                   SLOT(instr_comb_slot_func(instr_zqw_t, lib_ch_t)));
        m_model_form.set_instr_type(m_wave->get_instr_type());
        connect(&m_model_form, SIGNAL(instr_change_info_signal(instr_zqw_t, lib_ch_t)), this,
                SLOT(instr_comb_slot_func(instr_zqw_t, lib_ch_t)));
        show_info(tr("Non-supported waveform points. Switch to another model."));
        return;
    }
    m_wave->set_instr_type(instr_type);
    m_wave->set_ch(ch);
    m_wave->reset_wv_mode();
    update_point_labels();
    m_freq_frame->show();
    set_shown_quietly(m_freq_frame, static_cast<float>(*m_wave->get_freq()));
    if (!m_operand)
        reset_for_model();
}

void ui_stdwvform_t::closeEvent(QCloseEvent *event)
{
    emit std_wv_form_btn_signal(this, 8, m_change_para_flag);
    QWidget::closeEvent(event);
}
