#include "prompt_env_answer.h"
#include "ui_prompt.h"
#include "ui_qmessagebox.h"
#include "ui_timer.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Records what each box looked like and answers it with a fixed button (NoButton:
// the escape button, as Escape or the window frame would).
class prompt_fixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        unsetenv("ONDRIX_PROMPT_AUTO_ANSWER");
        ui_prompt_t::set_answer_hook([this](QMessageBox &box) {
            text = box.text();
            title = box.windowTitle();
            icon = box.icon();
            object_name = box.objectName();
            buttons.clear();
            for (QAbstractButton *b : box.buttons())
                buttons << box.standardButton(b);
            std::sort(buttons.begin(), buttons.end());
            if (press == QMessageBox::NoButton)
                return box.standardButton(box.escapeButton());
            return press;
        });
    }
    void TearDown() override { ui_prompt_t::set_answer_hook(nullptr); }

    QMessageBox::StandardButton press = QMessageBox::NoButton;
    QString text, title, object_name;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
    ui_prompt_t prompt{nullptr, false};
};

struct answer_case_t
{
    int box; // 0 save, 1 yes/no, 2 info, 3 info with cancel, 4 error, 5 instance
    QMessageBox::StandardButton press;
    int32 code;
};

int32 ask(ui_prompt_t &p, int box)
{
    switch (box) {
    case 0: return p.show_save_changes_box("a.csv");
    case 1: return p.show_yes_no_box("Go on?");
    case 2: return p.show_info_box("Done.", false);
    case 3: return p.show_info_box("Done.", true);
    case 4: return p.show_error_box("Failed.");
    default: return p.show_instance_running_box();
    }
}

TEST_F(prompt_fixture, ReturnCodesPerBoxAndButton)
{
    const QMessageBox::StandardButton esc = QMessageBox::NoButton;
    const answer_case_t cases[] = {
        {0, QMessageBox::Yes, 0}, {0, QMessageBox::No, 1}, {0, QMessageBox::Cancel, 2},
        {0, esc, 2},
        {1, QMessageBox::Yes, 0}, {1, QMessageBox::No, 1}, {1, esc, 1},
        {2, QMessageBox::Ok, 3}, {2, esc, 3},
        {3, QMessageBox::Ok, 3}, {3, QMessageBox::Cancel, 2}, {3, esc, 2},
        {4, QMessageBox::Ok, 3}, {4, esc, 3},
        {5, QMessageBox::Ok, 3},
    };
    for (const answer_case_t &c : cases) {
        press = c.press;
        EXPECT_EQ(ask(prompt, c.box), c.code) << "box " << c.box << " button " << c.press;
    }
}

TEST_F(prompt_fixture, BoxThatFailsToRunGivesTheOtherwiseCode)
{
    ui_prompt_t::set_answer_hook([](QMessageBox &) { return QMessageBox::NoButton; });
    EXPECT_EQ(prompt.show_save_changes_box("a.csv"), 2);
    EXPECT_EQ(prompt.show_yes_no_box("?"), 1);
    EXPECT_EQ(prompt.show_info_box("x", true), 2);
    EXPECT_EQ(prompt.show_error_box("x"), 2);
}

TEST_F(prompt_fixture, BoxesCarryTitleTextIconAndButtonsInOrder)
{
    press = QMessageBox::No;
    prompt.show_save_changes_box("a.csv");
    EXPECT_EQ(text, "Save changes to the file a.csv ?");
    EXPECT_EQ(title, "Ondrix");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(object_name, "MessageBoxStyle");
    EXPECT_EQ(buttons, QList<QMessageBox::StandardButton>(
                           {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}));

    prompt.show_info_box("Done.", false);
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttons, QList<QMessageBox::StandardButton>({QMessageBox::Ok}));

    prompt.show_instance_running_box();
    EXPECT_EQ(text, "Ondrix Instance already running.");
    EXPECT_EQ(icon, QMessageBox::Critical);

    EXPECT_TRUE(prompt.out_of_memory_text.startsWith("The system has run out of memory.\n"));
}

// The hook the program started by tests installs: the variable names the answer.
TEST_F(prompt_fixture, TestHookAnswersAsTheEnvironmentSays)
{
    ui_prompt_t::set_answer_hook(prompt_env_answer_hook());
    const std::pair<const char *, std::pair<int, int32>> cases[] = {
        {"no", {0, 1}},     {"no", {1, 1}},  {"no", {3, 2}}, // a box without No gets its escape button
        {"yes", {1, 0}},    {"ok", {3, 3}},  {"escape", {0, 2}},
        {"cancel", {0, 2}}, {"OK ", {2, 3}},
    };
    for (const auto &c : cases) {
        setenv("ONDRIX_PROMPT_AUTO_ANSWER", c.first, 1);
        EXPECT_EQ(ask(prompt, c.second.first), c.second.second) << c.first << " " << c.second.first;
    }
    unsetenv("ONDRIX_PROMPT_AUTO_ANSWER");
}

// The real modal run: Escape closes the box through its escape button.
TEST_F(prompt_fixture, EscapeOnShownBoxPressesEscapeButton)
{
    ui_prompt_t::set_answer_hook(nullptr);
    // Without the test hook the variable answers nothing: the box is shown and waits.
    setenv("ONDRIX_PROMPT_AUTO_ANSWER", "yes", 1);
    // Presses Escape once the box is up, trying again until it is.
    static std::function<void()> press_escape;
    press_escape = [] {
        QWidget *w = QApplication::activeModalWidget();
        if (w)
            QTest::keyClick(w, Qt::Key_Escape);
        else
            QTimer::singleShot(50, press_escape);
    };
    QTimer::singleShot(50, press_escape);
    EXPECT_EQ(prompt.show_info_box("x", true), 2);
    QTimer::singleShot(50, press_escape);
    EXPECT_EQ(prompt.show_error_box("x"), 3);
    QTimer::singleShot(50, press_escape);
    EXPECT_EQ(prompt.show_yes_no_box("?"), 1);
    unsetenv("ONDRIX_PROMPT_AUTO_ANSWER");
}

TEST(UiPrompt, CentredPromptSitsInTheMiddleOfTheScreen)
{
    ui_prompt_t p(nullptr, true);
    EXPECT_TRUE(p.windowFlags() & Qt::WindowTitleHint);
    EXPECT_TRUE(p.windowFlags() & Qt::CustomizeWindowHint);
    EXPECT_FALSE(p.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(UiTimer, IntervalInSecondsTruncatedToMilliseconds)
{
    const std::pair<double, int> cases[] = {
        {0.0015, 1}, {1.0, 1000}, {0.25, 250}, {0.0, 0}, {-3.0, 0}, {1e12, 2147483647}};
    for (const auto &c : cases) {
        ui_timer_t t(nullptr);
        t.set_interval_s(c.first);
        EXPECT_EQ(t.interval(), c.second) << c.first;
        EXPECT_EQ(t.parent(), nullptr);
    }
}

TEST(UiTimer, StartsAndStops)
{
    QObject owner;
    ui_timer_t t(&owner);
    EXPECT_EQ(t.parent(), nullptr);
    t.set_interval_s(0.01);
    int ticks = 0;
    QObject::connect(&t, &QTimer::timeout, [&] { ++ticks; });
    t.start_timer();
    EXPECT_TRUE(t.isActive());
    for (int i = 0; i < 500 && ticks == 0; ++i)
        QTest::qWait(10);
    t.stop_timer();
    EXPECT_FALSE(t.isActive());
    EXPECT_GT(ticks, 0);
}

} // namespace
