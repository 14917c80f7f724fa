// qx260-cli options: shows or sets a document's optional features as the Optional
// Features dialog shows and stores them.

#include <cstdio>
#include <string>
#include <vector>

#include "core/config/AsciiText.h"
#include "core/config/ProcessValues.h"
#include "core/config/Texts.h"
#include "core/radio/RadioImage.h"
#include "core/settings/OptionRules.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"
#include "programs/cli/EditContext.h"

namespace qx260::cli
{

namespace
{

constexpr const char* kTransmitDelayName = "Transmit Delay";
constexpr const char* kBeepName = "Beep";
constexpr const char* kBatterySaverName = "Battery Saver";

// Names in the order the dialog shows them, top to bottom.
const std::vector<std::string>& displayOrder()
{
    static const std::vector<std::string> order{
        optionListName(OptionList::TimeOutTime),
        optionListName(OptionList::SquelchLevel),
        kTransmitDelayName,
        optionListName(OptionList::SideKey),
        kBeepName,
        kBatterySaverName,
        optionListName(OptionList::PriorityChannel),
        optionListName(OptionList::Vox),
        optionListName(OptionList::VoxGainLevel),
        optionListName(OptionList::VoiceAnnunciation),
        optionListName(OptionList::VoxDelayTime),
    };
    return order;
}

std::string shownText(OptionList list, int position, Language language)
{
    const std::vector<std::string> items = optionListItems(list, language);
    return position >= 0 && position < static_cast<int>(items.size())
               ? items[static_cast<std::size_t>(position)]
               : std::string();
}

int printOptions(const OptionalFeatures& f, Language language, bool json)
{
    std::string out = json ? "{" : "";
    bool first = true;
    for (const std::string& name : displayOrder()) {
        OptionList list{};
        std::string value;
        bool isBool = false;
        bool on = false;
        if (name == kTransmitDelayName) {
            value = f.transmitDelay;
        } else if (name == kBeepName || name == kBatterySaverName) {
            isBool = true;
            on = name == kBeepName ? f.beep : f.batterySaver;
        } else if (optionListByName(name, list)) {
            value = shownText(list, f.position(list), language);
        }
        if (json) {
            out += first ? "\n  " : ",\n  ";
            out += jsonString(name) + ": ";
            out += isBool ? (on ? "true" : "false") : value.empty() ? "null" : jsonString(value);
        } else {
            std::string line = name + ":";
            line.resize(22, ' ');
            out += line + (isBool ? (on ? "on" : "off") : value.empty() ? "(none)" : value) + "\n";
        }
        first = false;
    }
    if (json)
        out += "\n}\n";
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

bool parseSwitch(const std::string& text, bool& on)
{
    // The words of the switches, and the dialog's "On" and "Off" in Chinese.
    const char* const chineseOn = textOf(Text::On, Language::Chinese);
    const char* const chineseOff = textOf(Text::Off, Language::Chinese);
    for (const char* yes : {"on", "yes", "true", "1", chineseOn})
        if (equalsIgnoringAsciiCase(text, yes)) {
            on = true;
            return true;
        }
    for (const char* no : {"off", "no", "false", "0", chineseOff})
        if (equalsIgnoringAsciiCase(text, no)) {
            on = false;
            return true;
        }
    return false;
}

int listPosition(OptionList list, const std::string& text)
{
    for (Language language : {Language::English, Language::Chinese}) {
        const std::vector<std::string> items = optionListItems(list, language);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string& item = items[i];
            const bool withoutSeconds =
                item.size() > 1 && item.back() == 's' && text == item.substr(0, item.size() - 1);
            if (equalsIgnoringAsciiCase(text, item) || withoutSeconds)
                return static_cast<int>(i);
        }
    }
    return -1;
}

int setOptions(OptionalFeatures& f, const std::vector<std::string>& assignments)
{
    for (const std::string& assignment : assignments) {
        const std::size_t eq = assignment.find('=');
        if (eq == std::string::npos)
            return fail(kExitUsage, "\"" + assignment + "\" is not NAME=VALUE");
        const std::string name = assignment.substr(0, eq);
        const std::string value = assignment.substr(eq + 1);
        const std::string key = optionNameKey(name);
        auto refuse = [&](const std::string& what) {
            return fail(kExitFailure, "\"" + value + "\" is not a value of " + what + "; nothing saved");
        };
        OptionList list{};
        if (key == optionNameKey(kTransmitDelayName)) {
            const TransmitDelayReading typed = readTransmitDelay(value);
            if (typed.result == TransmitDelayTyped::NotANumber)
                return fail(kExitFailure, "\"" + value +
                                              "\" is not a number of seconds: write it with a point as "
                                              "the decimal separator, such as 2.5 (or Off); nothing saved");
            if (typed.result == TransmitDelayTyped::NotAllowed)
                return refuse(std::string(kTransmitDelayName) +
                              " (Off, or 0.1 to 180.0 seconds in steps of 0.1)");
            f.transmitDelay = transmitDelayText(typed.tenths, Language::English);
        } else if (key == optionNameKey(kBeepName) || key == optionNameKey(kBatterySaverName)) {
            bool on = false;
            if (!parseSwitch(value, on))
                return refuse(name + " (on or off)");
            (key == optionNameKey(kBeepName) ? f.beep : f.batterySaver) = on;
        } else if (optionListByName(name, list)) {
            const int position = listPosition(list, value);
            if (position < 0)
                return refuse(optionListName(list));
            f.position(list) = position;
        } else {
            return fail(kExitUsage, "no option \"" + name + "\"; see qx260-cli options --help");
        }
    }
    return kExitOk;
}

int runOptions(const ParsedArgs& args)
{
    const EditOptions options = editOptionsFrom(args);
    if (options.json && !options.words.empty())
        return fail(kExitUsage, "--json only goes with showing the options");
    if (!setUpProcessValues(options))
        return kExitFailure;
    const Language language = processValues().language();

    // From the read to the save, no other edit comes between.
    FileLock lock;
    if (const int code = options.words.empty() ? kExitOk : lockForEdit(options.file, lock); code != kExitOk)
        return code;
    RadioImage image;
    if (const int code = loadDocument(options.file, image); code != kExitOk)
        return code;
    OptionalFeatures features = loadOptionalFeatures(image, language);
    if (options.words.empty())
        return printOptions(features, language, options.json);

    if (const int code = setOptions(features, options.words); code != kExitOk)
        return code;
    storeOptionalFeatures(features, image);
    return saveDocument(options.file, image);
}

} // namespace

const CommandRegistrar kOptionsCommand({
    .name = "options",
    .summary = "show or set the optional features as their dialog does",
    .arguments = {{"FILE.dat"}, {"NAME=VALUE", Count::ZeroOrMore}},
    .options =
        {
            {.name = "--json", .help = "show the optional features as one JSON object (not with NAME=VALUE)"},
            languageOption(),
            configOption(),
            {.name = "--variant",
             .value = "N",
             .choices = {"0", "1", "2"},
             .help = "radio variant 0, 1 or 2, as set takes it; the optional features are the same for "
                     "every variant"},
        },
    .description =
        "Without NAME=VALUE, prints the optional features of the document as the Optional\n"
        "Features dialog shows them (\"(none)\" / null where a stored value is one the dialog\n"
        "cannot show). With NAME=VALUE, sets them as the dialog's OK stores them and saves the\n"
        "document. Names (any letter case; blanks and dashes optional):\n"
        "  \"Time Out Time\" (15s .. 600s), \"Squelch Level\" (0 .. 9),\n"
        "  \"Transmit Delay\" (Off, or 0.1 .. 180.0 seconds in steps of 0.1), \"Side Key\" (None, Monitor,\n"
        "  Monitor Momentary, Power select), Beep and \"Battery Saver\" (on, off),\n"
        "  \"Priority Channel\" (Off, 1 .. 16), VOX (On, Off), \"Vox Gain Level\" (1 .. 8),\n"
        "  \"Voice Annunciation\" (Off, Chinese, English),\n"
        "  \"Vox Delay Time\" (0.3s, 0.5s, 1.0s, 1.5s, 2.0s, 3.0s).\n"
        "Values are the dialog's texts in English or Chinese; a trailing \"s\" may be left out.\n"
        "A stored byte the dialog cannot show keeps its value unless its option is changed.",
    .notes = "On any refused value nothing is saved and the exit code is 1.",
    .run = runOptions,
});

} // namespace qx260::cli
