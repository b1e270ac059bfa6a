#include "ui_point_table_form.h"
#include "ui_prompt.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A point table with an answer hook that records every box instead of showing it.
class point_table_fixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qRegisterMetaType<int32>("int32");
        ui_prompt_t::set_answer_hook([this](QMessageBox &box) {
            boxes << box.text();
            return QMessageBox::Ok;
        });
        table = form.findChild<QTableWidget *>();
        ASSERT_NE(table, nullptr);
    }
    void TearDown() override { ui_prompt_t::set_answer_hook(nullptr); }

    // Loads rows at 1-based positions with the given volts (amp 2, offset 0: raw = v x 32767).
    void load(const QList<std::pair<int, double>> &rows, uint32 length = 100)
    {
        QList<QPointF> raw;
        for (const auto &r : rows)
            raw << QPointF(r.first - 1, r.second * 32767.0);
        form.set_wave_length(length);
        form.load_points(raw, 2.0f, 0.0f);
    }
    // Types into a cell as the user does: the item's text changes, cellChanged follows.
    void edit(int row, int column, const QString &text)
    {
        QTableWidgetItem *item = table->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            table->setItem(row, column, item);
        }
        item->setText(text);
    }
    QString cell(int row, int column) const
    {
        QTableWidgetItem *item = table->item(row, column);
        return item ? item->text() : QString("<none>");
    }
    QPushButton *button(const char *text)
    {
        for (QPushButton *b : form.findChildren<QPushButton *>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
    void select_cell(int row, int column)
    {
        table->setCurrentCell(row, column);
    }

    QStringList boxes;
    ui_point_table_form_t form;
    QTableWidget *table = nullptr;
};

TEST_F(point_table_fixture, LoadShowsPositionsFromOneAndVolts)
{
    EXPECT_FALSE(form.isVisible());
    QList<QPointF> raw{{0, 32767}, {9, -16383.5}, {4.7, 0}};
    form.set_wave_length(10);
    form.load_points(raw, 4.0f, 1.0f);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.is_loaded());
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(0, 1), "3.000000");
    EXPECT_EQ(cell(1, 0), "10");
    EXPECT_EQ(cell(1, 1), "0.000000");
    EXPECT_EQ(cell(2, 0), "5");
    EXPECT_EQ(cell(2, 1), "1.000000");
    ASSERT_EQ(form.get_points().size(), 3);
    EXPECT_EQ(form.get_points()[1], QPointF(10, 0));
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Positions");
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Volts");
}

TEST_F(point_table_fixture, CurrentPositionIsTheCurrentRowsFirstColumn)
{
    EXPECT_EQ(form.get_current_position(), 0) << "no rows";
    load({{3, 0.5}, {70, 0.25}}, 80);
    EXPECT_EQ(form.get_wave_length(), 80u);
    select_cell(1, 1);
    EXPECT_EQ(form.get_current_position(), 70);
    select_cell(0, 0);
    EXPECT_EQ(form.get_current_position(), 3);
    edit(0, 0, "12");
    EXPECT_EQ(form.get_current_position(), 12);
}

TEST_F(point_table_fixture, PositionOutOfRangeIsRefused)
{
    load({{3, 0.5}, {7, 0.25}}, 10);
    for (const char *text : {"0", "11", "-3", "abc", "nan", "inf"}) {
        boxes.clear();
        edit(0, 0, text);
        ASSERT_EQ(boxes.size(), 1) << text;
        EXPECT_EQ(boxes[0], "The position of the point is out of range.");
        EXPECT_EQ(cell(0, 0), "3") << text;
        EXPECT_EQ(form.get_points()[0].x(), 3.0);
    }
}

TEST_F(point_table_fixture, PositionInUseIsRefused)
{
    load({{3, 0.5}, {7, 0.25}}, 10);
    // "3.0" is the row's own position retyped (an unchanged text sends no change).
    for (const char *text : {"7", "7.5", "3.0"}) {
        boxes.clear();
        edit(0, 0, text);
        ASSERT_EQ(boxes.size(), 1) << text;
        EXPECT_EQ(boxes[0], "The points can't be in the same position.");
        EXPECT_EQ(cell(0, 0), "3") << text;
    }
}

TEST_F(point_table_fixture, FreePositionIsTruncatedAndStored)
{
    load({{3, 0.5}, {7, 0.25}}, 20);
    edit(0, 0, "12.9");
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(form.get_points()[0].x(), 12.0);
    EXPECT_EQ(cell(0, 0), "12.9");
}

TEST_F(point_table_fixture, VoltsAreStoredUncheckedAndEmptyMeansZero)
{
    load({{3, 0.5}, {7, 0.25}}, 10);
    edit(1, 1, "123.5");
    EXPECT_EQ(form.get_points()[1].y(), 123.5);
    edit(1, 1, "junk");
    EXPECT_EQ(form.get_points()[1].y(), 0.0);
    edit(0, 1, "");
    EXPECT_EQ(cell(0, 1), "0.000000");
    EXPECT_EQ(form.get_points()[0].y(), 0.0);
    edit(0, 0, "");
    EXPECT_EQ(cell(0, 0), "3");
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(point_table_fixture, InsertTakesSmallestFreePosition)
{
    form.set_wave_length(10);
    form.load_points({}, 2.0f, 0.0f);
    EXPECT_EQ(table->rowCount(), 0);
    QTest::mouseClick(button("Insert Point"), Qt::LeftButton);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(0, 1), "0.000000");

    load({{1, 0}, {2, 0}, {4, 0}}, 10);
    table->clearSelection();
    table->setCurrentItem(nullptr);
    QTest::mouseClick(button("Insert Point"), Qt::LeftButton);
    ASSERT_EQ(table->rowCount(), 4);
    EXPECT_EQ(cell(3, 0), "3");
    EXPECT_EQ(form.get_points()[3], QPointF(3, 0));
}

TEST_F(point_table_fixture, InsertGoesAtSelectedRow)
{
    load({{1, 0.1}, {2, 0.2}, {4, 0.4}}, 10);
    select_cell(1, 1);
    form.add_point();
    ASSERT_EQ(table->rowCount(), 4);
    EXPECT_EQ(cell(1, 0), "3");
    EXPECT_EQ(cell(2, 0), "2");
    EXPECT_EQ(form.get_points()[1].x(), 3.0);
    EXPECT_EQ(form.get_points()[2].x(), 2.0);
}

TEST_F(point_table_fixture, RowCountIsCappedByWaveLength)
{
    QList<std::pair<int, double>> rows;
    for (int i = 1; i <= 10; ++i)
        rows << std::make_pair(i, 0.0);
    load(rows, 10);
    form.add_point();
    EXPECT_EQ(table->rowCount(), 10);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "The maximum number of points is 10.");
}

TEST_F(point_table_fixture, RowCountIsCappedAt16384)
{
    EXPECT_EQ(form.get_max_points(), 16384u);
    QList<QPointF> raw;
    for (int i = 0; i < 16384; ++i)
        raw << QPointF(i, 0);
    form.set_wave_length(100000);
    form.load_points(raw, 2.0f, 0.0f);
    form.add_point();
    EXPECT_EQ(table->rowCount(), 16384);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], "The maximum number of points is 16384.");
}

TEST_F(point_table_fixture, DeleteRemovesSelectedRowElseLast)
{
    load({{1, 0.1}, {2, 0.2}, {3, 0.3}, {4, 0.4}}, 10);
    table->clearSelection();
    table->setCurrentItem(nullptr);
    QTest::mouseClick(button("Delete Point"), Qt::LeftButton);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(cell(2, 0), "3");
    select_cell(1, 0);
    form.remove_point();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(1, 0), "3");
    ASSERT_EQ(form.get_points().size(), 2);
    EXPECT_EQ(form.get_points()[1].x(), 3.0);
    form.remove_point();
    form.remove_point();
    form.remove_point();
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(point_table_fixture, ClearAllKeepsHeaders)
{
    load({{1, 0.1}, {2, 0.2}}, 10);
    QTest::mouseClick(button("Clear All"), Qt::LeftButton);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_TRUE(form.get_points().isEmpty());
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Positions");
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Volts");
}

TEST_F(point_table_fixture, OkAndCancelSendCodesFrameCloseSendsNone)
{
    QSignalSpy spy(&form, SIGNAL(point_table_form_btn_signal(ui_point_table_form_t *, int32)));
    ASSERT_TRUE(spy.isValid());
    load({{1, 0.1}}, 10);
    QTest::mouseClick(button("OK"), Qt::LeftButton);
    QTest::mouseClick(button("Cancel"), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).value<ui_point_table_form_t *>(), &form);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 2);
    form.close();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_FALSE(form.is_loaded());
    // Closed, edits no longer reach the rows.
    edit(0, 1, "5");
    EXPECT_NE(form.get_points()[0].y(), 5.0);
}

TEST_F(point_table_fixture, WindowSetUp)
{
    EXPECT_EQ(form.windowTitle(), "Edit Points by Table");
    EXPECT_EQ(form.objectName(), "normal_widget");
    EXPECT_EQ(form.size(), QSize(403, 438));
    EXPECT_EQ(form.maximumSize(), QSize(403, 438));
    EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(table->objectName(), "normal_table_widget");
    EXPECT_EQ(table->rowCount(), 5);
    EXPECT_FALSE(table->verticalHeader()->isVisible());
    EXPECT_EQ(table->columnWidth(0), 80);
    EXPECT_EQ(table->columnWidth(1), 125);
    EXPECT_EQ(table->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QRadioButton *points = nullptr, *time = nullptr;
    for (QRadioButton *b : form.findChildren<QRadioButton *>()) {
        EXPECT_EQ(b->objectName(), "normal_rdbtn");
        (b->text() == "Points" ? points : time) = b;
    }
    ASSERT_TRUE(points && time);
    EXPECT_TRUE(points->isChecked());
    EXPECT_FALSE(time->isEnabled());
    for (QPushButton *b : form.findChildren<QPushButton *>())
        EXPECT_EQ(b->objectName(), "normal_button");
}

} // namespace

namespace {

// Through the table's own editor, as a user types: the cell's item is replaced while
// its change is being delivered.
TEST_F(point_table_fixture, EditorCommitsAreValidated)
{
    load({{3, 0.5}, {7, 0.25}}, 10);
    auto type_in = [this](int row, int column, const QString &text) {
        table->setCurrentCell(row, column);
        table->editItem(table->item(row, column));
        QLineEdit *editor = nullptr;
        for (QLineEdit *e : table->viewport()->findChildren<QLineEdit *>())
            if (e->isVisible())
                editor = e;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Enter);
        // The delegate commits through a queued call.
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    form.show();
    type_in(1, 1, "");
    EXPECT_EQ(cell(1, 1), "0.000000");
    EXPECT_EQ(form.get_points()[1].y(), 0.0);
    type_in(0, 0, "7");
    EXPECT_EQ(boxes, QStringList({"The points can't be in the same position."}));
    EXPECT_EQ(cell(0, 0), "3");
    type_in(0, 0, "5");
    EXPECT_EQ(form.get_points()[0].x(), 5.0);
    type_in(0, 1, "-1.25");
    EXPECT_EQ(form.get_points()[0].y(), -1.25);
}

TEST_F(point_table_fixture, ContextMenuInsertsAndDeletesRows)
{
    load({{1, 0.1}, {2, 0.2}}, 10);
    table->clearSelection();
    table->setCurrentItem(nullptr);
    auto choose = [](const char *text) {
        QTimer::singleShot(50, [text] {
            QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *a : menu->actions())
                if (a->text() == text)
                    a->trigger();
            menu->close();
        });
    };
    choose("Insert Row");
    QContextMenuEvent insert(QContextMenuEvent::Mouse, QPoint(5, 5));
    QApplication::sendEvent(&form, &insert);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(cell(2, 0), "3");
    choose("Delete Row");
    QContextMenuEvent remove(QContextMenuEvent::Mouse, QPoint(5, 5));
    QApplication::sendEvent(&form, &remove);
    EXPECT_EQ(table->rowCount(), 2);
}

// The owner's side: the document window's slot of the same stem, connected by signature.
class table_owner_t : public QObject
{
    Q_OBJECT
public:
    int32 code = -1;
public slots:
    void point_table_form_btn_slot_func(ui_point_table_form_t *, int32 btn) { code = btn; }
};

TEST_F(point_table_fixture, OwnerSlotConnectsBySignature)
{
    table_owner_t owner;
    EXPECT_TRUE(QObject::connect(
        &form, SIGNAL(point_table_form_btn_signal(ui_point_table_form_t *, int32)), &owner,
        SLOT(point_table_form_btn_slot_func(ui_point_table_form_t *, int32))));
    load({{1, 0.1}}, 10);
    QTest::mouseClick(button("Cancel"), Qt::LeftButton);
    EXPECT_EQ(owner.code, 2);
}

} // namespace

#include "test_ui_point_table_form.moc"
