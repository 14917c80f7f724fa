// Editing through the real widgets: the cell editors of the channel window, the
// Optional Features dialog and the Product Information dialog.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CellEditors.h"

using namespace qx260;

using test::cellCentre;

namespace
{

const char* const kIni = "[Setup]\n"
                         "Language=English\n"
                         "AppName=QX-260 Programmer\n"
                         "Type1=QX-260\n"
                         "Field1=130 - 160MHz\n"
                         "Type2=QX-260L\n"
                         "Field2=136 - 150MHz|150 - 174MHz\n"
                         "[English]\n"
                         "AppName=QX Tool\n"
                         "Title=QX-260 Channel Table\n";

QStringList rowTexts(CProgramView& view, int r)
{
    QStringList texts;
    for (int c = 1; c <= 8; ++c)
        texts << QString::fromStdString(view.table().textMatrix(r, c));
    return texts;
}

// With QX260_SCREENSHOT_DIR set, keeps a picture of the widget for a person to look at.
void snapshot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("QX260_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        widget->grab().save(dir + "/" + name + ".png");
}

// Runs `act` once the modal dialog is up (exec() blocks until it closes). A failed check
// inside `act` returns early: the dialog is then cancelled so the test cannot hang.
void whenShown(QDialog& dialog, std::function<void()> act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("dialog not active");
        act();
        if (dialog.isVisible())
            dialog.reject();
    });
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    MemoryUserStore store_;
    QStringList captions_;

    struct Window {
        CProgramDoc doc;
        CProgramView view{doc};
    };

    // A channel window of a new document, shown and set up.
    std::unique_ptr<Window> openWindow()
    {
        auto w = std::make_unique<Window>();
        w->doc.image = RadioImage::newImage();
        w->view.OnInitialUpdate();
        w->view.resize(w->view.sizeHint());
        w->view.show();
        if (!QTest::qWaitForWindowExposed(&w->view))
            return nullptr;
        return w;
    }

    // Clicks a cell and types into its (edit box) editor.
    static QLineEdit* typeInto(CProgramView& view, int r, int c, const QString& text)
    {
        QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), r, c));
        QLineEdit* edit = view.cellEditors()->editBox(c);
        if (!edit || edit->isHidden())
            return nullptr;
        edit->selectAll();
        QTest::keyClicks(edit, text);
        return edit;
    }

  private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QVERIFY(test::useTestConfiguration(dir_, kIni, store_));
        ProcessValues& pv = processValues();
        pv.showCaption = [this](const std::string& c) { captions_ << QString::fromStdString(c); };
    }

    void init()
    {
        ProcessValues& pv = processValues();
        pv.languageName = "English";
        pv.setLanguage(Language::English);
        pv.radioVariant = 1;
        msgtest::reset();
        captions_.clear();
    }

    void enterCreatesAChannelWithDefaults()
    {
        auto w = openWindow();
        QVERIFY(w);
        QSignalSpy modified(&w->view, &CProgramView::documentModified);
        QLineEdit* edit = typeInto(w->view, 3, 1, "150");
        QVERIFY(edit);
        snapshot(&w->view, "cell-editor-edit");
        QTest::keyClick(edit, Qt::Key_Return);
        // Radio variant 1 keeps the transmit side from the user: it stays as stored (empty).
        QCOMPARE(rowTexts(w->view, 3),
                 (QStringList{"150.00000", "", "None", "", "Wide", "No", "Off", "High"}));
        QVERIFY(msgtest::takeShown().isEmpty());
        QVERIFY(modified.count() > 0);
        // Enter moved on and opened the next cell's editor (column 2 is hidden but current).
        QCOMPARE(w->view.table().row(), 3);
        QCOMPARE(w->view.table().col(), 2);
        QVERIFY(edit->isHidden());
    }

    void leavingTheCellCreatesTheChannelWithoutTx()
    {
        auto w = openWindow();
        QVERIFY(w);
        QVERIFY(typeInto(w->view, 4, 1, "150"));
        QTest::mouseClick(w->view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(w->view.grid(), 6, 5));
        QCOMPARE(rowTexts(w->view, 4),
                 (QStringList{"150.00000", "", "None", "", "Wide", "No", "Off", "High"}));
        // The clicked cell now has its list editor open on the matching item.
        snapshot(&w->view, "cell-editor-list");
        QComboBox* list = w->view.cellEditors()->listBox(5);
        QVERIFY(!list->isHidden());
        QCOMPARE(list->currentText(), QString("Wide"));
    }

    void refusedFrequenciesLeaveTheChannelAsItWas_data()
    {
        QTest::addColumn<int>("variant"); // 1: the Rx column is typed into, 2: the Tx column
        QTest::addColumn<bool>("enter");  // confirmed with Enter, or by clicking another cell
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString range = "Out of range,please input again.";
        const QString step = "Error data Value, please input according the step value(6.25K/5k).";
        const QString number = "Not a number, please input again: digits with a point as the decimal "
                               "separator, such as 145.125.";
        QTest::newRow("below the band") << 1 << true << "129.99375" << range;
        QTest::newRow("above the band, click") << 1 << false << "160.005" << range;
        QTest::newRow("off step") << 1 << true << "145.001" << step;
        QTest::newRow("tx off step, click") << 2 << false << "145.001" << step;
        QTest::newRow("tx above the band") << 2 << true << "170" << range;
        QTest::newRow("decimal comma") << 1 << true << "146,52" << number;
        QTest::newRow("letters after the number") << 1 << false << "146.52abc" << number;
        QTest::newRow("two points") << 2 << true << "146.52.3" << number;
        QTest::newRow("blank inside") << 1 << true << "145 .5" << number;
        QTest::newRow("not a number") << 1 << true << "abc" << number;
    }

    void refusedFrequenciesLeaveTheChannelAsItWas()
    {
        QFETCH(int, variant);
        QFETCH(bool, enter);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        processValues().radioVariant = variant;
        auto w = openWindow();
        QVERIFY(w);
        CProgramView& view = w->view;
        const int col = variant == 1 ? 1 : 2;
        QLineEdit* edit = typeInto(view, 2, col, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 2, 5));
        QComboBox* bandwidth = view.cellEditors()->listBox(5);
        bandwidth->setCurrentIndex(1); // Narrow
        QTest::keyClick(bandwidth, Qt::Key_Return);
        const QStringList channel = rowTexts(view, 2);
        QCOMPARE(channel[4], QString("Narrow"));
        QCOMPARE(channel[col - 1], QString("150.00000"));

        msgtest::answerNext(QMessageBox::Ok);
        edit = typeInto(view, 2, col, typed);
        QVERIFY(edit);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 6, 5));
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].caption, QString("Caution"));
        QVERIFY(shown[0].icon == MsgIcon::Exclamation);
        QCOMPARE(rowTexts(view, 2), channel);
        QVERIFY(edit->isHidden());
        if (enter)
            QCOMPARE(view.table().col(), col); // no advance after a refusal

        // The refusal is no step of its own: Ctrl+Z takes back the last change that happened.
        QTest::keyClick(view.grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(view, 2)[4], QString("Wide"));
        QCOMPARE(rowTexts(view, 2)[col - 1], QString("150.00000"));
    }

    void transmitSideRadioTakesTxOnlyEitherWay()
    {
        processValues().radioVariant = 2;
        auto w = openWindow();
        QVERIFY(w);
        CProgramView& view = w->view;
        // Scan belongs to the receive side, which radio variant 2 keeps from the user.
        const QStringList txOnly{"", "147.50000", "", "None", "Wide", "Yes", "Off", "High"};
        // Confirmed with Enter, a Tx frequency typed into an empty row makes the channel.
        QLineEdit* edit = typeInto(view, 2, 2, "147.5");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rowTexts(view, 2), txOnly);
        QVERIFY(msgtest::takeShown().isEmpty());
        // So does clicking another cell.
        QVERIFY(typeInto(view, 3, 2, "147.5"));
        QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 5, 5));
        QCOMPARE(rowTexts(view, 3), txOnly);
        // Erasing it and clicking elsewhere clears the channel again.
        edit = typeInto(view, 2, 2, "");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 5, 5));
        QCOMPARE(rowTexts(view, 2), QStringList(8, QString()));
    }

    void pressBesideTheCellsKeepsWhatIsBeingTyped()
    {
        auto w = openWindow();
        QVERIFY(w);
        CMSFlexGrid* grid = w->view.grid();
        QLineEdit* edit = typeInto(w->view, 2, 1, "146");
        QVERIFY(edit);
        // On a header cell, then on the empty area right of the cells.
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, cellCentre(grid, 0, 3));
        const QRect last = grid->cellRectPixels(2, 6);
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(last.right() + 20, last.center().y()));
        QCOMPARE(w->view.table().col(), 1);
        QCOMPARE(edit->text(), QString("146"));
        QVERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rowTexts(w->view, 2).first(), QString("146.00000"));

        // After a rejection the editor is gone; a press brings it back over the cell.
        edit = typeInto(w->view, 3, 1, "1");
        QVERIFY(edit);
        msgtest::answerNext(QMessageBox::Ok);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(msgtest::takeShown().size(), 1);
        QVERIFY(edit->isHidden());
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, cellCentre(grid, 0, 3));
        QVERIFY(!edit->isHidden());
        QCOMPARE(edit->text(), QString());
    }

    void editorMovesWithItsCellWhenTheRowsScroll()
    {
        auto w = openWindow();
        QVERIFY(w);
        CMSFlexGrid* grid = w->view.grid();
        grid->resize(grid->width(), grid->cellRectPixels(8, 1).bottom()); // the form's grid shows every row
        QVERIFY(grid->cellRectPixels(16, 1).bottom() >= grid->height());  // there is something to scroll
        QLineEdit* edit = typeInto(w->view, 2, 1, "146");
        QVERIFY(edit);
        auto inside = [&](int r) {
            const QRect cell = grid->cellRectPixels(r, 1);
            return cell.contains(edit->geometry().topLeft()) && cell.contains(edit->geometry().bottomRight());
        };
        QVERIFY(inside(2));

        grid->setTopRow(2); // one row up: the editor follows
        QVERIFY(inside(2));
        grid->setTopRow(3); // its cell under the header row: out of sight, still open
        QCOMPARE(grid->topRow(), 3);
        QVERIFY(!edit->isHidden());
        QVERIFY(!edit->geometry().intersects(grid->rect()));
        grid->setTopRow(1);
        QVERIFY(inside(2));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rowTexts(w->view, 2).first(), QString("146.00000"));
    }

    void listEditorOpensOnTheCellsItem()
    {
        auto w = openWindow();
        QVERIFY(w);
        CProgramView& view = w->view;
        w->doc.image.setRxFrequency(5, 14500000);
        w->doc.image.setDecodeTone(5, ToneWord{0xEC, 0xA9}); // D754I
        view.fillTableFromDocument();
        QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 5, 3));
        QComboBox* tones = view.cellEditors()->listBox(3);
        QCOMPARE(tones->count(), 219);
        QCOMPARE(tones->currentText(), QString("D754I"));
        QTest::keyClick(tones, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(view.table().textMatrix(5, 3)), QString("D754I"));
    }

    // Tones read from a radio that the list does not offer (an extra code, a tone between
    // the listed ones) survive a visit to their cell, by a click or by walking with Enter.
    void toneTheListDoesNotOfferSurvivesAVisit_data()
    {
        QTest::addColumn<QString>("tone");
        QTest::addColumn<bool>("enter");
        QTest::newRow("extra code, click") << "D017N" << false;
        QTest::newRow("extra code, Enter") << "D526I" << true;
        QTest::newRow("tone between the listed ones, click") << "62.5" << false;
        QTest::newRow("tone between the listed ones, Enter") << "62.5" << true;
    }

    void toneTheListDoesNotOfferSurvivesAVisit()
    {
        QFETCH(QString, tone);
        QFETCH(bool, enter);
        auto w = openWindow();
        QVERIFY(w);
        CProgramView& view = w->view;
        const ToneWord stored = tone == "D017N"   ? ToneWord{0x0F, 0x28}
                                : tone == "D526I" ? ToneWord{0x56, 0xA9}
                                                  : ToneWord{0x71, 0x02}; // 62.5
        for (int r : {7, 8}) {
            w->doc.image.setRxFrequency(r, 14500000);
            w->doc.image.setDecodeTone(r, stored);
        }
        view.fillTableFromDocument();
        QSignalSpy modified(&view, &CProgramView::documentModified);
        QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 7, 3));
        QComboBox* tones = view.cellEditors()->listBox(3);
        QVERIFY(!tones->isHidden());
        QCOMPARE(tones->currentText(), tone);
        snapshot(&view, "cell-editor-tone-not-in-list");
        if (enter)
            QTest::keyClick(tones, Qt::Key_Return);
        else
            QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 7, 5));
        QCOMPARE(QString::fromStdString(view.table().textMatrix(7, 3)), tone);
        // The visit changed nothing: no undo step, the document not marked.
        QCOMPARE(view.undoHistory().undoCount(), std::size_t(0));
        QCOMPARE(modified.count(), 0);

        // A new choice is taken, and the list offers the cell's own text only while over it.
        QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), 8, 3));
        QCOMPARE(tones->count(), 220);
        tones->setCurrentIndex(tones->findText("100.0"));
        QTest::keyClick(tones, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(view.table().textMatrix(8, 3)), QString("100.0"));
        QCOMPARE(tones->count(), 219);
    }

    void otherRadioShowsNoEditorButEnterStillMoves()
    {
        processValues().radioVariant = 0;
        auto w = openWindow();
        QVERIFY(w);
        CProgramView& view = w->view;
        QVERIFY(!view.grid()->isEnabled());
        view.table().moveTo(2, 1);
        for (int col = 1; col <= 8; ++col)
            QVERIFY(view.cellEditors()->editorForColumn(col)->isHidden());
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(view.table().col(), 2);
        QVERIFY(view.cellEditors()->editorForColumn(2)->isHidden());
    }

    void editsSurviveSaveAndReopen()
    {
        auto w = openWindow();
        QVERIFY(w);
        QLineEdit* edit = typeInto(w->view, 1, 1, "145.0125");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        // An edit still open when saving is committed first (as the shell does).
        QVERIFY(typeInto(w->view, 2, 1, "136.0125"));
        w->view.commitCellEdit(false);
        const QString path = dir_.filePath("saved.dat");
        QVERIFY(w->doc.OnSaveDocument(path.toStdString()).ok());

        CProgramDoc reopened;
        QVERIFY(reopened.OnOpenDocument(path.toStdString()).ok());
        CProgramView view(reopened);
        view.OnInitialUpdate();
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(rowTexts(view, r), rowTexts(w->view, r));
        QCOMPARE(rowTexts(view, 2).first(), QString("136.01250"));
    }

    void optionalFeaturesOfANewDocument()
    {
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        const RadioImage original = image;
        QSignalSpy changed(&dlg, &COptionalFeaturesDlg::changed);
        whenShown(dlg, [&] {
            QCOMPARE(dlg.list(OptionList::TimeOutTime)->currentText(), QString("600s"));
            QCOMPARE(dlg.list(OptionList::SquelchLevel)->currentText(), QString("4"));
            QCOMPARE(dlg.transmitDelayEdit()->text(), QString("Off"));
            QCOMPARE(dlg.list(OptionList::SideKey)->currentText(), QString("None"));
            QCOMPARE(dlg.list(OptionList::PriorityChannel)->currentText(), QString("Off"));
            QCOMPARE(dlg.list(OptionList::Vox)->currentText(), QString("Off"));
            QCOMPARE(dlg.list(OptionList::VoxGainLevel)->currentText(), QString("5"));
            QCOMPARE(dlg.list(OptionList::VoiceAnnunciation)->currentText(), QString("Off"));
            QCOMPARE(dlg.list(OptionList::VoxDelayTime)->currentText(), QString("0.3s"));
            QVERIFY(!dlg.beepBox()->isChecked());
            QVERIFY(!dlg.batterySaverBox()->isChecked());
            snapshot(&dlg, "optional-features");
            // Cut above the Side Key row.
            QVERIFY(dlg.height() < dlg.list(OptionList::SideKey)->geometry().top());
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        // OK counts as a change of the document, though not a byte differs.
        QVERIFY(dlg.editOptions(image));
        QVERIFY(image == original);
        QCOMPARE(changed.count(), 1);
    }

    void optionalFeaturesVariantRule_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<bool>("squelch");
        QTest::addColumn<bool>("timeOutAndDelay");
        QTest::newRow("receive side") << 1 << true << false;
        QTest::newRow("transmit side") << 2 << false << true;
        QTest::newRow("other radio") << 0 << true << true;
    }

    void optionalFeaturesVariantRule()
    {
        QFETCH(int, variant);
        QFETCH(bool, squelch);
        QFETCH(bool, timeOutAndDelay);
        processValues().radioVariant = variant;
        COptionalFeaturesDlg dlg;
        dlg.loadFrom(RadioImage::newImage());
        QCOMPARE(!dlg.control(1116)->isHidden(), squelch);
        QCOMPARE(!dlg.control(1012)->isHidden(), squelch);
        for (int id : {1010, 1118, 1011, 1008, 1009})
            QCOMPARE(!dlg.control(id)->isHidden(), timeOutAndDelay);
    }

    void optionalFeaturesStoreTheEditedValues()
    {
        processValues().radioVariant = 2;
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        image.setByte(offset::SideKey, 7); // no such position: shown as Monitor Momentary, kept
        QSignalSpy changed(&dlg, &COptionalFeaturesDlg::changed);
        whenShown(dlg, [&] {
            QCOMPARE(dlg.list(OptionList::SideKey)->currentText(), QString("Monitor Momentary"));
            dlg.list(OptionList::TimeOutTime)->setCurrentIndex(0); // 15s
            QLineEdit* delay = dlg.transmitDelayEdit();
            delay->setFocus();
            delay->selectAll();
            QTest::keyClicks(delay, "12.34");
            dlg.list(OptionList::TimeOutTime)->setFocus(); // focus leaves the field
            QCOMPARE(delay->text(), QString("12.3"));
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        QVERIFY(dlg.editOptions(image));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(int(image.byte(offset::TimeOutTime)), 1);
        QCOMPARE(int(image.transmitDelay()), 123);
        QCOMPARE(int(image.byte(offset::SideKey)), 7);
    }

    void transmitDelayNormalisedWhenTheFocusLeaves_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("refused");
        QTest::newRow("truncated to tenths") << "12.34"
                                             << "12.3" << 123 << false;
        QTest::newRow("the top of the range") << "180"
                                              << "180.0" << 1800 << false;
        QTest::newRow("not rounded up") << "2.55"
                                        << "2.5" << 25 << false;
        QTest::newRow("above the range") << "200"
                                         << "Off" << 0 << false;
        QTest::newRow("empty") << ""
                               << "Off" << 0 << false;
        // Anything but a plain number is refused: the field goes back to its value.
        QTest::newRow("decimal comma") << "12,5"
                                       << "7.7" << 77 << true;
        QTest::newRow("negative") << "-1"
                                  << "7.7" << 77 << true;
        QTest::newRow("not a number") << "abc"
                                      << "7.7" << 77 << true;
    }

    void transmitDelayNormalisedWhenTheFocusLeaves()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        QFETCH(bool, refused);
        processValues().radioVariant = 2;
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        image.setTransmitDelay(77);
        QString afterFocusLoss;
        whenShown(dlg, [&] {
            QLineEdit* delay = dlg.transmitDelayEdit();
            delay->setFocus();
            delay->selectAll();
            QTest::keyClick(delay, Qt::Key_Delete);
            QTest::keyClicks(delay, typed);
            if (refused)
                msgtest::answerNext(QMessageBox::Ok);
            QTest::keyClick(delay, Qt::Key_Tab); // on to the next control
            afterFocusLoss = delay->text();
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        QVERIFY(dlg.editOptions(image));
        QCOMPARE(afterFocusLoss, shown);
        QCOMPARE(int(image.transmitDelay()), stored);
        QCOMPARE(int(image.byte(offset::TransmitDelay)), stored & 0xFF);
        QCOMPARE(int(image.byte(offset::TransmitDelay + 1)), stored >> 8);
        const auto messages = msgtest::takeShown();
        QCOMPARE(messages.size(), refused ? 1 : 0);
        if (refused)
            QVERIFY2(messages[0].text.contains("point as the decimal separator"),
                     qPrintable(messages[0].text));
    }

    // OK stores what the user changed; a byte a control cannot show keeps its value.
    void bytesTheControlsCannotShowAreKept()
    {
        processValues().radioVariant = 0; // every control of the upper part shown
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        image.setByte(offset::Vox, 1);
        image.setByte(offset::SquelchLevel, 0x0A);    // one past the list
        image.setByte(offset::VoiceAnnunciation, 3);  // one past the list
        image.setByte(offset::TimeOutTime, 0);        // below the list
        image.setByte(offset::PriorityChannel, 0x20); // no such channel
        image.setByte(offset::SideKey, 7);            // shown as Monitor Momentary
        image.setByte(offset::Beep, 0x03);            // bit 0 counts
        image.setTransmitDelay(0x0709);               // above 180 s: shown as Off
        const RadioImage original = image;
        whenShown(dlg, [&] {
            QCOMPARE(dlg.list(OptionList::Vox)->currentText(), QString("On"));
            QCOMPARE(dlg.list(OptionList::SquelchLevel)->currentIndex(), -1);
            QCOMPARE(dlg.list(OptionList::VoiceAnnunciation)->currentIndex(), -1);
            QCOMPARE(dlg.list(OptionList::TimeOutTime)->currentIndex(), -1);
            QCOMPARE(dlg.list(OptionList::SideKey)->currentText(), QString("Monitor Momentary"));
            QVERIFY(dlg.beepBox()->isChecked());
            QCOMPARE(dlg.transmitDelayEdit()->text(), QString("Off"));
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        QVERIFY(dlg.editOptions(image));
        QVERIFY(image == original);

        // The control the user changes stores its value; the others still keep theirs.
        whenShown(dlg, [&] {
            dlg.list(OptionList::SquelchLevel)->setCurrentIndex(3);
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        QVERIFY(dlg.editOptions(image));
        QCOMPARE(int(image.byte(offset::SquelchLevel)), 3);
        image.setByte(offset::SquelchLevel, 0x0A);
        QVERIFY(image == original);
    }

    // Only what the window shows takes the keyboard: Tab (and Down, which moves on from a
    // button) never reaches a control below the cut, so no key changes it unseen. A window
    // shown whole (More) takes them all.
    void controlsOutsideTheWindowTakeNoFocus()
    {
        processValues().radioVariant = 0;
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        const QList<QWidget*> below{dlg.control(1120), dlg.control(1016), dlg.control(1017),
                                    dlg.control(1006), dlg.control(1007), dlg.control(1121),
                                    dlg.control(1119), dlg.control(1140)};
        auto tabbedTo = [] {
            QList<QWidget*> reached;
            for (int i = 0; i < 16; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                reached << QApplication::focusWidget();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                reached << QApplication::focusWidget();
            }
            return reached;
        };
        QList<QWidget*> reached;
        whenShown(dlg, [&] {
            reached = tabbedTo();
            QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        });
        QVERIFY(!dlg.editOptions(image));
        QVERIFY(reached.contains(dlg.control(1116)));
        for (QWidget* control : below)
            QVERIFY2(!reached.contains(control),
                     qPrintable(QString::number(controlIdOf(control, &dlg).value_or(0))));

        whenShown(dlg, [&] {
            QTest::mouseClick(dlg.moreButton(), Qt::LeftButton); // the whole template
            reached = tabbedTo();
            QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        });
        QVERIFY(!dlg.editOptions(image));
        QVERIFY(reached.contains(dlg.control(1120)));
        QVERIFY(reached.contains(dlg.control(1140)));
    }

    void transmitDelayEnterOnOkIsNormalised()
    {
        processValues().radioVariant = 2;
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        whenShown(dlg, [&] {
            QLineEdit* delay = dlg.transmitDelayEdit();
            delay->setFocus();
            delay->selectAll();
            QTest::keyClicks(delay, "999");
            QTest::keyClick(delay, Qt::Key_Return); // OK without leaving the field
        });
        dlg.editOptions(image);
        QCOMPARE(int(image.transmitDelay()), 0);
    }

    void transmitDelayArrows()
    {
        processValues().radioVariant = 2;
        COptionalFeaturesDlg dlg;
        dlg.loadFrom(RadioImage::newImage());
        QLineEdit* delay = dlg.transmitDelayEdit();
        QCOMPARE(delay->text(), QString("Off"));
        emit dlg.transmitDelayArrows()->stepped(-1);
        QCOMPARE(delay->text(), QString("180.0"));
        emit dlg.transmitDelayArrows()->stepped(1);
        QCOMPARE(delay->text(), QString("Off"));
        QTest::keyClick(delay, Qt::Key_Up);
        QCOMPARE(delay->text(), QString("0.1"));
        emit dlg.transmitDelayArrows()->stepped(5);
        QCOMPARE(delay->text(), QString("0.5"));
    }

    void cancelStoresNothing()
    {
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        const RadioImage original = image;
        whenShown(dlg, [&] {
            dlg.list(OptionList::SquelchLevel)->setCurrentIndex(9);
            QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        });
        QVERIFY(!dlg.editOptions(image));
        QVERIFY(image == original);
    }

    void productDialogChoosesTypeAndBand()
    {
        CProductInfoDlg dlg;
        RadioImage image = RadioImage::newImage();
        BandLimits limits;
        writeProductChoice(store_, processValues().configurationStore, {0, 0});
        whenShown(dlg, [&] {
            QCOMPARE(dlg.typeList()->count(), 2);
            QCOMPARE(dlg.typeList()->currentText(), QString("QX-260"));
            snapshot(&dlg, "product-information");
            QCOMPARE(dlg.bandList()->currentText(), QString("130 - 160MHz"));
            dlg.typeList()->setCurrentIndex(1); // a new type selects its first band
            QCOMPARE(dlg.bandList()->count(), 2);
            QCOMPARE(dlg.bandList()->currentIndex(), 0);
            dlg.bandList()->setCurrentIndex(1);
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        QVERIFY(dlg.editProduct(image, limits));
        QCOMPARE(int(image.byte(offset::ProductType)), 1);
        QCOMPARE(int(image.byte(offset::BandIndex)), 1);
        QVERIFY(limits == (BandLimits{15000000, 17400000}));
        QCOMPARE(captions_.last(), QString("QX Tool  [ Type:QX-260L  Fre:150 - 174MHz ]"));
        const ProductChoice stored = readProductChoice(store_, processValues().configurationStore);
        QCOMPARE(stored.type, 1);
        QCOMPARE(stored.field, 1);
    }

    void f1InTheDialogsAsksForTheFocusedControlsTopic()
    {
        // No manual lies beside this test: each request says so, answered at once.
        msgtest::setAutoAnswer(true);
        processValues().radioVariant = 0; // every control of the visible part shown
        COptionalFeaturesDlg options;
        QSignalSpy optionsHelp(&options, &COptionalFeaturesDlg::helpRequested);
        whenShown(options, [&] {
            for (QWidget* w : {options.control(1118), options.control(1116), options.control(1008),
                               static_cast<QWidget*>(options.okButton())}) {
                w->setFocus();
                QTest::keyClick(w, Qt::Key_F1);
            }
        });
        RadioImage image = RadioImage::newImage();
        QVERIFY(!options.editOptions(image));
        QCOMPARE(optionsHelp.size(), 4);
        QCOMPARE(optionsHelp[0][0].toInt(), 1118);
        QCOMPARE(optionsHelp[1][0].toInt(), 1116);
        QCOMPARE(optionsHelp[2][0].toInt(), 1008);
        QCOMPARE(optionsHelp[3][0].toInt(), 1);

        CProductInfoDlg product;
        QSignalSpy productHelp(&product, &CProductInfoDlg::helpRequested);
        BandLimits limits;
        whenShown(product, [&] {
            for (QWidget* w :
                 {static_cast<QWidget*>(product.typeList()), static_cast<QWidget*>(product.bandList()),
                  static_cast<QWidget*>(product.cancelButton())}) {
                w->setFocus();
                QTest::keyClick(w, Qt::Key_F1);
            }
        });
        QVERIFY(!product.editProduct(image, limits));
        QCOMPARE(productHelp.size(), 3);
        QCOMPARE(productHelp[0][0].toInt(), 1013);
        QCOMPARE(productHelp[1][0].toInt(), 1014);
        QCOMPARE(productHelp[2][0].toInt(), 2);
        QCOMPARE(msgtest::takeShown().size(), 7);
        msgtest::setAutoAnswer(false);
    }

    void frequencyBoxStopsTakingTextWhenFull()
    {
        auto w = openWindow();
        QVERIFY(w);
        const QString typed(60, QLatin1Char('1'));
        QLineEdit* edit = typeInto(w->view, 1, 1, typed);
        QVERIFY(edit);
        QVERIFY(edit->text().size() > 3);
        QVERIFY(edit->text().size() < typed.size());
        QVERIFY(QFontMetrics(edit->font()).horizontalAdvance(edit->text()) <= edit->width());
        // Room made by deleting is room to type again.
        const QString full = edit->text();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "25");
        QCOMPARE(edit->text(), full.chopped(1) + "2");
    }

    void productDialogCancel()
    {
        CProductInfoDlg dlg;
        RadioImage image = RadioImage::newImage();
        const RadioImage original = image;
        BandLimits limits{1, 2};
        whenShown(dlg, [&] {
            dlg.typeList()->setCurrentIndex(1);
            QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        });
        QVERIFY(!dlg.editProduct(image, limits));
        QVERIFY(image == original);
        QVERIFY(limits == (BandLimits{1, 2}));
        QVERIFY(captions_.isEmpty());
    }
};

QTEST_MAIN(TestEditing)
#include "cell_editing_qtest.moc"
