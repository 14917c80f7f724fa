// The careful write of one radio (read first, backup, review, write, verify, Write Again),
// a fleet port's turn built on it, and the backups' names, against the radio model on an
// in-process link. Each row says which sessions the radio saw, where the workflow ended
// and what the radio holds.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>

#include "core/link/FleetWrite.h"
#include "core/radio/CProgramDoc.h"
#include "tests/support/FakeRadioLink.h"

using namespace qx260;
using namespace qx260::link;
using qx260::test::FakeRadioLink;
namespace fs = std::filesystem;

namespace
{

RadioImage documentImage()
{
    RadioImage image = RadioImage::newImage();
    for (std::size_t i = 0; i < offset::TransferEnd; ++i)
        image.setByte(i, static_cast<std::uint8_t>(i * 7 + 1));
    return image;
}

sim::Memory radioMemory()
{
    sim::Memory m;
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = static_cast<std::uint8_t>(i * 13 + 5);
    return m;
}

// A whole Read ('R') or Write ('W') of `image` as the protocol puts it on the wire.
Bytes plainSession(char command, const RadioImage& image)
{
    Bytes bytes = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02, 0x06};
    for (std::size_t address = 0; address < offset::TransferEnd; address += 8) {
        bytes.insert(bytes.end(),
                     {static_cast<std::uint8_t>(command), static_cast<std::uint8_t>(address >> 8),
                      static_cast<std::uint8_t>(address & 0xFF), 8});
        if (command == 'W')
            bytes.insert(bytes.end(), image.bytes().begin() + address, image.bytes().begin() + address + 8);
        else
            bytes.push_back(0x06);
    }
    return bytes;
}

// The sessions on the wire ("RWR"), each checked to be a plain Read or Write of `image`.
std::string sessionsOf(const FakeRadioLink& link, const RadioImage& image)
{
    const Bytes sent = link.sentBytes();
    const Bytes start = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};
    std::vector<std::size_t> starts;
    for (auto at = std::search(sent.begin(), sent.end(), start.begin(), start.end()); at != sent.end();
         at = std::search(at + 1, sent.end(), start.begin(), start.end()))
        starts.push_back(static_cast<std::size_t>(at - sent.begin()));
    std::string kinds;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : sent.size();
        const Bytes session(sent.begin() + starts[k], sent.begin() + end);
        const char kind = session.size() > 10 ? static_cast<char>(session[10]) : '?';
        kinds += kind;
        // A session cut short by a cancel is the start of a plain one.
        const Bytes plain = plainSession(kind, image);
        EXPECT_TRUE(session.size() <= plain.size() &&
                    std::equal(session.begin(), session.end(), plain.begin()))
            << "session " << k << " (" << kind << ") is not a plain one";
    }
    return kinds;
}

// One run of the workflow: what it is asked for, what the radio does, and what comes of it.
struct Row {
    const char* what;
    const char* asks;  // "backup" (kept), "backup-fails", "review" (accepted), "review-declined",
                       // "verify", "again" (Write Again of the backup first.dat)
    const char* radio; // "" a good radio, "silent", "corrupts" (sub-block 2), "short-read" (sub-block
                       // 30), "refuses" (sub-block 40 not acknowledged)
    int cancelAtWriteBlock;
    // What came of it.
    const char* sessions; // as the radio saw them: R a Read, W a Write
    WriteStep step;
    int blocksWritten;
    const char* backupName; // the backup the result names
    const char* verify;     // "" not asked, "verified", "differs", "not read back"
};

bool asks(const Row& row, const char* what)
{
    for (std::string_view rest = row.asks; !rest.empty();) {
        const std::size_t space = rest.find(' ');
        if (rest.substr(0, space) == what)
            return true;
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return false;
}

} // namespace

TEST(WriteWorkflow, StepsEndingsAndWhatTheRadioHolds)
{
    using S = WriteStep;
    const Row rows[] = {
        {"nothing asked: a plain Write", "", "", -1, "W", S::Write, 51, "", ""},
        {"backup", "backup", "", -1, "RW", S::Write, 51, "kept.dat", ""},
        {"backup cannot be kept: nothing written", "backup-fails review verify", "", -1, "R", S::Backup, 0,
         "full/kept.dat", ""},
        {"radio not read first: nothing written", "backup review verify", "silent", -1, "?", S::ReadFirst, 0,
         "", ""},
        {"review declined: nothing written", "backup review-declined verify", "", -1, "R", S::Review, 0,
         "kept.dat", ""},
        {"review accepted", "review", "", -1, "RW", S::Write, 51, "", ""},
        {"verify: the radio holds it", "verify", "", -1, "WR", S::Verify, 51, "", "verified"},
        {"verify: a byte the radio did not keep", "backup verify", "corrupts", -1, "RWR", S::Verify, 51,
         "kept.dat", "differs"},
        {"verify: not read back", "verify", "short-read", -1, "WR", S::Verify, 51, "", "not read back"},
        {"write fails after some blocks", "backup verify", "refuses", -1, "RW", S::Write, 20, "kept.dat", ""},
        {"cancel between blocks: the radio holds the first blocks", "backup review verify", "", 7, "RW",
         S::Write, 7, "kept.dat", ""},
        {"Write Again: no new backup, the first one named", "again backup verify", "corrupts", -1, "WR",
         S::Verify, 51, "first.dat", "differs"},
        {"Write Again with a review: read for it, still no new backup", "again backup review verify", "", -1,
         "RWR", S::Verify, 51, "first.dat", "verified"},
        {"Write Again, cancelled: the first backup named", "again backup", "", 3, "W", S::Write, 3,
         "first.dat", ""},
    };
    const RadioImage image = documentImage();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string radio = row.radio;
        FakeRadioLink link;
        link.radio.memory = radioMemory();
        link.radio.faults.silent = radio == "silent";
        link.radio.faults.corruptWriteAt = radio == "corrupts" ? 2 : -1;
        link.radio.faults.shortReadAt = radio == "short-read" ? 30 : -1;
        link.radio.faults.wrongWriteAckAt = radio == "refuses" ? 40 : -1;
        ASSERT_TRUE(link.open("/dev/ttyUSB0").ok());

        std::vector<RadioImage> backedUp, reviewed;
        std::vector<std::string> stages;
        WriteWorkflow workflow;
        if (asks(row, "backup") || asks(row, "backup-fails"))
            workflow.keepBackup = [&](const RadioImage& radioBefore) {
                backedUp.push_back(radioBefore);
                BackupKept kept;
                kept.name = asks(row, "backup") ? "kept.dat" : "full/kept.dat";
                if (!asks(row, "backup"))
                    kept.reason = "No space left on device";
                return kept;
            };
        if (asks(row, "review") || asks(row, "review-declined"))
            workflow.review = [&](const RadioImage& radioBefore, const RadioImage& toWrite) {
                reviewed.push_back(radioBefore);
                EXPECT_TRUE(toWrite == image);
                return asks(row, "review");
            };
        workflow.verify = asks(row, "verify");
        if (asks(row, "again")) {
            workflow.firstBackup.emplace();
            workflow.firstBackup->name = "first.dat";
        }
        WriteStage running = WriteStage::ReadFirst;
        workflow.stageBegins = [&](WriteStage stage) {
            running = stage;
            stages.push_back("begin");
        };
        workflow.stageEnded = [&](WriteStage, const TransferOutcome&) { stages.push_back("end"); };
        int blocks = 0;
        workflow.control.progress = [&](int position) { blocks = position; };
        workflow.control.cancelRequested = [&] {
            return running == WriteStage::Write && blocks == row.cancelAtWriteBlock;
        };

        const WriteResult result = runWriteWorkflow(link, image, workflow);

        EXPECT_EQ(sessionsOf(link, image), row.sessions);
        EXPECT_EQ(stages.size(), 2 * std::string(row.sessions).size());
        EXPECT_EQ(result.step, row.step);
        EXPECT_EQ(result.blocksWritten(), row.blocksWritten);
        EXPECT_EQ(result.radioHolds(), row.blocksWritten == 0   ? WriteResult::RadioHolds::Unchanged
                                       : row.blocksWritten < 51 ? WriteResult::RadioHolds::FirstBlocks
                                                                : WriteResult::RadioHolds::Everything);
        EXPECT_EQ(result.backup.name, row.backupName);
        const std::string verify = row.verify;
        EXPECT_EQ(result.verified(), verify == "verified");
        EXPECT_EQ(result.readBack.has_value(), verify == "verified" || verify == "differs");
        EXPECT_EQ(result.differences,
                  verify == "differs" ? std::vector<std::size_t>{16} : std::vector<std::size_t>{});
        EXPECT_EQ(result.ok(), result.written() && (!workflow.verify || verify == "verified"));
        EXPECT_EQ(result.cancelled(), row.cancelAtWriteBlock >= 0);
        EXPECT_TRUE(link.isOpen()) << "the port is the caller's";

        // The backup and the review get the radio as it was; only a first run keeps a backup.
        const bool readFirst = row.step != WriteStep::ReadFirst;
        EXPECT_EQ(backedUp.size(), readFirst && workflow.keepBackup && !workflow.firstBackup ? 1u : 0u);
        EXPECT_EQ(reviewed.size(), readFirst && workflow.review && row.step != WriteStep::Backup ? 1u : 0u);
        for (const std::vector<RadioImage>* seen : {&backedUp, &reviewed})
            for (const RadioImage& radioBefore : *seen)
                for (std::size_t i = 0; i < offset::TransferEnd; ++i)
                    ASSERT_EQ(radioBefore.byte(i), radioMemory()[i]) << i;
        // What the radio holds: the written blocks of the image, its own memory after them.
        const std::size_t held = static_cast<std::size_t>(result.blocksWritten()) * 16;
        for (std::size_t i = 0; i < offset::TransferEnd; ++i) {
            if (!result.differences.empty() && i == result.differences[0])
                continue;
            ASSERT_EQ(link.radio.memory[i], i < held ? image.byte(i) : radioMemory()[i]) << i;
        }
    }
}

// However a Write ends, what the radio holds is the image up to the last sub-block it
// acknowledged and its own memory after that, and the words say exactly that.
TEST(WriteWorkflow, WhatEveryEndingLeavesInTheRadio)
{
    const auto first = [](int k, int of) {
        return std::string("the radio now holds the first ") + std::to_string(k) + " of " +
               std::to_string(of) + " blocks of the document";
    };
    const std::string after = " and its earlier memory after them";
    const struct {
        const char* what;
        std::function<void(FakeRadioLink&)> fault;
        int cancelAtBlock;
        int subBlocks; // of the image, now in the radio
        std::string says;
    } rows[] = {
        {"completed", {}, -1, 102, "the radio holds all 51 blocks of the document"},
        {"line drops at a block's first half", [](FakeRadioLink& l) { l.radio.faults.dropAt = 20; }, -1, 20,
         first(10, 51) + after},
        {"line drops at a block's second half", [](FakeRadioLink& l) { l.radio.faults.dropAt = 21; }, -1, 21,
         first(10, 51) + " and the first half of block 11," + after},
        {"line drops late", [](FakeRadioLink& l) { l.radio.faults.dropAt = 65; }, -1, 65,
         first(32, 51) + " and the first half of block 33," + after},
        {"line drops at the last sub-block", [](FakeRadioLink& l) { l.radio.faults.dropAt = 101; }, -1, 101,
         first(50, 51) + " and the first half of block 51," + after},
        {"a second half not acknowledged", [](FakeRadioLink& l) { l.radio.faults.wrongWriteAckAt = 31; }, -1,
         31, first(15, 51) + " and the first half of block 16," + after},
        {"only the first half of block 1", [](FakeRadioLink& l) { l.radio.faults.dropAt = 1; }, -1, 1,
         "the radio now holds the first half of block 1 of the 51 blocks of the document, and its earlier "
         "memory after it"},
        {"line drops at the first sub-block", [](FakeRadioLink& l) { l.radio.faults.dropAt = 0; }, -1, 0,
         "nothing was written to the radio"},
        {"write error on the line", [](FakeRadioLink& l) { l.hangUpAfterWrites = 32; }, -1, 11,
         first(5, 51) + " and the first half of block 6," + after},
        {"silent radio", [](FakeRadioLink& l) { l.radio.faults.silent = true; }, -1, 0,
         "nothing was written to the radio"},
        {"another model",
         [](FakeRadioLink& l) { l.radio.faults.identReply = Bytes{'P', '3', '1', '0', '7', 0, 0, 0xFF}; }, -1,
         0, "nothing was written to the radio"},
        {"handshake refused", [](FakeRadioLink& l) { l.radio.faults.badHandshakeAcks = 1; }, -1, 0,
         "nothing was written to the radio"},
        {"cancelled before the first block", {}, 0, 0, "nothing was written to the radio"},
        {"cancelled between blocks", {}, 7, 14, first(7, 51) + after},
    };
    const RadioImage image = documentImage();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        FakeRadioLink link;
        link.radio.memory = radioMemory();
        if (row.fault)
            row.fault(link);
        ASSERT_TRUE(link.open("/dev/ttyUSB0").ok());
        WriteWorkflow workflow;
        int blocks = 0;
        workflow.control.progress = [&](int position) { blocks = position; };
        workflow.control.cancelRequested = [&] { return blocks == row.cancelAtBlock; };

        const WriteResult result = runWriteWorkflow(link, image, workflow);

        const RadioContents held = result.contents();
        EXPECT_EQ(held.subBlocks, row.subBlocks);
        EXPECT_EQ(contentsAfterWrite(result.outcome).subBlocks, row.subBlocks);
        EXPECT_EQ(result.blocksWritten(), row.subBlocks / 2);
        EXPECT_EQ(radioHoldsText(held, Language::English, Wording::Clause), row.says);
        const std::size_t new_ = static_cast<std::size_t>(row.subBlocks) * 8;
        for (std::size_t i = 0; i < offset::TransferEnd; ++i)
            ASSERT_EQ(link.radio.memory[i], i < new_ ? image.byte(i) : radioMemory()[i]) << i;
    }

    // The same words stand alone as a sentence, in either language.
    EXPECT_EQ(radioHoldsText({21}, Language::English),
              "The radio now holds the first 10 of 51 blocks of the document and the first half of block 11, "
              "and its earlier memory after them.");
    EXPECT_EQ(radioHoldsText({0}, Language::Chinese), "没有向电台写入任何数据。");
}

TEST(RadioBackup, NamesForEveryPort)
{
    const LocalTime time{2024, 6, 11, 14, 25, 1};
    const struct {
        const char* port;
        int number;
        const char* name;
    } cases[] = {
        {"COM3", 1, "radio-COM3-20240611-142501.dat"},
        {"\\\\.\\COM12", 1, "radio-COM12-20240611-142501.dat"},
        {"/dev/ttyUSB0", 2, "radio-ttyUSB0-20240611-142501-2.dat"},
        {"/dev/pts/7", 3, "radio-7-20240611-142501-3.dat"},
        {"/tmp/my radio", 1, "radio-my_radio-20240611-142501.dat"},
        {"/dev/.hidden", 1, "radio-port.hidden-20240611-142501.dat"},
        {"", 1, "radio-port-20240611-142501.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(backupFileName(c.port, time, c.number), c.name) << c.port;
}

// Two radios of one port in one second, a file that is there already, and a folder that is
// gone: every backup is a new file, and none takes the place of another.
TEST(RadioBackup, KeptUnderANameNoOtherFileHas)
{
    const fs::path folder = fs::path(testing::TempDir()) / "backups";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const LocalTime time{2024, 6, 11, 14, 25, 1};
    std::ofstream(folder / "radio-COM1-20240611-142501-2.dat") << "someone else's";
    RadioImage memory = RadioImage::newImage();
    memory.setByte(0x10, 0x42);

    BackupFolder backups(folder.string());
    const BackupKept first = backups.keep("COM1", memory, time);
    const BackupKept second = backups.keep("COM1", memory, time);
    const BackupKept other = backups.keep("COM2", memory, time);
    EXPECT_TRUE(first.ok() && second.ok() && other.ok());
    EXPECT_EQ(first.name, (folder / "radio-COM1-20240611-142501.dat").string());
    EXPECT_EQ(second.name, (folder / "radio-COM1-20240611-142501-3.dat").string());
    EXPECT_EQ(other.name, (folder / "radio-COM2-20240611-142501.dat").string());
    RadioImage kept;
    ASSERT_TRUE(loadDatFile(second.name, kept).ok());
    EXPECT_TRUE(kept == memory);
    {
        // (closed again before the folder goes: Windows removes no open file)
        std::ifstream untouched(folder / "radio-COM1-20240611-142501-2.dat");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(untouched), {}), "someone else's");
    }

    fs::remove_all(folder);
    const BackupKept gone = backups.keep("COM1", memory, time);
    EXPECT_FALSE(gone.ok());
    EXPECT_TRUE(gone.folderMissing);
    EXPECT_FALSE(fs::exists(folder)) << "no folder is made for a backup";
}

// A fleet port's turn: the port opened and closed for it, the workflow, and its summary.
TEST(FleetTurn, EachEndingAndItsSummary)
{
    struct Case {
        const char* what;
        std::function<void(FakeRadioLink&)> fault;
        bool backup;
        bool verify;
        int cancelAtBlock;
        const char* summary;
        int blocksWritten;
    };
    const Case cases[] = {
        {"ok, verified", {}, true, true, -1, "ok, verified", 51},
        {"the port does not open", [](FakeRadioLink& l) { l.refuseOpen = true; }, true, true, -1,
         "not read for the backup: the port could not be opened: Device or resource busy; nothing was "
         "written",
         0},
        {"the port does not open, no backup", [](FakeRadioLink& l) { l.refuseOpen = true; }, false, false, -1,
         "the port could not be opened: Device or resource busy; nothing was written", 0},
        {"cancelled", nullptr, false, true, 20,
         "cancelled; the radio now holds the first 20 of 51 blocks of the document and its earlier memory "
         "after them",
         20},
        {"broke off after half a block", [](FakeRadioLink& l) { l.radio.faults.dropAt = 21; }, false, true,
         -1,
         "the transfer broke off: Input/output error; the radio now holds the first 10 of 51 blocks of the "
         "document and the first half of block 11, and its earlier memory after them",
         10},
        {"not read back", [](FakeRadioLink& l) { l.radio.faults.shortReadAt = 3; }, false, true, -1,
         "written, but not read back to verify: the transfer broke off", 51},
    };
    const fs::path folder = fs::path(testing::TempDir()) / "fleet";
    fs::remove_all(folder);
    fs::create_directories(folder);
    BackupFolder backups(folder.string());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeRadioLink link;
        link.radio.memory = radioMemory();
        if (c.fault)
            c.fault(link);
        PortActivity activity;
        FleetSettings settings;
        settings.verify = c.verify;
        if (c.backup)
            settings.keepBackup = [&](const RadioImage& memory) { return backups.keep("COM1", memory); };
        settings.cancelRequested = [&] {
            return activity.stage == PortActivity::Write && activity.blocks == c.cancelAtBlock;
        };
        const RadioTurn turn = writeRadioTurn(link, "/dev/ttyUSB0", documentImage(), settings, activity);
        EXPECT_EQ(turnSummary(turn, Language::English), c.summary);
        EXPECT_FALSE(turnSummary(turn, Language::Chinese).empty());
        EXPECT_EQ(turn.blocksWritten(), c.blocksWritten);
        EXPECT_FALSE(link.isOpen()) << "the turn lets the port go";
        EXPECT_EQ(link.openedDevice, "/dev/ttyUSB0");
    }
}
