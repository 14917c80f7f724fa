#pragma once
// The Process window: the modeless window through which a transfer is started,
// watched and cancelled. One object per channel view; its window exists from a
// Read or Write command to the end of the transfer (or Cancel before the start).

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

class CProcessDlg : public QDialog
{
    Q_OBJECT
  public:
    static constexpr int kTemplateId = 131;
    static constexpr int kProgressId = 1001;
    static constexpr int kCountId = 1009;
    static constexpr int kBarMaximum = 51;

    explicit CProcessDlg(QWidget* parent);

    // Set by Cancel, cleared when the window is created; read by the transfer.
    bool cancelRequested() const { return cancelFlag_ != 0; }
    // "Read Data" / "Write Data" (or the Chinese titles): the title of the window created
    // next, and at once of the window that is open.
    void setTitleText(const QString& title);

    // True from creation to destruction of the window.
    bool windowExists() const { return exists_; }
    // Creates the window over `over` (modeless), shows it and centres it.
    void createWindow(QWidget* over);
    // Ends the window (the object stays for the next transfer).
    void destroyWindow();

    // For the transfer.
    int progressPosition() const;
    void stepProgress(); // one step below 64, with the count text
    // A transfer of several sessions (a Write that reads the radio first and afterwards):
    // the bar and the count start again at 0 and the title names the session.
    void beginStage(const QString& title);

    QProgressBar* progressBar() const { return progressBar_; }
    QLabel* countText() const { return countText_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  signals:
    // OK was pressed: the owner runs the transfer (posted, not called).
    void transferRequested();

  protected:
    void OnInitDialog();
    void OnOK();
    void OnCancel();
    void reject() override; // Escape and the close box are Cancel
    void accept() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QProgressBar* progressBar_ = nullptr;
    QLabel* countText_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool exists_ = false;
    int cancelFlag_ = 0;
    QString titleText_;
};
