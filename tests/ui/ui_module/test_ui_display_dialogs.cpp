// The display properties and cursor settings dialogs: what they show, what they keep,
// and the codes they send.
#include "ui_color_picker.h"
#include "ui_comb_interpolation.h"
#include "ui_cursor_setting.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"
#include "ui_view_property.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include "layout_check.h"
#include "ui_app_paths.h"
#include <gtest/gtest.h>

#include "find_child.h"

namespace {

template <typename frame_t>
frame_t *frame(QWidget *w, const char *label)
{
    for (frame_t *f : w->findChildren<frame_t *>())
        if (f->label->text() == label)
            return f;
    return nullptr;
}

// Clicks the indicator: a check box reacts only over its box and its text.
void click_box(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

class color_answer_t
{
public:
    explicit color_answer_t(QColor c)
    {
        ui_set_color_picker([c](const QColor &, QWidget *, const QString &) { return c; });
    }
    ~color_answer_t() { ui_set_color_picker(ui_color_picker_fn_t()); }
};

struct code_case_t
{
    const char *button;
    int code;
};

TEST(UiViewProperty, OkAndCancelSendCodesFrameCloseSendsNothing)
{
    for (const code_case_t &c : {code_case_t{"OK", 3}, code_case_t{"Cancel", 2}}) {
        QWidget owner;
        auto *dlg = new ui_view_property_t(&owner, "Wave1-a", ui_view_setting_t());
        QSignalSpy spy(dlg, SIGNAL(view_property_form_btn_signal(ui_view_property_t *, int32)));
        ASSERT_TRUE(spy.isValid());
        dlg->show();
        QTest::mouseClick(button(dlg, c.button), Qt::LeftButton);
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(0).value<ui_view_property_t *>(), dlg);
        EXPECT_EQ(spy.at(0).at(1).toInt(), c.code);
    }
    QWidget owner;
    QPointer<ui_view_property_t> dlg = new ui_view_property_t(&owner, "w", ui_view_setting_t());
    QSignalSpy spy(dlg.data(), SIGNAL(view_property_form_btn_signal(ui_view_property_t *, int32)));
    dlg->show();
    dlg->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dlg);
    EXPECT_EQ(spy.count(), 0);
}

TEST(UiViewProperty, ShowsTheRecordAndHandsItBack)
{
    ui_view_setting_t s;
    s.line_width = 7;
    s.curve_style = UI_CURVE_STEPS;
    s.auto_scale = false;
    s.grid_show = false;
    s.y_min = -2.5;
    s.y_max = 3.0;
    QWidget owner;
    auto *dlg = new ui_view_property_t(&owner, "Wave1-a", s);
    EXPECT_EQ(dlg->windowTitle(), "Display Properties");
    EXPECT_EQ(dlg->objectName(), "normal_widget");
    QComboBox *width = nullptr;
    for (QComboBox *c : group(dlg, "Waveform")->findChildren<QComboBox *>())
        if (!qobject_cast<ui_comb_interpolation_t *>(c))
            width = c;
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->currentText(), "2");
    auto *interp = dlg->findChild<ui_comb_interpolation_t *>();
    EXPECT_EQ(interp->currentText(), "Linear");
    EXPECT_FALSE(check(dlg, "Grids")->isChecked());
    EXPECT_FALSE(check(dlg, "Auto Scale")->isChecked());
    ui_view_setting_t back = dlg->get_view_setting();
    EXPECT_EQ(back.line_width, 1);
    EXPECT_EQ(back.curve_style, UI_CURVE_STEPS);
    EXPECT_DOUBLE_EQ(back.y_min, -2.5);
    EXPECT_DOUBLE_EQ(back.y_max, 3.0);

    // A chosen entry writes the field; "0-order hold" is the inverted steps.
    QMetaObject::invokeMethod(interp, "activated", Q_ARG(int, 1));
    EXPECT_EQ(dlg->get_view_setting().curve_style, UI_CURVE_INVERTED_STEPS);
    QMetaObject::invokeMethod(width, "activated", Q_ARG(int, 3));
    EXPECT_EQ(dlg->get_view_setting().line_width, 3);
}

TEST(UiViewProperty, ColourButtonsAndDefaults)
{
    QWidget owner;
    auto *dlg = new ui_view_property_t(&owner, "w", ui_view_setting_t());
    QGroupBox *cursor = group(dlg, "Cursor");
    QList<QPushButton *> changes;
    for (QPushButton *b : cursor->findChildren<QPushButton *>())
        if (b->text() == "Change Color...")
            changes << b;
    ASSERT_EQ(changes.size(), 2);
    {
        color_answer_t cancel{QColor()};
        QTest::mouseClick(button(group(dlg, "Waveform"), "Change Color..."), Qt::LeftButton);
    }
    ui_view_setting_t s = dlg->get_view_setting();
    EXPECT_EQ(std::vector<int>(s.line_rgb, s.line_rgb + 3), (std::vector<int>{255, 255, 0}));
    {
        color_answer_t blue{QColor(1, 2, 250)};
        QTest::mouseClick(button(group(dlg, "Waveform"), "Change Color..."), Qt::LeftButton);
        QTest::mouseClick(changes[1], Qt::LeftButton);
    }
    s = dlg->get_view_setting();
    EXPECT_EQ(std::vector<int>(s.line_rgb, s.line_rgb + 3), (std::vector<int>{1, 2, 250}));
    const int y_rgb_expected[3] = {1, 2, 250};
    EXPECT_TRUE(std::equal(s.y_cursor_rgb, s.y_cursor_rgb + 3, y_rgb_expected) ||
                std::equal(s.x_cursor_rgb, s.x_cursor_rgb + 3, y_rgb_expected));

    QTest::mouseClick(button(group(dlg, "Waveform"), "Default"), Qt::LeftButton);
    QTest::mouseClick(button(cursor, "Default"), Qt::LeftButton);
    s = dlg->get_view_setting();
    EXPECT_EQ(std::vector<int>(s.line_rgb, s.line_rgb + 3), (std::vector<int>{255, 255, 0}));
    EXPECT_EQ(std::vector<int>(s.x_cursor_rgb, s.x_cursor_rgb + 3), (std::vector<int>{255, 0, 0}));
    EXPECT_EQ(std::vector<int>(s.y_cursor_rgb, s.y_cursor_rgb + 3), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(s.line_width, 1);
}

TEST(UiViewProperty, AutoScaleDisablesTheRangeButKeepsIt)
{
    QWidget owner;
    auto *dlg = new ui_view_property_t(&owner, "w", ui_view_setting_t());
    dlg->show();
    auto *min = frame<ui_dspinbx_frame_t>(dlg, "Min:");
    auto *max = frame<ui_dspinbx_frame_t>(dlg, "Max:");
    ASSERT_NE(min, nullptr);
    EXPECT_FALSE(min->isEnabled());
    click_box(check(dlg, "Auto Scale"));
    EXPECT_FALSE(dlg->get_view_setting().auto_scale);
    EXPECT_TRUE(min->isEnabled());
    EXPECT_DOUBLE_EQ(dlg->get_view_setting().y_min, -1.0);
    min->dspinbox->setValue(2.0); // above Max: handed on as it is
    EXPECT_DOUBLE_EQ(dlg->get_view_setting().y_min, 2.0);
    EXPECT_DOUBLE_EQ(dlg->get_view_setting().y_max, 1.0);
    (void)max;
    click_box(check(dlg, "Grids"));
    click_box(check(dlg, "Time Scale"));
    EXPECT_FALSE(dlg->get_view_setting().grid_show);
    EXPECT_TRUE(dlg->get_view_setting().time_scale_show);
}

TEST(UiCursorSetting, ShowsPointNumbersAndReportsIndices)
{
    QWidget owner;
    auto *dlg = new ui_cursor_setting_t(&owner, 99.7f, 10.2f, 0.25f, -5.0f, 1.0, 1000.0, -1.0, 1.0, true, true);
    EXPECT_EQ(dlg->windowTitle(), "Cursor Settings");
    auto *x1 = frame<ui_spinbx_frame_t>(dlg, "X1:");
    auto *x2 = frame<ui_spinbx_frame_t>(dlg, "X2:");
    ASSERT_NE(x1, nullptr);
    EXPECT_EQ(x1->spinbox_int->value(), 100);
    EXPECT_EQ(x2->spinbox_int->value(), 11);
    EXPECT_EQ(dlg->get_x1(), 99.0);
    EXPECT_EQ(dlg->get_x2(), 10.0);
    EXPECT_FLOAT_EQ(dlg->get_y1(), 0.25f);
    EXPECT_FLOAT_EQ(dlg->get_y2(), -1.0f) << "a level outside the volts range is clamped";
    x1->spinbox_int->setValue(5000);
    EXPECT_EQ(dlg->get_x1(), 999.0) << "clamped to the point count";
    x2->spinbox_int->setValue(700);
    EXPECT_EQ(dlg->get_x2(), 699.0);
}

TEST(UiCursorSetting, SwitchedOffPairsAreDisabledAndCodesFollowTheProtocol)
{
    QWidget owner;
    QPointer<ui_cursor_setting_t> dlg =
        new ui_cursor_setting_t(&owner, 5, 6, 0, 0, 1.0, 100.0, -1.0, 1.0, false, true);
    EXPECT_FALSE(frame<ui_spinbx_frame_t>(dlg, "X1:")->isEnabled());
    EXPECT_TRUE(frame<ui_dspinbx_frame_t>(dlg, "Y2:")->isEnabled());
    QSignalSpy spy(dlg.data(), SIGNAL(cursor_setting_form_btn_signal(ui_cursor_setting_t *, int32)));
    ASSERT_TRUE(spy.isValid());
    dlg->show();
    for (QRadioButton *r : dlg->findChildren<QRadioButton *>())
        QTest::mouseClick(r, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
    QTest::mouseClick(button(dlg, "Cancel"), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 2);
    dlg->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dlg);
    EXPECT_EQ(spy.count(), 2);
}

} // namespace

namespace {

QStringList g_warnings;

void record_warning(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg)
        g_warnings << text;
}

// A connect by signature string that names nothing only prints a warning: catch them.
TEST(UiDocumentConnections, WindowAndDialogsConnectEverySignalTheyName)
{
    g_warnings.clear();
    QtMessageHandler old = qInstallMessageHandler(record_warning);
    {
        QWidget owner;
        new ui_view_property_t(&owner, "w", ui_view_setting_t());
        new ui_cursor_setting_t(&owner, 1, 2, 0, 0, 1, 10, -1, 1, true, true);
    }
    qInstallMessageHandler(old);
    for (const QString &w : g_warnings)
        EXPECT_FALSE(w.contains("QObject::")) << w.toStdString();
}

// Under the application style sheet every control shows whole: the Y-axis row of Display
// Properties and the X2 and Y2 unit boxes of Cursor Settings used to be cut off.
TEST(UiDialogLook, DisplayPropertiesAndCursorSettingsShowEveryControlWhole)
{
    ui_install_style_sheet();
    {
        QWidget owner;
        ui_view_setting_t setting;
        setting.auto_scale = false;
        QPointer<ui_view_property_t> view = new ui_view_property_t(&owner, "Wave book1-wave1", setting);
        QPointer<ui_cursor_setting_t> cursors =
            new ui_cursor_setting_t(&owner, 10, 20, 0.1f, 0.5f, 1.0, 16384.0, -1.0, 1.0, true, true);
        for (QWidget *dialog : {static_cast<QWidget *>(view.data()), static_cast<QWidget *>(cursors.data())}) {
            dialog->show();
            QApplication::processEvents();
            EXPECT_EQ(layout_check::faults(dialog).join("\n").toStdString(), "") << dialog->windowTitle().toStdString();
        }
    }
    qApp->setStyleSheet(QString());
}

} // namespace
