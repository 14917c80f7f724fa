// The channel view: its form, the fill from the document's channels, cell editing through
// the core's commit rules with its undo history, printing, and the keys it keeps for
// itself (Enter, F1, undo and redo).

#include "windows/view/CProgramView.h"

#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QStatusBar>
#include <QStringList>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelEditing.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/print/PrintLayout.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Tones.h"
#include "platform/Resources.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"
#include "windows/common/ThemeColors.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CellEditors.h"
#include "windows/view/ChannelClipboard.h"
#include "windows/view/ChannelFileCommands.h"
#include "windows/view/PrintCommands.h"

namespace
{

// Form geometry in dialog units.
const QSize kFormSize(398, 218);
const QRect kTitleRect(14, 13, 370, 17);
const QRect kGridRect(15, 37, 370, 167);

const QColor kTitleColor(250, 10, 10);
const QColor kHeaderTextColor(0, 50, 240);
const QColor kOutsideCellsColor(255, 255, 255);

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

enum class HistoryKey { None, Undo, Redo };

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo.
HistoryKey historyKey(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Z && mods == Qt::ControlModifier)
        return HistoryKey::Undo;
    if ((key->key() == Qt::Key_Y && mods == Qt::ControlModifier) ||
        (key->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

// How long an undo or redo note stays in the status bar, in milliseconds.
constexpr int kStatusNoteTime = 5000;

// The list item a list editor opens on for a cell text.
int openingSelection(const QComboBox* box, const std::string& cellText)
{
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i)
        items.push_back(box->itemText(i).toStdString());
    return qx260::initialListSelection(items, cellText);
}

} // namespace

CProgramView::CProgramView(qx260::CProgramDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc)
{
    qx260::setControlId(this, kViewId);
    // F1 asks for the topic of the focused control, the form's own when none names one.
    // A pop-up (an open drop-down list) keeps its keys.
    helpKey_ = new qx260::HelpKey(this, [this](QWidget* target) -> std::optional<int> {
        if (target->window() != window())
            return std::nullopt;
        return qx260::controlIdOf(target, this).value_or(kViewId);
    });
    connect(helpKey_, &qx260::HelpKey::requested, this, &CProgramView::helpRequested);
    // Every widget that ends up inside the view passes its keys by eventFilter() and the help key.
    installEventFilter(this);

    formFont_ = qx260::dialogFont(QStringLiteral("Times New Roman"), 9);
    setFont(formFont_);
    setAutoFillBackground(true);

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("title"));
    qx260::setControlId(title_, kTitleId);
    title_->setAlignment(Qt::AlignCenter);
    title_->setGeometry(qx260::dialogUnitsToPixels(formFont_, kTitleRect));
    QFont titleFont;
    titleFont.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                           QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    titleFont.setPointSize(12);
    title_->setFont(titleFont);

    grid_ = new CMSFlexGrid(this);
    grid_->setObjectName(QStringLiteral("grid"));
    qx260::setControlId(grid_, kGridId);
    grid_->setGeometry(qx260::dialogUnitsToPixels(formFont_, kGridRect));
    grid_->setTable(&table_);
    grid_->setAccessibleName(QString::fromUtf8(qx260::processValues().pick("Channel table", "信道表")));

    setFocusProxy(grid_);
    clipboard_ = new ChannelClipboard(*this);
    transfer_ = new TransferController(*this, this);
}

CProgramView::~CProgramView()
{
    // The grid (a child) outlives the table (a member): let go of it first.
    grid_->setTable(nullptr);
}

QSize CProgramView::sizeHint() const
{
    return qx260::dialogUnitsToPixels(formFont_, kFormSize);
}

QSize CProgramView::minimumSizeHint() const
{
    return {0, 0};
}

void CProgramView::OnInitialUpdate()
{
    shrinkFrameToForm();
    if (firstSetUp_)
        firstTimeSetUp();
    setWindowIconFromFile();
    fillTableFromDocument();
    // A new or opened document starts with nothing to undo.
    history_.reset(currentState());
}

QMdiSubWindow* CProgramView::documentFrame() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w))
            return frame;
    }
    return nullptr;
}

void CProgramView::shrinkFrameToForm()
{
    QMdiSubWindow* frame = documentFrame();
    if (!frame)
        return;
    // The frame's own parts (caption, borders) stay; only the room for the form shrinks.
    const QSize form = sizeHint();
    const QSize extra = frame->size() - size();
    const QSize fitted = frame->size().boundedTo(form + extra);
    if (fitted != frame->size())
        frame->resize(fitted);
}

void CProgramView::firstTimeSetUp()
{
    qx260::ProcessValues& pv = qx260::processValues();
    toneList_ = qx260::buildToneList(pv.languageFlag);

    applyThemeColors();

    createCellEditors();

    for (int c = 0; c < table_.cols(); ++c)
        table_.setTextMatrix(0, c, qx260::columnHeader(c, pv.languageFlag));

    const char* section = pv.languageFlag ? "Chinese" : "English";
    title_->setText(QString::fromStdString(pv.configurationStore.GetString(section, "Title", "")));

    for (int r = 1; r < table_.rows(); ++r) {
        char number[16];
        std::snprintf(number, sizeof number, "%2d", r);
        table_.setTextMatrix(r, qx260::column::Channel, number);
    }

    for (int c = 0; c < table_.cols(); ++c)
        table_.setColAlignment(c, qx260::AlignCenterCenter);
    for (int c : {qx260::column::BusyLock, qx260::column::Power}) {
        table_.setColWidth(c, 0);
        table_.setColAlignment(c, qx260::AlignLeftTop);
    }
    firstSetUp_ = false;
}

void CProgramView::applyThemeColors()
{
    // A light palette keeps the form's own colours; a dark one makes them readable on it.
    const QPalette& pal = palette();
    const bool dark = qx260::isDarkPalette(pal);
    grid_->setBackColorBkg(dark ? pal.color(QPalette::Base) : kOutsideCellsColor);
    grid_->setForeColorFixed(dark ? qx260::readableOn(kHeaderTextColor, pal.color(QPalette::Button),
                                                      pal.color(QPalette::ButtonText))
                                  : kHeaderTextColor);
    QPalette titlePalette = pal;
    titlePalette.setColor(
        QPalette::WindowText,
        dark ? qx260::readableOn(kTitleColor, pal.color(QPalette::Window), pal.color(QPalette::WindowText))
             : kTitleColor);
    title_->setPalette(titlePalette);
}

void CProgramView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A change of the desktop's theme while the window is open.
    if (event->type() == QEvent::PaletteChange && !firstSetUp_)
        applyThemeColors();
}

void CProgramView::createCellEditors()
{
    cellEditors_ = new qx260::CellEditors(grid_, table_, toneList_, qx260::processValues().languageFlag);
    // Files dragged over an edit box go to the main window (which opens documents), not
    // into the cell as text.
    for (int col : {qx260::column::RxFrequency, qx260::column::TxFrequency})
        cellEditors_->editBox(col)->setAcceptDrops(false);
    // Entering or clicking a cell opens its editor; leaving it commits without moving on.
    connect(grid_, &CMSFlexGrid::enterCell, cellEditors_, &qx260::CellEditors::openEditor);
    connect(grid_, &CMSFlexGrid::mouseDown, cellEditors_, [this] { cellEditors_->openOnMousePress(); });
    connect(grid_, &CMSFlexGrid::leaveCell, this, [this] { commitCellEdit(false); });
}

void CProgramView::setWindowIconFromFile()
{
    QMdiSubWindow* frame = documentFrame();
    if (!frame)
        return;
    const QString path =
        QString::fromStdString(qx260::processValues().executableDirectory) + QStringLiteral("title.ico");
    QImage image;
    if (!QFile::exists(path) || !image.load(path))
        return; // no icon of its own; nothing to report
    frame->setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

qx260::UserStore& CProgramView::userStore() const
{
    return qx260::processValues().userStoreOrSession();
}

void CProgramView::fillTableFromDocument()
{
    hideCellEditors();
    qx260::ProcessValues& pv = qx260::processValues();
    // The product choice first: a new document takes the user's, any other one becomes it.
    qx260::settleProductChoice(doc_.image, doc_.newDocumentFlag, userStore(), pv.configurationStore);
    const qx260::ProductDescription product =
        qx260::describeProduct(doc_.image, pv.configurationStore, pv.languageName, pv.language());
    doc_.bandLimits = product.bandLimits;
    tableVariant_ = pv.radioVariant;
    showChannels();
    if (pv.showCaption)
        pv.showCaption(product.caption);
}

qx260::ChannelList CProgramView::channels() const
{
    return qx260::decodeChannels(doc_.image);
}

qx260::BandLimits CProgramView::bandLimits() const
{
    return doc_.bandLimits;
}

void CProgramView::showChannels()
{
    qx260::fillChannelTable(table_, channels(), tableVariant_, qx260::processValues().language(),
                            allColumns_);
    grid_->update();
}

void CProgramView::showChannel(int n)
{
    const std::array<std::string, 8> texts = qx260::shownFieldTexts(
        qx260::decodeChannel(doc_.image, n), tableVariant_, qx260::processValues().language());
    for (int col = qx260::column::RxFrequency; col <= qx260::column::Power; ++col)
        table_.setTextMatrix(n, col, texts[static_cast<std::size_t>(col - 1)]);
}

bool CProgramView::commitCellEdit(bool advance, const QString& afterRefusal)
{
    const int channel = table_.row();
    const std::optional<qx260::ChannelField> field = qx260::fieldOfColumn(table_.col());
    const std::optional<std::string> text = cellEditors_ ? cellEditors_->take() : std::nullopt;
    if (text && field) {
        qx260::Channel edited = qx260::decodeChannel(doc_.image, channel);
        const qx260::EditOutcome outcome = qx260::commitField(
            edited, *field, *text, advance ? qx260::CommitTrigger::Enter : qx260::CommitTrigger::LeaveCell,
            doc_.bandLimits, tableVariant_, qx260::processValues().language());
        // The lists offer only their items: a refusal without a message cannot come from them.
        if (!outcome.ok() && outcome.messageId() != 0) {
            auto message = [](int id) {
                return qx260::resourceString(id, QString::fromUtf8(qx260::cellEditMessageFallback(id)));
            };
            QString shown = message(outcome.messageId());
            if (!afterRefusal.isEmpty())
                shown += QStringLiteral("\n\n") + afterRefusal;
            qx260::showMessage(this, message(qx260::resid::StrCaution), shown, QMessageBox::Ok,
                               qx260::MsgIcon::Exclamation);
            return false;
        }
        if (outcome.changed) {
            qx260::encodeChannel(edited, doc_.image, channel);
            showChannel(channel);
            if (recordChange({qx260::ChangeKind::Cell, channel}))
                emit documentModified();
        }
    }
    if (advance)
        advanceCell();
    return true;
}

void CProgramView::advanceCell()
{
    qx260::advanceAfterEnter(table_);
}

void CProgramView::hideCellEditors()
{
    if (cellEditors_)
        cellEditors_->hide(qx260::column::RxFrequency, qx260::column::Power);
}

void CProgramView::setAllColumns(bool on)
{
    if (on == allColumns_)
        return;
    // A choice open in Busy Lock or Power is the user's: taken before its column goes.
    if (!on && table_.col() >= qx260::column::BusyLock)
        commitCellEdit(false);
    allColumns_ = on;
    qx260::applyColumnLayout(table_, tableVariant_, on);
    if (table_.colWidth(table_.col()) == 0) {
        int col = table_.col();
        while (col > 1 && table_.colWidth(col) == 0)
            --col;
        table_.setCol(col);
    }
}

void CProgramView::warnChannelsOutsideBand(const QString& bandText)
{
    const std::vector<int> outside = qx260::channelsOutsideBand(channels(), doc_.bandLimits, tableVariant_);
    if (outside.empty())
        return;
    QStringList numbers;
    for (int channel : outside)
        numbers << QString::number(channel);
    const qx260::ProcessValues& pv = qx260::processValues();
    const QString text =
        QString::fromUtf8(pv.pick("These channels lie outside the band %1 and are kept as they are: %2.\n"
                                  "Change them before you write to the radio.",
                                  "以下信道不在频段 %1 之内，已保持原样：%2。\n请在写入电台之前修改它们。"))
            .arg(bandText, numbers.join(QStringLiteral(", ")));
    qx260::showMessage(this, qx260::applicationCaption(), text, QMessageBox::Ok, qx260::MsgIcon::Exclamation);
}

void CProgramView::markDocumentModified(qx260::ChangeKind kind)
{
    recordChange({kind, 0});
    emit documentModified();
}

qx260::DocumentState CProgramView::currentState() const
{
    return {doc_.image, doc_.bandLimits};
}

bool CProgramView::recordChange(const qx260::Change& change)
{
    return history_.record(change, currentState());
}

bool CProgramView::undo()
{
    return stepHistory(true);
}

bool CProgramView::redo()
{
    return stepHistory(false);
}

bool CProgramView::stepHistory(bool back)
{
    const bool languageFlag = qx260::processValues().languageFlag;
    // The transfer works on the document's image: it is not replaced under it.
    if (transferRunning()) {
        showStatus(qx260::undoDuringTransferText(languageFlag));
        return false;
    }
    qx260::Change change;
    const qx260::DocumentState* state = back ? history_.undo(&change) : history_.redo(&change);
    if (!state) {
        showStatus(qx260::undoStatusText(back, nullptr, languageFlag));
        return false;
    }
    // An editor over the current cell is opened again on the restored text.
    const int col = table_.col();
    const bool editorShown = cellEditors_ && col >= 1 && cellEditors_->isShown(col);
    showState(*state);
    if (editorShown)
        cellEditors_->openEditor();
    showStatus(qx260::undoStatusText(back, &change, languageFlag));
    emit documentModified();
    return true;
}

bool CProgramView::prepareChannelChange()
{
    if (transferRunning()) {
        showStatus(qx260::editDuringTransferText(qx260::processValues().languageFlag));
        return false;
    }
    return grid_->isEnabled() && commitCellEdit(false);
}

void CProgramView::takeChannels(const qx260::ChannelList& channels, const qx260::Change& change)
{
    const int col = table_.col();
    const bool editorShown = cellEditors_ && col >= 1 && cellEditors_->isShown(col);
    hideCellEditors();
    qx260::encodeChannels(channels, doc_.image);
    showChannels();
    if (editorShown)
        cellEditors_->openEditor();
    if (recordChange(change))
        emit documentModified();
}

void CProgramView::showState(const qx260::DocumentState& state)
{
    hideCellEditors();
    const std::uint8_t type = doc_.image.byte(qx260::offset::ProductType);
    const std::uint8_t band = doc_.image.byte(qx260::offset::BandIndex);
    doc_.image = state.image;
    doc_.bandLimits = state.bandLimits;
    showChannels();

    // The user's product choice and the caption follow the product bytes, as when the
    // document was opened.
    if (doc_.image.byte(qx260::offset::ProductType) != type ||
        doc_.image.byte(qx260::offset::BandIndex) != band) {
        const qx260::ProcessValues& pv = qx260::processValues();
        qx260::settleProductChoice(doc_.image, false, userStore(), pv.configurationStore);
        if (pv.showCaption)
            pv.showCaption(
                qx260::describeProduct(doc_.image, pv.configurationStore, pv.languageName, pv.language())
                    .caption);
    }
}

bool CProgramView::undoInEditBox(bool redo)
{
    const int col = table_.col();
    if (!cellEditors_ || col < 1 || !cellEditors_->isShown(col))
        return false;
    // An edit box keeps Ctrl+Z and Ctrl+Y while it has typing of its own to undo or redo.
    QLineEdit* edit = cellEditors_->editBox(col);
    if (!edit || !(redo ? edit->isRedoAvailable() : edit->isUndoAvailable()))
        return false;
    if (redo)
        edit->redo();
    else
        edit->undo();
    return true;
}

bool CProgramView::revertListChoice()
{
    const int col = table_.col();
    if (!cellEditors_ || col < 1 || !cellEditors_->isShown(col))
        return false;
    // A list whose choice was changed but not taken goes back to the item it opened on.
    QComboBox* box = cellEditors_->listBox(col);
    if (!box)
        return false;
    const int opening = openingSelection(box, table_.text());
    if (box->currentIndex() == opening)
        return false;
    box->setCurrentIndex(opening);
    return true;
}

void CProgramView::showStatus(const std::string& text)
{
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window()))
        mainWindow->statusBar()->showMessage(QString::fromStdString(text), kStatusNoteTime);
}

void CProgramView::OnEditUndo()
{
    if (!undoInEditBox(false) && !revertListChoice())
        stepHistory(true);
}

void CProgramView::OnEditRedo()
{
    if (!undoInEditBox(true))
        stepHistory(false);
}

void CProgramView::OnEditCut()
{
    clipboard_->cut();
}

void CProgramView::OnEditCopy()
{
    clipboard_->copy();
}

void CProgramView::OnEditPaste()
{
    clipboard_->paste();
}

void CProgramView::OnImportChannels()
{
    qx260::importChannels(*this);
}

void CProgramView::OnExportChannels()
{
    qx260::exportChannels(*this);
}

qx260::PrintContent CProgramView::printContent() const
{
    return qx260::printContent(doc_.image, {tableVariant_, allColumns_}, qx260::processValues());
}

// Printing shows the channels as the user sees them: an edit still open in a cell is
// taken into the table first (and printing stops when it is rejected).
void CProgramView::OnFilePrint()
{
    if (commitCellEdit(false))
        qx260::filePrint(this, printContent());
}

void CProgramView::OnFilePrintDirect()
{
    if (commitCellEdit(false))
        qx260::filePrintDirect(this, printContent());
}

void CProgramView::OnFilePrintPreview()
{
    if (commitCellEdit(false))
        qx260::filePrintPreview(this, printContent());
}

void CProgramView::watch(QObject* object)
{
    object->installEventFilter(this);
    object->installEventFilter(helpKey_);
    for (QObject* child : object->children())
        watch(child);
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        // Widgets created later (the cell editors) are watched as soon as they arrive.
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Keys of a pop-up (an open drop-down list) belong to the pop-up.
        if (!widget || widget->window() != window())
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (const HistoryKey history = historyKey(key); history != HistoryKey::None) {
            // No shortcut of the main window uses these keys: they arrive as key presses.
            if (event->type() == QEvent::ShortcutOverride)
                break;
            // An open editor undoes its own typing or choice first.
            if (history == HistoryKey::Redo)
                OnEditRedo();
            else
                OnEditUndo();
            return true;
        }
        if (event->type() == QEvent::KeyPress && clipboard_->handleKey(key))
            return true;
        if (!isEnterKey(key->key()))
            break;
        if (event->type() == QEvent::ShortcutOverride) {
            // Keep Enter for the view, ahead of the main window's shortcuts.
            event->accept();
            return true;
        }
        commitCellEdit(true);
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// The radio link: the commands go to the transfer controller, which asks the view for what
// it needs through TransferView.

void CProgramView::OnRead()
{
    transfer_->OnRead();
}

void CProgramView::OnWrite()
{
    transfer_->OnWrite();
}

void CProgramView::OnComSetup()
{
    transfer_->OnComSetup();
}

void CProgramView::OnWriteSafety()
{
    transfer_->OnWriteSafety();
}

void CProgramView::OnCompareWithRadio()
{
    transfer_->OnCompareWithRadio();
}

void CProgramView::OnWriteSeveralRadios()
{
    transfer_->OnWriteSeveralRadios();
}

bool CProgramView::commitOpenEdit(const QString& afterRefusal)
{
    return commitCellEdit(false, afterRefusal);
}

const qx260::RadioImage& CProgramView::documentImage()
{
    return doc_.image;
}

void CProgramView::takeReadImage(const qx260::RadioImage& image, int radioVariant)
{
    // The radio read is no new document, and its variant lays out the windows filled from now.
    doc_.image = image;
    doc_.newDocumentFlag = false;
    qx260::processValues().radioVariant = radioVariant;
    fillTableFromDocument();
    markDocumentModified(qx260::ChangeKind::Read);
}

void CProgramView::showDocumentWindow()
{
    if (QMdiSubWindow* frame = documentFrame()) {
        if (frame->isHidden())
            frame->show();
    } else if (isHidden()) {
        show();
    }
}

void CProgramView::showStatusNote(const std::string& text)
{
    showStatus(text);
}
