// Channels in and out of a channel window in the running program: File > Import Channels
// and Export Channels, and whole rows copied, cut and pasted between documents and to
// and from a spreadsheet. Each path once, through to the core and back to the screen and the
// undo history (the cases of the rules are the core's tables, ChannelCsv and ChannelRows):
// every change is one undoable step, a refusal changes nothing. A window works for the radio
// variant of its own table.

#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <functional>

#include "ProgramDriving.h"
#include "core/settings/OptionRules.h"
#include "res/ResourceIds.h"
#include "tests/support/BuildPaths.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/view/CImportRowsDlg.h"

using namespace qx260;
namespace id = qx260::resid;

namespace
{

const QByteArray kCommonHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                 "DtcsPolarity,Mode,TStep,Skip,Comment\r\n";

// The columns a radio of variant 1 shows: Rx Frequency, QT/DQT Dec, W/N, Scan.
QStringList shownRow(CProgramView* view, int r)
{
    const QStringList all = rowTexts(view, r);
    return {all[0], all[2], all[4], all[5]};
}

// What variant 1 stores of a channel: the columns shown, Busy Lock and Power.
QStringList storedTexts(CProgramView* view, int r)
{
    const QStringList all = rowTexts(view, r);
    return shownRow(view, r) + QStringList{all[6], all[7]};
}

void runMenuCommand(ShellFixture& env, int command)
{
    QAction* action = env.frame()->menuAction(true, command);
    QVERIFY(action && action->isEnabled());
    action->trigger();
}

// A document of band 130 - 160 MHz with channels 3 and 4 set, as a file.
QString documentWithTwoChannels(ShellFixture& env, const QString& name)
{
    RadioImage image = RadioImage::newImage();
    image.setByte(offset::ProductType, 0);
    image.setByte(offset::BandIndex, 0);
    image.setRxFrequency(3, 14512500);
    image.setDecodeTone(3, ToneWord{0x13, 0x28}); // D023N
    image.setWide(3, false);
    image.setScan(3, true);
    image.setRxFrequency(4, 15000625);
    image.setDecodeTone(4, ToneWord{0x9E, 0x02}); // 67.0
    return env.writeDocument(name, image);
}

void clickChannelNumber(CProgramView* view, int row, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::mouseClick(view->grid(), Qt::LeftButton, mods, view->grid()->cellRectPixels(row, 0).center());
}

// Clicks a cell of the Rx column (its edit box then has the keyboard) and presses Ctrl+V.
void pasteAt(CProgramView* view, int row)
{
    QTest::mouseClick(view->grid(), Qt::LeftButton, Qt::NoModifier,
                      view->grid()->cellRectPixels(row, 1).center());
    QTest::keyClick(keyboardWidget(view), Qt::Key_V, Qt::ControlModifier);
}

// Each row of the import dialog: "LINE [x] CHANNEL REASON" (an empty box "[ ]", a greyed one
// "[-]"), as the user sees it.
QStringList dialogRows(CImportRowsDlg* dialog)
{
    QStringList out;
    QTableWidget* rows = dialog->rowsTable();
    for (int r = 0; r < rows->rowCount(); ++r) {
        const QTableWidgetItem* line = rows->item(r, CImportRowsDlg::LineColumn);
        const QString box = !(line->flags() & Qt::ItemIsUserCheckable) ? "[-]"
                            : line->checkState() == Qt::Checked        ? "[x]"
                                                                       : "[ ]";
        out << (line->text() + " " + box + " " + rows->item(r, CImportRowsDlg::ChannelColumn)->text() + " " +
                rows->item(r, CImportRowsDlg::ReasonColumn)->text())
                   .trimmed();
    }
    return out;
}

QByteArray commonRow(int location, const QByteArray& name, const QByteArray& frequency,
                     const QByteArray& mode = "FM")
{
    return QByteArray::number(location) + "," + name + "," + frequency + ",,0,TSQL,88.5,100.0,023,NN," +
           mode + ",5,,\r\n";
}

} // namespace

class TestChannelLists : public QObject
{
    Q_OBJECT

  private slots:
    // Import and Export reach the core and come back: a refusal is told and changes
    // nothing; a taken file shows, says what it kept, and is one step to undo; the filter
    // chooses the layout of an export.
    void importAndExportThroughTheFileMenu()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        const auto empty = savedBytes(view);
        const QString list = env.path("list.csv");

        ShellFixture::writeFile(list, kCommonHeader + "1,,171,,0,,88.5,88.5,023,NN,FM,5,,\r\n");
        filetest::answerNext(list);
        runMenuCommand(env, id::ImportChannels);
        QCOMPARE(
            shownTexts(),
            QStringList{"list.csv:2: column 3 (Frequency): \"171\": Out of range,please input "
                        "again.\nNothing was imported; the channels are as they were.\n"
                        "the file's rows lie in 136\u2013174 MHz (1 of them), a band Product Information "
                        "also offers"});
        QVERIFY(savedBytes(view) == empty);
        QVERIFY(!view->undoHistory().canUndo());

        // A repeater: variant 1 shows its receive side and keeps the transmit side.
        ShellFixture::writeFile(list,
                                kCommonHeader + "1,Rep,146.94,-,0.6,Tone,100,88.5,023,NN,FM,5.00,,\r\n");
        filetest::answerNext(list);
        runMenuCommand(env, id::ImportChannels);
        QCOMPARE(
            shownTexts(),
            QStringList{"Imported 1 channel from list.csv\n"
                        "Ignored columns (this radio keeps no such values): Name, TStep, Comment\n"
                        "The file's values in Tx Frequency, QT/DQT Enc were kept; radio variant 1 does not "
                        "show these columns."});
        QCOMPARE(shownRow(view, 1), QStringList({"146.94000", "None", "Wide", "Yes"}));
        QCOMPARE(env.statusText(), QString("Imported 1 channel from list.csv"));
        QVERIFY(env.active()->doc->modified);
        const auto imported = savedBytes(view);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), QString("Undone: Import Channels"));
        QVERIFY(savedBytes(view) == empty);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(savedBytes(view) == imported);

        // Out in the layout of the filter chosen, with what the window does not show.
        const QString out = env.path("out.csv");
        filetest::answerNext(out, "Common channel-list layout (*.csv)");
        runMenuCommand(env, id::ExportChannels);
        QVERIFY(ShellFixture::readFile(out).endsWith(
            "CrossMode\r\n1,,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,FM,5.00,,,023,Tone->Tone\r\n"));
        QCOMPARE(env.statusText(), QString("Channels exported to out.csv"));
        filetest::answerNext(out); // the program's own layout is the first filter
        runMenuCommand(env, id::ExportChannels);
        QVERIFY(
            ShellFixture::readFile(out).startsWith("CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,W/N,"
                                                   "Scan,Busy Lock,Power\r\n1,146.94000,146.34000,None,"
                                                   "100.0,Wide,Yes,Off,High\r\n"));
        QVERIFY(msgtest::takeShown().isEmpty());

        // Locations of a bigger radio, taken in file order when the user agrees.
        ShellFixture::writeFile(list, kCommonHeader + "0,,145.25,,0,,88.5,88.5,023,NN,FM,5,,\r\n");
        filetest::answerNext(list);
        msgtest::answerNext(QMessageBox::Yes);
        runMenuCommand(env, id::ImportChannels);
        const QList<msgtest::Shown> shown = msgtest::takeShown();
        QVERIFY(!shown.isEmpty());
        QVERIFY2(
            shown[0].text.endsWith("Take the rows into channels 1 to 16 in the order of the file instead?"),
            qPrintable(shown[0].text));
        QCOMPARE(shownRow(view, 1).first(), QString("145.25000"));
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(savedBytes(view) == imported);
    }

    // A window exports, imports and edits its optional features for the radio variant its
    // own table was filled for, whatever another window read since.
    void anotherWindowsReadLeavesExportAndImportAlone()
    {
        ShellFixture env;
        QVERIFY(env.start({documentWithTwoChannels(env, "a.dat")}));
        CProgramApp::Document* a = env.active();
        // A second window reads a transmit-side radio: the process-wide variant becomes 2
        // and that window is filled for it, as a Read does.
        filetest::answerNext(documentWithTwoChannels(env, "b.dat"));
        env.frame()->OnCommand(id::FileOpen);
        QVERIFY(env.active() != a);
        processValues().radioVariant = 2;
        env.active()->view->fillTableFromDocument();
        env.frame()->activateDocumentFrame(a->frame);
        QCOMPARE(env.active(), a);
        const auto before = savedBytes(a->view);

        const QString out = env.path("a.csv");
        filetest::answerNext(out);
        runMenuCommand(env, id::ExportChannels);
        const QList<QByteArray> lines = ShellFixture::readFile(out).split('\n');
        QCOMPARE(lines.value(3), QByteArray("3,145.12500,,D023N,None,Narrow,Yes,QT/DQT,High\r"));
        QCOMPARE(lines.value(4), QByteArray("4,150.00625,,67.0,None,Wide,Yes,QT/DQT,High\r"));

        filetest::answerNext(out);
        runMenuCommand(env, id::ImportChannels);
        QVERIFY(msgtest::takeShown().isEmpty());
        QVERIFY(savedBytes(a->view) == before);
        QVERIFY(!a->view->undoHistory().canUndo());

        // Its Optional Features too: those of a receive-side radio.
        bool squelchShown = false;
        bool timeOutShown = true;
        onNextModal<COptionalFeaturesDlg>([&](COptionalFeaturesDlg* d) {
            squelchShown = d->control(optionControl::SquelchLevel)->isVisibleTo(d);
            timeOutShown = d->control(optionControl::TimeOutTime)->isVisibleTo(d);
            d->cancelButton()->click();
        });
        env.frame()->OnCommand(id::OptionalFeatures);
        QVERIFY(squelchShown);
        QVERIFY(!timeOutShown);
        processValues().radioVariant = 1;
    }

    void copyTwoRowsIntoAnotherDocument()
    {
        ShellFixture env;
        QVERIFY(env.start({documentWithTwoChannels(env, "a.dat")}));
        env.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(env.frame()));
        CProgramView* from = env.active()->view;

        // Channel numbers: a click selects one row, Shift+click extends it.
        clickChannelNumber(from, 3);
        clickChannelNumber(from, 4, Qt::ShiftModifier);
        QCOMPARE(from->grid()->firstSelectedRow(), 3);
        QCOMPARE(from->grid()->lastSelectedRow(), 4);
        snapshot(env.frame(), "rows-selected");
        QTest::keyClick(keyboardWidget(from), Qt::Key_C, Qt::ControlModifier);
        const QStringList copied = QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(copied,
                 QStringList({"CH\tRx Frequency\tTx Frequency\tQT/DQT Dec\tQT/DQT Enc\tW/N\tScan\tBusy "
                              "Lock\tPower",
                              "3\t145.12500\t\tD023N\t\tNarrow\tYes\tQT/DQT\tHigh",
                              "4\t150.00625\t\t67.0\t\tWide\tYes\tQT/DQT\tHigh"}));
        QCOMPARE(env.statusText(), QString("Copied channels 3-4"));

        // Into another document, from its channel 7 on.
        filetest::answerNext(documentWithTwoChannels(env, "b.dat"));
        env.frame()->OnCommand(id::FileOpen);
        CProgramView* to = env.active()->view;
        QVERIFY(to != from);
        const auto before = savedBytes(to);
        pasteAt(to, 7);
        QCOMPARE(storedTexts(to, 7), storedTexts(from, 3));
        QCOMPARE(storedTexts(to, 8), storedTexts(from, 4));
        QCOMPARE(env.statusText(), QString("Pasted channels 7-8"));
        QCOMPARE(to->grid()->firstSelectedRow(), 7);
        QCOMPARE(to->grid()->lastSelectedRow(), 8);
        const auto pasted = savedBytes(to);

        QTest::keyClick(keyboardWidget(to), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), QString("Undone: Paste"));
        QVERIFY(savedBytes(to) == before);
        QTest::keyClick(keyboardWidget(to), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(savedBytes(to) == pasted);

        // Shift+Down selects from the current row on; Cut copies the rows and clears them.
        clickChannelNumber(to, 7);
        QTest::keyClick(keyboardWidget(to), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(to->grid()->lastSelectedRow(), 8);
        runMenuCommand(env, id::EditCut);
        QCOMPARE(QApplication::clipboard()->text().count("\r\n"), 3);
        QCOMPARE(rowTexts(to, 7), QStringList(8, QString()));
        QCOMPARE(rowTexts(to, 8), QStringList(8, QString()));
        QTest::keyClick(keyboardWidget(to), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), QString("Undone: Cut"));
        QVERIFY(savedBytes(to) == pasted);

        // A refused paste is told and changes nothing.
        const std::size_t steps = to->undoHistory().undoCount();
        QApplication::clipboard()->setText("Rx Frequency\n150\n171\n");
        pasteAt(to, 5);
        QCOMPARE(shownTexts(),
                 QStringList{"Channel 6, Rx Frequency: \"171\": Out of range,please input again.\n"
                             "Nothing was pasted; the channels are as they were."});
        QVERIFY(savedBytes(to) == pasted);
        QCOMPARE(to->undoHistory().undoCount(), steps);

        // With no rows selected, text selected in an edit box is the box's own to copy, and
        // a single value goes into the box, not into rows.
        QLineEdit* edit = typeInto(to, 9, 1, "146.5");
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("146.5"));
        QApplication::clipboard()->setText("146.025");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString("146.025"));

        QMenu* editMenu = env.frame()->menus(true)[1];
        editMenu->popup(env.frame()->mapToGlobal(QPoint(60, 30)));
        QVERIFY(QTest::qWaitForWindowExposed(editMenu));
        snapshot(editMenu, "edit-menu");
        editMenu->close();
    }

    // A list with rows that cannot be taken opens the import dialog: the rows that fit are
    // checked from the selected channel on, the others greyed with their reason; Space,
    // the first channel and Enter choose; the checked rows are taken as one undo step and
    // the rows left out are told. (A clean file imports without it, above.)
    void importWhatFitsThroughTheDialog()
    {
        const char* const kOutside = "MHz is outside the band 130\xE2\x80\x93"
                                     "160 MHz (Product Information)";
        QByteArray nineteen = kCommonHeader;
        for (int i = 0; i < 19; ++i)
            nineteen += commonRow(i, "S" + QByteArray::number(i), "146." + QByteArray::number(400 + 20 * i));
        const struct {
            const char* name;
            QByteArray csv;
            int selected; // the channel clicked before the import
            std::function<void(CImportRowsDlg*)> choose;
            QStringList opened;            // the dialog's rows as it opens
            QStringList chosen;            // and as OK is pressed
            QList<QPair<int, QString>> rx; // channel, Rx shown afterwards
            QString told;
            bool chinese = false;
            const char* picture = nullptr; // of the dialog as it opens, for the manual
            QString intro = {};            // in the dialog's words above the rows
        } cases[] = {
            {"mixed 2 m / 70 cm, one row unchecked with Space",
             kCommonHeader + commonRow(1, "Call", "146.52") + commonRow(2, "Rpt70", "442.4") +
                 commonRow(3, "Rpt2", "147.0") + commonRow(4, "DV", "145.375", "DV"),
             3,
             [](CImportRowsDlg* d) { QTest::keyClick(d->rowsTable(), Qt::Key_Space); },
             {"2 [x] 3", QString("3 [-]  442.400 ") + kOutside, "4 [x] 4", "5 [-]  mode DV"},
             {"2 [ ]", QString("3 [-]  442.400 ") + kOutside, "4 [x] 3", "5 [-]  mode DV"},
             {{3, "147.00000"}, {4, ""}},
             QString("Took 1 channels; 3 rows left out\nline 2: not chosen\nline 3: 442.400 ") + kOutside +
                 "\nline 5: mode DV",
             false,
             "import-dialog-en.png"},
            {"mixed 2 m / 70 cm in Chinese",
             kCommonHeader + commonRow(1, "Call", "146.52") + commonRow(2, "Rpt70", "442.4") +
                 commonRow(3, "Rpt2", "147.0") + commonRow(4, "DV", "145.375", "DV"),
             3,
             [](CImportRowsDlg* d) { QTest::keyClick(d->rowsTable(), Qt::Key_Space); },
             {"2 [x] 3", "3 [-]  442.400 MHz 超出频段 130\u2013160 MHz（产品信息）", "4 [x] 4",
              "5 [-]  模式 DV"},
             {"2 [ ]", "4 [x] 3"},
             {{3, "147.00000"}, {4, ""}},
             "导入了 1 个信道；3 行未导入\n第 2 行：未选中",
             true,
             "import-dialog-zh.png"},
            {"19 rows from channel 4",
             nineteen,
             1,
             [](CImportRowsDlg* d) { d->firstChannelBox()->setValue(4); },
             {"2 [x] 1", "17 [x] 16", "18 [ ]", "20 [ ]"},
             {"2 [x] 4", "14 [x] 16", "15 [x]  no channel left", "18 [ ]"},
             {{1, ""}, {4, "146.40000"}, {16, "146.64000"}},
             "Took 13 channels; 6 rows left out\nline 15: no channel left"},
            {"marine rows above the band",
             kCommonHeader + commonRow(16, "Ch16", "156.8") + commonRow(87, "AIS", "161.975") +
                 commonRow(28, "Ch28", "162"),
             1,
             [](CImportRowsDlg*) {},
             {"2 [x] 1", QString("3 [-]  161.975 ") + kOutside, QString("4 [-]  162.000 ") + kOutside},
             {"2 [x] 1"},
             {{1, "156.80000"}, {2, ""}},
             "Took 1 channels; 2 rows left out",
             false,
             nullptr,
             "the file's rows lie in 136\u2013174 MHz (3 of them), a band Product Information also offers"},
        };
        for (const auto& c : cases) {
            ShellFixture env(c.chinese ? useChinese : std::function<void(QString&)>());
            CProgramView* view = startProgram(env);
            QVERIFY(view);
            const auto before = savedBytes(view);
            clickChannelNumber(view, c.selected);
            const QString list = env.path("list.csv");
            ShellFixture::writeFile(list, c.csv);
            QStringList opened;
            QStringList chosen;
            QString intro;
            onNextModal<CImportRowsDlg>([&](CImportRowsDlg* d) {
                opened = dialogRows(d);
                intro = d->introLabel()->text();
                if (c.picture) {
                    const QString images = qx260::testpaths::manualDir() +
                                           QStringLiteral("/%1/images").arg(c.chinese ? "zh" : "en");
                    QDir().mkpath(images);
                    d->grab().save(images + QLatin1Char('/') + c.picture);
                }
                c.choose(d);
                chosen = dialogRows(d);
                QTest::keyClick(d->rowsTable(), Qt::Key_Return);
            });
            filetest::answerNext(list);
            runMenuCommand(env, id::ImportChannels);
            QVERIFY2(!opened.isEmpty(), c.name);
            for (const QString& row : c.opened)
                QVERIFY2(opened.contains(row),
                         qPrintable(QString(c.name) + ": " + row + " in\n" + opened.join('\n')));
            for (const QString& row : c.chosen)
                QVERIFY2(chosen.contains(row),
                         qPrintable(QString(c.name) + ": " + row + " in\n" + chosen.join('\n')));
            QVERIFY2(intro.contains(c.intro), qPrintable(intro));
            const QStringList told = shownTexts();
            QVERIFY2(told.size() == 1 && told[0].startsWith(c.told), qPrintable(told.join('\n')));
            for (const auto& [n, rx] : c.rx)
                QCOMPARE(rowTexts(view, n)[0], rx);
            // One undo step takes the whole import back.
            QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(savedBytes(view) == before, c.name);
            QVERIFY(!view->undoHistory().canUndo());
        }
    }
};

QTEST_MAIN(TestChannelLists)
#include "channel_lists_qtest.moc"
