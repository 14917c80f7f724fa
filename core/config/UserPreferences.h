#pragma once
// What the desktop program keeps for each user besides the serial port and the product
// choice: the documents opened or saved last, the last folder of its file dialogs, where
// the main window and the navigation bar were left, and whether the channel window shows
// every column. They live in the per-user store under the program's own key; where nothing
// was kept (a user's first start), the program starts as it always has.

#include <string>
#include <vector>

namespace qx260
{

class CIniFile;
class UserStore;

// The documents opened or saved last, the most recent first: at most kCount, each once.
class RecentFileList
{
  public:
    static constexpr int kCount = 4;

    RecentFileList() = default;
    explicit RecentFileList(std::vector<std::string> paths);

    const std::vector<std::string>& paths() const { return paths_; }
    // Puts the path first (moving it up when it is listed already); the oldest beyond
    // kCount drops out.
    void add(const std::string& path);
    // False when the path was not listed.
    bool remove(const std::string& path);

  private:
    std::vector<std::string> paths_;
};

// The main window as the user left it. An empty geometry (the window system's own
// description of size, position and maximised state) means none was kept.
struct WindowPlacement {
    std::string geometry;
    int navigatorWidth = 0; // pixels; 0 when none was kept
    bool navigatorVisible = true;
};

class UserPreferences
{
  public:
    // Keys under "Software\" + AppName (see userStoreKey).
    UserPreferences(UserStore& store, const CIniFile& config);

    // Reads give the defaults where nothing was kept; writes return false when the store
    // could not keep the value (the program goes on, it only forgets).
    RecentFileList recentFiles() const;
    bool setRecentFiles(const RecentFileList& list);
    std::string lastFolder() const;
    bool setLastFolder(const std::string& folder);
    bool allColumns() const;
    bool setAllColumns(bool on);
    WindowPlacement windowPlacement() const;
    bool setWindowPlacement(const WindowPlacement& placement);

  private:
    UserStore& store_;
    std::string settingsKey_; // "...\Settings"
    std::string recentKey_;   // "...\Recent File List"
};

} // namespace qx260
