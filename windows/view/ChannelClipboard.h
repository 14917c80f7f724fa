#pragma once
// Whole channel rows in a channel window: selecting them (a click or Shift+click on the
// channel numbers, Shift+Up and Shift+Down), and Cut, Copy and Paste of them through the
// system clipboard as tab-separated text with a header line, which a spreadsheet takes
// and gives back. A paste is checked as if typed, all or nothing, and is one undoable
// change; so is a cut. While an edit box has text selected and no rows are, the keys are
// the edit box's own.

#include <QObject>

class CProgramView;
class QKeyEvent;
class QLineEdit;

class ChannelClipboard : public QObject
{
    Q_OBJECT
  public:
    explicit ChannelClipboard(CProgramView& view);

    // The selected rows; without a selection, the current channel's row. As in a
    // spreadsheet, selecting leaves the current cell where it is; moving it ends the selection.
    bool hasSelection() const;
    int firstRow() const;
    int lastRow() const;
    // Selects the rows from anchor to end.
    void selectRows(int anchor, int end);
    void clearSelection();

    // Shift+Up, Shift+Down and the Cut, Copy and Paste keys; true when the key was used.
    bool handleKey(const QKeyEvent* key);

    void cut();
    void copy();
    void paste();

  private:
    // The window's edit box that has the keyboard, when Cut, Copy and Paste are its own.
    QLineEdit* textEditorTaking(bool paste) const;
    bool copyRows();

    CProgramView& view_;
    int anchor_ = 0;             // where the selection started; 0: no selection
    int end_ = 0;                // where it ends, the row Shift+Up and Shift+Down move
    bool numberPressed_ = false; // the mouse press being reported was on a channel number
};
