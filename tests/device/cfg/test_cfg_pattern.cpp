// A channel's data-pattern object on the module: selection of the data-pattern types,
// the text and its length, the amplitude by type, the records' defaults, and that
// nothing reaches the driver while data patterns are unsupported.
#include "cfg_fixture.h"
#include "cfg_pattern.h"

#include <string>

using CfgPattern = cfg_fixture_t;

TEST_F(CfgPattern, StartsWithTextAbcAndTheSerialDefaults)
{
    for (int32 ch : {0, 1})
    {
        cfg_pattern_t *p = cfg_get_pattern(ch);
        std::string text;
        int32 length = -1;
        p->get_text(text);
        p->get_text_length(length);
        EXPECT_EQ(text, "ABC");
        EXPECT_EQ(length, 3);
        EXPECT_EQ(p->get_uart_pattern()->get_channel(), ch);
        EXPECT_EQ(p->get_uart_pattern()->get_bit_rate(), 9600);
        EXPECT_EQ(p->get_uart_pattern()->get_data_bits(), 8);
        EXPECT_EQ(p->is_supported(), 0);
    }
}

TEST_F(CfgPattern, SelectingAPatternTypeStoresOnlyTheType)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    w->store_output(1);
    sim.clear_log();
    for (int32 type : {12, 14, 16})
    {
        SCOPED_TRACE(type);
        EXPECT_EQ(w->set_current_basic_wave(type), 1);
        EXPECT_EQ(cfg_get_pattern(0)->get_wave_type(), type);
    }
    std::vector<int16> samples{1};
    cfg_get_pattern(0)->get_uart_pattern()->get_samples(samples);
    EXPECT_TRUE(samples.empty());
}

TEST_F(CfgPattern, AmplitudeBelongsToTheSerialPatternOnly)
{
    cfg_pattern_t *p = cfg_get_pattern(1);
    p->set_wave_type(14);
    const lib_unit_data_t a = p->get_amplitude();
    EXPECT_EQ(a.data, 4.0L);
    EXPECT_EQ(a.unit, 14);
    EXPECT_FALSE(a.changed);
    EXPECT_EQ(p->set_amplitude({50.0L, 14, false}), 0);
    EXPECT_EQ(p->get_uart_pattern()->get_amplitude().data, 4.0L);

    p->set_wave_type(12);
    EXPECT_EQ(p->set_amplitude({50.0L, 14, false}), 1);
    EXPECT_EQ(p->get_amplitude().data, 50.0L);
    EXPECT_EQ(p->set_amplitude({1.0L, 14, false}), -11);
    EXPECT_EQ(p->get_amplitude().data, 10.0L);
}

TEST_F(CfgPattern, TextAndLengthAreSetTogetherOrApart)
{
    cfg_pattern_t *p = cfg_get_pattern(0);
    cfg_get_wv_main(0)->store_output(1);
    std::string text;
    int32 length = -1;
    EXPECT_EQ(p->set_text(""), 1);
    p->get_text_length(length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(p->store_text("LONGER"), 1);
    p->get_text_length(length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(p->set_text_length(40), 1);
    p->get_text_length(length);
    EXPECT_EQ(length, 40);
    p->get_text(text);
    EXPECT_EQ(text, "LONGER");
    // Without driver support the text changes and nothing else.
    EXPECT_EQ(p->set_text("XY"), 1);
    EXPECT_EQ(p->update(), 1);
    EXPECT_EQ(p->apply_pattern(), 1);
    EXPECT_TRUE(sim.log().empty()) << sim.compact();

    p->set_wave_type(13);
    p->reset(0);
    p->get_text(text);
    EXPECT_EQ(text, "ABC");
    EXPECT_EQ(p->get_wave_type(), cfg_get_wv_main(0)->get_basic_wave_type());
}

TEST(CfgPatternRecords, DefaultsAfterInit)
{
    cfg_bit_string_t b;
    int32 count = -1;
    std::string text = "x";
    b.get_bit_count(count);
    EXPECT_EQ(count, 0);
    b.init(5);
    b.get_bit_count(count);
    b.get_bit_text(text);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(text, "0101010");
    EXPECT_EQ(b.set_bit_count(3), 1);
    b.get_bit_text(text);
    EXPECT_EQ(text, "0101010"); // count and text are independent

    cfg_pattern_settings_t s;
    s.init(1);
    EXPECT_EQ(s.get_channel(), 1);
    EXPECT_EQ(s.get_setting_c(), 8);
    EXPECT_EQ(s.get_setting_a(), 0);
    EXPECT_EQ(s.set_setting_b(6), 1);
    EXPECT_EQ(s.get_setting_b(), 6);
}
