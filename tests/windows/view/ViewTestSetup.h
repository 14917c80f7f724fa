#pragma once
// What the channel-window tests share: a Program.ini of their own loaded into the
// process-wide values beside an in-memory user store, the English language module, a
// channel window of a document (alone at the form's size, or in an MDI area as the main
// window holds it), what a row of it shows and where a click on a cell lands, acting in a
// modal dialog from inside its exec(), and pictures of a widget for a person to look at.

#include <QDialog>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPoint>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "tests/support/BuildPaths.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"

namespace qx260::test
{

// Two product types (the first with two bands) and the window's texts in both languages.
inline const char* const kViewIni = "[Setup]\n"
                                    "Language=English\n"
                                    "AppName=QX-260 Programmer\n"
                                    "Type1=QX-260\n"
                                    "Field1=130 - 160MHz|136 - 174MHz\n"
                                    "Type2=QX-260L\n"
                                    "Field2=136 - 150MHz|150 - 174MHz\n"
                                    "[English]\n"
                                    "AppName=QX-260 Programming Software\n"
                                    "Title=QX-260 Channel Table\n"
                                    "[Chinese]\n"
                                    "AppName=QX-260 写频软件\n"
                                    "Title=QX-260 信道表\n";

// Writes `ini` as Program.ini into `dir` and makes it the program's configuration, with
// `store` as the user store and `dir` as the program's folder. False when any step failed.
inline bool useTestConfiguration(const QTemporaryDir& dir, UserStore& store, const char* ini = kViewIni)
{
    const QString path = dir.filePath("Program.ini");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(ini) < 0)
        return false;
    f.close();
    ProcessValues& pv = processValues();
    if (!pv.configurationStore.Load(path.toStdString(), false, true).ok())
        return false;
    pv.userStore = &store;
    pv.executableDirectory = (dir.path() + "/").toStdString();
    return true;
}

// The English language module beside the programs (the transfers' texts), with the
// per-user settings file of the platform's store inside `dir`.
inline bool useLanguageModule(const QTemporaryDir& dir)
{
    qputenv("QX260_SETTINGS", dir.filePath("settings.ini").toUtf8());
    QString error;
    const bool loaded = loadResourceLibrary(
        languageModulePath(qx260::testpaths::binDir() + QStringLiteral("/"), "English"), &error);
    if (!loaded)
        qWarning("%s", qPrintable(error));
    return loaded;
}

// A new document's channel window on its own; show() sets it up and shows it at the
// form's size.
struct ShownView {
    CProgramDoc doc;
    CProgramView view{doc};

    ShownView() { doc.image = RadioImage::newImage(); }
    bool show()
    {
        view.OnInitialUpdate();
        view.resize(view.sizeHint());
        view.show();
        return QTest::qWaitForWindowExposed(&view);
    }
};

// A document window inside an MDI area, as the main window holds it, set up.
struct ChannelWindow {
    CProgramDoc doc;
    QMdiArea area;
    CProgramView* view = nullptr;
    QMdiSubWindow* frame = nullptr;

    explicit ChannelWindow(const RadioImage& image = RadioImage::newImage(), bool newDocument = false)
    {
        doc.image = image;
        doc.newDocumentFlag = newDocument;
        view = new CProgramView(doc);
        frame = area.addSubWindow(view);
        area.resize(900, 600);
        area.show();
        frame->show();
        view->OnInitialUpdate();
    }
};

// Where a click on cell (r, c) lands.
inline QPoint cellCentre(CMSFlexGrid* grid, int r, int c)
{
    return grid->cellRectPixels(r, c).center();
}

// The texts of channel row r, columns 1 to 8.
inline QStringList rowTexts(CProgramView& view, int r)
{
    QStringList texts;
    for (int c = 1; c <= 8; ++c)
        texts << QString::fromStdString(view.table().textMatrix(r, c));
    return texts;
}

// Runs `act` once the modal dialog is up (exec() blocks until it closes). A failed check
// inside `act` returns early: the dialog is then cancelled so the test cannot hang.
inline void whenShown(QDialog& dialog, std::function<void()> act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("dialog not active");
        act();
        if (dialog.isVisible())
            dialog.reject();
    });
}

// With QX260_SCREENSHOT_DIR or QX260_SHOT_DIR set, keeps a picture of the widget there.
inline void snapshot(QWidget* widget, const QString& name)
{
    for (const char* variable : {"QX260_SCREENSHOT_DIR", "QX260_SHOT_DIR"})
        if (const QString dir = qEnvironmentVariable(variable); !dir.isEmpty())
            widget->grab().save(dir + "/" + name + ".png");
}

} // namespace qx260::test
