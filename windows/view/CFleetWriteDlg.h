#pragma once
// Program > Write to Several Radios: the document written into the radios on several
// ports at once. The user picks ports (those whose devices open now are enabled) and
// whether each radio is read back to verify; then each port shows one progress bar and
// its result, and Cancel stops every transfer at its next block. Each port's transfer runs
// on a thread of its own; the same image (the channel table encoded once, by the command)
// goes to every radio. When some radios failed, Write Again to Failed writes the same image
// with the same choices to those ports only.

#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/radio/RadioImage.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace qx260::link
{
class PortThreads;
}

class CFleetWriteDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit CFleetWriteDlg(QWidget* parent = nullptr);
    ~CFleetWriteDlg() override;

    // Opens a device and closes it at once; true when it opened. Replaceable for tests.
    std::function<bool(const std::string& device)> probe;

    // Shows the dialog (modal) for `image`; the ports are probed each time.
    int run(const qx260::RadioImage& image);
    // Sets the ports up for `image` without showing the dialog (run does this first).
    void prepare(const qx260::RadioImage& image);

    QCheckBox* portBox(int number) const; // 1..16
    QCheckBox* verifyBox() const { return verify_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* cancelButton() const { return cancel_; }
    // Shown once the ports are finished and some radio failed.
    QPushButton* againButton() const { return again_; }
    // One per chosen port, in port order, once writing has started.
    QProgressBar* progressBar(int row) const;
    QLabel* resultText(int row) const;
    QLabel* summaryText() const { return summary_; }
    bool running() const { return running_; }

  public slots:
    void OnWrite();      // starts the chosen ports
    void OnCancel();     // stops them all (before the start: closes)
    void OnWriteAgain(); // once finished: the ports whose radio failed, again

  protected:
    void reject() override; // Escape and the close box are Cancel
    void closeEvent(QCloseEvent* event) override;

  private:
    struct PortRow;

    void refresh(); // the bars and results from the ports' threads
    void updateWriteButton();
    void startPorts(const std::vector<int>& numbers, bool verify); // ports 1..16, in order

    qx260::RadioImage image_;
    QCheckBox* ports_[16] = {};
    QCheckBox* verify_ = nullptr;
    QGridLayout* rowsLayout_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* again_ = nullptr;
    QTimer* timer_ = nullptr;
    std::vector<std::unique_ptr<PortRow>> rows_;
    std::unique_ptr<qx260::link::PortThreads> threads_;
    std::shared_ptr<std::atomic<bool>> cancelFlag_;
    bool running_ = false;
};
