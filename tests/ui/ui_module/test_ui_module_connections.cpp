#include "ui_paste_option.h"
#include "ui_point_table_form.h"
#include "ui_waveform_sbar.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList g_warnings;

void record(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg)
        g_warnings << text;
}

// A failed connect by signature string only prints a warning: catch every one.
TEST(UiModuleConnections, FormsConnectEverySignalTheyName)
{
    g_warnings.clear();
    QtMessageHandler old = qInstallMessageHandler(record);
    {
        QWidget parent;
        ui_paste_option_t *paste = new ui_paste_option_t(&parent, true);
        ui_point_table_form_t table;
        ui_waveform_sbar_t bar;
        table.set_wave_length(4);
        table.load_points({QPointF(0, 0)}, 2.0f, 0.0f);
        table.add_point();
        paste->close();
    }
    qInstallMessageHandler(old);
    for (const QString &w : g_warnings)
        EXPECT_FALSE(w.contains("QObject::")) << w.toStdString();
}

} // namespace
