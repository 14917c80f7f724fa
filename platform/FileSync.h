#pragma once
// Durable saves: the system calls that push written data to the disk, installed as the
// core's file-sync hook so that a file replaced by the core survives a power cut once the
// save has said it worked.

#include <string>

#include "core/config/FileAccess.h"

namespace qx260
{

// Flushes the file or folder at path to the disk; the system's reason when it cannot.
FileResult syncToDisk(const std::string& path, SyncTarget target);

// Installs syncToDisk for every file the core replaces. Called once at the start of a program.
void installFileSync();

} // namespace qx260
