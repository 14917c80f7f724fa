#pragma once
// The difference view: what differs between the radio and a document, channel by channel
// and option by option, as the program shows them. One dialog serves three purposes: the
// review before a Write (Write or Cancel), Compare with Radio (Close), and the result of
// a verify that found the radio holding something else than was written (Write Again or
// Close).

#include <vector>

#include <QDialog>

#include "core/compare/DifferenceText.h"

class QLabel;
class QPushButton;
class QTreeWidget;

class CCompareDlg : public QDialog
{
    Q_OBJECT
  public:
    enum class Purpose { Review, Compare, Verify };

    explicit CCompareDlg(QWidget* parent);

    // Fills the dialog for a purpose: the rows (empty: nothing differs) and, for a verify,
    // a note on the way back. Then exec(): Accepted is Write (Review) or Write Again (Verify).
    void setUp(Purpose purpose, const std::vector<qx260::DifferenceRow>& rows, const QString& note = {});

    Purpose purpose() const { return purpose_; }
    QLabel* heading() const { return heading_; }
    QTreeWidget* list() const { return list_; }
    QLabel* note() const { return note_; }
    // Write / Write Again; hidden for Compare.
    QPushButton* acceptButton() const { return accept_; }
    // Cancel or Close.
    QPushButton* closeButton() const { return close_; }

  private:
    Purpose purpose_ = Purpose::Compare;
    QLabel* heading_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* accept_ = nullptr;
    QPushButton* close_ = nullptr;
};
