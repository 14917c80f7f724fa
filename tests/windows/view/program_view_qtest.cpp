// The channel window: set-up, column layout per radio variant, cell moves by mouse and
// keyboard, Enter and F1 anywhere in the view, and what it reports as a document change.

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"
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
                         "Field1=130 - 160MHz|136 - 174MHz\n"
                         "[English]\n"
                         "AppName=QX-260 Programming Software\n"
                         "Title=QX-260 Channel Table\n"
                         "[Chinese]\n"
                         "AppName=QX-260 写频软件\n"
                         "Title=QX-260 信道表\n";

QString cellText(CProgramView& view, int r, int c)
{
    return QString::fromStdString(view.table().textMatrix(r, c));
}

} // namespace

class TestView : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    MemoryUserStore store_;
    QStringList captions_;

    void setLanguage(bool chinese)
    {
        ProcessValues& pv = processValues();
        pv.languageName = chinese ? "Chinese" : "English";
        pv.setLanguage(languageOf(chinese));
    }

    static CProgramDoc newDocument()
    {
        CProgramDoc doc;
        doc.image = RadioImage::newImage();
        return doc;
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
        setLanguage(false);
        processValues().radioVariant = 1;
        captions_.clear();
    }

    void headersTitleAndChannelNumbers_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstTone");
        QTest::newRow("English") << false << QStringList{"CH",         "Rx Frequency", "Tx Frequency",
                                                         "QT/DQT Dec", "QT/DQT Enc",   "W/N",
                                                         "Scan",       "Busy Lock",    "Power"}
                                 << "QX-260 Channel Table"
                                 << "None";
        QTest::newRow("Chinese") << true
                                 << QStringList{"信道",  "接收频率", "发射频率", "QT/DQT解码", "QT/DQT编码",
                                                "宽/窄", "扫描",     "繁忙锁定", "功率"}
                                 << "QX-260 信道表"
                                 << "无";
    }

    void headersTitleAndChannelNumbers()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, headers);
        QFETCH(QString, title);
        QFETCH(QString, firstTone);
        setLanguage(chinese);
        CProgramDoc doc = newDocument();
        CProgramView view(doc);
        QVERIFY(view.firstSetUp());
        view.OnInitialUpdate();
        QVERIFY(!view.firstSetUp());

        for (int c = 0; c < 9; ++c)
            QCOMPARE(cellText(view, 0, c), headers[c]);
        QCOMPARE(view.titleLabel()->text(), title);
        QCOMPARE(view.toneList().size(), std::size_t(219));
        QCOMPARE(QString::fromStdString(view.toneList().front()), firstTone);
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(cellText(view, r, 0), QString::asprintf("%2d", r));
        QCOMPARE(cellText(view, 1, 0), QString(" 1"));
        QCOMPARE(cellText(view, 16, 0), QString("16"));
        // Every initial update hands the main window its caption.
        QCOMPARE(captions_.size(), 1);
    }

    void columnsPerRadioVariant_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QList<int>>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("receive side") << 1 << QList<int>{0, 1, 3, 5, 6} << true;
        QTest::newRow("transmit side") << 2 << QList<int>{0, 2, 4, 5} << true;
        QTest::newRow("other radio") << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6} << false;
    }

    void columnsPerRadioVariant()
    {
        QFETCH(int, variant);
        QFETCH(QList<int>, visible);
        QFETCH(bool, enabled);
        processValues().radioVariant = variant;
        CProgramDoc doc = newDocument();
        CProgramView view(doc);
        view.OnInitialUpdate();
        CMSFlexGrid* grid = view.grid();
        for (int c = 0; c < 9; ++c) {
            const bool shown = visible.contains(c);
            QCOMPARE(view.table().colWidth(c) > 0, shown);
            QCOMPARE(grid->cellRectPixels(0, c).width() > 0, shown);
            QCOMPARE(view.table().colAlignment(c), shown ? int(AlignCenterCenter) : int(AlignLeftTop));
        }
        QCOMPARE(grid->isEnabled(), enabled);
        QCOMPARE(view.table().enabled(), enabled);

        // Every channel can be scrolled into sight, also when the grid takes no input.
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* bar = view.findChild<QScrollBar*>("gridScrollBar");
        QVERIFY(bar);
        if (bar->isVisible()) {
            QVERIFY(bar->isEnabled());
            bar->setValue(bar->maximum());
        }
        QVERIFY(grid->cellRectPixels(16, 0).bottom() < grid->height() - CMSFlexGrid::kBorder);
    }

    void secondInitialUpdateRefillsButDoesNotSetUpAgain()
    {
        CProgramDoc doc = newDocument();
        doc.image.setRxFrequency(1, 14512500);
        CProgramView view(doc);
        view.OnInitialUpdate();
        QCOMPARE(cellText(view, 1, 1), QString("145.12500"));

        view.table().setTextMatrix(0, 1, "changed header");
        view.table().setTextMatrix(1, 1, "150.00000");
        processValues().radioVariant = 2;
        view.OnInitialUpdate();

        QCOMPARE(cellText(view, 0, 1), QString("changed header")); // set-up ran once
        QCOMPARE(view.toneList().size(), std::size_t(219));
        QCOMPARE(cellText(view, 1, 1), QString("")); // refilled, variant 2 hides Rx
        QCOMPARE(view.table().colWidth(1), 0);
        QCOMPARE(view.table().colWidth(2), 1200);
        QCOMPARE(captions_.size(), 2);
    }

    void bandLimitsComeFromTheDocument()
    {
        CProgramDoc doc = newDocument();
        doc.newDocumentFlag = false;
        doc.image.setByte(offset::ProductType, 0);
        doc.image.setByte(offset::BandIndex, 1);
        CProgramView view(doc);
        view.OnInitialUpdate();
        QCOMPARE(view.bandLimits().lower, 13600000);
        QCOMPARE(view.bandLimits().upper, 17400000);
        QVERIFY(captions_.last().contains("136 - 174MHz"));
    }

    void clickMovesTheCurrentCellWithLeaveThenEnter()
    {
        CProgramDoc doc = newDocument();
        CProgramView view(doc);
        view.OnInitialUpdate();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        CMSFlexGrid* grid = view.grid();

        QStringList events;
        connect(grid, &CMSFlexGrid::leaveCell, &view,
                [&] { events << QString("leave %1,%2").arg(view.table().row()).arg(view.table().col()); });
        connect(grid, &CMSFlexGrid::enterCell, &view,
                [&] { events << QString("enter %1,%2").arg(view.table().row()).arg(view.table().col()); });
        QSignalSpy mouseDown(grid, &CMSFlexGrid::mouseDown);

        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, cellCentre(grid, 3, 5));
        QCOMPARE(events, (QStringList{"leave 1,1", "enter 3,5"}));
        QCOMPARE(mouseDown.size(), 1);
        QCOMPARE(mouseDown[0][0].value<short>(), short(CMSFlexGrid::LeftButton));

        // Fixed cells never become current, but the press is still reported.
        events.clear();
        QTest::mouseClick(grid, Qt::LeftButton, Qt::ShiftModifier, cellCentre(grid, 0, 3));
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, cellCentre(grid, 7, 0));
        QVERIFY(events.isEmpty());
        QCOMPARE(mouseDown.size(), 3);
        QCOMPARE(mouseDown[1][1].value<short>(), short(CMSFlexGrid::ShiftMask));
        QCOMPARE(view.table().row(), 3);
        QCOMPARE(view.table().col(), 5);

        // The current cell's rectangle is the table's twips at the screen's resolution.
        const QRect rect = grid->cellRectPixels();
        QCOMPARE(rect.left(), CMSFlexGrid::kBorder + view.table().cellLeft() * grid->dpiX() / 1440);
        QCOMPARE(rect.top(), CMSFlexGrid::kBorder + view.table().cellTop() * grid->dpiY() / 1440);
        QCOMPARE(rect.width(), grid->cellRectPixels(3, 5).width());
        QVERIFY(rect.contains(cellCentre(grid, 3, 5)));
    }

    void arrowAndTabKeysSkipHiddenColumns()
    {
        CProgramDoc doc = newDocument();
        CProgramView view(doc);
        view.OnInitialUpdate(); // variant 1: columns 1, 3, 5, 6 shown
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        CMSFlexGrid* grid = view.grid();
        grid->setFocus();
        auto at = [&] { return QPoint(view.table().row(), view.table().col()); };

        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(at(), QPoint(1, 3));
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Right); // already on the last shown column
        QCOMPARE(at(), QPoint(1, 6));
        QTest::keyClick(grid, Qt::Key_Tab); // wraps to the next row
        QCOMPARE(at(), QPoint(2, 1));
        QTest::keyClick(grid, Qt::Key_Backtab);
        QCOMPARE(at(), QPoint(1, 6));
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(at(), QPoint(1, 5));
        QTest::keyClick(grid, Qt::Key_Up); // never onto the header row
        QCOMPARE(at(), QPoint(1, 5));
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(at(), QPoint(16, 5));
        // The last row was scrolled into view whole.
        QVERIFY(grid->cellRectPixels().bottom() < grid->height() - CMSFlexGrid::kBorder);
        QVERIFY(grid->cellRectPixels().top() >= grid->cellRectPixels(0, 0).bottom());
    }

    void enterAdvancesFromAnyWidgetInTheView()
    {
        CProgramDoc doc = newDocument();
        CProgramView view(doc);
        view.OnInitialUpdate();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        ChannelTable& t = view.table();
        auto at = [&] { return QPoint(t.row(), t.col()); };

        view.grid()->setFocus();
        QTest::keyClick(view.grid(), Qt::Key_Return);
        QCOMPARE(at(), QPoint(1, 2)); // hidden columns are not skipped

        // A widget created later inside the grid (as a cell editor is) passes Enter too.
        auto* editor = new QLineEdit(view.grid());
        editor->show();
        editor->setFocus();
        t.moveTo(1, 8);
        QTest::keyClick(editor, Qt::Key_Enter);
        QCOMPARE(at(), QPoint(2, 1));

        t.moveTo(16, 8);
        QStringList events;
        connect(view.grid(), &CMSFlexGrid::enterCell, &view,
                [&] { events << QString("%1,%2").arg(t.row()).arg(t.col()); });
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(at(), QPoint(1, 1));
        QCOMPARE(events, (QStringList{"1,8", "1,1"})); // row first, then column

        // With the grid disabled Enter still moves the current cell.
        processValues().radioVariant = 0;
        view.OnInitialUpdate();
        view.titleLabel()->setFocusPolicy(Qt::StrongFocus);
        view.titleLabel()->setFocus();
        QTest::keyClick(view.titleLabel(), Qt::Key_Return);
        QCOMPARE(at(), QPoint(1, 2));
    }

    void f1AsksForTheFocusedControlsTopic()
    {
        CProgramDoc doc = newDocument();
        CProgramView view(doc);
        view.OnInitialUpdate();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy help(&view, &CProgramView::helpRequested);
        // No manual lies beside this test: each request says so, answered at once.
        msgtest::setAutoAnswer(true);

        view.grid()->setFocus();
        QTest::keyClick(view.grid(), Qt::Key_F1);

        auto* editor = new QLineEdit(view.grid());
        setControlId(editor, 2127);
        editor->show();
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_F1);

        // A widget without an id of its own asks for its control's topic.
        auto* inner = new QLineEdit(editor);
        inner->show();
        inner->setFocus();
        QTest::keyClick(inner, Qt::Key_F1);

        QCOMPARE(help.size(), 3);
        QCOMPARE(help[0][0].toInt(), 1000);
        QCOMPARE(help[1][0].toInt(), 2127);
        QCOMPARE(help[2][0].toInt(), 2127);
        QCOMPARE(msgtest::takeShown().size(), 3);
        msgtest::setAutoAnswer(false);
    }

    void onlyEditsOfChannelCellsModifyTheDocument()
    {
        CProgramDoc doc = newDocument();
        CProgramView view(doc);
        QSignalSpy modified(&view, &CProgramView::documentModified);
        view.OnInitialUpdate();
        view.OnInitialUpdate();
        QCOMPARE(modified.size(), 0);
        // An edit taken from the editor is one change; hiding an editor or filling is none.
        view.table().moveTo(3, 1);
        view.cellEditors()->editBox(1)->setText("145");
        view.cellEditors()->editBox(1)->show();
        QVERIFY(view.commitCellEdit(false));
        QCOMPARE(modified.size(), 1);
        QCOMPARE(cellText(view, 3, 1), QString("145.00000"));
        view.hideCellEditors();
        view.fillTableFromDocument();
        QCOMPARE(modified.size(), 1);
        QVERIFY(doc.image.rxFrequency(3).has_value());
        QCOMPARE(*doc.image.rxFrequency(3), 14500000u);
        QVERIFY(!doc.image.txFrequency(3).has_value());
    }

    void documentFrameGetsIconAndShrinksToTheForm()
    {
        QMdiArea area;
        area.resize(1400, 900);
        area.show();
        CProgramDoc doc = newDocument();
        auto* view = new CProgramView(doc);
        QMdiSubWindow* frame = area.addSubWindow(view);
        frame->resize(1200, 800);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        const QString ico = dir_.filePath("title.ico");
        QFile::remove(ico);

        // No picture file: the frame keeps what it had, nothing is reported.
        const qint64 iconBefore = frame->windowIcon().cacheKey();
        view->OnInitialUpdate();
        QCOMPARE(frame->windowIcon().cacheKey(), iconBefore);
        QCOMPARE(view->size(), view->sizeHint());
        // The form's grid shows the header and all sixteen channels without scrolling.
        QVERIFY(view->grid()->cellRectPixels(16, 1).bottom() < view->grid()->height());

        // Never enlarged.
        frame->resize(300, 200);
        QImage picture(32, 32, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(ico, "ICO"));
        view->OnInitialUpdate();
        QCOMPARE(frame->size(), QSize(300, 200));
        QVERIFY(frame->windowIcon().cacheKey() != iconBefore);
        QVERIFY(frame->windowIcon().pixmap(32).toImage().pixelColor(16, 16) == QColor(Qt::red));
        QFile::remove(ico);
    }

    void screenshot()
    {
        // Set QX260_SHOT to a file name to get a picture of a view holding channels
        // (QX260_SHOT_LANGUAGE=Chinese for the Chinese one, QX260_SHOT_VARIANT for another radio).
        const QString file = qEnvironmentVariable("QX260_SHOT");
        if (file.isEmpty())
            QSKIP("QX260_SHOT not set");
        setLanguage(qEnvironmentVariable("QX260_SHOT_LANGUAGE") == "Chinese");
        if (qEnvironmentVariableIsSet("QX260_SHOT_VARIANT"))
            processValues().radioVariant = qEnvironmentVariableIntValue("QX260_SHOT_VARIANT");
        CProgramDoc doc = newDocument();
        const std::uint32_t freqs[] = {14512500, 14600000, 15001250, 13600000};
        for (int i = 0; i < 4; ++i)
            doc.image.setRxFrequency(i + 1, freqs[i]);
        CProgramView view(doc);
        view.OnInitialUpdate();
        view.resize(view.sizeHint());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.table().moveTo(2, 3);
        QVERIFY(view.grab().save(file));
    }
};

QTEST_MAIN(TestView)
#include "program_view_qtest.moc"
