// The channel view: its form, the fill from the document's channels, cell editing through
// the core's commit rules with its undo history, printing, and the keys it keeps for
// itself (Enter, F1, undo and redo).

#include "windows/view/CProgramView.h"

#include <cstdio>

#include <QApplication>
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

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelFields.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/print/PrintLayout.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Tones.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"
#include "windows/common/ThemeColors.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CellEditors.h"
#include "windows/view/ChannelClipboard.h"
#include "windows/view/ChannelEditor.h"
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
// The title's font: the form's Song typeface under its Chinese and its Latin name, then
// the CJK fonts a Linux desktop has instead.
const char* const kTitleFontFamilies[] = {"\u5B8B\u4F53", "SimSun", "Noto Serif CJK SC", "Noto Sans CJK SC"};

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
    QStringList families;
    for (const char* family : kTitleFontFamilies)
        families << QString::fromUtf8(family);
    titleFont.setFamilies(families);
    titleFont.setPointSize(12);
    title_->setFont(titleFont);

    grid_ = new CMSFlexGrid(this);
    grid_->setObjectName(QStringLiteral("grid"));
    qx260::setControlId(grid_, kGridId);
    grid_->setGeometry(qx260::dialogUnitsToPixels(formFont_, kGridRect));
    grid_->setTable(&table_);
    grid_->setAccessibleName(qx260::programText(qx260::Text::ChannelTableName));

    setFocusProxy(grid_);
    editor_ = new qx260::ChannelEditor(*this);
    connect(editor_, &qx260::ChannelEditor::documentModified, this, &CProgramView::documentModified);
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
    editor_->startHistory();
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
    toneList_ = qx260::buildToneList(pv.language());

    applyThemeColors();

    editor_->createCellEditors(toneList_, pv.language());

    for (int c = 0; c < table_.cols(); ++c)
        table_.setTextMatrix(0, c, qx260::columnHeader(c, pv.language()));

    const char* section = qx260::isChinese(pv.language()) ? "Chinese" : "English";
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

void CProgramView::fillTableFromDocument()
{
    hideCellEditors();
    qx260::ProcessValues& pv = qx260::processValues();
    // The product choice first: a new document takes the user's, any other one becomes it.
    qx260::settleProductChoice(doc_.image, doc_.newDocumentFlag, pv.userStoreOrSession(),
                               pv.configurationStore);
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

void CProgramView::showStatus(const std::string& text)
{
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window()))
        mainWindow->statusBar()->showMessage(QString::fromStdString(text), kStatusNoteTime);
}

qx260::CellEditors* CProgramView::cellEditors() const
{
    return editor_->cellEditors();
}

void CProgramView::markDocumentModified(qx260::ChangeKind kind)
{
    editor_->recordDocumentChange(kind);
}

bool CProgramView::undo()
{
    return editor_->undo();
}

bool CProgramView::redo()
{
    return editor_->redo();
}

const qx260::UndoHistory& CProgramView::undoHistory() const
{
    return editor_->history();
}

bool CProgramView::prepareChannelChange()
{
    return editor_->prepareChannelChange();
}

void CProgramView::takeChannels(const qx260::ChannelList& channels, const qx260::Change& change)
{
    editor_->takeChannels(channels, change);
}

bool CProgramView::commitCellEdit(bool advance, const QString& afterRefusal)
{
    return editor_->commitCellEdit(advance, afterRefusal);
}

void CProgramView::hideCellEditors()
{
    editor_->hideCellEditors();
}

void CProgramView::warnChannelsOutsideBand(const QString& bandText)
{
    editor_->warnChannelsOutsideBand(bandText);
}

void CProgramView::OnEditUndo()
{
    editor_->editUndo();
}

void CProgramView::OnEditRedo()
{
    editor_->editRedo();
}

void CProgramView::OnEditCut()
{
    editor_->clipboard().cut();
}

void CProgramView::OnEditCopy()
{
    editor_->clipboard().copy();
}

void CProgramView::OnEditPaste()
{
    editor_->clipboard().paste();
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
        if (event->type() == QEvent::KeyPress && editor_->clipboard().handleKey(key))
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
