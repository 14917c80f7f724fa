// The Optional Features dialog: the up/down arrows of Transmit Delay, building its
// controls, the controls a variant hides, the More button, and loading from and storing
// into the image.

#include "windows/settings/COptionalFeaturesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/config/ProcessValues.h"
#include "core/radio/RadioImage.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "windows/common/DialogUnits.h"
#include "windows/common/DisplayText.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"

namespace qx260
{

namespace
{

constexpr int kTemplateId = 132;
// The More button, beside Cancel (not in the template).
constexpr int kMoreButtonId = 1141;

// A text of the template from the language module, the English one when it has none.
QString templateText(int controlId, const char* english)
{
    return hasDialogText(kTemplateId, controlId) ? dialogText(kTemplateId, controlId)
                                                 : QString::fromUtf8(english);
}

} // namespace

// ---------------------------------------------------------------------------------------

CUpDownArrows::CUpDownArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(400);
        b->setAutoRepeatInterval(80);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(6, 6));
        connect(b, &QToolButton::pressed, this, [this] {
            held_.start();
            holding_ = true;
        });
        connect(b, &QToolButton::released, this, [this] { holding_ = false; });
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(programText(Text::UpArrowName));
    down_->setAccessibleName(programText(Text::DownArrowName));
    connect(up_, &QToolButton::clicked, this, [this] { onClicked(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { onClicked(-1); });
}

void CUpDownArrows::setBuddy(QWidget* buddy)
{
    buddy->installEventFilter(this);
}

void CUpDownArrows::onClicked(int direction)
{
    // The longer an arrow is held, the bigger the step.
    int step = 1;
    if (holding_ && held_.isValid()) {
        const qint64 ms = held_.elapsed();
        step = ms >= 5000 ? 20 : ms >= 2000 ? 5 : 1;
    }
    emit stepped(direction * step);
}

bool CUpDownArrows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit stepped(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDownArrows::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

// ---------------------------------------------------------------------------------------

COptionalFeaturesDlg::COptionalFeaturesDlg(QWidget* parent)
    : QDialog(parent), font_(dialogFont(QStringLiteral("Times New Roman"), 9))
{
    setFont(font_);
    setModal(true);
    build();
    // F1 asks for the topic of the focused control.
    auto* help = new HelpKey(this, [this](QWidget*) { return controlIdOf(focusWidget(), this); });
    connect(help, &HelpKey::requested, this, &COptionalFeaturesDlg::helpRequested);
}

void COptionalFeaturesDlg::place(QWidget* w, int x, int y, int width, int height)
{
    w->setGeometry(dialogUnitsToPixels(font_, QRect(x, y, width, height)));
}

QLabel* COptionalFeaturesDlg::addLabel(int controlId, const char* english, int x, int y, int w, int h)
{
    auto* label = new QLabel(templateText(controlId, english), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(label, x, y, w, h);
    if (controlId > 0) {
        setControlId(label, controlId);
        controls_[controlId] = label;
    }
    return label;
}

QComboBox* COptionalFeaturesDlg::addLabelledList(int labelId, const char* english, int labelX, int labelY,
                                                 OptionList which, int x, int y, int w, int h)
{
    QLabel* label = addLabel(labelId, english, labelX, labelY, 60, 12);
    QComboBox* box = addList(which, x, y, w, h);
    labelFor(label, box);
    return box;
}

QComboBox* COptionalFeaturesDlg::addList(OptionList which, int x, int y, int w, int h)
{
    (void)h; // the template's height includes the drop-down part
    auto* box = new QComboBox(this);
    box->setEditable(false);
    box->setMaxVisibleItems(10);
    const QRect r = dialogUnitsToPixels(font_, QRect(x, y, w, 12));
    box->setGeometry(r.x(), r.y(), r.width(), qMax(r.height(), box->sizeHint().height()));
    const int id = optionControlId(which);
    setControlId(box, id);
    controls_[id] = box;
    lists_[which] = box;
    return box;
}

void COptionalFeaturesDlg::build()
{
    setWindowTitle(templateText(0, "Optional Features"));
    resize(dialogUnitsToPixels(font_, QSize(311, 182)));
    wholeHeight_ = height();

    // Upper part: what the window shows.
    addLabelledList(optionControl::TimeOutTimeLabel, "Time Out Time (s)", 24, 24, OptionList::TimeOutTime, 90,
                    24, 48, 50);
    addLabelledList(optionControl::SquelchLevelLabel, "Squelch Level", 162, 25, OptionList::SquelchLevel, 229,
                    25, 48, 55);
    QLabel* delayLabel = addLabel(optionControl::TransmitDelayLabel, "Transmit Delay (s)", 24, 42, 60, 12);

    transmitDelay_ = new QLineEdit(this);
    transmitDelay_->setMaxLength(kTransmitDelayMaxChars);
    place(transmitDelay_, 90, 42, 48, 12);
    setControlId(transmitDelay_, optionControl::TransmitDelay);
    controls_[optionControl::TransmitDelay] = transmitDelay_;
    transmitDelay_->installEventFilter(this);

    labelFor(delayLabel, transmitDelay_);
    arrows_ = new CUpDownArrows(this);
    arrows_->setAccessibleName(transmitDelay_->accessibleName());
    place(arrows_, 142, 43, 10, 12);
    arrows_->setBuddy(transmitDelay_);
    setControlId(arrows_, optionControl::TransmitDelaySpin);
    controls_[optionControl::TransmitDelaySpin] = arrows_;
    connect(arrows_, &CUpDownArrows::stepped, this, &COptionalFeaturesDlg::stepTransmitDelay);

    ok_ = new QPushButton(templateText(1, "OK"), this);
    place(ok_, 99, 67, 42, 14);
    ok_->setDefault(true);
    setControlId(ok_, 1);
    cancel_ = new QPushButton(templateText(2, "Cancel"), this);
    place(cancel_, 169, 67, 42, 14);
    setControlId(cancel_, 2);
    connect(ok_, &QPushButton::clicked, this, &COptionalFeaturesDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &COptionalFeaturesDlg::reject);
    // More shows the lower part; pressed again, the dialog is cut as it opened.
    more_ = new QPushButton(this);
    place(more_, 239, 67, 42, 14);
    more_->setCheckable(true);
    more_->setAutoDefault(false);
    setControlId(more_, kMoreButtonId);
    connect(more_, &QPushButton::toggled, this, &COptionalFeaturesDlg::showWholeDialog);

    // Lower part: below the window's edge once it is cut, loaded and stored all the same.
    addLabelledList(-1, "Side Key", 24, 100, OptionList::SideKey, 90, 100, 72, 50);
    beep_ = new QCheckBox(templateText(optionControl::Beep, "Beep"), this);
    place(beep_, 184, 100, 27, 12);
    setControlId(beep_, optionControl::Beep);
    controls_[optionControl::Beep] = beep_;
    batterySaver_ = new QCheckBox(templateText(optionControl::BatterySaver, "Battery Saver"), this);
    place(batterySaver_, 224, 100, 50, 12);
    setControlId(batterySaver_, optionControl::BatterySaver);
    controls_[optionControl::BatterySaver] = batterySaver_;
    addLabelledList(-2, "Priority Channel", 24, 116, OptionList::PriorityChannel, 90, 116, 48, 12);
    addLabelledList(-3, "VOX", 162, 116, OptionList::Vox, 228, 116, 48, 12);
    addLabelledList(-4, "Vox Gain Level", 24, 133, OptionList::VoxGainLevel, 90, 133, 48, 50);
    addLabelledList(-5, "Voice Annunciation", 162, 133, OptionList::VoiceAnnunciation, 228, 133, 48, 50);
    addLabelledList(-6, "Vox Delay Time (s)", 24, 151, OptionList::VoxDelayTime, 90, 151, 48, 50);

    // The VOX list keeps the items of the template; the program never refills it.
    QStringList voxItems = dialogListItems(kTemplateId, optionControl::Vox);
    if (voxItems.size() != 2) {
        voxItems.clear();
        for (const std::string& item : optionListItems(OptionList::Vox, processValues().language()))
            voxItems << QString::fromStdString(item);
    }
    lists_[OptionList::Vox]->addItems(voxItems);

    // Keyboard order follows the visible controls first.
    setTabOrder(lists_[OptionList::TimeOutTime], lists_[OptionList::SquelchLevel]);
    setTabOrder(lists_[OptionList::SquelchLevel], transmitDelay_);
    setTabOrder(transmitDelay_, ok_);
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, more_);
    setTabOrder(more_, lists_[OptionList::SideKey]);
}

QComboBox* COptionalFeaturesDlg::list(OptionList which) const
{
    const auto it = lists_.find(which);
    return it == lists_.end() ? nullptr : it->second;
}

QWidget* COptionalFeaturesDlg::control(int controlId) const
{
    const auto it = controls_.find(controlId);
    return it == controls_.end() ? nullptr : it->second;
}

void COptionalFeaturesDlg::fillLists()
{
    const Language language = processValues().language();
    for (OptionList which : kOptionLists) {
        if (which == OptionList::Vox)
            continue;
        QComboBox* box = lists_[which];
        box->clear();
        for (const std::string& item : optionListItems(which, language))
            box->addItem(QString::fromStdString(item));
    }
}

void COptionalFeaturesDlg::applyVariantRule(int radioVariant)
{
    const OptionVisibility visible = optionVisibilityForVariant(radioVariant);
    for (int id : {optionControl::SquelchLevelLabel, optionControl::SquelchLevel})
        control(id)->setVisible(visible.squelchLevel);
    for (int id :
         {optionControl::TimeOutTimeLabel, optionControl::TimeOutTime, optionControl::TransmitDelayLabel,
          optionControl::TransmitDelay, optionControl::TransmitDelaySpin})
        control(id)->setVisible(visible.timeOutAndTransmitDelay);
}

void COptionalFeaturesDlg::showWholeDialog(bool whole)
{
    // Cut, the window ends just above the Side Key row.
    const int sideKeyTop = lists_[OptionList::SideKey]->geometry().top();
    setFixedSize(width(), whole ? wholeHeight_ : sideKeyTop - 1);
    keepFocusInsideWindow();
    if (more_->isChecked() != whole) {
        const QSignalBlocker quiet(more_);
        more_->setChecked(whole);
    }
    more_->setText(programText(whole ? Text::LessButton : Text::MoreButton));
}

void COptionalFeaturesDlg::loadFrom(const RadioImage& image, std::optional<int> radioVariant)
{
    // Every opening starts cut.
    showWholeDialog(false);

    fillLists();
    applyVariantRule(radioVariant.value_or(processValues().radioVariant));

    const OptionalFeatures features = loadOptionalFeatures(image, processValues().language());
    for (OptionList which : kOptionLists)
        lists_[which]->setCurrentIndex(features.position(which));
    beep_->setChecked(features.beep);
    batterySaver_->setChecked(features.batterySaver);
    transmitDelay_->setText(QString::fromStdString(features.transmitDelay));
    acceptedDelay_ = transmitDelay_->text();
}

void COptionalFeaturesDlg::keepFocusInsideWindow()
{
    // A control outside the window takes no keyboard focus: Tab and the arrow keys would
    // change it unseen. Shown again (a larger window), it takes the focus as before.
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!focusPolicies_.contains(control))
            focusPolicies_.insert(control, control->focusPolicy());
        const bool inside = rect().contains(control->geometry());
        control->setFocusPolicy(inside ? focusPolicies_.value(control) : Qt::NoFocus);
    }
}

void COptionalFeaturesDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    keepFocusInsideWindow();
}

bool COptionalFeaturesDlg::storeInto(RadioImage& image)
{
    OptionalFeatures features;
    for (OptionList which : kOptionLists)
        features.position(which) = lists_[which]->currentIndex();
    features.beep = beep_->isChecked();
    features.batterySaver = batterySaver_->isChecked();
    features.transmitDelay = transmitDelay_->text().toStdString();

    const RadioImage before = image;
    storeOptionalFeatures(features, image);
    emit changed();
    return !(image == before);
}

bool COptionalFeaturesDlg::editOptions(RadioImage& image, std::optional<int> radioVariant)
{
    loadFrom(image, radioVariant);
    transmitDelay_->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    storeInto(image);
    return true;
}

void COptionalFeaturesDlg::accept()
{
    // Enter in the Transmit Delay field reaches OK without a focus change: the value
    // stored is always one the field can show. A refused text keeps the dialog open.
    if (!normaliseTransmitDelay())
        return;
    QDialog::accept();
}

bool COptionalFeaturesDlg::normaliseTransmitDelay()
{
    const std::string text = transmitDelay_->text().toStdString();
    const TransmitDelayTyped typed = readTransmitDelay(text).result;
    if (typed != TransmitDelayTyped::Taken) {
        // The field goes back to the value it had, and the user gets to type it again: a
        // value off the field's step or range is refused as well, never rounded.
        transmitDelay_->setText(acceptedDelay_);
        const QString message = typed == TransmitDelayTyped::NotANumber
                                    ? resourceMessage(resid::StrDelayNotANumber)
                                    : programText(Text::TransmitDelayNotAllowed);
        showMessage(this, resourceMessage(resid::StrCaution), message, QMessageBox::Ok, MsgIcon::Exclamation);
        transmitDelay_->setFocus(Qt::OtherFocusReason);
        transmitDelay_->selectAll();
        return false;
    }
    transmitDelay_->setText(
        QString::fromStdString(qx260::normaliseTransmitDelay(text, processValues().language())));
    acceptedDelay_ = transmitDelay_->text();
    return true;
}

void COptionalFeaturesDlg::stepTransmitDelay(int d)
{
    const std::string text = transmitDelay_->text().toStdString();
    transmitDelay_->setText(
        QString::fromStdString(qx260::stepTransmitDelay(text, d, processValues().language())));
    acceptedDelay_ = transmitDelay_->text();
}

bool COptionalFeaturesDlg::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the field for another control takes its value; another window coming to the
    // front leaves it as typed.
    if (watched == transmitDelay_ && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        normaliseTransmitDelay();
    return QDialog::eventFilter(watched, event);
}

} // namespace qx260
