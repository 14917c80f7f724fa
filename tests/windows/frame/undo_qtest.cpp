// Undo and redo in a channel window, and documents dropped on the main window, in the
// running program.

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

#include "ProgramDriving.h"
#include "ShellFixture.h"
#include "core/settings/OptionRules.h"
#include "tests/support/SimRadio.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProcessDlg.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CellEditors.h"

using namespace qx260;

namespace
{

constexpr int kOptionalFeatures = 32788;
constexpr int kProductInformation = 32786;

QString statusText(ShellFixture& env)
{
    return env.frame()->statusBar()->currentMessage();
}

// Drops files on the main window's client area the way a file manager does.
bool dropFiles(CMainFrame* frame, const QStringList& paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    const QPoint at = frame->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &drop);
    return drop.isAccepted();
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

  private slots:
    void cleanup() { qunsetenv("QX260_PORT_COM1"); }

    void typedCellUndoneAndRedone()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        CProgramApp::Document* doc = env.active();
        const QStringList emptyRow = rowTexts(view, 3);
        const auto original = savedBytes(view);

        QLineEdit* edit = typeInto(view, 3, 1, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        const QStringList typedRow = rowTexts(view, 3);
        QCOMPARE(typedRow.first(), QString("150.00000"));
        QCOMPARE(typedRow.last(), QString("High")); // the new channel's defaults came with it

        // Saved, then undone: the document differs from its file again.
        filetest::answerNext(env.path("typed.dat"));
        env.frame()->OnCommand(57603);
        QVERIFY(!doc->doc->modified);
        const auto typed = savedBytes(view);
        QVERIFY(typed != original);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(view, 3), emptyRow);
        QVERIFY(doc->doc->image.bytes() == original);
        QVERIFY(doc->doc->modified);
        QCOMPARE(statusText(env), QString("Undone: channel 3"));
        // No editor shows the text that was undone.
        for (int c = 1; c <= 2; ++c) {
            QLineEdit* box = view->cellEditors()->editBox(c);
            QVERIFY(box->isHidden() || box->text() == QString::fromStdString(view->table().text()));
        }
        QVERIFY(savedBytes(view) == original);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(statusText(env), QString("Nothing to undo"));
        QCOMPARE(rowTexts(view, 3), emptyRow);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(rowTexts(view, 3), typedRow);
        QVERIFY(savedBytes(view) == typed);
        QCOMPARE(statusText(env), QString("Redone: channel 3"));
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(statusText(env), QString("Nothing to redo"));

        // New starts an empty history.
        msgtest::answerNext(QMessageBox::Ok); // "All data will be Cleared!"
        msgtest::answerNext(QMessageBox::No); // not saved
        const QPointer<CProgramView> old(view);
        env.frame()->OnCommand(57600);
        QVERIFY(old.isNull() && env.active());
        QVERIFY(!env.active()->view->undoHistory().canUndo());
    }

    void ctrlZWhileTypingUndoesTheTyping()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QLineEdit* edit = typeInto(view, 2, 1, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(view->undoHistory().canUndo());

        edit = typeInto(view, 2, 1, "147");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString("150.00000")); // the box's own undo
        QVERIFY(!edit->isHidden());
        QCOMPARE(rowTexts(view, 2).first(), QString("150.00000"));
        QCOMPARE(view->undoHistory().undoCount(), 1u); // the history is untouched
        QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString("147"));

        // A list's changed choice goes back to the item it opened on, before any history.
        CMSFlexGrid* grid = view->grid();
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRectPixels(2, 5).center());
        QComboBox* bandwidth = view->cellEditors()->listBox(5);
        QVERIFY(!bandwidth->isHidden());
        QCOMPARE(bandwidth->currentText(), QString("Wide"));
        bandwidth->setCurrentIndex(1);
        QTest::keyClick(bandwidth, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(bandwidth->currentText(), QString("Wide"));
        // The 147 typed before was taken when the cell was left: that is the step undone now.
        QCOMPARE(view->undoHistory().undoCount(), 2u);
        QCOMPARE(rowTexts(view, 2).first(), QString("147.00000"));
        QTest::keyClick(bandwidth, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(view, 2).first(), QString("150.00000"));
        QVERIFY(!bandwidth->isHidden());
        QCOMPARE(bandwidth->currentText(), QString("Wide"));
    }

    void optionalFeaturesAndProductUndone()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        CProgramApp::Document* doc = env.active();
        // The channel part of the image as a save writes it, so that whole images compare.
        const auto before = savedBytes(view);
        const QString caption = env.frame()->windowTitle();
        const BandLimits limits = view->bandLimits();

        onNextModal<COptionalFeaturesDlg>([](COptionalFeaturesDlg* d) {
            d->list(OptionList::SquelchLevel)->setCurrentIndex(7);
            d->okButton()->click();
        });
        env.frame()->OnCommand(kOptionalFeatures);
        const auto options = doc->doc->image.bytes();
        QVERIFY(options != before);

        onNextModal<CProductInfoDlg>([](CProductInfoDlg* d) {
            d->bandList()->setCurrentIndex(d->bandList()->count() - 1);
            d->okButton()->click();
        });
        env.frame()->OnCommand(kProductInformation);
        const auto product = doc->doc->image.bytes();
        QVERIFY(product != options);
        QVERIFY(!(view->bandLimits() == limits));
        QVERIFY(env.frame()->windowTitle() != caption);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(statusText(env), QString("Undone: Product Information"));
        QVERIFY(doc->doc->image.bytes() == options);
        QVERIFY(view->bandLimits() == limits);
        QCOMPARE(env.frame()->windowTitle(), caption);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(statusText(env), QString("Undone: Optional Features"));
        QVERIFY(doc->doc->image.bytes() == before);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(doc->doc->image.bytes() == product);
        QVERIFY(!(view->bandLimits() == limits));
    }

    void readUndoneButNotDuringATransfer()
    {
        ShellFixture env;
        test::SimRadio radio({"--save", env.path("radio.dat")});
        QVERIFY(!radio.device().isEmpty());
        qputenv("QX260_PORT_COM1", radio.device().toUtf8());
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        const QStringList emptyRow = rowTexts(view, 1);
        const auto before = savedBytes(view);

        auto transfer = [&](Qt::Key key) {
            env.frame()->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(env.frame()));
            QTest::keyClick(keyboardWidget(view), key, Qt::ControlModifier);
            CProcessDlg* dialog = view->processDialog();
            QVERIFY(dialog && dialog->windowExists());
            QMetaObject::Connection pressed =
                connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog, [&](int value) {
                    if (value == 20)
                        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
                });
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), 20000);
            disconnect(pressed);
            QVERIFY(msgtest::takeShown().isEmpty());
        };
        const QString duringTransfer("Undo and Redo are not available while the radio is read or written");

        // A completed Read is one step; Ctrl+Z during it changes nothing.
        transfer(Qt::Key_R);
        QCOMPARE(statusText(env), duringTransfer);
        QCOMPARE(view->undoHistory().undoCount(), 1u);
        const QStringList readRow = rowTexts(view, 1);
        QVERIFY(readRow.first().startsWith("145.5"));

        // Ctrl+Z halfway through a Write leaves the image being sent alone.
        env.frame()->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(env.frame()));
        QLineEdit* edit = typeInto(view, 2, 1, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        transfer(Qt::Key_W);
        QCOMPARE(statusText(env), duringTransfer);
        QCOMPARE(rowTexts(view, 2).first(), QString("150.00000"));
        QCOMPARE(ShellFixture::readFile(env.path("radio.dat")).mid(16, 0x330),
                 QByteArray(reinterpret_cast<const char*>(env.active()->doc->image.bytes().data()), 0x330));

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(statusText(env), QString("Undone: channel 2"));
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(statusText(env), QString("Undone: Read"));
        QCOMPARE(rowTexts(view, 1), emptyRow);
        QVERIFY(env.active()->doc->image.bytes() == before);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(rowTexts(view, 1), readRow);
    }

    void chineseStatusText()
    {
        ShellFixture env(useChinese);
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QLineEdit* edit = typeInto(view, 4, 1, "150");
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(statusText(env), QString("已撤销：信道 4"));
        const QString dir = qEnvironmentVariable("QX260_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            env.frame()->grab().save(dir + "/zh-undo.png");
    }

    void droppedFiles()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        RadioImage image = RadioImage::newImage();
        image.setRxFrequency(6, 14612500);
        image.setTxFrequency(6, 14612500);
        const auto bytes = serializeDat(image);
        ShellFixture::writeFile(env.path("good.dat"),
                                QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));
        ShellFixture::writeFile(env.path("short.dat"), QByteArray(100, '\0'));
        ShellFixture::writeFile(env.path("notes.txt"), "hello");

        // Anything but documents is refused at the drag.
        QVERIFY(!dropFiles(env.frame(), {env.path("notes.txt")}));
        QVERIFY(!dropFiles(env.frame(), {env.path("good.dat"), env.path("notes.txt")}));
        QCoreApplication::processEvents();
        QCOMPARE(env.app->documents().size(), std::size_t(1));

        // A document that is no document: "Data Format Error", nothing changes.
        QVERIFY(dropFiles(env.frame(), {env.path("short.dat")}));
        QList<msgtest::Shown> shown;
        QTRY_VERIFY((shown += msgtest::takeShown(), !shown.isEmpty()));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString("Data Format Error"));
        QCOMPARE(env.app->documents().size(), std::size_t(1));
        QCOMPARE(env.active()->view, view);

        // A good one opens in its own window; the one active before is hidden, as by Open.
        QVERIFY(dropFiles(env.frame(), {env.path("good.dat")}));
        QTRY_COMPARE(env.app->documents().size(), std::size_t(2));
        CProgramView* opened = env.active()->view;
        QVERIFY(opened != view);
        QCOMPARE(rowTexts(opened, 6).first(), QString("146.12500"));
        QVERIFY(!env.active()->doc->modified);
        QVERIFY(!opened->undoHistory().canUndo());
        QVERIFY(msgtest::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestUndo)
#include "undo_qtest.moc"
