#include "lib_app_paths.h"
#include "ui_app_log.h"
#include "ui_app_paths.h"
#include "ui_application.h"
#include "ui_qsplashscreen.h"
#include "ui_version.h"

#include <QLabel>
#include <QTest>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString read_all(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QProcessEnvironment child_env()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", QDir::currentPath()); // the local socket lives here
    env.insert("XDG_RUNTIME_DIR", QDir::currentPath());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    return env;
}

// Waits until the process has printed `what`; returns everything it printed so far.
QString wait_for_output(QProcess &p, const char *what)
{
    QString out;
    while (!out.contains(what) && p.waitForReadyRead(10000))
        out += QString::fromUtf8(p.readAllStandardOutput());
    return out;
}

} // namespace

TEST(AppLog, LineFormat)
{
    QString line = log_line("2026-12-10 13:05:09  ", "main/main.cpp", 120, "Application Start");
    EXPECT_EQ(line, "2026-12-10 13:05:09   File:(main/main.cpp) Line:(120) Application Start");
    EXPECT_EQ(log_line("t  ", nullptr, 0, "m"), "t   File:() Line:(0) m");
}

TEST(AppLog, HandlerAppendsLinesAndRecreatesTheFolder)
{
    g_local_dir = QDir::currentPath() + "/local";
    g_log_file_path = g_local_dir + "/log.txt";
    qInstallMessageHandler(log_message_handler);
    qDebug("first");
    QDir(g_local_dir).removeRecursively();
    qWarning("second\r\n\r\n");
    qDebug() << "third";
    qInstallMessageHandler(nullptr);
    QString text = read_all(g_log_file_path);
    QRegularExpression line(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d   File:\(.*ui_app_shell_test\.cpp\) Line:\(\d+\) second\r\n\r\n\r\n)");
    EXPECT_TRUE(line.match(text).hasMatch()) << text.toStdString();
    EXPECT_FALSE(text.contains("first"));
    EXPECT_TRUE(text.endsWith("third\r\n"));
}

TEST(AppShell, ClearWaveBufferFilesTakesOnlySampleFiles)
{
    const char *doomed[] = {".wave_data_buffer.bin", ".wave_data_buffer_1.bin", ".wave_data_buffer_254.bin",
                            ".wave_data_buffer_300.bin", ".wave_data_buffer_7_math_temp_data.bin"};
    const char *kept[] = {"wave.bin", ".wave_data_buffer_x.bin"};
    for (const char *n : doomed)
        QFile(n).open(QIODevice::WriteOnly);
    for (const char *n : kept)
        QFile(n).open(QIODevice::WriteOnly);
    clear_wave_buffer_files();
    for (const char *n : doomed)
        EXPECT_FALSE(QFile::exists(n)) << n;
    for (const char *n : kept)
        EXPECT_TRUE(QFile::exists(n)) << n;
}

TEST(SingleInstance, SecondStartHandsOverItsLastArgumentAndQuits)
{
    QProcess first;
    first.setProcessEnvironment(child_env());
    // The first instance listens long enough for a slow second start; it is stopped below.
    first.start(APP_CHILD, {"first", "120000"});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(wait_for_output(first, "listening").contains("listening"));

    QProcess second;
    second.setProcessEnvironment(child_env());
    second.start(APP_CHILD, {"second", "a b.csv"});
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().contains("already running"));

    const char *expected = "+++ui_application_t::newLocalConnection():The value is: a\n";
    QString out = wait_for_output(first, expected);
    first.kill();
    first.waitForFinished();
    EXPECT_TRUE(out.contains(expected)) << out.toStdString();
}

TEST(SingleInstance, StaleSocketOfAKilledInstanceIsReplaced)
{
    QProcess first;
    first.setProcessEnvironment(child_env());
    first.start(APP_CHILD, {"first", "60000"});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(wait_for_output(first, "listening").contains("listening"));
    first.kill();
    first.waitForFinished();
    ASSERT_TRUE(QFile::exists(QDir::currentPath() + "/Ondrix")); // left behind

    QProcess next;
    next.setProcessEnvironment(child_env());
    next.start(APP_CHILD, {"first", "100"});
    ASSERT_TRUE(next.waitForFinished(20000));
    EXPECT_TRUE(next.readAllStandardOutput().contains("listening"));
}

TEST(AppPaths, FirstStartMakesTheFoldersAndTheDefaultConfiguration)
{
    qputenv("XDG_DATA_HOME", QDir::currentPath().toUtf8() + "/xdg");
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName("Ondrix");
    init_app_paths();
    QString base = QDir::currentPath() + "/xdg/Brantex/Ondrix";
    EXPECT_EQ(g_config_dir, base);
    EXPECT_EQ(g_local_dir, base); // one folder on this platform
    EXPECT_EQ(g_config_file_path, base + "/ondrix_config.xml");
    EXPECT_EQ(g_setting_file_path, base + "/Setting.ini");
    EXPECT_EQ(&setting_ini_path, &g_setting_file_path);
    EXPECT_EQ(&default_data_folder, &g_data_dir);
    EXPECT_EQ(g_log_file_path, base + "/log.txt");
    EXPECT_EQ(g_data_dir, QCoreApplication::applicationDirPath() + "/data");
    EXPECT_TRUE(QDir(g_data_dir).exists());
    EXPECT_TRUE(read_all(g_config_file_path).contains("<language>english</language>"));

    QFile f(g_config_file_path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("edited");
    f.close();
    init_app_paths();
    EXPECT_EQ(read_all(g_config_file_path), "edited");
}

TEST(Splash, DotsCountUpOnceASecondAndAClickKeepsItShown)
{
    ui_init_resources();
    QPixmap picture(":/Image/resources/ondrix_screen.png");
    ASSERT_EQ(picture.size(), QSize(550, 300));
    ui_qsplashscreen_t splash(picture);
    splash.show();
    EXPECT_EQ(splash.message_label()->text(), "Loading file, please wait..");
    EXPECT_EQ(splash.message_label()->pos(), QPoint(16, 265));
    QString version = QString("v.") + ONDRIX_PRODUCT_VERSION;
    EXPECT_EQ(splash.version_label()->text(), version);
    EXPECT_EQ(splash.version_label()->pos(), QPoint(534 - 8 * version.size(), 265));
    const char *expected[] = {"Loading file, please wait...", "Loading file, please wait",
                              "Loading file, please wait.", "Loading file, please wait.."};
    for (const char *text : expected) {
        splash.timer_refresh_slot_func();
        EXPECT_EQ(splash.message_label()->text(), text);
    }
    QTest::mouseClick(&splash, Qt::LeftButton);
    EXPECT_TRUE(splash.isVisible());
}
