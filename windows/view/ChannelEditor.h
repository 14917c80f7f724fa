#pragma once
// The editing half of a channel window: its eight cell editors and what they hand over,
// taken through the core's commit rules into the document's image; whole channels taken at
// once (a paste, a cut, an import); and the undo history of all of it. The view shows the
// document and routes keys and commands here; the editor asks the view only to show a
// channel again after it changed.

#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "core/channels/Channel.h"
#include "core/channels/UndoHistory.h"
#include "core/config/Language.h"

class CProgramView;
class ChannelClipboard;

namespace qx260
{

class CellEditors;

class ChannelEditor : public QObject
{
    Q_OBJECT
  public:
    explicit ChannelEditor(CProgramView& view);

    // Made by the view's first set-up, over its grid, with the lists in the view's language.
    void createCellEditors(const std::vector<std::string>& toneList, Language language);
    CellEditors* cellEditors() const { return cellEditors_; }
    ChannelClipboard& clipboard() const { return *clipboard_; }

    // Takes the open cell edit into the document; with advance, then moves to the next cell
    // (also when nothing was being edited). False when the edit was refused: its message
    // (followed by afterRefusal, when given) has been shown and the channel is as it was.
    bool commitCellEdit(bool advance, const QString& afterRefusal = QString());
    // The move after Enter: next column, else first column of the next row, else (1, 1).
    void advanceCell();
    // Hides the shown cell editor without taking its text.
    void hideCellEditors();

    // A change of whole channels (a paste, a cut, an import), in two steps. First: takes the
    // open cell edit; false when it was refused or the channels cannot change now (a
    // transfer runs: the status bar says so; the radio variant leaves the table read-only).
    bool prepareChannelChange();
    // Then: the channels become the document's, as one undoable change.
    void takeChannels(const ChannelList& channels, const Change& change);

    // The document as it stands now starts the history again (a new or opened document).
    void startHistory();
    // The document changed outside the editor (a completed Read, a dialog's OK): one step.
    void recordDocumentChange(ChangeKind kind);
    // Ctrl+Z and Ctrl+Y / Ctrl+Shift+Z on the history: shows the document as it was before
    // the last change (after the change undone last), says so in the status bar and marks
    // the document modified. False when there was nothing to undo (redo).
    bool undo();
    bool redo();
    // Edit > Undo and Redo: an open editor's own typing or choice first.
    void editUndo();
    void editRedo();
    const UndoHistory& history() const { return history_; }

    // After the band changed: names the channels whose frequencies lie outside it (they are
    // kept), so that the user can change them before a Write.
    void warnChannelsOutsideBand(const QString& bandText);

  signals:
    // A channel or the whole document changed through the editor.
    void documentModified();

  private:
    DocumentState currentState() const;
    bool recordChange(const Change& change);
    bool stepHistory(bool back);
    void showState(const DocumentState& state);
    bool undoInEditBox(bool redo);
    bool revertListChoice();
    bool editorShownOverCurrentCell() const;

    CProgramView& view_;
    CellEditors* cellEditors_ = nullptr;
    ChannelClipboard* clipboard_ = nullptr;
    UndoHistory history_;
};

} // namespace qx260
