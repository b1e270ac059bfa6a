#include "ui_app_paths.h"
#include "ui_color_picker.h"
#include "messagebox_icon_style.h"
#include "ui_comb_fix_free_form.h"
#include "ui_comb_fixed_points_form.h"
#include "ui_comb_interpolation.h"
#include "ui_coustom_btn.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_gpbx.h"
#include "ui_coustom_label.h"
#include "ui_coustom_rdbtn.h"
#include "ui_custom_dock_widget.h"
#include "ui_qmessagebox.h"
#include "ui_tbar_btn.h"
#include "ui_wv_ledit.h"

#include <QApplication>
#include <QCommonStyle>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QIcon solid_icon(Qt::GlobalColor c)
{
    QPixmap pm(16, 16);
    pm.fill(c);
    return QIcon(pm);
}

TEST(UiStyledWidgets, ObjectNamesSelectStyleRules)
{
    ui_coustom_gpbx_t gpbx("Group");
    ui_coustom_comb_t comb;
    ui_coustom_label_t label("Text");
    ui_coustom_rdbtn_t rdbtn("Radio");
    ui_coustom_btn_t btn("Push");
    ui_coustom_btn_t icon_btn(solid_icon(Qt::red), "Push");
    ui_qmessagebox_t box(QMessageBox::Information, "t", "x");
    ui_comb_interpolation_t interp;
    ui_comb_fixed_points_form_t fixed_points;
    ui_comb_fix_free_form_t fix_free;
    EXPECT_EQ(gpbx.objectName(), "normal_gpbx");
    EXPECT_EQ(gpbx.title(), "Group");
    EXPECT_EQ(comb.objectName(), "normal_comb");
    EXPECT_NE(qobject_cast<QStyledItemDelegate *>(comb.itemDelegate()), nullptr);
    EXPECT_EQ(label.objectName(), "normal_label");
    EXPECT_EQ(rdbtn.objectName(), "normal_rdbtn");
    EXPECT_EQ(btn.objectName(), "normal_button");
    EXPECT_EQ(icon_btn.objectName(), "normal_button");
    EXPECT_FALSE(icon_btn.icon().isNull());
    EXPECT_EQ(box.objectName(), "MessageBoxStyle");
    EXPECT_EQ(interp.objectName(), "normal_comb");
    for (QComboBox *c : {static_cast<QComboBox *>(&fixed_points), static_cast<QComboBox *>(&fix_free)}) {
        EXPECT_EQ(c->objectName(), "normal_comb");
        EXPECT_NE(qobject_cast<QStyledItemDelegate *>(c->itemDelegate()), nullptr);
    }
}

TEST(UiStyledWidgets, MessageBoxHasItsOwnCommonStyle)
{
    QStyle *app_style = QApplication::style();
    {
        ui_qmessagebox_t box(QMessageBox::Critical, "t", "x");
        EXPECT_NE(box.style(), app_style);
        EXPECT_NE(qobject_cast<QCommonStyle *>(box.style()), nullptr);
        box.show();
        QApplication::processEvents();
        // The icon size is kept, but every metric stays the common style's.
        MessageboxIconStyle *style = qobject_cast<MessageboxIconStyle *>(box.style());
        ASSERT_NE(style, nullptr);
        EXPECT_EQ(style->get_icon_size(), 30);
        style->set_icon_size(48);
        EXPECT_EQ(style->get_icon_size(), 48);
        QCommonStyle common;
        EXPECT_EQ(style->pixelMetric(QStyle::PM_MessageBoxIconSize), common.pixelMetric(QStyle::PM_MessageBoxIconSize));
    }
    // Several boxes in a row, each owning and releasing its style (ASan checks the rest).
    for (int i = 0; i < 3; ++i) {
        ui_qmessagebox_t box(QMessageBox::Question, "t", "x", QMessageBox::Yes | QMessageBox::No);
        box.show();
        QApplication::processEvents();
    }
}

TEST(UiStyledWidgets, GreyToolBarButtonIgnoresClicks)
{
    QIcon normal = solid_icon(Qt::green), grey = solid_icon(Qt::gray);
    ui_tbar_btn_t btn(normal, grey, false);
    EXPECT_EQ(btn.parent(), nullptr);
    EXPECT_EQ(btn.objectName(), "TBarBtnGreyStyle");
    EXPECT_EQ(btn.icon().cacheKey(), grey.cacheKey());
    EXPECT_TRUE(btn.isEnabled());
    btn.resize(40, 40);
    btn.show();
    QSignalSpy clicked(&btn, SIGNAL(clicked()));
    QTest::mouseClick(&btn, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 0);

    btn.set_btn_enable(true);
    EXPECT_EQ(btn.objectName(), "TBarBtnStyle");
    EXPECT_EQ(btn.icon().cacheKey(), normal.cacheKey());
    QTest::mouseClick(&btn, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(UiStyledWidgets, DockContentPrefersFixedSize)
{
    ui_custom_dock_widget_t dock;
    EXPECT_EQ(dock.sizeHint(), QSize(170, 800));
}

TEST(UiStyledWidgets, WaveNameIsPrefixThenPostfix)
{
    ui_wv_ledit_t ledit;
    EXPECT_EQ(ledit.objectName(), "ip_edit_main_widget");
    EXPECT_TRUE(ledit.prefix_edit()->text().isEmpty());
    EXPECT_TRUE(ledit.posfix_edit()->text().isEmpty());
    EXPECT_TRUE(ledit.get_wave_name().isEmpty());
    EXPECT_EQ(ledit.prefix_edit()->objectName(), "wv_ledit_widget");
    EXPECT_EQ(ledit.posfix_edit()->objectName(), "wv_ledit_widget");
    EXPECT_EQ(ledit.prefix_edit()->parent(), &ledit);
    ledit.set_prefix_text("wave");
    ledit.set_posfix_text("1");
    EXPECT_EQ(ledit.get_wave_name(), "wave1");
    EXPECT_EQ(ledit.get_prefix_text(), "wave");
    EXPECT_EQ(ledit.get_posfix_text(), "1");
    ledit.set_prefix_enabled(false);
    EXPECT_FALSE(ledit.prefix_edit()->isEnabled());

    // The filter passes every event of the postfix edit on.
    ledit.show();
    ledit.posfix_edit()->setFocus();
    QTest::keyClicks(ledit.posfix_edit(), "23");
    EXPECT_EQ(ledit.get_wave_name(), "wave123");
}

TEST(UiStyledWidgets, InterpolationComboOffersTwoCurveKinds)
{
    QWidget parent;
    ui_comb_interpolation_t comb(&parent);
    EXPECT_EQ(comb.parent(), nullptr);
    ASSERT_EQ(comb.count(), 2);
    EXPECT_EQ(comb.itemText(0), "Linear");
    EXPECT_EQ(comb.itemData(0).toInt(), 0);
    EXPECT_EQ(comb.itemText(1), "0-order hold");
    EXPECT_EQ(comb.itemData(1).toInt(), 1);
    EXPECT_EQ(comb.currentIndex(), 0);
    comb.set_index(1);
    EXPECT_EQ(comb.currentIndex(), 1);
}

TEST(UiStyledWidgets, FixedPointsComboReportsThePointCountOfTheChosenItem)
{
    ui_comb_fixed_points_form_t comb;
    const QStringList items{"16384 (16k)", "32768 (32k)", "524288 (512k)"};
    ASSERT_EQ(comb.count(), items.size());
    for (int i = 0; i < items.size(); ++i)
        EXPECT_EQ(comb.itemText(i), items[i]);
    EXPECT_EQ(comb.currentIndex(), 0);

    QSignalSpy spy(&comb, SIGNAL(comb_data_change_info_signal(int32)));
    ASSERT_TRUE(spy.isValid());
    comb.show();
    comb.setFocus();
    QTest::keyClick(&comb, Qt::Key_Down); // activates "32768 (32k)"
    QTest::keyClick(&comb, Qt::Key_Down);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 32768);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 524288);
    const std::pair<int, int> other[] = {{0, 16384}, {3, 0}, {-1, 0}};
    for (const auto &c : other) {
        comb.comb_data_change_slot_func(c.first);
        EXPECT_EQ(spy.last().at(0).toInt(), c.second) << c.first;
    }

    ui_comb_fix_free_form_t fix_free;
    ASSERT_EQ(fix_free.count(), 2);
    EXPECT_EQ(fix_free.itemText(0), "Fixed");
    EXPECT_EQ(fix_free.itemText(1), "Variable");
    EXPECT_EQ(fix_free.currentIndex(), 0);
}

// Under the style sheet a checked radio button shows a bright dot where an unchecked one
// shows none, so the choice can be seen.
TEST(UiStyledWidgets, CheckedRadioButtonStandsOut)
{
    ui_install_style_sheet();
    {
        QWidget holder;
        holder.setObjectName("normal_widget");
        ui_coustom_rdbtn_t checked("On", &holder), unchecked("Off", &holder);
        checked.move(0, 0);
        unchecked.move(0, 40);
        checked.setChecked(true);
        holder.resize(120, 80);
        holder.show();
        QApplication::processEvents();
        auto centre_grey = [](QRadioButton &b) {
            QStyleOptionButton option;
            option.initFrom(&b);
            const QRect r = b.style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, &b);
            return qGray(b.grab().toImage().pixel(r.center()));
        };
        EXPECT_GT(centre_grey(checked), 200);
        EXPECT_LT(centre_grey(unchecked), 120);
        EXPECT_TRUE(checked.isChecked());
    }
    qApp->setStyleSheet(QString());
}

QStringList g_warnings;

void record(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg)
        g_warnings << text;
}

TEST(UiStyledWidgets, StyleSheetAndPicturesAreCompiledIn)
{
    g_warnings.clear();
    QtMessageHandler old = qInstallMessageHandler(record);
    ui_install_style_sheet();
    {
        // Polishing under the sheet parses it; a syntax error shows up as a warning.
        ui_coustom_btn_t btn("Push");
        ui_coustom_comb_t comb;
        btn.show();
        comb.show();
        QApplication::processEvents();
    }
    qInstallMessageHandler(old);
    for (const QString &w : g_warnings)
        EXPECT_FALSE(w.contains("parse", Qt::CaseInsensitive)) << w.toStdString();
    QString qss = qApp->styleSheet();
    for (const char *name : {"normal_label", "normal_spinbx", "normal_comb", "normal_button",
                             "normal_gpbx", "normal_widget", "normal_rdbtn", "normal_qwtplot",
                             "normal_table_widget", "TBarBtnStyle", "TBarBtnGreyStyle",
                             "MessageBoxStyle", "ip_edit_main_widget", "wv_ledit_widget",
                             "wvform_sbar_main", "sbar_label", "wvform_sbar_lineedit", "BtnStyle",
                             "MENUBAR_MENU_SETTINGS", "MENUBAR_SETTINGS", "mbar_main", "mbar_main_menu",
                             "tbar_button", "tbar_button_grey"})
        EXPECT_TRUE(qss.contains(QString("#") + name + " ") || qss.contains(QString("#") + name + ",") ||
                    qss.contains(QString("#") + name + ":"))
            << name;
    QPixmap icon(":/Image/resources/image_ondrix.png");
    EXPECT_FALSE(icon.isNull());
    qApp->setStyleSheet(QString());
}

TEST(UiStyledWidgets, ColourPickerIsReplaceable)
{
    QColor seen;
    ui_set_color_picker([&](const QColor &initial, QWidget *, const QString &) {
        seen = initial;
        return QColor(1, 2, 3);
    });
    EXPECT_EQ(ui_pick_color(Qt::white, nullptr, QString()), QColor(1, 2, 3));
    EXPECT_EQ(seen, QColor(Qt::white));
    ui_set_color_picker([](const QColor &, QWidget *, const QString &) { return QColor(); });
    EXPECT_FALSE(ui_pick_color(Qt::white, nullptr, QString()).isValid());
    ui_set_color_picker(nullptr);
}

} // namespace
