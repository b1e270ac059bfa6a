// The program itself, started as a child: a file named on the command line opens, and
// a second start hands its argument to the first and quits.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <array>
#include <gtest/gtest.h>

namespace {

QProcessEnvironment program_env()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", QDir::currentPath() + "/xdg");
    env.insert("XDG_RUNTIME_DIR", QDir::currentPath());
    env.insert("TMPDIR", QDir::currentPath());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ONDRIX_SPLASH_MS", "0");
    env.insert("ONDRIX_PROMPT_AUTO_ANSWER", "ok");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    return env;
}

QString log_text()
{
    QFile f(QDir::currentPath() + "/xdg/Brantex/Ondrix/log.txt");
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The contents of every sample file in the working directory.
QList<QByteArray> sample_files()
{
    QList<QByteArray> contents;
    for (const QString &name : QDir(".").entryList({".wave_data_buffer*.bin"}, QDir::Files | QDir::Hidden)) {
        QFile f(name);
        if (f.open(QIODevice::ReadOnly))
            contents << f.readAll();
    }
    return contents;
}

bool wait_for_log(const QString &what, int ms)
{
    for (int waited = 0; waited < ms; waited += 100) {
        if (log_text().contains(what))
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace

TEST(Program, OpensTheFileNamedOnTheCommandLineAndStaysSingle)
{
    QFile csv("w.csv");
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("xpos,value\n1,-1\n2,0\n3,1\n");
    csv.close();
    const QString path = QDir::currentPath() + "/w.csv";

    QProcess first;
    first.setProcessEnvironment(program_env());
    first.setWorkingDirectory(QDir::currentPath());
    first.start(ONDRIX_PROGRAM, {path});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(wait_for_log("Application Start", 30000)) << log_text().toStdString();
    EXPECT_TRUE(wait_for_log("file=" + path, 30000));
    // The document's samples are the file's -1, 0 and 1 V as full-scale 16-bit samples.
    const QByteArray read(reinterpret_cast<const char *>(std::array<short, 3>{-32767, 0, 32767}.data()), 6);
    bool samples_read = false;
    for (int waited = 0; waited < 30000 && !(samples_read = sample_files().contains(read)); waited += 100)
        QThread::msleep(100);
    EXPECT_TRUE(samples_read) << "the file was not read into the document";
    EXPECT_TRUE(QFile::exists("ondrix_config.xml") || QFile::exists("xdg/Brantex/Ondrix/ondrix_config.xml"));

    QProcess second;
    second.setProcessEnvironment(program_env());
    second.setWorkingDirectory(QDir::currentPath());
    second.start(ONDRIX_PROGRAM, {"next.csv"});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(wait_for_log("The value is: next.csv", 10000)) << log_text().toStdString();

    first.kill();
    first.waitForFinished();
}

// The switches that answer prompts and shorten the splash are the test program's only:
// the shipped program does not even name them.
TEST(Program, ShippedProgramHasNoTestSwitches)
{
    for (const char *program : {ONDRIX_SHIPPED_PROGRAM, ONDRIX_PROGRAM}) {
        QFile f(program);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << program;
        const QByteArray bytes = f.readAll();
        const bool test_program = QByteArray(program) == QByteArray(ONDRIX_PROGRAM);
        for (const char *name : {"ONDRIX_PROMPT_AUTO_ANSWER", "ONDRIX_SPLASH_MS"})
            EXPECT_EQ(bytes.contains(name), test_program) << program << " " << name;
    }
}

namespace {

QString tool_output(const QString &tool, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("LD_LIBRARY_PATH");
    p.setProcessEnvironment(env);
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return "<" + tool + " failed: " + QString::fromUtf8(p.readAllStandardError()) + ">";
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// The program imports the module's detection by name from the device library, which it
// finds through a run path relative to its own folder: in the build tree and in an
// installed copy, with no environment setting and no search of the working directory.
TEST(Program, FindsTheDeviceLibraryBesideItself)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString installed = tool_output(CMAKE_COMMAND, {"--install", ONDRIX_BUILD_DIR, "--component", "program",
                                                          "--prefix", prefix.path()});
    ASSERT_FALSE(installed.startsWith("<")) << installed.toStdString();
    struct case_t
    {
        const char *name;
        QString program;
        QString library;
    };
    const case_t cases[] = {
        {"build tree", ONDRIX_SHIPPED_PROGRAM, QELMOD_LIBRARY},
        {"installed", prefix.path() + "/bin/Ondrix", prefix.path() + "/lib/libqelmod.so.1"},
    };
    for (const case_t &c : cases) {
        SCOPED_TRACE(c.name);
        const QString dynamic = tool_output("readelf", {"-d", "-W", c.program});
        EXPECT_TRUE(dynamic.contains("Shared library: [libqelmod.so.1]")) << dynamic.toStdString();
        EXPECT_TRUE(dynamic.contains("Library runpath: [$ORIGIN/../lib]")) << dynamic.toStdString();
        const QString symbols = tool_output("readelf", {"--dyn-syms", "-W", c.program});
        EXPECT_TRUE(symbols.contains(QRegularExpression("UND vextral_device_detected\\b")));

        QString resolved;
        const QString ldd = tool_output("ldd", {c.program});
        for (const QString &line : ldd.split('\n')) {
            EXPECT_FALSE(line.contains("not found")) << line.toStdString();
            if (line.trimmed().startsWith("libqelmod.so.1 => "))
                resolved = line.trimmed().section(' ', 2, 2);
        }
        EXPECT_EQ(QFileInfo(resolved).canonicalFilePath(), QFileInfo(c.library).canonicalFilePath())
            << ldd.toStdString();
    }
}
