#include "ui_language_resources.h"

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
