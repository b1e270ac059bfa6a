#include "ui_comm_tree_form.h"

#include "drv_device_comm.h"
#include "lib_app_paths.h"
#include "ui_ip_create_form.h"
#include "ui_menu_exec.h"
#include "ui_meta_types.h"
#include "ui_prompt.h"

#include <QAction>
#include <QCursor>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

const char *const k_usb_icon = ":/Image/resources/image_comm_instr_usb.png";
const char *const k_network_icon = ":/Image/resources/image_comm_dev_network.png";
const char *const k_net_instr_icon = ":/Image/resources/image_comm_instr_net.png";
const char *const k_net_invalid_icon = ":/Image/resources/image_comm_instr_net_invalid.png";

QTreeWidgetItem *add_resource_item(const std::string &resource, const char *icon)
{
    auto *item = new QTreeWidgetItem();
    const QString text = QString::fromStdString(resource);
    item->setText(0, text);
    item->setToolTip(0, text);
    item->setIcon(0, QIcon(icon));
    return item;
}

} // namespace

ui_comm_tree_form_t::ui_comm_tree_form_t(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_tree(nullptr), m_refresh_act(nullptr), m_create_act(nullptr), m_send_act(nullptr),
      m_read_act(nullptr), m_import_act(nullptr), m_delete_act(nullptr), m_press_buttons(Qt::NoButton)
{
    ui_register_meta_types();
    qRegisterMetaType<ui_comm_mode_t>("ui_comm_mode_t");
    m_interfaces_label = tr("Devices and Interfaces");
    m_network_label = tr("Network Devices");
    create_actions();
    create_tree();
    load_manual_tcpip();
    refresh_commtree(0);
}

ui_comm_tree_form_t::~ui_comm_tree_form_t() = default;

void ui_comm_tree_form_t::create_actions()
{
    auto make = [this](const QString &text, const char *icon) {
        auto *action = new QAction(QIcon(icon), text, this);
        connect(action, SIGNAL(triggered()), this, SLOT(comm_rmenu_act_slot_func()));
        return action;
    };
    m_refresh_act = make(tr("Refresh"), ":/Image/resources/image_comm_refresh.png");
    m_create_act = make(tr("Create VISA TCP/IP Resource"), ":/Image/resources/image_comm_create_net.png");
    m_send_act = make(tr("Send waveform to AWG"), ":/Image/resources/image_comm_wv_send.png");
    m_read_act = make(tr("Read waveform from AWG"), ":/Image/resources/image_comm_wv_read.png");
    m_import_act = make(tr("Import waveform from scope"), ":/Image/resources/image_comm_import.png");
    m_delete_act = make(tr("Delete Resource"), ":/Image/resources/image_point_del.png");
}

void ui_comm_tree_form_t::create_tree()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName("comm_treewidget");
    m_tree->setColumnCount(1);
    auto *header = new QTreeWidgetItem();
    header->setText(0, m_interfaces_label);
    header->setIcon(0, QIcon(":/Image/resources/image_comm_dev_interface.ico"));
    m_tree->setHeaderItem(header);
    m_tree->setIconSize(QSize(16, 16));
    // Resource names are longer than the dock is wide: the column keeps its text whole
    // and the tree scrolls sideways instead of cutting it.
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_tree->viewport()->installEventFilter(this);
    connect(m_tree, SIGNAL(itemPressed(QTreeWidgetItem *, int)), this,
            SLOT(commtree_item_pressed_slot_func(QTreeWidgetItem *, int)));

    auto *grid = new QGridLayout(this);
    grid->setMargin(0);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_tree, 0, 0, 1, 1);
}

bool ui_comm_tree_form_t::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonPress)
        m_press_buttons = static_cast<QMouseEvent *>(event)->buttons();
    return QWidget::eventFilter(watched, event);
}

void ui_comm_tree_form_t::refresh_commtree(int mode)
{
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
    std::vector<std::string> found;
    comm->find_usb_resources(found);
    const int count = static_cast<int>(found.size());
    if (mode != 0 && !m_instr_list.is_usb_count_changed(count))
        return;
    // A grown count means a new device: the resource manager is opened afresh first.
    if (m_instr_list.is_usb_count_greater(count))
        comm->reopen_rm();
    m_instr_list.set_usb_count(count);
    m_instr_list.get_usb_resources() = found;
    m_instr_list.refresh_instr_list(mode == 0 ? 0 : 1);
    redraw();
}

void ui_comm_tree_form_t::load_manual_tcpip()
{
    std::map<std::string, bool> &resources = m_instr_list.get_tcpip_resources();
    resources.clear();
    const QMap<QString, QString> stored = m_xml.get_all_child_node_by_parent(g_config_file_path, "manual_tcp_ip", "IP");
    for (const QString &text : stored)
        resources.emplace(text.toUtf8().toStdString(), false);
}

void ui_comm_tree_form_t::add_usb_items()
{
    for (const std::string &resource : m_instr_list.get_usb_resources())
        m_tree->addTopLevelItem(add_resource_item(resource, k_usb_icon));
    m_tree->expandAll();
}

void ui_comm_tree_form_t::add_network_items()
{
    auto *network = new QTreeWidgetItem();
    network->setText(0, m_network_label);
    network->setIcon(0, QIcon(k_network_icon));
    m_tree->addTopLevelItem(network);
    for (const auto &entry : m_instr_list.get_tcpip_resources())
        network->addChild(add_resource_item(entry.first, entry.second ? k_net_instr_icon : k_net_invalid_icon));
    m_tree->expandAll();
}

void ui_comm_tree_form_t::clear_commtree() { m_tree->clear(); }

void ui_comm_tree_form_t::redraw()
{
    clear_commtree();
    add_usb_items();
    add_network_items();
}

void ui_comm_tree_form_t::commtree_item_pressed_slot_func(QTreeWidgetItem *pressedItem, int col)
{
    if (!pressedItem)
        return;
    m_pressed_text = pressedItem->text(0);
    if (m_press_buttons != Qt::RightButton)
        return;
    QMenu menu(this);
    menu.setObjectName("MOUSE_R_MENU_SETTINGS");
    build_context_menu(menu, pressedItem->text(col));
    if (!menu.isEmpty())
        ui_exec_menu(menu, QCursor::pos());
}

void ui_comm_tree_form_t::build_context_menu(QMenu &menu, const QString &text)
{
    if (text.isEmpty())
        return;
    // No item carries the header's text, so the Refresh entry stays out of sight.
    if (text == m_interfaces_label) {
        menu.addAction(m_refresh_act);
        return;
    }
    if (text == m_network_label) {
        menu.addAction(m_create_act);
        return;
    }
    menu.addAction(m_send_act);
    menu.addAction(m_read_act);
    menu.addAction(m_import_act);
    if (text.left(6) == "TCPIP0")
        menu.addAction(m_delete_act);
}

void ui_comm_tree_form_t::comm_rmenu_act_slot_func()
{
    QObject *from = sender();
    if (from == m_refresh_act)
        refresh_commtree(3);
    else if (from == m_create_act)
        open_ip_create_form();
    else if (from == m_send_act)
        request_interaction(UI_COMM_SEND);
    else if (from == m_read_act)
        request_interaction(UI_COMM_READ);
    else if (from == m_import_act)
        request_interaction(UI_COMM_IMPORT);
    else if (from == m_delete_act)
        delete_pressed_resource();
}

void ui_comm_tree_form_t::open_ip_create_form()
{
    auto *form = new ui_ip_create_form_t(this);
    connect(form, SIGNAL(ip_create_form_btn_signal(ui_ip_create_form_t *, int32)), this,
            SLOT(ip_create_form_btn_slot_func(ui_ip_create_form_t *, int32)));
    form->show();
}

void ui_comm_tree_form_t::delete_pressed_resource()
{
    if (!m_xml.delete_node_by_content(g_config_file_path, m_pressed_text))
        return;
    load_manual_tcpip();
    m_instr_list.refresh_instr_list(2);
    redraw();
}

template <typename record_t>
uint16 ui_comm_tree_form_t::find_row(const std::vector<record_t> &records)
{
    const std::string wanted = m_pressed_text.toUtf8().toStdString();
    uint16 row = 0;
    for (const record_t &record : records) {
        if (record.addr_res == wanted)
            return row;
        ++row;
    }
    ui_prompt_t prompt(this);
    prompt.show_info_box(
        tr("Non-supported manufacturer or unavailable resource. Continue with openning other resources."));
    return 0;
}

void ui_comm_tree_form_t::request_interaction(ui_comm_mode_t mode)
{
    const uint16 row =
        mode == UI_COMM_IMPORT ? find_row(*m_instr_list.get_scope_list()) : find_row(*m_instr_list.get_awg_list());
    emit instr_interact_request_signal(mode, row);
}

void ui_comm_tree_form_t::ip_create_form_btn_slot_func(ui_ip_create_form_t *type, int32 btn)
{
    if (btn < 0 || btn > 2)
        return;
    if (btn == 0) {
        load_manual_tcpip();
        m_instr_list.refresh_instr_list(2);
    }
    if (type)
        type->close();
    if (btn == 0)
        redraw();
}
