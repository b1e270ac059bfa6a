// The instrument tree's view of the configuration file: only the children whose names
// hold the key, in name order.
#include "lib_app_paths.h"
#include "ui_comm_tree_xml.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray k_config = R"(<?xml version="1.0" encoding="UTF-8"?>
<Ondrix no_value="1">
    <language>english</language>
    <manual_tcp_ip no_value="1">
        <IP2>TCPIP0::2.2.2.2::INSTR</IP2>
        <IP10>TCPIP0::10.10.10.10::INSTR</IP10>
        <ip3>lower case</ip3>
        <IP1>TCPIP0::1.1.1.1::INSTR</IP1>
        <xIPy>inside</xIPy>
    </manual_tcp_ip>
    <IP4>outside the container</IP4>
</Ondrix>
)";

QString write_config(const QByteArray &content)
{
    g_config_dir = QDir::currentPath();
    const QString path = g_config_dir + "/ondrix_config.xml";
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
    return path;
}

} // namespace

TEST(CommTreeXml, KeyFiltersTheContainersChildren)
{
    QString path = write_config(k_config);
    struct key_case_t
    {
        QString parent, key;
        QStringList names;
    };
    const key_case_t cases[] = {
        {"manual_tcp_ip", "IP", {"IP1", "IP10", "IP2", "xIPy"}},
        {"manual_tcp_ip", "IP1", {"IP1", "IP10"}},
        {"manual_tcp_ip", "", {}},
        {"manual_tcp_ip", "ip", {"ip3"}},
        {"Ondrix", "IP", {}},
        {"language", "IP", {}},
        {"no_such_parent", "IP", {}},
    };
    ui_comm_tree_xml_t xml;
    for (const key_case_t &c : cases) {
        SCOPED_TRACE((c.parent + "/" + c.key).toStdString());
        EXPECT_EQ(xml.get_all_child_node_by_parent(path, c.parent, c.key).keys(), c.names);
    }
    // Through the base class, as the tree holds it.
    lib_xml_t &base = xml;
    const QMap<QString, QString> listed = base.get_all_child_node_by_parent(path, "manual_tcp_ip", "IP");
    EXPECT_EQ(listed.values(), (QStringList{"TCPIP0::1.1.1.1::INSTR", "TCPIP0::10.10.10.10::INSTR",
                                            "TCPIP0::2.2.2.2::INSTR", "inside"}));
}

TEST(CommTreeXml, UnreadableFilesListNothing)
{
    ui_comm_tree_xml_t xml;
    QString empty;
    EXPECT_TRUE(xml.get_all_child_node_by_parent(empty, "manual_tcp_ip", "IP").isEmpty());
    QString missing = QDir::currentPath() + "/missing.xml";
    EXPECT_TRUE(xml.get_all_child_node_by_parent(missing, "manual_tcp_ip", "IP").isEmpty());
    QByteArray cut = k_config.left(k_config.indexOf("<xIPy>") + 8);
    QString path = write_config(cut);
    EXPECT_TRUE(xml.get_all_child_node_by_parent(path, "manual_tcp_ip", "IP").isEmpty());
}
