// The waveform property form: paging, name rules, value write-back and its codes.
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_prompt.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"
#include "ui_wv_ledit.h"
#include "ui_wv_property_form.h"
#include "ui_draw_point.h"
#include "ui_plot_cursor.h"
#include "ui_waveform.h"

#include <QAction>

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include "layout_check.h"
#include "ui_app_paths.h"
#include <QGroupBox>
#include <QStyleOptionGroupBox>
#include <gtest/gtest.h>

#include "find_child.h"

#include <memory>
#include <vector>

namespace {

class form_fixture_t
{
public:
    void make(uint32 n, float amp = 2.0f, float offset = 0.0f, const QString &name = "Wave3-sine")
    {
        // Past a million samples the record stays a sparse file of zeros.
        if (n > 1000000) {
            data.samples.resize(n, 0);
        } else if (n) {
            std::vector<short int> v(n);
            for (uint32 i = 0; i < n; ++i)
                v[i] = static_cast<short int>(i % 30000);
            data.samples.write(0, v.data(), n);
        }
        data.amp = amp;
        data.offset = offset;
        form = new ui_wv_property_form_t(&owner, name, &data, 1000.0f, instr_zqw_t(2));
        table = form->findChild<QTableWidget *>();
        form->show();
    }
    int visible_rows() const
    {
        int k = 0;
        for (int r = 0; r < table->rowCount(); ++r)
            k += table->isRowHidden(r) ? 0 : 1;
        return k;
    }
    short int sample(uint32 i) { return data.samples[i]; }

    QWidget owner;
    lib_wv_data_t<short int> data;
    QPointer<ui_wv_property_form_t> form;
    QTableWidget *table = nullptr;
};

class form_fixture : public ::testing::Test, public form_fixture_t
{
};

TEST_F(form_fixture, PagesOf1024Rows)
{
    make(2500);
    EXPECT_EQ(form->windowTitle(), "Waveform Properties");
    EXPECT_EQ(table->rowCount(), 1024);
    EXPECT_EQ(table->item(0, 0)->text(), "1");
    EXPECT_FALSE(table->item(0, 0)->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(form->get_current_page(), 1);
    form->get_page_frame()->spinbox_int->setValue(3);
    EXPECT_EQ(form->get_current_page(), 3);
    EXPECT_EQ(table->item(0, 0)->text(), "2049");
    EXPECT_EQ(table->item(451, 0)->text(), "2500");
    EXPECT_EQ(visible_rows(), 452);
    EXPECT_EQ(form->get_index_frame()->get_spinbox_value(), 2049);
    form->get_page_frame()->spinbox_int->setValue(9);
    EXPECT_EQ(form->get_current_page(), 3) << "clamped to the last page";
    form->get_page_frame()->spinbox_int->setValue(2);
    EXPECT_EQ(form->get_index_frame()->get_spinbox_value(), 1025);
    EXPECT_EQ(visible_rows(), 1024);
}

struct goto_case_t
{
    uint32 samples;
    double index; // 1-based, as typed
    int page;
    int row;
};

// Goto shows the page of the typed index with its value cell current, and a value typed
// there goes to that sample: also past 2^31 samples, which .bin files allow.
TEST(UiWvPropertyForm, GotoAndTypedValuesReachTheSampleOfTheIndex)
{
    const goto_case_t cases[] = {
        {2500, 1500, 2, 475},
        {2500, 2500, 3, 451},
        {2147485648u, 2147484148.0, 2097153, 499}, // 2^31 + 2000 samples, index 2^31 + 500
        {4294967295u, 4294967295.0, 4194304, 1022},
    };
    for (const goto_case_t &c : cases) {
        form_fixture_t f;
        f.make(c.samples);
        ASSERT_DOUBLE_EQ(f.form->get_index_frame()->get_max_value(), c.samples);
        f.form->get_index_frame()->set_spinbox_value(c.index);
        QTest::mouseClick(button(f.form, "Goto"), Qt::LeftButton);
        EXPECT_EQ(f.form->get_page_frame()->spinbox_int->value(), c.page) << c.index;
        EXPECT_EQ(f.form->get_current_page(), c.page);
        EXPECT_EQ(f.table->currentRow(), c.row);
        EXPECT_EQ(f.table->currentColumn(), 1);
        EXPECT_EQ(f.table->item(c.row, 0)->text(), QString::number(c.index, 'f', 0));
        const uint32 index = static_cast<uint32>(c.index - 1);
        EXPECT_EQ(f.form->row_to_index(c.row), index);
        f.table->item(c.row, 1)->setText("0.5");
        EXPECT_EQ(f.sample(index), 16383) << c.index;
        if (c.row > 0) {
            EXPECT_EQ(f.sample(index - 1), c.samples > 1000000 ? 0 : short((index - 1) % 30000));
        }
    }
}

TEST_F(form_fixture, ShortWaveformHasOnePage)
{
    make(100);
    EXPECT_EQ(table->rowCount(), 100);
    form->get_page_frame()->spinbox_int->setValue(2);
    EXPECT_EQ(form->get_page_frame()->spinbox_int->value(), 1);
}

TEST_F(form_fixture, TypedVoltsGoStraightIntoTheSamples)
{
    make(2000, 2.0f, 0.5f);
    table->item(3, 1)->setText("1.5");
    table->item(4, 1)->setText("-0.5");
    table->item(5, 1)->setText("9");
    table->item(6, 1)->setText("abc");
    EXPECT_EQ(sample(3), 32767);
    EXPECT_EQ(sample(4), -32767);
    EXPECT_EQ(sample(5), 32767);
    EXPECT_EQ(sample(6), -16383) << "not a number counts as 0 V";
    EXPECT_TRUE(form->is_data_changed());
    form->get_page_frame()->spinbox_int->setValue(2);
    form->get_page_frame()->spinbox_int->setValue(1);
    EXPECT_EQ(table->item(3, 1)->text(), "1.500000");
    EXPECT_EQ(table->item(4, 1)->text(), "-0.500000");
    // Page 2, row 0 is sample 1024.
    form->get_page_frame()->spinbox_int->setValue(2);
    table->item(0, 1)->setText("0.5");
    EXPECT_EQ(sample(1024), 0);
    table->item(1, 1)->setText("");
    EXPECT_EQ(sample(1025), 0);
    EXPECT_EQ(table->item(1, 1)->text(), "0.500000") << "the refilled cell shows what sample 0 stands for";
}

TEST_F(form_fixture, ZeroAmplitudeWritesTheMiddle)
{
    make(10, 0.0f, 1.0f);
    table->item(2, 1)->setText("3");
    EXPECT_EQ(sample(2), 0);
}

TEST_F(form_fixture, NameRules)
{
    make(10);
    ui_wv_ledit_t *edit = form->findChild<ui_wv_ledit_t *>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->prefix_edit()->text(), "Wave3-");
    EXPECT_FALSE(edit->prefix_edit()->isEnabled());
    EXPECT_EQ(edit->get_posfix_text(), "sine");
    std::vector<QString> texts;
    ui_prompt_t::set_answer_hook([&](QMessageBox &box) {
        texts.push_back(box.text());
        return QMessageBox::Ok;
    });
    QSignalSpy spy(form.data(), SIGNAL(wv_property_form_btn_signal(ui_wv_property_form_t *, int32)));
    for (const char *bad : {"a b", "abcdefghijklmnopqrs", ""}) {
        edit->posfix_edit()->setText(bad);
        QTest::mouseClick(button(form, "OK"), Qt::LeftButton);
        EXPECT_EQ(edit->get_posfix_text(), "sine") << bad;
    }
    EXPECT_EQ(spy.count(), 0);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "The waveform name is invalid. It can be composed of numbers, letters, underscores and minus "
                        "signs. The length is 1 ~ 18 and cannot contain spaces.");
    edit->posfix_edit()->setText("my_wave-2");
    QTest::mouseClick(button(form, "OK"), Qt::LeftButton);
    ui_prompt_t::set_answer_hook(ui_prompt_answer_hook_t());
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(form->get_wave_name(), "Wave3-my_wave-2");
    EXPECT_EQ(ui_wv_property_form_t::name_prefix("plain"), "");
    EXPECT_EQ(ui_wv_property_form_t::name_postfix("plain"), "plain");
    EXPECT_EQ(ui_wv_property_form_t::name_prefix("W1-a-b"), "W1-");
    EXPECT_EQ(ui_wv_property_form_t::name_postfix("W1-a-b"), "a-b");
    // The owner closes the form on 3: the frame code 8 follows.
    form->close();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 8);
}

TEST_F(form_fixture, OtherButtonsSendTheirCodes)
{
    make(50, 1.0f, 0.25f);
    QSignalSpy spy(form.data(), SIGNAL(wv_property_form_btn_signal(ui_wv_property_form_t *, int32)));
    for (const char *b : {"Preview", "Convert to digital wave", "Cancel"})
        QTest::mouseClick(button(form, b), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 4);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 9);
    EXPECT_EQ(spy.at(2).at(1).toInt(), 2);
    EXPECT_DOUBLE_EQ(form->get_y_range().first, -0.25);
    EXPECT_DOUBLE_EQ(form->get_y_range().second, 0.75);
    EXPECT_FLOAT_EQ(form->get_frequency(), 1000.0f);
}

TEST_F(form_fixture, EmptyWaveformShowsNoRows)
{
    make(0);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_FALSE(form->get_page_frame()->isEnabled());
    EXPECT_FALSE(form->get_index_frame()->isEnabled());
    EXPECT_EQ(form->get_page_frame()->spinbox_int->value(), 1);
    QTest::mouseClick(button(form, "Goto"), Qt::LeftButton);
    QTest::mouseClick(button(form, "Preview"), Qt::LeftButton);
    EXPECT_EQ(data.samples.size(), 0u);
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
TEST(UiDocumentConnections, WindowAndPropertyFormConnectEverySignalTheyName)
{
    g_warnings.clear();
    QtMessageHandler old = qInstallMessageHandler(record_warning);
    {
        QAction undo(nullptr), redo(nullptr);
        ui_waveform_t *win = new ui_waveform_t(&undo, &redo, 100, 1000.0f, nullptr);
        win->set_saved(true);
        win->cursor->set_selzone_range(0, 9);
        win->cursor->show_selzone(0, 9);
        win->set_select_kind(0);
        win->invert_waveform();
        win->do_copy_selected_wv();
        win->show_paste_option_form();
        win->show_point_table_form();
        win->point_table_form_btn_slot_func(win->drawing, 2);
        ui_wv_property_form_t *form =
            new ui_wv_property_form_t(win, "W1-a", win->get_wave_data(), 1000.0f, instr_zqw_t(2));
        form->close();
        delete win;
    }
    qInstallMessageHandler(old);
    for (const QString &w : g_warnings)
        EXPECT_FALSE(w.contains("QObject::")) << w.toStdString();
}

} // namespace

// Under the application style sheet every control shows whole: the fixed name prefix and
// the Convert button used to be cut off or to sit on the group's border.
TEST(UiDialogLook, WaveformPropertiesShowEveryControlWhole)
{
    ui_install_style_sheet();
    {
        QWidget owner;
        lib_wv_data_t<short int> data;
        data.resize(100, 0);
        QPointer<ui_wv_property_form_t> form =
            new ui_wv_property_form_t(&owner, "Wave book123-sine", &data, 1000.0f, instr_zqw_t(2));
        form->show();
        QApplication::processEvents();
        EXPECT_EQ(layout_check::faults(form).join("\n").toStdString(), "");
        ui_wv_ledit_t *name = form->findChild<ui_wv_ledit_t *>();
        ASSERT_NE(name, nullptr);
        QLineEdit *prefix = name->prefix_edit();
        EXPECT_LE(prefix->fontMetrics().horizontalAdvance(prefix->text()), prefix->contentsRect().width())
            << "the fixed part of the name shows whole";
        QPushButton *convert = button(form, "Convert to digital wave");
        ASSERT_NE(convert, nullptr);
        QGroupBox *group = qobject_cast<QGroupBox *>(convert->parentWidget());
        ASSERT_NE(group, nullptr);
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect frame = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group);
        EXPECT_GE(convert->geometry().top(), frame.top()) << "inside the group's frame, not on its border";
    }
    qApp->setStyleSheet(QString());
}
