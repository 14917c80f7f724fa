#pragma once
// Every message box of the program goes through showMessage(), so that window tests can
// answer boxes in advance and check what was shown.

#include <QList>
#include <QMessageBox>
#include <QString>

class QWidget;

namespace qx260
{

enum class MsgIcon { None, Information, Exclamation, Question, Critical };

// Shows a modal message box and returns the button the user chose. A box closed without a
// choice (Esc, the close box) returns the escape button: Cancel, No or the only button.
QMessageBox::StandardButton showMessage(QWidget* parent, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        MsgIcon icon = MsgIcon::Exclamation);

// The caption of the program's own message boxes: the application name of the
// process-wide values.
QString applicationCaption();

// The text of the box that says a file could not be written because another program is
// changing it (an edit waits for the other one only a few seconds), in the language of
// the program.
QString fileInUseText(const QString& path);

// The button a box with these buttons gives when the user just presses Enter.
QMessageBox::StandardButton defaultButtonOf(QMessageBox::StandardButtons buttons);

namespace msgtest
{ // for tests only

// Queues an answer: the next box returns it without being shown.
void answerNext(QMessageBox::StandardButton b);

struct Shown {
    QString caption, text;
    QMessageBox::StandardButtons buttons;
    MsgIcon icon = MsgIcon::None;
};
// The boxes shown (or answered) since the last call, oldest first.
QList<Shown> takeShown();

// When on and no answer is queued, every box returns its default button without being shown.
void setAutoAnswer(bool on);

// Drops queued answers and the record of shown boxes.
void reset();

} // namespace msgtest
} // namespace qx260
