#pragma once
// Writing a document into one radio the careful way, the same for every front end: read
// the radio first when a backup or a review needs what it holds, keep the backup (no
// backup, no write), show what will change and ask, write, and read it back to verify.
// The caller opens the port and keeps it open for all of it (the radio goes back to
// waiting for a handshake after each transfer); the workflow calls back for the backup,
// the review and the progress, and returns what the radio now holds.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/config/Language.h"
#include "core/link/ProtocolEngine.h"
#include "core/link/RadioBackup.h"

namespace qx260::link
{

// The transfers of a workflow.
enum class WriteStage {
    ReadFirst, // the radio's memory, for the backup and the review
    Write,
    Verify, // reading it back
};

// Where a workflow ended.
enum class WriteStep {
    ReadFirst, // the radio could not be read first: nothing was written
    Backup,    // the backup could not be kept: nothing was written
    Review,    // the user declined what the write would change: nothing was written
    Write,     // the write ended (completed, or stopped after some blocks)
    Verify,    // the write completed and the read back ended
};

struct WriteWorkflow {
    // Keeps what the radio holds before it is written. A radio whose memory cannot be kept
    // is not written. Empty: no backup.
    std::function<BackupKept(const RadioImage& radio)> keepBackup;
    // Shows what the write will change, the radio as it is against the image to write, and
    // asks: false writes nothing. Empty: no review.
    std::function<bool(const RadioImage& radio, const RadioImage& image)> review;
    bool verify = false;
    // Write Again: the backup the first run kept of this radio (its name empty when it took
    // none). It goes on naming what the radio held before, and no new backup is kept of a
    // radio that now holds part of the document; keepBackup is not called.
    std::optional<BackupKept> firstBackup;

    // A transfer begins (its progress counts from 0 again), and it ended.
    std::function<void(WriteStage stage)> stageBegins;
    std::function<void(WriteStage stage, const TransferOutcome& outcome)> stageEnded;
    // Progress, cancel and the Communication Error prompt of every transfer.
    TransferControl control;

    // Whether the radio is read before it is written.
    bool readsFirst() const { return review || (keepBackup && !firstBackup); }
};

// What a Write left in the radio: the first subBlocks sub-blocks of the image (two to a
// block, each in the radio once the radio acknowledged it), and the radio's earlier memory
// after them.
struct RadioContents {
    static constexpr int kAll = 2 * wire::kBlockCount;
    int subBlocks = 0;

    int wholeBlocks() const { return subBlocks / 2; }
    // The first half of the block after the whole ones is new too.
    bool halfBlock() const { return subBlocks % 2 != 0 && subBlocks < kAll; }
    bool unchanged() const { return subBlocks <= 0; }
    bool everything() const { return subBlocks >= kAll; }
};

// What a Write transfer left in the radio, however it ended; a Read leaves it unchanged.
RadioContents contentsAfterWrite(const TransferOutcome& write);

// What the radio holds, in words: "nothing was written to the radio", "the radio now holds
// the first 10 of 51 blocks of the document and the first half of block 11, and its earlier
// memory after them", "the radio holds all 51 blocks of the document". A Clause goes after
// other words ("cancelled; ..."); a Sentence stands alone, capitalised and ended.
enum class Wording { Clause, Sentence };
std::string radioHoldsText(RadioContents contents, Language language, Wording wording = Wording::Sentence);

// What a workflow came to, and what it left in the radio.
struct WriteResult {
    enum class RadioHolds {
        Unchanged,   // nothing was written
        FirstBlocks, // the first sub-blocks of the image, its earlier memory after them
        Everything,  // all 51 blocks of the image
    };

    WriteStep step = WriteStep::Write;
    TransferOutcome outcome; // of the last transfer
    // The backup of what the radio held before the first write (its name empty: none).
    BackupKept backup;
    bool verifyAsked = false;
    std::optional<RadioImage> radioBefore; // what the read first found (0x000-0x32F)
    // What the verify read back: 0x000-0x32F from the radio, the rest as sent.
    std::optional<RadioImage> readBack;
    std::vector<std::size_t> differences; // offsets whose byte the radio did not keep

    bool written() const { return step == WriteStep::Verify || (step == WriteStep::Write && outcome.ok()); }
    // What the radio now holds of the image, exact to the sub-block.
    RadioContents contents() const
    {
        return written()                  ? RadioContents{RadioContents::kAll}
               : step == WriteStep::Write ? contentsAfterWrite(outcome)
                                          : RadioContents{};
    }
    // The whole blocks of the image in the radio.
    int blocksWritten() const { return contents().wholeBlocks(); }
    RadioHolds radioHolds() const
    {
        const RadioContents held = contents();
        return held.unchanged()    ? RadioHolds::Unchanged
               : held.everything() ? RadioHolds::Everything
                                   : RadioHolds::FirstBlocks;
    }
    // Read back, and the radio holds every byte that was sent.
    bool verified() const { return readBack.has_value() && differences.empty(); }
    bool ok() const { return written() && (!verifyAsked || verified()); }
    bool cancelled() const { return outcome.ending == TransferEnding::Cancelled; }
};

// The offsets of 0x000..0x32F where the radio holds another byte than was sent.
std::vector<std::size_t> differingBytes(const RadioImage& sent, const RadioImage& radio);

// Runs the workflow for `image` on the open `link`, and stops at the first step that does
// not go through. The port stays open.
WriteResult runWriteWorkflow(SerialLink& link, const RadioImage& image, const WriteWorkflow& workflow);

// The result of a workflow whose port could not be opened: it ended in its first step.
WriteResult workflowNotStarted(const WriteWorkflow& workflow, const LinkResult& opened);

} // namespace qx260::link
