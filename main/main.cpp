// The program's entry: single instance, splash, per-user files, log and crash records,
// language and style, then the main window and the event loop.
#include "lib_app_paths.h"
#include "lib_xml.h"
#include "main_hooks.h"
#include "plat_crash.h"
#include "ui_app_log.h"
#include "ui_app_paths.h"
#include "ui_application.h"
#include "ui_language_resources.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_prompt.h"
#include "ui_qsplashscreen.h"
#include "visa_log.h"

#include <QDebug>
#include <QDesktopWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <clocale>

qint64 g_splash_hold_ms = 5000;

int32 qMain(int32 argc, char **argv)
{
    // Destroyed at the end of the normal path only: on the "already running" path its
    // clean-up would delete the running instance's sample files.
    auto *app = new ui_application_t(argc, argv, true);
    // The application object took the C library's locale from the environment; numbers
    // in instrument commands and replies keep their decimal point.
    std::setlocale(LC_NUMERIC, "C");
    ui_init_resources();
    ui_init_language_resources();
    ui_register_meta_types();
    if (app->is_running()) {
        {
            ui_prompt_t prompt(nullptr, true);
            prompt.show_instance_running_box();
        }
        return 0;
    }

    QPixmap picture(":/Image/resources/ondrix_screen.png");
    auto *splash = new ui_qsplashscreen_t(picture);
    splash->show();
    QElapsedTimer hold;
    hold.start();
    const qint64 hold_ms = g_splash_hold_ms;
    while (hold.elapsed() < hold_ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents);

    init_app_paths();
    qInstallMessageHandler(log_message_handler);
    // The VISA layer's diagnostics (a USB instrument the user may not open) go to the log.
    visa_set_log_hook([](const std::string &line) { qWarning("%s", line.c_str()); });
    repair_config_file();
    if (QScreen *screen = QGuiApplication::screens().value(0)) {
        qDebug() << "dpi is " << screen->physicalDotsPerInch();
        qDebug() << "xdpi is " << screen->physicalDotsPerInchX();
        qDebug() << "ydpi is " << screen->physicalDotsPerInchY();
    }
    qDebug() << "Application Start";

    QString language;
    {
        lib_xml_t xml;
        language = xml.read_node_content(g_config_file_path, "language");
    }
    static const QString font_family[2] = {"WenQuanYi Zen Hei", "WenQuanYi Zen Hei"};
    QFont font = QApplication::font();
    const bool chinese = language == "chinese";
    font.setFamily(font_family[chinese ? 1 : 0]);
    QApplication::setFont(font);
    if (!ui_install_language(chinese))
        qDebug() << "a translation catalogue could not be loaded";

    ui_install_style_sheet();
    plat_install_crash_handler(QFile::encodeName(g_local_dir).toStdString());

    int32 code = 0;
    {
        ui_ondrix_t window(nullptr);
        window.show();
        if (argc > 1)
            window.open_arg_file(argv[1] ? QString::fromUtf8(argv[1]) : QString());
        splash->finish(&window);
        delete splash;
        code = QApplication::exec();
    }
    delete app;
    return code;
}

int main(int argc, char **argv) { return qMain(argc, argv); }
