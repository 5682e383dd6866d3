#pragma once

#include "core/Seam.h"

#include <string>

namespace vlnokan::entry {

// Where the decimal separator comes from: the user's locale.
class LocaleSource {
public:
    virtual ~LocaleSource() = default;
    // The first character of the locale's decimal separator, "." when it cannot be read.
    virtual std::string decimalSeparator() const = 0;
};

// The locale named by LC_ALL, else LC_NUMERIC, else LANG, read through the C library.
class SystemLocale final : public LocaleSource {
public:
    std::string decimalSeparator() const override;
};

using Locale = Seam<LocaleSource, SystemLocale>;

// Whether the C library has the named locale.
bool localeAvailable(const std::string& name);

// The first character of a UTF-8 text, "." for an empty one.
std::string firstCharacter(const std::string& text);

} // namespace vlnokan::entry
