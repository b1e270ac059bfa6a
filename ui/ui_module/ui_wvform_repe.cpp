#include "ui_wvform_repe.h"

#include "ui_coustom_btn.h"
#include "ui_meta_types.h"
#include "ui_spinbx_frame.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>

ui_wvform_repe_t::ui_wvform_repe_t(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_repe_frame(nullptr), m_samples_frame(nullptr), m_btn_ok(nullptr),
      m_btn_cancel(nullptr)
{
    ui_register_meta_types();
    setWindowTitle(tr("Waveform Repetitions"));
    resize(330, 150);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~Qt::WindowMinimizeButtonHint & ~Qt::WindowMaximizeButtonHint) | Qt::Dialog);
    setFixedHeight(height());
    setFixedWidth(width());
    setWindowModality(Qt::ApplicationModal);
    setObjectName("normal_widget");

    QGridLayout *grid = new QGridLayout(this);
    grid->setMargin(0);
    grid->setVerticalSpacing(15);
    grid->setHorizontalSpacing(0);
    grid->setContentsMargins(20, 20, 0, 0);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_repe_frame = new ui_spinbx_frame_t(true, 0, false, tr("Wave Repetitions:"), true);
    m_repe_frame->set_frame_height(24);
    m_samples_frame = new ui_spinbx_frame_t(true, 5, true, tr("Total Samples:"), false);
    m_samples_frame->set_frame_height(24);
    QFrame *buttons = new QFrame;
    QHBoxLayout *row = new QHBoxLayout(buttons);
    row->setSpacing(30);
    row->setMargin(0);
    row->setContentsMargins(0, 15, 0, 0);
    m_btn_ok = new ui_coustom_btn_t(tr("OK"));
    m_btn_cancel = new ui_coustom_btn_t(tr("Cancel"));
    m_btn_ok->setFixedSize(60, 31);
    m_btn_cancel->setFixedSize(60, 31);
    row->addWidget(m_btn_ok);
    row->addWidget(m_btn_cancel);
    grid->addWidget(m_repe_frame, 0, 0);
    grid->addWidget(m_samples_frame, 1, 0);
    grid->addWidget(buttons, 2, 0, Qt::AlignRight);

    connect(m_btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(m_btn_cancel, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_wvform_repe_t *, int32)), this,
            SLOT(wvform_repe_btn_slot_func(ui_wvform_repe_t *, int32)));
}

ui_wvform_repe_t::~ui_wvform_repe_t()
{
    delete m_repe_frame;
    delete m_samples_frame;
    delete m_btn_ok;
    delete m_btn_cancel;
}

void ui_wvform_repe_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == m_btn_ok)
        emit btn_info_signal(this, 3);
    else if (s == m_btn_cancel)
        emit btn_info_signal(this, 2);
}

void ui_wvform_repe_t::wvform_repe_btn_slot_func(ui_wvform_repe_t *type, int32 btn)
{
    emit wvform_repe_form_btn_signal(type, btn);
}
