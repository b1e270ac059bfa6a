#include "ui_paste_option.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "find_child.h"

namespace {

TEST(UiPasteOption, OkWithoutChoiceAppends)
{
    QWidget owner;
    ui_paste_option_t *dlg = new ui_paste_option_t(&owner, false);
    QSignalSpy spy(dlg, SIGNAL(paste_option_form_btn_signal(ui_paste_option_t *, int32)));
    ASSERT_TRUE(spy.isValid());
    dlg->show();
    EXPECT_EQ(dlg->get_paste_type(), 1);
    QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<ui_paste_option_t *>(), dlg);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(dlg->get_paste_type(), 1);
}

TEST(UiPasteOption, RadioButtonsChooseModeAndSendNothing)
{
    QWidget owner;
    ui_paste_option_t *dlg = new ui_paste_option_t(&owner, true);
    QSignalSpy spy(dlg, SIGNAL(paste_option_form_btn_signal(ui_paste_option_t *, int32)));
    QSignalSpy inner(dlg, SIGNAL(btn_info_signal(ui_paste_option_t *, int32)));
    dlg->show();
    const std::pair<const char *, int> cases[] = {{"Prepend to the waveform", 0},
                                                  {"Replace between X Cursors", 2},
                                                  {"Paste to active cursor", 3},
                                                  {"Append to the waveform", 1}};
    for (const auto &c : cases) {
        QRadioButton *b = radio(dlg, c.first);
        ASSERT_NE(b, nullptr) << c.first;
        QTest::mouseClick(b, Qt::LeftButton);
        EXPECT_EQ(dlg->get_paste_type(), c.second) << c.first;
    }
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(inner.count(), 0);
    QTest::mouseClick(button(dlg, "Cancel"), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 2);
}

TEST(UiPasteOption, ReplaceNeedsVisibleXCursors)
{
    QWidget owner;
    ui_paste_option_t *hidden = new ui_paste_option_t(&owner, false);
    ui_paste_option_t *shown = new ui_paste_option_t(&owner, true);
    hidden->show();
    QRadioButton *replace = radio(hidden, "Replace between X Cursors");
    EXPECT_FALSE(replace->isEnabled());
    QTest::mouseClick(replace, Qt::LeftButton);
    EXPECT_EQ(hidden->get_paste_type(), 1);
    EXPECT_TRUE(radio(shown, "Replace between X Cursors")->isEnabled());
}

TEST(UiPasteOption, FixedModalDialogWithStyleNames)
{
    QWidget owner;
    ui_paste_option_t *dlg = new ui_paste_option_t(&owner, true);
    EXPECT_EQ(dlg->windowTitle(), "Paste Options");
    EXPECT_EQ(dlg->objectName(), "normal_widget");
    EXPECT_EQ(dlg->size(), QSize(334, 248));
    EXPECT_EQ(dlg->minimumSize(), QSize(334, 248));
    EXPECT_EQ(dlg->maximumSize(), QSize(334, 248));
    EXPECT_TRUE(dlg->isWindow());
    EXPECT_FALSE(dlg->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dlg->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dlg->windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(dlg->windowIcon().isNull());
    EXPECT_EQ(button(dlg, "OK")->objectName(), "normal_button");
    EXPECT_EQ(button(dlg, "Cancel")->objectName(), "normal_button");
    for (QRadioButton *b : dlg->findChildren<QRadioButton *>()) {
        EXPECT_EQ(b->objectName(), "normal_rdbtn");
        EXPECT_EQ(b->font().pointSize(), 12);
    }
    EXPECT_EQ(dlg->findChild<QGroupBox *>()->objectName(), "normal_gpbx");
}

TEST(UiPasteOption, FrameCloseSendsNothingAndDeletes)
{
    QWidget owner;
    QPointer<ui_paste_option_t> dlg = new ui_paste_option_t(&owner, true);
    QSignalSpy spy(dlg.data(), SIGNAL(paste_option_form_btn_signal(ui_paste_option_t *, int32)));
    dlg->show();
    dlg->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(dlg.isNull());
}

// The owner's side of the protocol: its slot of the same stem gets (form, code).
class paste_owner_t : public QObject
{
    Q_OBJECT
public:
    int32 code = -1;
    ui_paste_option_t *form = nullptr;
public slots:
    void paste_option_form_btn_slot_func(ui_paste_option_t *type, int32 btn)
    {
        form = type;
        code = btn;
        type->close();
    }
};

TEST(UiPasteOption, OwnerSlotConnectsBySignature)
{
    QWidget parent;
    paste_owner_t owner;
    QPointer<ui_paste_option_t> dlg = new ui_paste_option_t(&parent, false);
    EXPECT_TRUE(QObject::connect(
        dlg, SIGNAL(paste_option_form_btn_signal(ui_paste_option_t *, int32)), &owner,
        SLOT(paste_option_form_btn_slot_func(ui_paste_option_t *, int32))));
    dlg->show();
    QTest::mouseClick(button(dlg, "OK"), Qt::LeftButton);
    EXPECT_EQ(owner.code, 3);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg.isNull());
}

} // namespace

#include "test_ui_paste_option.moc"
