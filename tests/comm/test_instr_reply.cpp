#include "instr_reply.h"
#include "instr_send_wv.h"
#include "lib_number_text.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <locale>

using strings = std::vector<std::string>;

TEST(InstrReply, SplitFieldsDropsOnlyEmptyPieces)
{
    const struct {
        std::string reply;
        strings fields;
    } cases[] = {
        {"a,b,c,d\n", {"a", "b", "c", "d\n"}},
        {",,a,,b,", {"a", "b"}},
        {" , a ", {" ", " a "}},
        {"", {}},
        {std::string("x\0y,z", 5), {std::string("x\0y", 3), "z"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(instr_split_fields(c.reply), c.fields) << c.reply;
}

TEST(InstrReply, SplitListTrimsBlanksThenLineFeeds)
{
    const struct {
        std::string reply;
        strings pieces;
    } cases[] = {
        {"M0, SINE, M1, EMPTY\n", {"M0", "SINE", "M1", "EMPTY"}},
        {"M0, A,\n", {"M0", "A"}},
        {"   ,x", {"   ", "x"}},        // blanks only: kept as they are
        {" \n ,x", {"x"}},               // nothing but a line feed after the blanks
        {"\n a \n", {" a "}},            // line feeds go after the blanks
        {"a b,,c", {"a b", "c"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(instr_split_list(c.reply), c.pieces) << c.reply;
}

TEST(InstrReply, LeadingNumber)
{
    const struct {
        const char *text;
        bool ok;
        double value;
    } cases[] = {
        {"1000HZ", true, 1000},   {"5.00E-01V", true, 0.5}, {" -2.5e+3S", true, -2500},
        {"+.5", true, 0.5},       {"7.", true, 7},          {"1e", true, 1},
        {"1e+x", true, 1},        {"3,5", true, 3},         {"V5", false, 0},
        {"", false, 0},           {".", false, 0},          {"-", false, 0},
        {"nan", false, 0},        {"inf", false, 0},        {"1e999", false, 0},
        {"0x10", true, 0},
    };
    for (const auto &c : cases) {
        double v = -123;
        EXPECT_EQ(instr_leading_number(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? c.value : -123) << c.text;
    }
    float f = 0;
    EXPECT_FALSE(instr_leading_float("1e39", f));
    EXPECT_TRUE(instr_leading_float("3.4e38", f));
}

namespace {

struct comma_decimal_t : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

void expect_locale_free_numbers()
{
    EXPECT_EQ(number_to_string(0.3333333333333333), "0.3333333333333333");
    EXPECT_EQ(number_to_string(1234567.5), "1234567.5");
    EXPECT_EQ(number_to_string(0.1f), "0.1");
    instr_send_wv_t w;
    w.set_params(0, 1, 0.5f, -1.25f, 1500.5, 16384 * 1500.5, 0, "w", 10, 2);
    EXPECT_EQ(w.build_wave_head("", 1, false),
              "C1:WVDT TYPE,5,FREQ,1500.5,AMPL,0.5,OFST,-1.25,PHASE,0,WVNM,w,LENGTH,20,WAVEDATA,");
    double v = 0;
    EXPECT_TRUE(instr_leading_number("5.00E-01V", v));
    EXPECT_EQ(v, 0.5);
    EXPECT_TRUE(instr_leading_number("1234.5", v));
    EXPECT_EQ(v, 1234.5);
}

} // namespace

TEST(InstrReplyLocale, CommaDecimalStreamLocale)
{
    // The locale owns the facet it is given.
    std::locale old = std::locale::global(std::locale(std::locale::classic(), new comma_decimal_t));
    expect_locale_free_numbers();
    std::locale::global(old);
}

TEST(InstrReplyLocale, CommaDecimalProcessLocale)
{
    const char *names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8", "nl_NL.UTF-8"};
    const char *found = nullptr;
    for (const char *n : names) {
        if (std::setlocale(LC_ALL, n) && std::localeconv()->decimal_point[0] == ',') {
            found = n;
            break;
        }
    }
    if (!found) {
        std::setlocale(LC_ALL, "C");
        GTEST_SKIP() << "no comma-decimal locale is installed";
    }
    std::locale old = std::locale::global(std::locale(found));
    expect_locale_free_numbers();
    std::locale::global(old);
    std::setlocale(LC_ALL, "C");
}
