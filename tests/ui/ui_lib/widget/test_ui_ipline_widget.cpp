// The IPv4 address entry driven by keys: octet checks, focus hand-over and the resource
// text it gives.
#include "ui_ipline_widget.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

class IpLine : public testing::Test
{
protected:
    void SetUp() override
    {
        line.show();
        QApplication::setActiveWindow(&line);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&line));
    }

    ui_ip_ledit_t *field(int i) const { return line.fields()[i]; }
    int focused() const
    {
        for (int i = 0; i < line.fields().size(); ++i)
            if (field(i)->hasFocus())
                return i;
        return -1;
    }
    QStringList texts() const
    {
        QStringList out;
        for (ui_ip_ledit_t *f : line.fields())
            out << f->text();
        return out;
    }

    ui_ipline_widget_t line;
};

struct key_case_t
{
    const char *name;
    QList<QString> start;   // the four texts before the keys
    int field, cursor;      // where the keys go in
    std::function<void(QWidget *)> keys;
    QStringList texts;      // afterwards
    int focus, focus_cursor;
    QString selected;
};

std::function<void(QWidget *)> type(const char *text)
{
    return [text](QWidget *w) { QTest::keyClicks(w, text); };
}

std::function<void(QWidget *)> press(Qt::Key key, int times = 1)
{
    return [key, times](QWidget *w) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(w, key);
    };
}

const QList<QString> zeros = {"0", "0", "0", "0"};

} // namespace

TEST_F(IpLine, KeysEditAndHandTheFocusOver)
{
    const key_case_t cases[] = {
        {"two digits behind the 0 fill the field and move on", zeros, 0, 1, type("19"),
         {"019", "0", "0", "0"}, 1, 1, "0"},
        {"the fourth field keeps the focus when full", zeros, 3, 1, type("12"), {"0", "0", "0", "012"}, 3, 3, ""},
        {"a value above 255 becomes 255, cursor at 0", {"", "0", "0", "0"}, 0, 0, type("256"),
         {"255", "0", "0", "0"}, 0, 0, ""},
        {"999 the same", {"", "0", "0", "0"}, 0, 0, type("999"), {"255", "0", "0", "0"}, 0, 0, ""},
        {"a full field of 255 moves on", {"", "0", "0", "0"}, 0, 0, type("255"), {"255", "0", "0", "0"}, 1, 1, "0"},
        {"letters and dots do nothing", {"1", "0", "0", "0"}, 0, 1, type("a.b"), {"1", "0", "0", "0"}, 0, 1, ""},
        {"Home and End do nothing", {"12", "0", "0", "0"}, 0, 1,
         [](QWidget *w) {
             QTest::keyClick(w, Qt::Key_Home);
             QTest::keyClick(w, Qt::Key_End);
         },
         {"12", "0", "0", "0"}, 0, 1, ""},
        {"Backspace at 1 deletes and goes back to the end", {"7", "12", "0", "0"}, 1, 1, press(Qt::Key_Backspace),
         {"7", "2", "0", "0"}, 0, 1, ""},
        {"Backspace at 2 only deletes", {"7", "12", "0", "0"}, 1, 2, press(Qt::Key_Backspace),
         {"7", "1", "0", "0"}, 1, 1, ""},
        {"Backspace at 1 in the first field stays", {"12", "0", "0", "0"}, 0, 1, press(Qt::Key_Backspace),
         {"2", "0", "0", "0"}, 0, 0, ""},
        {"Right at the end goes to the next field at 0", {"1", "12", "34", "0"}, 1, 2, press(Qt::Key_Right),
         {"1", "12", "34", "0"}, 2, 0, ""},
        {"Down moves as Right", {"1", "12", "34", "0"}, 1, 2, press(Qt::Key_Down), {"1", "12", "34", "0"}, 2, 0, ""},
        {"Right inside the text only moves the cursor", {"1", "12", "34", "0"}, 1, 0, press(Qt::Key_Right),
         {"1", "12", "34", "0"}, 1, 1, ""},
        {"Left at 0 goes to the previous field's end", {"1", "12", "34", "0"}, 2, 0, press(Qt::Key_Left),
         {"1", "12", "34", "0"}, 1, 2, ""},
        {"Up moves as Left", {"1", "12", "34", "0"}, 2, 0, press(Qt::Key_Up), {"1", "12", "34", "0"}, 1, 2, ""},
        {"Left at 0 of the first field stays", {"1", "12", "34", "0"}, 0, 0, press(Qt::Key_Left),
         {"1", "12", "34", "0"}, 0, 0, ""},
        {"Right at the end of the last field stays", {"1", "12", "34", "56"}, 3, 2, press(Qt::Key_Right),
         {"1", "12", "34", "56"}, 3, 2, ""},
        {"an address typed through", {"", "0", "0", "0"}, 0, 0,
         [](QWidget *) {
             // Each full field hands over with its text selected, so typing replaces it.
             QTest::keyClicks(QApplication::focusWidget(), "192");
             QTest::keyClicks(QApplication::focusWidget(), "168");
             QTest::keyClicks(QApplication::focusWidget(), "001");
             QTest::keyClicks(QApplication::focusWidget(), "7");
         },
         {"192", "168", "001", "7"}, 3, 1, ""},
    };
    for (const key_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        QList<QString> start = c.start;
        line.set_value(start);
        field(c.field)->setFocus(Qt::OtherFocusReason);
        field(c.field)->setCursorPosition(c.cursor);
        c.keys(field(c.field));
        EXPECT_EQ(texts(), c.texts);
        ASSERT_EQ(focused(), c.focus);
        EXPECT_EQ(field(c.focus)->cursorPosition(), c.focus_cursor);
        EXPECT_EQ(field(c.focus)->selectedText(), c.selected);
    }
}

TEST_F(IpLine, ResourceIsTheAddressAsTyped)
{
    EXPECT_EQ(line.get_resource(), "TCPIP0::0.0.0.0::INSTR");
    QList<QString> typed = {"010", "001", "000", "255"};
    line.set_value(typed);
    EXPECT_EQ(line.get_resource(), "TCPIP0::010.001.000.255::INSTR");

    // A field emptied with Backspace gives an empty octet.
    QList<QString> start = {"192", "9", "1", "7"};
    line.set_value(start);
    field(1)->setFocus(Qt::OtherFocusReason);
    field(1)->setCursorPosition(1);
    QTest::keyClick(field(1), Qt::Key_Backspace);
    EXPECT_EQ(line.get_resource(), "TCPIP0::192..1.7::INSTR");
}

TEST_F(IpLine, SetValueSkipsTheChecksAndRefusesAWrongCount)
{
    QList<int> numbers = {300, 1, 2, 3};
    line.set_value(numbers);
    EXPECT_EQ(texts(), (QStringList{"300", "1", "2", "3"}));
    QList<int> three = {4, 5, 6};
    line.set_value(three);
    QList<QString> five = {"9", "9", "9", "9", "9"};
    line.set_value(five);
    EXPECT_EQ(texts(), (QStringList{"300", "1", "2", "3"}));
}
