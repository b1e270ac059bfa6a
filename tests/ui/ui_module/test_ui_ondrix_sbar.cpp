// The status texts as one widget: its fields, separators and texts.
#include "ui_ondrix_sbar.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(OndrixSbar, StartsIdleAndUnavailable)
{
    ui_ondrix_sbar_t bar;
    EXPECT_EQ(bar.height(), 20);
    EXPECT_EQ(bar.status_edit()->text(), "Current Status: Idle");
    EXPECT_EQ(bar.scope_edit()->text(), "Oscilloscope: unavailable");
    EXPECT_EQ(bar.awg_edit()->text(), "AWG: unavailable");
    EXPECT_EQ(bar.spare_edit()->text(), "");
    for (QLineEdit *e : {bar.status_edit(), bar.scope_edit(), bar.awg_edit(), bar.spare_edit()}) {
        EXPECT_FALSE(e->isEnabled());
        EXPECT_EQ(e->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(e->objectName(), "ondrx_sbar_lineedit");
    }
    EXPECT_EQ(bar.status_edit()->maximumWidth(), 150);
    EXPECT_EQ(bar.scope_edit()->maximumWidth(), 250);
    // Fields and separators alternate along one row.
    auto *grid = qobject_cast<QGridLayout *>(bar.layout());
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->columnCount(), 7);
    for (int column = 1; column < 7; column += 2) {
        auto *line = qobject_cast<QLabel *>(grid->itemAtPosition(0, column)->widget());
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->objectName(), "vline_label");
        EXPECT_EQ(line->maximumWidth(), 2);
    }
    EXPECT_EQ(grid->itemAtPosition(0, 6)->widget(), bar.spare_edit());
}

TEST(OndrixSbar, TextsFollowTheCounts)
{
    struct count_case_t
    {
        int num;
        const char *scope, *awg;
    };
    const count_case_t cases[] = {
        {-1, "Oscilloscope: unavailable", "AWG: unavailable"},
        {0, "Oscilloscope: unavailable", "AWG: unavailable"},
        {1, "Oscilloscope: available(1)", "AWG: available(1)"},
        {12, "Oscilloscope: available(12)", "AWG: available(12)"},
    };
    ui_ondrix_sbar_t bar;
    for (const count_case_t &c : cases) {
        bar.update_scope_status(c.num);
        bar.update_arb_status(c.num);
        EXPECT_EQ(bar.scope_edit()->text(), c.scope);
        EXPECT_EQ(bar.awg_edit()->text(), c.awg);
    }
    // No leading blank here, unlike the main window's own field.
    bar.update_cur_status(true);
    EXPECT_EQ(bar.status_edit()->text(), "Current Status: Normal");
    bar.update_cur_status(false);
    EXPECT_EQ(bar.status_edit()->text(), "Current Status: Idle");
}
