// The languages the program starts in: its own texts and Qt's, in the dialogs it builds.
#include "cfg_wv_types.h"
#include "lib_wv_data.h"
#include "sim_visa_env.h"
#include "ui_digtal_wave_form.h"
#include "ui_digtal_wave_form_form.h"
#include "ui_language_resources.h"
#include "ui_meta_types.h"
#include "ui_ondrix.h"
#include "ui_application.h"
#include "ui_wv_property_form.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoGroup>
#include <gtest/gtest.h>

namespace {

struct language_case_t
{
    bool chinese;
    // Qt's own texts
    const char *undo, *redo, *yes, *no, *cancel, *ok, *save, *look_in;
    // the program's table headers
    const char *value_volts, *value;
};

QString header(QTableWidget *table, int column)
{
    QTableWidgetItem *item = table->horizontalHeaderItem(column);
    return item ? item->text() : QString();
}

// Chinese shows Chinese in Qt's own entries, boxes and file dialogs as well as in the
// program's texts; English shows the source texts.
TEST(UiLanguage, QtsOwnTextsFollowTheChosenLanguage)
{
    ui_register_meta_types();
    const language_case_t cases[] = {
        {true, "撤销", "重做", "是(&Y)", "否(&N)", "取消", "确定", "保存(&S)", "查找范围：", "数值(V)", "数值"},
        {false, "Undo", "Redo", "&Yes", "&No", "Cancel", "OK", "&Save", "Look in:", "Value(V)", "Value"},
    };
    for (const language_case_t &c : cases) {
        ASSERT_TRUE(ui_install_language(c.chinese)) << c.chinese;
        EXPECT_EQ(get_language_flag(), c.chinese ? 1 : 0);

        sim_visa_env_t instruments; // the window's first scan finds the simulated (empty) set
        ui_ondrix_t window;
        EXPECT_EQ(window.undo_action()->text(), QString::fromUtf8(c.undo)) << c.chinese;
        EXPECT_EQ(window.redo_action()->text(), QString::fromUtf8(c.redo));

        QMessageBox box(QMessageBox::Question, "t", "x", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(c.yes)) << c.chinese;
        EXPECT_EQ(box.button(QMessageBox::No)->text(), QString::fromUtf8(c.no));
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8(c.cancel));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Ok)->text(), QString::fromUtf8(c.ok));

        QFileDialog files(nullptr, "t");
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setAcceptMode(QFileDialog::AcceptSave);
        QDialogButtonBox *file_buttons = files.findChild<QDialogButtonBox *>();
        ASSERT_NE(file_buttons, nullptr);
        EXPECT_EQ(file_buttons->button(QDialogButtonBox::Save)->text(), QString::fromUtf8(c.save)) << c.chinese;
        QStringList labels;
        for (QLabel *l : files.findChildren<QLabel *>())
            labels << l->text();
        EXPECT_TRUE(labels.contains(QString::fromUtf8(c.look_in))) << labels.join("|").toStdString();

        lib_wv_data_t<short int> data;
        data.resize(10, 0);
        ui_wv_property_form_t *form = new ui_wv_property_form_t(&window, "W1-a", &data, 1000.0f, instr_zqw_t(2));
        EXPECT_EQ(header(form->findChild<QTableWidget *>(), 1), QString::fromUtf8(c.value_volts)) << c.chinese;
        delete form;
        ui_digtal_wave_form_t editor(nullptr, 64, INSTR_ZQW6000X, 1000.0, false, nullptr);
        EXPECT_EQ(header(editor.get_form()->tableWidget, 1), QString::fromUtf8(c.value)) << c.chinese;
    }
    ui_install_language(false);
}

} // namespace
