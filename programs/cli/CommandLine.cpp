// The command registry, the parser that reads a command line by a command's declaration,
// the near-miss suggestions of its errors, and the help texts made from the declarations.

#include "programs/cli/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/config/AsciiText.h"

namespace qx260::cli
{

namespace
{

std::vector<Command>& registry()
{
    static std::vector<Command> all;
    return all;
}

constexpr std::size_t kLineWidth = 79;

// The help options every command understands; main() answers them before parsing.
const Option kHelpOption{.name = "--help", .alias = "-h", .help = "show this help and exit"};

// Edits that turn one word into the other, a swap of two neighbours counting as one.
std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// The candidate closest to `word`, when it is close enough to be a slip of the fingers
// (at most two edits, and at most one in three letters); empty otherwise.
std::string nearest(const std::string& word, const std::vector<std::string>& candidates)
{
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& candidate : candidates) {
        if (word.size() > candidate.size() + 2 || candidate.size() > word.size() + 2)
            continue; // more than two edits apart
        const std::size_t distance = editDistance(word, candidate);
        if (distance < bestDistance && distance * 3 <= candidate.size()) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

std::string seeHelp(const std::string& commandName)
{
    return "qx260-cli " + commandName + " --help.";
}

// "0, 1 or 2"
std::string choiceList(const std::vector<std::string>& choices, const char* last)
{
    std::string text;
    for (std::size_t i = 0; i < choices.size(); ++i)
        text += (i == 0 ? "" : i + 1 == choices.size() ? last : ", ") + choices[i];
    return text;
}

const Option* findOption(const Command& command, const std::string& name)
{
    for (const Option& option : command.options)
        if (name == option.name || (option.alias && name == option.alias))
            return &option;
    return nullptr;
}

std::string unknownOption(const Command& command, const std::string& given, const std::string& name)
{
    std::vector<std::string> names{kHelpOption.name, kHelpOption.alias};
    for (const Option& option : command.options) {
        names.push_back(option.name);
        if (option.alias)
            names.push_back(option.alias);
    }
    const std::string close = nearest(name, names);
    if (close.empty())
        return "unknown option \"" + given + "\"; see " + seeHelp(command.name);
    return "unknown option \"" + given + "\"; did you mean \"" + close + "\"? See " + seeHelp(command.name);
}

// The option as it stands in a usage line: "-o FILE", "--variant 0|1|2", "--port PORT...".
std::string usageWord(const Option& option)
{
    std::string word = option.name;
    if (option.value && option.choices.empty()) {
        word += std::string(" ") + option.value;
    } else if (option.value) {
        word += ' ';
        for (std::size_t i = 0; i < option.choices.size(); ++i)
            word += (i == 0 ? "" : "|") + option.choices[i];
    }
    return option.repeats ? word + "..." : word;
}

// The usage line's words: the options a command needs, its arguments, the other options.
std::vector<std::string> usageWords(const Command& command)
{
    std::vector<std::string> words{"qx260-cli", command.name};
    for (const Option& option : command.options)
        if (option.required)
            words.push_back(usageWord(option));
    int open = 0; // optional arguments nest: [A [B]]
    for (const Argument& argument : command.arguments) {
        const std::string name = argument.name;
        switch (argument.count) {
        case Count::One:
            words.push_back(name);
            break;
        case Count::Optional:
            words.push_back("[" + name);
            ++open;
            break;
        case Count::OneOrMore:
            words.push_back(name + "...");
            break;
        case Count::ZeroOrMore:
            words.push_back("[" + name + "...]");
            break;
        }
    }
    if (open > 0)
        words.back() += std::string(static_cast<std::size_t>(open), ']');
    for (const Option& option : command.options)
        if (!option.required) {
            std::string word(1, '[');
            word += usageWord(option);
            word += ']';
            words.push_back(word);
        }
    return words;
}

// Words filled into lines of kLineWidth; lines after the first start with `indent`.
std::string fill(const std::vector<std::string>& words, std::size_t firstColumn, const std::string& indent)
{
    std::string text;
    std::size_t column = firstColumn;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0 && column + 1 + words[i].size() > kLineWidth) {
            text += "\n" + indent;
            column = indent.size();
        } else if (i > 0) {
            text += ' ';
            ++column;
        }
        text += words[i];
        column += words[i].size();
    }
    return text;
}

std::vector<std::string> wordsOf(const std::string& text)
{
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = text.find_first_not_of(' ', at);
        if (start == std::string::npos)
            break;
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

// An option's spellings, the short one first: "-o", "--output".
std::vector<const char*> spellings(const Option& option)
{
    if (!option.alias)
        return {option.name};
    if (std::string_view(option.alias).size() < std::string_view(option.name).size())
        return {option.alias, option.name};
    return {option.name, option.alias};
}

// "  -o, --output FILE  help text, wrapped under itself"
std::string optionList(const std::vector<const Option*>& options)
{
    const auto term = [](const Option& o) {
        std::string names;
        for (const char* name : spellings(o))
            names += (names.empty() ? "" : ", ") + std::string(name);
        return "  " + names + (o.value ? std::string(" ") + o.value : std::string());
    };
    constexpr std::size_t kMostColumn = 24; // a longer term puts its text on the next line
    std::size_t column = 0;
    for (const Option* o : options)
        if (term(*o).size() + 2 <= kMostColumn)
            column = std::max(column, term(*o).size() + 2);
    std::string text;
    for (const Option* o : options) {
        std::string line = term(*o);
        if (line.size() + 2 > column) {
            text += line + "\n";
            line.clear();
        }
        line.resize(column, ' ');
        text += line + fill(wordsOf(o->help), column, std::string(column, ' ')) + "\n";
    }
    return text;
}

// Text inside a roff line: backslashes and hyphens escaped.
std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\\' ? "\\e" : c == '-' ? "\\-" : std::string(1, c);
    return out;
}

// A help text as roff input. Its paragraphs are filled; an indented block keeps its items
// apart: "- text" a bullet, "term  text" a tagged paragraph, anything else an indented
// paragraph, each with the more deeply or equally indented lines after it as its text.
std::string roffLines(const std::string& text)
{
    std::string out;
    bool inBlock = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos) {
            out += ".PP\n";
            inBlock = false;
            continue;
        }
        std::string words = line.substr(indent);
        const bool bullet = words.rfind("- ", 0) == 0;
        const std::size_t gap = words.find("  ");
        const bool tagged = !bullet && gap != std::string::npos && words.find(' ') == gap;
        if (indent > 0 && (!inBlock || bullet || tagged)) {
            if (bullet) {
                out += ".IP \\- 4\n";
                words = words.substr(2);
            } else if (tagged) {
                out += ".TP\n" + escaped(words.substr(0, gap)) + "\n";
                words = words.substr(words.find_first_not_of(' ', gap));
            } else {
                out += ".IP \"\" 4\n";
            }
            inBlock = true;
        } else if (indent == 0 && inBlock) {
            out += ".PP\n";
            inBlock = false;
        }
        out += (words[0] == '.' || words[0] == '\'' ? "\\&" : "") + escaped(words) + "\n";
    }
    return out;
}

} // namespace

const std::string* ParsedArgs::option(const std::string& name) const
{
    const auto it = values.find(name);
    return it == values.end() || it->second.empty() ? nullptr : &it->second.back();
}

const std::vector<std::string>& ParsedArgs::all(const std::string& name) const
{
    static const std::vector<std::string> none;
    const auto it = values.find(name);
    return it == values.end() ? none : it->second;
}

CommandRegistrar::CommandRegistrar(const Command& command)
{
    registry().push_back(command);
}

int fail(int code, const std::string& message)
{
    std::fprintf(stderr, "qx260-cli: %s\n", message.c_str());
    return code;
}

bool wantsHelp(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a == "--help" || a == "-h")
            return true;
    return false;
}

bool parseCommandLine(const Command& command, const std::vector<std::string>& args, ParsedArgs& parsed,
                      std::string& error)
{
    const auto refuse = [&](const std::string& message) {
        error = message + "; see " + seeHelp(command.name);
        return false;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            parsed.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = a;
        const std::string* inlineValue = nullptr;
        std::string joined;
        if (const std::size_t eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            joined = a.substr(eq + 1);
            inlineValue = &joined;
        }
        const Option* option = findOption(command, name);
        if (!option) {
            error = unknownOption(command, a, name);
            return false;
        }
        if (!option->value) {
            if (inlineValue)
                return refuse(name + " takes no value");
            parsed.flags.insert(option->name);
            continue;
        }
        if (!inlineValue && i + 1 >= args.size())
            return refuse(name + " needs a value (" + option->value + ")");
        std::string value = inlineValue ? *inlineValue : args[++i];
        if (!option->choices.empty()) {
            const auto match =
                std::find_if(option->choices.begin(), option->choices.end(),
                             [&](const std::string& c) { return equalsIgnoringAsciiCase(c, value); });
            if (match == option->choices.end())
                return refuse(name + " takes " + choiceList(option->choices, " or ") + ", not \"" + value +
                              "\"");
            value = *match;
        }
        std::vector<std::string>& given = parsed.values[option->name];
        if (!given.empty() && option->once)
            return refuse(std::string(option->name) + " may be given only once");
        if (!option->repeats)
            given.clear(); // as everywhere on command lines: the last one counts
        given.push_back(value);
    }

    // The arguments in their declared order; optional and repeating ones come last.
    std::size_t at = 0;
    bool open = false; // the last one takes any number
    for (const Argument& argument : command.arguments) {
        const bool needed = argument.count == Count::One || argument.count == Count::OneOrMore;
        if (needed && at >= parsed.positional.size())
            return refuse(std::string("no ") + argument.name + " given");
        open = argument.count == Count::OneOrMore || argument.count == Count::ZeroOrMore;
        if (at < parsed.positional.size())
            ++at;
    }
    if (!open && at < parsed.positional.size())
        return refuse("unexpected argument \"" + parsed.positional[at] + "\"");
    for (const Option& option : command.options)
        if (option.required && !parsed.has(option.name))
            return refuse("no " + std::string(option.name) + " " + option.value + " given");
    return true;
}

const Command* findCommand(const std::string& name)
{
    for (const Command& c : registry())
        if (name == c.name)
            return &c;
    return nullptr;
}

const std::vector<Command>& registeredCommands()
{
    return registry();
}

std::string unknownCommandMessage(const std::string& name)
{
    std::vector<std::string> names;
    for (const Command& c : registry())
        names.push_back(c.name);
    const std::string close = nearest(name, names);
    if (close.empty())
        return "unknown command \"" + name + "\"; see qx260-cli --help.";
    return "unknown command \"" + name + "\"; did you mean \"" + close + "\"? See qx260-cli --help.";
}

int usageError(const std::string& commandName, const std::string& message)
{
    return fail(kExitUsage, message + "; see " + seeHelp(commandName));
}

std::string overviewText()
{
    std::string text = "Usage: qx260-cli COMMAND [ARGUMENTS...]\n"
                       "\n"
                       "Programs the QX-260 hand-held radio and edits its *.dat documents.\n"
                       "\n"
                       "Commands:\n";
    // The name in a column of its own, so that the list reads as a table (and help2man
    // keeps one entry per command in the man page).
    for (const Command& c : registry()) {
        std::string line = std::string("  ") + c.name;
        line.resize(12, ' ');
        text += line + c.summary + "\n";
    }
    text += "\n"
            "Run \"qx260-cli COMMAND --help\" for the details of a command.\n"
            "\n"
            "Options:\n"
            "  -h, --help     show this help and exit\n"
            "  --version      show the version and exit\n"
            "\n"
            "Files:\n"
            "  Program.ini    product types, bands and texts: the one the desktop program\n"
            "                 uses (beside the program in its build folder; installed, the\n"
            "                 shipped /usr/share/qx260/Program.ini, under the prefix\n"
            "                 installed to, with the language from the user's own one in\n"
            "                 $XDG_CONFIG_HOME/qx260/ when there is one). --config names\n"
            "                 another.\n"
            "\n"
            "Exit codes: 0 success, 1 failure, 2 data format error, 64 wrong usage.\n";
    return text;
}

std::string helpText(const Command& command)
{
    const std::string lead = "Usage: ";
    const std::vector<std::string> words = usageWords(command);
    // Continued lines start under the first argument.
    const std::string indent(lead.size() + words[0].size() + 1 + words[1].size() + 1, ' ');
    std::string text = lead + fill(words, lead.size(), indent) + "\n\n" + command.description + "\n";
    std::vector<const Option*> options;
    for (const Option& option : command.options)
        options.push_back(&option);
    options.push_back(&kHelpOption);
    text += "\nOptions:\n" + optionList(options);
    if (command.notes && *command.notes)
        text += std::string("\n") + command.notes + "\n";
    return text;
}

std::string manSection()
{
    std::string text = "[COMMANDS]\n";
    const auto bold = [](const std::string& t) {
        return std::string("\\fB").append(escaped(t)).append("\\fR");
    };
    for (const Command& c : registry()) {
        text += ".SS " + std::string(c.name) + "\n" + roffLines(c.summary) + ".PP\n";
        const std::vector<std::string> words = usageWords(c);
        text += bold(words[0] + " " + words[1]);
        for (std::size_t i = 2; i < words.size(); ++i)
            text.append(" ").append(escaped(words[i]));
        text += "\n.PP\n" + roffLines(c.description);
        for (const Option& o : c.options) {
            text += ".TP\n";
            for (const char* name : spellings(o))
                text.append(name == spellings(o).front() ? "" : ", ").append(bold(name));
            if (o.value)
                text.append(" \\fI").append(escaped(o.value)).append("\\fR");
            text.append("\n").append(roffLines(o.help));
        }
        if (c.notes && *c.notes)
            text.append(".PP\n").append(roffLines(c.notes));
    }
    return text;
}

} // namespace qx260::cli
