// Opening the current cell's editor (a list keeps a value it does not offer while open),
// placing it over the cell as the grid scrolls, and handing its text over or hiding it.

#include "windows/view/CellEditors.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include "core/channels/ChannelTable.h"
#include "core/config/Texts.h"
#include "windows/common/HelpRequest.h"
#include "windows/view/CMSFlexGrid.h"

namespace qx260
{

namespace
{

// Room below a list editor for its drop-down part, in pixels.
constexpr int kDropDownHeight = 100;

bool isEditBoxColumn(int col)
{
    return col == column::RxFrequency || col == column::TxFrequency;
}

} // namespace

CellEditors::CellEditors(CMSFlexGrid* grid, ChannelTable& table, const std::vector<std::string>& toneList,
                         Language language)
    : QObject(grid), grid_(grid), table_(table), language_(language)
{
    for (int col = 1; col < ChannelTable::kCols; ++col) {
        QWidget* editor = nullptr;
        if (isEditBoxColumn(col)) {
            auto* edit = new QLineEdit(grid);
            edit->setFrame(false);
            keepWithinBox(edit);
            editor = edit;
        } else {
            auto* list = new QComboBox(grid);
            list->setEditable(false);
            for (const std::string& item : listItemsForColumn(col, language_, toneList))
                list->addItem(QString::fromStdString(item));
            const int itemHeight = qMax(1, QFontMetrics(grid->font()).height() + 2);
            list->setMaxVisibleItems(qMax(2, kDropDownHeight / itemHeight));
            // Busy Lock and Power have no scroll bar in their drop-down part.
            list->view()->setVerticalScrollBarPolicy(col >= column::BusyLock ? Qt::ScrollBarAlwaysOff
                                                                             : Qt::ScrollBarAsNeeded);
            editor = list;
        }
        editor->setFont(grid->font());
        qx260::setControlId(editor, editorIdForColumn(col));
        editor->setObjectName(QStringLiteral("editor%1").arg(editorIdForColumn(col)));
        editor->setGeometry(0, 0, 0, 0);
        editor->hide();
        editors_[static_cast<std::size_t>(col)] = editor;
    }
    editors_[0] = editors_[column::RxFrequency];
    // The open editor stays over its cell when the rows scroll or the columns change.
    connect(grid, &CMSFlexGrid::topRowChanged, this, &CellEditors::followCurrentCell);
    connect(grid, &CMSFlexGrid::layoutChanged, this, &CellEditors::followCurrentCell);
}

void CellEditors::keepWithinBox(QLineEdit* edit)
{
    // Without horizontal scrolling, typing stops when the text fills the box.
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
        const std::size_t slot = edit == editors_[column::TxFrequency] ? 2 : 1;
        const QMargins margins = edit->textMargins();
        const int room = edit->contentsRect().width() - margins.left() - margins.right() - 4;
        if (QFontMetrics(edit->font()).horizontalAdvance(text) > room &&
            text.size() > acceptedText_[slot].size()) {
            const int cursor =
                edit->cursorPosition() - static_cast<int>(text.size() - acceptedText_[slot].size());
            edit->setText(acceptedText_[slot]);
            edit->setCursorPosition(qMax(0, cursor));
            return;
        }
        acceptedText_[slot] = text;
    });
}

QWidget* CellEditors::editorForColumn(int col) const
{
    if (col < 0 || col >= ChannelTable::kCols)
        col = 0;
    return editors_[static_cast<std::size_t>(col)];
}

QWidget* CellEditors::editorById(int controlId) const
{
    for (int col = 1; col < ChannelTable::kCols; ++col)
        if (editorIdForColumn(col) == controlId)
            return editors_[static_cast<std::size_t>(col)];
    return nullptr;
}

QLineEdit* CellEditors::editBox(int col) const
{
    return qobject_cast<QLineEdit*>(editorForColumn(col));
}

QComboBox* CellEditors::listBox(int col) const
{
    return qobject_cast<QComboBox*>(editorForColumn(col));
}

bool CellEditors::isShown(int col) const
{
    return !editorForColumn(col)->isHidden();
}

QString CellEditors::editorText(int col) const
{
    if (QLineEdit* edit = editBox(col))
        return edit->text();
    return listBox(col)->currentText();
}

void CellEditors::openEditor()
{
    const int col = table_.col();
    const std::string cellText = table_.text();
    QWidget* editor = editorForColumn(col);
    const bool list = isListColumn(col);
    if (list) {
        QComboBox* box = listBox(col);
        dropOwnTextItem();
        std::vector<std::string> items;
        for (int i = 0; i < box->count(); ++i)
            items.push_back(box->itemText(i).toStdString());
        int selection = matchingListItem(items, cellText);
        if (selection < 0 && !cellText.empty()) {
            // A value the list does not offer (a code such as D017N or a tone such as 62.5
            // read from a radio) is offered as the first entry while the editor is open, so
            // that visiting the cell keeps it.
            box->insertItem(0, QString::fromStdString(cellText));
            ownTextList_ = box;
            selection = 0;
        }
        box->setCurrentIndex(selection);
    } else {
        editBox(col)->setText(QString::fromStdString(cellText));
    }

    if (!grid_->isEnabled())
        return; // a table that cannot be edited shows no editor

    if (!list) {
        const std::size_t slot = static_cast<std::size_t>(col == column::TxFrequency ? 2 : 1);
        acceptedText_[slot] = QString::fromStdString(cellText);
        editBox(col)->setText(acceptedText_[slot]);
    }
    // A screen reader names the editor after its column and channel, not after its value;
    // in an editable list the focus is on the list's own edit box, which is named too.
    const std::string channel =
        QString::fromStdString(table_.textMatrix(table_.row(), 0)).trimmed().toStdString();
    const QString name = QString::fromStdString(
        formatText(Text::CellEditorName, language_, {table_.textMatrix(0, col), channel}));
    editor->setAccessibleName(name);
    if (auto* box = qobject_cast<QComboBox*>(editor); box && box->lineEdit())
        box->lineEdit()->setAccessibleName(name);
    // A list is read by its value on some systems and by its label: it gets a label of its own.
    if (!editorLabel_) {
        editorLabel_ = new QLabel(editor->parentWidget());
        editorLabel_->hide();
    }
    editorLabel_->setText(name);
    editorLabel_->setBuddy(editor);
    editor->setAccessibleDescription(
        QString::fromUtf8(textOf(Text::ChannelNumber, language_)).arg(QString::fromStdString(channel)));
    placeOverCurrentCell(editor);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    grid_->redrawNow();
}

void CellEditors::openOnMousePress()
{
    QWidget* editor = editorForColumn(table_.col());
    if (table_.col() >= 1 && !editor->isHidden() && grid_->isEnabled()) {
        editor->setFocus(Qt::MouseFocusReason);
        return;
    }
    openEditor();
}

void CellEditors::placeOverCurrentCell(QWidget* editor)
{
    // The grid converts the cell's twips with the screen's resolution and knows its border
    // and scrolling; the editor covers the cell's inside, grid lines left visible. The list's
    // drop-down part opens below it.
    const QRect cell = grid_->cellRectPixels();
    QRect place(cell.topLeft(), QSize(qMax(0, cell.width() - 1), qMax(0, cell.height() - 1)));
    const int firstVisibleTop = grid_->cellRectPixels(0, 0).bottom() + 1;
    const int lastVisibleBottom = grid_->height() - CMSFlexGrid::kBorder - 1;
    if (place.top() < firstVisibleTop || place.bottom() > lastVisibleBottom)
        place.moveTo(-place.width() - 1, -place.height() - 1);
    editor->setGeometry(place);
}

void CellEditors::followCurrentCell()
{
    QWidget* editor = editorForColumn(table_.col());
    if (table_.col() >= 1 && !editor->isHidden())
        placeOverCurrentCell(editor);
}

void CellEditors::dropOwnTextItem()
{
    if (ownTextList_)
        ownTextList_->removeItem(0);
    ownTextList_ = nullptr;
}

void CellEditors::hideEditor(QWidget* editor)
{
    if (editor == ownTextList_)
        dropOwnTextItem();
    if (editor->isHidden())
        return;
    // Keep the keyboard in the grid rather than letting it wander to another window part.
    if (editor->hasFocus())
        grid_->setFocus(Qt::OtherFocusReason);
    editor->hide();
}

std::optional<std::string> CellEditors::take()
{
    const int col = table_.col();
    QWidget* editor = editorForColumn(col);
    if (col < 1 || editor->isHidden())
        return std::nullopt;
    const std::string text = editorText(col).toStdString();
    hideEditor(editor);
    return text;
}

void CellEditors::hide(int from, int to)
{
    for (int col = qMax(1, from); col <= to && col < ChannelTable::kCols; ++col)
        hideEditor(editors_[static_cast<std::size_t>(col)]);
}

} // namespace qx260
