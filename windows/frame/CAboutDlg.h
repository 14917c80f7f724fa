#pragma once
// The About dialog: title, version line and the two copyright lines of the current
// language's section of Program.ini, with the program's icon.

#include <QDialog>

class QLabel;
class QPushButton;

class CAboutDlg : public QDialog
{
    Q_OBJECT
  public:
    static constexpr int kIconId = 1005;
    static constexpr int kVersionId = 1002;
    static constexpr int kCopyrightsId = 1003;
    static constexpr int kOwnerId = 1004;

    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* control(int id) const;
    QPushButton* okButton() const { return ok_; }

  private:
    void OnInitDialog();

    QLabel* icon_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* copyrights_ = nullptr;
    QLabel* owner_ = nullptr;
    QPushButton* ok_ = nullptr;
};
