// showMessage over QMessageBox: default and escape buttons, Chinese button texts, the
// shared caption and texts, and the test hooks that answer boxes and record them.

#include "windows/common/MessageBox.h"

#include <QPushButton>
#include <QQueue>

#include "core/config/ProcessValues.h"
#include "windows/common/DisplayText.h"

namespace qx260
{
namespace
{

struct TestHooks {
    QQueue<QMessageBox::StandardButton> answers;
    QList<msgtest::Shown> shown;
    bool autoAnswer = false;
};

TestHooks& hooks()
{
    static TestHooks h;
    return h;
}

QMessageBox::Icon toQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton escapeButtonOf(QMessageBox::StandardButtons buttons)
{
    for (auto b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Close, QMessageBox::Abort})
        if (buttons.testFlag(b))
            return b;
    return defaultButtonOf(buttons);
}

} // namespace

QString applicationCaption()
{
    return QString::fromStdString(processValues().applicationName);
}

QString fileInUseText(const QString& path)
{
    return programText(Text::FileInUse).arg(path);
}

QMessageBox::StandardButton defaultButtonOf(QMessageBox::StandardButtons buttons)
{
    // The first button of the box, in the order boxes lay them out.
    for (auto b :
         {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore,
          QMessageBox::Save, QMessageBox::No, QMessageBox::Cancel, QMessageBox::Close})
        if (buttons.testFlag(b))
            return b;
    return QMessageBox::Ok;
}

QMessageBox::StandardButton showMessage(QWidget* parent, const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons, MsgIcon icon)
{
    if (buttons == QMessageBox::NoButton)
        buttons = QMessageBox::Ok;
    TestHooks& h = hooks();
    h.shown.append({caption, text, buttons, icon});
    if (!h.answers.isEmpty())
        return h.answers.dequeue();
    if (h.autoAnswer)
        return defaultButtonOf(buttons);

    QMessageBox box(toQtIcon(icon), caption, text, buttons, parent);
    box.setDefaultButton(defaultButtonOf(buttons));
    box.setEscapeButton(escapeButtonOf(buttons));
    box.setTextFormat(Qt::PlainText);
    // In Chinese the buttons say so too; in English they keep the toolkit's own words.
    if (isChinese(processValues().language())) {
        static constexpr std::pair<QMessageBox::StandardButton, Text> kButtons[] = {
            {QMessageBox::Ok, Text::OkButton},         {QMessageBox::Cancel, Text::CancelButton},
            {QMessageBox::Yes, Text::YesButton},       {QMessageBox::No, Text::NoButton},
            {QMessageBox::Retry, Text::RetryButton},   {QMessageBox::Abort, Text::AbortButton},
            {QMessageBox::Ignore, Text::IgnoreButton}, {QMessageBox::Close, Text::CloseButton},
            {QMessageBox::Save, Text::SaveButton},
        };
        for (const auto& [button, text] : kButtons)
            if (QAbstractButton* b = box.button(button))
                b->setText(programText(text));
    }
    const int result = box.exec();
    const auto chosen = static_cast<QMessageBox::StandardButton>(result);
    if (buttons.testFlag(chosen))
        return chosen;
    return escapeButtonOf(buttons);
}

namespace msgtest
{

void answerNext(QMessageBox::StandardButton b)
{
    hooks().answers.enqueue(b);
}

QList<Shown> takeShown()
{
    QList<Shown> out;
    out.swap(hooks().shown);
    return out;
}

void setAutoAnswer(bool on)
{
    hooks().autoAnswer = on;
}

void reset()
{
    hooks().answers.clear();
    hooks().shown.clear();
}

} // namespace msgtest
} // namespace qx260
