#pragma once
// Setup > Write Safety: the three choices around a Write in the window, kept per user
// and all off at first: back up the radio first (into a folder), show what will change
// and ask, read the radio back afterwards and compare.

#include <QDialog>

#include "core/config/UserStore.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class CWriteSafetyDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit CWriteSafetyDlg(QWidget* parent);

    // Shows the stored choices; OK keeps them for the user (Cancel changes nothing).
    int exec() override;

    // The folder backups go to: the chosen one, else the user's documents folder.
    static QString backupFolder(const qx260::WriteSafety& safety);

    QCheckBox* backupBox() const { return backup_; }
    QLineEdit* folderEdit() const { return folder_; }
    QCheckBox* reviewBox() const { return review_; }
    QCheckBox* verifyBox() const { return verify_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void OnOK();
    void OnBrowse();

    QCheckBox* backup_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QPushButton* browse_ = nullptr;
    QCheckBox* review_ = nullptr;
    QCheckBox* verify_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
