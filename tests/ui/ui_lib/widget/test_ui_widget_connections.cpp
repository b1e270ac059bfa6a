#include "ui_combx.h"
#include "ui_comb_fixed_points_form.h"
#include "ui_comb_interpolation.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_prompt.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"
#include "ui_wv_ledit.h"

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
TEST(UiWidgetConnections, WidgetsConnectEverySignalTheyName)
{
    g_warnings.clear();
    QtMessageHandler old = qInstallMessageHandler(record);
    {
        for (int type = 0; type <= 10; ++type) {
            ui_dspinbx_frame_t real(false, type, true, "x", false);
            ui_spinbx_frame_t whole(true, type, type % 2 == 0, "", false);
            real.dspinbox->setValue(1500.0);
            whole.spinbox_int->setValue(1500);
        }
        ui_comb_interpolation_t interp;
        ui_comb_fixed_points_form_t fixed_points;
        ui_wv_ledit_t ledit;
        ui_prompt_t::set_answer_hook([](QMessageBox &) { return QMessageBox::Ok; });
        ui_prompt_t prompt;
        prompt.show_info_box("x");
        ui_prompt_t::set_answer_hook(nullptr);
    }
    qInstallMessageHandler(old);
    for (const QString &w : g_warnings)
        EXPECT_FALSE(w.contains("QObject::")) << w.toStdString();
}

} // namespace
