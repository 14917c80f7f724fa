#pragma once
// Which port the radio is on. What a port is to the user right now (no device, absent, not
// open to this user, in use, free), and the question a free port is asked to find the
// radio: the opening handshake of a Read (a few bytes out, the identification back, the
// acknowledgements), nothing written. The front ends ask all ports at once, each on a link
// of its own, and list the answers.

#include <functional>
#include <string>

#include "core/config/Language.h"
#include "core/link/SerialLink.h"

namespace qx260::link
{

enum class PortState {
    NoDevice,     // the COM number maps to no device on this system
    Absent,       // its device does not exist now (nothing plugged in)
    NoPermission, // it exists, and this user may not open it
    InUse,        // it exists and could not be opened: another program holds it
    Free,         // it opens
};

struct PortStatus {
    PortState state = PortState::NoDevice;
    std::string group;  // NoPermission: the group that owns the device ("dialout"), if any
    std::string reason; // InUse: the system's words, when there are any
};

// The state in a few words for a user: "free", "absent", "no permission: sudo usermod -aG
// dialout $USER, then log in again", ...
std::string portStatusText(const PortStatus& status, Language language);
// One stable word for a program reading the listing: "free", "absent", "no-permission",
// "in-use", "no-device".
const char* portStateKey(PortState state);

enum class ProbeResult {
    Radio,      // this radio answered and acknowledged
    OtherRadio, // something answered with another identification
    NoAnswer,   // the port opened, nothing answered in time
    CannotOpen, // the port did not open
    Cancelled,
};

struct ProbeAnswer {
    ProbeResult result = ProbeResult::NoAnswer;
    int variant = 0;    // Radio: the radio variant its identification names (1 or 2; 0 unknown)
    std::string reason; // CannotOpen: why
};

// Opens `device` on `link`, runs the opening handshake of a Read once (no retry), closes
// the port. Nothing is written into the radio.
ProbeAnswer probeRadio(SerialLink& link, const std::string& device,
                       const std::function<bool()>& cancelRequested = {});

// The answer in a few words: "QX-260, radio variant 1", "another radio answered",
// "no answer", "cannot open: REASON".
std::string probeAnswerText(const ProbeAnswer& answer, Language language);
// One stable word for a program: "radio", "other-radio", "no-answer", "cannot-open", "cancelled".
const char* probeResultKey(ProbeResult result);

} // namespace qx260::link
