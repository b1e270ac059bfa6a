// The version and serial start-up step called directly: its output, the records it
// composes, the hexadecimal value texts and the serial records with long serials.
#include "cfg_fixture.h"
#include "cfg_sys_info.h"
#include "cfg_sys_version.h"
#include "stdout_capture.h"

#include <cstring>
#include <string>

TEST(CfgSysVersion, ValueTextsAreLowerCaseHexOfAtLeastTwoDigits)
{
    struct case_t
    {
        int32 value;
        const char *text;
    };
    const case_t cases[] = {{0, "00"}, {10, "0a"}, {255, "ff"}, {4096, "1000"}, {-1, "ffffffff"}};
    for (const case_t &c : cases)
        EXPECT_EQ(cfg_version_value_text(c.value), c.text);
}

TEST(CfgSysVersion, RecordsHoldTheirTextOnlyWhenItFits)
{
    const cfg_version_record_t ok = cfg_sys_version_t::make_record(5, std::string(299, 'v'));
    EXPECT_EQ(ok.kind, 5);
    EXPECT_EQ(ok.reserved, 0);
    EXPECT_EQ(std::strlen(ok.ver_name), 299u);
    const cfg_version_record_t too_long = cfg_sys_version_t::make_record(1, std::string(300, 'v'));
    EXPECT_EQ(too_long.ver_name[0], '\0');
}

using CfgSysVersionStep = cfg_fixture_t;

TEST_F(CfgSysVersionStep, ModuleStartUpSkipsTheStep)
{
    // The start-up's serial line would be "10".
    EXPECT_EQ(startup_text.find("\n10\n"), std::string::npos);
}

TEST_F(CfgSysVersionStep, CalledDirectlyItPrintsOnlyTheSerialLength)
{
    cfg_sys_version_t *v = cfg_sys_version_t::get_instance();
    stdout_capture_t capture;
    EXPECT_EQ(v->init_config_data(), 1);
    EXPECT_EQ(capture.finish(), "10\n");
    EXPECT_TRUE(sim.log().empty());

    const cfg_version_record_t soft = v->set_soft_version();
    EXPECT_EQ(soft.kind, 1);
    // "Mmm dd yyyy, hh:mm:ss".
    const std::string text = soft.ver_name;
    ASSERT_EQ(text.size(), 21u);
    EXPECT_EQ(text.substr(11, 2), ", ");
    EXPECT_EQ(text[15], ':');

    const auto drivers = v->set_driver_versions();
    const int32 kinds[4] = {3, 5, 6, 4};
    for (size_t i = 0; i < 4; ++i)
    {
        EXPECT_EQ(drivers[i].kind, kinds[i]);
        EXPECT_STREQ(drivers[i].ver_name, "00");
    }
}

TEST(CfgSysInfo, SerialSetUpPrintsItsLength)
{
    cfg_sys_info_t *info = cfg_sys_info_t::get_instance();
    struct case_t
    {
        const char *what;
        void (*run)(cfg_sys_info_t *);
        const char *printed;
    };
    const case_t cases[] = {
        {"default", [](cfg_sys_info_t *i) { i->set_default_serial(); }, "10\n"},
        {"empty", [](cfg_sys_info_t *i) { EXPECT_EQ(i->set_serial(""), 0); }, "0\n"},
        {"long", [](cfg_sys_info_t *i) { EXPECT_EQ(i->set_serial(std::string(400, 's')), 0); }, "400\n"},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        stdout_capture_t capture;
        c.run(info);
        EXPECT_EQ(capture.finish(), c.printed);
    }

    std::string serial = "something else entirely";
    stdout_capture_t capture;
    EXPECT_EQ(info->reset_serial(serial), 0);
    EXPECT_EQ(capture.finish(), "10\n");
    EXPECT_EQ(serial, "0123456789");
}

TEST(CfgSysInfo, SerialRecordsAreCutToTheirFields)
{
    const cfg_serial_item_t empty = cfg_sys_info_t::make_serial_item("");
    EXPECT_STREQ(empty.key, "Serial Num");
    EXPECT_EQ(std::string(empty.value, sizeof empty.value), std::string(sizeof empty.value, '\0'));

    const cfg_serial_item_t item = cfg_sys_info_t::make_serial_item("0123456789");
    EXPECT_STREQ(item.value, "0123456789");
    const cfg_serial_item_t cut = cfg_sys_info_t::make_serial_item(std::string(150, 'x'));
    EXPECT_EQ(std::strlen(cut.value), 99u);

    const cfg_version_record_t rec = cfg_sys_info_t::make_serial_version(std::string(500, 'y'));
    EXPECT_EQ(rec.kind, 7);
    EXPECT_EQ(rec.reserved, 0);
    EXPECT_EQ(std::strlen(rec.ver_name), 299u);
}
