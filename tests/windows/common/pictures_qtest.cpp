// The built-in pictures and the picture files beside the executable.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "res/ResourceIds.h"
#include "tests/support/BuildPaths.h"
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

    // The title icon and the background picture from a folder's files: those the build lays
    // out beside the executable, a picture of the user's own, and the built-in pictures in
    // place of a file that is missing or no picture.
    void pictureFilesOfAFolder_data()
    {
        QTest::addColumn<QString>("files");    // bin: the build's folder; own, missing, broken
        QTest::addColumn<bool>("icon");        // a title icon of 16 and 32 pixels
        QTest::addColumn<QSize>("background"); // empty: the built-in picture's size
        QTest::newRow("beside the executable") << "bin" << true << QSize();
        QTest::newRow("a background of its own") << "own" << false << QSize(100, 100);
        QTest::newRow("missing") << "missing" << false << QSize();
        QTest::newRow("broken") << "broken" << false << QSize();
    }
    void pictureFilesOfAFolder()
    {
        QFETCH(QString, files);
        QFETCH(bool, icon);
        QFETCH(QSize, background);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder =
            files == "bin" ? qx260::testpaths::binDir() + QStringLiteral("/") : dir.path() + "/";
        if (files == "own") {
            QImage tile(100, 100, QImage::Format_RGB888);
            tile.fill(Qt::red);
            QVERIFY(tile.save(folder + "background.bmp", "BMP"));
        }
        for (const char* name : {"title.ico", "background.bmp"}) {
            QFile broken(folder + name);
            if (files == "broken")
                QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("this is not a picture") > 0);
        }
        const QIcon title = titleIcon(folder);
        QCOMPARE(!title.isNull(), icon);
        if (icon) {
            QVERIFY(title.availableSizes().contains(QSize(32, 32)));
            QVERIFY(title.availableSizes().contains(QSize(16, 16)));
        }
        QCOMPARE(backgroundPicture(folder).size(),
                 background.isValid() ? background : builtinBitmap(137).size());
    }
};

QTEST_MAIN(TestPictures)
#include "pictures_qtest.moc"
