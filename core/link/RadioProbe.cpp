// Port states and the radio probe: the handshake of the protocol engine run once on a port
// opened for the purpose, and the words both front ends use for what they found.

#include "core/link/RadioProbe.h"

#include "core/config/Texts.h"
#include "core/link/ProtocolEngine.h"

namespace qx260::link
{

std::string portStatusText(const PortStatus& status, Language language)
{
    switch (status.state) {
    case PortState::NoDevice:
        return textOf(Text::PortNoDevice, language);
    case PortState::Absent:
        return textOf(Text::PortAbsent, language);
    case PortState::NoPermission:
        return formatText(Text::PortNoPermission, language,
                          {status.group.empty() ? "dialout" : status.group});
    case PortState::InUse:
        return status.reason.empty()
                   ? textOf(Text::PortInUse, language)
                   : std::string(textOf(Text::PortInUse, language)) + " (" + status.reason + ")";
    case PortState::Free:
        return textOf(Text::PortFree, language);
    }
    return {};
}

const char* portStateKey(PortState state)
{
    switch (state) {
    case PortState::NoDevice:
        return "no-device";
    case PortState::Absent:
        return "absent";
    case PortState::NoPermission:
        return "no-permission";
    case PortState::InUse:
        return "in-use";
    case PortState::Free:
        return "free";
    }
    return "?";
}

ProbeAnswer probeRadio(SerialLink& link, const std::string& device,
                       const std::function<bool()>& cancelRequested)
{
    ProbeAnswer answer;
    if (const LinkResult opened = link.open(device); !opened.ok()) {
        answer.result = ProbeResult::CannotOpen;
        answer.reason = opened.reason;
        return answer;
    }
    TransferControl control;
    control.cancelRequested = cancelRequested; // no communicationError: one attempt only
    TransferOutcome outcome;
    const bool ready = readHandshake(link, outcome, control);
    link.close();
    if (ready) {
        answer.result = ProbeResult::Radio;
        answer.variant = outcome.radioVariant();
    } else if (outcome.ending == TransferEnding::TypeMismatch) {
        answer.result = ProbeResult::OtherRadio;
    } else if (outcome.ending == TransferEnding::Cancelled) {
        answer.result = ProbeResult::Cancelled;
    } else {
        answer.result = ProbeResult::NoAnswer;
        answer.reason = outcome.reason;
    }
    return answer;
}

std::string probeAnswerText(const ProbeAnswer& answer, Language language)
{
    switch (answer.result) {
    case ProbeResult::Radio:
        return formatText(Text::ProbeRadio, language, {std::to_string(answer.variant)});
    case ProbeResult::OtherRadio:
        return textOf(Text::ProbeOtherRadio, language);
    case ProbeResult::NoAnswer:
        return textOf(Text::ProbeNoAnswer, language);
    case ProbeResult::CannotOpen:
        return formatText(Text::ProbeCannotOpen, language, {answer.reason});
    case ProbeResult::Cancelled:
        return textOf(Text::ProbeCancelled, language);
    }
    return {};
}

const char* probeResultKey(ProbeResult result)
{
    switch (result) {
    case ProbeResult::Radio:
        return "radio";
    case ProbeResult::OtherRadio:
        return "other-radio";
    case ProbeResult::NoAnswer:
        return "no-answer";
    case ProbeResult::CannotOpen:
        return "cannot-open";
    case ProbeResult::Cancelled:
        return "cancelled";
    }
    return "?";
}

} // namespace qx260::link
