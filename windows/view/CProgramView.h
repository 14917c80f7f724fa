#pragma once
// The channel window's form: the title line over the channel grid, which shows the
// document's channels as the radio variant of its last fill shows them. The view wires the
// grid, routes keys and commands, prints, and shows the document again after a change. Its
// ChannelEditor edits (cell editors, whole channels through the ChannelClipboard and
// ChannelFileCommands, undo); its TransferController links it with the radio, asking the
// view only what TransferView offers (the open edit, the image, a completed Read). Enter and
// F1 anywhere inside it become a commit and a help request.

#include <string>
#include <vector>

#include <QFont>
#include <QWidget>

#include "core/channels/Channel.h"
#include "core/channels/ChannelTable.h"
#include "core/channels/UndoHistory.h"
#include "core/radio/FrequencyCheck.h"
#include "windows/view/TransferController.h"

class QLabel;
class QMdiSubWindow;
class CMSFlexGrid;
class CProcessDlg;

namespace qx260
{
class HelpKey;
class CProgramDoc;
class UserStore;
class CellEditors;
class ChannelEditor;
struct PrintContent;
} // namespace qx260

class CProgramView : public QWidget, private TransferView
{
    Q_OBJECT
  public:
    // Control ids (also the help topics of F1 while the control has the focus).
    static constexpr int kViewId = 0xE900; // the form itself
    static constexpr int kGridId = 1000;
    static constexpr int kTitleId = 1006;

    explicit CProgramView(qx260::CProgramDoc& doc, QWidget* parent = nullptr);
    ~CProgramView() override;

    qx260::CProgramDoc& document() { return doc_; }
    qx260::ChannelTable& table() { return table_; }
    CMSFlexGrid* grid() const { return grid_; }
    QLabel* titleLabel() const { return title_; }
    const std::vector<std::string>& toneList() const { return toneList_; }
    // The editing half of the window, and its eight cell editors (created by the first
    // initial update).
    qx260::ChannelEditor& editor() const { return *editor_; }
    qx260::CellEditors* cellEditors() const;
    // True until the first initial update has set the view up.
    bool firstSetUp() const { return firstSetUp_; }

    // Every time: shrinks the document's sub-window to the form (never enlarges it), gives
    // it "title.ico" as its icon, and fills the table from the document's image. The first
    // time it also sets the view up (tone list, colours, headers, title, channel numbers).
    void OnInitialUpdate();
    // Fills the table from the document's image for the process's radio variant: layout,
    // cells, the product choice, band limits, caption. Used by every initial update and
    // after a completed Read. An editor still open is hidden first, so its old text can
    // never be committed over the new cells.
    void fillTableFromDocument();
    // The document's channels, and the radio variant the table was last filled for (a Read
    // in another window changes the process's variant, not this table).
    qx260::ChannelList channels() const;
    int tableVariant() const { return tableVariant_; }
    // The document's valid frequencies.
    qx260::BandLimits bandLimits() const;
    // Shows the document's channels again in the cells (all, or channel n).
    void showChannels();
    void showChannel(int n);
    // Tells the shell that the document changed (a completed Read, a dialog's OK) and
    // keeps the new state as a step of the undo history.
    void markDocumentModified(qx260::ChangeKind kind = qx260::ChangeKind::Other);
    // Shows a note in the main window's status bar for a few seconds.
    void showStatus(const std::string& text);

    // What the editor does, for the shell and the channel-list commands (see ChannelEditor).
    bool undo();
    bool redo();
    const qx260::UndoHistory& undoHistory() const;
    bool prepareChannelChange();
    void takeChannels(const qx260::ChannelList& channels, const qx260::Change& change);
    bool commitCellEdit(bool advance, const QString& afterRefusal = QString());
    void hideCellEditors();
    void warnChannelsOutsideBand(const QString& bandText);

    // Busy Lock and Power shown beside the columns of the radio variant (the user's View >
    // All Columns), or hidden as the variant's layout has them. A choice still open in one
    // of them is taken first, and a current cell that disappears moves to a shown one.
    void setAllColumns(bool on);

    // What a printout of the document shows: its channels as this window shows them.
    qx260::PrintContent printContent() const;

    // The form's font (Times New Roman 9) and its size in pixels.
    QFont formFont() const { return formFont_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The radio link of this window (made with the view, with its Process window and
    // dialogs kept for every use).
    TransferController& transfer() const { return *transfer_; }
    CProcessDlg* processDialog() const { return transfer_->processDialog(); }
    // True while a transfer of this view runs (the image is being read or sent).
    bool transferRunning() const { return transfer_->running(); }

  public slots:
    void OnRead();               // Read from the radio
    void OnWrite();              // Write to the radio
    void OnComSetup();           // serial port choice
    void OnWriteSafety();        // what a Write does first and afterwards
    void OnCompareWithRadio();   // read the radio and show how it differs, writing nothing
    void OnWriteSeveralRadios(); // the document into the radios on several ports at once
    void OnFilePrint();          // print with the print dialog
    void OnFilePrintDirect();    // print without a dialog
    void OnFilePrintPreview();   // print preview
    void OnEditUndo();           // as Ctrl+Z: an open editor's own typing or choice first
    void OnEditRedo();           // as Ctrl+Y
    void OnEditCut();            // the selected channels to the clipboard, then cleared
    void OnEditCopy();           // the selected channels to the clipboard
    void OnEditPaste();          // channels from the clipboard, from the current one on
    void OnImportChannels();     // channels from a CSV file
    void OnExportChannels();     // the channels into a CSV file

  signals:
    // The view changed the document (a cell of a channel row changed).
    void documentModified();
    // F1 was pressed; topic is the control id of the focused control.
    void helpRequested(int topic);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // What the transfer controller asks of the window (TransferView).
    bool commitOpenEdit(const QString& afterRefusal) override;
    const qx260::RadioImage& documentImage() override;
    void takeReadImage(const qx260::RadioImage& image, int radioVariant) override;
    void showDocumentWindow() override;
    void showStatusNote(const std::string& text) override;

    void firstTimeSetUp();
    // The header text, title and outside-the-cells colours for the current palette.
    void applyThemeColors();
    void watch(QObject* object);
    void setWindowIconFromFile();
    void shrinkFrameToForm();
    QMdiSubWindow* documentFrame() const;

    qx260::CProgramDoc& doc_;
    qx260::ChannelTable table_;
    std::vector<std::string> toneList_;
    QFont formFont_;
    QLabel* title_ = nullptr;
    CMSFlexGrid* grid_ = nullptr;
    bool firstSetUp_ = true;
    // The radio variant the table was last filled for: its columns, and so what it stores
    // (a Read in another window changes the process-wide variant, not this table).
    int tableVariant_ = 1;
    bool allColumns_ = false;
    qx260::HelpKey* helpKey_ = nullptr;
    qx260::ChannelEditor* editor_ = nullptr;
    TransferController* transfer_ = nullptr;
};
