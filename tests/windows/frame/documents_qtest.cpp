// New, Open, Save and Save As through the main window's menus and keys, documents
// dropped on it, the modified mark and the questions about unsaved work. The file format and
// what a failed open or save keeps are the core's rows (DatFile, Document); these check that
// each command reaches them and that the result or the refusal reaches the screen.

#include <QLineEdit>
#include <QMimeData>

#include "ProgramDriving.h"
#include "platform/FileLock.h"
#include "res/ResourceIds.h"
#include "windows/frame/CChildFrame.h"

using namespace qx260;
namespace id = qx260::resid;

namespace
{

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

enum class Unsaved { Nothing, Committed, BeingTyped };
constexpr auto YesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;

} // namespace

Q_DECLARE_METATYPE(Unsaved)

class TestDocuments : public QObject
{
    Q_OBJECT
  private slots:
    void saveOpenAndSaveAs()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        // Ctrl+S on a new document asks for a name, proposing the configured one.
        filetest::answerNext(env.path("first.dat"));
        QTest::keyClick(view->grid(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(QFileInfo(filetest::lastProposed()).fileName(), QString("QX-260 Programmer.dat"));
        const QByteArray saved = ShellFixture::readFile(env.path("first.dat"));
        QCOMPARE(saved, ShellFixture::documentBytes(env.active()->doc->image));
        QCOMPARE(env.active()->view->windowTitle(), QString("first.dat[*]"));

        // A second Save goes to the same file without asking.
        env.frame()->OnCommand(id::FileSave);
        QCOMPARE(ShellFixture::readFile(env.path("first.dat")), saved);

        // Ctrl+O opens another file in a window of its own; Save As writes it elsewhere as
        // it came, and a cancelled Save As writes nothing.
        QByteArray other = saved;
        other[16 + 0x130] = char(0x11);
        ShellFixture::writeFile(env.path("other.dat"), other);
        filetest::answerNext(env.path("other.dat"));
        QTest::keyClick(keyboardWidget(view), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(env.app->documents().size(), size_t(2));
        QCOMPARE(env.active()->view->windowTitle(), QString("other.dat[*]"));
        filetest::answerNext(env.path("copy.dat"));
        env.frame()->OnCommand(id::FileSaveAs);
        QCOMPARE(ShellFixture::readFile(env.path("copy.dat")), other);
        filetest::answerNext(QString());
        env.frame()->OnCommand(id::FileSaveAs);
        QCOMPARE(QDir(env.dir.path()).entryList({"*.dat"}),
                 QStringList({"copy.dat", "first.dat", "other.dat"}));
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

    // Which files are no document is DatFile.WrongOrShortFilesAreRefusedAndTheImageIsKept.
    void refusedOpenChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("said"); // what the message says
        QTest::newRow("no document") << "wrong.dat" << QStringList{"Data Format Error"};
        QTest::newRow("no such file")
            << "missing.dat" << QStringList{"missing.dat", "No such file or directory"};
    }
    void refusedOpenChangesNothing()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, said);
        ShellFixture env;
        QVERIFY(env.start());
        CProgramApp::Document* before = env.active();
        const auto imageBefore = before->doc->image;
        QByteArray magic = ShellFixture::newDocumentBytes();
        magic[3] = '3';
        ShellFixture::writeFile(env.path("wrong.dat"), magic);
        filetest::answerNext(env.path(file));
        env.frame()->OnCommand(id::FileOpen);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        for (const QString& words : said)
            QVERIFY2(shown[0].text.contains(words), qPrintable(shown[0].text));
        QCOMPARE(shown[0].caption, QString("Larkspur Radio"));
        QCOMPARE(env.app->documents().size(), size_t(1));
        QCOMPARE(env.active(), before);
        QVERIFY(before->frame->isVisible());
        QVERIFY(before->doc->image == imageBefore);
    }

    void saveRespectsTheFileOnDisk()
    {
        ShellFixture env;
        QVERIFY(env.start());
        const auto save = [&env](QMessageBox::StandardButton answer) {
            msgtest::answerNext(answer);
            env.frame()->OnCommand(id::FileSave);
            return msgtest::takeShown();
        };
        // Into a folder that does not exist: said, and the document stays without a file.
        filetest::answerNext(env.path("no/such/folder/x.dat"));
        auto shown = save(QMessageBox::Ok);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("x.dat"), qPrintable(shown[0].text));
        QVERIFY2(shown[0].text.contains("No such file or directory"), qPrintable(shown[0].text));
        QVERIFY(!env.active()->hasFile);
        QCOMPARE(env.active()->view->windowTitle(), QString("Channel Information[*]"));

        const QString file = env.path("a.dat");
        const QByteArray opened = ShellFixture::newDocumentBytes();
        ShellFixture::writeFile(file, opened);
        QVERIFY(env.app->openDocumentFile(file));

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
        shown = save(QMessageBox::No);
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

    // Ctrl+S takes a value still being typed first; a value it refuses is said, and
    // neither the file nor the channel changes.
    void saveTakesTheValueBeingTyped()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        QLineEdit* edit = typeInto(view, 5, 1, "145.0125");
        QVERIFY(edit);
        filetest::answerNext(env.path("typed.dat"));
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(msgtest::takeShown().isEmpty());
        const QByteArray saved = ShellFixture::readFile(env.path("typed.dat"));
        QCOMPARE(saved, ShellFixture::documentBytes(env.active()->doc->image));
        QVERIFY(!env.active()->doc->modified);
        QVERIFY(edit->isHidden());
        QCOMPARE(rowTexts(view, 5).first(), QString("145.01250"));

        edit = typeInto(view, 5, 1, "145.001");
        QVERIFY(edit);
        msgtest::answerNext(QMessageBox::Ok);
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QString("Error data Value, please input according the step value(6.25K/5k)."));
        QCOMPARE(shown[0].caption, QString("Caution"));
        QVERIFY(shown[0].icon == MsgIcon::Exclamation);
        QCOMPARE(ShellFixture::readFile(env.path("typed.dat")), saved);
        QCOMPARE(rowTexts(view, 5).first(), QString("145.01250"));
        QVERIFY(!env.active()->doc->modified);
    }

    // New (menu, Ctrl+N) and Exit (menu, Ctrl+Q) with the document as it is: New asks before
    // clearing, then each asks about unsaved work, a value being typed included.
    void unsavedWorkIsAskedAbout_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<Unsaved>("unsaved");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("fileName"); // answered at Save As; empty: none asked
        QTest::addColumn<bool>("done");        // a new document, or the program closed
        const int New = id::FileNew, Exit = id::AppExit;
        const int Ok = QMessageBox::Ok, Cancel = QMessageBox::Cancel, Yes = QMessageBox::Yes;
        const int No = QMessageBox::No;
        QTest::newRow("New, Cancel") << New << false << Unsaved::Nothing << QList{Cancel} << "" << false;
        QTest::newRow("Ctrl+N, OK") << New << true << Unsaved::Nothing << QList{Ok} << "" << true;
        QTest::newRow("New changed, Cancel at the save question")
            << New << false << Unsaved::Committed << QList{Ok, Cancel} << "" << false;
        QTest::newRow("Exit unchanged") << Exit << false << Unsaved::Nothing << QList<int>{} << "" << true;
        QTest::newRow("Exit changed, Cancel")
            << Exit << false << Unsaved::Committed << QList{Cancel} << "" << false;
        QTest::newRow("Ctrl+Q changed, No") << Exit << true << Unsaved::Committed << QList{No} << "" << true;
        QTest::newRow("Exit changed, Yes saves")
            << Exit << false << Unsaved::Committed << QList{Yes} << "kept.dat" << true;
        QTest::newRow("Exit changed, Yes, no name given")
            << Exit << false << Unsaved::Committed << QList{Yes} << "<cancel>" << false;
        QTest::newRow("Exit while typing, Yes saves the value")
            << Exit << false << Unsaved::BeingTyped << QList{Yes} << "typed.dat" << true;
    }
    void unsavedWorkIsAskedAbout()
    {
        QFETCH(int, command);
        QFETCH(bool, byKeys);
        QFETCH(Unsaved, unsaved);
        QFETCH(QList<int>, answers);
        QFETCH(QString, fileName);
        QFETCH(bool, done);
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        CProgramApp::Document* doc = env.active();
        if (unsaved == Unsaved::Committed) {
            emit view->documentModified();
            QVERIFY(doc->doc->modified && view->isWindowModified());
        } else if (unsaved == Unsaved::BeingTyped) {
            QVERIFY(typeInto(view, 7, 1, "147"));
            QVERIFY(!doc->doc->modified); // typed, not yet committed
        }
        for (int answer : answers)
            msgtest::answerNext(QMessageBox::StandardButton(answer));
        if (!fileName.isEmpty())
            filetest::answerNext(fileName == "<cancel>" ? QString() : env.path(fileName));
        if (byKeys)
            QTest::keyClick(keyboardWidget(view), command == id::FileNew ? Qt::Key_N : Qt::Key_Q,
                            Qt::ControlModifier);
        else
            env.frame()->menuAction(true, command)->trigger();

        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), answers.size());
        if (command == id::FileNew) {
            QCOMPARE(shown[0].text, QString("All data will be Cleared!"));
            QCOMPARE(shown[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(env.app->documents().size(), size_t(1));
            QCOMPARE(env.active() != doc, done);
            QVERIFY(env.active()->frame->isVisible());
        } else {
            QCOMPARE(env.frame()->isVisible(), !done);
        }
        if (unsaved != Unsaved::Nothing) {
            QCOMPARE(shown.last().buttons, YesNoCancel);
            QVERIFY(shown.last().text.contains("Channel Information"));
        }
        if (done && !fileName.isEmpty()) {
            RadioImage saved;
            QVERIFY(loadDatFile(env.path(fileName).toStdString(), saved).ok());
            QVERIFY(saved == doc->doc->image);
            QVERIFY(!doc->doc->modified);
            if (unsaved == Unsaved::BeingTyped)
                QCOMPARE(saved.rxFrequency(7), 14700000u);
        }
    }

    void droppedFilesAreOpened()
    {
        ShellFixture env;
        CProgramView* view = startProgram(env);
        QVERIFY(view);
        RadioImage image = RadioImage::newImage();
        image.setRxFrequency(6, 14612500);
        const QString good = env.writeDocument("good.dat", image);
        ShellFixture::writeFile(env.path("short.dat"), QByteArray(100, '\0'));
        ShellFixture::writeFile(env.path("notes.txt"), "hello");

        // Anything but documents is refused at the drag.
        QVERIFY(!dropFiles(env.frame(), {env.path("notes.txt")}));
        QVERIFY(!dropFiles(env.frame(), {good, env.path("notes.txt")}));
        QCoreApplication::processEvents();
        QCOMPARE(env.app->documents().size(), std::size_t(1));

        // A document that is no document: "Data Format Error", nothing changes.
        QVERIFY(dropFiles(env.frame(), {env.path("short.dat")}));
        QStringList shown;
        QTRY_VERIFY((shown += shownTexts(), !shown.isEmpty()));
        QCOMPARE(shown, QStringList{"Data Format Error"});
        QCOMPARE(env.app->documents().size(), std::size_t(1));
        QCOMPARE(env.active()->view, view);

        // A good one opens in its own window, as by Open.
        QVERIFY(dropFiles(env.frame(), {good}));
        QTRY_COMPARE(env.app->documents().size(), std::size_t(2));
        CProgramView* opened = env.active()->view;
        QVERIFY(opened != view);
        QCOMPARE(rowTexts(opened, 6).first(), QString("146.12500"));
        QVERIFY(!env.active()->doc->modified);
        QVERIFY(!opened->undoHistory().canUndo());
        QVERIFY(msgtest::takeShown().isEmpty());
    }
};

QTEST_MAIN(TestDocuments)
#include "documents_qtest.moc"
