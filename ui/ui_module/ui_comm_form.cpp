// The communication dialog: construction, the instrument table, its rows and sessions,
// the buttons and the result messages.
#include "ui_comm_form.h"

#include "cfg_if_bswv_sine.h"
#include "drv_device_comm.h"
#include "ui_comm_form_form.h"
#include "ui_coustom_btn.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_label.h"
#include "ui_coustom_rdbtn.h"
#include "ui_menu_exec.h"
#include "ui_meta_types.h"
#include "ui_prompt.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDebug>
#include <QMenu>
#include <cstdio>

namespace {

const char *const k_red = "background-color: rgb(255, 0, 0)";
const char *const k_green = "background-color: rgb(0, 255, 0)";

struct ret_text_t
{
    int code;
    const char *text;
};

// The message of each result code; -38 has none (the main window's prompt shows it).
const ret_text_t k_ret_texts[] = {
    {1, QT_TRANSLATE_NOOP("ui_comm_form_t", "Send waveform to AWG successfully.")},
    {-20, QT_TRANSLATE_NOOP("ui_comm_form_t", "Failed to import waveform.\nPlease check the connection of instrument.")},
    {-21, QT_TRANSLATE_NOOP("ui_comm_form_t",
                            "Failed to get ARB waveform list.\nPlease check the connection of instrument.")},
    {-22, QT_TRANSLATE_NOOP("ui_comm_form_t",
                            "Failed to read command from AWG.\nPlease check the connection of instrument.")},
    {-23, QT_TRANSLATE_NOOP("ui_comm_form_t", "Failed to read ARB data.\nPlease check the length of current waveform.")},
    {-24, QT_TRANSLATE_NOOP("ui_comm_form_t",
                            "Failed to send command or data to AWG.\nPlease check the connection of instrument.")},
    {-25, QT_TRANSLATE_NOOP("ui_comm_form_t", "The instrument does not support this format.")},
    {-26, QT_TRANSLATE_NOOP("ui_comm_form_t", "The frequency is out of range.")},
    {-27, QT_TRANSLATE_NOOP("ui_comm_form_t", "The amplitude is out of range.")},
    {-28, QT_TRANSLATE_NOOP("ui_comm_form_t", "The offset is out of range.")},
    {-29, QT_TRANSLATE_NOOP("ui_comm_form_t", "The phase is out of range.")},
    {-30, QT_TRANSLATE_NOOP("ui_comm_form_t", "Failed to send waveform to AWG.\nPlease check the connection.")},
    {-31, QT_TRANSLATE_NOOP("ui_comm_form_t", "Error occurs.\nPlease check the connection of instrument.")},
    {-32, QT_TRANSLATE_NOOP("ui_comm_form_t", "Errors about memory occurred while sending wave to AWG.")},
    {-33, QT_TRANSLATE_NOOP("ui_comm_form_t",
                            "The wave which has 512K points can only be sent to ARB25~ARB32 of ZQWQ000.")},
    {-34, QT_TRANSLATE_NOOP("ui_comm_form_t", "The wave which has 512K points can only be sent to ARB4 of ZQWQ000.")},
    {-35, QT_TRANSLATE_NOOP("ui_comm_form_t", "The waveform name cannot be empty.")},
    {-36, QT_TRANSLATE_NOOP("ui_comm_form_t", "The waveform name can not contain chinese characters.")},
    {-37, QT_TRANSLATE_NOOP("ui_comm_form_t",
                            "The waveform name is invalid. It can be composed of numbers, letters, underscores and "
                            "minus signs. The length is 1 ~ 18 and cannot contain spaces.")},
};

// The brand whose model-class-9 generators the table names by the brand itself.
const char *const k_special_brand = "DUVARN";

} // namespace

ui_comm_form_t::ui_comm_form_t(QWidget *parent, int m, ui_instr_list_t *list, const QList<cfg_if_wv_t *> &wave_list,
                               const QStringList &titles, int index)
    : QWidget(parent), wave(nullptr), ui(nullptr), mode(m), channel(0), session(0), connected(false),
      instr_model_form(tr("Instrument Model:")), handed_over(false), owns_wave(false)
{
    init_form(m, list);
    waves = wave_list;
    load_wave_titles(titles, index);
    wave = waves.value(wave_combo->currentData().toInt(), nullptr);
    update_row_state(0);
}

ui_comm_form_t::ui_comm_form_t(QWidget *parent, int m, ui_instr_list_t *list)
    : QWidget(parent), wave(nullptr), ui(nullptr), mode(m), channel(0), session(0), connected(false),
      instr_model_form(tr("Instrument Model:")), handed_over(false), owns_wave(false)
{
    store_location = "/Local";
    init_form(m, list);
    wave = new cfg_if_bswv_sine_t();
    owns_wave = true;
    update_row_state(0);
}

ui_comm_form_t::~ui_comm_form_t()
{
    // A received waveform nobody took is the dialog's to drop.
    if (owns_wave && !handed_over) {
        wave->release_wv_data(false);
        delete wave;
    }
    delete ui;
}

void ui_comm_form_t::init_form(int m, ui_instr_list_t *list)
{
    ui_register_meta_types();
    ui = new Ui_ui_comm_form_t;
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() | Qt::Dialog) & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    setFixedSize(size());
    setWindowModality(Qt::ApplicationModal);

    session = 0;
    if (list)
        instr_list = *list;
    wave = nullptr;
    mode = m;
    instr_info = awg_prod_info_t();
    instr_info.model_class = 2;

    create_areas();
    init_instr_table();
    set_style_names();
    reset_row_indicators();
    update_instr_table();
}

void ui_comm_form_t::create_areas()
{
    create_param_area();
    create_channel_area();
    create_button_area();
    update_button_visibility();
    for (QPushButton *b : {ui->btn_connect, ui->btn_disconnect})
        b->setEnabled(false);
    for (QPushButton *b : {static_cast<QPushButton *>(send_btn), static_cast<QPushButton *>(read_btn),
                           static_cast<QPushButton *>(import_btn)})
        b->setEnabled(false);
    ch_rdbtns[0]->setChecked(true);
}

void ui_comm_form_t::create_button_area()
{
    send_btn = new ui_coustom_btn_t(tr("Send"), ui->gridLayoutWidget);
    read_btn = new ui_coustom_btn_t(tr("Read"), ui->gridLayoutWidget);
    import_btn = new ui_coustom_btn_t(tr("Import"), ui->gridLayoutWidget);
    cancel_btn = new ui_coustom_btn_t(tr("Cancel"), ui->gridLayoutWidget);
    for (ui_coustom_btn_t *b : {send_btn, read_btn, import_btn, cancel_btn})
        b->setFixedSize(75, 31);
    ui->glayout_btn->addWidget(send_btn, 0, 0);
    ui->glayout_btn->addWidget(read_btn, 0, 0);
    ui->glayout_btn->addWidget(import_btn, 0, 0);
    ui->glayout_btn->addWidget(cancel_btn, 0, 1);
}

void ui_comm_form_t::update_button_visibility()
{
    send_btn->setVisible(mode == 0);
    read_btn->setVisible(mode == 1);
    import_btn->setVisible(mode == 2);
    cancel_btn->setVisible(true);
}

void ui_comm_form_t::init_instr_table()
{
    QTableWidget *t = ui->instrument_table;
    t->setHorizontalHeaderLabels({tr("Manufacturer"), tr("Model"), tr("Serial Number"), tr("VISA Address")});
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->horizontalHeader()->setStyleSheet(
        "QHeaderView::section{background:rgb(255,255,255);color: rgb(0, 0, 0);font-weight:bold}");
    t->horizontalHeader()->setFixedHeight(25);
    const int widths[] = {110, 120, 130, 320};
    for (int c = 0; c < 4; ++c)
        t->setColumnWidth(c, widths[c]);
    row_sessions.clear();
    row_connected.clear();
    for (int r = 0; r < k_rows; ++r) {
        t->setRowHeight(r, 31);
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem();
            item->setFlags(Qt::ItemIsEnabled);
            t->setItem(r, c, item);
        }
        row_sessions << 0;
        row_connected << false;
    }

    connect(ui->btn_connect, SIGNAL(clicked()), this, SLOT(connect_slot_func()));
    connect(ui->btn_disconnect, SIGNAL(clicked()), this, SLOT(disconnect_slot_func()));
    for (QPushButton *b : {static_cast<QPushButton *>(send_btn), static_cast<QPushButton *>(read_btn),
                           static_cast<QPushButton *>(import_btn), static_cast<QPushButton *>(cancel_btn)})
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    for (ui_coustom_rdbtn_t *b : ch_rdbtns)
        connect(b, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(digital_rdbtn, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    connect(wave_combo, SIGNAL(activated(QString)), this, SLOT(combx_slot_func(QString)));
    connect(wave_list_combo, SIGNAL(activated(QString)), this, SLOT(combx_slot_func(QString)));
    for (ui_coustom_comb_t *c : {local_store_combo, arb10_combo, arb_combo, points_combo})
        connect(c, SIGNAL(activated(int)), this, SLOT(combx_slot_func(int)), Qt::UniqueConnection);
    connect(t, SIGNAL(cellPressed(int, int)), this, SLOT(comm_table_slot_func(int, int)));
    connect(this, SIGNAL(btn_info_signal(ui_comm_form_t *, int32)), this,
            SLOT(comm_form_btn_slot_func(ui_comm_form_t *, int32)));
}

void ui_comm_form_t::set_style_names()
{
    setObjectName("normal_widget");
    for (QPushButton *b : {ui->btn_connect, ui->btn_disconnect, static_cast<QPushButton *>(send_btn),
                           static_cast<QPushButton *>(read_btn), static_cast<QPushButton *>(import_btn),
                           static_cast<QPushButton *>(cancel_btn)})
        b->setObjectName("normal_button");
    for (ui_coustom_comb_t *c : {wave_combo, local_store_combo, arb10_combo, arb_combo, wave_list_combo, points_combo})
        c->setObjectName("normal_comb");
    for (ui_coustom_label_t *l : {wave_list_label, store_location_label, points_label})
        l->setObjectName("normal_label");
    for (ui_coustom_rdbtn_t *b : ch_rdbtns)
        b->setObjectName("normal_rdbtn");
    digital_rdbtn->setObjectName("normal_rdbtn");
    for (QGroupBox *g : {ui->gpbx_sel_ip, ui->gpbx_param_settings, ui->gpbx_ch_selection})
        g->setObjectName("normal_gpbx");
    ui->instrument_table->setObjectName("normal_table_widget");
}

void ui_comm_form_t::reset_row_indicators()
{
    for (QPushButton *b : ui->show_btn) {
        b->setStyleSheet(k_red);
        b->setEnabled(false);
        b->hide();
    }
}

void ui_comm_form_t::update_instr_table()
{
    QTableWidget *t = ui->instrument_table;
    auto set_row = [&](int row, const std::string &manufacturer, const std::string &model, const std::string &serial,
                       const std::string &address) {
        const std::string cells[] = {manufacturer, model, serial, address};
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem(QString::fromStdString(cells[c]));
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            t->setItem(row, c, item);
        }
        std::printf("prod_info.addr_res = %s\n", address.c_str());
    };
    if (mode == 2) {
        const std::vector<scope_prod_info_t> &scopes = *instr_list.get_scope_list();
        for (std::size_t i = 0; i < scopes.size() && i < static_cast<std::size_t>(k_rows); ++i)
            set_row(static_cast<int>(i), scopes[i].manufacturer, scopes[i].model, scopes[i].serial_number,
                    scopes[i].addr_res);
        return;
    }
    const std::vector<awg_prod_info_t> awgs = mode == 1 ? instr_list.copy_awg_list() : *instr_list.get_awg_list();
    for (std::size_t i = 0; i < awgs.size() && i < static_cast<std::size_t>(k_rows); ++i) {
        const awg_prod_info_t &a = awgs[i];
        if (factory_brand == k_special_brand && a.model_class == 9) {
            set_row(static_cast<int>(i), factory_brand, "QX4HVB2200-KTRM", a.serial_number, a.addr_res);
            const int widths[] = {90, 140, 130, 320};
            for (int c = 0; c < 4; ++c)
                t->setColumnWidth(c, widths[c]);
        } else {
            set_row(static_cast<int>(i), a.manufacturer, a.model, a.serial_number, a.addr_res);
        }
    }
}

QString ui_comm_form_t::row_address(int row) const
{
    QTableWidgetItem *item = ui->instrument_table->item(row, 3);
    return item ? item->text() : QString();
}

int ui_comm_form_t::current_instrument_row() const
{
    const int row = ui->instrument_table->currentRow();
    if (row < 0 || row >= k_rows || row_address(row).isEmpty())
        return -1;
    return row;
}

awg_prod_info_t ui_comm_form_t::get_awg_record(int row)
{
    const std::vector<awg_prod_info_t> &awgs = *instr_list.get_awg_list();
    if (row >= 0 && static_cast<std::size_t>(row) < awgs.size())
        return awgs[static_cast<std::size_t>(row)];
    // A row without instrument lays the areas out as before any selection.
    awg_prod_info_t none;
    none.model_class = 2;
    return none;
}

void ui_comm_form_t::set_action_buttons(bool row_connected_now)
{
    ui->btn_connect->setEnabled(!row_connected_now);
    for (QPushButton *b : {ui->btn_disconnect, static_cast<QPushButton *>(send_btn),
                           static_cast<QPushButton *>(read_btn), static_cast<QPushButton *>(import_btn)})
        b->setEnabled(row_connected_now);
}

void ui_comm_form_t::comm_table_slot_func(int row, int)
{
    if (row < 0 || row >= k_rows)
        return;
    if (row_address(row).isEmpty()) {
        ui->btn_connect->setEnabled(false);
        for (QPushButton *b : {ui->btn_disconnect, static_cast<QPushButton *>(send_btn),
                               static_cast<QPushButton *>(read_btn), static_cast<QPushButton *>(import_btn)})
            b->setEnabled(false);
    } else if (row_connected[row]) {
        set_action_buttons(true);
        session = row_sessions[row];
        connected = true;
    } else {
        set_action_buttons(false);
        connected = false;
    }
    update_row_state(row);
    instr_info = get_awg_record(row);
    update_arb_count(row);
    update_param_area();
    update_channel_buttons();
    update_store_location();
    update_digital_button(row);
}

void ui_comm_form_t::connect_slot_func()
{
    const int row = current_instrument_row();
    // A second session to a connected row would never be closed.
    if (row < 0 || row_connected[row])
        return;
    const std::string resource = row_address(row).toUtf8().toStdString();
    ViSession opened = 0;
    if (drv_device_comm_t::get_instance()->open_instr(resource, opened) < 0) {
        row_connected[row] = false;
        connected = false;
        set_action_buttons(false);
    } else {
        session = opened;
        row_connected[row] = true;
        connected = true;
        set_action_buttons(true);
        row_sessions[row] = session;
    }
    update_row_state(row);
    if (mode == 0) {
        update_arb_count(row);
        update_digital_button(row);
    } else if (mode == 1) {
        update_wave_list();
    } else if (mode == 2) {
        update_channel_buttons();
    }
}

void ui_comm_form_t::disconnect_slot_func()
{
    const int row = current_instrument_row();
    if (row < 0)
        return;
    if (row_sessions[row] != 0) {
        drv_device_comm_t::get_instance()->close_instr(row_sessions[row]);
        row_connected[row] = false;
        connected = false;
        set_action_buttons(false);
        row_sessions[row] = 0;
    }
    update_row_state(row);
    if (mode == 1)
        update_wave_list();
}

void ui_comm_form_t::close_all_vi()
{
    for (ViSession &s : row_sessions) {
        if (s == 0)
            continue;
        qDebug() << "void ui_comm_form_t::close_all_vi()" << s;
        drv_device_comm_t::get_instance()->close_instr(s);
        s = 0;
    }
}

void ui_comm_form_t::update_row_state(int row)
{
    if (row < 0 || row >= k_rows)
        return;
    for (int i = 0; i < k_rows; ++i) {
        QPushButton *b = ui->show_btn[i];
        if (i == row) {
            b->setStyleSheet(row_connected[i] ? k_green : k_red);
            b->show();
        } else {
            b->hide();
        }
    }
}

void ui_comm_form_t::set_row_session(int row, ViSession s)
{
    if (row >= 0 && row < row_sessions.size())
        row_sessions[row] = s;
}

void ui_comm_form_t::set_row_connected(int row, bool flag)
{
    if (row >= 0 && row < row_connected.size())
        row_connected[row] = flag;
    connected = flag;
}

void ui_comm_form_t::build_context_menu(QMenu &menu)
{
    QAction *c = menu.addAction(tr("connect"));
    QAction *d = menu.addAction(tr("disconnect"));
    connect(c, SIGNAL(triggered()), this, SLOT(connect_slot_func()));
    connect(d, SIGNAL(triggered()), this, SLOT(disconnect_slot_func()));
}

void ui_comm_form_t::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    build_context_menu(menu);
    ui_exec_menu(menu, event->globalPos());
}

void ui_comm_form_t::connect_func(const QString &resource)
{
    qDebug() << "connect_func=" << resource;
    for (int r = 0; r < k_rows; ++r) {
        qDebug() << row_address(r);
        if (row_address(r) == resource) {
            ui->instrument_table->setCurrentCell(r, 0);
            break;
        }
    }
    connect_slot_func();
}

void ui_comm_form_t::disconnect_func(const QString &resource)
{
    qDebug() << "disconnect_func=" << resource;
    for (int r = 0; r < k_rows; ++r)
        if (row_address(r) == resource) {
            ui->instrument_table->setCurrentCell(r, 0);
            break;
        }
    disconnect_slot_func();
}

void ui_comm_form_t::btn_slot_func()
{
    QObject *from = sender();
    if (from == send_btn) {
        send_and_report();
    } else if (from == read_btn || from == import_btn) {
        const bool read = from == read_btn;
        const ui_comm_ret_t r = read ? read_wave() : import_scope_wave();
        if (r >= 0) {
            wave->set_clear_on_release(false);
            emit btn_info_signal(this, read ? 6 : 7);
        } else {
            show_comm_ret_info(r);
        }
    } else if (from == cancel_btn) {
        close_all_vi();
        emit btn_info_signal(this, 2);
    } else {
        for (int i = 0; i < 8; ++i)
            if (from == ch_rdbtns[i] && ch_rdbtns[i]->isChecked())
                channel = i;
        if (from == digital_rdbtn && digital_rdbtn->isChecked())
            channel = 8;
    }
}

void ui_comm_form_t::send_and_report()
{
    const ui_comm_ret_t r = send_wave();
    if (r == 1 || r < 0)
        show_comm_ret_info(r);
}

void ui_comm_form_t::comm_form_btn_slot_func(ui_comm_form_t *type, int32 btn) { emit comm_form_btn_signal(type, btn); }

void ui_comm_form_t::combx_slot_func(QString text)
{
    if (sender() == wave_combo)
        wave_name = wave_name_from_title(text);
}

void ui_comm_form_t::combx_slot_func(int)
{
    QObject *from = sender();
    if (from == local_store_combo || from == arb10_combo || from == arb_combo)
        update_store_location();
}

void ui_comm_form_t::show_comm_ret_info(int code)
{
    if (code == -38) {
        emit system_info_signal(0);
        return;
    }
    for (const ret_text_t &t : k_ret_texts)
        if (t.code == code) {
            ui_prompt_t prompt(this);
            prompt.show_info_box(tr(t.text), false);
            return;
        }
}

cfg_if_wv_t *ui_comm_form_t::take_wave_object()
{
    if (!owns_wave || handed_over)
        return nullptr;
    handed_over = true;
    return wave;
}

void ui_comm_form_t::closeEvent(QCloseEvent *event)
{
    close_all_vi();
    QWidget::closeEvent(event);
}
