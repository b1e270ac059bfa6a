#include "instr_model_class.h"
#include "instr_scope.h"

#include <gtest/gtest.h>

TEST(InstrModelClass, GeneratorFamilies)
{
    const struct {
        const char *product;
        int32 model_class;
    } cases[] = {
        {"ZQWT500R", 0},   {"xZQWT123", 0},     {"ZQWT12", 8},     {"ZQWS200R", 1},    {"ZQWR120V", 2},
        {"ZQWR120V-L", 3}, {"ZQWR120V\n", 9},   {"ZQWR12V", 9},    {"ZQWP080V", 4},    {"ZQWP08", 9},
        {"ZQWN060V", 5},   {"ZQWN060", 7},      {"ZQWQ050", 6},    {"ZQWN060V-L", 7},  {"", 9},
        {"ZQWQ ZQWT", 6},  {"ZQWR120V ", 9},    {"ZQWX", 9},
    };
    for (const auto &c : cases)
        EXPECT_EQ(get_awg_model_class(c.product), c.model_class) << '"' << c.product << '"';
}

TEST(InstrModelClass, PrivateModels)
{
    const struct {
        const char *model;
        int32 model_class;
    } cases[] = {
        {"MZKU55", 9}, {"MZKU55I", 11}, {"xMZKU55", 11}, {"OVTP120V Wide", 10}, {"OVTP12V Wide", 11},
        {"OVTP120V Wide\n", 11}, {"", 11},
    };
    for (const auto &c : cases)
        EXPECT_EQ(get_private_awg_model_class(c.model), c.model_class) << c.model;
}

TEST(InstrModelClass, OscilloscopeFamilies)
{
    const struct {
        const char *product;
        int32 family;
    } cases[] = {
        {"DMM-7", 15},          {"YMT-GB-NG", 9},   {"OVTR100K", 10},     {"OVTN100V-GB", 11},
        {"OVTP100V-GB", 12},    {"OVTM100V-GB", 13}, {"OVTS100", 14},     {"OVTP100V+", 8},
        {"OVTQ100V", 7},        {"OVTP100V", 6},     {"OVTP120V Wide", 5}, {"KWE", 5},
        {"OVTN100V-L", 4},      {"OVTN100V", 3},     {"OVTN-xK", 1},       {"OVTN100R", 2},
        {"OVTN100B", 2},        {"YMT", 0},          {"OVTX", 0},          {"OVTN100K", 1},
    };
    instr_scope_t scope;
    for (const auto &c : cases) {
        EXPECT_EQ(scope_model_family(c.product), c.family) << c.product;
        EXPECT_EQ(scope.scope_model_family(c.product), c.family) << c.product;
    }
}
