// Program.ini and the language set up, the per-user store opened and checked, files
// locked for editing, and the channel table prepared.

#include "programs/cli/CliContext.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/channels/ChannelTable.h"
#include "core/config/AsciiText.h"
#include "core/config/InstallLayout.h"
#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/FrequencyCheck.h"
#include "platform/InstallPaths.h"
#include "platform/QSettingsUserStore.h"
#include "programs/cli/Command.h"
#include "res/ResourceIds.h"

namespace qx260::cli
{

std::string defaultConfigurationPath()
{
    return locateConfiguration(executableDirectory(), UserCopy::ReadOnly).path;
}

std::string emptyBandNote(const ProcessValues& values)
{
    const std::string& file = values.configurationStore.filePath();
    if (file.empty()) {
        const std::string directory = executableDirectory();
        return "The band is empty: no Program.ini was found beside the program (" + directory + ") or in " +
               installedDataDirectory(directory) + "; name one with --config.";
    }
    return "The band is empty: the configuration " + file +
           " names no band for this document's product type ([Setup] Field1, Field2, ...); name another "
           "with --config.";
}

std::string systemReason(int errorNumber)
{
    return std::strerror(errorNumber);
}

bool isStandardInput(const std::string& path)
{
    return path == "-";
}

std::string inputName(const std::string& path)
{
    return isStandardInput(path) ? std::string("standard input") : path;
}

FileReadResult readStandardInput(std::size_t maxBytes)
{
    static bool read = false;
    FileReadResult result;
    if (read) {
        result.failed = true;
        result.reason = "standard input can be read only once";
        return result;
    }
    read = true;
    char buffer[65536];
    while (result.bytes.size() <= maxBytes) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, stdin);
        result.bytes.insert(result.bytes.end(), buffer, buffer + n);
        if (n < sizeof buffer)
            break;
    }
    if (std::ferror(stdin)) {
        const int error = errno;
        result = FileReadResult{};
        result.failed = true;
        result.reason = systemReason(error != 0 ? error : EIO);
    } else if (result.bytes.size() > maxBytes) {
        result.bytes.clear();
        result.failed = true;
        result.kind = FileResult::Kind::TooLarge;
        result.reason = "more than " + std::to_string(maxBytes / 1024) + " KiB";
    }
    return result;
}

DocumentResult loadDocumentInput(const std::string& path, RadioImage& image)
{
    if (!isStandardInput(path))
        return loadDatFile(path, image);
    DocumentResult result;
    const FileReadResult input = readStandardInput();
    if (!input.ok()) {
        result.error = DocumentError::OpenFailed;
        result.reason = input.reason;
        return result;
    }
    RadioImage fresh;
    result = parseDat(input.bytes, fresh);
    if (result.ok())
        image = fresh;
    return result;
}

bool loadConfiguration(ProcessValues& values, const std::string& configPath, std::string& error)
{
    values.executableDirectory = executableDirectory();
    ConfigurationChoice choice;
    if (configPath.empty())
        choice = locateConfiguration(executableDirectory(), UserCopy::ReadOnly);
    else
        choice.path = configPath;
    const std::string& path = choice.path;

    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec) {
        if (ec == std::errc::no_such_file_or_directory && configPath.empty()) {
            // The program would start on defaults; a command line tool only reading
            // must not leave a new file behind.
            values.deriveLanguageValues();
            return true;
        }
        error = "cannot open configuration file " + path + ": " + ec.message();
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        error = "cannot open configuration file " + path + ": " + systemReason(EISDIR);
        return false;
    }
    // Installed, the user's own file (the language choice) over the shipped one.
    std::string failedPath;
    if (const FileResult loaded = values.loadConfiguration(choice, false, &failedPath); !loaded.ok()) {
        error = "cannot read configuration file " + failedPath + ": " + loaded.reason;
        return false;
    }
    values.deriveLanguageValues();
    return true;
}

bool setLanguage(ProcessValues& values, const std::string& languageName)
{
    if (languageName != "English" && languageName != "Chinese")
        return false;
    values.languageName = languageName;
    values.setLanguage(languageName == "Chinese" ? Language::Chinese : Language::English);
    values.helpFileName = isChinese(values.language()) ? "chHelp.chm" : "enHelp.chm";
    return true;
}

std::unique_ptr<UserStore> openUserStore()
{
    return std::make_unique<QSettingsUserStore>();
}

int checkUserSettings()
{
    const QString file = userSettingsFile();
    if (const FileResult checked = checkUserSettingsFile(file); !checked.ok())
        return fail(kExitFailure, "cannot use the settings file " + file.toStdString() + ": " +
                                      checked.reason + "; name another one with QX260_SETTINGS");
    return kExitOk;
}

int lockForEdit(const std::string& path, FileLock& lock, MissingFile missing)
{
    if (const FileResult locked = lock.lock(path, missing); !locked.ok())
        return fail(kExitFailure, "cannot change " + path + ": " + locked.reason + "; nothing was changed");
    return kExitOk;
}

bool sameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(a, b, error) && !error)
        return true;
    // A file still to be made: where it would be, with links in the folders followed.
    const auto place = [](const std::string& path) {
        std::error_code e;
        const fs::path absolute = fs::absolute(path, e);
        if (e)
            return fs::path(path).lexically_normal();
        const fs::path resolved = fs::weakly_canonical(absolute, e);
        return e ? absolute.lexically_normal() : resolved;
    };
    return place(a) == place(b);
}

void setUpTable(ChannelTable& table, Language language)
{
    for (int c = 0; c < table.cols(); ++c)
        table.setTextMatrix(0, c, columnHeader(c, language));
    for (int r = 1; r < table.rows(); ++r) {
        char number[12];
        std::snprintf(number, sizeof number, "%2d", r);
        table.setTextMatrix(r, 0, number);
    }
}

bool parseVariant(const std::string& text, int& variant)
{
    if (text != "0" && text != "1" && text != "2")
        return false;
    variant = text[0] - '0';
    return true;
}

} // namespace qx260::cli
