#pragma once
// The channel window's radio link: Read, Write, Compare with Radio, Com Setup, Write Safety
// and Write to Several Radios. The controller owns the windows of these commands (the
// Process window, the Port Setting dialog, Write Safety, the difference view), runs the
// transfers through the core's read, write and write workflow on a port it opens for them,
// and turns their outcomes into messages. It reaches the document window only through
// TransferView.

#include <optional>
#include <string>

#include <QObject>
#include <QString>

#include "core/config/UserStore.h"
#include "core/link/WriteWorkflow.h"

class QWidget;
class CCompareDlg;
class CPortSettingDlg;
class CProcessDlg;
class CWriteSafetyDlg;

// What the transfers need of the document window they serve.
class TransferView
{
  public:
    virtual ~TransferView() = default;
    // Takes the value still being typed into the channels. False when it was refused: its
    // message (followed by afterRefusal, when given) has been shown and the channel is as
    // it was.
    virtual bool commitOpenEdit(const QString& afterRefusal) = 0;
    // The document's image as it is: what a Write sends, and what a Read keeps beyond the
    // memory it reads.
    virtual const qx260::RadioImage& documentImage() = 0;
    // A completed Read: the document takes the image read and the window shows it, as one
    // step to undo; the radio variant is that of the radio read.
    virtual void takeReadImage(const qx260::RadioImage& image, int radioVariant) = 0;
    // Shows the document window again if it was hidden (closed).
    virtual void showDocumentWindow() = 0;
    // A note in the status bar.
    virtual void showStatusNote(const std::string& text) = 0;
};

class TransferController : public QObject
{
    Q_OBJECT
  public:
    // What OK in the Process window starts.
    enum class Command { Read, Write, Compare };

    // The windows are made as children of viewWidget; the port is the stored one.
    TransferController(TransferView& view, QWidget* viewWidget);

    void OnRead();
    void OnWrite();
    void OnCompareWithRadio();
    void OnComSetup();
    void OnWriteSafety();
    void OnWriteSeveralRadios();

    Command command() const { return command_; }
    // True while a transfer runs (from OK to its end).
    bool running() const { return running_; }

    CProcessDlg* processDialog() const { return processDlg_; }
    CPortSettingDlg* portSettingDialog() const { return portSettingDlg_; }
    CWriteSafetyDlg* writeSafetyDialog() const { return writeSafetyDlg_; }
    CCompareDlg* compareDialog() const { return compareDlg_; }

  private:
    // Read, Write or Compare: opens the Process window titled for the command, or retitles
    // the one that is open and waits for OK.
    void openProcessWindow(Command command);
    // What OK in the Process window posts.
    void runTransfer();
    void readDocument(const std::string& device);
    void writeDocument(const std::string& device);
    void compareWithRadio(const std::string& device);
    // A Write with a Write Safety choice on; writeAgain: the backup of the run whose verify
    // failed (Write Again).
    void writeChecked(const std::string& device, const qx260::WriteSafety& safety,
                      std::optional<qx260::link::BackupKept> writeAgain);
    // The end of a run: the Process window closes and commands may start transfers again.
    void endRun();
    // How a Write (or the read before it) ended, and what the radio now holds: in the box of
    // its message, in the box of a cancel that left part of the document, or (when nothing
    // else is said) in the status bar. backup: what the radio held before, when kept.
    void tellWriteEnding(const qx260::link::TransferOutcome& outcome, qx260::link::RadioContents held,
                         const std::string& backup);

    TransferView& view_;
    QWidget* viewWidget_;
    CProcessDlg* processDlg_ = nullptr;
    CPortSettingDlg* portSettingDlg_ = nullptr;
    CWriteSafetyDlg* writeSafetyDlg_ = nullptr;
    CCompareDlg* compareDlg_ = nullptr;
    Command command_ = Command::Read;
    bool running_ = false;
    // Set by Write Again for the Write it opens; any other command forgets it.
    std::optional<qx260::link::BackupKept> writeAgain_;
};
