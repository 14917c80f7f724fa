// The navigation bar (tree, close button, width drag), the Control Bar command, the channel
// window closed and shown again, and the tiled background of the client area. What the dialogs the tree opens
// do is editing_program_qtest's.

#include <QMdiSubWindow>
#include <QProxyStyle>
#include <QPushButton>
#include <QRubberBand>
#include <QToolTip>
#include <QTreeWidget>

#include "ShellFixture.h"
#include "res/ResourceIds.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CMDIClientWnd.h"
#include "windows/frame/CNavigatorBar.h"

using namespace qx260;
namespace id = qx260::resid;

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
    // File > Close and the window's close box hide the channel window; Channel Information
    // (menu, or the tree's entry by mouse or keyboard) shows it again; the root names nothing.
    void channelWindowHiddenAndShownAgain()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CMainFrame* frame = env.frame();
        QTreeWidget* tree = frame->navigatorBar()->tree();
        CChildFrame* child = env.active()->frame;

        frame->OnCommand(id::FileClose);
        QVERIFY(!child->isVisible());
        QCOMPARE(env.app->documents().size(), size_t(1));
        QVERIFY(frame->documentMenuShown());
        frame->OnCommand(id::ChannelInformation);
        QVERIFY(child->isVisible());
        QCOMPARE(frame->mdiClient()->activeSubWindow(), child);

        child->close();
        QVERIFY(!child->isVisible());
        QCOMPARE(env.app->documents().size(), size_t(1));
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

        child->close();
        clickItem(tree, tree->topLevelItem(0));
        QVERIFY(!child->isVisible());
    }

    void oneClickOpensOneDialog_data()
    {
        QTest::addColumn<int>("child");
        QTest::addColumn<bool>("singleClickActivates");
        QTest::newRow("Optional Features") << 2 << false;
        QTest::newRow("Optional Features, style activating on one click") << 2 << true;
        QTest::newRow("Product Information") << 0 << false;
    }
    void oneClickOpensOneDialog()
    {
        QFETCH(int, child);
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
        // Every dialog that comes up is counted and cancelled.
        QStringList opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened << d->metaObject()->className();
                d->reject();
            }
        });
        closer.start(10);
        clickItem(tree, entry(env.frame(), child));
        QTest::qWait(100);
        tree->setStyle(nullptr);
        QCOMPARE(opened, QStringList{child == 0 ? "qx260::CProductInfoDlg" : "qx260::COptionalFeaturesDlg"});
    }

    void closeButtonAndControlBarHideTheBar()
    {
        ShellFixture env;
        QVERIFY(env.start());
        CNavigatorBar* bar = env.frame()->navigatorBar();
        QAction* item = env.frame()->menuAction(true, id::ControlBar);
        env.frame()->updateCommandStates();
        QVERIFY(bar->isVisible() && item->isChecked());
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
        QVERIFY(!item->isChecked());
        // View > Control Bar shows it again, and hides it.
        env.frame()->OnCommand(id::ControlBar);
        QVERIFY(bar->isVisible() && item->isChecked());
        env.frame()->OnCommand(id::ControlBar);
        QVERIFY(!bar->isVisible() && !item->isChecked());
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
        // Without the file, the built-in picture.
        QVERIFY(env.start());
        QVERIFY(!env.frame()->mdiClient()->background().isNull());
        env.app.reset();
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
};

QTEST_MAIN(TestNavigator)
#include "navigator_qtest.moc"
