#pragma once
// Letter case and surrounding blanks in names the program matches: INI sections and keys,
// column headers, list items, option names. Only the ASCII letters A-Z and a-z fold; every
// other byte (UTF-8 text included) compares exactly, so the result never depends on the
// user's locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx260
{

constexpr char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = lowerAscii(c);
    return lower;
}

constexpr bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lowerAscii(text[i]) != lowerAscii(prefix[i]))
            return false;
    }
    return true;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && startsWithIgnoringAsciiCase(a, b);
}

// text without the blanks and tabs around it (a cell of a list read from a file)
inline std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace qx260
