#include "ui_sequencer.h"

#include "ui_coustom_btn.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"
#include "ui_table_widget.h"
#include "ui_tabwidget.h"
#include "ui_wvform_repe.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QPoint cell_centre(QTableWidget *t, int row, int column)
{
    return t->visualRect(t->model()->index(row, column)).center();
}

QList<ui_wvform_repe_t *> repetition_dialogs(ui_sequencer_t *s)
{
    return s->findChildren<ui_wvform_repe_t *>();
}

QStringList texts(QMenu *m)
{
    QStringList out;
    for (QAction *a : m->actions())
        out << a->text();
    return out;
}

} // namespace

TEST(UiSequencer, ButtonsReportAndLeaveTheEditor)
{
    ui_sequencer_t s(nullptr);
    s.show();
    EXPECT_EQ(s.windowTitle(), "Sequence Editor");
    QSignalSpy spy(&s, SIGNAL(sequencer_form_btn_signal(ui_sequencer_t *, int32)));
    QTest::mouseClick(s.get_ok_button(), Qt::LeftButton);
    QTest::mouseClick(s.get_cancel_button(), Qt::LeftButton);
    for (QAbstractButton *b : s.get_icon_buttons())
        QTest::mouseClick(b, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 2);
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(s.get_icon_buttons().size(), 11u);
    EXPECT_TRUE(QFile::exists(":/Image/resources/image_sequencer_move_down.png"));
    for (QAbstractButton *b : s.get_icon_buttons()) {
        EXPECT_FALSE(b->icon().pixmap(30, 30).isNull()) << b->toolTip().toStdString();
        EXPECT_TRUE(b->text().isEmpty());
    }
    EXPECT_EQ(s.get_wave_list()->rowCount(), 4);
    EXPECT_EQ(s.get_seq_table()->rowCount(), 4);
    EXPECT_EQ(s.get_seq_table()->columnCount(), 4);
}

TEST(UiSequencer, PressingACellSelectsItsRowInThatTableOnly)
{
    ui_sequencer_t s(nullptr);
    s.show();
    ui_table_widget_t *list = s.get_wave_list();
    ui_table_widget_t *seq = s.get_seq_table();
    QTest::mouseClick(seq->viewport(), Qt::LeftButton, {}, cell_centre(seq, 1, 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell_centre(list, 2, 0));
    ASSERT_EQ(list->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(list->selectionModel()->selectedRows().first().row(), 2);
    ASSERT_EQ(seq->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(seq->selectionModel()->selectedRows().first().row(), 1);
    EXPECT_EQ(seq->rowCount(), 4);
}

TEST(UiSequencer, MenusAndTheRepetitionsDialog)
{
    ui_sequencer_t s(nullptr);
    s.show();
    EXPECT_EQ(texts(s.get_wave_menu()), QStringList({"Add to Sequencer", "Remove Waveform"}));
    EXPECT_EQ(texts(s.get_seq_menu()), QStringList({"Edit Entry", "Remove", "Move Sequencer entry Up",
                                                      "Move Sequencer entry Down"}));
    for (QAction *a : s.get_wave_menu()->actions())
        a->trigger();
    EXPECT_TRUE(repetition_dialogs(&s).isEmpty());

    ui_table_widget_t *seq = s.get_seq_table();
    QTest::mousePress(seq->viewport(), Qt::LeftButton, {}, cell_centre(seq, 3, 1));
    QTest::mouseDClick(seq->viewport(), Qt::LeftButton, {}, cell_centre(seq, 3, 1));
    s.get_edit_action()->trigger();
    QList<ui_wvform_repe_t *> dialogs = repetition_dialogs(&s);
    ASSERT_EQ(dialogs.size(), 2) << "each opening makes a new dialog";
    ui_wvform_repe_t *d = dialogs.first();
    EXPECT_EQ(d->windowTitle(), "Waveform Repetitions");
    EXPECT_EQ(d->size(), QSize(330, 150));

    testing::internal::CaptureStdout();
    QTest::mouseClick(d->get_ok_button(), Qt::LeftButton);
    QTest::mouseClick(d->get_ok_button(), Qt::LeftButton);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "++++++ok\n++++++ok\n");
    QPointer<ui_wvform_repe_t> alive(d);
    QTest::mouseClick(d->get_cancel_button(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(repetition_dialogs(&s).size(), 1);
}

TEST(UiSequencer, PlainTableAndTabWidgets)
{
    ui_table_widget_t t(2, 3);
    t.set_read_only_item(1, 2, "x");
    ASSERT_NE(t.item(1, 2), nullptr);
    EXPECT_EQ(t.item(1, 2)->text(), "x");
    EXPECT_FALSE(t.item(1, 2)->flags() & Qt::ItemIsEditable);
    ui_tabwidget_t tabs;
    EXPECT_EQ(tabs.count(), 0);
}
