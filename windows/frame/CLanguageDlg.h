#pragma once
// The Language dialog: English or Chinese. OK with the other language than the running
// one writes it to Program.ini at once; it takes effect when the program starts again.

#include <QDialog>

class QRadioButton;
class QPushButton;

class CLanguageDlg : public QDialog
{
    Q_OBJECT
  public:
    static constexpr int kTemplateId = 134;
    static constexpr int kEnglishId = 1006;
    static constexpr int kChineseId = 1007;
    static constexpr int kHelpTopic = 32799;

    explicit CLanguageDlg(QWidget* parent = nullptr);

    // 0 English, 1 Chinese; -1 before the dialog was first shown.
    int selection() const { return selection_; }
    // Set by an OK that stored the other language; cleared by an OK that took the running
    // language back.
    bool choiceChanged() const { return choiceChanged_; }

    QRadioButton* englishButton() const { return english_; }
    QRadioButton* chineseButton() const { return chinese_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    int exec() override;

  protected:
    void accept() override;

  private:
    void OnInitDialog();

    QRadioButton* english_ = nullptr;
    QRadioButton* chinese_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    int selection_ = -1;
    bool choiceChanged_ = false;
};
