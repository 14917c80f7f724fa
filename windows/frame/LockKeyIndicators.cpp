// The lock key panes: read from the keyboard LEDs on Linux, otherwise toggled on each lock
// key the program sees, and read again when the program is activated.

#include "windows/frame/LockKeyIndicators.h"

#include <optional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace
{

// Linux publishes keyboard LEDs as /sys/class/leds/<input>::capslock/brightness.
std::optional<bool> ledState(const char* suffix)
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    if (!leds.exists())
        return std::nullopt;
    const QStringList names =
        leds.entryList({QStringLiteral("*::") + QLatin1String(suffix)}, QDir::Dirs | QDir::System);
    if (names.isEmpty())
        return std::nullopt;
    bool anyOn = false;
    for (const QString& name : names) {
        QFile f(leds.filePath(name) + QStringLiteral("/brightness"));
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        anyOn = anyOn || f.readAll().trimmed().toInt() != 0;
    }
    return anyOn;
}

const char* const kLedNames[] = {"capslock", "numlock", "scrolllock"};

} // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar* statusBar, const QString& capsText, const QString& numText,
                                     const QString& scrollText)
    : QObject(statusBar)
{
    const QString texts[LockCount] = {capsText, numText, scrollText};
    for (int i = 0; i < LockCount; ++i) {
        auto* pane = new QLabel(texts[i], statusBar);
        pane->setObjectName(QStringLiteral("indicator%1").arg(i));
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        panes_[i] = pane;
        statusBar->addPermanentWidget(pane);
        show(Lock(i), false);
    }
    qApp->installEventFilter(this);
    refresh();
}

void LockKeyIndicators::refresh()
{
    for (int i = 0; i < LockCount; ++i)
        if (const auto state = ledState(kLedNames[i]))
            show(Lock(i), *state);
}

void LockKeyIndicators::show(Lock lock, bool on)
{
    on_[lock] = on;
    // The text stays in place so the panes keep their width; off reads as greyed out.
    panes_[lock]->setEnabled(on);
}

bool LockKeyIndicators::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        Lock lock = LockCount;
        switch (key->key()) {
        case Qt::Key_CapsLock:
            lock = Caps;
            break;
        case Qt::Key_NumLock:
            lock = Num;
            break;
        case Qt::Key_ScrollLock:
            lock = Scroll;
            break;
        default:
            break;
        }
        // A key event travels up the parent chain; take it once.
        if (lock != LockCount && !key->isAutoRepeat() && key->timestamp() != lastKeyTime_) {
            lastKeyTime_ = key->timestamp();
            if (const auto state = ledState(kLedNames[lock]))
                show(lock, *state);
            else
                show(lock, !on_[lock]);
        }
    } else if (event->type() == QEvent::ApplicationActivate) {
        refresh();
    }
    return false;
}
