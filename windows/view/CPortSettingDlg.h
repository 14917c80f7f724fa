#pragma once
// The Port Setting dialog: sixteen ports, each enabled only when its device opens
// right now; OK makes the chosen port the port device name and stores its number.
// F1 asks for help at the dialog's template id.

#include <QDialog>
#include <functional>
#include <string>

class QButtonGroup;
class QRadioButton;

class CPortSettingDlg : public QDialog
{
    Q_OBJECT
  public:
    static constexpr int kTemplateId = 144;
    static constexpr int kFirstButtonId = 1007; // button 1006 + n is port n

    explicit CPortSettingDlg(QWidget* parent = nullptr);

    // Opens a device and closes it at once; true when it opened. Replaceable for tests.
    std::function<bool(const std::string& device)> probe;

    QRadioButton* portButton(int number) const; // 1..16
    int selectedPort() const;                   // 0 when none

    int exec() override;

  protected:
    void OnInitDialog();
    void OnOK();

  private:
    QButtonGroup* group_ = nullptr;
    QRadioButton* buttons_[16] = {};
};
