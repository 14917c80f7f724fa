// The radio probe on the in-process radio: what each kind of port answers, that the probe
// asks once and never transfers a block, and the words the front ends show for it.

#include <gtest/gtest.h>

#include <functional>

#include "core/link/RadioProbe.h"
#include "tests/support/FakeRadioLink.h"

using namespace qx260;
using namespace qx260::link;
using qx260::test::FakeRadioLink;

TEST(RadioProbe, EachKindOfPortAnswersAsItIs)
{
    struct Row {
        const char* name;
        std::function<void(FakeRadioLink&)> setUp;
        ProbeResult result;
        int variant;
        const char* text;
    };
    const Row rows[] = {
        {"radio, variant 1", [](FakeRadioLink&) {}, ProbeResult::Radio, 1, "QX-260 answers, radio variant 1"},
        {"radio, variant 2", [](FakeRadioLink& l) { l.radio.identity.variantByte = 0xF5; },
         ProbeResult::Radio, 2, "QX-260 answers, radio variant 2"},
        {"unknown variant", [](FakeRadioLink& l) { l.radio.identity.variantByte = 0x00; }, ProbeResult::Radio,
         0, "QX-260 answers, radio variant 0"},
        {"another radio",
         [](FakeRadioLink& l) { l.radio.faults.identReply = Bytes{'P', '1', '2', '0', '7', 0, 0, 0xFF}; },
         ProbeResult::OtherRadio, 0, "another radio answers"},
        {"silent", [](FakeRadioLink& l) { l.radio.faults.silent = true; }, ProbeResult::NoAnswer, 0,
         "no answer"},
        // One attempt only: a radio that would answer the second handshake counts as silent.
        {"radio still off", [](FakeRadioLink& l) { l.radio.faults.unansweredHandshakes = 1; },
         ProbeResult::NoAnswer, 0, "no answer"},
        {"refused acknowledgement", [](FakeRadioLink& l) { l.radio.faults.badHandshakeAcks = 1; },
         ProbeResult::NoAnswer, 0, "no answer"},
        {"port does not open", [](FakeRadioLink& l) { l.refuseOpen = true; }, ProbeResult::CannotOpen, 0,
         "cannot open: "},
    };
    for (const Row& row : rows) {
        FakeRadioLink link;
        row.setUp(link);
        const ProbeAnswer answer = probeRadio(link, "/dev/ttyUSB0");
        EXPECT_EQ(answer.result, row.result) << row.name;
        EXPECT_EQ(answer.variant, row.variant) << row.name;
        EXPECT_EQ(probeAnswerText(answer, Language::English).rfind(row.text, 0), 0u)
            << row.name << ": " << probeAnswerText(answer, Language::English);
        EXPECT_FALSE(link.isOpen()) << row.name << ": the port is let go";
        EXPECT_LE(link.radio.handshakes, 1) << row.name;
        EXPECT_TRUE(link.radio.readAddresses.empty() && link.radio.writeAddresses.empty()) << row.name;
        EXPECT_FALSE(link.radio.memoryChanged) << row.name;
    }
}

TEST(RadioProbe, ACancelEndsItBeforeAnyByte)
{
    FakeRadioLink link;
    const ProbeAnswer answer = probeRadio(link, "/dev/ttyUSB0", [] { return true; });
    EXPECT_EQ(answer.result, ProbeResult::Cancelled);
    EXPECT_TRUE(link.sentBytes().empty());
    EXPECT_FALSE(link.isOpen());
}

TEST(PortStatusText, SaysWhatToDo)
{
    struct Row {
        PortStatus status;
        const char* english;
    };
    const Row rows[] = {
        {{PortState::NoDevice, {}, {}}, "no device"},
        {{PortState::Absent, {}, {}}, "absent"},
        {{PortState::NoPermission, "uucp", {}},
         "no permission: sudo usermod -aG uucp $USER, then log in again"},
        // A device owned by root's group: joining that group is no advice; dialout is.
        {{PortState::NoPermission, {}, {}},
         "no permission: sudo usermod -aG dialout $USER, then log in again"},
        {{PortState::InUse, {}, {}}, "in use by another program"},
        {{PortState::InUse, {}, "Input/output error"}, "in use by another program (Input/output error)"},
        {{PortState::Free, {}, {}}, "free"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(portStatusText(row.status, Language::English), row.english);
        EXPECT_FALSE(portStatusText(row.status, Language::Chinese).empty());
    }
}
