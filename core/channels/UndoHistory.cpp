// Undo and redo in a channel window: the status texts for each kind of change, and the
// steps with their position.

#include "core/channels/UndoHistory.h"

#include "core/config/Texts.h"

namespace qx260
{

std::string undoStatusText(bool undone, const Change* change, Language language)
{
    if (!change)
        return textOf(undone ? Text::NothingToUndo : Text::NothingToRedo, language);
    std::string what;
    switch (change->kind) {
    case ChangeKind::Cell:
        what = formatText(Text::OneChannel, language, {std::to_string(change->channel)});
        break;
    case ChangeKind::OptionalFeatures:
        what = textOf(Text::OptionalFeatures, language);
        break;
    case ChangeKind::ProductInformation:
        what = textOf(Text::ProductInformation, language);
        break;
    case ChangeKind::Read:
        what = textOf(Text::ChangeRead, language);
        break;
    case ChangeKind::Import:
        what = textOf(Text::ImportCaption, language);
        break;
    case ChangeKind::Paste:
        what = textOf(Text::ChangePaste, language);
        break;
    case ChangeKind::Cut:
        what = textOf(Text::ChangeCut, language);
        break;
    case ChangeKind::Other:
        what = textOf(Text::ChangeOther, language);
        break;
    }
    return formatText(undone ? Text::Undone : Text::Redone, language, {what});
}

std::string undoDuringTransferText(Language language)
{
    return textOf(Text::UndoDuringTransfer, language);
}

std::string editDuringTransferText(Language language)
{
    return textOf(Text::EditDuringTransfer, language);
}

UndoHistory::UndoHistory(std::size_t depth) : depth_(depth == 0 ? 1 : depth)
{
    steps_.push_back(Step{});
}

void UndoHistory::reset(const DocumentState& current)
{
    steps_.clear();
    steps_.push_back(Step{Change{}, current});
    position_ = 0;
}

bool UndoHistory::record(const Change& change, const DocumentState& after)
{
    if (after == current())
        return false;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_ + 1), steps_.end());
    steps_.push_back(Step{change, after});
    while (steps_.size() > depth_ + 1)
        steps_.pop_front();
    position_ = steps_.size() - 1;
    return true;
}

const DocumentState* UndoHistory::undo(Change* change)
{
    if (!canUndo())
        return nullptr;
    if (change)
        *change = steps_[position_].change;
    --position_;
    return &steps_[position_].state;
}

const DocumentState* UndoHistory::redo(Change* change)
{
    if (!canRedo())
        return nullptr;
    ++position_;
    if (change)
        *change = steps_[position_].change;
    return &steps_[position_].state;
}

} // namespace qx260
