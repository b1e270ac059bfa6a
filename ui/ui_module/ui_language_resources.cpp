#include "ui_language_resources.h"

#include "ui_application.h"

#include <QCoreApplication>
#include <QtGlobal>

static void init_language_catalogues() { Q_INIT_RESOURCE(ondrix_languages); }

void ui_init_language_resources()
{
    static bool done = false;
    if (!done) {
        init_language_catalogues();
        done = true;
    }
}

bool ui_install_language(bool chinese)
{
    ui_init_language_resources();
    QCoreApplication::removeTranslator(&g_app_translator);
    QCoreApplication::removeTranslator(&g_qt_translator);
    bool ok = g_app_translator.load(chinese ? ":/languages/Ondrix_zh.qm" : ":/languages/Ondrix_en.qm");
    QCoreApplication::installTranslator(&g_app_translator);
    if (chinese) {
        // Not qt_zh_CN.qm: it only names the module catalogues and refuses to load unless
        // every one of them is there. The widgets' texts are all in qtbase.
        ok = g_qt_translator.load(":/languages/qtbase_zh_CN.qm") && ok;
        QCoreApplication::installTranslator(&g_qt_translator);
    }
    set_language_flag(chinese ? 1 : 0);
    return ok;
}
