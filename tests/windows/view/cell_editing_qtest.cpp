// Editing through the real widgets: the cell editors of the channel window, the Optional
// Features dialog and the Product Information dialog. Each path from a widget to the core's
// rules and back to the screen is here once; the rules themselves (commit, refusals, option
// and product mappings, the Transmit Delay text) are the core's rows.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CellEditors.h"

using namespace qx260;
using test::cellCentre;
using test::rowTexts;
using test::ShownView;
using test::snapshot;
using test::whenShown;

namespace
{
// Clicks a cell and types into its (edit box) editor.
QLineEdit* typeInto(CProgramView& view, int r, int c, const QString& text)
{
    QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), r, c));
    QLineEdit* edit = view.cellEditors()->editBox(c);
    if (!edit || edit->isHidden())
        return nullptr;
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return edit;
}

void click(CProgramView& view, int r, int c)
{
    QTest::mouseClick(view.grid(), Qt::LeftButton, Qt::NoModifier, cellCentre(view.grid(), r, c));
}
} // namespace

class TestEditing : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    MemoryUserStore store_;
    QStringList captions_;

  private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QVERIFY(test::useTestConfiguration(dir_, store_));
        processValues().showCaption = [this](const std::string& c) {
            captions_ << QString::fromStdString(c);
        };
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

    // A frequency typed into an empty row, taken with Enter or by clicking another cell,
    // makes the channel on the side the radio variant shows.
    void typedFrequencyMakesAChannel_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("row");
        // Variant 1 keeps the transmit side from the user, variant 2 the receive side (and
        // with it Scan): each stays as stored.
        const QStringList rxOnly{"150.00000", "", "None", "", "Wide", "No", "Off", "High"};
        const QStringList txOnly{"", "147.50000", "", "None", "Wide", "Yes", "Off", "High"};
        QTest::newRow("receive side, Enter") << 1 << true << "150" << rxOnly;
        QTest::newRow("receive side, click") << 1 << false << "150" << rxOnly;
        QTest::newRow("transmit side, Enter") << 2 << true << "147.5" << txOnly;
        QTest::newRow("transmit side, click") << 2 << false << "147.5" << txOnly;
    }

    void typedFrequencyMakesAChannel()
    {
        QFETCH(int, variant);
        QFETCH(bool, enter);
        QFETCH(QString, typed);
        QFETCH(QStringList, row);
        processValues().radioVariant = variant;
        ShownView w;
        QVERIFY(w.show());
        CProgramView& view = w.view;
        QSignalSpy modified(&view, &CProgramView::documentModified);
        view.OnInitialUpdate();  // filling is no change of the document
        const int col = variant; // the frequency column the variant shows
        QLineEdit* edit = typeInto(view, 3, col, typed);
        QVERIFY(edit);
        if (enter) {
            if (variant == 1)
                snapshot(&view, "cell-editor-edit");
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            click(view, 6, 5);
        }
        QCOMPARE(rowTexts(view, 3), row);
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(modified.count(), 1);
        QVERIFY(edit->isHidden());
        // The document has the side the variant shows; the hidden one stays as stored.
        QCOMPARE(w.doc.image.rxFrequency(3).has_value(), variant == 1);
        QCOMPARE(w.doc.image.txFrequency(3).has_value(), variant == 2);
        if (enter) { // moved on to the next cell, hidden or not, and opened its editor
            QCOMPARE(view.table().row(), 3);
            QCOMPARE(view.table().col(), col + 1);
        } else { // the clicked cell has its list editor open on the matching item
            if (variant == 1)
                snapshot(&view, "cell-editor-list");
            QComboBox* list = view.cellEditors()->listBox(5);
            QVERIFY(!list->isHidden());
            QCOMPARE(list->currentText(), QString("Wide"));
        }
        view.hideCellEditors();
        view.fillTableFromDocument();
        QCOMPARE(modified.count(), 1);
        QCOMPARE(rowTexts(view, 3), row); // as the document holds it
    }

    // A refused frequency is said in a message box, and the channel stays as it was; the
    // refusal is no step to undo.
    void refusedFrequencyLeavesTheChannelAsItWas_data()
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
        QTest::newRow("tx off step, click") << 2 << false << "145.001" << step;
        QTest::newRow("a digit finer than 10 Hz") << 1 << true << "146.5400001" << step;
        QTest::newRow("two points") << 2 << true << "146.52.3" << number;
    }

    void refusedFrequencyLeavesTheChannelAsItWas()
    {
        QFETCH(int, variant);
        QFETCH(bool, enter);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        processValues().radioVariant = variant;
        ShownView w;
        QVERIFY(w.show());
        CProgramView& view = w.view;
        const int col = variant;
        QLineEdit* edit = typeInto(view, 2, col, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        click(view, 2, 5);
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
            click(view, 6, 5);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].caption, QString("Caution"));
        QVERIFY(shown[0].icon == MsgIcon::Exclamation);
        QCOMPARE(rowTexts(view, 2), channel);
        QVERIFY(edit->isHidden());
        if (enter)
            QCOMPARE(view.table().col(), col); // no advance after a refusal

        // Ctrl+Z takes back the last change that happened.
        QTest::keyClick(view.grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(view, 2)[4], QString("Wide"));
        QCOMPARE(rowTexts(view, 2)[col - 1], QString("150.00000"));
    }

    void pressBesideTheCellsKeepsWhatIsBeingTyped()
    {
        ShownView w;
        QVERIFY(w.show());
        CMSFlexGrid* grid = w.view.grid();
        QLineEdit* edit = typeInto(w.view, 2, 1, "146");
        QVERIFY(edit);
        // On a header cell, then on the empty area right of the cells.
        click(w.view, 0, 3);
        const QRect last = grid->cellRectPixels(2, 6);
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(last.right() + 20, last.center().y()));
        QCOMPARE(w.view.table().col(), 1);
        QCOMPARE(edit->text(), QString("146"));
        QVERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rowTexts(w.view, 2).first(), QString("146.00000"));

        // After a rejection the editor is gone; a press brings it back over the cell.
        edit = typeInto(w.view, 3, 1, "1");
        QVERIFY(edit);
        msgtest::answerNext(QMessageBox::Ok);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(msgtest::takeShown().size(), 1);
        QVERIFY(edit->isHidden());
        click(w.view, 0, 3);
        QVERIFY(!edit->isHidden());
        QCOMPARE(edit->text(), QString());
    }

    void editorMovesWithItsCellWhenTheRowsScroll()
    {
        ShownView w;
        QVERIFY(w.show());
        CMSFlexGrid* grid = w.view.grid();
        grid->resize(grid->width(), grid->cellRectPixels(8, 1).bottom()); // the form's grid shows every row
        QVERIFY(grid->cellRectPixels(16, 1).bottom() >= grid->height());  // there is something to scroll
        QLineEdit* edit = typeInto(w.view, 2, 1, "146");
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
        QCOMPARE(rowTexts(w.view, 2).first(), QString("146.00000"));
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
        ShownView w;
        QVERIFY(w.show());
        CProgramView& view = w.view;
        const ToneWord stored = tone == "D017N"   ? ToneWord{0x0F, 0x28}
                                : tone == "D526I" ? ToneWord{0x56, 0xA9}
                                                  : ToneWord{0x71, 0x02}; // 62.5
        for (int r : {7, 8}) {
            w.doc.image.setRxFrequency(r, 14500000);
            w.doc.image.setDecodeTone(r, stored);
        }
        view.fillTableFromDocument();
        QSignalSpy modified(&view, &CProgramView::documentModified);
        click(view, 7, 3);
        QComboBox* tones = view.cellEditors()->listBox(3);
        QVERIFY(!tones->isHidden());
        QCOMPARE(tones->currentText(), tone);
        snapshot(&view, "cell-editor-tone-not-in-list");
        if (enter)
            QTest::keyClick(tones, Qt::Key_Return);
        else
            click(view, 7, 5);
        QCOMPARE(QString::fromStdString(view.table().textMatrix(7, 3)), tone);
        // The visit changed nothing: no undo step, the document not marked.
        QCOMPARE(view.undoHistory().undoCount(), std::size_t(0));
        QCOMPARE(modified.count(), 0);

        // A new choice is taken, and the list offers the cell's own text only while over it.
        click(view, 8, 3);
        QCOMPARE(tones->count(), 220);
        tones->setCurrentIndex(tones->findText("100.0"));
        QTest::keyClick(tones, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(view.table().textMatrix(8, 3)), QString("100.0"));
        QCOMPARE(tones->count(), 219);
    }

    void frequencyBoxStopsTakingTextWhenFull()
    {
        ShownView w;
        QVERIFY(w.show());
        const QString typed(60, QLatin1Char('1'));
        QLineEdit* edit = typeInto(w.view, 1, 1, typed);
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

    // What is typed into Transmit Delay is normalised when the focus leaves the field; a
    // text that is no plain number, or a number that is not one of the field's values, is
    // refused, and the field goes back to its value. OK stores it with the list changed
    // beside it and keeps a byte no control changed.
    void transmitDelayTakenWhenTheFocusLeaves_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("tenths taken") << "12.30"
                                      << "12.3" << 123 << QString();
        QTest::newRow("decimal comma refused") << "12,5"
                                               << "7.7" << 77 << "point as the decimal separator";
        QTest::newRow("off the step refused, not rounded") << "12.34"
                                                           << "7.7" << 77 << "steps of 0.1";
        QTest::newRow("out of range refused, not turned off") << "200"
                                                              << "7.7" << 77 << "steps of 0.1";
    }

    void transmitDelayTakenWhenTheFocusLeaves()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        QFETCH(QString, refusal);
        const bool refused = !refusal.isEmpty();
        processValues().radioVariant = 2;
        COptionalFeaturesDlg dlg;
        RadioImage image = RadioImage::newImage();
        image.setTransmitDelay(77);
        image.setByte(offset::SideKey, 7); // no such position: shown as Monitor Momentary, kept
        QSignalSpy changed(&dlg, &COptionalFeaturesDlg::changed);
        QString afterFocusLoss;
        whenShown(dlg, [&] {
            dlg.list(OptionList::TimeOutTime)->setCurrentIndex(0); // 15s
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
        QCOMPARE(changed.count(), 1);
        QCOMPARE(int(image.transmitDelay()), stored);
        QCOMPARE(int(image.byte(offset::TransmitDelay)), stored & 0xFF);
        QCOMPARE(int(image.byte(offset::TransmitDelay + 1)), stored >> 8);
        QCOMPARE(int(image.byte(offset::TimeOutTime)), 1);
        QCOMPARE(int(image.byte(offset::SideKey)), 7);
        const auto messages = msgtest::takeShown();
        QCOMPARE(messages.size(), refused ? 1 : 0);
        if (refused)
            QVERIFY2(messages[0].text.contains(refusal), qPrintable(messages[0].text));
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
        QTest::keyClick(delay, Qt::Key_Up);
        QCOMPARE(delay->text(), QString("Off"));
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
        QCOMPARE(captions_.last(),
                 QString("QX-260 Programming Software  [ Type:QX-260L  Fre:150 - 174MHz ]"));
    }

    // Cancel in either dialog stores nothing, whatever was chosen.
    void cancelStoresNothing()
    {
        COptionalFeaturesDlg options;
        RadioImage image = RadioImage::newImage();
        const RadioImage original = image;
        whenShown(options, [&] {
            snapshot(&options, "optional-features");
            options.list(OptionList::SquelchLevel)->setCurrentIndex(9);
            QTest::mouseClick(options.cancelButton(), Qt::LeftButton);
        });
        QVERIFY(!options.editOptions(image));

        CProductInfoDlg product;
        BandLimits limits{1, 2};
        whenShown(product, [&] {
            product.typeList()->setCurrentIndex(1);
            QTest::mouseClick(product.cancelButton(), Qt::LeftButton);
        });
        QVERIFY(!product.editProduct(image, limits));
        QVERIFY(image == original);
        QVERIFY(limits == (BandLimits{1, 2}));
        QVERIFY(captions_.isEmpty());
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

        const auto topics = [](const QSignalSpy& spy) {
            QList<int> t;
            for (const QList<QVariant>& request : spy)
                t << request[0].toInt();
            return t;
        };
        QCOMPARE(topics(optionsHelp), (QList<int>{1118, 1116, 1008, 1}));
        QCOMPARE(topics(productHelp), (QList<int>{1013, 1014, 2}));
        QCOMPARE(msgtest::takeShown().size(), 7);
        msgtest::setAutoAnswer(false);
    }
};

QTEST_MAIN(TestEditing)
#include "cell_editing_qtest.moc"
