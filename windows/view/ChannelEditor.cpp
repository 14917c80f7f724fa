// A channel window's editing: cell commits through the core's rules into the document's
// image, whole channels taken at once, and the undo history with the editors' own undo.

#include "windows/view/ChannelEditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelEditing.h"
#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "windows/common/DisplayText.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CellEditors.h"
#include "windows/view/ChannelClipboard.h"

namespace qx260
{

namespace
{

// The list item a list editor opens on for a cell text.
int openingSelection(const QComboBox* box, const std::string& cellText)
{
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i)
        items.push_back(box->itemText(i).toStdString());
    return initialListSelection(items, cellText);
}

QString cellEditMessage(int id)
{
    return resourceMessage(id);
}

} // namespace

ChannelEditor::ChannelEditor(CProgramView& view) : QObject(&view), view_(view)
{
    clipboard_ = new ChannelClipboard(view);
}

void ChannelEditor::createCellEditors(const std::vector<std::string>& toneList, Language language)
{
    CMSFlexGrid* grid = view_.grid();
    cellEditors_ = new CellEditors(grid, view_.table(), toneList, language);
    // Files dragged over an edit box go to the main window (which opens documents), not
    // into the cell as text.
    for (int col : {column::RxFrequency, column::TxFrequency})
        cellEditors_->editBox(col)->setAcceptDrops(false);
    // Entering or clicking a cell opens its editor; leaving it commits without moving on.
    connect(grid, &CMSFlexGrid::enterCell, cellEditors_, &CellEditors::openEditor);
    connect(grid, &CMSFlexGrid::mouseDown, cellEditors_, [this] { cellEditors_->openOnMousePress(); });
    connect(grid, &CMSFlexGrid::leaveCell, this, [this] { commitCellEdit(false); });
}

bool ChannelEditor::editorShownOverCurrentCell() const
{
    const int col = view_.table().col();
    return cellEditors_ && col >= 1 && cellEditors_->isShown(col);
}

bool ChannelEditor::commitCellEdit(bool advance, const QString& afterRefusal)
{
    ChannelTable& table = view_.table();
    CProgramDoc& doc = view_.document();
    const int channel = table.row();
    const std::optional<ChannelField> field = fieldOfColumn(table.col());
    const std::optional<std::string> text = cellEditors_ ? cellEditors_->take() : std::nullopt;
    if (text && field) {
        Channel edited = decodeChannel(doc.image, channel);
        const EditOutcome outcome =
            commitField(edited, *field, *text, advance ? CommitTrigger::Enter : CommitTrigger::LeaveCell,
                        doc.bandLimits, view_.tableVariant(), processValues().language());
        // The lists offer only their items: a refusal without a message cannot come from them.
        if (!outcome.ok() && outcome.messageId() != 0) {
            QString shown = cellEditMessage(outcome.messageId());
            if (!afterRefusal.isEmpty())
                shown += QStringLiteral("\n\n") + afterRefusal;
            showMessage(&view_, cellEditMessage(resid::StrCaution), shown, QMessageBox::Ok,
                        MsgIcon::Exclamation);
            return false;
        }
        if (outcome.changed) {
            encodeChannel(edited, doc.image, channel);
            view_.showChannel(channel);
            if (recordChange({ChangeKind::Cell, channel}))
                emit documentModified();
        }
    }
    if (advance)
        advanceCell();
    return true;
}

void ChannelEditor::advanceCell()
{
    advanceAfterEnter(view_.table());
}

void ChannelEditor::hideCellEditors()
{
    if (cellEditors_)
        cellEditors_->hide(column::RxFrequency, column::Power);
}

bool ChannelEditor::prepareChannelChange()
{
    if (view_.transferRunning()) {
        view_.showStatus(editDuringTransferText(processValues().language()));
        return false;
    }
    return view_.grid()->isEnabled() && commitCellEdit(false);
}

void ChannelEditor::takeChannels(const ChannelList& channels, const Change& change)
{
    const bool editorShown = editorShownOverCurrentCell();
    hideCellEditors();
    encodeChannels(channels, view_.document().image);
    view_.showChannels();
    if (editorShown)
        cellEditors_->openEditor();
    if (recordChange(change))
        emit documentModified();
}

DocumentState ChannelEditor::currentState() const
{
    const CProgramDoc& doc = view_.document();
    return {doc.image, doc.bandLimits};
}

bool ChannelEditor::recordChange(const Change& change)
{
    return history_.record(change, currentState());
}

void ChannelEditor::startHistory()
{
    history_.reset(currentState());
}

void ChannelEditor::recordDocumentChange(ChangeKind kind)
{
    recordChange({kind, 0});
    emit documentModified();
}

bool ChannelEditor::undo()
{
    return stepHistory(true);
}

bool ChannelEditor::redo()
{
    return stepHistory(false);
}

void ChannelEditor::editUndo()
{
    if (!undoInEditBox(false) && !revertListChoice())
        stepHistory(true);
}

void ChannelEditor::editRedo()
{
    if (!undoInEditBox(true))
        stepHistory(false);
}

bool ChannelEditor::stepHistory(bool back)
{
    const Language language = processValues().language();
    // The transfer works on the document's image: it is not replaced under it.
    if (view_.transferRunning()) {
        view_.showStatus(undoDuringTransferText(language));
        return false;
    }
    Change change;
    const DocumentState* state = back ? history_.undo(&change) : history_.redo(&change);
    if (!state) {
        view_.showStatus(undoStatusText(back, nullptr, language));
        return false;
    }
    // An editor over the current cell is opened again on the restored text.
    const bool editorShown = editorShownOverCurrentCell();
    showState(*state);
    if (editorShown)
        cellEditors_->openEditor();
    view_.showStatus(undoStatusText(back, &change, language));
    emit documentModified();
    return true;
}

void ChannelEditor::showState(const DocumentState& state)
{
    hideCellEditors();
    CProgramDoc& doc = view_.document();
    const std::uint8_t type = doc.image.byte(offset::ProductType);
    const std::uint8_t band = doc.image.byte(offset::BandIndex);
    doc.image = state.image;
    doc.bandLimits = state.bandLimits;
    view_.showChannels();

    // The user's product choice and the caption follow the product bytes, as when the
    // document was opened.
    if (doc.image.byte(offset::ProductType) != type || doc.image.byte(offset::BandIndex) != band) {
        const ProcessValues& pv = processValues();
        settleProductChoice(doc.image, false, processValues().userStoreOrSession(), pv.configurationStore);
        if (pv.showCaption)
            pv.showCaption(
                describeProduct(doc.image, pv.configurationStore, pv.languageName, pv.language()).caption);
    }
}

bool ChannelEditor::undoInEditBox(bool redo)
{
    if (!editorShownOverCurrentCell())
        return false;
    // An edit box keeps Ctrl+Z and Ctrl+Y while it has typing of its own to undo or redo.
    QLineEdit* edit = cellEditors_->editBox(view_.table().col());
    if (!edit || !(redo ? edit->isRedoAvailable() : edit->isUndoAvailable()))
        return false;
    if (redo)
        edit->redo();
    else
        edit->undo();
    return true;
}

bool ChannelEditor::revertListChoice()
{
    if (!editorShownOverCurrentCell())
        return false;
    // A list whose choice was changed but not taken goes back to the item it opened on.
    QComboBox* box = cellEditors_->listBox(view_.table().col());
    if (!box)
        return false;
    const int opening = openingSelection(box, view_.table().text());
    if (box->currentIndex() == opening)
        return false;
    box->setCurrentIndex(opening);
    return true;
}

void ChannelEditor::warnChannelsOutsideBand(const QString& bandText)
{
    const CProgramDoc& doc = view_.document();
    const std::vector<int> outside =
        channelsOutsideBand(view_.channels(), doc.bandLimits, view_.tableVariant());
    if (outside.empty())
        return;
    QStringList numbers;
    for (int channel : outside)
        numbers << QString::number(channel);
    const QString text =
        programText(Text::ChannelsOutsideBand).arg(bandText, numbers.join(QStringLiteral(", ")));
    showMessage(&view_, applicationCaption(), text, QMessageBox::Ok, MsgIcon::Exclamation);
}

} // namespace qx260
