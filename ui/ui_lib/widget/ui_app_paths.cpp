#include "ui_app_paths.h"

#include "lib_xml.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>

QString &setting_ini_path = g_setting_file_path;
QString &default_data_folder = g_data_dir;

namespace {

// The writable location with "/Brantex" inserted before its last folder name; empty when
// the location holds no "/".
QString maker_folder(QStandardPaths::StandardLocation where)
{
    QByteArray dir = QStandardPaths::writableLocation(where).toUtf8();
    int cut = dir.lastIndexOf('/');
    if (cut < 0)
        return QString();
    dir.insert(cut, "/Brantex");
    return QString::fromUtf8(dir);
}

} // namespace

void init_app_paths()
{
    g_config_dir = maker_folder(QStandardPaths::AppDataLocation);
    g_local_dir = maker_folder(QStandardPaths::AppLocalDataLocation);
    QDir here;
    if (!here.exists(g_config_dir))
        here.mkpath(g_config_dir);
    if (!here.exists(g_local_dir))
        here.mkpath(g_local_dir);
    g_app_dir = QCoreApplication::applicationDirPath();
    // In the user's documents, not beside the program, where a clean build or an
    // update would take the user's files with it. Made when first used.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    g_data_dir = documents + "/Ondrix";
    g_config_file_path = g_config_dir + "/ondrix_config.xml";
    g_setting_file_path = g_config_dir + "/Setting.ini";
    g_log_file_path = g_local_dir + "/log.txt";
    if (!QFile::exists(g_config_file_path)) {
        lib_xml_t xml;
        xml.create_file_template(g_config_file_path);
    }
}

void repair_config_file()
{
    lib_xml_t xml;
    if (!xml.is_file_broken(g_config_file_path))
        return;
    // Kept for the user to look at: it may hold hand-added instrument addresses.
    const QString bad = g_config_file_path + ".bad";
    if (::rename(QFile::encodeName(g_config_file_path).constData(), QFile::encodeName(bad).constData()) != 0) {
        qWarning().noquote() << "The configuration file " + g_config_file_path +
                                    " cannot be read and cannot be moved aside; it is left as it is.";
        return;
    }
    xml.create_file_template(g_config_file_path);
    qWarning().noquote() << "The configuration file " + g_config_file_path + " could not be read; it was kept as " +
                                bad + " and replaced by the default configuration.";
}

// Outside any namespace: the macro declares the resource's init function.
static void init_compiled_resources()
{
    Q_INIT_RESOURCE(ondrix);
}

void ui_init_resources()
{
    static bool done = false;
    if (!done) {
        init_compiled_resources();
        done = true;
    }
}

void ui_install_style_sheet()
{
    ui_init_resources();
    QFile qss(":/ondrix.qss");
    qss.open(QFile::ReadOnly);
    qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
}
