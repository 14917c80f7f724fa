// The built-in pictures and the picture files beside the executable.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "res/ResourceIds.h"
#include "windows/common/Pictures.h"

using namespace qx260;

class TestPictures : public QObject
{
    Q_OBJECT
  private slots:
    void builtInPicturesHaveTheirSizes()
    {
        for (int command : {resid::FileNew, resid::FileOpen, resid::FileSave, resid::Read, resid::Write,
                            resid::FilePrint, resid::AppAbout}) {
            const QPixmap button = toolbarButtonImage(command);
            QCOMPARE(button.size(), QSize(18, 19));
        }
        QVERIFY(toolbarButtonImage(resid::Language).isNull());

        QVERIFY(!builtinIcon(131).isNull());
        QCOMPARE(builtinIcon(131).availableSizes(), QList<QSize>{QSize(16, 16)});
        QCOMPARE(builtinIcon(128).availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
        QVERIFY(builtinIcon(4242).isNull());

        QVERIFY(!builtinBitmap(137).isNull());
        QVERIFY(builtinBitmap(128).isNull());
        QCOMPARE(sizingCursor().pixmap().size(), QSize(32, 32));
    }

    void filesBesideTheExecutableAreLaidOut()
    {
        const QString bin = QStringLiteral(QX260_BIN_DIR "/");
        const QIcon icon = titleIcon(bin);
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QCOMPARE(backgroundPicture(bin).size(), builtinBitmap(137).size());
    }

    void aPictureFileTakesThePlaceOfTheBuiltInOne()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + "/";
        QImage tile(100, 100, QImage::Format_RGB888);
        tile.fill(Qt::red);
        QVERIFY(tile.save(folder + "background.bmp", "BMP"));
        QCOMPARE(backgroundPicture(folder).size(), QSize(100, 100));
    }

    void missingOrBrokenFilesFallBack()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + "/";
        QVERIFY(titleIcon(folder).isNull());
        QCOMPARE(backgroundPicture(folder).size(), builtinBitmap(137).size());

        for (const char* name : {"title.ico", "background.bmp"}) {
            QFile broken(folder + name);
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("this is not a picture");
        }
        QVERIFY(titleIcon(folder).isNull());
        QCOMPARE(backgroundPicture(folder).size(), builtinBitmap(137).size());
    }
};

QTEST_MAIN(TestPictures)
#include "pictures_qtest.moc"
