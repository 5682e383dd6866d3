#pragma once

// Which typed characters the entries take. Characters typed otherwise are discarded before the
// entry inserts them; pasted text is not filtered and must be handled by the conversions.
namespace vlnokan::entry {

constexpr char32_t backspace = 8;

// The frequency: digits, a comma, a point and backspace.
constexpr bool frequencyKeyAccepted(char32_t key) {
    return key == backspace || key == ',' || key == '.' || (key >= '0' && key <= '9');
}

// The diameter, the angle and the mouth: digits and backspace.
constexpr bool integerKeyAccepted(char32_t key) {
    return key == backspace || (key >= '0' && key <= '9');
}

} // namespace vlnokan::entry
