// Backup names, and keeping a backup under a name no other file has.

#include "core/link/RadioBackup.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "core/radio/CProgramDoc.h"

namespace qx260::link
{

LocalTime localTimeNow()
{
    // std::localtime hands out one buffer for the process: one caller at a time.
    static std::mutex clock;
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::lock_guard<std::mutex> lock(clock);
    const std::tm* local = std::localtime(&now);
    if (!local)
        return {};
    return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
            local->tm_hour,        local->tm_min,     local->tm_sec};
}

std::string portFileNamePart(const std::string& port)
{
    const std::size_t separator = port.find_last_of("/\\");
    std::string name = port.substr(separator == std::string::npos ? 0 : separator + 1);
    for (char& c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '.' || c == '_' || c == '-';
        if (!plain)
            c = '_';
    }
    return name.empty() || name[0] == '.' ? "port" + name : name;
}

std::string backupFileName(const std::string& port, const LocalTime& time, int number)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", time.year % 10000, time.month % 100,
                  time.day % 100, time.hour % 100, time.minute % 100, time.second % 100);
    std::string name = "radio-" + portFileNamePart(port) + "-" + stamp;
    if (number > 1) {
        name += '-';
        name += std::to_string(number);
    }
    return name + ".dat";
}

BackupKept BackupFolder::keep(const std::string& port, const RadioImage& memory, const LocalTime& time)
{
    namespace fs = std::filesystem;
    BackupKept kept;
    std::error_code error;
    if (!fs::is_directory(folder_, error)) {
        kept.folderMissing = true;
        return kept;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (int number = 1;; ++number) {
            kept.name = (fs::path(folder_) / backupFileName(port, time, number)).string();
            if (taken_.count(kept.name) == 0 && !fs::exists(kept.name, error))
                break;
        }
        taken_.insert(kept.name);
    }
    const DocumentResult saved = saveDatFile(kept.name, memory);
    if (!saved.ok())
        kept.reason = saved.reason.empty() ? "the file could not be written" : saved.reason;
    return kept;
}

} // namespace qx260::link
