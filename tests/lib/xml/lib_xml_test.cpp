#include "lib_app_paths.h"
#include "lib_xml.h"
#include "test_comma_locale.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString read_all(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString("<missing>");
    return QString::fromUtf8(f.readAll());
}

void write_all(const QString &path, const QString &text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

// The instrument tree's listing: only children whose name contains the key.
class ip_list_xml_t : public lib_xml_t
{
public:
    QMap<QString, QString> get_all_child_node_by_parent(const QString &path, const QString &parent,
                                                        const QString &key) override
    {
        return collect_children(
            path, parent, [](const QString &n, const QString &k) { return !k.isEmpty() && n.contains(k); }, key);
    }
};

const char *const k_template = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<Ondrix no_value=\"1\">\n"
                               "    <language>english</language>\n"
                               "    <manual_tcp_ip no_value=\"1\"/>\n"
                               "</Ondrix>\n";

class ConfigXml : public testing::Test
{
protected:
    void SetUp() override
    {
        g_config_dir = QDir::currentPath();
        path = g_config_dir + "/ondrix_config.xml";
    }
    // Any save temporary left in the folder of the configuration.
    static bool temp_left(const QString &dir = QDir::currentPath())
    {
        return !QDir(dir).entryList(QStringList{"*.ondrix.tmp*"}, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
    }

    QString path;
    lib_xml_t xml;
};

} // namespace

TEST_F(ConfigXml, TemplateIsTheDefaultFile)
{
    xml.create_file_template(path);
    EXPECT_EQ(read_all(path), QString(k_template));
    EXPECT_EQ(xml.read_node_content(path, "language"), "english");
    EXPECT_TRUE(xml.is_node_exit(path, "manual_tcp_ip"));
    EXPECT_TRUE(xml.get_all_child_node_by_parent(path, "manual_tcp_ip", "IP").isEmpty());
}

TEST_F(ConfigXml, MissingFileAndEmptyPathGiveEmptyResults)
{
    QString text = "x";
    EXPECT_FALSE(xml.read_file_by_one_node("", "language", text));
    EXPECT_EQ(xml.read_node_content(path, "language"), "");
    EXPECT_FALSE(xml.is_node_exit(path, "language"));
    EXPECT_FALSE(xml.is_node_content_exit(path, "english"));
    EXPECT_FALSE(xml.set_node_content(path, "language", "chinese"));
    EXPECT_FALSE(xml.add_node(path, "manual_tcp_ip", "IP1", "TCPIP::1.2.3.4::INSTR"));
    EXPECT_FALSE(xml.delete_node_by_content(path, "english"));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(temp_left());
    EXPECT_TRUE(xml.get_all_child_node_by_parent("", "manual_tcp_ip", "IP").isEmpty());
}

TEST_F(ConfigXml, SetLanguageReplacesTheText)
{
    xml.create_file_template(path);
    EXPECT_TRUE(xml.set_node_content(path, "language", "chinese"));
    EXPECT_EQ(xml.read_node_content(path, "language"), "chinese");
    EXPECT_FALSE(temp_left());
    QString expect = QString(k_template).replace("english", "chinese");
    EXPECT_EQ(read_all(path), expect);
}

TEST_F(ConfigXml, TwoElementsOfOneName)
{
    write_all(path, "<?xml version=\"1.0\"?><Ondrix no_value=\"1\"><language>english</language>"
                    "<language>german</language></Ondrix>");
    EXPECT_EQ(xml.read_node_content(path, "language"), "german");
    EXPECT_TRUE(xml.set_node_content(path, "language", "chinese"));
    EXPECT_EQ(read_all(path).count("chinese"), 2);
}

TEST_F(ConfigXml, ContainerHasNoTextToReadOrSet)
{
    xml.create_file_template(path);
    EXPECT_EQ(xml.read_node_content(path, "manual_tcp_ip"), "");
    EXPECT_FALSE(xml.set_node_content(path, "manual_tcp_ip", "x"));
    EXPECT_FALSE(xml.delete_node(path, "manual_tcp_ip"));
    EXPECT_EQ(read_all(path), QString(k_template));
    EXPECT_FALSE(temp_left());
}

TEST_F(ConfigXml, AddedResourcesStandNewestFirstAndListInKeyOrder)
{
    xml.create_file_template(path);
    ASSERT_TRUE(xml.add_node(path, "manual_tcp_ip", "IP1", "TCPIP::10.0.0.1::INSTR"));
    ASSERT_TRUE(xml.add_node(path, "manual_tcp_ip", "IP2", "TCPIP::10.0.0.2::INSTR"));
    ASSERT_TRUE(xml.add_node(path, "manual_tcp_ip", "IP10", "TCPIP::10.0.0.10::INSTR"));
    QString text = read_all(path);
    EXPECT_LT(text.indexOf("IP2"), text.indexOf("IP1>"));
    ip_list_xml_t tree;
    QMap<QString, QString> list = tree.get_all_child_node_by_parent(path, "manual_tcp_ip", "IP");
    EXPECT_EQ(list.keys(), (QStringList{"IP1", "IP10", "IP2"}));
    EXPECT_EQ(list.value("IP10"), "TCPIP::10.0.0.10::INSTR");
    EXPECT_TRUE(tree.get_all_child_node_by_parent(path, "manual_tcp_ip", "").isEmpty());
    EXPECT_TRUE(tree.get_all_child_node_by_parent(path, "Ondrix", "IP").isEmpty());
    EXPECT_EQ(xml.get_all_child_node_by_parent(path, "manual_tcp_ip", "").size(), 3);
    EXPECT_TRUE(xml.is_node_content_exit(path, "TCPIP::10.0.0.2::INSTR"));
}

TEST_F(ConfigXml, DeleteByContentRemovesEveryCopy)
{
    xml.create_file_template(path);
    xml.add_node(path, "manual_tcp_ip", "IP1", "R");
    xml.add_node(path, "manual_tcp_ip", "IP2", "R");
    xml.add_node(path, "manual_tcp_ip", "IP3", "S");
    EXPECT_TRUE(xml.delete_node_by_content(path, "R"));
    ip_list_xml_t tree;
    EXPECT_EQ(tree.get_all_child_node_by_parent(path, "manual_tcp_ip", "IP").keys(), QStringList{"IP3"});
    QString before = read_all(path);
    EXPECT_FALSE(xml.delete_node_by_content(path, "manual_tcp_ip"));
    EXPECT_EQ(read_all(path), before);
}

TEST_F(ConfigXml, TextBrokenByAComment)
{
    write_all(path, "<?xml version=\"1.0\"?><Ondrix no_value=\"1\"><language>eng<!-- c -->lish</language>"
                    "<manual_tcp_ip no_value=\"1\"/></Ondrix>");
    ASSERT_TRUE(xml.add_node(path, "manual_tcp_ip", "IP1", "R"));
    EXPECT_EQ(xml.read_node_content(path, "language"), "english");
    write_all(path, "<?xml version=\"1.0\"?><Ondrix no_value=\"1\"><language>eng<!-- c -->lish</language>"
                    "<other>a<!-- c -->b</other></Ondrix>");
    ASSERT_TRUE(xml.set_node_content(path, "language", "chinese"));
    EXPECT_EQ(xml.read_node_content(path, "language"), "chinese");
    EXPECT_EQ(xml.read_node_content(path, "other"), "a");
}

TEST_F(ConfigXml, AnEditThatMeetsAParseErrorKeepsTheFile)
{
    QString broken = "<?xml version=\"1.0\"?><Ondrix no_value=\"1\"><language>english</language>"
                     "<manual_tcp_ip no_value=\"1\"><IP1>R</IP1></manual_tcp_ip><oops></Ondrix>";
    write_all(path, broken);
    EXPECT_FALSE(xml.set_node_content(path, "language", "chinese"));
    EXPECT_EQ(read_all(path), broken);
    EXPECT_FALSE(temp_left());
    EXPECT_EQ(xml.read_node_content(path, "language"), ""); // unreadable: English
}

TEST_F(ConfigXml, TemporaryCopyInAnotherFolder)
{
    QDir().mkpath("elsewhere");
    QString target = QDir::currentPath() + "/elsewhere/conf.xml";
    xml.create_file_template(target);
    EXPECT_TRUE(xml.set_node_content(target, "language", "chinese"));
    EXPECT_EQ(xml.read_node_content(target, "language"), "chinese");
    EXPECT_FALSE(temp_left());
    EXPECT_FALSE(temp_left("elsewhere"));
}

// Files whose layout the copy cannot keep: the edit reports failure and the file stays
// as it was, instead of a file that no longer parses or has lost "language".
TEST_F(ConfigXml, AnEditThatWouldNotReadBackKeepsTheFile)
{
    struct
    {
        const char *name;
        const char *text;
        lib_xml_edit_t edit;
    } cases[] = {
        {"parent without no_value",
         "<?xml version=\"1.0\"?><Ondrix no_value=\"1\"><language>english</language>"
         "<group><item>x</item></group></Ondrix>",
         lib_xml_edit_t::set},
        {"root without its attribute",
         "<?xml version=\"1.0\"?><Ondrix><language>english</language>"
         "<manual_tcp_ip no_value=\"1\"/></Ondrix>",
         lib_xml_edit_t::set},
        {"misspelt root attribute",
         "<?xml version=\"1.0\"?><Ondrix no_valeu=\"1\"><language>english</language>"
         "<manual_tcp_ip no_value=\"1\"/></Ondrix>",
         lib_xml_edit_t::add},
        {"misspelt root attribute, delete",
         "<?xml version=\"1.0\"?><Ondrix no_valeu=\"1\"><language>english</language>"
         "<manual_tcp_ip no_value=\"1\"><IP1>R</IP1></manual_tcp_ip></Ondrix>",
         lib_xml_edit_t::remove_by_content},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write_all(path, c.text);
        bool done = true;
        if (c.edit == lib_xml_edit_t::set)
            done = xml.set_node_content(path, "language", "chinese");
        else if (c.edit == lib_xml_edit_t::add)
            done = xml.add_node(path, "manual_tcp_ip", "IP1", "R");
        else
            done = xml.delete_node_by_content(path, "R");
        EXPECT_FALSE(done);
        EXPECT_EQ(read_all(path), QString(c.text));
        EXPECT_FALSE(temp_left());
    }
}

TEST_F(ConfigXml, BrokenFileIsToldApartFromAMissingOne)
{
    struct
    {
        const char *text;
        bool broken;
    } cases[] = {
        {"", true},
        {"<?xml version=\"1.0\"?>\n<Ondrix no_value=\"1\">\n    <langu", true},
        {"\x7f\x01garbage", true},
        {k_template, false},
    };
    for (const auto &c : cases) {
        write_all(path, c.text);
        EXPECT_EQ(c.broken, xml.is_file_broken(path)) << c.text;
    }
    EXPECT_FALSE(xml.is_file_broken(QDir::currentPath() + "/none.xml"));
}

// The same file under a decimal-comma locale: the numbers keep their decimal point.
TEST_F(ConfigXml, BinInfoRoundTrip)
{
    const auto round_trip = [this] {
        QString info = QDir::currentPath() + "/w.info";
        xml.write_bin_info(info, 1000.0f, 2.5f, -0.25f, 90.0f);
        EXPECT_TRUE(read_all(info).contains("<freq>1000.000000</freq>"));
        EXPECT_TRUE(read_all(info).contains("<offset>-0.250000</offset>"));
        lib_bin_info_t rec;
        rec.phase = 7.0f;
        ASSERT_TRUE(xml.read_bin_info(info, rec));
        EXPECT_EQ(rec.freq, 1000.0f);
        EXPECT_EQ(rec.amp, 2.5f);
        EXPECT_EQ(rec.offset, -0.25f);
        EXPECT_EQ(rec.phase, 90.0f);
        EXPECT_FALSE(xml.read_bin_info(QDir::currentPath() + "/none.info", rec));
    };
    round_trip();
    test_comma_locale_t comma;
    if (!comma.ok())
        GTEST_SKIP() << test_comma_locale_t::missing;
    round_trip();
}
