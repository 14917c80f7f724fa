// The desktop program's per-user preferences over the per-user store; see UserPreferences.h.

#include "core/config/UserPreferences.h"

#include <algorithm>
#include <optional>

#include "core/config/UserStore.h"

namespace qx260
{

namespace
{

std::string recentName(int slot)
{
    return "File" + std::to_string(slot + 1);
}

} // namespace

RecentFileList::RecentFileList(std::vector<std::string> paths)
{
    // Kept as add() would have made it: no empty entry, no path twice, at most kCount.
    for (std::string& path : paths) {
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end() &&
            static_cast<int>(paths_.size()) < kCount)
            paths_.push_back(std::move(path));
    }
}

void RecentFileList::add(const std::string& path)
{
    if (path.empty())
        return;
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (static_cast<int>(paths_.size()) > kCount)
        paths_.resize(kCount);
}

bool RecentFileList::remove(const std::string& path)
{
    const auto it = std::find(paths_.begin(), paths_.end(), path);
    if (it == paths_.end())
        return false;
    paths_.erase(it);
    return true;
}

UserPreferences::UserPreferences(UserStore& store, const CIniFile& config)
    : store_(store), settingsKey_(userStoreKey(config) + "\\Settings"),
      recentKey_(userStoreKey(config) + "\\Recent File List")
{
}

RecentFileList UserPreferences::recentFiles() const
{
    std::vector<std::string> paths;
    for (int slot = 0; slot < RecentFileList::kCount; ++slot)
        paths.push_back(store_.readText(recentKey_, recentName(slot)).value_or(std::string()));
    return RecentFileList(std::move(paths));
}

bool UserPreferences::setRecentFiles(const RecentFileList& list)
{
    bool kept = true;
    for (int slot = 0; slot < RecentFileList::kCount; ++slot) {
        const std::string path =
            slot < static_cast<int>(list.paths().size()) ? list.paths()[static_cast<std::size_t>(slot)] : "";
        // Only what changed is written: each write replaces the whole settings file.
        if (store_.readText(recentKey_, recentName(slot)).value_or(std::string()) != path)
            kept = store_.writeText(recentKey_, recentName(slot), path) && kept;
    }
    return kept;
}

std::string UserPreferences::lastFolder() const
{
    return store_.readText(settingsKey_, "LastFolder").value_or(std::string());
}

bool UserPreferences::setLastFolder(const std::string& folder)
{
    return lastFolder() == folder || store_.writeText(settingsKey_, "LastFolder", folder);
}

bool UserPreferences::allColumns() const
{
    return store_.readNumber(settingsKey_, "AllColumns").value_or(0) != 0;
}

bool UserPreferences::setAllColumns(bool on)
{
    return store_.writeNumber(settingsKey_, "AllColumns", on ? 1 : 0);
}

WindowPlacement UserPreferences::windowPlacement() const
{
    WindowPlacement placement;
    placement.geometry = store_.readText(settingsKey_, "WindowPlacement").value_or(std::string());
    placement.navigatorWidth = std::max(0, store_.readNumber(settingsKey_, "NavigatorWidth").value_or(0));
    placement.navigatorVisible = store_.readNumber(settingsKey_, "NavigatorVisible").value_or(1) != 0;
    return placement;
}

bool UserPreferences::setWindowPlacement(const WindowPlacement& placement)
{
    const bool geometry = store_.writeText(settingsKey_, "WindowPlacement", placement.geometry);
    const bool width = store_.writeNumber(settingsKey_, "NavigatorWidth", placement.navigatorWidth);
    const bool visible =
        store_.writeNumber(settingsKey_, "NavigatorVisible", placement.navigatorVisible ? 1 : 0);
    return geometry && width && visible;
}

} // namespace qx260
