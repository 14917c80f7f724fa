// The Language dialog: its two choices, and OK writing the chosen language to Program.ini
// under the file's lock, with a message when it cannot be stored.

#include "windows/frame/CLanguageDlg.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

#include "core/config/ProcessValues.h"
#include "platform/FileLock.h"
#include "platform/Resources.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"

namespace
{

QString templateText(int control, const char* fallback)
{
    return qx260::dialogText(CLanguageDlg::kTemplateId, control, QString::fromUtf8(fallback));
}

} // namespace

CLanguageDlg::CLanguageDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("languageDialog"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const QFont font = qx260::dialogFont(QStringLiteral("Times New Roman"), 9);
    setFont(font);
    auto place = [&](QWidget* w, int x, int y, int cx, int cy) {
        w->setGeometry(qx260::dialogUnitsToPixels(font, QRect(x, y, cx, cy)));
    };
    setWindowTitle(templateText(0, "Language"));
    // F1 anywhere in the dialog asks for the topic of the Language command.
    new qx260::HelpKey(this, [](QWidget*) { return kHelpTopic; });

    english_ = new QRadioButton(templateText(kEnglishId, "English"), this);
    qx260::setControlId(english_, kEnglishId);
    place(english_, 22, 16, 70, 12);
    chinese_ = new QRadioButton(templateText(kChineseId, "Chinese"), this);
    qx260::setControlId(chinese_, kChineseId);
    place(chinese_, 22, 34, 70, 12);
    auto* group = new QButtonGroup(this);
    group->addButton(english_, 0);
    group->addButton(chinese_, 1);

    ok_ = new QPushButton(templateText(1, "OK"), this);
    ok_->setDefault(true);
    place(ok_, 104, 12, 50, 14);
    cancel_ = new QPushButton(templateText(2, "Cancel"), this);
    place(cancel_, 104, 32, 50, 14);
    connect(ok_, &QPushButton::clicked, this, &CLanguageDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(qx260::dialogUnitsToPixels(font, QSize(170, 60)));
}

void CLanguageDlg::OnInitDialog()
{
    selection_ = isChinese(qx260::processValues().language()) ? 1 : 0;
    (selection_ == 1 ? chinese_ : english_)->setChecked(true);
}

int CLanguageDlg::exec()
{
    OnInitDialog();
    return QDialog::exec();
}

void CLanguageDlg::accept()
{
    selection_ = chinese_->isChecked() ? 1 : 0;
    qx260::ProcessValues& pv = qx260::processValues();
    const int current = isChinese(pv.language()) ? 1 : 0;
    // The other language is stored for the next start. Choosing the running language
    // again after such a choice (the restart did not happen) takes the stored value back.
    const bool store = selection_ != current || choiceChanged_;
    if (store) {
        const std::string chosen =
            selection_ != current ? (selection_ == 1 ? "Chinese" : "English") : pv.languageName;
        // A command-line edit of Program.ini that runs now is waited for, and none starts
        // while this one writes.
        qx260::FileLock lock;
        const QString file = QString::fromStdString(pv.configurationStore.filePath());
        if (lock.lock(pv.configurationStore.filePath()).kind == qx260::FileResult::Kind::InUse) {
            qx260::showMessage(this, qx260::applicationCaption(), qx260::fileInUseText(file), QMessageBox::Ok,
                               qx260::MsgIcon::Exclamation);
            QDialog::reject();
            return;
        }
        pv.configurationStore.SetString("Setup", "Language", chosen);
        if (!pv.configurationStore.Save().ok()) {
            // Without the stored choice a restart would come up in the old language.
            qx260::showMessage(this, qx260::applicationCaption(),
                               qx260::programText(qx260::Text::LanguageNotStored).arg(file), QMessageBox::Ok,
                               qx260::MsgIcon::Exclamation);
            QDialog::reject();
            return;
        }
        choiceChanged_ = selection_ != current;
    }
    QDialog::accept();
}
