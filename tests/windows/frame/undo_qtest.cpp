// Undo and redo in a channel window of the running program, with the keys: a typed cell and
// the settings dialogs are each one step, the status bar says which (its words are the rows
// of UndoHistory.StatusTextsNameTheChange), and Ctrl+Z while typing leaves the history
// alone. (A Read and Ctrl+Z during a transfer: link_program_qtest.)

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "ProgramDriving.h"
#include "core/settings/OptionRules.h"
#include "res/ResourceIds.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"

using namespace qx260;
namespace id = qx260::resid;

class TestUndo : public QObject
{
    Q_OBJECT

  private slots:
    void typedCellUndoneAndRedone_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("said"); // undone, nothing to undo, redone, nothing to redo
        QTest::newRow("English") << false
                                 << QStringList{"Undone: channel 3", "Nothing to undo", "Redone: channel 3",
                                                "Nothing to redo"};
        QTest::newRow("Chinese") << true
                                 << QStringList{"已撤销：信道 3", "没有可撤销的更改", "已重做：信道 3",
                                                "没有可重做的更改"};
    }
    void typedCellUndoneAndRedone()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, said);
        ShellFixture env(chinese ? useChinese : std::function<void(QString&)>());
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
        QVERIFY(doc->doc->modified);

        // Saved, then undone: the document differs from its file again.
        filetest::answerNext(env.path("typed.dat"));
        env.frame()->OnCommand(id::FileSave);
        QVERIFY(!doc->doc->modified);
        const auto typed = savedBytes(view);
        QVERIFY(typed != original);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(view, 3), emptyRow);
        QVERIFY(savedBytes(view) == original);
        QVERIFY(doc->doc->modified && view->isWindowModified());
        QCOMPARE(env.statusText(), said[0]);
        if (chinese)
            snapshot(env.frame(), "zh-undo");
        // No editor shows the text that was undone.
        for (int c = 1; c <= 2; ++c) {
            QLineEdit* box = view->cellEditors()->editBox(c);
            QVERIFY(box->isHidden() || box->text() == QString::fromStdString(view->table().text()));
        }

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), said[1]);
        QCOMPARE(rowTexts(view, 3), emptyRow);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(rowTexts(view, 3), typedRow);
        QVERIFY(savedBytes(view) == typed);
        QCOMPARE(env.statusText(), said[2]);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(env.statusText(), said[3]);

        // New starts an empty history.
        msgtest::answerNext(QMessageBox::Ok); // "All data will be Cleared!"
        msgtest::answerNext(QMessageBox::No); // not saved
        const QPointer<CProgramView> old(view);
        env.frame()->OnCommand(id::FileNew);
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
        env.frame()->OnCommand(id::OptionalFeatures);
        const auto options = doc->doc->image.bytes();
        QVERIFY(options != before);

        onNextModal<CProductInfoDlg>([](CProductInfoDlg* d) {
            d->bandList()->setCurrentIndex(d->bandList()->count() - 1);
            d->okButton()->click();
        });
        env.frame()->OnCommand(id::ProductInformation);
        const auto product = doc->doc->image.bytes();
        QVERIFY(product != options);
        QVERIFY(!(view->bandLimits() == limits));
        QVERIFY(env.frame()->windowTitle() != caption);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), QString("Undone: Product Information"));
        QVERIFY(doc->doc->image.bytes() == options);
        QVERIFY(view->bandLimits() == limits);
        QCOMPARE(env.frame()->windowTitle(), caption);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(env.statusText(), QString("Undone: Optional Features"));
        QVERIFY(doc->doc->image.bytes() == before);

        QTest::keyClick(keyboardWidget(view), Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(keyboardWidget(view), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(doc->doc->image.bytes() == product);
        QVERIFY(!(view->bandLimits() == limits));
    }
};

QTEST_MAIN(TestUndo)
#include "undo_qtest.moc"
