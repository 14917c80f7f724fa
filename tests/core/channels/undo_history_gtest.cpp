// Undo and redo walking the steps of a channel window, a new change dropping the redo
// steps, only the newest steps kept, and what the status bar says of each step.

#include <gtest/gtest.h>

#include <optional>

#include "core/channels/UndoHistory.h"
#include "core/radio/RadioImage.h"

using namespace qx260;

namespace
{

DocumentState stateWithSquelch(int level)
{
    DocumentState state;
    state.image = RadioImage::newImage();
    state.image.setByte(offset::SquelchLevel, static_cast<std::uint8_t>(level));
    return state;
}

int squelch(const DocumentState* state)
{
    return state ? state->image.byte(offset::SquelchLevel) : -1;
}

} // namespace

TEST(UndoHistory, UndoRedoWalkTheStepsAndANewChangeDropsTheRedoSteps)
{
    UndoHistory history;
    history.reset(stateWithSquelch(0));
    EXPECT_FALSE(history.undo());
    for (int level = 1; level <= 3; ++level)
        EXPECT_TRUE(history.record({ChangeKind::Cell, level}, stateWithSquelch(level)));
    // The same state again is no step.
    EXPECT_FALSE(history.record({ChangeKind::OptionalFeatures, 0}, stateWithSquelch(3)));

    Change change;
    EXPECT_EQ(squelch(history.undo(&change)), 2);
    EXPECT_EQ(change.channel, 3);
    EXPECT_EQ(squelch(history.undo(&change)), 1);
    EXPECT_EQ(change.channel, 2);
    EXPECT_EQ(squelch(history.redo(&change)), 2);
    EXPECT_EQ(change.channel, 2);

    EXPECT_TRUE(history.record({ChangeKind::Read, 0}, stateWithSquelch(9)));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(squelch(history.undo(&change)), 2);
    EXPECT_EQ(change.kind, ChangeKind::Read);
    EXPECT_EQ(history.undoCount(), 2u);
    EXPECT_EQ(history.redoCount(), 1u);

    history.reset(stateWithSquelch(5));
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
}

TEST(UndoHistory, KeepsOnlyTheNewestStepsUpToItsDepth)
{
    UndoHistory history(3);
    history.reset(stateWithSquelch(0));
    for (int level = 1; level <= 10; ++level)
        history.record({ChangeKind::Cell, level}, stateWithSquelch(level));
    EXPECT_EQ(history.undoCount(), 3u);
    EXPECT_EQ(squelch(history.undo()), 9);
    EXPECT_EQ(squelch(history.undo()), 8);
    EXPECT_EQ(squelch(history.undo()), 7);
    EXPECT_EQ(squelch(history.undo()), -1);
    EXPECT_EQ(squelch(&history.current()), 7);
}

TEST(UndoHistory, StatusTextsNameTheChange)
{
    constexpr auto En = Language::English;
    constexpr auto Zh = Language::Chinese;
    struct Case {
        bool undone;
        std::optional<Change> change; // none: nothing to undo or redo
        Language language;
        const char* text;
    } const cases[] = {
        {true, Change{ChangeKind::Cell, 3}, En, "Undone: channel 3"},
        {false, Change{ChangeKind::Cell, 3}, En, "Redone: channel 3"},
        {true, std::nullopt, En, "Nothing to undo"},
        {false, std::nullopt, En, "Nothing to redo"},
        {true, Change{ChangeKind::OptionalFeatures, 0}, En, "Undone: Optional Features"},
        {true, Change{ChangeKind::ProductInformation, 0}, En, "Undone: Product Information"},
        {true, Change{ChangeKind::Read, 0}, En, "Undone: Read"},
        {true, Change{ChangeKind::Import, 0}, En, "Undone: Import Channels"},
        {true, Change{ChangeKind::Paste, 0}, En, "Undone: Paste"},
        {true, Change{ChangeKind::Cut, 0}, En, "Undone: Cut"},
        {true, Change{ChangeKind::Cell, 4}, Zh, "已撤销：信道 4"},
        {false, Change{ChangeKind::Cell, 4}, Zh, "已重做：信道 4"},
        {true, std::nullopt, Zh, "没有可撤销的更改"},
        {false, std::nullopt, Zh, "没有可重做的更改"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(undoStatusText(c.undone, c.change ? &*c.change : nullptr, c.language), c.text) << c.text;
    EXPECT_EQ(undoDuringTransferText(En),
              "Undo and Redo are not available while the radio is read or written");
}
