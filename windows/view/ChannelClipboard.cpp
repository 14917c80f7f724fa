// Selecting, cutting, copying and pasting whole channel rows; see ChannelClipboard.h.

#include "windows/view/ChannelClipboard.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include "core/channels/ChannelRows.h"
#include "core/config/ProcessValues.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"
#include "windows/view/ChannelFileCommands.h"

namespace
{

using qx260::Text;

qx260::Language programLanguage()
{
    return qx260::processValues().language();
}

// "channel 3" or "channels 3-5", for the status bar.
std::string channelRange(int first, int last)
{
    if (first == last)
        return qx260::formatText(Text::OneChannel, programLanguage(), {std::to_string(first)});
    return qx260::formatText(Text::SeveralChannels, programLanguage(),
                             {std::to_string(first), std::to_string(last)});
}

// The status bar's words for what was done to the rows first..last.
std::string rowsText(Text done, int first, int last)
{
    return qx260::formatText(done, programLanguage(), {channelRange(first, last)});
}

} // namespace

ChannelClipboard::ChannelClipboard(CProgramView& view) : QObject(&view), view_(view)
{
    CMSFlexGrid* grid = view.grid();
    connect(grid, &CMSFlexGrid::channelNumberPressed, this, [this](int row, bool extend) {
        numberPressed_ = true;
        const int anchor = extend ? (hasSelection() ? anchor_ : view_.table().row()) : row;
        selectRows(anchor, row);
    });
    // Any other press in the grid, and any move of the current cell, ends the selection.
    connect(grid, &CMSFlexGrid::mouseDown, this, [this] {
        if (!numberPressed_)
            clearSelection();
        numberPressed_ = false;
    });
    connect(grid, &CMSFlexGrid::enterCell, this, &ChannelClipboard::clearSelection);
}

bool ChannelClipboard::hasSelection() const
{
    return anchor_ != 0;
}

int ChannelClipboard::firstRow() const
{
    return hasSelection() ? std::min(anchor_, end_) : view_.table().row();
}

int ChannelClipboard::lastRow() const
{
    return hasSelection() ? std::max(anchor_, end_) : view_.table().row();
}

void ChannelClipboard::selectRows(int anchor, int end)
{
    anchor_ = anchor;
    end_ = end;
    view_.grid()->setSelectedRows(anchor, end);
}

void ChannelClipboard::clearSelection()
{
    selectRows(0, 0);
}

bool ChannelClipboard::handleKey(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ShiftModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        if (!view_.grid()->isEnabled())
            return false;
        const int row = view_.table().row();
        const int end = hasSelection() ? end_ : row;
        const int next = qBound(1, end + (key->key() == Qt::Key_Up ? -1 : 1), view_.table().rows() - 1);
        selectRows(hasSelection() ? anchor_ : row, next);
        return true;
    }
    if (key->matches(QKeySequence::Copy))
        copy();
    else if (key->matches(QKeySequence::Cut))
        cut();
    else if (key->matches(QKeySequence::Paste))
        paste();
    else
        return false;
    return true;
}

QLineEdit* ChannelClipboard::textEditorTaking(bool paste) const
{
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!edit || !view_.isAncestorOf(edit) || edit->isHidden() || hasSelection())
        return nullptr;
    if (paste)
        return qx260::looksLikeChannelRows(QApplication::clipboard()->text().toStdString()) ? nullptr : edit;
    return edit->hasSelectedText() ? edit : nullptr;
}

bool ChannelClipboard::copyRows()
{
    if (!view_.commitCellEdit(false))
        return false;
    const std::string text = qx260::copyChannelRows(view_.channels(), firstRow(), lastRow(),
                                                    view_.tableVariant(), programLanguage());
    QApplication::clipboard()->setText(QString::fromStdString(text));
    return true;
}

void ChannelClipboard::copy()
{
    if (QLineEdit* edit = textEditorTaking(false)) {
        edit->copy();
        return;
    }
    if (copyRows())
        view_.showStatus(rowsText(Text::Copied, firstRow(), lastRow()));
}

void ChannelClipboard::cut()
{
    if (QLineEdit* edit = textEditorTaking(false)) {
        edit->cut();
        return;
    }
    if (!view_.prepareChannelChange() || !copyRows())
        return;
    view_.takeChannels(qx260::cutChannelRows(view_.channels(), firstRow(), lastRow(), view_.tableVariant()),
                       {qx260::ChangeKind::Cut, 0});
    view_.showStatus(rowsText(Text::Cut, firstRow(), lastRow()));
}

void ChannelClipboard::paste()
{
    if (QLineEdit* edit = textEditorTaking(true)) {
        edit->paste();
        return;
    }
    const std::string text = QApplication::clipboard()->text().toStdString();
    if (text.empty() || !view_.prepareChannelChange())
        return;
    const int first = firstRow();
    const qx260::ChannelImportResult result = qx260::pasteChannelRows(
        view_.channels(), text, first, view_.bandLimits(), view_.tableVariant(), programLanguage());
    if (!result.ok()) {
        qx260::showMessage(&view_, qx260::resourceMessage(qx260::resid::StrCaution),
                           qx260::refusalText(result.error, {}, qx260::listText(Text::NothingPasted)));
        return;
    }
    if (result.rows == 0)
        return;
    view_.takeChannels(result.channels, {qx260::ChangeKind::Paste, 0});
    const int last = first + result.rows - 1;
    selectRows(first, last); // what was pasted stays in sight
    const std::string done = rowsText(Text::Pasted, first, last);
    view_.showStatus(done);
    qx260::showImportNotes(view_, qx260::applicationCaption(), done, result);
}
