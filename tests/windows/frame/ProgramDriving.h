#pragma once
// Driving the running program's channel window as a user does: start it, click a cell and
// type, read a row back, see what a save would write.

#include <QLineEdit>
#include <QStringList>

#include "ShellFixture.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"
#include "windows/view/CellEditors.h"

// The program started, its main window active, the new document's view at hand.
inline CProgramView* startProgram(ShellFixture& env)
{
    if (!env.start())
        return nullptr;
    env.frame()->activateWindow();
    if (!QTest::qWaitForWindowActive(env.frame()))
        return nullptr;
    return env.active()->view;
}

// Texts of columns 1 to 8 of a row.
inline QStringList rowTexts(CProgramView* view, int r)
{
    QStringList texts;
    for (int c = 1; c <= 8; ++c)
        texts << QString::fromStdString(view->table().textMatrix(r, c));
    return texts;
}

// Clicks a cell of the window and types into the edit box that opens over it.
inline QLineEdit* typeInto(CProgramView* view, int r, int c, const QString& text)
{
    CMSFlexGrid* grid = view->grid();
    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, grid->cellRectPixels(r, c).center());
    QLineEdit* edit = view->cellEditors()->editBox(c);
    if (!edit || edit->isHidden() || !edit->hasFocus())
        return nullptr;
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return edit;
}

// The widget that has the keyboard in the window (an editor or the grid).
inline QWidget* keyboardWidget(CProgramView* view)
{
    QWidget* focus = QApplication::focusWidget();
    return focus && view->isAncestorOf(focus) ? focus : view->grid();
}

// The image as a save would write it now.
inline qx260::RadioImage::Bytes savedBytes(CProgramView* view)
{
    return view->document().image.bytes();
}

// For ShellFixture: the program's configuration switched to Chinese.
inline void useChinese(QString& ini)
{
    setIniValue(ini, QStringLiteral("Language"), QStringLiteral("Chinese"));
}
