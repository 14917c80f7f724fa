#pragma once
// The Optional Features dialog (template 132): edits the radio-wide option bytes of a
// document's radio image. One object per main window, reloaded at every opening. It opens
// cut to its upper part; its More button shows the whole dialog, settings below the cut
// included, until it is pressed again or the dialog closes.

#include <optional>

#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QWidget>

#include <map>

#include "core/settings/OptionRules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace qx260
{

class RadioImage;

// Up-down arrows beside an edit box. Reports +1 / -1 per click or arrow key; held down,
// the step grows to 5 after two seconds and to 20 after five.
class CUpDownArrows : public QWidget
{
    Q_OBJECT
  public:
    explicit CUpDownArrows(QWidget* parent = nullptr);
    // The edit box whose Up and Down keys also step.
    void setBuddy(QWidget* buddy);

  signals:
    void stepped(int d);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void onClicked(int direction);

    QToolButton* up_;
    QToolButton* down_;
    QElapsedTimer held_;
    bool holding_ = false;
};

class COptionalFeaturesDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit COptionalFeaturesDlg(QWidget* parent = nullptr);

    // Reloads the dialog from the image, runs it modally and, on OK, stores every control
    // back. Returns true when the user chose OK (the document then counts as changed, even
    // when no byte differs). The radio variant is that of the document's window (without
    // one, the process's): it decides which controls the dialog shows.
    bool editOptions(RadioImage& image, std::optional<int> radioVariant = std::nullopt);

    // The two halves of editOptions, for callers that run the dialog themselves.
    void loadFrom(const RadioImage& image, std::optional<int> radioVariant = std::nullopt);
    bool storeInto(RadioImage& image); // true when a byte of the image changed

    QComboBox* list(OptionList which) const;
    QLineEdit* transmitDelayEdit() const { return transmitDelay_; }
    CUpDownArrows* transmitDelayArrows() const { return arrows_; }
    QCheckBox* beepBox() const { return beep_; }
    QCheckBox* batterySaverBox() const { return batterySaver_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* moreButton() const { return more_; }
    // The whole dialog shown (More pressed), or cut to its upper part.
    void showWholeDialog(bool whole);
    QWidget* control(int controlId) const;

  signals:
    void changed(); // OK stored the controls into the image
    // F1 was pressed; topic is the control id of the focused control.
    void helpRequested(int topic);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void accept() override;

  private:
    void build();
    void place(QWidget* w, int x, int y, int width, int height);
    QLabel* addLabel(int controlId, const char* english, int x, int y, int w, int h);
    QComboBox* addList(OptionList which, int x, int y, int w, int h);
    // A label and the list it names.
    QComboBox* addLabelledList(int labelId, const char* english, int labelX, int labelY, OptionList which,
                               int x, int y, int w, int h);
    void fillLists();
    void applyVariantRule(int radioVariant);
    // False when the typed text was refused (its message shown, the last value put back).
    bool normaliseTransmitDelay();
    void keepFocusInsideWindow();
    void stepTransmitDelay(int d);

    QFont font_;
    std::map<int, QWidget*> controls_;
    std::map<OptionList, QComboBox*> lists_;
    QLineEdit* transmitDelay_ = nullptr;
    CUpDownArrows* arrows_ = nullptr;
    QCheckBox* beep_ = nullptr;
    QCheckBox* batterySaver_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* more_ = nullptr;
    int wholeHeight_ = 0;                            // pixels, the template's height
    QString acceptedDelay_;                          // the Transmit Delay text last taken
    QHash<QWidget*, Qt::FocusPolicy> focusPolicies_; // each control's own, while it lies inside
};

} // namespace qx260
