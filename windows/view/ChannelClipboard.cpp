// Selecting, cutting, copying and pasting whole channel rows; see ChannelClipboard.h.

#include "windows/view/ChannelClipboard.h"
#include "windows/common/DisplayText.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include "core/channels/ChannelCodec.h"
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

// "channel 3" or "channels 3-5", for the status bar.
std::string channelRange(int first, int last)
{
    const qx260::ProcessValues& pv = qx260::processValues();
    if (first == last)
        return pv.pick("channel ", "信道 ") + std::to_string(first);
    return pv.pick("channels ", "信道 ") + std::to_string(first) + "-" + std::to_string(last);
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
    const qx260::ProcessValues& pv = qx260::processValues();
    const qx260::ChannelTable stored = qx260::storedChannels(view_.table(), pv.radioVariant);
    const std::string text = qx260::copyChannelRows(stored, firstRow(), lastRow(), pv.languageFlag);
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
        view_.showStatus(qx260::processValues().pick("Copied ", "已复制") +
                         channelRange(firstRow(), lastRow()));
}

void ChannelClipboard::cut()
{
    if (QLineEdit* edit = textEditorTaking(false)) {
        edit->cut();
        return;
    }
    if (!view_.prepareChannelChange() || !copyRows())
        return;
    // Erasing a channel's frequency and leaving the cell clears the whole channel.
    qx260::ChannelTable edited = qx260::detachedCopy(view_.table());
    for (int r = firstRow(); r <= lastRow(); ++r)
        for (int c = qx260::column::RxFrequency; c <= qx260::column::Power; ++c)
            edited.setTextMatrix(r, c, std::string());
    view_.takeChannelCells(edited, {qx260::ChangeKind::Cut, 0});
    view_.showStatus(qx260::processValues().pick("Cut ", "已剪切") + channelRange(firstRow(), lastRow()));
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
    const qx260::ProcessValues& pv = qx260::processValues();
    const int first = firstRow();
    qx260::ChannelTable edited = qx260::detachedCopy(view_.table());
    const qx260::ChannelImportResult result =
        qx260::pasteChannelRows(edited, text, first, view_.bandLimits(), pv.languageFlag, pv.radioVariant);
    if (!result.ok()) {
        qx260::showMessage(
            &view_, qx260::resourceString(qx260::resid::StrCaution, QStringLiteral("Caution")),
            qx260::refusalText(result.error, {},
                               qx260::pickText("Nothing was pasted; the channels are as they were.",
                                               "没有粘贴；信道保持原样。")));
        return;
    }
    if (result.rows == 0)
        return;
    view_.takeChannelCells(edited, {qx260::ChangeKind::Paste, 0});
    const int last = first + result.rows - 1;
    selectRows(first, last); // what was pasted stays in sight
    view_.showStatus(pv.pick("Pasted ", "已粘贴") + channelRange(first, last));
}
