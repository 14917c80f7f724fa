// The Product Information dialog: its two lists, the bands following the chosen type, and
// loading from the image and storing into it, the stored choice and the band limits.

#include "windows/settings/CProductInfoDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/RadioImage.h"
#include "platform/Resources.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"
#include "windows/common/HelpRequest.h"

namespace qx260
{

namespace
{

constexpr int kTemplateId = 136;

QString templateText(int controlId, const char* english)
{
    return hasDialogText(kTemplateId, controlId) ? dialogText(kTemplateId, controlId)
                                                 : QString::fromUtf8(english);
}

void fill(QComboBox* box, const std::vector<std::string>& items, int current)
{
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& item : items)
        box->addItem(displayText(item));
    box->setCurrentIndex(current);
}

} // namespace

CProductInfoDlg::CProductInfoDlg(QWidget* parent)
    : QDialog(parent), font_(dialogFont(QStringLiteral("Times New Roman"), 9))
{
    setFont(font_);
    setModal(true);
    setWindowTitle(templateText(0, "Product Information"));
    setFixedSize(dialogUnitsToPixels(font_, QSize(159, 108)));
    // F1 asks for the topic of the focused control.
    auto* help = new HelpKey(this, [this](QWidget*) { return controlIdOf(focusWidget(), this); });
    connect(help, &HelpKey::requested, this, &CProductInfoDlg::helpRequested);
    auto place = [this](QWidget* w, int x, int y, int width, int height) {
        w->setGeometry(dialogUnitsToPixels(font_, QRect(x, y, width, height)));
    };

    auto* group = new QGroupBox(templateText(-1, "Setting"), this);
    place(group, 17, 13, 127, 61);
    group->lower();

    auto* typeLabel = new QLabel(templateText(-2, "Type"), this);
    typeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(typeLabel, 39, 28, 20, 11);
    auto* bandLabel = new QLabel(templateText(-3, "Frequency"), this);
    bandLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(bandLabel, 26, 50, 33, 11);

    auto addList = [&](int id, int x, int y, int w) {
        auto* box = new QComboBox(this);
        const QRect r = dialogUnitsToPixels(font_, QRect(x, y, w, 12));
        box->setGeometry(r.x(), r.y(), r.width(), qMax(r.height(), box->sizeHint().height()));
        setControlId(box, id);
        return box;
    };
    types_ = addList(productControl::TypeList, 69, 27, 61);
    bands_ = addList(productControl::BandList, 69, 49, 61);
    labelFor(typeLabel, types_);
    labelFor(bandLabel, bands_);
    connect(types_, &QComboBox::currentIndexChanged, this, &CProductInfoDlg::onTypeChanged);
    connect(bands_, &QComboBox::currentIndexChanged, this, [this](int position) {
        if (!loading_)
            selection_.band = position;
    });

    ok_ = new QPushButton(templateText(1, "OK"), this);
    place(ok_, 22, 80, 33, 14);
    ok_->setDefault(true);
    setControlId(ok_, 1);
    cancel_ = new QPushButton(templateText(2, "Cancel"), this);
    place(cancel_, 104, 79, 33, 14);
    setControlId(cancel_, 2);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void CProductInfoDlg::showBands()
{
    fill(bands_, selection_.bands, selection_.band);
}

void CProductInfoDlg::onTypeChanged(int position)
{
    if (loading_)
        return;
    selection_.selectType(processValues().configurationStore, position);
    showBands();
}

void CProductInfoDlg::loadFrom(const RadioImage& image)
{
    ProcessValues& values = processValues();
    loading_ = true;
    selection_ =
        openProductSelection(values.configurationStore, image,
                             readProductChoice(values.userStoreOrSession(), values.configurationStore));
    fill(types_, selection_.types, selection_.type);
    showBands();
    loading_ = false;
}

bool CProductInfoDlg::storeInto(RadioImage& image, BandLimits& bandLimits)
{
    ProcessValues& values = processValues();
    const ProductOutcome outcome =
        applyProductSelection(selection_, image, values.userStoreOrSession(), values.configurationStore,
                              values.languageString("AppName"));
    bandLimits = outcome.bandLimits;
    if (values.showCaption)
        values.showCaption(outcome.caption);
    emit changed();
    return outcome.imageChanged;
}

bool CProductInfoDlg::editProduct(RadioImage& image, BandLimits& bandLimits)
{
    loadFrom(image);
    types_->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    storeInto(image, bandLimits);
    return true;
}

} // namespace qx260
