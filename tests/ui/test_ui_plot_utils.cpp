#include "ui_app_paths.h"
#include "ui_linear_map.h"
#include "ui_plot_utils.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

TEST(UiLinearMap, MapsAndUnmapsWithEmptyIntervalsGoingToTheFarEnd)
{
    ui_linear_map_t m;
    m.init(0, 99, 0, 999);
    EXPECT_DOUBLE_EQ(m.map(0), 0);
    EXPECT_DOUBLE_EQ(m.map(99), 999);
    EXPECT_NEAR(m.map(50), 504.5454545, 1e-6);
    EXPECT_DOUBLE_EQ(m.unmap(999), 99);

    m.init(5, 5, 10, 20);
    EXPECT_DOUBLE_EQ(m.map(-3), 20);
    EXPECT_DOUBLE_EQ(m.map(1e9), 20);
    m.init(0, 10, 7, 7);
    EXPECT_DOUBLE_EQ(m.unmap(123), 10);
}

TEST(UiPlotUtils, DisplayIndexInvertsTheInMemoryLayout)
{
    struct
    {
        uint32 total;
        double x;
        double pos;
    } cases[] = {
        {30000, 100.7, 100},  {30000, -3, 0},        {30000, 40000, 30000},
        {30001, 0, 0},        {30001, 30001 - 11, 2999}, {30001, 30001, 3000},
        {30001, -5, 0},       {30001, 1e12, 3000},   {30001, 25, 2},
        // 30002: h = 1, window 0 holds 11 samples, the last window 11
        {30002, 10.9, 0},     {30002, 11, 1},        {30002, 29991, 2999},
        {3000000, 1500, 1},   {3000000, 2999999, 2999},
    };
    for (const auto &c : cases)
        EXPECT_EQ(plot_get_display_index(nullptr, c.total, c.x), c.pos) << c.total << " " << c.x;
    EXPECT_FALSE(plot_is_extracted(30000));
    EXPECT_TRUE(plot_is_extracted(30001));
    EXPECT_EQ(plot_shown_points(30000), 30000u);
    EXPECT_EQ(plot_shown_points(30001), 3000u);
}

TEST(UiPlotUtils, TimeLabelPicksTheUnit)
{
    struct
    {
        uint32 index;
        fp32 freq;
        int32 points;
        const char *text;
    } cases[] = {
        {0, 1000, 1001, "0"},
        {1, 1000, 1001, "1.00us"},
        {500, 1000, 1001, "500.00us"},
        {1000, 1000, 1001, "1.00ms"},
        {1000, 1, 1001, "1.00s"},
        {999, 1, 1001, "999.00ms"},
        {1, 1e6f, 1001, "1.00ns"},
        {1, 1e7f, 1001, "0.10ns"},
        // nothing sensible to compute
        {5, 1000, 1, "0"},
        {5, 1000, 0, "0"},
        {5, 1000, -7, "0"},
        {5, 0, 1001, "0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(format_time_label(c.index, &c.freq, &c.points).toStdString(), c.text)
            << c.index << " " << c.freq << " " << c.points;
}

TEST(UiPlotUtils, ChineseCharactersAreFoundAnywhere)
{
    EXPECT_FALSE(has_chinese_chars("wave_01_ABC"));
    EXPECT_FALSE(has_chinese_chars(""));
    EXPECT_TRUE(has_chinese_chars(QString::fromUtf8("wave_\xe6\xb3\xa2")));      // 波
    EXPECT_TRUE(has_chinese_chars(QString::fromUtf8("\xe4\xb8\x80")));           // U+4E00
    EXPECT_FALSE(has_chinese_chars(QString::fromUtf8("\xe3\x81\x82")));          // a kana
}

TEST(UiPlotUtils, LastFilePathKeepsTheFolderOfAFile)
{
    setting_ini_path = QDir::currentPath() + "/Setting.ini";
    default_data_folder = QDir::currentPath() + "/no_such_default";
    struct
    {
        const char *given;
        const char *stored;
    } cases[] = {
        {"C:/wave/abc.csv", "C:/wave"},
        {"C:/wave/abc.long", "C:/wave"},
        {"C:/wave/abc.longer", "C:/wave/abc.longer"},
        {"C:/wave/run.2", "C:/wave"},
        {"abc.csv", "abc.csv"},
        {"C:/wave", "C:/wave"},
    };
    for (const auto &c : cases) {
        set_last_file_path(c.given);
        QSettings settings(setting_ini_path, QSettings::IniFormat);
        EXPECT_EQ(settings.value("LastFilePath").toString().toStdString(), c.stored) << c.given;
    }
}

TEST(UiPlotUtils, LastFilePathFallsBackWhenNothingOfThatNameExists)
{
    setting_ini_path = QDir::currentPath() + "/Setting.ini";
    default_data_folder = QDir::currentPath() + "/Documents/Ondrix";
    // nothing stored yet: the default folder, made on this first use
    EXPECT_EQ(get_last_file_path(), default_data_folder);
    EXPECT_TRUE(QDir(default_data_folder).exists());

    QDir().mkpath("waves");
    set_last_file_path(QDir::currentPath() + "/waves/a.csv");
    EXPECT_EQ(get_last_file_path(), QDir::currentPath() + "/waves");

    // a file name counts as existing too, and a relative name is taken from the working directory
    QFile f("plain");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    set_last_file_path("plain");
    EXPECT_EQ(get_last_file_path(), QString("plain"));

    set_last_file_path(QDir::currentPath() + "/gone/away.csv");
    EXPECT_EQ(get_last_file_path(), default_data_folder);
    // the stored value is not changed by the fallback
    QSettings settings(setting_ini_path, QSettings::IniFormat);
    EXPECT_EQ(settings.value("LastFilePath").toString(), QDir::currentPath() + "/gone");
}
