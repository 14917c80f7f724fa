// showMessage over QMessageBox: default and escape buttons, Chinese button texts, the
// shared caption and texts, and the test hooks that answer boxes and record them.

#include "windows/common/MessageBox.h"

#include <QPushButton>
#include <QQueue>

#include "core/config/ProcessValues.h"

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
    return QString::fromUtf8(processValues().pick("%1 is being changed by another program.\n"
                                                  "Try again when it has finished.",
                                                  "%1 正被其他程序修改。\n请等其完成后再试。"))
        .arg(path);
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
    if (processValues().languageFlag) {
        static const std::pair<QMessageBox::StandardButton, const char*> chinese[] = {
            {QMessageBox::Ok, "确定"},         {QMessageBox::Cancel, "取消"},
            {QMessageBox::Yes, "是(&Y)"},      {QMessageBox::No, "否(&N)"},
            {QMessageBox::Retry, "重试(&R)"},  {QMessageBox::Abort, "中止(&A)"},
            {QMessageBox::Ignore, "忽略(&I)"}, {QMessageBox::Close, "关闭"},
            {QMessageBox::Save, "保存(&S)"},
        };
        for (const auto& [button, text] : chinese)
            if (QAbstractButton* b = box.button(button))
                b->setText(QString::fromUtf8(text));
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
