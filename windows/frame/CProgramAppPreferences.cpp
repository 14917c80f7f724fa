// What the application keeps for the user between runs: the recent documents in the File
// menu, the folder the file dialogs open in, View > All Columns, and the main window with
// its navigation bar as the user left them. A user who never changed any of them starts
// with the window maximised, the bar at its first width, no recent documents and the
// columns of the radio variant.

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include "core/config/ProcessValues.h"
#include "core/config/UserPreferences.h"
#include "res/ResourceIds.h"
#include "windows/common/DisplayText.h"
#include "windows/common/MessageBox.h"
#include "windows/frame/CMainFrame.h"
#include "windows/frame/CNavigatorBar.h"
#include "windows/frame/CProgramApp.h"
#include "windows/view/CProgramView.h"

namespace id = qx260::resid;

namespace
{

// The narrowest bar the user can leave by dragging its edge.
constexpr int kNarrowestNavigatorBar = 11;

QStringList toStringList(const qx260::RecentFileList& list)
{
    QStringList paths;
    for (const std::string& path : list.paths())
        paths << QString::fromStdString(path);
    return paths;
}

} // namespace

void CProgramApp::loadUserPreferences()
{
    recentFiles_ = toStringList(preferences_->recentFiles());
    showRecentFiles();
    lastDirectory_ = QString::fromStdString(preferences_->lastFolder());
    allColumns_ = preferences_->allColumns();
    if (QAction* item = mainFrame_->menuAction(true, id::ViewAllColumns))
        item->setChecked(allColumns_);
}

void CProgramApp::showMainWindow()
{
    const qx260::WindowPlacement placement = preferences_->windowPlacement();
    const bool placed =
        !placement.geometry.empty() &&
        mainFrame_->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(placement.geometry)));
    CNavigatorBar* bar = mainFrame_->navigatorBar();
    bar->setVisible(placement.navigatorVisible);
    // The restored geometry carries the maximised state; without one the window opens
    // maximised, as it always has.
    if (placed)
        mainFrame_->show();
    else
        mainFrame_->showMaximized();
    if (placement.navigatorWidth > 0)
        bar->setBarWidth(qBound(kNarrowestNavigatorBar, placement.navigatorWidth,
                                qMax(kNarrowestNavigatorBar, mainFrame_->width() / 2)));
    mainFrame_->updateCommandStates();
}

void CProgramApp::rememberMainWindow()
{
    const CNavigatorBar* bar = mainFrame_->navigatorBar();
    qx260::WindowPlacement placement;
    placement.geometry = mainFrame_->saveGeometry().toBase64().toStdString();
    placement.navigatorWidth = bar->barWidth();
    placement.navigatorVisible = !bar->isHidden();
    preferences_->setWindowPlacement(placement);
}

void CProgramApp::rememberDocumentFile(const QFileInfo& file)
{
    // Read again before the change, so that what another running copy of the program
    // listed meanwhile is kept.
    qx260::RecentFileList list = preferences_->recentFiles();
    list.add(file.absoluteFilePath().toStdString());
    preferences_->setRecentFiles(list);
    preferences_->setLastFolder(file.absolutePath().toStdString());
    recentFiles_ = toStringList(list);
    showRecentFiles();
}

void CProgramApp::showRecentFiles()
{
    mainFrame_->setRecentFiles(recentFiles_);
}

void CProgramApp::OnFileMru(int index)
{
    if (index < 0 || index >= recentFiles_.size())
        return;
    const QString path = recentFiles_.at(index);
    if (QFileInfo::exists(path)) {
        openDocumentFile(path);
        return;
    }
    // Gone (moved, deleted, a drive no longer there): it leaves the list, and the user
    // learns why nothing opened.
    qx260::RecentFileList list = preferences_->recentFiles();
    list.remove(path.toStdString());
    preferences_->setRecentFiles(list);
    recentFiles_ = toStringList(list);
    showRecentFiles();
    qx260::showMessage(mainFrame_.get(), applicationName(),
                       qx260::programText(qx260::Text::RecentFileGone).arg(QDir::toNativeSeparators(path)),
                       QMessageBox::Ok, qx260::MsgIcon::Exclamation);
}

void CProgramApp::OnViewAllColumns()
{
    allColumns_ = !allColumns_;
    preferences_->setAllColumns(allColumns_);
    for (const auto& d : documents_)
        d->view->setAllColumns(allColumns_);
    if (QAction* item = mainFrame_->menuAction(true, id::ViewAllColumns))
        item->setChecked(allColumns_);
}
