#pragma once
// The Port Setting dialog: sixteen ports, each enabled only when its device opens
// right now; OK makes the chosen port the port device name and stores its number.
// Below them, the ports whose device is there: the device, why it cannot be opened when it
// cannot, and the USB adapter behind it; the whole dialog follows the ports while it is
// open (a cable plugged in, a permission given). F1 asks for help at the dialog's template id.

#include <QDialog>
#include <functional>
#include <map>
#include <string>

#include "core/link/RadioProbe.h"

class QButtonGroup;
class QRadioButton;
class QTimer;
class QTreeWidget;

class CPortSettingDlg : public QDialog
{
    Q_OBJECT
  public:
    static constexpr int kTemplateId = 144;
    static constexpr int kFirstButtonId = 1007; // button 1006 + n is port n

    explicit CPortSettingDlg(QWidget* parent = nullptr);

    // Whether a device is there and may be opened now. Replaceable for tests.
    std::function<qx260::link::PortStatus(const std::string& device)> status;

    QRadioButton* portButton(int number) const; // 1..16
    int selectedPort() const;                   // 0 when none
    QTreeWidget* portList() const { return list_; }

    // Looks at the ports again (done every second while the dialog is open).
    void refresh();

    int exec() override;

  protected:
    void OnInitDialog();
    void OnOK();

  private:
    // What a device was found to be the first time it was seen while the dialog is open.
    qx260::link::PortStatus lookAt(const std::string& device);

    std::map<std::string, qx260::link::PortStatus> seen_;
    QButtonGroup* group_ = nullptr;
    QRadioButton* buttons_[16] = {};
    QTreeWidget* list_ = nullptr;
    QTimer* timer_ = nullptr;
};
