// Parameter panels of "Standard Waveform": the entry frames, their limits, what each type
// shows and the corrections applied before a value reaches the generator.
#include "ui_stdwvform.h"

#include "cfg_if_adwv_exp.h"
#include "cfg_if_adwv_multi_pulse.h"
#include "cfg_if_adwv_sinc.h"
#include "cfg_if_adwv_stair_step.h"
#include "cfg_if_bswv_pulse.h"
#include "cfg_if_bswv_ramp.h"
#include "cfg_if_bswv_square.h"
#include "cfg_instr_limit.h"
#include "ui_combx.h"
#include "ui_coustom_gpbx.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_spinbx_frame.h"
#include "ui_stdwvform_form.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

ui_dspinbx_frame_t *make_dframe(int unit_type, const QString &label, bool clamps, int decimals)
{
    auto *f = new ui_dspinbx_frame_t(false, unit_type, unit_type != 0, label, !clamps);
    f->dspinbox->setDecimals(decimals);
    return f;
}

ui_spinbx_frame_t *make_iframe(int unit_type, const QString &label, bool clamps)
{
    return new ui_spinbx_frame_t(true, unit_type, unit_type != 0, label, !clamps);
}

// Truncates toward zero into int64, saturated (the entries reach 1e13).
int64 trunc_i64(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 9.2e18)
        return std::numeric_limits<int64>::max();
    if (v <= -9.2e18)
        return std::numeric_limits<int64>::min();
    return static_cast<int64>(v);
}

uint32 to_points(int64 n)
{
    if (n <= 0)
        return 0;
    return n > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<uint32>(n);
}

} // namespace

ui_frame_t *ui_stdwvform_t::get_frame(frame_id_t id) const
{
    ui_frame_t *const frames[F_COUNT] = {
        m_points_frame, m_freq_frame, m_cycle_frame, m_phase_frame, m_amp_frame,
        m_offset_frame, m_high_frame, m_low_frame, m_duty_frame, m_symmetry_frame,
        m_width_frame, m_rise_frame, m_fall_frame, m_zero_frame, m_step_frame,
        m_damp_frame, m_pulse_num_frame, m_pulse_srate_frame, m_mp_rise_frame, m_mp_fall_frame};
    return id >= 0 && id < F_COUNT ? frames[id] : nullptr;
}

void ui_stdwvform_t::init_param_frames()
{
    m_points_frame = make_dframe(5, tr("Total Samples:"), true, 0);
    m_freq_frame = make_dframe(1, tr("Frequency:"), true, 3);
    m_cycle_frame = make_iframe(0, tr("Cycles:"), false);
    m_phase_frame = make_dframe(6, tr("Phase:"), true, 4);
    m_amp_frame = make_dframe(3, tr("Amplitude:"), true, 3);
    m_offset_frame = make_dframe(3, tr("Offset:"), true, 3);
    m_high_frame = make_dframe(3, tr("HighLevel:"), true, 3);
    m_low_frame = make_dframe(3, tr("LowLevel:"), true, 3);
    m_duty_frame = make_dframe(7, QString(), true, 3);
    m_symmetry_frame = make_dframe(7, QString(), true, 1);
    m_width_frame = make_iframe(5, QString(), false);
    m_rise_frame = make_iframe(5, QString(), false);
    m_fall_frame = make_iframe(5, QString(), false);
    m_zero_frame = make_iframe(0, QString(), true);
    m_step_frame = make_iframe(0, QString(), true);
    m_damp_frame = make_dframe(0, QString(), true, 1);
    m_pulse_num_frame = make_iframe(0, QString(), true);
    m_pulse_srate_frame = make_dframe(4, QString(), true, 4);
    m_mp_rise_frame = make_dframe(2, QString(), true, 3);
    m_mp_fall_frame = make_dframe(2, QString(), true, 3);

    for (int i = 0; i < F_COUNT; ++i) {
        ui_frame_t *f = get_frame(static_cast<frame_id_t>(i));
        if (f->is_int)
            static_cast<ui_spinbx_frame_t *>(f)->set_frame_height(26);
        else
            static_cast<ui_dspinbx_frame_t *>(f)->set_frame_height(26);
    }

    QGridLayout *hor = new QGridLayout(m_form->gpbx_hor);
    hor->setMargin(0);
    hor->setVerticalSpacing(25);
    hor->setHorizontalSpacing(5);
    hor->setContentsMargins(30, 10, 10, 10);
    hor->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hor->addWidget(m_points_frame, 0, 0);
    hor->addWidget(m_freq_frame, 1, 0);
    hor->addWidget(m_cycle_frame, 2, 0);
    hor->addWidget(m_phase_frame, 3, 0);

    QGridLayout *ver = new QGridLayout(m_form->frame_ver);
    ver->setMargin(0);
    ver->setVerticalSpacing(10);
    ver->setContentsMargins(0, 0, 80, 0);
    ver->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ver->addWidget(m_amp_frame, 0, 0);
    ver->addWidget(m_offset_frame, 1, 0);
    ver->addWidget(m_high_frame, 0, 1);
    ver->addWidget(m_low_frame, 1, 1);

    struct tran_t
    {
        const char *title;
        ui_frame_t *frame;
        int row, col;
    };
    const tran_t trans[12] = {
        {QT_TR_NOOP("Duty Cycle"), m_duty_frame, 0, 0},
        {QT_TR_NOOP("Sysmetry"), m_symmetry_frame, 1, 0},
        {QT_TR_NOOP("Pulse Width"), m_width_frame, 0, 0},
        {QT_TR_NOOP("Rise Time"), m_rise_frame, 0, 1},
        {QT_TR_NOOP("Fall Time"), m_fall_frame, 1, 1},
        {QT_TR_NOOP("Damp Factor"), m_damp_frame, 2, 0},
        {QT_TR_NOOP("Zero Crossing"), m_zero_frame, 3, 0},
        {QT_TR_NOOP("Step Count"), m_step_frame, 4, 0},
        {QT_TR_NOOP("Pulse Number"), m_pulse_num_frame, 0, 0},
        {QT_TR_NOOP("Sample Rate"), m_pulse_srate_frame, 1, 0},
        {QT_TR_NOOP("Rise Time"), m_mp_rise_frame, 0, 1},
        {QT_TR_NOOP("Fall Time"), m_mp_fall_frame, 1, 1},
    };
    QGridLayout *tran = new QGridLayout(m_form->gpbx_tran);
    tran->setMargin(0);
    tran->setHorizontalSpacing(10);
    tran->setVerticalSpacing(5);
    tran->setContentsMargins(20, 2, 0, 5);
    tran->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < 12; ++i) {
        ui_coustom_gpbx_t *g = new ui_coustom_gpbx_t(tr(trans[i].title));
        g->setFixedSize(185, 56);
        QHBoxLayout *box = new QHBoxLayout(g);
        box->setContentsMargins(0, 0, 0, 0);
        box->addWidget(trans[i].frame);
        trans[i].frame->setFixedWidth(170);
        trans[i].frame->spinbox->setFixedWidth(65);
        trans[i].frame->unit_combx->setFixedWidth(65);
        trans[i].frame->filler->setFixedWidth(65);
        tran->addWidget(g, trans[i].row, trans[i].col);
        m_tran_gpbx[i] = g;
    }
}

void ui_stdwvform_t::connect_frame(ui_frame_t *frame, bool on)
{
    if (frame->is_int) {
        if (on)
            connect(frame, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)),
                    Qt::UniqueConnection);
        else
            disconnect(frame, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
        return;
    }
    if (on)
        connect(frame, SIGNAL(spinbx_value_changed(double)), this,
                SLOT(spinb_pram_change_slot_func(double)), Qt::UniqueConnection);
    else
        disconnect(frame, SIGNAL(spinbx_value_changed(double)), this,
                   SLOT(spinb_pram_change_slot_func(double)));
}

void ui_stdwvform_t::connect_param_frames()
{
    for (int i = 0; i < F_COUNT; ++i)
        connect_frame(get_frame(static_cast<frame_id_t>(i)), true);
    connect(m_mp_rise_frame, SIGNAL(unit_changed()), this, SLOT(spinb_pram_unit_change_slot_func()));
    connect(m_mp_fall_frame, SIGNAL(unit_changed()), this, SLOT(spinb_pram_unit_change_slot_func()));
    connect(m_form->rdbtn_amp, SIGNAL(clicked(bool)), this, SLOT(wv_rdbtn_slot_func(bool)));
    connect(m_form->rdbtn_max, SIGNAL(clicked(bool)), this, SLOT(wv_rdbtn_slot_func(bool)));
}

void ui_stdwvform_t::set_quietly(ui_frame_t *frame, double base_value)
{
    const bool was = frame->is_int
                         ? QObject::disconnect(frame, SIGNAL(spinbx_value_changed(int)), this,
                                               SLOT(spinb_pram_change_slot_func(int)))
                         : QObject::disconnect(frame, SIGNAL(spinbx_value_changed(double)), this,
                                               SLOT(spinb_pram_change_slot_func(double)));
    frame->unit_combx->reset_unit();
    frame->set_spinbox_value(base_value);
    if (was)
        connect_frame(frame, true);
}

void ui_stdwvform_t::set_shown_quietly(ui_dspinbx_frame_t *frame, float value)
{
    set_quietly(frame, value);
}

void ui_stdwvform_t::init_param_ranges()
{
    const instr_zqw_t model = m_wave->get_instr_type();
    const lib_ch_t ch = m_wave->get_ch();
    const uint32 points = *m_wave->get_wv_len();
    m_points_frame->set_min_value(*instr_get_min_wv_len(model, ch));
    m_points_frame->set_max_value(*instr_get_max_wv_len(model, ch));
    m_freq_frame->set_min_value(*instr_get_min_freq(model));
    m_freq_frame->set_max_value(instr_get_max_freq(model, m_wave->get_wv_mode(), points));
    m_cycle_frame->set_min_value(*instr_get_min_cycle());
    m_cycle_frame->set_max_value(*instr_get_max_cycle());
    m_phase_frame->set_min_value(*instr_get_min_phase(model));
    m_phase_frame->set_max_value(*instr_get_max_phase(model));
    m_amp_frame->set_min_value(*instr_get_min_amp(model));
    m_duty_frame->set_min_value(*instr_get_min_duty());
    m_duty_frame->set_max_value(*instr_get_max_duty());
    m_symmetry_frame->set_min_value(*instr_get_min_symmetry());
    m_symmetry_frame->set_max_value(*instr_get_max_symmetry());
    m_zero_frame->set_min_value(*instr_get_min_zero_crossing());
    m_zero_frame->set_max_value(*instr_get_max_zero_crossing());
    m_step_frame->set_min_value(*instr_get_min_step_count());
    m_step_frame->set_max_value(*instr_get_max_step_count());
    m_damp_frame->set_min_value(*instr_get_min_damp_factor());
    m_damp_frame->set_max_value(*instr_get_max_damp_factor());
    m_pulse_num_frame->set_min_value(*instr_get_min_pulse_num());
    m_pulse_num_frame->set_max_value(*instr_get_max_pulse_num());
    m_pulse_srate_frame->set_min_value(0.01);
    m_pulse_srate_frame->set_max_value(instr_get_max_srate(model, 1));
    for (ui_dspinbx_frame_t *f : {m_mp_rise_frame, m_mp_fall_frame}) {
        f->set_min_value(*instr_get_min_edge_time());
        f->set_max_value(*instr_get_max_edge_time());
    }
    refresh_limit(1);
    refresh_limit(2);
}

void ui_stdwvform_t::refresh_limit(int which)
{
    const float f = static_cast<float>(*m_wave->get_freq());
    const instr_zqw_t model = m_wave->get_instr_type();
    const lib_ch_t ch = m_wave->get_ch();
    switch (which) {
    case 1: {
        float a = *m_wave->get_amp();
        float o = *m_wave->get_offset();
        instr_check_value_limit(&a, f, model);
        instr_check_offset_limit(&o, a, f, model);
        m_wave->set_amp(a);
        m_wave->set_offset(o);
        m_wave->set_amp_offset(a, o);
        m_amp_frame->set_max_value(instr_get_max_amp(model, f, ch));
        set_quietly(m_amp_frame, a);
        break;
    }
    case 2: {
        const float a = *m_wave->get_amp();
        m_offset_frame->set_min_value(instr_get_min_offset(model, f, a, ch));
        m_offset_frame->set_max_value(instr_get_max_offset(model, f, a, ch));
        set_quietly(m_offset_frame, *m_wave->get_offset());
        break;
    }
    case 3: {
        const float l = *m_wave->get_low_level();
        m_high_frame->set_min_value(instr_get_min_high_level(model, f, l));
        m_high_frame->set_max_value(instr_get_max_high_level(model, f, l, ch));
        set_quietly(m_high_frame, *m_wave->get_high_level());
        break;
    }
    case 4: {
        const float h = *m_wave->get_high_level();
        m_low_frame->set_min_value(instr_get_min_low_level(model, f, h, ch));
        m_low_frame->set_max_value(instr_get_max_low_level(model, f, h));
        set_quietly(m_low_frame, *m_wave->get_low_level());
        break;
    }
    case 5:
        m_freq_frame->set_min_value(*instr_get_min_freq(model));
        m_freq_frame->set_max_value(instr_get_max_freq(model, m_wave->get_wv_mode(), *m_wave->get_wv_len()));
        set_quietly(m_freq_frame, f);
        break;
    default:
        break;
    }
}

void ui_stdwvform_t::load_params()
{
    const float amp = *m_wave->get_amp();
    const float offset = *m_wave->get_offset();
    const float high = *m_wave->get_high_level();
    const float low = *m_wave->get_low_level();
    const float freq = static_cast<float>(*m_wave->get_freq());
    const float phase = *m_wave->get_phase();
    const uint32 points = *m_wave->get_wv_len();
    const uint32 cycles = *m_wave->get_cycle();
    for (ui_frame_t *f : {static_cast<ui_frame_t *>(m_amp_frame), static_cast<ui_frame_t *>(m_offset_frame),
                          static_cast<ui_frame_t *>(m_high_frame), static_cast<ui_frame_t *>(m_low_frame),
                          static_cast<ui_frame_t *>(m_freq_frame), static_cast<ui_frame_t *>(m_phase_frame),
                          static_cast<ui_frame_t *>(m_cycle_frame), static_cast<ui_frame_t *>(m_points_frame),
                          static_cast<ui_frame_t *>(m_duty_frame), static_cast<ui_frame_t *>(m_symmetry_frame),
                          static_cast<ui_frame_t *>(m_zero_frame), static_cast<ui_frame_t *>(m_step_frame),
                          static_cast<ui_frame_t *>(m_damp_frame)})
        f->unit_combx->reset_unit();
    if (m_form->rdbtn_amp->isChecked()) {
        m_amp_frame->show();
        m_offset_frame->show();
        m_high_frame->hide();
        m_low_frame->hide();
        m_amp_frame->set_spinbox_value(amp);
        m_offset_frame->set_spinbox_value(offset);
    } else {
        m_high_frame->show();
        m_low_frame->show();
        m_amp_frame->hide();
        m_offset_frame->hide();
        m_high_frame->set_spinbox_value(high);
        m_low_frame->set_spinbox_value(low);
    }
    m_freq_frame->set_spinbox_value(freq);
    m_phase_frame->set_spinbox_value(phase);
    m_cycle_frame->set_spinbox_value(cycles);
    m_points_frame->set_spinbox_value(points);

    switch (get_wave_type()) {
    case LIB_WV_SQUARE:
        m_duty_frame->set_spinbox_value(*static_cast<cfg_if_bswv_square_t *>(m_wave)->get_duty());
        break;
    case LIB_WV_PULSE: {
        auto *p = static_cast<cfg_if_bswv_pulse_t *>(m_wave);
        m_width_frame->set_spinbox_value(trunc_i64(*p->get_pulse_width()));
        m_rise_frame->set_spinbox_value(trunc_i64(*p->get_rise_time()));
        m_fall_frame->set_spinbox_value(trunc_i64(*p->get_fall_time()));
        break;
    }
    case LIB_WV_RAMP:
        m_symmetry_frame->set_spinbox_value(*static_cast<cfg_if_bswv_ramp_t *>(m_wave)->get_symmetry());
        break;
    case LIB_WV_SINC:
        m_zero_frame->set_spinbox_value(*static_cast<cfg_if_adwv_sinc_t *>(m_wave)->get_zero_crossing());
        break;
    case LIB_WV_STAIR_UP:
    case LIB_WV_STAIR_DN:
        m_step_frame->set_spinbox_value(*static_cast<cfg_if_adwv_stair_step_t *>(m_wave)->get_step_count());
        break;
    case LIB_WV_EXP_RISE:
    case LIB_WV_EXP_FALL:
        m_damp_frame->set_spinbox_value(*static_cast<cfg_if_adwv_exp_t *>(m_wave)->get_damp_factor());
        break;
    case LIB_WV_MULTI_PULSE: {
        auto *m = static_cast<cfg_if_adwv_multi_pulse_t *>(m_wave);
        m_pulse_srate_frame->unit_combx->reset_unit();
        m_mp_rise_frame->unit_combx->set_unit(UI_PREFIX_MICRO);
        m_mp_fall_frame->unit_combx->set_unit(UI_PREFIX_MICRO);
        m_pulse_num_frame->set_spinbox_value(m->get_pulse_num());
        m_pulse_srate_frame->set_spinbox_value(m->get_pulse_srate());
        m_mp_rise_frame->set_value(m->get_rise_time());
        m_mp_fall_frame->set_value(m->get_fall_time());
        break;
    }
    default:
        break;
    }
}

void ui_stdwvform_t::show_type_panel(int type)
{
    const bool dc = type == LIB_WV_DC;
    m_form->rdbtn_amp->setEnabled(true);
    m_form->rdbtn_max->setEnabled(!dc);
    m_form->rdbtn_amp->setChecked(true);
    m_amp_frame->show();
    m_offset_frame->show();
    m_amp_frame->setEnabled(!dc);
    m_offset_frame->setEnabled(true);
    m_high_frame->hide();
    m_low_frame->hide();
    for (ui_coustom_gpbx_t *g : m_tran_gpbx)
        g->hide();

    if (type == LIB_WV_MULTI_PULSE) {
        show_multi_pulse_panel(true);
        return;
    }
    show_multi_pulse_panel(false);
    const bool no_cycles = type == LIB_WV_NOISE || dc;
    m_points_frame->setEnabled(true);
    m_freq_frame->setEnabled(!dc);
    m_cycle_frame->setEnabled(!no_cycles);
    m_phase_frame->setEnabled(!no_cycles);
    switch (type) {
    case LIB_WV_SQUARE: m_tran_gpbx[0]->show(); break;
    case LIB_WV_RAMP: m_tran_gpbx[1]->show(); break;
    case LIB_WV_PULSE:
        m_tran_gpbx[2]->show();
        m_tran_gpbx[3]->show();
        m_tran_gpbx[4]->show();
        break;
    case LIB_WV_EXP_RISE:
    case LIB_WV_EXP_FALL: m_tran_gpbx[5]->show(); break;
    case LIB_WV_SINC: m_tran_gpbx[6]->show(); break;
    case LIB_WV_STAIR_UP:
    case LIB_WV_STAIR_DN: m_tran_gpbx[7]->show(); break;
    default: break;
    }
}

void ui_stdwvform_t::show_multi_pulse_panel(bool show)
{
    for (int i = 8; i < 12; ++i)
        m_tran_gpbx[i]->setVisible(show);
    m_form->table_widget->setVisible(show);
    m_form->gpbx_hor->setVisible(!show);
}

void ui_stdwvform_t::update_points_enabled()
{
    if (m_operand) {
        m_points_frame->setEnabled(false);
        return;
    }
    const int model = static_cast<int>(m_wave->get_instr_type());
    if (model >= 0 && model <= 6)
        m_points_frame->setEnabled(true);
    else if (model >= 7 && model <= 9)
        m_points_frame->setEnabled(false);
}

void ui_stdwvform_t::reset_for_model()
{
    m_wave->reset_params();
    init_param_ranges();
    load_params();
    update_points_enabled();
}

void ui_stdwvform_t::wv_rdbtn_slot_func(bool)
{
    QObject *s = sender();
    if (s == m_form->rdbtn_amp && m_form->rdbtn_amp->isChecked()) {
        m_amp_frame->unit_combx->reset_unit();
        m_offset_frame->unit_combx->reset_unit();
        m_amp_frame->show();
        m_offset_frame->show();
        m_high_frame->hide();
        m_low_frame->hide();
        refresh_limit(1);
        refresh_limit(2);
        set_quietly(m_amp_frame, *m_wave->get_amp());
        set_quietly(m_offset_frame, *m_wave->get_offset());
    } else if (s == m_form->rdbtn_max && m_form->rdbtn_max->isChecked()) {
        m_high_frame->unit_combx->reset_unit();
        m_low_frame->unit_combx->reset_unit();
        m_amp_frame->hide();
        m_offset_frame->hide();
        m_high_frame->show();
        m_low_frame->show();
        refresh_limit(3);
        refresh_limit(4);
        set_quietly(m_high_frame, *m_wave->get_high_level());
        set_quietly(m_low_frame, *m_wave->get_low_level());
    }
}

void ui_stdwvform_t::spinb_pram_change_slot_func(double x)
{
    if (!m_wave)
        return;
    QObject *s = sender();
    const float xf = static_cast<float>(x);
    if (s == m_freq_frame) {
        m_wave->set_freq(xf);
        refresh_limit(1);
    } else if (s == m_amp_frame) {
        m_wave->set_amp(xf);
        m_wave->set_amp_offset(xf, *m_wave->get_offset());
        refresh_limit(2);
    } else if (s == m_offset_frame) {
        m_wave->set_offset(xf);
        m_wave->set_amp_offset(*m_wave->get_amp(), xf);
    } else if (s == m_high_frame) {
        m_wave->set_high_level(xf);
        m_wave->set_high_low_level(xf, *m_wave->get_low_level());
        refresh_limit(4);
    } else if (s == m_low_frame) {
        m_wave->set_low_level(xf);
        m_wave->set_high_low_level(*m_wave->get_high_level(), xf);
        refresh_limit(3);
    } else if (s == m_points_frame) {
        apply_points_rule(x);
    } else if (s == m_phase_frame) {
        m_wave->set_phase(xf);
    } else if (s == m_duty_frame) {
        if (auto *w = dynamic_cast<cfg_if_bswv_square_t *>(m_wave))
            w->set_duty(xf);
    } else if (s == m_symmetry_frame) {
        if (auto *w = dynamic_cast<cfg_if_bswv_ramp_t *>(m_wave))
            w->set_symmetry(xf);
    } else if (s == m_damp_frame) {
        if (auto *w = dynamic_cast<cfg_if_adwv_exp_t *>(m_wave))
            w->set_damp_factor(xf);
    } else if (s == m_pulse_srate_frame) {
        if (auto *w = dynamic_cast<cfg_if_adwv_multi_pulse_t *>(m_wave)) {
            w->set_pulse_srate(static_cast<float>(m_pulse_srate_frame->last_value));
            refresh_pulse_times();
        }
    } else if (s == m_mp_rise_frame || s == m_mp_fall_frame) {
        mp_time_changed(static_cast<ui_dspinbx_frame_t *>(s), x);
    }
}

void ui_stdwvform_t::spinb_pram_change_slot_func(int v)
{
    if (!m_wave)
        return;
    QObject *s = sender();
    if (s == m_cycle_frame) {
        apply_cycles_rule(v);
    } else if (s == m_zero_frame) {
        if (auto *w = dynamic_cast<cfg_if_adwv_sinc_t *>(m_wave))
            w->set_zero_crossing(v);
    } else if (s == m_step_frame) {
        apply_step_rule(v);
    } else if (s == m_width_frame || s == m_rise_frame || s == m_fall_frame) {
        apply_pulse_rule(static_cast<ui_spinbx_frame_t *>(s), v);
    } else if (s == m_pulse_num_frame) {
        pulse_count_changed(v);
    }
}

void ui_stdwvform_t::apply_points_rule(double x)
{
    int64 n = trunc_i64(x);
    const instr_zqw_t model = m_wave->get_instr_type();
    const int type = get_wave_type();
    const int64 c = std::max<int64>(1, *m_wave->get_cycle());
    if (type == LIB_WV_STAIR_UP || type == LIB_WV_STAIR_DN) {
        const int64 steps = *static_cast<cfg_if_adwv_stair_step_t *>(m_wave)->get_step_count();
        n = std::max(n, c * steps);
    } else if (model != INSTR_ZQW5000) {
        const int64 m = *instr_get_min_wv_len(model, m_wave->get_ch());
        if (n / c < m)
            n = c * m;
    }
    if (model == INSTR_ZQW5000) {
        if (n < 16384)
            n = 16384;
        else if (n > 524288)
            n = 524288;
        else
            n = n > int64(*m_wave->get_wv_len()) ? 524288 : 16384;
    }
    const uint32 points = to_points(n);
    m_wave->set_wv_len(points);
    set_quietly(m_points_frame, points);
}

void ui_stdwvform_t::apply_cycles_rule(int v)
{
    const int64 p = *m_wave->get_wv_len();
    int64 c = v;
    switch (get_wave_type()) {
    case LIB_WV_SINE:
    case LIB_WV_SQUARE:
    case LIB_WV_EXP_RISE:
    case LIB_WV_EXP_FALL: c = std::min(c, p); break;
    case LIB_WV_PULSE:
    case LIB_WV_RAMP:
    case LIB_WV_SINC: c = std::min(c, p / 2); break;
    case LIB_WV_STAIR_UP:
    case LIB_WV_STAIR_DN: {
        const int64 steps = std::max<int64>(1, *static_cast<cfg_if_adwv_stair_step_t *>(m_wave)->get_step_count());
        c = std::min(c, p / steps);
        break;
    }
    default: break;
    }
    const range_data_t r = m_wave->get_cycle_range();
    const int64 lo = trunc_i64(r.start);
    // A range whose top lies below its bottom leaves only the bottom.
    const int64 hi = std::max(lo, trunc_i64(r.end));
    c = std::min(std::max(c, lo), hi);
    const uint32 cycles = to_points(c);
    set_quietly(m_cycle_frame, cycles);
    m_wave->set_cycle(cycles);
}

void ui_stdwvform_t::apply_step_rule(int v)
{
    auto *w = dynamic_cast<cfg_if_adwv_stair_step_t *>(m_wave);
    if (!w)
        return;
    const int64 c = std::max<uint32>(1, *m_wave->get_cycle());
    const int64 m = std::min<int64>(*m_wave->get_wv_len() / c, *instr_get_max_step_count());
    if (v > m) {
        set_quietly(m_step_frame, double(m));
        w->set_step_count(static_cast<int32>(m));
    } else {
        w->set_step_count(v);
    }
}

void ui_stdwvform_t::apply_pulse_rule(ui_spinbx_frame_t *frame, int v)
{
    auto *p = dynamic_cast<cfg_if_bswv_pulse_t *>(m_wave);
    if (!p)
        return;
    range_data_t r{};
    if (frame == m_width_frame)
        r = p->get_width_range();
    else if (frame == m_rise_frame)
        r = p->get_rise_range();
    else
        r = p->get_fall_range();
    if (v > r.end)
        set_quietly(frame, r.end);
    else if (v < r.start)
        set_quietly(frame, r.start);
    const float value = static_cast<float>(frame->get_value());
    if (frame == m_width_frame)
        p->set_pulse_width(value);
    else if (frame == m_rise_frame)
        p->set_rise_time(value);
    else
        p->set_fall_time(value);
}
