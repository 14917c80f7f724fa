#pragma once
// Backups of a radio's memory taken before it is written, under the one name the programs
// give them: radio-PORT-YYYYMMDD-HHMMSS.dat in a folder the user chose, the port being the
// last part of its name (COM3, ttyUSB0) and the time the local time of the backup. A second
// backup of the same port in the same second gets "-2", "-3", ... before ".dat"; no backup
// ever takes the place of a file that is there.

#include <mutex>
#include <set>
#include <string>

#include "core/radio/RadioImage.h"

namespace qx260::link
{

// What keeping a backup came to: the file it was kept in, or why it could not be kept.
struct BackupKept {
    std::string name;           // the file (also the one that could not be written)
    bool folderMissing = false; // the folder is not there (any more): nothing was tried
    std::string reason;         // why the file could not be written, in the system's words
    bool ok() const { return !folderMissing && reason.empty(); }
};

// A local date and time, to the second.
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
LocalTime localTimeNow();

// "COM3" for "COM3", "\\.\COM12" -> "COM12", "/dev/ttyUSB0" -> "ttyUSB0": the last part of
// a port's name, with anything but letters, digits, '.', '_' and '-' as '_'.
std::string portFileNamePart(const std::string& port);

// "radio-COM3-20240611-142501.dat"; number 2 and up add "-2", "-3", ... before ".dat".
std::string backupFileName(const std::string& port, const LocalTime& time, int number = 1);

// The backups of one folder. Safe to use from several threads at once: two radios never
// get the same name, even in the same second.
class BackupFolder
{
  public:
    explicit BackupFolder(std::string folder) : folder_(std::move(folder)) {}

    // Saves `memory` (a document of the radio's memory) as a new file in the folder, whole
    // or not at all.
    BackupKept keep(const std::string& port, const RadioImage& memory,
                    const LocalTime& time = localTimeNow());

  private:
    std::mutex mutex_;
    std::string folder_;
    std::set<std::string> taken_;
};

} // namespace qx260::link
