// Message boxes, dialog units.

#include <QApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "windows/common/DialogUnits.h"
#include "windows/common/MessageBox.h"

using namespace qx260;

class TestWindowUtils : public QObject
{
    Q_OBJECT
  private slots:
    void init()
    {
        msgtest::reset();
        msgtest::setAutoAnswer(false);
    }

    void queuedAnswersAreUsedInOrderAndRecorded()
    {
        msgtest::answerNext(QMessageBox::Cancel);
        msgtest::answerNext(QMessageBox::No);
        QCOMPARE(showMessage(nullptr, "Program", "All data will be Cleared!",
                             QMessageBox::Ok | QMessageBox::Cancel),
                 QMessageBox::Cancel);
        QCOMPARE(showMessage(nullptr, "Cap", "Save?",
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, MsgIcon::Question),
                 QMessageBox::No);
        const auto shown = msgtest::takeShown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].caption, QString("Program"));
        QCOMPARE(shown[0].text, QString("All data will be Cleared!"));
        QCOMPARE(shown[1].icon, MsgIcon::Question);
        QVERIFY(msgtest::takeShown().isEmpty());
    }

    void autoAnswerGivesTheDefaultButton_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok") << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("ok/cancel") << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Ok);
        QTest::newRow("yes/no/cancel")
            << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << int(QMessageBox::Yes);
        QTest::newRow("retry/cancel")
            << int(QMessageBox::Retry | QMessageBox::Cancel) << int(QMessageBox::Retry);
        QTest::newRow("none means ok") << int(QMessageBox::NoButton) << int(QMessageBox::Ok);
    }
    void autoAnswerGivesTheDefaultButton()
    {
        QFETCH(int, buttons);
        QFETCH(int, expected);
        msgtest::setAutoAnswer(true);
        QCOMPARE(int(showMessage(nullptr, "c", "t", QMessageBox::StandardButtons(buttons))), expected);
        QCOMPARE(msgtest::takeShown().size(), 1);
    }

    void queuedAnswerWinsOverAutoAnswer()
    {
        msgtest::setAutoAnswer(true);
        msgtest::answerNext(QMessageBox::Cancel);
        QCOMPARE(showMessage(nullptr, "c", "t", QMessageBox::Ok | QMessageBox::Cancel), QMessageBox::Cancel);
        QCOMPARE(showMessage(nullptr, "c", "t", QMessageBox::Ok | QMessageBox::Cancel), QMessageBox::Ok);
    }

    // A real box: closing it with Esc gives the escape button, not a made-up value.
    void realBoxClosedWithEscapeGivesCancel()
    {
        QString seenText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenText = box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(showMessage(nullptr, "c", "<b>not html</b>", QMessageBox::Ok | QMessageBox::Cancel),
                 QMessageBox::Cancel);
        QCOMPARE(seenText, QString("<b>not html</b>"));
    }

    void realBoxReturnsTheClickedButton()
    {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(showMessage(nullptr, "c", "t", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
                 QMessageBox::No);
    }

    void dialogUnitsFollowTheFontsBaseUnits()
    {
        const QFont font = dialogFont("Times New Roman", 9);
        const QSize base = dialogBaseUnits(font);
        QVERIFY(base.width() > 0 && base.height() > 0);
        QCOMPARE(base.height(), QFontMetrics(font).height());

        // 4 horizontal units are one average character, 8 vertical units one line.
        QCOMPARE(dialogUnitsToPixels(font, QSize(4, 8)), base);
        QCOMPARE(dialogUnitsToPixels(font, QSize(400, 800)), QSize(base.width() * 100, base.height() * 100));
        QCOMPARE(dialogUnitsToPixels(font, QPoint(8, 16)), QPoint(base.width() * 2, base.height() * 2));

        // A bigger font gives bigger dialogs.
        const QSize big = dialogUnitsToPixels(dialogFont("Times New Roman", 18), QSize(231, 67));
        const QSize small = dialogUnitsToPixels(font, QSize(231, 67));
        QVERIFY(big.width() > small.width() && big.height() > small.height());
    }

    void neighbouringRectanglesStillTouch()
    {
        const QFont font = dialogFont("Times New Roman", 9);
        for (int x = 0; x < 40; ++x) {
            const QRect a = dialogUnitsToPixels(font, QRect(x, x, 3, 5));
            const QRect b = dialogUnitsToPixels(font, QRect(x + 3, x + 5, 7, 7));
            QCOMPARE(a.x() + a.width(), b.x());
            QCOMPARE(a.y() + a.height(), b.y());
        }
        QCOMPARE(dialogUnitsToPixels(font, QRect(0, 0, 0, 0)), QRect(0, 0, 0, 0));
    }
};

QTEST_MAIN(TestWindowUtils)
#include "window_utils_qtest.moc"
