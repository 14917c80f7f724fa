// Fuzz target: the text files the programs read as configuration, Program.ini and the
// manual's topics.txt. Program.ini is loaded as the programs load it and asked every
// lookup they make; the Language dialog's change is saved, and a second load of the saved
// file gives back every section, key and value and the same answers. Every place the topics
// map gives is a page of the manual's own folder.

#include <climits>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/config/CIniFile.h"
#include "core/config/HelpTopics.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/FrequencyCheck.h"
#include "core/settings/ProductRules.h"
#include "tests/fuzz/FuzzTarget.h"

namespace qx260::fuzz
{

namespace
{

// Everything the programs look up in Program.ini, in one list of texts.
std::vector<std::string> answers(ProcessValues& values)
{
    const CIniFile& config = values.configurationStore;
    std::vector<std::string> out{values.languageName, values.helpFileName, values.setupString("ShowLang"),
                                 values.setupString("AppName"), userStoreKey(config)};
    for (const char* key :
         {"Company", "AppName", "Title", "About Title", "Version", "Copyrights", "Copyrights Owner"})
        out.push_back(values.languageString(key));
    const std::vector<std::string> types = productTypeList(config);
    out.push_back(std::to_string(types.size()));
    for (std::size_t t = 0; t < types.size(); ++t) {
        out.push_back(types[t]);
        for (const std::string& band : bandListForType(config, static_cast<int>(t))) {
            const BandLimits limits = bandLimitsFromText(band);
            out.push_back(band + " " + std::to_string(limits.lower) + " " + std::to_string(limits.upper));
        }
    }
    // The caption and band a document's product bytes give: the first types, the one past
    // the list and a byte that names none.
    for (int type : {0, 1, 2, static_cast<int>(types.size()), 0xFF}) {
        RadioImage image;
        image.setByte(offset::ProductType, static_cast<std::uint8_t>(type));
        image.setByte(offset::BandIndex, static_cast<std::uint8_t>(type % 4));
        const ProductDescription product =
            describeProduct(image, config, values.languageName, values.language());
        out.push_back(product.caption);
        const ProductSelection selection = openProductSelection(config, image, {type, type % 4});
        out.push_back(selection.typeText() + "/" + selection.bandText());
    }
    return out;
}

bool hasLineBreak(const std::string& text)
{
    return text.find_first_of(std::string_view("\n\0", 2)) != std::string::npos;
}

void checkProgramIni(std::string_view text)
{
    const std::string path = scratchFile("Program.ini");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;

    ProcessValues values;
    FUZZ_CHECK(values.configurationStore.Load(path, false, true).ok(), "the file was not loaded");
    values.deriveLanguageValues();
    for (const std::string& answer : answers(values))
        FUZZ_CHECK(!hasLineBreak(answer), "a lookup gave a line break or a zero byte");

    // The Language dialog's change, saved; then the file as the next start reads it.
    CIniFile& config = values.configurationStore;
    config.SetString("Setup", "Language", isChinese(values.language()) ? "English" : "Chinese");
    values.deriveLanguageValues();
    FUZZ_CHECK(config.Save().ok(), "the file was not saved");
    ProcessValues next;
    FUZZ_CHECK(next.configurationStore.Load(path, false, true).ok(), "the saved file was not loaded");
    next.deriveLanguageValues();

    const std::vector<CIniFile::Section>& want = config.sections();
    const std::vector<CIniFile::Section>& got = next.configurationStore.sections();
    FUZZ_CHECK(got.size() == want.size(),
               "sections saved " + std::to_string(want.size()) + ", loaded " + std::to_string(got.size()));
    for (std::size_t s = 0; s < want.size(); ++s) {
        FUZZ_CHECK(got[s].name == want[s].name, "the name of section " + std::to_string(s));
        FUZZ_CHECK(got[s].keys == want[s].keys, "the keys of section \"" + want[s].name + "\"");
        FUZZ_CHECK(got[s].values == want[s].values, "the values of section \"" + want[s].name + "\"");
    }
    FUZZ_CHECK(answers(next) == answers(values), "a lookup answers otherwise after the save");
}

// A place the map may send the browser to: "PAGE.html" or "PAGE.html#ANCHOR" of plain names.
bool manualPlace(const std::string& place)
{
    const auto plain = [](char c, bool dot) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_' || (dot && c == '.');
    };
    const std::size_t hash = place.find('#');
    const std::string page = place.substr(0, hash);
    if (page.size() <= 5 || !page.ends_with(".html") || page[0] == '.')
        return false;
    for (char c : page)
        if (!plain(c, true))
            return false;
    if (hash == std::string::npos)
        return true;
    const std::string anchor = place.substr(hash + 1);
    for (char c : anchor)
        if (!plain(c, false))
            return false;
    return !anchor.empty();
}

void checkTopics(std::string_view text)
{
    const HelpTopics topics = HelpTopics::parse(text);
    std::vector<int> numbers{0, 1, -1, INT_MAX, INT_MIN};
    int lines = 0;
    for (std::size_t at = 0; at < text.size(); ++lines) {
        const std::size_t end = text.find('\n', at);
        const std::string line(text.substr(at, end == std::string_view::npos ? end : end - at));
        numbers.push_back(static_cast<int>(std::strtol(line.c_str(), nullptr, 10)));
        at = end == std::string_view::npos ? text.size() : end + 1;
    }
    for (int topic : numbers)
        FUZZ_CHECK(manualPlace(topics.placeOf(topic)),
                   "topic " + std::to_string(topic) + " opens \"" + topics.placeOf(topic) + "\"");
    int previous = 0;
    for (int line : topics.unusableLines()) {
        FUZZ_CHECK(line > previous && line <= lines, "unusable line " + std::to_string(line));
        previous = line;
    }
}

} // namespace

void checkConfigFiles(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkTopics(text);
    checkProgramIni(text);
}

} // namespace qx260::fuzz

QX260_FUZZ_ENTRY(qx260::fuzz::checkConfigFiles)
