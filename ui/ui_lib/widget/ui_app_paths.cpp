#include "ui_app_paths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

QString setting_ini_path;
QString default_data_folder;

namespace {

// The per-user folder with "Brantex" inserted above the program's own folder.
QString maker_folder(QStandardPaths::StandardLocation where)
{
    QString dir = QStandardPaths::writableLocation(where);
    int cut = dir.lastIndexOf('/');
    if (cut < 0)
        return dir;
    return dir.left(cut) + "/Brantex" + dir.mid(cut);
}

} // namespace

void init_app_paths()
{
    QString config_dir = maker_folder(QStandardPaths::AppDataLocation);
    QDir().mkpath(config_dir);
    setting_ini_path = config_dir + "/Setting.ini";
    default_data_folder = QCoreApplication::applicationDirPath() + "/data";
    if (!QDir(default_data_folder).exists())
        QDir().mkpath(default_data_folder);
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
