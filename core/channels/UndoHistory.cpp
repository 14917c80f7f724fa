// Undo and redo in a channel window: the status texts for each kind of change, and the
// steps with their position.

#include "core/channels/UndoHistory.h"

namespace qx260
{

std::string undoStatusText(bool undone, const Change* change, bool languageFlag)
{
    if (!change) {
        if (undone)
            return languageFlag ? "没有可撤销的更改" : "Nothing to undo";
        return languageFlag ? "没有可重做的更改" : "Nothing to redo";
    }
    std::string what;
    switch (change->kind) {
    case ChangeKind::Cell:
        what = (languageFlag ? "信道 " : "channel ") + std::to_string(change->channel);
        break;
    case ChangeKind::OptionalFeatures:
        what = languageFlag ? "可选功能" : "Optional Features";
        break;
    case ChangeKind::ProductInformation:
        what = languageFlag ? "类型设置" : "Product Information";
        break;
    case ChangeKind::Read:
        what = languageFlag ? "读数据" : "Read";
        break;
    case ChangeKind::Import:
        what = languageFlag ? "导入信道" : "Import Channels";
        break;
    case ChangeKind::Paste:
        what = languageFlag ? "粘贴" : "Paste";
        break;
    case ChangeKind::Cut:
        what = languageFlag ? "剪切" : "Cut";
        break;
    case ChangeKind::Other:
        what = languageFlag ? "更改" : "change";
        break;
    }
    if (undone)
        return (languageFlag ? "已撤销：" : "Undone: ") + what;
    return (languageFlag ? "已重做：" : "Redone: ") + what;
}

std::string undoDuringTransferText(bool languageFlag)
{
    return languageFlag ? "读写电台期间不能撤销或重做"
                        : "Undo and Redo are not available while the radio is read or written";
}

std::string editDuringTransferText(bool languageFlag)
{
    return languageFlag ? "读写电台期间不能更改信道"
                        : "The channels cannot be changed while the radio is read or written";
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
