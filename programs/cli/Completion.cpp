// The bash completion script, written from the registered commands: one case per command
// with its option words, and for each value option what its value completes to.

#include "programs/cli/Completion.h"

#include <algorithm>
#include <string_view>

#include "programs/cli/CommandLine.h"

namespace qx260::cli
{
namespace
{

// What the value of an option completes to, as a bash command filling COMPREPLY.
std::string valueCompletion(const Option& option)
{
    if (!option.choices.empty()) {
        std::string words;
        for (const std::string& choice : option.choices)
            words += (words.empty() ? "" : " ") + choice;
        return "COMPREPLY=($(compgen -W \"" + words + "\" -- \"$cur\"))";
    }
    const std::string_view value = option.value;
    if (value == "P" || value.find("PORT") != std::string_view::npos)
        return "COMPREPLY=($(compgen -W \"COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9 COM10 COM11 COM12 "
               "COM13 COM14 COM15 COM16\" -- \"$cur\"))";
    if (value.find("DIR") != std::string_view::npos || value.find("FOLDER") != std::string_view::npos)
        return "COMPREPLY=($(compgen -d -- \"$cur\"))";
    if (value.find("FILE") != std::string_view::npos || value.find("PATH") != std::string_view::npos ||
        value.find(".dat") != std::string_view::npos || value.find(".csv") != std::string_view::npos)
        return "COMPREPLY=($(compgen -f -- \"$cur\"))";
    return "COMPREPLY=()"; // a number or a text: nothing to offer
}

void addWord(std::string& words, const char* word)
{
    if (word && *word) {
        if (!words.empty())
            words += ' ';
        words += word;
    }
}

} // namespace

std::string bashCompletion()
{
    std::string names;
    for (const Command& command : registeredCommands())
        addWord(names, command.name);
    std::string out = "# bash completion for qx260-cli, made from its commands' declarations.\n"
                      "_qx260_cli()\n"
                      "{\n"
                      "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} options=\n"
                      "    COMPREPLY=()\n"
                      "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
                      "        COMPREPLY=($(compgen -W \"" +
                      names +
                      " --help --version\" -- \"$cur\"))\n"
                      "        return\n"
                      "    fi\n"
                      "    case ${COMP_WORDS[1]} in\n";
    for (const Command& command : registeredCommands()) {
        std::string options = "--help";
        std::string values;
        for (const Option& option : command.options) {
            addWord(options, option.name);
            addWord(options, option.alias);
            if (!option.value)
                continue;
            std::string spellings = option.name;
            if (option.alias)
                spellings += std::string("|") + option.alias;
            values += "        " + spellings + ") " + valueCompletion(option) + "; return ;;\n";
        }
        out += "    " + std::string(command.name) + ")\n        options=\"" + options + "\"\n";
        if (!values.empty())
            out += "        case $prev in\n" + values + "        esac\n";
        out += "        ;;\n";
    }
    out += "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "    else\n"
           "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "complete -o filenames -F _qx260_cli qx260-cli\n";
    return out;
}

} // namespace qx260::cli
