#pragma once
#include "lib_types.h"
#include "ui_comm_mode.h"
#include "ui_comm_tree_xml.h"
#include "ui_instr_list.h"

#include <QString>
#include <QWidget>

#include <vector>

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class ui_ip_create_form_t;

// The instrument tree of the main window's dock: the USB resources of the last VISA
// scan, then "Network Devices" with the TCP/IP resources stored in the configuration.
// It owns the program's instrument list, rescans on request, adds and deletes TCP/IP
// resources, and turns the context menu's Send, Read and Import into
// instr_interact_request_signal with the instrument's row.
class ui_comm_tree_form_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_comm_tree_form_t(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~ui_comm_tree_form_t() override;

    // Mode 0 rescans, identifies everything and redraws; any other mode does so (for the
    // USB resources only) just when the number of USB resources changed.
    void refresh_commtree(int mode);
    void load_manual_tcpip();
    void add_usb_items();
    void add_network_items();
    void clear_commtree();

    ui_instr_list_t *get_instr_list() { return &m_instr_list; }
    QTreeWidget *tree() const { return m_tree; }
    QString pressed_text() const { return m_pressed_text; }

signals:
    void instr_interact_request_signal(ui_comm_mode_t type, uint16 res_row_sel);

public slots:
    void commtree_item_pressed_slot_func(QTreeWidgetItem *pressedItem, int col);
    void comm_rmenu_act_slot_func();
    void ip_create_form_btn_slot_func(ui_ip_create_form_t *type, int32 btn);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void create_actions();
    void create_tree();
    // The entries offered for an item of that text (none for an empty text).
    void build_context_menu(QMenu &menu, const QString &text);
    void redraw();
    void open_ip_create_form();
    void delete_pressed_resource();
    void request_interaction(ui_comm_mode_t mode);
    template <typename record_t>
    uint16 find_row(const std::vector<record_t> &records);

    ui_instr_list_t m_instr_list;
    QTreeWidget *m_tree;
    QString m_pressed_text;
    QAction *m_refresh_act;
    QAction *m_create_act;
    QAction *m_send_act;
    QAction *m_read_act;
    QAction *m_import_act;
    QAction *m_delete_act;
    ui_comm_tree_xml_t m_xml;
    QString m_interfaces_label;
    QString m_network_label;
    // The buttons held at the last press on the tree, read by the item-pressed slot.
    Qt::MouseButtons m_press_buttons;
};
