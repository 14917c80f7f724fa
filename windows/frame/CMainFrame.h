#pragma once
// The main window: menu bar (menu 128 without a document window, 129 with one), toolbar,
// status bar, the navigation bar with its tree, and the client area that holds the
// channel windows over a tiled background. Commands arrive here by their numeric ids
// from menus, toolbar and accelerators: the frame runs its own and the active channel
// view's, and emits the others for the application to dispatch. The frame knows which
// channel window is active; the application keeps the documents behind them.

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QAction;
class QMenu;
class QLabel;
class QMimeData;
class QToolBar;
class QTreeWidgetItem;
class CMDIClientWnd;
class CNavigatorBar;
class CChildFrame;
class CProgramView;
class LockKeyIndicators;
namespace qx260
{
class HelpKey;
class COptionalFeaturesDlg;
class CProductInfoDlg;
} // namespace qx260

class CMainFrame : public QMainWindow
{
    Q_OBJECT
  public:
    static constexpr int kRestoredWidth = 900;
    static constexpr int kRestoredHeight = 550;
    static constexpr int kHelpIdBase = 0x10000; // help request = base + command id

    CMainFrame();
    ~CMainFrame() override;

    // Builds the window's parts; false when one of them could not be made.
    bool create();

    CMDIClientWnd* mdiClient() const { return mdiClient_; }
    CNavigatorBar* navigatorBar() const { return navigatorBar_; }
    QToolBar* toolBar() const { return toolBar_; }

    // Menu 129 while a document window exists, else menu 128.
    void setDocumentMenu(bool documentWindowExists);
    bool documentMenuShown() const { return documentMenuShown_; }
    // The top-level menus of menu 128 or 129 (whether shown or not).
    const QList<QMenu*>& menus(bool documentMenu) const
    {
        return documentMenu ? documentMenus_ : noDocumentMenus_;
    }
    // The menu item with this command in menu 128 or 129, or null.
    QAction* menuAction(bool documentMenu, int command) const;

    // Start-up adjustments of the document menu (menu 129): an item's label by position,
    // and removing the item with a command from a top-level menu.
    void setDocumentMenuItemText(int menuPosition, int itemPosition, const QString& text);
    void removeDocumentMenuItem(int menuPosition, int command);
    // The recent documents in both File menus, numbered from 1 above Exit (none: the menus
    // as loaded). Choosing one runs command FileMruFirst + its position.
    void setRecentFiles(const QStringList& paths);

    // Runs a command as its menu item, toolbar button or accelerator would: the frame's
    // and the view's here, every other one through commandIssued.
    void OnCommand(int command);
    // Whether the command can run now (menu items and buttons are greyed otherwise).
    bool commandEnabled(int command) const;

    // The channel window activated last (it may be hidden: it stays the active one until
    // another is activated), and its view; null without one.
    CChildFrame* activeDocumentFrame() const;
    CProgramView* activeView() const;
    // Makes frame the active channel window (a new document, or one shown again).
    void activateDocumentFrame(CChildFrame* frame);
    // Destroys a channel window for real, with the view in it.
    void destroyDocumentFrame(CChildFrame* frame);

    // The local "*.dat" files of a drag, or none when anything else is among them.
    static QStringList droppedDocumentFiles(const QMimeData* mime);

  public slots:
    void OnProductInformation();
    void OnChannelInformation();
    void OnOptionalFeatures();
    void OnControlBar();
    void OnFilePrintSetup();
    // Help request with an identifier of base + topic.
    void OnHelpRequest(int identifier);
    void updateCommandStates();

  signals:
    // A command that neither the frame nor the view runs (the application's commands).
    void commandIssued(int command);
    // "*.dat" files dropped on the window, to be opened as File Open opens them.
    void documentFilesDropped(const QStringList& paths);

  protected:
    // Dropped "*.dat" files are opened as File Open opens them; other files are refused.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QMenu* buildMenu(int menuId, QList<QMenu*>& into, bool documentMenu);
    QAction* makeAction(int command, const QString& text, QObject* owner);
    bool createToolBar();
    bool createStatusBar();
    bool createNavigatorBar();
    void onTreeItem(QTreeWidgetItem* item);
    void nextPane(bool forward);

    CNavigatorBar* navigatorBar_ = nullptr;
    CMDIClientWnd* mdiClient_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    LockKeyIndicators* lockKeys_ = nullptr;
    qx260::HelpKey* menuHelpKey_ = nullptr;
    QPointer<CChildFrame> activeDocumentFrame_;
    // One object of each settings dialog, reloaded at every opening.
    qx260::CProductInfoDlg* productDialog_ = nullptr;
    qx260::COptionalFeaturesDlg* optionsDialog_ = nullptr;
    QList<QMenu*> noDocumentMenus_;
    QList<QMenu*> documentMenus_;
    QMultiHash<int, QAction*> actions_; // every menu item and button by command
    QHash<int, QAction*> noDocumentItems_;
    QHash<int, QAction*> documentItems_;
    QList<QAction*> recentFileItems_; // with their separators
    bool documentMenuShown_ = false;
};
