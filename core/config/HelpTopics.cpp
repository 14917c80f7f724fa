// Reading the topics file of the user manual: see HelpTopics.h for its form.

#include "core/config/HelpTopics.h"

#include <charconv>

namespace qx260
{
namespace
{

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// The line up to its comment.
std::string_view withoutComment(std::string_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || isBlank(line[i - 1])))
            return line.substr(0, i);
    }
    return line;
}

std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// "name.html" or "name.html#anchor", with names of letters, digits, "-", "_" (and "." in
// the page name, but never leading).
bool isManualPlace(std::string_view place)
{
    const std::size_t hash = place.find('#');
    const std::string_view page = place.substr(0, hash);
    constexpr std::string_view suffix = ".html";
    if (page.size() <= suffix.size() || page.substr(page.size() - suffix.size()) != suffix || page[0] == '.')
        return false;
    for (char c : page) {
        if (!isNameCharacter(c) && c != '.')
            return false;
    }
    if (hash == std::string_view::npos)
        return true;
    const std::string_view anchor = place.substr(hash + 1);
    if (anchor.empty())
        return false;
    for (char c : anchor) {
        if (!isNameCharacter(c))
            return false;
    }
    return true;
}

} // namespace

HelpTopics HelpTopics::parse(std::string_view text)
{
    HelpTopics topics;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;

        const std::vector<std::string_view> fields = fieldsOf(withoutComment(line));
        if (fields.empty())
            continue;
        int number = 0;
        const std::string_view key = fields[0];
        const bool isDefault = key == "default";
        const auto [rest, error] = std::from_chars(key.data(), key.data() + key.size(), number);
        const bool isNumber = error == std::errc() && rest == key.data() + key.size();
        if (fields.size() != 2 || !(isDefault || isNumber) || !isManualPlace(fields[1])) {
            topics.unusableLines_.push_back(lineNumber);
            continue;
        }
        if (isDefault)
            topics.defaultPlace_ = std::string(fields[1]);
        else
            topics.places_[number] = std::string(fields[1]);
    }
    return topics;
}

std::string HelpTopics::placeOf(int topic) const
{
    if (const auto it = places_.find(topic); it != places_.end())
        return it->second;
    return defaultPlace_.empty() ? std::string(kContentsPage) : defaultPlace_;
}

} // namespace qx260
