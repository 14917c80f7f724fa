#pragma once
// The per-user device overrides of COM numbers ("Ports/COMn" in the per-user
// settings file) and the mapping a real run uses.

#include <optional>
#include <string>

#include "core/config/FileAccess.h"
#include "core/link/PortNaming.h"

namespace qx260::link
{

// Environment (QX260_PORT_COMn), then "Ports/COMn" of the per-user settings file,
// then the built-in table.
PortMapping systemPortMapping();

std::optional<std::string> portOverride(int number);
// Sets (or with an empty device removes) the override; the reason when it could not be
// stored.
FileResult setPortOverride(int number, const std::string& device);

} // namespace qx260::link
