#pragma once
// The undo history of one channel window: snapshots of the document as the user left it
// after each change (its 1024-byte image, which holds the channels, and the band limits
// they were checked against), and a position in that list. Undo and redo move the
// position and hand back the state to show. The oldest steps are dropped beyond a fixed
// depth.

#include <cstddef>
#include <deque>
#include <string>

#include "core/config/Language.h"
#include "core/radio/FrequencyCheck.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

struct DocumentState {
    RadioImage image;
    BandLimits bandLimits;

    friend bool operator==(const DocumentState&, const DocumentState&) = default;
};
enum class ChangeKind { Cell, OptionalFeatures, ProductInformation, Read, Import, Paste, Cut, Other };

struct Change {
    ChangeKind kind = ChangeKind::Other;
    int channel = 0; // for Cell: the channel row
};

// What the status bar says after an undo (undone) or a redo, and when there is nothing to
// undo or redo (change null).
std::string undoStatusText(bool undone, const Change* change, Language language);
// What the status bar says when Ctrl+Z or Ctrl+Y comes while the radio is read or written.
std::string undoDuringTransferText(Language language);
// The same for a change of channels asked for then (a paste, a cut, an import).
std::string editDuringTransferText(Language language);

class UndoHistory
{
  public:
    static constexpr std::size_t kDefaultDepth = 100;

    explicit UndoHistory(std::size_t depth = kDefaultDepth);

    // Starts again from this state with nothing to undo or redo (a new or opened document).
    void reset(const DocumentState& current);
    // The document reached `after` by `change`. Steps that could be redone are dropped.
    // False (nothing recorded) when `after` equals the current state.
    bool record(const Change& change, const DocumentState& after);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < steps_.size(); }
    // Moves one step back (forward) and returns the state to show then, or null when there
    // is nothing to undo (redo). `change` gets the change that was undone (redone).
    const DocumentState* undo(Change* change = nullptr);
    const DocumentState* redo(Change* change = nullptr);

    const DocumentState& current() const { return steps_[position_].state; }
    std::size_t undoCount() const { return position_; }
    std::size_t redoCount() const { return steps_.size() - 1 - position_; }

  private:
    struct Step {
        Change change; // how the document got to this state (unused for the first)
        DocumentState state;
    };
    std::size_t depth_;
    std::deque<Step> steps_;
    std::size_t position_ = 0;
};

} // namespace qx260
