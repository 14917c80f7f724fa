// The pictures of the user manual, made from the real windows: the whole program started
// in-process with the simulated radio on COM1, driven as doc/manual/images.txt describes,
// and each window grabbed into the build's manual (manual/<language>/images/NAME-<language>.png).
// Offscreen there is no desktop frame: a picture shows a window's contents. Each picture
// is checked for what images.txt says it shows before it is taken.

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "ProgramDriving.h"
#include "core/config/ProcessValues.h"
#include "res/ResourceIds.h"
#include "tests/support/BuildPaths.h"
#include "tests/support/SimRadio.h"
#include "windows/frame/CAboutDlg.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CLanguageDlg.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CPortSettingDlg.h"
#include "windows/view/CProcessDlg.h"

using namespace qx260;
using qx260::test::SimRadio;

namespace
{

constexpr int kPatience = 20000;

class Pictures
{
  public:
    explicit Pictures(const QString& language)
        : language_(language),
          dir_(qx260::testpaths::manualDir() + QStringLiteral("/") + language + QStringLiteral("/images"))
    {
        QDir().mkpath(dir_.path());
    }

    // Saves the picture as NAME-<language>.png; false when it is empty or cannot be written.
    bool save(const QPixmap& picture, const QString& name)
    {
        const QString file = dir_.filePath(name + QLatin1Char('-') + language_ + QStringLiteral(".png"));
        const bool saved =
            !picture.isNull() && picture.width() > 50 && picture.height() > 50 && picture.save(file);
        if (saved)
            made_ << QFileInfo(file).fileName();
        return saved;
    }
    const QStringList& made() const { return made_; }

  private:
    QString language_;
    QDir dir_;
    QStringList made_;
};

// A window with its open pop-up (a dropped-down list) drawn over it where it stands.
QPixmap withPopup(QWidget* window, QWidget* popup)
{
    const QPixmap base = window->grab();
    const QPixmap top = popup->grab();
    const QRect popupRect(popup->mapToGlobal(QPoint()) - window->mapToGlobal(QPoint()), top.size());
    const QRect all = QRect(QPoint(), base.size()).united(popupRect);
    QPixmap picture(all.size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(-all.topLeft(), base);
    painter.drawPixmap(popupRect.topLeft() - all.topLeft(), top);
    return picture;
}

// Runs command and grabs the modal dialog it opens; close then closes the dialog.
template <typename Dialog>
QPixmap grabDialog(ShellFixture& env, int command, const std::function<void(Dialog*)>& close)
{
    QPixmap picture;
    onNextModal<Dialog>([&](Dialog* dialog) {
        QApplication::processEvents();
        picture = dialog->grab();
        close(dialog);
    });
    env.frame()->OnCommand(command);
    return picture;
}

CProcessDlg* processWindow(ShellFixture& env)
{
    return env.active()->view->processDialog();
}

// Program > Read from the radio on COM1 to its end; the Process window is handed to
// beforeOk first, while it waits for OK.
void readRadio(ShellFixture& env, const SimRadio& radio,
               const std::function<void(CProcessDlg*)>& beforeOk = {})
{
    qputenv("QX260_PORT_COM1", radio.device().toUtf8());
    env.frame()->OnCommand(resid::Read);
    CProcessDlg* dialog = processWindow(env);
    QVERIFY(dialog && dialog->windowExists());
    QApplication::processEvents();
    if (beforeOk)
        beforeOk(dialog);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->windowExists(), kPatience);
    // The main window takes the keyboard back from the closed Process window.
    activate(env.frame());
}

// The sample document: read from the radio, channel 1 decoding 67.0, a channel 4 added.
void makeSampleDocument(ShellFixture& env, const SimRadio& radio, Pictures& pictures)
{
    readRadio(env, radio,
              [&](CProcessDlg* dialog) { QVERIFY(pictures.save(dialog->grab(), "process-read")); });
    QVERIFY(msgtest::takeShown().isEmpty());
    CProgramView* view = env.active()->view;
    CMSFlexGrid* grid = view->grid();
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier,
                      grid->cellRectPixels(1, column::DecodeTone).center());
    QComboBox* decode = view->cellEditors()->listBox(column::DecodeTone);
    QVERIFY(decode && !decode->isHidden());
    decode->setCurrentIndex(decode->findText(QStringLiteral("67.0")));
    QTest::keyClick(decode, Qt::Key_Return);
    activate(env.frame());
    QLineEdit* edit = typeInto(view, 4, column::RxFrequency, QStringLiteral("145.3125"));
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(view->table().textMatrix(1, column::DecodeTone), std::string("67.0"));
    QCOMPARE(view->table().textMatrix(4, column::RxFrequency), std::string("145.31250"));
    // Leave the table with no editor open.
    QTest::keyClick(keyboardWidget(view), Qt::Key_Escape);
    grid->setFocus();
}

} // namespace

class TestManualPictures : public QObject
{
    Q_OBJECT
  private slots:
    void cleanup() { qunsetenv("QX260_PORT_COM1"); }

    void picturesOfTheManual_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::newRow("en") << false;
        QTest::newRow("zh") << true;
    }

    void picturesOfTheManual()
    {
        QFETCH(bool, chinese);
        Pictures pictures(chinese ? QStringLiteral("zh") : QStringLiteral("en"));
        ShellFixture env(chinese ? useChinese : std::function<void(QString&)>());
        SimRadio radio({});
        QVERIFY(!radio.device().isEmpty());
        QVERIFY(startProgram(env));
        env.frame()->resize(1280, 800);
        env.frame()->showNormal();
        env.frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(env.frame()));

        makeSampleDocument(env, radio, pictures);
        if (QTest::currentTestFailed())
            return;
        CProgramView* view = env.active()->view;
        CChildFrame* channelWindow = env.active()->frame;
        QVERIFY(pictures.save(env.frame()->grab(), "main-window"));

        // The QT/DQT Dec list of channel 2, dropped down.
        CMSFlexGrid* grid = view->grid();
        QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier,
                          grid->cellRectPixels(2, column::DecodeTone).center());
        QComboBox* decode = view->cellEditors()->listBox(column::DecodeTone);
        QVERIFY(decode && !decode->isHidden());
        decode->showPopup();
        QWidget* popup = decode->view()->window();
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QVERIFY(pictures.save(withPopup(channelWindow, popup), "tone-list"));
        decode->hidePopup();
        QTest::keyClick(decode, Qt::Key_Escape);

        const auto cancel = [](auto* dialog) { dialog->cancelButton()->click(); };
        QVERIFY(pictures.save(grabDialog<COptionalFeaturesDlg>(env, resid::OptionalFeatures, cancel),
                              "optional-features-variant1"));
        QVERIFY(pictures.save(grabDialog<CProductInfoDlg>(env, resid::ProductInformation, cancel),
                              "product-information"));
        QVERIFY(pictures.save(grabDialog<CLanguageDlg>(env, resid::Language, cancel), "language"));
        QVERIFY(pictures.save(grabDialog<CAboutDlg>(env, resid::AppAbout, [](CAboutDlg* d) { d->reject(); }),
                              "about"));
        QVERIFY(pictures.save(grabDialog<CPortSettingDlg>(env, resid::ComSetup,
                                                          [](CPortSettingDlg* d) {
                                                              QVERIFY(d->portButton(1)->isEnabled());
                                                              QVERIFY(d->portButton(1)->isChecked());
                                                              d->reject();
                                                          }),
                              "port-setting"));
        QPixmap preview;
        onNextModal<QPrintPreviewDialog>(
            [&](QPrintPreviewDialog* dialog) {
                dialog->resize(1000, 760);
                QTest::qWait(200); // the pages are laid out and drawn
                preview = dialog->grab();
                dialog->reject();
            },
            kPatience / 10);
        env.frame()->OnCommand(resid::FilePrintPreview);
        QVERIFY(pictures.save(preview, "print-preview"));

        // An Rx Frequency typed into channel 5, not yet taken.
        activate(env.frame());
        QLineEdit* edit = typeInto(view, 5, column::RxFrequency, QStringLiteral("146.0125"));
        QVERIFY(edit);
        QVERIFY(pictures.save(channelWindow->grab(), "cell-editing"));
        QTest::keyClick(edit, Qt::Key_Escape);

        // A Read about half-way, from a radio as slow as a real one.
        {
            SimRadio paced({"--pace", "9600"});
            QPixmap running;
            QMetaObject::Connection halfWay;
            readRadio(env, paced, [&](CProcessDlg* dialog) {
                halfWay = connect(dialog->progressBar(), &QProgressBar::valueChanged, dialog,
                                  [&running, dialog](int value) {
                                      if (value == 25 && running.isNull())
                                          running = dialog->grab();
                                  });
            });
            disconnect(halfWay);
            QVERIFY(pictures.save(running, "process-running"));
        }

        // A radio that never answers: the Communication Error message, shown for real.
        {
            SimRadio silent({"--silent"});
            msgtest::setAutoAnswer(false);
            QPixmap box;
            onNextModal<QMessageBox>(
                [&](QMessageBox* message) {
                    box = message->grab();
                    message->button(QMessageBox::Cancel)->click();
                },
                kPatience / 10);
            readRadio(env, silent);
            msgtest::setAutoAnswer(true);
            QVERIFY(pictures.save(box, "communication-error"));
        }

        // A radio of variant 2: the transmit side.
        {
            SimRadio variant2({"--variant-byte", "F5"});
            readRadio(env, variant2);
            QCOMPARE(processValues().radioVariant, 2);
            QVERIFY(pictures.save(channelWindow->grab(), "channel-table-variant2"));
            QVERIFY(pictures.save(grabDialog<COptionalFeaturesDlg>(env, resid::OptionalFeatures, cancel),
                                  "optional-features-variant2"));
        }
        QCOMPARE(pictures.made().size(), 14);
    }
};

QTEST_MAIN(TestManualPictures)
#include "manual_pictures_qtest.moc"
