// New, Open, Close, Save and Save As through the main window, with the modified mark
// and the save question.

#include <QLineEdit>
#include <QMdiSubWindow>

#include "ShellFixture.h"
#include "platform/FileLock.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CMDIClientWnd.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CellEditors.h"

using namespace qx260;

class TestDocuments : public QObject
{
    Q_OBJECT
  private slots:
    void saveAndOpenRoundTripByteForByte()
    {
        ShellFixture env;
        QVERIFY(env.start());
        // Save of a new document asks for a name, proposing the configured one.
        filetest::answerNext(env.path("first.dat"));
        env.frame()->OnCommand(57603);
        QCOMPARE(QFileInfo(filetest::lastProposed()).fileName(), QString("QX-260 Programmer.dat"));
        const QByteArray saved = ShellFixture::readFile(env.path("first.dat"));
        QCOMPARE(saved.size(), 1040);
        QCOMPARE(saved.left(16), QByteArray("Q9F2") + QByteArray(12, '\0'));
        const auto& image = env.active()->doc->image.bytes();
        QCOMPARE(saved.mid(16), QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size())));
        QCOMPARE(env.active()->view->windowTitle(), QString("first.dat[*]"));

        // A second Save goes to the same file without asking.
        env.frame()->OnCommand(57603);
        QCOMPARE(ShellFixture::readFile(env.path("first.dat")), saved);

        // A file written elsewhere, with option bytes that differ from the defaults,
        // comes back unchanged through Open and Save As.
        QByteArray other = saved;
        other[16 + 0x130] = char(0x11);
        other[16 + 0x13A] = char(0x03);
        other[16 + 0x3F1] = char(0x01);
        ShellFixture::writeFile(env.path("other.dat"), other);
        filetest::answerNext(env.path("other.dat"));
        env.frame()->OnCommand(57601);
        QCOMPARE(env.app->documents().size(), size_t(2));
        QCOMPARE(env.active()->view->windowTitle(), QString("other.dat[*]"));
        filetest::answerNext(env.path("copy.dat"));
        env.frame()->OnCommand(57604);
        QCOMPARE(ShellFixture::readFile(env.path("copy.dat")), other);
        QVERIFY(msgtest::takeShown().isEmpty());
    }

    void openingHidesThePreviousWindowAndTheSameFileIsOpenedOnce()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CChildFrame* first = env.active()->frame;
        ShellFixture::writeFile(env.path("a.dat"), ShellFixture::newDocumentBytes());
        QVERIFY(env.app->openDocumentFile(env.path("a.dat")));
        QVERIFY(!first->isVisible());
        QVERIFY(env.active()->frame->isVisible());
        QVERIFY(env.app->openDocumentFile(env.path("a.dat")));
        QCOMPARE(env.app->documents().size(), size_t(2));
    }

    void wrongFilesAreRefusedAndChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QByteArray good = ShellFixture::newDocumentBytes();
        QByteArray magic = good;
        magic[3] = '3';
        QTest::newRow("magic differs in one letter") << magic << "Data Format Error";
        QTest::newRow("1039 bytes") << good.left(1039) << "Data Format Error";
        QTest::newRow("header only") << good.left(16) << "Data Format Error";
        QTest::newRow("empty") << QByteArray() << "Data Format Error";
    }
    void wrongFilesAreRefusedAndChangeNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        ShellFixture env;
        QVERIFY(env.start());
        CProgramApp::Document* before = env.active();
        const auto imageBefore = before->doc->image;
        ShellFixture::writeFile(env.path("wrong.dat"), bytes);
        msgtest::answerNext(QMessageBox::Ok);
        filetest::answerNext(env.path("wrong.dat"));
        env.frame()->OnCommand(57601);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].caption, QString("Larkspur Radio"));
        QCOMPARE(env.app->documents().size(), size_t(1));
        QCOMPARE(env.active(), before);
        QVERIFY(before->frame->isVisible());
        QVERIFY(before->doc->image == imageBefore);
    }

    void openAndSaveFailuresNameTheFile()
    {
        ShellFixture env;
        QVERIFY(env.start());
        msgtest::answerNext(QMessageBox::Ok);
        QVERIFY(!env.app->openDocumentFile(env.path("missing.dat")));
        auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("missing.dat"), qPrintable(shown[0].text));
        QVERIFY2(shown[0].text.contains("No such file or directory"), qPrintable(shown[0].text));

        // Saving into a folder that does not exist fails, says so, and keeps the document
        // without a file.
        msgtest::answerNext(QMessageBox::Ok);
        filetest::answerNext(env.path("no/such/folder/x.dat"));
        env.frame()->OnCommand(57603);
        shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("x.dat"), qPrintable(shown[0].text));
        QVERIFY2(shown[0].text.contains("No such file or directory"), qPrintable(shown[0].text));
        QVERIFY(!env.active()->hasFile);
        QCOMPARE(env.active()->view->windowTitle(), QString("Channel Information[*]"));
    }

    void saveRespectsTheFileOnDisk()
    {
        ShellFixture env;
        QVERIFY(env.start());
        const QString file = env.path("a.dat");
        const QByteArray opened = ShellFixture::newDocumentBytes();
        ShellFixture::writeFile(file, opened);
        QVERIFY(env.app->openDocumentFile(file));
        const auto save = [&env](QMessageBox::StandardButton answer) {
            msgtest::answerNext(answer);
            env.frame()->OnCommand(57603);
            return msgtest::takeShown();
        };

        // Another program wrote the file since it was opened: Save asks, No keeps theirs,
        // Yes replaces it, and the next Save has nothing to ask.
        QByteArray theirs = opened;
        theirs[16 + 0x130] = char(0x11);
        ShellFixture::writeFile(file, theirs);
        QFile touched(file);
        QVERIFY(touched.open(QIODevice::ReadWrite));
        QVERIFY(
            touched.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        touched.close();
        auto shown = save(QMessageBox::No);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("has been changed by another program"), qPrintable(shown[0].text));
        QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(ShellFixture::readFile(file), theirs);
        QCOMPARE(save(QMessageBox::Yes).size(), 1);
        const QByteArray ours = ShellFixture::readFile(file);
        QCOMPARE(ours.at(16 + 0x130), opened.at(16 + 0x130));
        QVERIFY(save(QMessageBox::Ok).isEmpty());
        msgtest::reset();
        msgtest::setAutoAnswer(true);

        // While another program edits the file, Save waits a few seconds, then says so.
        env.active()->doc->image.setByte(0x130, 0x22);
        {
            FileLock held;
            QVERIFY(held.lock(file.toStdString()).ok());
            shown = save(QMessageBox::Ok);
        }
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("is being changed by another program"), qPrintable(shown[0].text));
        QCOMPARE(ShellFixture::readFile(file), ours);

        // A read-only file is left as it is, and Save As is offered.
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        filetest::answerNext(env.path("b.dat"));
        shown = save(QMessageBox::Yes);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("is read-only and was not changed"), qPrintable(shown[0].text));
        QCOMPARE(ShellFixture::readFile(file), ours);
        QCOMPARE(ShellFixture::readFile(env.path("b.dat")).at(16 + 0x130), char(0x22));
        QCOMPARE(env.active()->view->windowTitle(), QString("b.dat[*]"));
    }

    void saveAsCancelledWritesNothing()
    {
        ShellFixture env;
        QVERIFY(env.start());
        filetest::answerNext(QString());
        env.frame()->OnCommand(57604);
        QVERIFY(QDir(env.dir.path()).entryList({"*.dat"}).isEmpty());
        QVERIFY(msgtest::takeShown().isEmpty());
    }

    void closeHidesAndChannelInformationShowsAgain()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CChildFrame* frame = env.active()->frame;
        env.frame()->OnCommand(57602);
        QVERIFY(!frame->isVisible());
        QCOMPARE(env.app->documents().size(), size_t(1));
        QVERIFY(env.frame()->documentMenuShown());
        // The window's own close box does the same.
        env.frame()->OnCommand(32787);
        QVERIFY(frame->isVisible());
        frame->close();
        QVERIFY(!frame->isVisible());
        QCOMPARE(env.app->documents().size(), size_t(1));
        env.frame()->OnCommand(32787);
        QVERIFY(frame->isVisible());
        QCOMPARE(env.frame()->mdiClient()->activeSubWindow(), frame);
    }

    void newAsksBeforeClearing()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CProgramApp::Document* first = env.active();
        msgtest::answerNext(QMessageBox::Cancel);
        env.frame()->OnCommand(57600);
        QCOMPARE(env.active(), first);
        auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QString("All data will be Cleared!"));
        QCOMPARE(shown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);

        msgtest::answerNext(QMessageBox::Ok);
        env.frame()->OnCommand(57600);
        QCOMPARE(env.app->documents().size(), size_t(1));
        QVERIFY(env.active() != first);
        QVERIFY(env.active()->frame->isVisible());
    }

    void modifiedDocumentsAskToBeSaved()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CProgramApp::Document* doc = env.active();
        emit doc->view->documentModified();
        QVERIFY(doc->doc->modified);
        QVERIFY(doc->view->isWindowModified());

        // New: OK to clearing, then Cancel at the save question keeps everything.
        msgtest::answerNext(QMessageBox::Ok);
        msgtest::answerNext(QMessageBox::Cancel);
        env.frame()->OnCommand(57600);
        QCOMPARE(env.active(), doc);
        auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(shown[1].text.contains("Channel Information"));

        // Exit: Cancel keeps the program open, Yes saves (asking for a name) and closes.
        msgtest::answerNext(QMessageBox::Cancel);
        QVERIFY(!env.frame()->close());
        QVERIFY(env.frame()->isVisible());
        msgtest::answerNext(QMessageBox::Yes);
        filetest::answerNext(env.path("kept.dat"));
        QVERIFY(env.frame()->close());
        QCOMPARE(ShellFixture::readFile(env.path("kept.dat")).size(), 1040);
        QVERIFY(!doc->doc->modified);
    }

    void saveQuestionYesThatFailsKeepsTheProgramOpen()
    {
        ShellFixture env;
        QVERIFY(env.start());
        emit env.active()->view->documentModified();
        msgtest::answerNext(QMessageBox::Yes);
        filetest::answerNext(QString()); // the user cancels the file name
        QVERIFY(!env.frame()->close());
        QVERIFY(env.frame()->isVisible());
        msgtest::answerNext(QMessageBox::No);
        QVERIFY(env.frame()->close());
    }

    void cellStillBeingEditedCountsAsAChange()
    {
        ShellFixture env;
        QVERIFY(env.start());
        env.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(env.frame()));
        CProgramView* view = env.active()->view;
        CMSFlexGrid* grid = view->grid();
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRectPixels(1, 1).center());
        QLineEdit* edit = view->cellEditors()->editBox(1);
        QVERIFY(edit && edit->isVisible());
        QTest::keyClicks(edit, "145.0125");
        QVERIFY(!env.active()->doc->modified); // typed, not yet committed

        // Exit asks; Yes saves the typed channel.
        msgtest::answerNext(QMessageBox::Yes);
        filetest::answerNext(env.path("typed.dat"));
        QVERIFY(env.frame()->close());
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        CProgramDoc reopened;
        QVERIFY(reopened.OnOpenDocument(env.path("typed.dat").toStdString()).ok());
        QVERIFY(reopened.image == env.active()->doc->image);
        QVERIFY(reopened.image.byte(0x10) != 0xFF); // channel 1 holds a frequency
    }

    void unmodifiedDocumentsCloseWithoutAQuestion()
    {
        ShellFixture env;
        QVERIFY(env.start());
        QVERIFY(env.frame()->close());
        QVERIFY(msgtest::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestDocuments)
#include "documents_qtest.moc"
