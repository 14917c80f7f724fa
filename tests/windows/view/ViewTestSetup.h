#pragma once
// What the channel-window tests share: a Program.ini of their own, loaded into the
// process-wide values beside an in-memory user store, and where a click on a cell lands.

#include <QFile>
#include <QPoint>
#include <QTemporaryDir>

#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "windows/view/CMSFlexGrid.h"

namespace qx260::test
{

// Writes `ini` as Program.ini into `dir` and makes it the program's configuration, with
// `store` as the user store and `dir` as the program's folder. False when any step failed.
inline bool useTestConfiguration(const QTemporaryDir& dir, const char* ini, UserStore& store)
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

// Where a click on cell (r, c) lands.
inline QPoint cellCentre(CMSFlexGrid* grid, int r, int c)
{
    return grid->cellRectPixels(r, c).center();
}

} // namespace qx260::test
