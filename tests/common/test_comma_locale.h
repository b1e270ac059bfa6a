#pragma once
#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

// Switches the process to a locale that writes decimal commas (the C locale and the
// C++ global locale), and back when it goes. ok() is false when no such locale is
// installed (scripts/install-deps.sh generates de_DE.UTF-8); tests then skip.
class test_comma_locale_t
{
public:
    test_comma_locale_t()
    {
        const char *old = std::setlocale(LC_ALL, nullptr);
        m_old_c = old ? old : "C";
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (!std::setlocale(LC_ALL, name))
                continue;
            try {
                m_old_cpp = std::locale::global(std::locale(name));
            } catch (const std::runtime_error &) {
                std::setlocale(LC_ALL, m_old_c.c_str());
                continue;
            }
            m_ok = true;
            return;
        }
    }
    ~test_comma_locale_t()
    {
        if (!m_ok)
            return;
        std::locale::global(m_old_cpp);
        std::setlocale(LC_ALL, m_old_c.c_str());
    }
    test_comma_locale_t(const test_comma_locale_t &) = delete;
    test_comma_locale_t &operator=(const test_comma_locale_t &) = delete;

    bool ok() const { return m_ok; }
    static constexpr const char *missing = "no decimal-comma locale (de_DE.UTF-8) is installed";

private:
    std::string m_old_c;
    std::locale m_old_cpp;
    bool m_ok = false;
};
