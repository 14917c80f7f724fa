#pragma once
// The eight cell editors of a channel window: two borderless edit boxes for the
// frequencies and six drop-down lists, children of the grid, hidden until the current
// cell needs one. They are laid over the current cell when it is entered or clicked and
// hand their text to the commit rules when Enter is pressed or the cell is left.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "core/channels/CellEditRules.h"
#include "core/config/Language.h"

class CMSFlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace qx260
{

class ChannelTable;

class CellEditors : public QObject
{
    Q_OBJECT
  public:
    // Creates the editors hidden, in the order 2127, 2128, 2132, 2133, 2134, 2135, 1130,
    // 1129, and fills the lists (the tone columns with toneList).
    CellEditors(CMSFlexGrid* grid, ChannelTable& table, const std::vector<std::string>& toneList,
                Language language);

    // The editor of a table column (column 0 gives the first edit box).
    QWidget* editorForColumn(int col) const;
    QWidget* editorById(int controlId) const;
    QLineEdit* editBox(int col) const; // columns 1, 2
    QComboBox* listBox(int col) const; // columns 3..8

    // Lays the current column's editor over the current cell with the cell's text (for a
    // list: the first item beginning with it, or the text itself as an extra first entry
    // when no item does). On a disabled grid it stays hidden.
    void openEditor();
    // A mouse press in the grid: opens the current cell's editor, unless it is already open
    // there (a press on a header or beside the cells keeps what is being typed).
    void openOnMousePress();
    bool isShown(int col) const;
    QString editorText(int col) const;

    // The text of the shown editor of the current column, which is hidden; nothing when
    // that editor is not shown.
    std::optional<std::string> take();

    // Hides the editors of columns `from` to `to` without taking their text.
    void hide(int from, int to);

  private:
    // Puts the editor over the current cell, or out of sight while that cell is scrolled
    // away (it keeps its text and stays the shown editor).
    void placeOverCurrentCell(QWidget* editor);
    void followCurrentCell();
    void hideEditor(QWidget* editor);
    // Removes the cell's own text from the list it was added to when it was opened.
    void dropOwnTextItem();
    void keepWithinBox(QLineEdit* edit);

    CMSFlexGrid* grid_;
    ChannelTable& table_;
    Language language_;
    std::array<QWidget*, 9> editors_{};   // by column; [0] is the first edit box
    std::array<QString, 3> acceptedText_; // edit boxes: last text that fitted
    QComboBox* ownTextList_ = nullptr;    // the list showing a cell text it does not offer
    QLabel* editorLabel_ = nullptr;       // never shown: the label a screen reader reads for a list
};

} // namespace qx260
