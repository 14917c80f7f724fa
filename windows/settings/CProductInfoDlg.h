#pragma once
// The Product Information dialog (template 136): chooses the product type and band from
// the configured lists. OK writes the document's product bytes and the user's stored
// choice, shows the new main window caption and sets the channel view's band limits.

#include <QDialog>

#include "core/radio/FrequencyCheck.h"
#include "core/settings/ProductRules.h"

class QComboBox;
class QPushButton;

namespace qx260
{

class RadioImage;

class CProductInfoDlg : public QDialog
{
    Q_OBJECT
  public:
    explicit CProductInfoDlg(QWidget* parent = nullptr);

    // Reloads the lists for the image, runs modally and applies OK. Returns true when the
    // user chose OK (the document then counts as changed, even when no byte differs).
    bool editProduct(RadioImage& image, BandLimits& bandLimits);

    // The two halves of editProduct.
    void loadFrom(const RadioImage& image);
    // Returns true when a product byte of the image changed.
    bool storeInto(RadioImage& image, BandLimits& bandLimits);

    QComboBox* typeList() const { return types_; }
    QComboBox* bandList() const { return bands_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  signals:
    void changed(); // OK stored the choice into the image
    // F1 was pressed; topic is the control id of the focused control.
    void helpRequested(int topic);

  private:
    void onTypeChanged(int position);
    void showBands();

    QFont font_;
    ProductSelection selection_;
    QComboBox* types_ = nullptr;
    QComboBox* bands_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool loading_ = false;
};

} // namespace qx260
