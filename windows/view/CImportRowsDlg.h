#pragma once
// The import dialog: the rows of a channel list that cannot all be taken as they stand,
// one line per row of the file (its line number, name, frequency, tones) with a check box,
// the channel it would go to and, for a row left out, why. Rows that cannot be taken are
// unchecked and greyed; the user checks and unchecks the others and chooses the first
// channel, and the channel column follows. The rules (what fits, where the rows go) are the
// core's (ImportPlan.h); the dialog only shows them and keeps the user's choice.

#include <vector>

#include <QDialog>

#include "core/channels/ImportPlan.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

class CImportRowsDlg : public QDialog
{
    Q_OBJECT
  public:
    enum Column { LineColumn, NameColumn, FrequencyColumn, TonesColumn, ChannelColumn, ReasonColumn };

    CImportRowsDlg(const qx260::ImportFile& file, const QString& fileName, int firstChannel,
                   QWidget* parent = nullptr);

    // The rows checked, by index into the file's rows.
    std::vector<bool> chosen() const;
    int firstChannel() const;

    QLabel* introLabel() const { return intro_; }
    QTableWidget* rowsTable() const { return rows_; }
    QSpinBox* firstChannelBox() const { return first_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void showChannels();

    const qx260::ImportFile& file_;
    QLabel* intro_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QSpinBox* first_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
