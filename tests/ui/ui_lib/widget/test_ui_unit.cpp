#include "ui_combx.h"
#include "ui_unit.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

namespace {

struct choose_case_t
{
    double v;
    int first, last;
    double value;
    int prefix;
};

TEST(UiUnitChoose, LargestPrefixShowingAtLeastOneWins)
{
    const choose_case_t cases[] = {
        {25000000.0, 12, 16, 25.0, 16},
        {0.0025, 13, 14, 2.5, 13},
        {0.0001, 13, 14, 0.0001, 14},
        {0.0, 11, 15, 0.0, 14},
        {1e-15, 11, 15, 1e-15, 14},
        {-2000.0, 12, 16, -2.0, 15},
        {999.0, 14, 15, 999.0, 14},
        {1000.0, 14, 15, 1.0, 15},
        {5e9, 12, 17, 5.0, 17},
        {5e9, 12, 16, 5000.0, 16},
        {0.5, 14, 14, 0.5, 14},
    };
    for (const choose_case_t &c : cases) {
        ui_unit_choice_t d = ui_unit_choose(c.v, c.first, c.last);
        EXPECT_DOUBLE_EQ(d.value, c.value) << c.v;
        EXPECT_EQ(d.prefix, c.prefix) << c.v;
        ui_unit_choice_t f = lib_unit_choose_prefix(static_cast<float>(c.v), c.first, c.last);
        EXPECT_FLOAT_EQ(static_cast<float>(f.value), static_cast<float>(c.value)) << c.v;
        EXPECT_EQ(f.prefix, c.prefix) << c.v;
    }
}

TEST(UiUnitChoose, BaseValueFollowsPrefixFactor)
{
    const double factors[] = {1e-12, 1e-9, 1e-6, 1e-3, 1.0, 1e3, 1e6, 1e9, 1e12, 1e15};
    for (int p = 10; p <= 19; ++p)
        EXPECT_DOUBLE_EQ(ui_unit_to_base(2.5, p), 2.5 * factors[p - 10]) << p;
    EXPECT_DOUBLE_EQ(ui_unit_to_base(2.5, 9), 2.5);
    EXPECT_DOUBLE_EQ(ui_unit_to_base(2.5, 20), 2.5);
    // Exact for whole results: 25 MHz is 25,000,000 Hz, not 24,999,999.999...
    EXPECT_EQ(ui_unit_to_base(25.0, 16), 25000000.0);
    EXPECT_EQ(ui_unit_choose(25000000.0, 12, 16).value, 25.0);
}

struct format_case_t
{
    float v;
    int first, last, type;
    bool with_unit;
    int decimals;
    const char *text;
};

TEST(UiUnitFormat, ValueTextWithPrefixAndUnit)
{
    const format_case_t cases[] = {
        {0.0025f, 13, 14, 3, true, 3, "2.500 mV"},
        {1500.0f, 14, 14, 5, false, 6, "1500.000000 "},
        {0.0f, 13, 14, 3, true, 2, "0.00 V"},
        {0.25f, 13, 14, 3, true, 2, "250.00 mV"},
        {-20.0f, 13, 14, 3, true, 2, "-20.00 V"},
        {0.0005f, 13, 14, 3, true, 2, "0.00 V"},
        {25e6f, 12, 16, 1, true, 1, "25.0 MHz"},
        {2e-6f, 11, 15, 2, true, 0, "2 us"},
        {3e-9f, 10, 14, 2, true, 0, "3 ns"},
        {3e-12f, 10, 14, 2, true, 0, "3 ps"},
        {2e9f, 12, 17, 4, true, 0, "2 GSa/s"},
        {2e12f, 12, 18, 9, true, 0, "2 bps"},
        {45.0f, 14, 14, 6, true, 1, "45.0 degree"},
        {50.0f, 14, 14, 7, true, 0, "50 %"},
        {3.0f, 14, 14, 8, true, 0, "3 dB"},
        {7.0f, 14, 14, 5, true, 0, "7 Sa"},
        {7.0f, 14, 14, 42, true, 0, "7 "},
        {0.0025f, 13, 14, 3, false, 1, "2.5 "},
    };
    for (const format_case_t &c : cases)
        EXPECT_EQ(lib_unit_format_value(c.v, c.first, c.last, c.type, c.with_unit, c.decimals),
                  c.text)
            << c.v;
}

TEST(UiUnitFormat, ShortFormAlwaysSixDecimalsAndUnit)
{
    EXPECT_EQ(lib_unit_format_value_short(0.0025f, 13, 14, 3), "2.500000 mV");
    EXPECT_EQ(lib_unit_format_value_short(1500.0f, 12, 16, 1), "1.500000 kHz");
}

TEST(UiUnitFormat, FileBaseName)
{
    const std::pair<const char *, const char *> cases[] = {
        {"/data/wave.1.csv", "wave.1"},
        {"/data/wave", ""},
        {"wave.csv", "wave"},
        {"C:/a.b/wave", ""},
        {"C:/a.b/.csv", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(get_file_base_name(c.first), c.second) << c.first;
}

struct combx_items_t
{
    int type;
    QStringList items;
    int base;
};

TEST(UiCombx, ItemsAndBaseItemPerUnitType)
{
    const combx_items_t cases[] = {
        {1, {"μHz", "mHz", "Hz", "kHz", "MHz"}, 2},
        {2, {"ns", "μs", "ms", "s", "ks"}, 3},
        {3, {"mV", "V"}, 1},
        {4, {"μSa/s", "mSa/s", "Sa/s", "kSa/s", "MSa/s", "GSa/s"}, 2},
        {5, {"Sa"}, 0},
        {6, {"degrees"}, 0},
        {7, {"%"}, 0},
        {8, {"dB"}, 0},
        {9, {"μbps", "mbps", "bps", "kbps", "Mbps", "Gbps"}, 2},
        {0, {}, -1},
        {10, {}, -1},
    };
    for (const combx_items_t &c : cases) {
        ui_combx_t box(c.type);
        ASSERT_EQ(box.count(), c.items.size()) << c.type;
        for (int i = 0; i < box.count(); ++i) {
            EXPECT_EQ(box.itemText(i), c.items[i]);
            EXPECT_EQ(box.itemData(i).toInt(), i);
        }
        EXPECT_EQ(box.currentIndex(), c.base) << c.type;
        EXPECT_EQ(box.unit_prefix, 14);
        EXPECT_EQ(box.get_unit_type(), c.type);
        EXPECT_EQ(box.objectName(), "normal_comb");
    }
    // "μ" is GREEK SMALL LETTER MU, not the micro sign.
    EXPECT_EQ(ui_combx_t(1).itemText(0).at(0).unicode(), 0x03BC);
}

TEST(UiCombx, ChoosingAnItemSetsPrefixThenReportsValue)
{
    ui_combx_t box(1);
    QStringList order;
    QObject::connect(&box, &ui_combx_t::unit_type_changed, [&] { order << "unit"; });
    QObject::connect(&box, &ui_combx_t::value_changed_info_signal, [&] { order << "value"; });
    box.show();
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Down); // activated(int) for "kHz"
    EXPECT_EQ(box.currentIndex(), 3);
    EXPECT_EQ(box.unit_prefix, 15);
    EXPECT_EQ(order, QStringList({"unit", "value"}));

    order.clear();
    box.unit_comb_slot_func(7);
    EXPECT_EQ(box.unit_prefix, 15);
    EXPECT_EQ(order, QStringList({"value"}));
}

TEST(UiCombx, SetUnitSelectsOnlyListedPrefixes)
{
    ui_combx_t freq(1);
    QSignalSpy spy(&freq, SIGNAL(unit_type_changed()));
    freq.set_unit(11);
    EXPECT_EQ(freq.get_unit(), 11);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(freq.currentText(), "Hz");

    ui_combx_t time(2);
    time.set_unit(11);
    EXPECT_EQ(time.currentText(), "ns");

    time.reset_unit();
    EXPECT_EQ(time.currentText(), "s");
    EXPECT_EQ(time.unit_prefix, 14);

    ui_combx_t none(0);
    QSignalSpy none_spy(&none, SIGNAL(unit_type_changed()));
    none.unit_prefix = 16;
    none.reset_unit();
    EXPECT_EQ(none.unit_prefix, 16);
    EXPECT_EQ(none_spy.count(), 0);
}

TEST(UiCombx, QuietAccessorsLeaveTheSelectionAndSignalsAlone)
{
    ui_combx_t box(1);
    QSignalSpy unit_spy(&box, SIGNAL(unit_type_changed()));
    QSignalSpy value_spy(&box, SIGNAL(value_changed_info_signal()));

    box.set_unit_prefix(16);
    EXPECT_EQ(box.get_unit(), 16);
    EXPECT_EQ(box.currentText(), "Hz") << "storing a prefix selects nothing";
    EXPECT_EQ(unit_spy.count(), 1);

    EXPECT_TRUE(box.set_unit_index(0));
    EXPECT_EQ(box.get_unit(), 12);
    EXPECT_FALSE(box.set_unit_index(5));
    EXPECT_FALSE(box.set_unit_index(-1));
    EXPECT_EQ(box.get_unit(), 12) << "an index outside the list stores nothing";
    EXPECT_EQ(box.currentText(), "Hz");
    EXPECT_EQ(unit_spy.count(), 1) << "mapping an index emits nothing";

    box.set_unit_type(2);
    EXPECT_EQ(box.get_unit_type(), 2);
    EXPECT_EQ(box.count(), 5);
    EXPECT_EQ(box.itemText(0), "μHz") << "the items are not rebuilt";
    EXPECT_EQ(value_spy.count(), 0);
}

} // namespace
