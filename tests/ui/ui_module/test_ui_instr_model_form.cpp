// Built four times, each beside its own "factory.txt" (or none): FACTORY_CASE says which.
#include "ui_instr_model_form.h"
#include "ui_coustom_comb.h"
#include "ui_meta_types.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The user picks a row: what activated(int) reports.
void choose(QComboBox *comb, int row)
{
    comb->setCurrentIndex(row);
    emit comb->activated(row);
}

} // namespace

#if FACTORY_CASE == 0 // the default list, one line per class in class order

TEST(InstrModelFrame, DefaultListOffersEveryClassInOrder)
{
    ui_instr_model_form_t frame("Instrument Model:");
    EXPECT_EQ(frame.label->text(), "Instrument Model:");
    EXPECT_EQ(frame.label->objectName(), "normal_label");
    EXPECT_EQ(frame.model_comb->objectName(), "normal_comb");
    ASSERT_EQ(frame.model_comb->count(), 10);
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(frame.model_comb->itemData(row).toInt(), row);
    EXPECT_EQ(frame.model_comb->itemText(2), "ZQW6000X");
    EXPECT_EQ(frame.get_instr_type(), INSTR_ZQW8000A);
    EXPECT_EQ(factory_brand, "Brantex");
    EXPECT_FALSE(frame.four_ch_comb->isHidden());
    EXPECT_TRUE(frame.two_ch_comb->isHidden());
}

TEST(InstrModelFrame, ChannelRulesFollowTheClass)
{
    ui_register_meta_types();
    ui_instr_model_form_t frame("Instrument Model:");
    QSignalSpy spy(&frame, SIGNAL(instr_change_info_signal(instr_zqw_t, lib_ch_t)));
    ASSERT_TRUE(spy.isValid());

    choose(frame.four_ch_comb, 2); // CH3 of class 0
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(frame.get_channel(), LIB_CH3);
    choose(frame.model_comb, 2); // a two-channel model keeps channel 2
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).value<instr_zqw_t>(), INSTR_ZQW6000X);
    EXPECT_EQ(spy.at(1).at(1).value<lib_ch_t>(), LIB_CH3);
    EXPECT_FALSE(frame.two_ch_comb->isHidden());

    choose(frame.model_comb, 8); // one channel
    EXPECT_FALSE(frame.one_ch_comb->isHidden());
    frame.set_channel(LIB_CH2);
    EXPECT_EQ(frame.get_channel(), LIB_CH3); // refused
    frame.set_channel(LIB_CH1);
    EXPECT_EQ(frame.get_channel(), LIB_CH1);
    choose(frame.two_ch_comb, 1);
    choose(frame.model_comb, 9);
    choose(frame.model_comb, 3); // after class 9 the channel starts again at CH1
    EXPECT_EQ(frame.get_channel(), LIB_CH1);
    EXPECT_EQ(frame.two_ch_comb->currentIndex(), 0);
    EXPECT_EQ(spy.last().at(1).value<lib_ch_t>(), LIB_CH1);

    frame.set_instr_type(INSTR_ZQW1000);
    EXPECT_EQ(frame.model_comb->currentIndex(), 7);
    int before = spy.count();
    frame.set_channel(LIB_CH2);
    EXPECT_EQ(frame.two_ch_comb->currentIndex(), 1);
    EXPECT_EQ(spy.count(), before); // setters emit nothing
}

#elif FACTORY_CASE == 1 // two models of another brand

TEST(InstrModelFrame, TwoModelsOfAnotherBrand)
{
    ui_register_meta_types();
    ui_instr_model_form_t frame("Instrument Model:");
    ASSERT_EQ(frame.model_comb->count(), 2);
    EXPECT_EQ(frame.model_comb->currentIndex(), 0);
    EXPECT_EQ(frame.get_instr_type(), INSTR_ZQW2000X);
    EXPECT_EQ(factory_brand, "Acme");
    QSignalSpy spy(&frame, SIGNAL(instr_change_info_signal(instr_zqw_t, lib_ch_t)));
    choose(frame.model_comb, 1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<instr_zqw_t>(), INSTR_ZQW1000X);
    EXPECT_EQ(spy.at(0).at(1).value<lib_ch_t>(), LIB_CH1);
}

#elif FACTORY_CASE == 2 // blanks, empty lines, four fields, a one-comma line

TEST(InstrModelFrame, LinesAreTakenApartAsWritten)
{
    testing::internal::CaptureStdout();
    ui_instr_model_form_t frame("Instrument Model:");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("empty line\n"), std::string::npos);
    // "ZQWT00 " (blank) offers nothing; four fields take the last as the model; the
    // one-comma line stops the list and is the last brand read.
    ASSERT_EQ(frame.model_comb->count(), 2);
    EXPECT_EQ(frame.model_comb->itemText(0), "Four fields");
    EXPECT_EQ(frame.model_comb->itemText(1), "Module");
    EXPECT_EQ(frame.get_instr_type(), INSTR_MZK1021);
    EXPECT_FALSE(frame.one_ch_comb->isHidden());
    EXPECT_EQ(factory_brand, "Stop");
}

#else // no factory.txt

TEST(InstrModelFrame, WithoutFactoryFileNothingIsOffered)
{
    factory_brand = "kept";
    testing::internal::CaptureStdout();
    ui_instr_model_form_t frame("Instrument Model:");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("error to open file = "), std::string::npos);
    EXPECT_EQ(frame.model_comb->count(), 0);
    EXPECT_EQ(frame.get_instr_type(), INSTR_NONE);
    EXPECT_EQ(factory_brand, "kept");
    EXPECT_FALSE(frame.two_ch_comb->isHidden());
}

#endif
