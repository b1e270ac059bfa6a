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
#include <QLocalServer>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const char *kept[] = {"wave.bin", ".wave_data_buffer_x.bin", ".wave_data_buffer_01.bin", ".wave_data_buffer_0.bin"};
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

TEST(SingleInstance, SocketIsPerUser)
{
    const QString here = QDir::currentPath();
    const QString fallback = QDir::tempPath() + "/Ondrix-" + QString::number(geteuid());
    ASSERT_TRUE(QDir().mkdir("open_runtime"));
    ASSERT_EQ(0, chmod("open_runtime", 0755));
    ASSERT_TRUE(QDir().mkdir("own_runtime"));
    ASSERT_EQ(0, chmod("own_runtime", 0700));
    struct
    {
        const char *why;
        bool set;
        QString runtime;
        QString socket;
    } cases[] = {
        {"the user's own closed folder", true, here + "/own_runtime", here + "/own_runtime/Ondrix"},
        {"not absolute", true, "own_runtime", fallback},
        {"not set", false, QString(), fallback},
        {"missing", true, "/no/such/folder", fallback},
        {"others may enter it", true, here + "/open_runtime", fallback},
    };
    for (const auto &c : cases) {
        if (c.set)
            qputenv("XDG_RUNTIME_DIR", c.runtime.toUtf8());
        else
            qunsetenv("XDG_RUNTIME_DIR");
        EXPECT_EQ(ui_instance_socket_path(), c.socket) << c.why;
    }
    if (chown("own_runtime", 65534, 65534) == 0) {
        qputenv("XDG_RUNTIME_DIR", (here + "/own_runtime").toUtf8());
        EXPECT_EQ(ui_instance_socket_path(), fallback) << "another user's folder";
    }
}

// A socket at this user's name that belongs to another user: the start neither hands
// its argument to it nor quits, nor replaces it.
TEST(SingleInstance, ForeignSocketIsNeverTalkedTo)
{
    QLocalServer foreign;
    const QString path = QDir::currentPath() + "/Ondrix";
    ASSERT_TRUE(foreign.listen(path));
    if (chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
        GTEST_SKIP() << "only root can hand a socket to another user";
    EXPECT_FALSE(ui_is_own_socket(path));

    QProcess second;
    second.setProcessEnvironment(child_env());
    second.start(APP_CHILD, {"second", "secret.csv"});
    ASSERT_TRUE(second.waitForFinished(60000));
    const QString out = QString::fromUtf8(second.readAllStandardOutput());
    EXPECT_TRUE(out.contains("listening")) << out.toStdString();
    EXPECT_FALSE(out.contains("already running"));
    EXPECT_TRUE(out.contains("belongs to someone else"));
    EXPECT_FALSE(foreign.waitForNewConnection(100));
    struct stat st;
    ASSERT_EQ(0, lstat(QFile::encodeName(path).constData(), &st));
    EXPECT_EQ(65534u, st.st_uid);
}

// Two users in one temporary folder (no runtime folder): each gets an instance of
// their own, and neither hears the other's start.
TEST(SingleInstance, SecondUserGetsAnInstanceOfTheirOwn)
{
    if (geteuid() != 0 || !QFile::exists("/usr/bin/setpriv"))
        GTEST_SKIP() << "needs root and setpriv to start a process as another user";
    ASSERT_EQ(0, chmod(".", 0711));
    ASSERT_TRUE(QDir().mkdir("shared"));
    ASSERT_EQ(0, chmod("shared", 01777));
    QProcessEnvironment env = child_env();
    env.remove("XDG_RUNTIME_DIR");
    env.insert("TMPDIR", QDir::currentPath() + "/shared");
    env.insert("HOME", QDir::currentPath() + "/shared");

    QProcess other;
    other.setProcessEnvironment(env);
    other.start("/usr/bin/setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", APP_CHILD, "first", "120000"});
    ASSERT_TRUE(other.waitForStarted());
    ASSERT_TRUE(wait_for_output(other, "listening").contains("listening"));

    QProcess mine;
    mine.setProcessEnvironment(env);
    mine.start(APP_CHILD, {"second", "mine.csv"});
    ASSERT_TRUE(mine.waitForFinished(60000));
    const QString out = QString::fromUtf8(mine.readAllStandardOutput());
    EXPECT_TRUE(out.contains("listening")) << out.toStdString();
    EXPECT_FALSE(out.contains("already running"));

    other.kill();
    other.waitForFinished();
    EXPECT_FALSE(QString::fromUtf8(other.readAllStandardOutput()).contains("The value is"));
    EXPECT_TRUE(QFile::exists(QDir::currentPath() + "/shared/Ondrix-65534"));
}

TEST(AppPaths, FirstStartMakesTheFoldersAndTheDefaultConfiguration)
{
    qputenv("XDG_DATA_HOME", QDir::currentPath().toUtf8() + "/xdg");
    qputenv("XDG_CONFIG_HOME", QDir::currentPath().toUtf8() + "/xdg_config");
    qputenv("HOME", QDir::currentPath().toUtf8() + "/home");
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
    // The waveform folder is in the user's documents and made only when first used.
    EXPECT_EQ(g_data_dir, QDir::currentPath() + "/home/Documents/Ondrix");
    EXPECT_FALSE(QDir(g_data_dir).exists());
    EXPECT_TRUE(read_all(g_config_file_path).contains("<language>english</language>"));

    QFile f(g_config_file_path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("edited");
    f.close();
    init_app_paths();
    EXPECT_EQ(read_all(g_config_file_path), "edited");
}

// A configuration that does not parse (say after a first start on a full disk) is kept
// as ".bad" and replaced by the default one, and the log says so; a good one stays.
TEST(AppPaths, UnreadableConfigurationIsKeptAsideAndReplaced)
{
    qputenv("XDG_DATA_HOME", QDir::currentPath().toUtf8() + "/xdg");
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName("Ondrix");
    init_app_paths();
    const QString good = read_all(g_config_file_path);
    for (const char *broken : {"", "<?xml version=\"1.0\"?>\n<Ondrix no_value=\"1\">\n    <lang", "garbage"}) {
        SCOPED_TRACE(broken);
        QFile f(g_config_file_path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(broken);
        f.close();
        QFile::remove(g_log_file_path);
        qInstallMessageHandler(log_message_handler);
        repair_config_file();
        qInstallMessageHandler(nullptr);
        EXPECT_EQ(read_all(g_config_file_path + ".bad"), QString(broken));
        EXPECT_EQ(read_all(g_config_file_path), good);
        const QString log = read_all(g_log_file_path);
        EXPECT_TRUE(log.contains("kept as " + g_config_file_path + ".bad")) << log.toStdString();
    }
    QFile::remove(g_config_file_path + ".bad");
    repair_config_file();
    EXPECT_EQ(read_all(g_config_file_path), good);
    EXPECT_FALSE(QFile::exists(g_config_file_path + ".bad"));
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
