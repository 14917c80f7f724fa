#pragma once
// The language the program speaks, fixed at start-up by "Setup"/"Language" in Program.ini:
// Chinese exactly when that value is "Chinese", English for anything else. Texts that come
// in two forms are chosen by it.

namespace qx260
{

enum class Language { English, Chinese };

constexpr Language languageOf(bool chinese)
{
    return chinese ? Language::Chinese : Language::English;
}

constexpr bool isChinese(Language language)
{
    return language == Language::Chinese;
}

} // namespace qx260
