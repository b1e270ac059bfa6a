// The instrument tree against simulated instruments: scans, items, context menus, and
// adding and deleting TCP/IP resources.
#include "drv_device_comm.h"
#include "lib_app_paths.h"
#include "lib_xml.h"
#include "ui_comm_tree_form.h"
#include "ui_ip_create_form.h"
#include "ui_ipline_widget.h"
#include "ui_meta_types.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "instrument_env.h"
#include "menu_script.h"
#include "prompt_script.h"

namespace {

const QString network = "Network Devices";
const QString k_send = "Send waveform to AWG";
const QString k_read = "Read waveform from AWG";
const QString k_import = "Import waveform from scope";
const QString k_delete = "Delete Resource";
const QString k_create = "Create VISA TCP/IP Resource";
const QString unavailable =
    "Non-supported manufacturer or unavailable resource. Continue with openning other resources.";

const char *usb_icon = ":/Image/resources/image_comm_instr_usb.png";
const char *net_icon = ":/Image/resources/image_comm_instr_net.png";
const char *invalid_icon = ":/Image/resources/image_comm_instr_net_invalid.png";

bool same_icon(const QIcon &icon, const char *path)
{
    const QImage shown = icon.pixmap(16, 16).toImage();
    return !shown.isNull() && shown == QIcon(path).pixmap(16, 16).toImage();
}

QByteArray file_bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct request_t
{
    int mode, row;
    bool operator==(const request_t &o) const { return mode == o.mode && row == o.row; }
};

class CommTree : public testing::Test
{
protected:
    void SetUp() override
    {
        ui_register_meta_types();
        g_config_dir = QDir::currentPath();
        g_config_file_path = g_config_dir + "/ondrix_config.xml";
        lib_xml_t().create_file_template(g_config_file_path);
    }
    void TearDown() override { tree.reset(); }

    void store(const QString &name, const std::string &resource)
    {
        ASSERT_TRUE(lib_xml_t().add_node(g_config_file_path, "manual_tcp_ip", name, QString::fromStdString(resource)));
    }

    void build()
    {
        tree = std::make_unique<ui_comm_tree_form_t>();
        tree->resize(320, 400);
        tree->show();
        QObject::connect(tree.get(), &ui_comm_tree_form_t::instr_interact_request_signal,
                         [this](ui_comm_mode_t mode, uint16 row) { requests.push_back({int(mode), int(row)}); });
    }

    QTreeWidget *widget() const { return tree->tree(); }
    QStringList top_texts() const
    {
        QStringList out;
        for (int i = 0; i < widget()->topLevelItemCount(); ++i)
            out << widget()->topLevelItem(i)->text(0);
        return out;
    }
    QTreeWidgetItem *network_item() const
    {
        QList<QTreeWidgetItem *> found = widget()->findItems(network, Qt::MatchExactly);
        return found.size() == 1 ? found[0] : nullptr;
    }
    QStringList network_texts() const
    {
        QStringList out;
        if (QTreeWidgetItem *n = network_item())
            for (int i = 0; i < n->childCount(); ++i)
                out << n->child(i)->text(0);
        return out;
    }
    QTreeWidgetItem *item(const std::string &text) const
    {
        QList<QTreeWidgetItem *> found =
            widget()->findItems(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found[0];
    }

    // Presses go through the window, as the user's do, so that the buttons already held
    // count too.
    QPoint window_pos(QTreeWidgetItem *it) const
    {
        return widget()->viewport()->mapTo(tree->window(), widget()->visualItemRect(it).center());
    }
    void press(QTreeWidgetItem *it, Qt::MouseButton button)
    {
        ASSERT_NE(it, nullptr);
        QTest::mousePress(tree->windowHandle(), button, Qt::NoModifier, window_pos(it));
        QTest::mouseRelease(tree->windowHandle(), button, Qt::NoModifier, window_pos(it));
    }
    // Right-presses the item and picks the entry of its menu.
    void pick(const std::string &text, const QString &entry)
    {
        menus.picks.push_back(entry);
        press(item(text), Qt::RightButton);
    }

    instrument_env_t instruments;
    menu_script_t menus;
    std::unique_ptr<ui_comm_tree_form_t> tree;
    std::vector<request_t> requests;
};

} // namespace

TEST_F(CommTree, ConstructionScansAndShowsEveryGroup)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    const std::string other = instruments.add_usb(sim_other_profile());
    const std::string net_gen = instruments.add_tcpip(sim_generator_profile(1), "10.0.0.2");
    const std::string net_scope = instruments.add_tcpip(sim_scope_profile(2), "9.0.0.1");
    const std::string absent = "TCPIP0::10.0.0.3::INSTR";
    const std::string malformed = "TCPIP0::192..1.7::INSTR"; // stored as typed
    store("IP1", net_scope);
    store("IP2", net_gen);
    store("IP3", absent);
    store("IP4", malformed);
    store("IP10", net_gen); // the same resource twice gives one item
    build();

    EXPECT_EQ(instruments.searches(), 1);
    EXPECT_EQ(widget()->objectName(), "comm_treewidget");
    EXPECT_EQ(widget()->headerItem()->text(0), "Devices and Interfaces");
    EXPECT_FALSE(widget()->headerItem()->icon(0).pixmap(16, 16).isNull());
    EXPECT_EQ(widget()->iconSize(), QSize(16, 16));
    EXPECT_EQ(top_texts(), (QStringList{QString::fromStdString(gen), QString::fromStdString(other), network}));
    // Byte order, not address order.
    EXPECT_EQ(network_texts(), (QStringList{QString::fromStdString(net_gen), QString::fromStdString(absent),
                                            QString::fromStdString(malformed), QString::fromStdString(net_scope)}));
    struct icon_case_t
    {
        std::string text;
        const char *icon;
    };
    const icon_case_t icons[] = {{gen, usb_icon},
                                 {other, usb_icon},
                                 {net_gen, net_icon},
                                 {net_scope, net_icon},
                                 {absent, invalid_icon},
                                 {malformed, invalid_icon},
                                 {network.toStdString(), ":/Image/resources/image_comm_dev_network.png"}};
    for (const icon_case_t &c : icons) {
        SCOPED_TRACE(c.text);
        QTreeWidgetItem *it = item(c.text);
        ASSERT_NE(it, nullptr);
        EXPECT_TRUE(same_icon(it->icon(0), c.icon));
        if (c.text != network.toStdString())
            EXPECT_EQ(it->toolTip(0).toStdString(), c.text);
    }
    EXPECT_TRUE(network_item()->isExpanded());

    ui_instr_list_t *list = tree->get_instr_list();
    ASSERT_EQ(list->get_awg_list()->size(), 2u);
    EXPECT_EQ((*list->get_awg_list())[0].addr_res, gen);
    EXPECT_EQ((*list->get_awg_list())[1].addr_res, net_gen);
    ASSERT_EQ(list->get_scope_list()->size(), 1u);
    EXPECT_EQ((*list->get_scope_list())[0].addr_res, net_scope);
}

// Which refresh rescans, reopens the resource manager, probes and redraws. A session held
// open on the first instrument (as a communication dialog would) shows a reopen: it is
// closed before anything else happens and cannot be used afterwards.
TEST(CommTreeScan, ModesAgainstUsbCountChanges)
{
    struct scan_case_t
    {
        const char *name;
        int mode;
        std::vector<int> before, after; // plugged USB instruments (of three)
        bool reopen, usb_probed, tcpip_probed;
        std::vector<int> shown; // USB items afterwards
    };
    const scan_case_t cases[] = {
        {"full refresh, same count", 0, {0}, {0}, false, true, true, {0}},
        {"full refresh, one more", 0, {0}, {0, 1}, true, true, true, {0, 1}},
        {"full refresh, one fewer", 0, {0, 1}, {1}, false, true, true, {1}},
        {"device change, same count", 3, {0}, {0}, false, false, false, {0}},
        {"device change, one replaced by another", 3, {0}, {1}, false, false, false, {0}},
        {"device change, one more", 3, {0}, {0, 2}, true, true, false, {0, 2}},
        {"device change, one fewer", 3, {0, 1}, {1}, false, true, false, {1}},
        {"device change, none left", 3, {2}, {}, false, false, false, {}},
    };
    ui_register_meta_types();
    g_config_dir = QDir::currentPath();
    g_config_file_path = g_config_dir + "/ondrix_config.xml";
    for (const scan_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        lib_xml_t().create_file_template(g_config_file_path);
        instrument_env_t instruments;
        std::vector<std::string> usb;
        for (int i = 0; i < 3; ++i)
            usb.push_back(instruments.add_usb(sim_generator_profile(2)));
        const std::string net = instruments.add_tcpip(sim_generator_profile(1), "10.0.0.2");
        ASSERT_TRUE(lib_xml_t().add_node(g_config_file_path, "manual_tcp_ip", "IP1", QString::fromStdString(net)));
        auto plug_only = [&](const std::vector<int> &which) {
            for (int i = 0; i < 3; ++i)
                instruments.unplug(usb[i]);
            for (int i : which)
                instruments.plug(usb[i]);
        };
        plug_only(c.before);
        ui_comm_tree_form_t tree;

        drv_device_comm_t *comm = drv_device_comm_t::get_instance();
        ViSession held = 0;
        ASSERT_GE(comm->open_instr(usb[0], held), VI_SUCCESS);
        instruments.journal().clear();
        const int searches = instruments.searches();
        plug_only(c.after);

        tree.refresh_commtree(c.mode);

        EXPECT_EQ(instruments.searches(), searches + 1);
        const auto entries = instruments.journal().entries();
        const bool reopened =
            !entries.empty() && entries[0].kind == sim_journal_entry_t::CLOSE && entries[0].resource == usb[0];
        EXPECT_EQ(reopened, c.reopen);
        EXPECT_EQ(comm->write_cmd(held, "*IDN?", 5), c.reopen ? 0 : 1);
        comm->close_instr(held);

        std::vector<std::string> expected_probes;
        if (c.usb_probed)
            for (int i : c.after)
                expected_probes.push_back(usb[i]);
        if (c.tcpip_probed)
            expected_probes.push_back(net);
        std::vector<std::string> probed;
        for (const auto &e : entries)
            if (e.kind == sim_journal_entry_t::OPEN &&
                std::find(probed.begin(), probed.end(), e.resource) == probed.end())
                probed.push_back(e.resource);
        EXPECT_EQ(probed, expected_probes);

        QStringList shown;
        for (int i : c.shown)
            shown << QString::fromStdString(usb[i]);
        shown << network;
        QStringList top;
        for (int i = 0; i < tree.tree()->topLevelItemCount(); ++i)
            top << tree.tree()->topLevelItem(i)->text(0);
        EXPECT_EQ(top, shown);
        // The network generator of the first scan stays whatever the refresh probed.
        EXPECT_EQ(tree.get_instr_list()->get_awg_list()->size(), c.shown.size() + 1);
    }
}

TEST_F(CommTree, ContextMenuOffersWhatTheItemAllows)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    const std::string net = "TCPIP0::10.0.0.7::INSTR";
    store("IP1", net);
    build();
    struct menu_case_t
    {
        std::string item;
        QStringList entries;
    };
    const menu_case_t cases[] = {
        {gen, {k_send, k_read, k_import}},
        {net, {k_send, k_read, k_import, k_delete}},
        {network.toStdString(), {k_create}},
    };
    for (const menu_case_t &c : cases) {
        SCOPED_TRACE(c.item);
        menus.shown.clear();
        press(item(c.item), Qt::RightButton);
        ASSERT_EQ(menus.shown.size(), 1);
        EXPECT_EQ(menus.shown[0], c.entries);
        EXPECT_EQ(menus.names.last(), "MOUSE_R_MENU_SETTINGS");
        EXPECT_EQ(tree->pressed_text().toStdString(), c.item);
    }

    // A left press only remembers the item; right together with left shows nothing.
    menus.shown.clear();
    press(item(gen), Qt::LeftButton);
    EXPECT_EQ(tree->pressed_text().toStdString(), gen);
    const QPoint at = window_pos(item(net));
    QTest::mousePress(tree->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mousePress(tree->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree->windowHandle(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(menus.shown.isEmpty());
    EXPECT_EQ(tree->pressed_text().toStdString(), net);
}

TEST_F(CommTree, SendReadAndImportAskForTheInstrumentsRow)
{
    instruments.add_usb(sim_generator_profile(2));
    instruments.add_usb(sim_generator_profile(4));
    const std::string usb_scope = instruments.add_usb(sim_scope_profile(4));
    const std::string net_gen = instruments.add_tcpip(sim_generator_profile(1), "10.0.0.2");
    const std::string net_scope = instruments.add_tcpip(sim_scope_profile(2), "10.0.0.5");
    const std::string absent = "TCPIP0::10.0.0.9::INSTR";
    store("IP1", net_gen);
    store("IP2", net_scope);
    store("IP3", absent);
    build();

    struct ask_case_t
    {
        std::string item;
        QString entry;
        request_t request;
        bool message;
    };
    const ask_case_t cases[] = {
        {net_gen, k_send, {0, 2}, false},      {net_gen, k_read, {1, 2}, false},
        {net_scope, k_import, {2, 1}, false},  {usb_scope, k_import, {2, 0}, false},
        {usb_scope, k_send, {0, 0}, true},     {net_gen, k_import, {2, 0}, true},
        {absent, k_read, {1, 0}, true},
    };
    for (const ask_case_t &c : cases) {
        SCOPED_TRACE(c.item + " " + c.entry.toStdString());
        prompt_script_t prompts;
        requests.clear();
        pick(c.item, c.entry);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_TRUE(requests[0] == c.request) << requests[0].mode << "," << requests[0].row;
        EXPECT_EQ(prompts.texts, c.message ? QStringList{unavailable} : QStringList());
    }
}

TEST_F(CommTree, DeleteRemovesTheResourceAndProbesOnlyTheNetwork)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    const std::string net_gen = instruments.add_tcpip(sim_generator_profile(1), "10.0.0.2");
    const std::string absent = "TCPIP0::10.0.0.3::INSTR";
    store("IP1", net_gen);
    store("IP2", absent);
    store("IP3", absent);
    build();
    instruments.journal().clear();
    const int searches = instruments.searches();

    pick(absent, k_delete);
    EXPECT_EQ(network_texts(), QStringList{QString::fromStdString(net_gen)});
    EXPECT_FALSE(lib_xml_t().is_node_content_exit(g_config_file_path, QString::fromStdString(absent)));
    EXPECT_TRUE(lib_xml_t().is_node_content_exit(g_config_file_path, QString::fromStdString(net_gen)));
    EXPECT_EQ(instruments.searches(), searches);
    EXPECT_EQ(instruments.opened(), std::vector<std::string>{net_gen});
    EXPECT_EQ(top_texts().first().toStdString(), gen);
    EXPECT_TRUE(same_icon(item(net_gen)->icon(0), net_icon));

    // Gone from the file behind the tree's back: nothing changes.
    ASSERT_TRUE(lib_xml_t().delete_node_by_content(g_config_file_path, QString::fromStdString(net_gen)));
    const QByteArray before = file_bytes(g_config_file_path);
    instruments.journal().clear();
    pick(net_gen, k_delete);
    EXPECT_EQ(network_texts(), QStringList{QString::fromStdString(net_gen)});
    EXPECT_TRUE(instruments.journal().entries().empty());
    EXPECT_EQ(file_bytes(g_config_file_path), before);
}

TEST_F(CommTree, CreateStoresTheAddressAndProbesOnlyTheNetwork)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    const std::string net_gen = instruments.add_tcpip(sim_generator_profile(1), "10.0.0.2");
    build();
    instruments.journal().clear();
    const int searches = instruments.searches();

    pick(network.toStdString(), k_create);
    QList<ui_ip_create_form_t *> forms = tree->findChildren<ui_ip_create_form_t *>();
    ASSERT_EQ(forms.size(), 1);
    QPointer<ui_ip_create_form_t> form = forms[0];
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowModality(), Qt::ApplicationModal);
    QList<QString> address = {"10", "0", "0", "2"};
    form->address_widget()->set_value(address);
    QPushButton *ok = nullptr;
    for (QPushButton *b : form->findChildren<QPushButton *>())
        if (b->text() == "OK")
            ok = b;
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());

    EXPECT_EQ(network_texts(), QStringList{QString::fromStdString(net_gen)});
    EXPECT_TRUE(same_icon(item(net_gen)->icon(0), net_icon));
    EXPECT_EQ(lib_xml_t().read_node_content(g_config_file_path, "IP1").toStdString(), net_gen);
    EXPECT_EQ(instruments.searches(), searches);
    EXPECT_EQ(instruments.opened(), std::vector<std::string>{net_gen});
    EXPECT_EQ(tree->get_instr_list()->get_awg_list()->size(), 2u);
    EXPECT_EQ(top_texts().first().toStdString(), gen);
}

// Cancel, an address already stored and a file that cannot take it: each closes the dialog
// and changes nothing.
TEST_F(CommTree, CreateThatAddsNothingOnlyClosesTheDialog)
{
    const std::string stored = "TCPIP0::10.0.0.4::INSTR";
    store("IP1", stored);
    struct refusal_t
    {
        const char *name;
        QList<QString> address;
        const char *button;
        bool drop_container;
    };
    const refusal_t cases[] = {
        {"cancel", {"10", "0", "0", "8"}, "Cancel", false},
        {"already stored", {"10", "0", "0", "4"}, "OK", false},
        {"no container", {"10", "0", "0", "8"}, "OK", true},
    };
    for (const refusal_t &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.drop_container) {
            QFile f(g_config_file_path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("<?xml version=\"1.0\"?>\n<Ondrix no_value=\"1\">\n    <language>english</language>\n</Ondrix>\n");
        }
        build();
        const QByteArray before = file_bytes(g_config_file_path);
        const QStringList items = network_texts();
        instruments.journal().clear();
        pick(network.toStdString(), k_create);
        QPointer<ui_ip_create_form_t> form = tree->findChild<ui_ip_create_form_t *>();
        ASSERT_FALSE(form.isNull());
        QList<QString> address = c.address;
        form->address_widget()->set_value(address);
        for (QPushButton *b : form->findChildren<QPushButton *>())
            if (b->text() == c.button)
                QTest::mouseClick(b, Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(form.isNull());
        EXPECT_EQ(file_bytes(g_config_file_path), before);
        EXPECT_EQ(network_texts(), items);
        EXPECT_TRUE(instruments.journal().entries().empty());
    }
}

TEST_F(CommTree, UnreadableConfigurationListsNoNetworkResource)
{
    const std::string gen = instruments.add_usb(sim_generator_profile(2));
    const QByteArray garbage = "<Ondrix no_value=\"1\"><manual_tcp_ip no_value=\"1\"><IP1>TCPIP0::1.2.3.4::INSTR";
    {
        QFile f(g_config_file_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(garbage);
    }
    build();
    EXPECT_EQ(top_texts(), (QStringList{QString::fromStdString(gen), network}));
    EXPECT_TRUE(network_texts().isEmpty());
    EXPECT_EQ(tree->get_instr_list()->get_awg_list()->size(), 1u);
    EXPECT_EQ(file_bytes(g_config_file_path), garbage);
}
