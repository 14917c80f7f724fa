// Editing in the running program beyond the cells: Optional Features and Product
// Information from the main window's menu, what Open and Save keep of what the window does
// not show, texts of any length from Program.ini, and the program in Chinese. The option and
// product rules are the core's rows (OptionalFeatures, TransmitDelay, ProductOk,
// CommitField.ChannelsOutsideTheBandAreNamed); these check the commands reach them and show
// their result.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ProgramDriving.h"
#include "res/ResourceIds.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"

using namespace qx260;
namespace id = qx260::resid;

namespace
{

// Opens a settings dialog with its command; change then closes it.
template <typename Dialog>
bool runDialog(ShellFixture& env, int command, const std::function<void(Dialog*)>& change)
{
    bool shown = false;
    onNextModal<Dialog>([&](Dialog* d) {
        shown = true;
        change(d);
    });
    env.frame()->OnCommand(command);
    return shown;
}

} // namespace

class TestEditingProgram : public QObject
{
    Q_OBJECT

  private slots:
    // OK marks the document even with nothing changed; Cancel leaves it alone; the
    // Transmit Delay is normalised before Enter takes OK; a radio of no known variant has
    // no Optional Features.
    void optionalFeaturesFromTheMenu()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        CProgramDoc& doc = *env.active()->doc;
        const auto before = doc.image.bytes();
        QVERIFY(runDialog<COptionalFeaturesDlg>(env, id::OptionalFeatures, [](COptionalFeaturesDlg* d) {
            QCOMPARE(d->list(OptionList::SquelchLevel)->currentText(), QString("4"));
            QCOMPARE(d->transmitDelayEdit()->text(), QString("Off"));
            d->okButton()->click();
        }));
        QVERIFY(doc.image.bytes() == before);
        QVERIFY(doc.modified);

        doc.modified = false;
        QVERIFY(runDialog<COptionalFeaturesDlg>(env, id::OptionalFeatures, [](COptionalFeaturesDlg* d) {
            d->beepBox()->setChecked(!d->beepBox()->isChecked());
            d->cancelButton()->click();
        }));
        QVERIFY(doc.image.bytes() == before);
        QVERIFY(!doc.modified);

        processValues().radioVariant = 2;
        QVERIFY(runDialog<COptionalFeaturesDlg>(env, id::OptionalFeatures, [](COptionalFeaturesDlg* d) {
            QLineEdit* delay = d->transmitDelayEdit();
            delay->setFocus();
            delay->selectAll();
            QTest::keyClicks(delay, "2.50");
            QTest::keyClick(delay, Qt::Key_Return);
        }));
        QCOMPARE(int(doc.image.transmitDelay()), 25);
        QVERIFY(doc.modified);

        processValues().radioVariant = 0;
        view->fillTableFromDocument();
        bool shown = false;
        onNextModal<COptionalFeaturesDlg>(
            [&](COptionalFeaturesDlg* d) {
                shown = true;
                d->cancelButton()->click();
            },
            20);
        env.frame()->OnCommand(id::OptionalFeatures);
        QTest::qWait(300);
        QVERIFY(!shown);
        processValues().radioVariant = 1;
        view->fillTableFromDocument();
    }

    // OK marks the document; a new band reaches the image, the channel window's limits and
    // the caption, and the channels outside it are named and kept.
    void productInformationFromTheMenu()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        for (const auto& [row, typed] : {std::pair{3, "158"}, std::pair{4, "140"}, std::pair{7, "131.5"}}) {
            QLineEdit* edit = typeInto(view, row, 1, typed);
            QVERIFY(edit);
            QTest::keyClick(edit, Qt::Key_Return);
        }
        CProgramDoc& doc = *env.active()->doc;
        doc.modified = false;
        const auto before = doc.image.bytes();
        QVERIFY(runDialog<CProductInfoDlg>(env, id::ProductInformation,
                                           [](CProductInfoDlg* d) { d->okButton()->click(); }));
        QVERIFY(doc.image.bytes() == before);
        QVERIFY(doc.modified);

        QList<QStringList> rows;
        for (int r = 1; r <= 16; ++r)
            rows << rowTexts(view, r);
        QVERIFY(runDialog<CProductInfoDlg>(env, id::ProductInformation, [](CProductInfoDlg* d) {
            d->typeList()->setCurrentIndex(1);
            d->bandList()->setCurrentIndex(0); // 136 - 150MHz
            d->okButton()->click();
        }));
        QCOMPARE(shownTexts(), QStringList{"These channels lie outside the band 136 - 150MHz and are kept as "
                                           "they are: 3, 7.\nChange them before you write to the radio."});
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(rowTexts(view, r), rows[r - 1]);

        // A band they all fit: nothing to say.
        QVERIFY(runDialog<CProductInfoDlg>(env, id::ProductInformation, [](CProductInfoDlg* d) {
            d->typeList()->setCurrentIndex(0);
            d->okButton()->click();
        }));
        QVERIFY(msgtest::takeShown().isEmpty());

        QVERIFY(runDialog<CProductInfoDlg>(env, id::ProductInformation, [](CProductInfoDlg* d) {
            d->bandList()->setCurrentIndex(1);
            d->okButton()->click();
        }));
        QVERIFY(msgtest::takeShown().value(0).text.contains("136 - 174MHz and are kept as they are: 7."));
        QCOMPARE(int(doc.image.byte(offset::BandIndex)), 1);
        QCOMPARE(view->bandLimits().lower, 13600000);
        QCOMPARE(view->bandLimits().upper, 17400000);
        QVERIFY(env.frame()->windowTitle().contains(QStringLiteral("136 - 174MHz")));
    }

    // Open and Save store what the window does not show as it was: the transmit side of a
    // receive-side window, a frequency word it cannot show exactly, a tone code its list does
    // not offer, options its controls cannot show.
    void openAndSaveKeepWhatTheWindowDoesNotShow()
    {
        ShellFixture env;
        RadioImage image = RadioImage::newImage();
        for (int n = 1; n <= 16; ++n) {
            image.setRxFrequency(n, 14500000 + 2500 * static_cast<std::uint32_t>(n));
            image.setTxFrequency(n, 14600000 + 2500 * static_cast<std::uint32_t>(n));
            image.setEncodeTone(n, ToneWord{0x13, 0x28});
            image.setBusyLock(n, BusyLock::Carrier);
        }
        // Channel 16 has a transmit side only: the window (variant 1) shows it empty.
        image.setRxFrequency(16, 0);
        image.setWide(16, false);
        image.setHighPower(16, false);
        image.setChannelByte(9, 3, 0xA1);              // a digit above 9: 1015.22500 MHz
        image.setDecodeTone(10, ToneWord{0x0F, 0x28}); // D017N, a code the list does not offer
        image.setByte(offset::SquelchLevel, 0x0A);     // no position of its list
        image.setTransmitDelay(0x0709);                // above 180 s
        QVERIFY(env.start({env.writeDocument("radio.dat", image)}));
        activate(env.frame());
        CProgramView* view = env.active()->view;
        QCOMPARE(rowTexts(view, 9).first(), QString("1015.22500"));

        // One edit elsewhere, the D017N cell visited with Enter, OK in Optional Features.
        CMSFlexGrid* grid = view->grid();
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRectPixels(5, 6).center());
        QComboBox* scan = view->cellEditors()->listBox(6);
        scan->setCurrentIndex(1); // No
        QTest::keyClick(scan, Qt::Key_Return);
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRectPixels(10, 3).center());
        QTest::keyClick(view->cellEditors()->listBox(3), Qt::Key_Return);
        QCOMPARE(view->undoHistory().undoCount(), std::size_t(1)); // the visit is no change
        QVERIFY(runDialog<COptionalFeaturesDlg>(env, id::OptionalFeatures,
                                                [](COptionalFeaturesDlg* d) { d->okButton()->click(); }));
        env.frame()->OnCommand(id::FileSave);
        QVERIFY(msgtest::takeShown().isEmpty());

        RadioImage saved;
        QVERIFY(loadDatFile(env.path("radio.dat").toStdString(), saved).ok());
        RadioImage expected = image;
        expected.setScan(5, false);
        QVERIFY(saved == expected);
    }

    void longConfiguredTextsAreShownCut()
    {
        // A type or band name of any length in Program.ini is shown cut, in Product
        // Information and in the caption; the program goes on working with it.
        const QString type(5000, QLatin1Char('T'));
        const QString band = QStringLiteral("136 - 174MHz ") + QString(3000, QLatin1Char('B'));
        ShellFixture env([&](QString& ini) {
            ini.replace(QStringLiteral("Type1=QX-260"), "Type1=" + type);
            ini.replace(QStringLiteral("|136 - 174MHz|"), "|" + band + "|");
        });
        QVERIFY(env.start());
        const QString ellipsis(QChar(0x2026));
        QVERIFY(runDialog<CProductInfoDlg>(env, id::ProductInformation, [&](CProductInfoDlg* d) {
            QCOMPARE(d->typeList()->itemText(0), type.left(1000) + ellipsis);
            QCOMPARE(d->bandList()->count(), 3);
            QCOMPARE(d->bandList()->itemText(1), band.left(1000) + ellipsis);
            d->bandList()->setCurrentIndex(1);
            d->okButton()->click();
        }));
        QCOMPARE(int(env.active()->doc->image.byte(offset::BandIndex)), 1);
        const QString caption = env.frame()->windowTitle();
        QVERIFY2(caption.size() == 1001 && caption.endsWith(ellipsis), qPrintable(caption.left(80)));
    }

    // The Chinese texts of cells, lists and dialogs are the rows of ChannelFields,
    // OptionLists and LanguageModules; here the running program's messages and caption.
    void chineseEditing()
    {
        ShellFixture env(useChinese);
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QLineEdit* edit = typeInto(view, 1, 1, "150");
        QVERIFY(edit);
        snapshot(view, "zh-cell-editor-edit");
        QTest::keyClick(edit, Qt::Key_Return);
        CMSFlexGrid* grid = view->grid();
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRectPixels(1, 5).center());
        QVERIFY(!view->cellEditors()->listBox(5)->isHidden());
        snapshot(view, "zh-cell-editor-list");

        // The messages come from the Chinese module.
        edit = typeInto(view, 2, 1, "129.99375");
        QVERIFY(edit);
        msgtest::answerNext(QMessageBox::Ok);
        QTest::keyClick(edit, Qt::Key_Return);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, resourceString(61448));
        QCOMPARE(shown[0].caption, resourceString(61458));
        QVERIFY(!shown[0].text.isEmpty() && shown[0].text != "Out of range,please input again.");
        QVERIFY(shown[0].caption != "Caution");

        // Every option visible for the picture: variant 0 keeps the command from opening the
        // dialog, so it is run directly.
        processValues().radioVariant = 0;
        onNextModal<COptionalFeaturesDlg>([](COptionalFeaturesDlg* d) {
            QCOMPARE(d->windowTitle(), QString("可选功能"));
            snapshot(d, "zh-optional-features");
            d->cancelButton()->click();
        });
        COptionalFeaturesDlg options(env.frame());
        QVERIFY(!options.editOptions(env.active()->doc->image));
        processValues().radioVariant = 1;
        QVERIFY(runDialog<CProductInfoDlg>(env, id::ProductInformation, [](CProductInfoDlg* d) {
            snapshot(d, "zh-product-information");
            d->okButton()->click();
        }));
        // The caption keeps its English labels in Chinese too.
        QVERIFY(env.frame()->windowTitle().contains("  [ Type:QX-260  Fre:130 - 160MHz ]"));
    }
};

QTEST_MAIN(TestEditingProgram)
#include "editing_program_qtest.moc"
