#pragma once
// Program > Find Radio: which port is the cable on? Nothing is sent until the user presses
// Find (the dialog says what it sends); then every free port among COM1 .. COM16 is asked
// at once for the radio's identification, and the ports list what answered, with the radio
// variant. One click on a radio's Use This Port makes that port the port of the transfers,
// stored as Port Setting stores it.

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

class CFindRadioDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit CFindRadioDlg(QWidget* parent = nullptr);

    QPushButton* findButton() const { return find_; }
    QTreeWidget* answerList() const { return list_; }
    QLabel* statusText() const { return status_; }
    // The Use This Port button of a port that answered as this radio; null for any other.
    QPushButton* useButton(int portNumber) const;

    // Asks the ports and lists the answers (what Find does).
    void OnFind();

  private:
    void use(int portNumber);

    QPushButton* find_ = nullptr;
    QPushButton* close_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<std::pair<int, QPushButton*>> useButtons_;
    bool running_ = false;
    bool cancel_ = false;
};
