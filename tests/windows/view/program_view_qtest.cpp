// The channel window: its set-up and each refill, the columns the grid draws per radio
// variant, cell moves by mouse and keyboard, Enter and F1 anywhere in the view, and its
// document frame. The layout and the texts it shows are the core's rows.

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "tests/windows/view/ViewTestSetup.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CellEditors.h"

using namespace qx260;
using test::cellCentre;
using test::ShownView;

namespace
{
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
        setLanguage(false);
        processValues().radioVariant = 1;
        captions_.clear();
    }

    // The first initial update sets the view up; each one refills it from the document,
    // with the band of the document, and hands the main window its caption.
    void setUpOnceRefilledEachTime_data()
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

    void setUpOnceRefilledEachTime()
    {
        QFETCH(bool, chinese);
        QFETCH(QStringList, headers);
        QFETCH(QString, title);
        QFETCH(QString, firstTone);
        setLanguage(chinese);
        ShownView w;
        CProgramView& view = w.view;
        w.doc.image.setRxFrequency(1, 14512500);
        QVERIFY(view.firstSetUp());
        view.OnInitialUpdate();
        QVERIFY(!view.firstSetUp());

        for (int c = 0; c < 9; ++c)
            QCOMPARE(cellText(view, 0, c), headers[c]);
        QCOMPARE(view.titleLabel()->text(), title);
        QCOMPARE(QString::fromStdString(view.toneList().front()), firstTone);
        for (int r = 1; r <= 16; ++r)
            QCOMPARE(cellText(view, r, 0), QString::asprintf("%2d", r));
        QCOMPARE(cellText(view, 1, 1), QString("145.12500"));
        QCOMPARE(captions_.size(), 1);

        // Again, for a document of the first type's second band and another radio variant.
        view.table().setTextMatrix(0, 1, "changed header");
        view.table().setTextMatrix(1, 1, "150.00000");
        w.doc.newDocumentFlag = false;
        w.doc.image.setByte(offset::ProductType, 0);
        w.doc.image.setByte(offset::BandIndex, 1);
        processValues().radioVariant = 2;
        view.OnInitialUpdate();
        QCOMPARE(cellText(view, 0, 1), QString("changed header")); // set-up ran once
        QCOMPARE(cellText(view, 1, 1), QString(""));               // refilled: variant 2 hides Rx
        QCOMPARE(view.bandLimits().lower, 13600000);
        QCOMPARE(view.bandLimits().upper, 17400000);
        QCOMPARE(captions_.size(), 2);
        QVERIFY(captions_.last().contains("136 - 174MHz"));
    }

    void gridDrawsTheColumnsOfTheVariant_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QList<int>>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("receive side") << 1 << QList<int>{0, 1, 3, 5, 6} << true;
        QTest::newRow("transmit side") << 2 << QList<int>{0, 2, 4, 5} << true;
        QTest::newRow("other radio") << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6} << false;
    }

    void gridDrawsTheColumnsOfTheVariant()
    {
        QFETCH(int, variant);
        QFETCH(QList<int>, visible);
        QFETCH(bool, enabled);
        processValues().radioVariant = variant;
        ShownView w;
        w.view.OnInitialUpdate();
        CMSFlexGrid* grid = w.view.grid();
        for (int c = 0; c < 9; ++c)
            QCOMPARE(grid->cellRectPixels(0, c).width() > 0, visible.contains(c));
        QCOMPARE(grid->isEnabled(), enabled);

        // Every channel can be scrolled into sight, also when the grid takes no input.
        w.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.view));
        auto* bar = w.view.findChild<QScrollBar*>("gridScrollBar");
        QVERIFY(bar);
        if (bar->isVisible()) {
            QVERIFY(bar->isEnabled());
            bar->setValue(bar->maximum());
        }
        QVERIFY(grid->cellRectPixels(16, 0).bottom() < grid->height() - CMSFlexGrid::kBorder);
    }

    void clickMovesTheCurrentCellWithLeaveThenEnter()
    {
        ShownView w;
        QVERIFY(w.show());
        CProgramView& view = w.view;
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

    // Arrows and Tab skip the columns the variant hides and stay off the header row; Enter
    // moves on from any widget in the view (one made later inside the grid, as a cell
    // editor is; the form while the grid takes no input), hidden columns included.
    void keysMoveTheCurrentCell_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("from"); // grid, editor (made inside the grid), title, view
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QPoint>("end");
        const int right = Qt::Key_Right;
        QTest::newRow("Right skips hidden columns")
            << 1 << "grid" << QPoint(1, 1) << QList<int>{right} << QPoint(1, 3);
        QTest::newRow("Right stops at the last shown column")
            << 1 << "grid" << QPoint(1, 1) << QList<int>{right, right, right, right} << QPoint(1, 6);
        QTest::newRow("Tab wraps to the next row")
            << 1 << "grid" << QPoint(1, 6) << QList<int>{Qt::Key_Tab} << QPoint(2, 1);
        QTest::newRow("Backtab wraps back")
            << 1 << "grid" << QPoint(2, 1) << QList<int>{Qt::Key_Backtab} << QPoint(1, 6);
        QTest::newRow("Left") << 1 << "grid" << QPoint(1, 6) << QList<int>{Qt::Key_Left} << QPoint(1, 5);
        QTest::newRow("never onto the header row")
            << 1 << "grid" << QPoint(1, 5) << QList<int>{Qt::Key_Up} << QPoint(1, 5);
        QTest::newRow("down to the last row, scrolled into view")
            << 1 << "grid" << QPoint(1, 5) << QList<int>(20, Qt::Key_Down) << QPoint(16, 5);
        QTest::newRow("Enter in the grid")
            << 1 << "grid" << QPoint(1, 1) << QList<int>{Qt::Key_Return} << QPoint(1, 2);
        QTest::newRow("Enter in a widget inside the grid")
            << 1 << "editor" << QPoint(1, 8) << QList<int>{Qt::Key_Enter} << QPoint(2, 1);
        QTest::newRow("Enter on the last cell")
            << 1 << "editor" << QPoint(16, 8) << QList<int>{Qt::Key_Return} << QPoint(1, 1);
        QTest::newRow("Enter on the title, grid disabled")
            << 0 << "title" << QPoint(1, 1) << QList<int>{Qt::Key_Return} << QPoint(1, 2);
        QTest::newRow("Enter on the form, grid disabled")
            << 0 << "view" << QPoint(2, 1) << QList<int>{Qt::Key_Return} << QPoint(2, 2);
    }

    void keysMoveTheCurrentCell()
    {
        QFETCH(int, variant);
        QFETCH(QString, from);
        QFETCH(QPoint, start);
        QFETCH(QList<int>, keys);
        QFETCH(QPoint, end);
        processValues().radioVariant = variant;
        ShownView w;
        QVERIFY(w.show());
        CProgramView& view = w.view;
        CMSFlexGrid* grid = view.grid();
        QWidget* target = grid;
        if (from == "editor") {
            target = new QLineEdit(grid);
            target->show();
        } else if (from == "title") {
            target = view.titleLabel();
            target->setFocusPolicy(Qt::StrongFocus);
        } else if (from == "view") {
            target = &view; // the key goes to the form itself, wherever the focus is
        }
        if (from != "view")
            target->setFocus();
        // While the grid takes no input no editor opens, on any cell.
        const auto noEditorOpen = [&] {
            for (int col = 1; col <= 8; ++col)
                if (!view.cellEditors()->editorForColumn(col)->isHidden())
                    return false;
            return true;
        };
        view.table().moveTo(start.x(), start.y());
        QVERIFY(variant != 0 || noEditorOpen());
        for (int key : keys)
            QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(QPoint(view.table().row(), view.table().col()), end);
        QVERIFY(variant != 0 || noEditorOpen());
        if (end.x() == 16) { // the last row was scrolled into view whole
            QVERIFY(grid->cellRectPixels().bottom() < grid->height() - CMSFlexGrid::kBorder);
            QVERIFY(grid->cellRectPixels().top() >= grid->cellRectPixels(0, 0).bottom());
        }
    }

    void f1AsksForTheFocusedControlsTopic()
    {
        ShownView w;
        QVERIFY(w.show());
        CProgramView& view = w.view;
        QSignalSpy help(&view, &CProgramView::helpRequested);
        // No manual lies beside this test: each request says so, answered at once.
        msgtest::setAutoAnswer(true);

        view.grid()->setFocus();
        QTest::keyClick(view.grid(), Qt::Key_F1);
        auto* editor = new QLineEdit(view.grid());
        setControlId(editor, 2127);
        // A widget without an id of its own asks for its control's topic.
        auto* inner = new QLineEdit(editor);
        for (QLineEdit* box : {editor, inner}) {
            box->show();
            box->setFocus();
            QTest::keyClick(box, Qt::Key_F1);
        }

        QCOMPARE(help.size(), 3);
        QCOMPARE(help[0][0].toInt(), 1000);
        QCOMPARE(help[1][0].toInt(), 2127);
        QCOMPARE(help[2][0].toInt(), 2127);
        QCOMPARE(msgtest::takeShown().size(), 3);
        msgtest::setAutoAnswer(false);
    }

    void documentFrameGetsIconAndShrinksToTheForm()
    {
        QMdiArea area;
        area.resize(1400, 900);
        area.show();
        CProgramDoc doc;
        doc.image = RadioImage::newImage();
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
        ShownView w;
        const std::uint32_t freqs[] = {14512500, 14600000, 15001250, 13600000};
        for (int i = 0; i < 4; ++i)
            w.doc.image.setRxFrequency(i + 1, freqs[i]);
        QVERIFY(w.show());
        w.view.table().moveTo(2, 3);
        QVERIFY(w.view.grab().save(file));
    }
};

QTEST_MAIN(TestView)
#include "program_view_qtest.moc"
