#pragma once
// The CAP, NUM and SCRL panes of the status bar: dark while the lock is on, grey while
// it is off. The state comes from the keyboard LEDs where the system exposes them, and
// otherwise from the lock keys seen while the program runs.

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

class LockKeyIndicators : public QObject
{
    Q_OBJECT
  public:
    enum Lock { Caps, Num, Scroll, LockCount };

    // Adds the three panes (texts from the string table) to the status bar.
    LockKeyIndicators(QStatusBar* statusBar, const QString& capsText, const QString& numText,
                      const QString& scrollText);

    bool isOn(Lock lock) const { return on_[lock]; }
    QLabel* pane(Lock lock) const { return panes_[lock]; }
    void refresh();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void show(Lock lock, bool on);

    QLabel* panes_[LockCount] = {};
    bool on_[LockCount] = {};
    quint64 lastKeyTime_ = ~quint64(0);
};
