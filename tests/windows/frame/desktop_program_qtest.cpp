// The desktop program as its users live with it, in English and in Chinese: View > All
// Columns, the whole Optional Features dialog behind More, the recent documents of the File
// menu, the main window as it was left, what a screen reader learns, and colours that read
// in a dark theme. Each starts as a user who never changed anything finds the program, and
// checks that it looks as it always has. Three take the manual's pictures. (Ctrl+Q is one
// of documents_qtest's rows of unsaved work.)

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "ProgramDriving.h"
#include "core/print/PrintLayout.h"
#include "res/ResourceIds.h"
#include "tests/support/BuildPaths.h"
#include "windows/common/ThemeColors.h"
#include "windows/frame/CNavigatorBar.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CProcessDlg.h"

using namespace qx260;
namespace id = qx260::resid;

namespace
{

// The program in one language, with a fresh per-user settings file.
struct Program {
    explicit Program(const QString& language)
        : chinese(language == QLatin1String("zh")),
          env(chinese ? useChinese : std::function<void(QString&)>())
    {
    }
    QString pick(const char* english, const char* chineseText) const
    {
        return QString::fromUtf8(chinese ? chineseText : english);
    }
    CProgramView* start() { return view = startProgram(env); }
    // Ends the program as the user does: closing its main window.
    void stop()
    {
        QVERIFY(env.frame()->close());
        env.app.reset();
    }
    CMainFrame* frame() const { return env.frame(); }
    QAction* item(int command) const { return frame()->menuAction(true, command); }
    QStringList fileMenu() const { return menuTexts(frame()->menus(true)[0]); }
    // The File menu's recent document at this position (0 for the first).
    QAction* recent(int position) const
    {
        for (QAction* a : frame()->menus(true)[0]->actions())
            if (a->data().toInt() == id::FileMruFirst + position)
                return a;
        return nullptr;
    }
    // A new channel at row r, typed in and taken with Enter.
    void addChannel(int r, const QString& frequency)
    {
        QLineEdit* edit = typeInto(view, r, 1, frequency);
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    bool chinese;
    ShellFixture env;
    CProgramView* view = nullptr;
};

void addLanguages()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QStringLiteral("en");
    QTest::newRow("Chinese") << QStringLiteral("zh");
}

// The manual's picture NAME-<language>.png, beside its other pictures. A main window is
// taken at a size that shows its channel window whole.
void savePicture(QWidget* window, const QString& name, const QString& language)
{
    if (auto* frame = qobject_cast<CMainFrame*>(window)) {
        frame->showNormal();
        frame->resize(1000, 660);
        QTest::qWait(20);
    }
    const QDir dir(qx260::testpaths::manualDir() + QStringLiteral("/") + language +
                   QStringLiteral("/images"));
    QVERIFY(QDir().mkpath(dir.path()));
    QVERIFY(window->grab().save(dir.filePath(name + QLatin1Char('-') + language + QStringLiteral(".png"))));
}

QStringList shownHeaders(CProgramView* view)
{
    QStringList headers;
    for (int c = 0; c < view->table().cols(); ++c)
        if (view->table().colWidth(c) > 0)
            headers << QString::fromStdString(view->table().textMatrix(0, c));
    return headers;
}

// Clicks a list cell and takes an item of the list that opens over it with Enter.
void chooseInCell(CProgramView* view, int r, int c, const QString& item)
{
    QTest::mouseClick(view->grid(), Qt::LeftButton, {}, view->grid()->cellRectPixels(r, c).center());
    QComboBox* list = view->cellEditors()->listBox(c);
    QVERIFY(list && list->isVisible() && list->findText(item) >= 0);
    list->setCurrentIndex(list->findText(item));
    QTest::keyClick(list, Qt::Key_Return);
}

// The texts of the channel pages of the window's printout.
QStringList printedChannelTexts(CProgramView* view)
{
    struct Metrics : PrintFontMetrics {
        int lineHeight(const PrintFontSize& size) const override { return size.height; }
    } metrics;
    const PrintLayout layout(view->printContent(), PrintGeometry{11000, 15000}, metrics);
    QStringList texts;
    for (const PrintOp& op : layout.page(2))
        texts << QString::fromStdString(op.text);
    return texts;
}

// A dialog that a failed check left open is closed, so that the test goes on.
void closeIfOpen(QDialog* dialog)
{
    if (dialog->isVisible())
        dialog->reject();
}

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Every control of the window the keyboard reaches has a name a screen reader says.
void checkEveryControlIsNamed(QWidget* window)
{
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->focusPolicy() == Qt::NoFocus || qobject_cast<QLabel*>(w))
            continue;
        // (a list reads its choice as its name on some systems: its label names it)
        const QString name =
            w->accessibleName().isEmpty() ? accessible(w)->text(QAccessible::Name) : w->accessibleName();
        QVERIFY2(!name.isEmpty(), w->metaObject()->className());
    }
}

// The contrast of text drawn in a rectangle against its background (the colour of its
// top left pixel): the text's pixel that differs most from it.
double drawnTextContrast(const QImage& image, const QRect& r)
{
    const QColor background = image.pixelColor(r.topLeft());
    double best = 1.0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            best = std::max(best, contrastRatio(image.pixelColor(x, y), background));
    return best;
}

QPalette darkPalette()
{
    QPalette p(QColor(60, 60, 64), QColor(45, 45, 48));
    for (QPalette::ColorRole text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(text, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    return p;
}

} // namespace

class TestDesktopProgram : public QObject
{
    Q_OBJECT
  private slots:
    void allColumnsShowBusyLockAndPower_data() { addLanguages(); }
    void allColumnsShowBusyLockAndPower()
    {
        QFETCH(QString, language);
        Program program(language);
        CProgramView* view = program.start();
        QVERIFY(view);
        const QStringList variantColumns =
            program.chinese ? QStringList{"信道", "接收频率", "QT/DQT解码", "宽/窄", "扫描"}
                            : QStringList{"CH", "Rx Frequency", "QT/DQT Dec", "W/N", "Scan"};
        const QStringList allColumns = variantColumns + QStringList{program.pick("Busy Lock", "繁忙锁定"),
                                                                    program.pick("Power", "功率")};
        const QString busyLockLine = program.pick("Busy Lock:", "繁忙锁定:");

        // As always: the radio variant's columns, the item unchecked, nothing more printed.
        QAction* item = program.item(id::ViewAllColumns);
        QVERIFY(item->isCheckable() && !item->isChecked());
        QCOMPARE(item->text(), program.pick("&All Columns", "全部列(&A)"));
        QCOMPARE(shownHeaders(view), variantColumns);
        program.addChannel(2, "145.50000");
        QVERIFY(!printedChannelTexts(view).contains(busyLockLine));

        // View > All Columns: Busy Lock and Power beside them, edited with their lists,
        // stored and printed.
        item->trigger();
        QVERIFY(item->isChecked());
        QCOMPARE(shownHeaders(view), allColumns);
        QCOMPARE(rowTexts(view, 2).mid(6),
                 QStringList({program.pick("Off", "关"), program.pick("High", "高")}));
        chooseInCell(view, 2, 7, program.pick("Carrier", "载波"));
        QComboBox* power = view->cellEditors()->listBox(8);
        QVERIFY(power->isVisible()); // Enter moved on to Power
        savePicture(program.frame(), "all-columns", language);
        power->setCurrentIndex(1);
        QTest::keyClick(power, Qt::Key_Return);
        RadioImage expected = view->document().image;
        expected.setBusyLock(2, BusyLock::Carrier);
        expected.setHighPower(2, false);
        QCOMPARE(savedBytes(view), expected.bytes());
        const QStringList printed = printedChannelTexts(view);
        QVERIFY(printed.contains(busyLockLine) && printed.contains(program.pick("Low", "低")));

        // Kept for every window, and for the next start.
        msgtest::answerNext(QMessageBox::Ok); // all data cleared
        msgtest::answerNext(QMessageBox::No); // not saved
        program.frame()->OnCommand(id::FileNew);
        QCOMPARE(shownHeaders(program.env.active()->view), allColumns);
        program.stop();
        view = program.start();
        QVERIFY(program.item(id::ViewAllColumns)->isChecked());
        QCOMPARE(shownHeaders(view), allColumns);

        // Off again: the choice open in Power is taken, the current cell moves to a shown one.
        program.addChannel(2, "145.50000");
        chooseInCell(view, 2, 7, program.pick("Off", "关"));
        view->cellEditors()->listBox(8)->setCurrentIndex(1);
        program.item(id::ViewAllColumns)->trigger();
        QCOMPARE(shownHeaders(view), variantColumns);
        QCOMPARE(rowTexts(view, 2).mid(6),
                 QStringList({program.pick("Off", "关"), program.pick("Low", "低")}));
        QVERIFY(view->table().colWidth(view->table().col()) > 0 && !view->cellEditors()->isShown(8));
    }

    void moreShowsTheWholeOptionalFeaturesDialog_data() { addLanguages(); }
    void moreShowsTheWholeOptionalFeaturesDialog()
    {
        QFETCH(QString, language);
        Program program(language);
        QVERIFY(program.start());
        RadioImage expected = program.view->document().image;
        int openings = 0;
        onNextModal<COptionalFeaturesDlg>([&](COptionalFeaturesDlg* dialog) {
            const auto closeOnFailure = qScopeGuard([dialog] { closeIfOpen(dialog); });
            ++openings;
            QComboBox* sideKey = dialog->list(OptionList::SideKey);
            const auto reachable = [dialog](QWidget* w) {
                return dialog->rect().contains(w->geometry()) && w->focusPolicy() != Qt::NoFocus;
            };
            // Opened cut as always, More beside Cancel.
            QVERIFY(!reachable(sideKey) && reachable(dialog->moreButton()));
            QCOMPARE(dialog->moreButton()->text(), program.pick("&More >>", "更多(&M) >>"));

            // More: the eight settings below the cut, each named by its label.
            QTest::mouseClick(dialog->moreButton(), Qt::LeftButton);
            for (QWidget* w : QList<QWidget*>{
                     sideKey, dialog->beepBox(), dialog->batterySaverBox(),
                     dialog->list(OptionList::PriorityChannel), dialog->list(OptionList::Vox),
                     dialog->list(OptionList::VoxGainLevel), dialog->list(OptionList::VoiceAnnunciation),
                     dialog->list(OptionList::VoxDelayTime)})
                QVERIFY(reachable(w));
            QCOMPARE(sideKey->accessibleName(), program.pick("Side Key", "侧键"));
            QCOMPARE(dialog->moreButton()->text(), program.pick("<< &Less", "<< 收起(&L)"));
            savePicture(dialog, "optional-features-more", language);
            sideKey->setFocus();
            QTest::keyClick(sideKey, Qt::Key_Down); // Monitor
            dialog->beepBox()->setChecked(true);

            // Less: cut again, the values kept for OK.
            QTest::mouseClick(dialog->moreButton(), Qt::LeftButton);
            QVERIFY(!reachable(sideKey));
            QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        });
        program.frame()->OnCommand(id::OptionalFeatures);
        expected.setByte(offset::SideKey, 1);
        expected.setByte(offset::Beep, 1);
        QVERIFY(program.view->document().image == expected);

        // The next opening is cut again.
        onNextModal<COptionalFeaturesDlg>([&](COptionalFeaturesDlg* dialog) {
            ++openings;
            QVERIFY(!dialog->moreButton()->isChecked());
            QVERIFY(!dialog->rect().contains(dialog->list(OptionList::SideKey)->geometry()));
            dialog->cancelButton()->click();
        });
        program.frame()->OnCommand(id::OptionalFeatures);
        QCOMPARE(openings, 2);
    }

    void fileMenuListsTheRecentDocuments_data() { addLanguages(); }
    void fileMenuListsTheRecentDocuments()
    {
        QFETCH(QString, language);
        Program program(language);
        QVERIFY(program.start());
        ShellFixture& env = program.env;
        const QStringList asLoaded = program.fileMenu();
        // The menu with recent documents, the newest first, above Exit.
        const auto withRecent = [&](const QStringList& names) {
            QStringList items = asLoaded;
            for (int i = 0; i < names.size(); ++i)
                items.insert(items.size() - 1,
                             QStringLiteral("&%1 %2").arg(i + 1).arg(env.path(names[i]).replace("&", "&&")));
            items.insert(items.size() - 1, QStringLiteral("-"));
            return items;
        };
        QVERIFY(!program.recent(0));

        // Saved and opened documents; four at most.
        filetest::answerNext(env.path("saved.dat"));
        program.frame()->OnCommand(id::FileSave);
        for (const QString name : {"a.dat", "b & c.dat", "c.dat", "d.dat"}) {
            ShellFixture::writeFile(env.path(name), ShellFixture::newDocumentBytes());
            filetest::answerNext(env.path(name));
            program.frame()->OnCommand(id::FileOpen);
        }
        QCOMPARE(program.fileMenu(), withRecent({"d.dat", "c.dat", "b & c.dat", "a.dat"}));

        // Kept for the next start. Choosing one opens it and puts it first.
        program.stop();
        QVERIFY(program.start());
        QCOMPARE(program.fileMenu(), withRecent({"d.dat", "c.dat", "b & c.dat", "a.dat"}));
        program.recent(2)->trigger();
        QCOMPARE(env.active()->view->windowTitle(), QStringLiteral("b & c.dat[*]"));
        QCOMPARE(program.fileMenu(), withRecent({"b & c.dat", "d.dat", "c.dat", "a.dat"}));

        // One that is gone leaves the list, with a word why.
        QVERIFY(QFile::remove(env.path("c.dat")));
        msgtest::takeShown();
        program.recent(2)->trigger();
        const QList<msgtest::Shown> shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.startsWith(env.path("c.dat")));
        QVERIFY(shown[0].text.contains(
            program.pick("removed from the list of recent files", "最近使用的文件列表")));
        QCOMPARE(program.fileMenu(), withRecent({"b & c.dat", "d.dat", "a.dat"}));
    }

    void mainWindowOpensAsItWasLeft_data() { addLanguages(); }
    void mainWindowOpensAsItWasLeft()
    {
        QFETCH(QString, language);
        Program program(language);
        QVERIFY(program.start());
        ShellFixture& env = program.env;
        // The first start: maximised, the bar at its first width, Open in the working folder.
        QVERIFY(program.frame()->isMaximized() && program.frame()->navigatorBar()->isVisible());
        QCOMPARE(program.frame()->navigatorBar()->barWidth(), CNavigatorBar::kInitialWidth);
        filetest::answerNext(QString());
        program.frame()->OnCommand(id::FileOpen);
        QCOMPARE(filetest::lastProposed(), QString());

        // A size of the user's, a narrower bar, a document from a folder of theirs.
        const QRect placed(120, 90, 760, 520);
        program.frame()->showNormal();
        program.frame()->setGeometry(placed);
        QTRY_COMPARE(program.frame()->geometry(), placed);
        program.frame()->navigatorBar()->setBarWidth(150);
        QVERIFY(QDir().mkpath(env.path("radios")));
        ShellFixture::writeFile(env.path("radios/shop.dat"), ShellFixture::newDocumentBytes());
        filetest::answerNext(env.path("radios/shop.dat"));
        program.frame()->OnCommand(id::FileOpen);
        program.stop();
        QVERIFY(program.start());
        QVERIFY(!program.frame()->isMaximized());
        QCOMPARE(program.frame()->geometry(), placed);
        QCOMPARE(program.frame()->navigatorBar()->barWidth(), 150);
        filetest::answerNext(QString());
        program.frame()->OnCommand(id::FileOpen);
        QCOMPARE(filetest::lastProposed(), env.path("radios"));

        // The bar hidden and the window maximised: so it opens next time.
        program.frame()->OnCommand(id::ControlBar);
        program.frame()->showMaximized();
        QTRY_VERIFY(program.frame()->isMaximized());
        program.stop();
        QVERIFY(program.start());
        QVERIFY(program.frame()->isMaximized() && !program.frame()->navigatorBar()->isVisible());
        QVERIFY(!program.item(id::ControlBar)->isChecked());
        program.frame()->showNormal();
        QTRY_COMPARE(program.frame()->geometry(), placed);
    }

    void screenReaderLearnsTheWindow_data() { addLanguages(); }
    void screenReaderLearnsTheWindow()
    {
        QFETCH(QString, language);
        Program program(language);
        CProgramView* view = program.start();
        QVERIFY(view);
        program.addChannel(3, "146.02500");
        const QString rxFrequency = program.pick("Rx Frequency", "接收频率");

        // The grid: a table of the sixteen channels and the columns on screen.
        QAccessibleInterface* grid = accessible(view->grid());
        QCOMPARE(grid->role(), QAccessible::Table);
        QCOMPARE(grid->text(QAccessible::Name), program.pick("Channel table", "信道表"));
        QAccessibleTableInterface* table = grid->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 16);
        QCOMPARE(table->columnCount(), 4);
        QCOMPARE(table->columnDescription(0), rxFrequency);
        QCOMPARE(table->rowDescription(2), QStringLiteral("3"));
        QAccessibleInterface* cell = table->cellAt(2, 0);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("146.02500"));
        QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
                 rxFrequency);
        QCOMPARE(table->cellAt(2, 3)->text(QAccessible::Name), program.pick("No", "否"));
        QCOMPARE(grid->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
        QCOMPARE(grid->child(grid->indexOfChild(cell)), cell);

        // The current cell, and the editor open over it.
        QLineEdit* edit = typeInto(view, 5, 1, "146.1");
        QVERIFY(edit);
        QVERIFY(table->cellAt(4, 0)->state().focused);
        QCOMPARE(table->cellAt(4, 0)->child(0)->object(), edit);
        QCOMPARE(grid->focusChild()->object(), edit);
        QCOMPARE(accessible(edit)->text(QAccessible::Name),
                 rxFrequency + program.pick(", channel 5", "，信道 5"));
        QCOMPARE(edit->accessibleDescription(), program.pick("Channel 5", "信道 5"));

        // All Columns: two columns more.
        program.item(id::ViewAllColumns)->trigger();
        QCOMPARE(table->columnCount(), 6);
        QCOMPARE(table->columnDescription(5), program.pick("Power", "功率"));
        QCOMPARE(table->cellAt(2, 5)->text(QAccessible::Name), program.pick("High", "高"));

        // The navigation tree and the toolbar buttons have names; so has every control of the
        // dialogs, and a list is tied to its label.
        QCOMPARE(accessible(program.frame()->navigatorBar()->tree())->text(QAccessible::Name),
                 program.pick("Navigation", "导航"));
        for (QAction* action : program.frame()->toolBar()->actions())
            QVERIFY(action->isSeparator() || !accessible(program.frame()->toolBar()->widgetForAction(action))
                                                  ->text(QAccessible::Name)
                                                  .isEmpty());
        // What else a screen reader reads of the window: the tone and choice lists over a cell
        // by their column and channel (not by their value), the navigation tree's hidden
        // header, the toolbar's own button, the Program menu's shortcuts after a tab as in the
        // other menus, and the Process window's block count.
        for (int c : {3, 5}) {
            QTest::mouseClick(view->grid(), Qt::LeftButton, {}, view->grid()->cellRectPixels(3, c).center());
            QComboBox* list = view->cellEditors()->listBox(c);
            QVERIFY(list && list->isVisible());
            const QString name = QString::fromStdString(view->table().textMatrix(0, c)) +
                                 program.pick(", channel 3", "，信道 3");
            // (a list reads its value as its name on some systems: its label names it there)
            const auto labels = accessible(list)->relations(QAccessible::Label);
            QCOMPARE(labels.isEmpty() ? accessible(list)->text(QAccessible::Name)
                                      : labels[0].first->text(QAccessible::Name),
                     name);
            if (list->lineEdit())
                QCOMPARE(accessible(list->lineEdit())->text(QAccessible::Name), name);
        }
        QCOMPARE(program.frame()->navigatorBar()->tree()->headerItem()->text(0),
                 program.pick("Navigation", "导航"));
        for (QToolButton* button : program.frame()->toolBar()->findChildren<QToolButton*>())
            QVERIFY2(!accessible(button)->text(QAccessible::Name).isEmpty(),
                     qPrintable(button->objectName()));
        QCOMPARE(program.item(id::Read)->text(), program.pick("&Read\tCtrl+R", "读数据(&R)\tCtrl+R"));
        QCOMPARE(program.item(id::Write)->text(), program.pick("&Write\tCtrl+W", "写数据(&W)\tCtrl+W"));

        int checked = 0;
        const auto check = [&](QDialog* dialog) {
            const auto close = qScopeGuard([dialog] { closeIfOpen(dialog); });
            if (auto* options = qobject_cast<COptionalFeaturesDlg*>(dialog))
                options->showWholeDialog(true);
            if (auto* product = qobject_cast<CProductInfoDlg*>(dialog)) {
                const auto labels = accessible(product->typeList())->relations(QAccessible::Label);
                QVERIFY(!labels.isEmpty());
                QCOMPARE(labels[0].first->text(QAccessible::Name), program.pick("Type", "类型"));
            }
            checkEveryControlIsNamed(dialog);
            ++checked;
        };
        for (int command : {id::OptionalFeatures, id::ProductInformation, id::ComSetup, id::FindRadio,
                            id::Language, id::AppAbout}) {
            onNextModal<QDialog>(check);
            program.frame()->OnCommand(command);
        }
        view->OnRead();
        QCOMPARE(accessible(view->processDialog()->countText())->text(QAccessible::Name),
                 program.pick("Blocks done", "已完成的块"));
        check(view->processDialog());
        QCOMPARE(checked, 7);
    }

    void colorsReadInADarkTheme_data() { addLanguages(); }
    void colorsReadInADarkTheme()
    {
        QFETCH(QString, language);
        const QPalette light = QApplication::palette();
        // A light theme: the form's own colours.
        {
            Program program(language);
            CProgramView* view = program.start();
            QVERIFY(view);
            QCOMPARE(view->grid()->foreColorFixed(), QColor(0, 50, 240));
            QCOMPARE(view->grid()->backColorBkg(), QColor(255, 255, 255));
            QCOMPARE(view->titleLabel()->palette().color(QPalette::WindowText), QColor(250, 10, 10));
        }
        // A dark one: every header readable on its cell, the title on the form, the area
        // beside the cells dark.
        QApplication::setPalette(darkPalette());
        Program program(language);
        CProgramView* view = program.start();
        QVERIFY(view);
        program.addChannel(1, "145.50000");
        view->titleLabel()->setText(program.pick("QX-260 channels", "QX-260 信道"));
        const QImage grid = view->grid()->grab().toImage();
        for (int c : {0, 1, 3, 5, 6}) {
            const QRect header = view->grid()->cellRectPixels(0, c).adjusted(1, 1, -2, -2);
            QVERIFY2(drawnTextContrast(grid, header) >= kReadableContrast, qPrintable(QString::number(c)));
        }
        const int besideCells = view->grid()->contentSize().width() + CMSFlexGrid::kBorder + 4;
        QCOMPARE(grid.pixelColor(besideCells, 10), darkPalette().color(QPalette::Base));
        const QImage title = view->titleLabel()->grab().toImage();
        QVERIFY(drawnTextContrast(title, title.rect()) >= kReadableContrast);
        savePicture(program.frame(), "dark-theme", language);

        // Back to a light theme while the window is open (the change reaches the windows
        // through the event loop): its own colours again.
        QApplication::setPalette(light);
        QTRY_COMPARE(view->grid()->foreColorFixed(), QColor(0, 50, 240));
        QCOMPARE(view->titleLabel()->palette().color(QPalette::WindowText), QColor(250, 10, 10));
    }
};

QTEST_MAIN(TestDesktopProgram)
#include "desktop_program_qtest.moc"
