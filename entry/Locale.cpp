#include "entry/Locale.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace vlnokan::entry {

#ifndef _WIN32
namespace {

std::string numericLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return {};
}

} // namespace
#endif

std::string firstCharacter(const std::string& text) {
    if (text.empty())
        return ".";
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return text.substr(0, length);
}

#ifdef _WIN32

bool localeAvailable(const std::string&) { return false; }

std::string SystemLocale::decimalSeparator() const {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) == 0)
        return ".";
    return firstCharacter(buffer);
}

#else

bool localeAvailable(const std::string& name) {
    locale_t locale = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return false;
    freelocale(locale);
    return true;
}

std::string SystemLocale::decimalSeparator() const {
    const std::string name = numericLocaleName();
    if (name.empty())
        return ".";
    locale_t locale = newlocale(LC_NUMERIC_MASK, name.c_str(), static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return ".";
    const char* radix = nl_langinfo_l(RADIXCHAR, locale);
    std::string separator = firstCharacter(radix ? radix : "");
    freelocale(locale);
    return separator;
}

#endif

} // namespace vlnokan::entry
