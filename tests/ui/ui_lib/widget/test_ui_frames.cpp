#include "ui_combx.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_spinb.h"
#include "ui_spinbx_frame.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A frame on a shown window, with a second field to move the focus to.
template <typename F>
class frame_host_t
{
public:
    frame_host_t(int unit_type, bool with_units, bool no_clamp = false,
                 const QString &caption = "Value")
        : frame(new F(false, unit_type, with_units, caption, no_clamp, &window)),
          other(new QLineEdit(&window))
    {
        QHBoxLayout *row = new QHBoxLayout(&window);
        row->addWidget(frame);
        row->addWidget(other);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QAbstractSpinBox *spin() const { return frame->spinbox; }

    void type(const QString &text)
    {
        spin()->setFocus();
        spin()->selectAll();
        QTest::keyClicks(spin(), text);
    }
    void enter() { QTest::keyClick(spin(), Qt::Key_Enter); }
    void leave() { other->setFocus(); }

    QWidget window;
    F *frame;
    QLineEdit *other;
};

using real_host = frame_host_t<ui_dspinbx_frame_t>;
using int_host = frame_host_t<ui_spinbx_frame_t>;

double last_double(const QSignalSpy &spy)
{
    return spy.isEmpty() ? -12345.0 : spy.last().at(0).toDouble();
}

TEST(UiDspinbxFrame, TypedDigitsReportOnlyWhenCommitted)
{
    real_host h(1, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
    ASSERT_TRUE(spy.isValid());
    h.type("30");
    EXPECT_EQ(spy.count(), 0);
    h.enter();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_DOUBLE_EQ(last_double(spy), 30.0);
    EXPECT_DOUBLE_EQ(h.frame->last_value, 30.0);
    h.leave();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_DOUBLE_EQ(last_double(spy), 30.0);
}

struct range_case_t
{
    int unit_type;
    const char *typed;
    double shown;
    const char *unit;
    double reported;
};

TEST(UiDspinbxFrame, CommittedValueMovesToFittingPrefix)
{
    const range_case_t cases[] = {
        {1, "0.5", 500.0, "mHz", 0.5},
        {1, "1500", 1.5, "kHz", 1500.0},
        {3, "1500", 1500.0, "V", 1500.0},
        {3, "0.25", 250.0, "mV", 0.25},
        {2, "0.002", 2.0, "ms", 0.002},
        {5, "0.5", 0.5, "Sa", 0.5},
    };
    for (const range_case_t &c : cases) {
        real_host h(c.unit_type, true);
        QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
        h.type(c.typed);
        h.enter();
        EXPECT_NEAR(h.frame->get_spinbox_value(), c.shown, 1e-9) << c.typed;
        EXPECT_EQ(h.frame->unit_combx->currentText(), c.unit) << c.typed;
        EXPECT_NEAR(last_double(spy), c.reported, 1e-12) << c.typed;
    }
}

TEST(UiDspinbxFrame, TypingKeepsThePrefixUntilCommitted)
{
    real_host h(3, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
    h.type("0.25");
    EXPECT_DOUBLE_EQ(h.frame->get_spinbox_value(), 0.25);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "V");
    QTest::keyClick(h.spin(), Qt::Key_Backspace);
    QTest::keyClicks(h.spin(), "75");
    EXPECT_EQ(spy.count(), 0);
    h.enter();
    EXPECT_DOUBLE_EQ(h.frame->get_spinbox_value(), 275.0);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "mV");
    EXPECT_DOUBLE_EQ(last_double(spy), 0.275);
}

TEST(UiDspinbxFrame, FarValueMovesOnePrefixPerPass)
{
    real_host h(1, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
    h.frame->dspinbox->setValue(2000000.0);
    EXPECT_DOUBLE_EQ(h.frame->get_spinbox_value(), 2.0);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "MHz");
    EXPECT_DOUBLE_EQ(last_double(spy), 2e6);
}

struct clamp_case_t
{
    const char *name;
    int unit_type;
    bool with_units;
    bool no_clamp;
    double min, max;
    int prefix; // selected before typing; 0 keeps the base item
    const char *typed;
    double shown;
    int shown_prefix;
    const char *unit;
    double reported;
};

// A committed value outside the limits shows the violated limit in the prefix it reads
// best in; the same pair is what save_clamped_value computes without touching the widgets.
TEST(UiDspinbxFrame, CommittedValueIsClampedToTheLimitInItsPrefix)
{
    const double huge = 1e13;
    const clamp_case_t cases[] = {
        {"upper limit in MHz", 1, true, false, 1.0, 25e6, 16, "30", 25.0, 16, "MHz", 25e6},
        {"zero to one nanosecond", 2, true, false, 1e-9, huge, 0, "0", 1.0, 11, "ns", 1e-9},
        {"equal limits force their value", 3, true, false, 0.5, 0.5, 0, "7", 500.0, 13, "mV", 0.5},
        {"equal limits from below", 3, true, false, 0.5, 0.5, 0, "0.1", 500.0, 13, "mV", 0.5},
        {"sample rate sets its prefix first", 4, true, false, -huge, 2.5e9, 17, "9", 2.5, 17, "GSa/s", 2.5e9},
        {"plain upper limit", 6, false, false, -180.0, 180.0, 0, "400", 180.0, 14, "degrees", 180.0},
        {"plain lower limit", 6, false, false, -180.0, 180.0, 0, "-400", -180.0, 14, "degrees", -180.0},
        {"no clamp", 1, true, true, 1.0, 10.0, 0, "20", 20.0, 14, "Hz", 20.0},
        {"inside the limits", 3, true, false, -5.0, 5.0, 0, "2", 2.0, 14, "V", 2.0},
    };
    for (const clamp_case_t &c : cases) {
        real_host h(c.unit_type, c.with_units, c.no_clamp);
        h.frame->set_min_value(c.min);
        h.frame->set_max_value(c.max);
        if (c.prefix)
            h.frame->unit_combx->set_unit(c.prefix);

        h.frame->dspinbox->blockSignals(true);
        h.frame->dspinbox->setValue(QString(c.typed).toDouble());
        h.frame->dspinbox->blockSignals(false);
        const int prefix_before = h.frame->unit_combx->unit_prefix;
        h.frame->save_clamped_value();
        EXPECT_DOUBLE_EQ(h.frame->get_saved_value().value, c.shown) << c.name;
        EXPECT_EQ(h.frame->get_saved_value().prefix, c.with_units ? c.shown_prefix : prefix_before) << c.name;
        EXPECT_DOUBLE_EQ(h.frame->get_spinbox_value(), QString(c.typed).toDouble()) << c.name;
        EXPECT_EQ(h.frame->unit_combx->unit_prefix, prefix_before) << c.name;

        QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
        h.type(c.typed);
        h.enter();
        EXPECT_DOUBLE_EQ(h.frame->get_spinbox_value(), c.shown) << c.name;
        if (c.with_units) {
            EXPECT_EQ(h.frame->unit_combx->currentText(), c.unit) << c.name;
        }
        EXPECT_NEAR(last_double(spy), c.reported, std::fabs(c.reported) * 1e-12) << c.name;
    }
}

TEST(UiDspinbxFrame, UnitChoiceReportsValueInNewPrefix)
{
    real_host h(1, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
    QSignalSpy unit_spy(h.frame, SIGNAL(unit_changed()));
    h.type("5");
    h.enter();
    h.frame->unit_combx->setFocus();
    QTest::keyClick(h.frame->unit_combx, Qt::Key_Down);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "kHz");
    EXPECT_DOUBLE_EQ(last_double(spy), 5000.0);
    EXPECT_GE(unit_spy.count(), 1);
}

TEST(UiDspinbxFrame, ArrowsAndWheelReportEachStep)
{
    real_host h(3, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
    h.type("5");
    h.enter();
    int before = spy.count();
    QTest::keyClick(h.spin(), Qt::Key_Up);
    EXPECT_EQ(spy.count(), before + 1);
    EXPECT_DOUBLE_EQ(last_double(spy), 6.0);
    QTest::keyClick(h.spin(), Qt::Key_Down);
    QTest::keyClick(h.spin(), Qt::Key_Down);
    EXPECT_EQ(spy.count(), before + 3);
    EXPECT_DOUBLE_EQ(last_double(spy), 4.0);

    QPoint centre = h.spin()->rect().center();
    QWheelEvent wheel(centre, h.spin()->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.spin(), &wheel);
    EXPECT_EQ(spy.count(), before + 4);
    EXPECT_DOUBLE_EQ(last_double(spy), 5.0);
}

TEST(UiDspinbxFrame, SetValueShowsTimeInFittingPrefix)
{
    real_host h(2, true);
    h.frame->set_value(0.0f);
    h.frame->set_value(-5.0f);
    EXPECT_DOUBLE_EQ(h.frame->get_spinbox_value(), 0.0);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "s");
    h.frame->set_value(2e-3f);
    EXPECT_NEAR(h.frame->get_spinbox_value(), 2.0, 1e-6);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "ms");
    EXPECT_NEAR(h.frame->get_value(), 2e-3, 1e-12);
}

TEST(UiDspinbxFrame, SingleStepFollowsPrefix)
{
    real_host h(1, true);
    h.frame->unit_combx->set_unit(15);
    h.frame->set_single_step(1e-6f);
    EXPECT_DOUBLE_EQ(h.frame->dspinbox->singleStep(), 1.0);
    h.frame->set_single_step(500.0f);
    EXPECT_DOUBLE_EQ(h.frame->dspinbox->singleStep(), 0.5);
    h.frame->unit_combx->set_unit(14);
    h.frame->set_single_step(0.25f);
    EXPECT_DOUBLE_EQ(h.frame->dspinbox->singleStep(), 0.25);
}

TEST(UiDspinbxFrame, PartsNamesSizesAndLayout)
{
    real_host h(1, true);
    ui_dspinbx_frame_t *f = h.frame;
    EXPECT_EQ(f->spinbox->objectName(), "normal_spinbx");
    EXPECT_EQ(f->unit_combx->objectName(), "normal_comb");
    EXPECT_EQ(f->label->objectName(), "normal_label");
    EXPECT_EQ(f->label->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(f->spinbox->width(), 100);
    EXPECT_EQ(f->unit_combx->width(), 80);
    EXPECT_EQ(f->height(), 20);
    EXPECT_EQ(f->dspinbox->decimals(), 6);
    EXPECT_DOUBLE_EQ(f->dspinbox->minimum(), -1e13);
    EXPECT_DOUBLE_EQ(f->dspinbox->maximum(), 1e13);
    EXPECT_DOUBLE_EQ(f->min_value, -1e13);
    EXPECT_DOUBLE_EQ(f->max_value, 1e13);
    EXPECT_EQ(f->layout()->count(), 3);
    EXPECT_TRUE(f->unit_combx->isVisible());
    EXPECT_FALSE(f->filler->isVisible());

    f->set_frame_height(30.7f);
    EXPECT_EQ(f->height(), 30);
    EXPECT_EQ(f->spinbox->height(), 30);
    f->set_spinbox_width(120.0f);
    EXPECT_EQ(f->spinbox->width(), 120);
}

TEST(UiDspinbxFrame, NoUnitsAndNoCaptionShowOnlySpinBoxAndFiller)
{
    real_host h(1, false, false, QString());
    ui_dspinbx_frame_t *f = h.frame;
    EXPECT_EQ(f->layout()->count(), 2);
    EXPECT_EQ(f->layout()->itemAt(0)->widget(), f->spinbox);
    EXPECT_EQ(f->layout()->itemAt(1)->widget(), f->filler);
    EXPECT_FALSE(f->label->isVisible());
    EXPECT_FALSE(f->unit_combx->isVisible());
    EXPECT_EQ(f->filler->width(), 80);
    // Without units the prefix does not apply.
    f->unit_combx->set_unit(16);
    f->set_spinbox_value(3.0);
    EXPECT_DOUBLE_EQ(f->get_value(), 3.0);
}

TEST(UiValueFrames, SavedPairIsRestoredPrefixFirstAndReported)
{
    real_host h(1, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(double)));
    h.frame->set_saved_value(3.0, 15);
    EXPECT_EQ(h.frame->get_spinbox_value(), 0.0) << "saving touches no widget";
    h.frame->restore_value();
    EXPECT_DOUBLE_EQ(h.frame->get_spinbox_value(), 3.0);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "kHz");
    EXPECT_DOUBLE_EQ(last_double(spy), 3000.0);
    EXPECT_DOUBLE_EQ(h.frame->to_base_value(2.5, 16), 2.5e6);

    real_host plain(1, false);
    EXPECT_DOUBLE_EQ(plain.frame->to_base_value(2.5, 16), 2.5) << "without units no prefix applies";
}

TEST(UiValueFrames, EnablingMovesSpinBoxAndSelectorTogether)
{
    real_host r(1, true);
    int_host i(5, true);
    for (ui_frame_t *f : {static_cast<ui_frame_t *>(r.frame), static_cast<ui_frame_t *>(i.frame)}) {
        f->set_frame_enabled(false);
        EXPECT_FALSE(f->spinbox->isEnabled());
        EXPECT_FALSE(f->unit_combx->isEnabled());
        EXPECT_TRUE(f->label->isEnabled()) << "the caption stays readable";
        f->set_frame_enabled(true);
        EXPECT_TRUE(f->spinbox->isEnabled());
        EXPECT_TRUE(f->unit_combx->isEnabled());
        f->set_unit_width(60.0f);
        EXPECT_EQ(f->unit_combx->width(), 60);
        EXPECT_EQ(f->filler->maximumWidth(), 60);
    }
    // Storing another unit type keeps the selector that was built.
    r.frame->set_unit_type(3);
    EXPECT_EQ(r.frame->get_unit_type(), 3);
    EXPECT_EQ(r.frame->unit_combx->count(), 5);
    EXPECT_TRUE(r.frame->get_with_units());
    EXPECT_FALSE(r.frame->get_is_int());
    EXPECT_TRUE(i.frame->get_is_int());
}

struct key_case_t
{
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool edits;
};

// Keys that edit the number start an entry that is not yet a value; any other key leaves
// the entry committed, so the next arrow step is reported at once.
TEST(UiValueFrames, OnlyKeysThatEditTheNumberHoldBackTheReport)
{
    const key_case_t cases[] = {
        {"digit", Qt::Key_7, Qt::NoModifier, true},
        {"keypad digit", Qt::Key_7, Qt::KeypadModifier, true},
        {"minus", Qt::Key_Minus, Qt::NoModifier, true},
        {"plus", Qt::Key_Plus, Qt::NoModifier, true},
        {"point", Qt::Key_Period, Qt::NoModifier, true},
        {"comma", Qt::Key_Comma, Qt::NoModifier, true},
        {"exponent", Qt::Key_E, Qt::NoModifier, true},
        {"backspace", Qt::Key_Backspace, Qt::NoModifier, true},
        {"delete", Qt::Key_Delete, Qt::NoModifier, true},
        {"escape", Qt::Key_Escape, Qt::NoModifier, false},
        {"space", Qt::Key_Space, Qt::NoModifier, false},
        {"left", Qt::Key_Left, Qt::NoModifier, false},
        {"home", Qt::Key_Home, Qt::NoModifier, false},
        {"select all", Qt::Key_A, Qt::ControlModifier, false},
        {"copy", Qt::Key_C, Qt::ControlModifier, false},
        {"letter", Qt::Key_Q, Qt::NoModifier, false},
    };
    for (const key_case_t &c : cases) {
        real_host r(3, false);
        int_host i(5, false);
        QSignalSpy real_spy(r.frame, SIGNAL(spinbx_value_changed(double)));
        QSignalSpy int_spy(i.frame, SIGNAL(spinbx_value_changed(int)));
        for (QAbstractSpinBox *spin : {r.spin(), i.spin()}) {
            spin->setFocus();
            QTest::keyClick(spin, Qt::Key_Home);
            QTest::keyClick(spin, c.key, c.modifiers);
        }
        // A digit in front of "0" changes the value, which is still not reported.
        EXPECT_EQ(real_spy.count(), 0) << c.name;
        EXPECT_EQ(int_spy.count(), 0) << c.name;
        if (c.edits)
            continue;
        QTest::keyClick(r.spin(), Qt::Key_Up);
        QTest::keyClick(i.spin(), Qt::Key_Up);
        EXPECT_EQ(real_spy.count(), 1) << c.name;
        EXPECT_EQ(int_spy.count(), 1) << c.name;
    }
}

TEST(UiValueFrames, SignalsConnectBySignature)
{
    real_host r(1, true);
    int_host i(5, false);
    QObject sink;
    EXPECT_TRUE(QObject::connect(r.frame, SIGNAL(spinbx_value_changed(double)), &sink,
                                 SLOT(deleteLater())));
    EXPECT_TRUE(QObject::connect(i.frame, SIGNAL(spinbx_value_changed(int)), &sink,
                                 SLOT(deleteLater())));
    EXPECT_TRUE(QObject::connect(r.frame, SIGNAL(unit_changed()), &sink, SLOT(deleteLater())));
    EXPECT_TRUE(QObject::connect(r.frame->unit_combx, SIGNAL(unit_type_changed()), &sink,
                                 SLOT(deleteLater())));
    EXPECT_TRUE(QObject::connect(r.frame->dspinbox, SIGNAL(focus_in_info_signal()), &sink,
                                 SLOT(deleteLater())));
    EXPECT_TRUE(QObject::connect(i.frame->spinbox_int, SIGNAL(clicked_signal()), &sink,
                                 SLOT(deleteLater())));
}

TEST(UiSpinbxFrame, ReportsExactIntegers)
{
    int_host h(5, false);
    h.frame->set_min_value(2.0);
    h.frame->set_max_value(20971520.0);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(int)));
    ASSERT_TRUE(spy.isValid());
    const std::pair<const char *, int> cases[] = {
        {"16777217", 16777217}, // not representable as float
        {"20971519", 20971519},
        {"20971521", 20971520},
        {"1", 2},
        {"-7", 2},
        {"123", 123},
    };
    for (const auto &c : cases) {
        h.type(c.first);
        h.enter();
        ASSERT_FALSE(spy.isEmpty()) << c.first;
        EXPECT_EQ(spy.last().at(0).toInt(), c.second) << c.first;
        EXPECT_EQ(h.frame->last_value, c.second);
        EXPECT_EQ(h.frame->spinbox_int->value(), c.second);
    }
    EXPECT_EQ(h.frame->spinbox_int->minimum(), -2147483647);
    EXPECT_EQ(h.frame->spinbox_int->maximum(), 2147483647);
}

TEST(UiSpinbxFrame, TypingReportsNothingUntilEnterOrLeave)
{
    int_host h(5, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(int)));
    h.type("4096");
    EXPECT_EQ(spy.count(), 0);
    h.enter();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), 4096);
    h.leave();
    EXPECT_EQ(spy.count(), 2);
    QTest::keyClick(h.spin(), Qt::Key_Up);
    EXPECT_EQ(spy.last().at(0).toInt(), 4097);
}

TEST(UiSpinbxFrame, NestedSetValueDoesNotRecurse)
{
    int_host h(1, true);
    QSignalSpy spy(h.frame, SIGNAL(spinbx_value_changed(int)));
    h.frame->spinbox_int->setValue(2000000);
    // One prefix step in the one pass; the report is the exact base value.
    EXPECT_EQ(h.frame->spinbox_int->value(), 2000);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "kHz");
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().at(0).toInt(), 2000000);
}

TEST(UiSpinbxFrame, SetValueConvertsToPrefixInForce)
{
    int_host h(1, true);
    h.frame->unit_combx->set_unit(15);
    h.frame->spinbox_int->blockSignals(true);
    h.frame->spinbox_int->setValue(7);
    h.frame->spinbox_int->blockSignals(false);
    h.frame->set_value(3);
    EXPECT_EQ(h.frame->spinbox_int->value(), 7);
    h.frame->set_value(5000);
    EXPECT_EQ(h.frame->spinbox_int->value(), 5);
    // A shown value of 1000 or more moves on to the next prefix, truncated.
    h.frame->unit_combx->set_unit(14);
    h.frame->set_value(20971520);
    EXPECT_EQ(h.frame->spinbox_int->value(), 20971);
    EXPECT_EQ(h.frame->unit_combx->currentText(), "kHz");
}

TEST(UiSpinbxFrame, SpinBoxValueIsTruncatedAndSaturated)
{
    int_host h(5, false);
    h.frame->set_spinbox_value(12.9);
    EXPECT_EQ(h.frame->spinbox_int->value(), 12);
    h.frame->set_spinbox_value(-12.9);
    EXPECT_EQ(h.frame->spinbox_int->value(), -12);
    h.frame->set_spinbox_value(1e20);
    EXPECT_EQ(h.frame->spinbox_int->value(), 2147483647);
}

} // namespace
