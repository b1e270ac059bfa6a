#include "instr_model_class.h"

#include <regex>

namespace {

bool contains(const std::string &text, const char *part) { return text.find(part) != std::string::npos; }

bool matches(const std::string &text, const char *pattern)
{
    return std::regex_match(text, std::regex(pattern, std::regex::ECMAScript));
}

} // namespace

int32 get_awg_model_class(const std::string &product)
{
    // The first family is named by its pattern anywhere in the product text.
    if (std::regex_search(product, std::regex("ZQWT[0-9]{3}")))
        return 0;
    if (contains(product, "ZQWS"))
        return 1;
    if (matches(product, "ZQWR[0-9]{3}[V]"))
        return 2;
    if (matches(product, "ZQWR[0-9]{3}[V][-][L]"))
        return 3;
    if (matches(product, "ZQWP[0-9]{3}[V]"))
        return 4;
    if (matches(product, "ZQWN[0-9]{3}[V]"))
        return 5;
    if (contains(product, "ZQWQ"))
        return 6;
    if (contains(product, "ZQWN"))
        return 7;
    if (contains(product, "ZQWT"))
        return 8;
    return 9;
}

int32 get_private_awg_model_class(const std::string &model)
{
    if (matches(model, "MZKU55"))
        return 9;
    if (matches(model, "OVTP[0-9]{3}V Wide"))
        return 10;
    return 11;
}

int32 scope_model_family(const std::string &product)
{
    if (!contains(product, "OVT") && !contains(product, "KWE") && !contains(product, "YMT"))
        return 15;
    static const struct {
        const char *pattern;
        int32 family;
    } k_patterns[] = {
        {"YMT-GB-NG", 9},
        {"OVTR[0-9]{3}[K]", 10},
        {"OVTN[0-9]{3}[V][-][G][B]", 11},
        {"OVTP[0-9]{3}[V][-][G][B]", 12},
        {"OVTM[0-9]{3}[V][-][G][B]", 13},
        {"OVTS[0-9]{3}", 14},
        {"OVTP[0-9]{3}[V][+]", 8},
        {"OVTQ[0-9]{3}[V]", 7},
        {"OVTP[0-9]{3}[V]", 6},
    };
    for (const auto &p : k_patterns)
        if (matches(product, p.pattern))
            return p.family;
    if (contains(product, "OVTP") || contains(product, "KWE"))
        return 5;
    if (matches(product, "OVTN[0-9]{3}[V][-][L]"))
        return 4;
    if (matches(product, "OVTN[0-9]{3}[V]"))
        return 3;
    if (matches(product, "OVTN.*?[K]"))
        return 1;
    if (matches(product, "OVTN[0-9]{3}[RB]"))
        return 2;
    return 0;
}
