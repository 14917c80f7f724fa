// Editing as a user does it in the running program: typing into the channel window's
// cells, saving with the keyboard while an edit is open, reopening the file, and the two
// settings dialogs opened from the main window, in English and in Chinese.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "ProgramDriving.h"
#include "ShellFixture.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CellEditors.h"

using namespace qx260;

namespace
{

constexpr int kOptionalFeatures = 32788;
constexpr int kProductInformation = 32786;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;

// With QX260_SCREENSHOT_DIR set, keeps a picture of the widget for a person to look at.
void snapshot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("QX260_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        widget->grab().save(dir + "/" + name + ".png");
}

} // namespace

class TestEditingProgram : public QObject
{
    Q_OBJECT

  private slots:
    void typedChannelSavedWithCtrlSAndReopened()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        CProgramApp::Document* doc = env.active();
        QVERIFY(!doc->doc->modified);

        QLineEdit* edit = typeInto(view, 3, 1, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rowTexts(view, 3), (QStringList{"150.00000", "", "None", "", "Wide", "No", "Off", "High"}));
        QVERIFY(doc->doc->modified);

        // A value still being typed when Ctrl+S is pressed goes into the file.
        edit = typeInto(view, 5, 1, "145.0125");
        QVERIFY(edit);
        filetest::answerNext(env.path("typed.dat"));
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(msgtest::takeShown().isEmpty());
        QCOMPARE(ShellFixture::readFile(env.path("typed.dat")).size(), 1040);
        QVERIFY(!doc->doc->modified);
        QVERIFY(edit->isHidden());
        QCOMPARE(rowTexts(view, 5).first(), QString("145.01250"));

        // Opened again (a copy, so that it gets a window of its own): the same table.
        QVERIFY(QFile::copy(env.path("typed.dat"), env.path("copy.dat")));
        filetest::answerNext(env.path("copy.dat"));
        env.frame()->OnCommand(kFileOpen);
        CProgramApp::Document* reopened = env.active();
        QVERIFY(reopened != doc);
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(rowTexts(reopened->view, r), rowTexts(view, r));
        QCOMPARE(rowTexts(reopened->view, 5).first(), QString("145.01250"));
    }

    void exitWithAValueStillBeingTypedAsksToSaveIt()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QLineEdit* edit = typeInto(view, 7, 1, "147");
        QVERIFY(edit);
        QVERIFY(!env.active()->doc->modified);
        msgtest::answerNext(QMessageBox::Yes);
        filetest::answerNext(env.path("exit.dat"));
        QVERIFY(env.frame()->close());
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        RadioImage saved;
        QVERIFY(loadDatFile(env.path("exit.dat").toStdString(), saved).ok());
        QCOMPARE(saved.rxFrequency(7), 14700000u);
    }

    void rejectedValueAtSaveKeepsTheFile()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QLineEdit* edit = typeInto(view, 2, 1, "146");
        QVERIFY(edit);
        filetest::answerNext(env.path("kept.dat"));
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(env.path("kept.dat")));
        const QByteArray saved = ShellFixture::readFile(env.path("kept.dat"));

        edit = typeInto(view, 2, 1, "145.001");
        QVERIFY(edit);
        msgtest::answerNext(QMessageBox::Ok);
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QString("Error data Value, please input according the step value(6.25K/5k)."));
        QCOMPARE(shown[0].caption, QString("Caution"));
        QVERIFY(shown[0].icon == MsgIcon::Exclamation);
        QCOMPARE(ShellFixture::readFile(env.path("kept.dat")), saved);
        // The refused value changed nothing: the channel keeps the frequency it had.
        QCOMPARE(rowTexts(view, 2).first(), QString("146.00000"));
        QVERIFY(!env.active()->doc->modified);
    }

    // Open and Save store what the window does not show as it was: the transmit side of a
    // receive-side window, a frequency word it cannot show exactly, unchanged options.
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
        const auto bytes = serializeDat(image);
        ShellFixture::writeFile(env.path("radio.dat"),
                                QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));
        QVERIFY(env.start({env.path("radio.dat")}));
        env.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(env.frame()));
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
        onNextModal<COptionalFeaturesDlg>([](COptionalFeaturesDlg* d) { d->okButton()->click(); });
        env.frame()->OnCommand(kOptionalFeatures);
        env.frame()->OnCommand(kFileSave);
        QVERIFY(msgtest::takeShown().isEmpty());

        RadioImage saved;
        QVERIFY(loadDatFile(env.path("radio.dat").toStdString(), saved).ok());
        RadioImage expected = image;
        expected.setScan(5, false);
        QVERIFY(saved == expected);
    }

    // A band change keeps every channel and names those outside the new band.
    void productBandChangeNamesTheChannelsOutside()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        for (const auto& [row, typed] : {std::pair{3, "158"}, std::pair{4, "140"}, std::pair{7, "131.5"}}) {
            QLineEdit* edit = typeInto(view, row, 1, typed);
            QVERIFY(edit);
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QList<QStringList> rows;
        for (int r = 1; r <= 16; ++r)
            rows << rowTexts(view, r);

        onNextModal<CProductInfoDlg>([](CProductInfoDlg* d) {
            d->typeList()->setCurrentIndex(1);
            d->bandList()->setCurrentIndex(0); // 136 - 150MHz
            d->okButton()->click();
        });
        msgtest::answerNext(QMessageBox::Ok);
        env.frame()->OnCommand(kProductInformation);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QString("These channels lie outside the band 136 - 150MHz and are kept as they "
                         "are: 3, 7.\nChange them before you write to the radio."));
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(rowTexts(view, r), rows[r - 1]);

        // Back to a band they all fit: nothing to say.
        onNextModal<CProductInfoDlg>([](CProductInfoDlg* d) {
            d->typeList()->setCurrentIndex(0);
            d->okButton()->click();
        });
        env.frame()->OnCommand(kProductInformation);
        QVERIFY(msgtest::takeShown().isEmpty());
    }

    void settingsDialogsOkMarksTheDocument()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        CProgramApp::Document* doc = env.active();
        const auto before = doc->doc->image.bytes();

        // A new document's options, confirmed unchanged: not a byte differs, yet the
        // document asks to be saved like after any OK.
        bool shown = false;
        onNextModal<COptionalFeaturesDlg>([&](COptionalFeaturesDlg* d) {
            shown = true;
            QCOMPARE(d->list(OptionList::SquelchLevel)->currentText(), QString("4"));
            QCOMPARE(d->transmitDelayEdit()->text(), QString("Off"));
            d->okButton()->click();
        });
        env.frame()->OnCommand(kOptionalFeatures);
        QVERIFY(shown);
        QVERIFY(doc->doc->image.bytes() == before);
        QVERIFY(doc->doc->modified);

        // Enter in the Transmit Delay field goes straight to OK: the text is normalised
        // first, so 2.55 is stored as 25 and 999 (out of range) as Off.
        for (const auto& [typed, stored] : {std::pair{"2.55", 25}, std::pair{"999", 0}}) {
            processValues().radioVariant = 2;
            onNextModal<COptionalFeaturesDlg>([typed = typed](COptionalFeaturesDlg* d) {
                QLineEdit* delay = d->transmitDelayEdit();
                delay->setFocus();
                delay->selectAll();
                QTest::keyClicks(delay, typed);
                QTest::keyClick(delay, Qt::Key_Return);
            });
            env.frame()->OnCommand(kOptionalFeatures);
            QCOMPARE(int(doc->doc->image.transmitDelay()), stored);
        }
        processValues().radioVariant = 1;

        // Product Information confirmed unchanged marks the document too.
        doc->doc->modified = false;
        const auto product = doc->doc->image.bytes();
        shown = false;
        onNextModal<CProductInfoDlg>([&](CProductInfoDlg* d) {
            shown = true;
            d->okButton()->click();
        });
        env.frame()->OnCommand(kProductInformation);
        QVERIFY(shown);
        QVERIFY(doc->doc->image.bytes() == product);
        QVERIFY(doc->doc->modified);
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
        bool shown = false;
        onNextModal<CProductInfoDlg>([&](CProductInfoDlg* d) {
            shown = true;
            QCOMPARE(d->typeList()->itemText(0), type.left(1000) + ellipsis);
            QCOMPARE(d->bandList()->count(), 3);
            QCOMPARE(d->bandList()->itemText(1), band.left(1000) + ellipsis);
            d->bandList()->setCurrentIndex(1);
            d->okButton()->click();
        });
        env.frame()->OnCommand(kProductInformation);
        QVERIFY(shown);
        QCOMPARE(int(env.active()->doc->image.byte(offset::BandIndex)), 1);
        const QString caption = env.frame()->windowTitle();
        QVERIFY2(caption.size() == 1001 && caption.endsWith(ellipsis), qPrintable(caption.left(80)));
    }

    void chineseEditing()
    {
        ShellFixture env(useChinese);
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QVERIFY(isChinese(processValues().language()));

        QLineEdit* edit = typeInto(view, 1, 1, "150");
        QVERIFY(edit);
        snapshot(view, "zh-cell-editor-edit");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rowTexts(view, 1), (QStringList{"150.00000", "", "无", "", "宽", "否", "关", "高"}));

        CMSFlexGrid* grid = view->grid();
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRectPixels(1, 5).center());
        QComboBox* bandwidth = view->cellEditors()->listBox(5);
        QVERIFY(!bandwidth->isHidden());
        QCOMPARE(bandwidth->count(), 2);
        QCOMPARE(bandwidth->currentText(), QString("宽"));
        snapshot(view, "zh-cell-editor-list");
        bandwidth->setCurrentIndex(1);
        QTest::keyClick(bandwidth, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(view->table().textMatrix(1, 5)), QString("窄"));

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

        bool seen = false;
        processValues().radioVariant = 0; // every option visible for the picture
        onNextModal<COptionalFeaturesDlg>([&](COptionalFeaturesDlg* d) {
            seen = true;
            QCOMPARE(d->windowTitle(), QString("可选功能"));
            QCOMPARE(d->transmitDelayEdit()->text(), QString("关"));
            QCOMPARE(d->list(OptionList::SideKey)->itemText(0), QString("无"));
            QCOMPARE(d->list(OptionList::TimeOutTime)->currentText(), QString("600s"));
            snapshot(d, "zh-optional-features");
            d->cancelButton()->click();
        });
        // Variant 0 keeps the command from opening it; run it directly to see all controls.
        COptionalFeaturesDlg options(env.frame());
        QVERIFY(!options.editOptions(env.active()->doc->image));
        QVERIFY(seen);
        processValues().radioVariant = 1;

        seen = false;
        onNextModal<CProductInfoDlg>([&](CProductInfoDlg* d) {
            seen = true;
            QCOMPARE(d->typeList()->currentText(), QString("QX-260"));
            snapshot(d, "zh-product-information");
            d->okButton()->click();
        });
        env.frame()->OnCommand(kProductInformation);
        QVERIFY(seen);
        // The caption keeps its English labels in Chinese too.
        QVERIFY(env.frame()->windowTitle().contains("  [ Type:QX-260  Fre:130 - 160MHz ]"));
    }
};

QTEST_MAIN(TestEditingProgram)
#include "editing_program_qtest.moc"
