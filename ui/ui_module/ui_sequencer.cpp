#include "ui_sequencer.h"

#include "lib_diag.h"
#include "ui_coustom_btn.h"
#include "ui_coustom_gpbx.h"
#include "ui_meta_types.h"
#include "ui_preview_plot.h"
#include "ui_table_widget.h"
#include "ui_wvform_repe.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>

namespace {

struct icon_button_t
{
    const char *icon;
    const char *tip;
};

const icon_button_t k_wave_buttons[4] = {
    {":/Image/resources/image_basic_open.png", QT_TRANSLATE_NOOP("ui_sequencer_t", "Import Waveform")},
    {":/Image/resources/image_stdwv.png", QT_TRANSLATE_NOOP("ui_sequencer_t", "Add Standard Waveform")},
    {":/Image/resources/image_equation.png", QT_TRANSLATE_NOOP("ui_sequencer_t", "Add Waveform by Equation Editor")},
    {":/Image/resources/image_sequencer_decreace.png", QT_TRANSLATE_NOOP("ui_sequencer_t", "Remove Waveform")},
};

const icon_button_t k_seq_buttons[7] = {
    {":/Image/resources/image_basic_save.png", QT_TRANSLATE_NOOP("ui_sequencer_t", "Save Sequencer")},
    {":/Image/resources/image_sequencer_add_one.png", QT_TRANSLATE_NOOP("ui_sequencer_t", "Add Waveform to Sequencer")},
    {":/Image/resources/image_sequencer_add_all.png",
     QT_TRANSLATE_NOOP("ui_sequencer_t", "Add All Waveforms to Sequencer")},
    {":/Image/resources/image_sequencer_remove_one.png",
     QT_TRANSLATE_NOOP("ui_sequencer_t", "Remove Waveform from the Sequencer")},
    {":/Image/resources/image_sequencer_remove_all.png",
     QT_TRANSLATE_NOOP("ui_sequencer_t", "Remove All Waveforms from the Sequencer")},
    {":/Image/resources/image_sequencer_move_up.png", QT_TRANSLATE_NOOP("ui_sequencer_t", "Move Sequencer entry Up")},
    {":/Image/resources/image_sequencer_move_down.png",
     QT_TRANSLATE_NOOP("ui_sequencer_t", "Move Sequencer entry Down")},
};

} // namespace

// The icons live in this static library: register them before the first use.
static void init_sequencer_icons() { Q_INIT_RESOURCE(ui_sequencer); }

ui_sequencer_t::ui_sequencer_t(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    ui_register_meta_types();
    init_sequencer_icons();
    resize(916, 508);
    setWindowTitle(tr("Sequence Editor"));
    build_wave_group();
    build_seq_group();
    build_preview_group();
    build_layout();
    build_menus();

    connect(m_btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(m_btn_cancel, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(this, SIGNAL(btn_info_signal(ui_sequencer_t *, int32)), this,
            SLOT(sequencer_form_btn_slot_func(ui_sequencer_t *, int32)));
    for (QAbstractButton *b : get_icon_buttons())
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    for (QAction *a : {m_act_add, m_act_remove_wave, m_act_edit, m_act_remove, m_act_up, m_act_down})
        connect(a, SIGNAL(triggered()), this, SLOT(act_slot_func()));
    connect(m_wave_list, SIGNAL(cellPressed(int, int)), this, SLOT(table_pressed_slot_func(int, int)));
    connect(m_seq_table, SIGNAL(cellPressed(int, int)), this, SLOT(table_pressed_slot_func(int, int)));
    connect(m_seq_table, SIGNAL(cellDoubleClicked(int, int)), this, SLOT(table_click_slot_func(int, int)));
}

ui_sequencer_t::~ui_sequencer_t() = default;

std::vector<QAbstractButton *> ui_sequencer_t::get_icon_buttons() const
{
    std::vector<QAbstractButton *> v = {m_btn_import, m_btn_stdwv, m_btn_equation, m_btn_remove_wave};
    for (ui_coustom_btn_t *b : m_seq_btns)
        v.push_back(b);
    return v;
}

void ui_sequencer_t::build_wave_group()
{
    m_wave_gpbx = new ui_coustom_gpbx_t(tr("Waveform"));
    m_wave_list = new ui_table_widget_t(this);
    m_wave_list->installEventFilter(this);
    m_wave_list->setObjectName("normal_table_widget");
    m_wave_list->setColumnCount(2);
    m_wave_list->setColumnWidth(0, 266);
    m_wave_list->setColumnWidth(1, 89);
    m_wave_list->setHorizontalHeaderLabels({tr("Waveform"), "Length"});
    m_wave_list->verticalHeader()->setVisible(false);
    m_wave_list->setRowCount(4);

    QFrame *frame = new QFrame;
    frame->setObjectName("sequencer_frame");
    frame->setFixedWidth(150);
    QGridLayout *fg = new QGridLayout(frame);
    fg->setMargin(0);
    fg->setSpacing(0);
    fg->setContentsMargins(0, 0, 0, 0);
    fg->setAlignment(Qt::AlignLeft);
    QPushButton **buttons[4] = {&m_btn_import, &m_btn_stdwv, &m_btn_equation, &m_btn_remove_wave};
    for (int i = 0; i < 4; ++i) {
        QPushButton *b = new QPushButton;
        b->setIcon(QIcon(k_wave_buttons[i].icon));
        b->setToolTip(tr(k_wave_buttons[i].tip));
        b->setFixedSize(30, 30);
        b->setObjectName("tbar_button");
        fg->addWidget(b, 0, i);
        *buttons[i] = b;
    }
    QGridLayout *grid = new QGridLayout(m_wave_gpbx);
    grid->setMargin(0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(4);
    grid->setContentsMargins(4, 2, 4, 4);
    grid->setAlignment(Qt::AlignCenter);
    grid->addWidget(frame, 0, 0);
    grid->addWidget(m_wave_list, 1, 0);
}

void ui_sequencer_t::build_seq_group()
{
    m_seq_gpbx = new ui_coustom_gpbx_t(tr("Sequencer"));
    m_seq_table = new ui_table_widget_t(this);
    m_seq_table->installEventFilter(this);
    m_seq_table->setObjectName("normal_table_widget");
    m_seq_table->setColumnCount(4);
    const int widths[4] = {50, 266, 80, 89};
    for (int i = 0; i < 4; ++i)
        m_seq_table->setColumnWidth(i, widths[i]);
    m_seq_table->setHorizontalHeaderLabels({tr("Index"), tr("Waveform"), tr("Repetitions"), "Length"});
    m_seq_table->verticalHeader()->setVisible(false);
    m_seq_table->setRowCount(4);

    QFrame *frame = new QFrame;
    QGridLayout *fg = new QGridLayout(frame);
    fg->setMargin(0);
    fg->setSpacing(0);
    fg->setContentsMargins(0, 0, 0, 0);
    fg->setAlignment(Qt::AlignTop);
    for (int i = 0; i < 7; ++i) {
        ui_coustom_btn_t *b = new ui_coustom_btn_t(QIcon(k_seq_buttons[i].icon), QString());
        b->setToolTip(tr(k_seq_buttons[i].tip));
        b->setFixedSize(30, 30);
        fg->addWidget(b, i, 0);
        m_seq_btns[i] = b;
    }
    QGridLayout *grid = new QGridLayout(m_seq_gpbx);
    grid->setMargin(0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setAlignment(Qt::AlignCenter);
    grid->addWidget(frame, 0, 0);
    grid->addWidget(m_seq_table, 0, 1);
}

void ui_sequencer_t::build_preview_group()
{
    m_preview_gpbx = new ui_coustom_gpbx_t(tr("Preview"));
    m_preview_plot = new ui_preview_plot_t;
    m_preview_plot->set_xbottom_scale(0.0f, 16383.0f);
    m_preview_plot->set_yleft_scale(-1.0f, 1.0f);
    m_preview_plot->set_axis_show(true);
    m_preview_plot->set_grid_show(true);
    m_preview_plot->set_time_scale_show(false);
    m_preview_plot->replot();
    QGridLayout *grid = new QGridLayout(m_preview_gpbx);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(4);
    grid->setContentsMargins(4, 0, 4, 4);
    grid->addWidget(m_preview_plot);
}

void ui_sequencer_t::build_layout()
{
    setObjectName("normal_widget");
    QGridLayout *grid = new QGridLayout(this);
    grid->setMargin(0);
    grid->setHorizontalSpacing(9);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(4, 0, 0, 0);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_wave_gpbx->setFixedSize(367, 261);
    m_seq_gpbx->setFixedSize(531, 261);
    m_preview_gpbx->setFixedSize(907, 201);
    grid->addWidget(m_wave_gpbx, 0, 0);
    grid->addWidget(m_seq_gpbx, 0, 1);
    grid->addWidget(m_preview_gpbx, 1, 0, 1, 2);
    QFrame *buttons = new QFrame;
    QHBoxLayout *row = new QHBoxLayout(buttons);
    row->setSpacing(30);
    row->setMargin(0);
    row->setContentsMargins(0, 8, 0, 0);
    m_btn_ok = new ui_coustom_btn_t(tr("OK"));
    m_btn_cancel = new ui_coustom_btn_t(tr("Cancel"));
    m_btn_ok->setFixedSize(60, 31);
    m_btn_cancel->setFixedSize(60, 31);
    row->addWidget(m_btn_ok);
    row->addWidget(m_btn_cancel);
    grid->addWidget(buttons, 2, 1, Qt::AlignRight);
}

void ui_sequencer_t::build_menus()
{
    m_wave_menu = new QMenu(this);
    m_act_add = m_wave_menu->addAction(tr("Add to Sequencer"));
    m_act_remove_wave = m_wave_menu->addAction(tr("Remove Waveform"));
    m_seq_menu = new QMenu(this);
    m_act_edit = m_seq_menu->addAction(tr("Edit Entry"));
    m_act_remove = m_seq_menu->addAction(tr("Remove"));
    m_act_up = m_seq_menu->addAction(tr("Move Sequencer entry Up"));
    m_act_down = m_seq_menu->addAction(tr("Move Sequencer entry Down"));
}

bool ui_sequencer_t::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu && (watched == m_wave_list || watched == m_seq_table)) {
        (watched == m_wave_list ? m_wave_menu : m_seq_menu)->exec(QCursor::pos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ui_sequencer_t::btn_slot_func()
{
    QObject *s = sender();
    if (s == m_btn_ok)
        emit btn_info_signal(this, 3);
    else if (s == m_btn_cancel)
        emit btn_info_signal(this, 2);
}

void ui_sequencer_t::act_slot_func()
{
    if (sender() == m_act_edit)
        open_repetitions();
}

void ui_sequencer_t::sequencer_form_btn_slot_func(ui_sequencer_t *type, int32 btn)
{
    emit sequencer_form_btn_signal(type, btn);
}

void ui_sequencer_t::table_pressed_slot_func(int row, int)
{
    QObject *s = sender();
    if (s == m_wave_list)
        m_wave_list->selectRow(row);
    else if (s == m_seq_table)
        m_seq_table->selectRow(row);
}

void ui_sequencer_t::table_click_slot_func(int, int)
{
    if (sender() == m_seq_table)
        open_repetitions();
}

void ui_sequencer_t::open_repetitions()
{
    ui_wvform_repe_t *dlg = new ui_wvform_repe_t(this, Qt::WindowFlags());
    connect(dlg, SIGNAL(wvform_repe_form_btn_signal(ui_wvform_repe_t *, int32)), this,
            SLOT(wvform_repe_btn_slot_func(ui_wvform_repe_t *, int32)));
    dlg->show();
}

void ui_sequencer_t::wvform_repe_btn_slot_func(ui_wvform_repe_t *type, int32 btn)
{
    if (btn == 2)
        type->close();
    else if (btn == 3)
        lib_diag_line("++++++ok");
}
