#include "ui_digtal_wave_form.h"

#include "cfg_if_digwv.h"
#include "cfg_instr_limit.h"
#include "ui_combx.h"
#include "ui_digtal_wave_form_form.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_meta_types.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>
#include <memory>

ui_digtal_wave_form_t::ui_digtal_wave_form_t(QWidget *parent, uint32 points, instr_zqw_t, double frequency,
                                             bool change_para, cfg_if_wv_t *existing)
    : QWidget(parent), m_ui(new Ui_ui_digtal_wave_form_t), m_digwv(nullptr), m_wv_data(nullptr),
      m_wave_length_frame(nullptr), m_index_frame(nullptr), m_page_frame(nullptr), m_bit_rate_frame(nullptr),
      m_rows_per_page(20), m_channel(0), m_view_mode(0), m_page(1), m_change_para(change_para),
      m_handed_over(false), m_menu(nullptr), m_copy_to_menu(nullptr), m_act_invert(nullptr),
      m_act_copy(nullptr), m_act_paste(nullptr), m_act_insert(nullptr), m_act_delete(nullptr)
{
    ui_register_meta_types();
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint) | Qt::Dialog);
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);

    if (existing && change_para) {
        copy_wave_object(existing);
    } else {
        m_digwv = new cfg_if_digwv_t;
        m_digwv->set_wv_type(LIB_WV_DIGITAL);
        m_digwv->set_wv_len(points);
        m_digwv->set_freq(frequency);
    }
    if (!change_para)
        m_digwv->init_wv_data();
    m_wv_data = m_digwv->get_wv_data();
    m_digwv->set_instr_type(INSTR_ZQW7000A);

    init_frames();
    init_combos();
    init_point_table();
    set_object_names();
    init_menu();
    update_preview();

    for (QPushButton *b : {m_ui->btn_zero, m_ui->btn_invert, m_ui->btn_default, m_ui->btn_ch_copy,
                           m_ui->btn_goto, m_ui->btn_ok, m_ui->btn_cancel})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    for (QRadioButton *r : {m_ui->rdbtn_single_ch, m_ui->rdbtn_all_ch, m_ui->rdbtn_single_bit, m_ui->rdbtn_16_bit})
        connect(r, SIGNAL(clicked(bool)), this, SLOT(rdbtn_slot_func(bool)));
    connect(this, SIGNAL(btn_info_signal(ui_digtal_wave_form_t *, int32)), this,
            SLOT(digaital_wave_form_btn_slot_func(ui_digtal_wave_form_t *, int32)));
}

ui_digtal_wave_form_t::~ui_digtal_wave_form_t()
{
    // The children go after this body; their last signals must not reach the pattern.
    for (QObject *o : {static_cast<QObject *>(m_wave_length_frame), static_cast<QObject *>(m_index_frame),
                       static_cast<QObject *>(m_page_frame), static_cast<QObject *>(m_bit_rate_frame),
                       static_cast<QObject *>(m_ui->tableWidget)})
        QObject::disconnect(o, nullptr, this, nullptr);
    delete m_wave_length_frame;
    delete m_index_frame;
    delete m_page_frame;
    delete m_bit_rate_frame;
    if (m_digwv && !m_handed_over) {
        m_digwv->release_wv_data(true);
        delete m_digwv;
    }
    m_digwv = nullptr;
    delete m_ui;
}

cfg_if_wv_t *ui_digtal_wave_form_t::take_wave_object()
{
    m_handed_over = true;
    return m_digwv;
}

int ui_digtal_wave_form_t::get_channel_bit(int channel, uint16 word)
{
    if (channel == 16)
        return word;
    return (word >> channel) & 1;
}

uint16 ui_digtal_wave_form_t::set_channel_bit(int channel, uint16 word, int bit)
{
    if (bit == 1)
        return channel == 16 ? uint16(0xFFFF) : uint16(word | (1u << channel));
    return channel == 16 ? uint16(0x0000) : uint16(word & ~(1u << channel));
}

void ui_digtal_wave_form_t::copy_wave_object(cfg_if_wv_t *src)
{
    auto w = std::make_unique<cfg_if_digwv_t>();
    if (auto *d = dynamic_cast<cfg_if_digwv_t *>(src); d && src->get_wv_type() == LIB_WV_DIGITAL)
        w->set_bit_rate(static_cast<float>(d->get_bit_rate()));
    else
        w->set_bit_rate(static_cast<float>(double(*src->get_wv_len()) * *src->get_freq()));
    w->copy_params_from(*src);
    w->set_wv_type(LIB_WV_DIGITAL);
    m_digwv = w.release();
}

void ui_digtal_wave_form_t::init_frames()
{
    // Each entry fills the inside of its holder (148 and 201 pixels, framed) without the
    // filler of a unit selector.
    m_index_frame = new ui_spinbx_frame_t(true, 0, false, tr("Index:"), false);
    m_index_frame->setFixedWidth(146);
    m_index_frame->set_unit_width(0);
    m_index_frame->spinbox->setFixedWidth(95);
    m_page_frame = new ui_spinbx_frame_t(true, 0, false, tr("Page:"), false);
    m_page_frame->setFixedWidth(199);
    m_page_frame->set_unit_width(0);
    m_page_frame->spinbox->setFixedWidth(148);
    for (auto pair : {std::make_pair(m_index_frame, m_ui->frame_index), std::make_pair(m_page_frame, m_ui->frame_page)}) {
        QGridLayout *g = new QGridLayout(pair.second);
        g->setContentsMargins(0, 0, 0, 0);
        g->setSpacing(0);
        g->setAlignment(Qt::AlignLeft);
        g->addWidget(pair.first);
    }
    m_wave_length_frame = new ui_spinbx_frame_t(true, 5, true, QString(), false);
    m_bit_rate_frame = new ui_dspinbx_frame_t(false, 9, true, QString(), false);
    m_bit_rate_frame->dspinbox->setDecimals(4);
    m_bit_rate_frame->unit_combx->reset_unit();
    for (ui_frame_t *f : {static_cast<ui_frame_t *>(m_wave_length_frame), static_cast<ui_frame_t *>(m_bit_rate_frame)}) {
        f->setFixedSize(220, 31);
        f->spinbox->setFixedSize(150, 31);
        f->unit_combx->setFixedSize(70, 31);
    }
    QGridLayout *grid = new QGridLayout(m_ui->gpbx_para);
    grid->setContentsMargins(20, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QLabel *len_label = new QLabel(tr("Wave Length:"));
    QLabel *rate_label = new QLabel(tr("Bit Rate:"));
    len_label->setObjectName("normal_label");
    rate_label->setObjectName("normal_label");
    grid->addWidget(len_label, 1, 0, Qt::AlignRight);
    grid->addWidget(m_wave_length_frame, 1, 1, Qt::AlignLeft);
    grid->addWidget(rate_label, 2, 0, Qt::AlignRight);
    grid->addWidget(m_bit_rate_frame, 2, 1, Qt::AlignLeft);

    QFrame *holder = new QFrame;
    QGridLayout *pg = new QGridLayout(holder);
    pg->setContentsMargins(0, 0, 0, 5);
    pg->setSpacing(0);
    pg->addWidget(&m_preview_plot);
    QHBoxLayout *box = new QHBoxLayout(m_ui->gpbx_wv_preview);
    box->setMargin(2);
    box->addWidget(holder);

    for (ui_spinbx_frame_t *f : {m_wave_length_frame, m_page_frame, m_index_frame})
        connect(f, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
    connect(m_bit_rate_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));

    m_wave_length_frame->set_min_value(*instr_get_min_wv_len(INSTR_ZQW7000A, LIB_CH1));
    m_wave_length_frame->set_max_value(*instr_get_max_wv_len(INSTR_ZQW7000A, LIB_CH1) * 0.5);
    m_bit_rate_frame->set_min_value(0.001);
    m_bit_rate_frame->set_max_value(1e9);
    set_frame_quietly(m_wave_length_frame, static_cast<int>(std::min<uint32>(sample_count(), 2147483647u)));
    disconnect(m_bit_rate_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
    m_bit_rate_frame->unit_combx->reset_unit();
    m_bit_rate_frame->set_spinbox_value(*m_digwv->get_freq() * double(sample_count()));
    connect(m_bit_rate_frame, SIGNAL(spinbx_value_changed(double)), this, SLOT(spinb_pram_change_slot_func(double)));
}

void ui_digtal_wave_form_t::init_combos()
{
    for (int i = 0; i < 16; ++i)
        m_ui->ch_comb->addItem(tr("D%1").arg(i), i);
    m_ui->rdbtn_single_ch->setChecked(true);
    m_ui->ch_comb->setEnabled(true);
    m_ui->ch_comb->setCurrentIndex(0);
    connect(m_ui->ch_comb, SIGNAL(activated(int)), this, SLOT(ch_comb_slot_func(int)));
    for (int i = 0; i < 16; ++i) {
        m_ui->src_comb->addItem(tr("D%1").arg(i), i);
        m_ui->dest_comb->addItem(tr("D%1").arg(i), i);
    }
    m_ui->dest_comb->addItem(tr("ALL"), 16);
    m_ui->src_comb->setCurrentIndex(0);
    m_ui->dest_comb->setCurrentIndex(0);
}

void ui_digtal_wave_form_t::set_object_names()
{
    setObjectName("normal_widget");
    for (QPushButton *b : {m_ui->btn_zero, m_ui->btn_invert, m_ui->btn_default, m_ui->btn_ch_copy,
                           m_ui->btn_goto, m_ui->btn_ok, m_ui->btn_cancel})
        b->setObjectName("normal_button");
    for (QGroupBox *g : {m_ui->gpbx_para, m_ui->gpbx_wv_preview, m_ui->gpbx_ch, m_ui->gpbx_table,
                         m_ui->gpbx_setting, m_ui->gpbx_ch_copy})
        g->setObjectName("normal_gpbx");
    for (QRadioButton *r : {m_ui->rdbtn_single_ch, m_ui->rdbtn_all_ch, m_ui->rdbtn_single_bit, m_ui->rdbtn_16_bit})
        r->setObjectName("normal_rdbtn");
    m_ui->tableWidget->setObjectName("normal_table_widget");
    m_ui->label->setObjectName("normal_label");
}

uint32 ui_digtal_wave_form_t::sample_count() const { return *m_digwv->get_wv_len(); }

uint32 ui_digtal_wave_form_t::index_value() const
{
    const int v = m_index_frame->spinbox_int->value();
    return v > 0 ? std::min<uint32>(static_cast<uint32>(v), sample_count()) : 0u;
}

void ui_digtal_wave_form_t::set_frame_quietly(ui_spinbx_frame_t *frame, int value)
{
    disconnect(frame, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
    frame->unit_combx->reset_unit();
    frame->set_spinbox_value(value);
    connect(frame, SIGNAL(spinbx_value_changed(int)), this, SLOT(spinb_pram_change_slot_func(int)));
}

void ui_digtal_wave_form_t::set_frame_max(ui_spinbx_frame_t *frame, uint32 value)
{
    frame->set_max_value(value);
}

ui_digtal_wave_form_t::view_t ui_digtal_wave_form_t::view() const
{
    if (m_channel == 16)
        return VIEW_WORD;
    return m_ui->rdbtn_16_bit->isChecked() ? VIEW_PACKED : VIEW_BIT;
}

void ui_digtal_wave_form_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == m_ui->btn_ok) {
        emit btn_info_signal(this, 3);
    } else if (s == m_ui->btn_cancel) {
        emit btn_info_signal(this, 2);
    } else if (s == m_ui->btn_goto) {
        const uint32 a = index_value();
        show_page(a);
        show_page_of_index(a);
    } else if (s == m_ui->btn_zero || s == m_ui->btn_invert || s == m_ui->btn_default) {
        if (s == m_ui->btn_zero)
            zero_channel();
        else if (s == m_ui->btn_invert)
            invert_channel();
        else
            set_default_clock();
        const uint32 a = index_value();
        show_page(a);
        show_page_of_index(a);
    } else if (s == m_ui->btn_ch_copy) {
        const int src = m_ui->src_comb->currentIndex();
        const int dest = m_ui->dest_comb->currentIndex();
        if (src != dest) {
            copy_channel(dest, src);
            show_page(index_value());
        }
    }
}

void ui_digtal_wave_form_t::digaital_wave_form_btn_slot_func(ui_digtal_wave_form_t *type, int32 btn)
{
    emit digital_wave_form_btn_signal(type, btn, m_change_para);
}

void ui_digtal_wave_form_t::spinb_pram_change_slot_func(double data)
{
    if (sender() == m_bit_rate_frame && m_digwv)
        m_digwv->set_bit_rate(static_cast<float>(data));
}

void ui_digtal_wave_form_t::spinb_pram_change_slot_func(int data)
{
    if (!m_digwv)
        return;
    QObject *s = sender();
    if (s == m_wave_length_frame) {
        m_digwv->set_wv_len(data > 0 ? static_cast<uint32>(data) : 0u);
        after_length_change(sample_count());
    } else if (s == m_page_frame) {
        if (data == m_page)
            return;
        m_page = data;
        show_page_start_index(data > 0 ? static_cast<uint32>(data) : 1u);
        show_page(index_value());
    } else if (s == m_index_frame) {
        const uint32 a = data > 0 ? static_cast<uint32>(data) : 0u;
        show_page(a);
        show_index(a);
        show_page_of_index(a);
    }
}

// Index limited to the new count, then the table re-shown around it.
void ui_digtal_wave_form_t::after_length_change(uint32 count)
{
    const uint32 a = index_value();
    set_frame_max(m_index_frame, count);
    show_index(a);
    update_page_range();
    show_page(a);
    show_page_of_index(a);
}

void ui_digtal_wave_form_t::rdbtn_slot_func(bool checked)
{
    QObject *s = sender();
    if (!checked)
        return;
    if (s == m_ui->rdbtn_single_ch) {
        if (m_channel != 16)
            return;
        m_ui->ch_comb->setEnabled(true);
        m_channel = m_ui->ch_comb->currentIndex();
        apply_channel();
    } else if (s == m_ui->rdbtn_all_ch) {
        if (m_channel == 16)
            return;
        m_ui->ch_comb->setEnabled(false);
        m_channel = 16;
        apply_channel();
    } else if (s == m_ui->rdbtn_single_bit || s == m_ui->rdbtn_16_bit) {
        const int mode = s == m_ui->rdbtn_16_bit ? 1 : 0;
        if (mode == m_view_mode)
            return;
        m_view_mode = mode;
        update_page_range();
        const uint32 a = index_value();
        show_page(a);
        show_page_of_index(a);
    } else {
        return;
    }
    m_copy_text.clear();
}

void ui_digtal_wave_form_t::ch_comb_slot_func(int index)
{
    m_channel = index;
    apply_channel();
}

void ui_digtal_wave_form_t::apply_channel()
{
    const uint32 a = index_value();
    if (m_channel != 16) {
        m_ui->rdbtn_single_bit->setEnabled(true);
    } else {
        if (m_ui->rdbtn_single_bit->isChecked()) {
            m_ui->rdbtn_16_bit->setChecked(true);
            m_view_mode = 1;
        }
        m_ui->rdbtn_single_bit->setEnabled(false);
    }
    show_page(a);
    update_page_range();
    show_page_of_index(a);
}

void ui_digtal_wave_form_t::update_preview()
{
    m_preview_plot.set_points_scale(view() == VIEW_PACKED ? 16 : 20);
    std::vector<short int> copy = m_preview_samples;
    m_preview_plot.update_wave_view_trace(copy);
}

void ui_digtal_wave_form_t::closeEvent(QCloseEvent *event)
{
    emit digital_wave_form_btn_signal(this, 8, m_change_para);
    QWidget::closeEvent(event);
}

bool ui_digtal_wave_form_t::eventFilter(QObject *, QEvent *) { return true; }
