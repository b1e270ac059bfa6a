#include "lib_number_text.h"

#include <locale>
#include <sstream>

std::string number_to_string(double value)
{
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s.precision(16);
    s << value;
    return s.str();
}

std::string number_to_string(float value)
{
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << static_cast<double>(value);
    return s.str();
}

std::string number_to_string(int value)
{
    return std::to_string(value);
}

template <typename N>
N string_to_number(const std::string &text)
{
    std::istringstream s(text);
    N v = 0;
    if (!(s >> v))
        return 0;
    return v;
}

template double string_to_number<double>(const std::string &);
template int string_to_number<int>(const std::string &);
