// Undo and redo walking the steps of a channel window, a new change dropping the redo
// steps, and only the newest steps kept.

#include <gtest/gtest.h>

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
