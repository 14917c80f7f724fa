// The navigation bar (tree, close button, width drag), the Control Bar command and the
// tiled background of the client area.

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QProxyStyle>
#include <QPushButton>
#include <QRubberBand>
#include <QToolTip>
#include <QTreeWidget>

#include "ShellFixture.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CMDIClientWnd.h"
#include "windows/frame/CNavigatorBar.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CProgramView.h"

using namespace qx260;

namespace
{

QTreeWidgetItem* entry(CMainFrame* frame, int child)
{
    return frame->navigatorBar()->tree()->topLevelItem(0)->child(child);
}

void clickItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    const QRect r = tree->visualItemRect(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class TestNavigator : public QObject
{
    Q_OBJECT
  private slots:
    void treeOpensWhatItNames()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CMainFrame* frame = env.frame();
        QTreeWidget* tree = frame->navigatorBar()->tree();
        CChildFrame* child = env.active()->frame;

        env.frame()->OnCommand(57602);
        QVERIFY(!child->isVisible());
        clickItem(tree, entry(frame, 1));
        QVERIFY(child->isVisible());
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0)); // root selected again

        // The same entry twice in a row acts twice.
        child->close();
        clickItem(tree, entry(frame, 1));
        QVERIFY(child->isVisible());

        // Keyboard: the activated entry counts, wherever the mouse pointer is.
        child->close();
        tree->setFocus();
        tree->setCurrentItem(entry(frame, 1));
        QVERIFY(!child->isVisible()); // moving the selection alone does nothing
        QTest::keyClick(tree, Qt::Key_Return);
        QVERIFY(child->isVisible());

        // The root names nothing.
        child->close();
        clickItem(tree, tree->topLevelItem(0));
        QVERIFY(!child->isVisible());
    }

    void oneClickOpensOneDialog_data()
    {
        QTest::addColumn<bool>("singleClickActivates");
        QTest::newRow("click") << false;
        QTest::newRow("click, style activating on one click") << true;
    }
    void oneClickOpensOneDialog()
    {
        QFETCH(bool, singleClickActivates);
        ShellFixture env;
        QVERIFY(env.start());
        QTreeWidget* tree = env.frame()->navigatorBar()->tree();
        class ActivatingStyle : public QProxyStyle
        {
          public:
            int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* data) const override
            {
                if (hint == SH_ItemView_ActivateItemOnSingleClick)
                    return 1;
                return QProxyStyle::styleHint(hint, option, widget, data);
            }
        };
        ActivatingStyle style;
        if (singleClickActivates)
            tree->setStyle(&style);
        // Every Optional Features dialog that comes up is counted and cancelled.
        int opened = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* d = qobject_cast<COptionalFeaturesDlg*>(QApplication::activeModalWidget())) {
                ++opened;
                d->cancelButton()->click();
            }
        });
        closer.start(10);
        clickItem(tree, entry(env.frame(), 2));
        QTest::qWait(100);
        tree->setStyle(nullptr);
        QCOMPARE(opened, 1);
    }

    void treeAndEditMenuOpenTheSettingsDialogs()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CMainFrame* frame = env.frame();
        CProgramApp::Document* doc = env.active();
        QVERIFY(!doc->doc->modified);

        // Product Information: a new band reaches the image, the view's limits and the caption.
        bool shown = false;
        onNextModal<CProductInfoDlg>([&](CProductInfoDlg* d) {
            shown = true;
            d->bandList()->setCurrentIndex(1);
            d->okButton()->click();
        });
        clickItem(frame->navigatorBar()->tree(), entry(frame, 0));
        QVERIFY(shown);
        QCOMPARE(int(doc->doc->image.byte(0x32F)), 1);
        QCOMPARE(doc->view->bandLimits().lower, 13600000);
        QCOMPARE(doc->view->bandLimits().upper, 17400000);
        QVERIFY(frame->windowTitle().contains(QStringLiteral("136 - 174MHz")));
        QVERIFY(doc->doc->modified);

        // Optional Features: OK with a change marks the document; Cancel leaves it alone.
        doc->doc->modified = false;
        const auto before = doc->doc->image.bytes();
        onNextModal<COptionalFeaturesDlg>([](COptionalFeaturesDlg* d) { d->cancelButton()->click(); });
        frame->OnCommand(32788);
        QVERIFY(doc->doc->image.bytes() == before);
        QVERIFY(!doc->doc->modified);
        onNextModal<COptionalFeaturesDlg>([](COptionalFeaturesDlg* d) {
            d->beepBox()->setChecked(!d->beepBox()->isChecked());
            d->okButton()->click();
        });
        clickItem(frame->navigatorBar()->tree(), entry(frame, 2));
        QVERIFY(doc->doc->image.bytes() != before);
        QVERIFY(doc->doc->modified);

        // Variant 0 (an unknown radio was read into this window): Optional Features does nothing.
        processValues().radioVariant = 0;
        doc->view->fillTableFromDocument();
        shown = false;
        onNextModal<COptionalFeaturesDlg>(
            [&](COptionalFeaturesDlg* d) {
                shown = true;
                d->cancelButton()->click();
            },
            20);
        frame->OnCommand(32788);
        QTest::qWait(300);
        QVERIFY(!shown);
        processValues().radioVariant = 1;
        doc->view->fillTableFromDocument();
    }

    void controlBarTogglesWithCheckMark()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CMainFrame* frame = env.frame();
        CNavigatorBar* bar = frame->navigatorBar();
        QAction* item = frame->menuAction(true, 32780);
        QVERIFY(item);
        frame->updateCommandStates();
        QVERIFY(bar->isVisible());
        QVERIFY(item->isChecked());
        frame->OnCommand(32780);
        QVERIFY(!bar->isVisible());
        QVERIFY(!item->isChecked());
        frame->OnCommand(32780);
        QVERIFY(bar->isVisible());
        QVERIFY(item->isChecked());
    }

    void closeButtonHidesOnlyWhenReleasedOverIt()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CNavigatorBar* bar = env.frame()->navigatorBar();
        QWidget* panel = bar->panel();
        const QPoint button = bar->closeRect().center();
        QVERIFY(panel->rect().contains(button));

        // Its tooltip, and none elsewhere on the bar.
        QHelpEvent overButton(QEvent::ToolTip, button, panel->mapToGlobal(button));
        QApplication::sendEvent(panel, &overButton);
        QCOMPARE(QToolTip::text(), QString("Close"));
        QHelpEvent elsewhere(QEvent::ToolTip, QPoint(20, 200), panel->mapToGlobal(QPoint(20, 200)));
        QApplication::sendEvent(panel, &elsewhere);
        QTRY_VERIFY(!QToolTip::isVisible());

        // Press on it, move off, release elsewhere: the bar stays.
        QTest::mousePress(panel, Qt::LeftButton, {}, button);
        QVERIFY(bar->closePressed());
        QTest::mouseMove(panel, QPoint(20, 200));
        QVERIFY(!bar->closePressed());
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(20, 200));
        QVERIFY(bar->isVisible());

        QTest::mouseClick(panel, Qt::LeftButton, {}, button);
        QVERIFY(!bar->isVisible());
        env.frame()->updateCommandStates();
        QVERIFY(!env.frame()->menuAction(true, 32780)->isChecked());
        env.frame()->OnCommand(32780);
        QVERIFY(bar->isVisible());
    }

    void widthDragStaysWithinLimits_data()
    {
        QTest::addColumn<int>("releaseAt"); // -1: far right
        QTest::addColumn<int>("expected");  // -1: half the main window
        QTest::newRow("narrower") << 150 << 150;
        QTest::newRow("too narrow") << 30 << 80;
        QTest::newRow("too wide") << -1 << -1;
    }
    void widthDragStaysWithinLimits()
    {
        QFETCH(int, releaseAt);
        QFETCH(int, expected);
        ShellFixture env;
        QVERIFY(env.start());
        CMainFrame* frame = env.frame();
        CNavigatorBar* bar = frame->navigatorBar();
        QWidget* panel = bar->panel();
        const int half = frame->width() / 2;
        if (releaseAt < 0)
            releaseAt = frame->width() + 500;
        if (expected < 0)
            expected = half;

        const QPoint start = bar->dragZone().center();
        QTest::mousePress(panel, Qt::LeftButton, {}, start);
        QVERIFY(bar->resizing());
        QTest::mouseMove(panel, QPoint(releaseAt, start.y()));
        // The tracking line is drawn where the new edge will be.
        auto* line = frame->findChild<QRubberBand*>();
        QVERIFY(line && line->isVisible());
        QCOMPARE(line->geometry().left() + line->geometry().width() / 2,
                 panel->mapTo(frame, QPoint(expected, 0)).x());
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(releaseAt, start.y()));
        QVERIFY(!bar->resizing());
        QVERIFY(!line->isVisible());
        QCOMPARE(bar->barWidth(), expected);
        QTRY_COMPARE(bar->width(), expected);
    }

    void backgroundIsTiledFromTheTopLeft()
    {
        ShellFixture env({}, {"background.bmp"});
        // A 100 x 100 picture, each quarter in its own colour.
        QImage picture(100, 100, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (x >= 50 || y >= 50)
                    picture.setPixel(x, y, qRgb(x >= 50 ? 0 : 255, 0, y >= 50 ? 255 : 0));
        QVERIFY(picture.save(env.path("background.bmp"), "BMP"));
        QVERIFY(env.start());
        CMDIClientWnd* client = env.frame()->mdiClient();
        QCOMPARE(client->background().size(), QSize(100, 100));
        env.active()->frame->hide();
        client->resize(250 + client->width() - client->viewport()->width(),
                       120 + client->height() - client->viewport()->height());
        const QImage shot = client->viewport()->grab().toImage();
        for (const QPoint p :
             {QPoint(5, 5), QPoint(105, 5), QPoint(205, 105), QPoint(160, 60), QPoint(249, 119)})
            QCOMPARE(shot.pixelColor(p), picture.pixelColor(p.x() % 100, p.y() % 100));
    }

    void missingBackgroundFallsBackToTheBuiltInPicture()
    {
        ShellFixture env({}, {"background.bmp"});
        QVERIFY(env.start());
        QVERIFY(!env.frame()->mdiClient()->background().isNull());
    }
};

QTEST_MAIN(TestNavigator)
#include "navigator_qtest.moc"
