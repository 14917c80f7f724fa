// The main frame: building menus, toolbar, status bar and navigation tree, greying commands
// without a document or an editable table, running its own commands and the active view's,
// moving between panes, and taking dropped document files.

#include "windows/frame/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "windows/common/DisplayText.h"
#include "windows/common/HelpRequest.h"
#include "windows/common/Pictures.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CMDIClientWnd.h"
#include "windows/frame/CNavigatorBar.h"
#include "windows/frame/LockKeyIndicators.h"
#include "windows/settings/COptionalFeaturesDlg.h"
#include "windows/settings/CProductInfoDlg.h"
#include "windows/view/CFindRadioDlg.h"
#include "windows/view/CMSFlexGrid.h"
#include "windows/view/CProgramView.h"
#include "windows/view/PrintCommands.h"

namespace id = qx260::resid;

namespace
{

// Toolbar button pictures: the program's own, else the style's.
QIcon toolbarIcon(int command)
{
    const QPixmap own = qx260::toolbarButtonImage(command);
    if (!own.isNull())
        return QIcon(own);
    QStyle* style = QApplication::style();
    switch (command) {
    case id::FileNew:
        return style->standardIcon(QStyle::SP_FileIcon);
    case id::FileOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case id::FileSave:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    default:
        return {};
    }
}

// Commands that act on a document window: greyed while there is none.
bool needsDocument(int command)
{
    switch (command) {
    case id::FileClose:
    case id::FileSave:
    case id::FileSaveAs:
    case id::FilePrint:
    case id::FilePrintDirect:
    case id::FilePrintPreview:
    case id::Read:
    case id::Write:
    case id::WriteSeveralRadios:
    case id::ComSetup:
    case id::WriteSafety:
    case id::CompareWithRadio:
    case id::Language:
    case id::NextPane:
    case id::PreviousPane:
    case id::EditUndo:
    case id::EditRedo:
    case id::EditCopy:
    case id::ExportChannels:
        return true;
    default:
        return false;
    }
}

// Commands that change channels: greyed without a document, and while its table cannot be
// edited (a transfer runs, or the radio variant leaves it read-only).
bool changesChannels(int command)
{
    return command == id::EditCut || command == id::EditPaste || command == id::ImportChannels;
}

// The navigation tree's entries under the root, in order, and the commands they run.
struct TreeEntry {
    qx260::Text label;
    int command;
};
constexpr TreeEntry kTreeEntries[] = {
    {qx260::Text::ProductInformation, id::ProductInformation},
    {qx260::Text::ChannelInformation, id::ChannelInformation},
    {qx260::Text::OptionalFeatures, id::OptionalFeatures},
};

} // namespace

CMainFrame::CMainFrame()
{
    setObjectName(QStringLiteral("mainFrame"));
    // Restored size; the caption is the frame title only (documents never add theirs).
    resize(kRestoredWidth, kRestoredHeight);
    setWindowTitle(qx260::resourceMessage(id::StrProgramTitle));
    setContextMenuPolicy(Qt::NoContextMenu);
    setDockOptions(QMainWindow::AnimatedDocks);
    setAcceptDrops(true);
}

CMainFrame::~CMainFrame()
{
    // The bars report their hiding while the window is taken apart; nobody listens then.
    if (navigatorBar_)
        disconnect(navigatorBar_, nullptr, this, nullptr);
    if (toolBar_)
        disconnect(toolBar_, nullptr, this, nullptr);
    if (mdiClient_)
        disconnect(mdiClient_, nullptr, this, nullptr);
    actions_.clear();
}

bool CMainFrame::create()
{
    // F1 on a highlighted menu item asks for the topic of its command.
    menuHelpKey_ = new qx260::HelpKey(this, [](QWidget* target) -> std::optional<int> {
        auto* menu = qobject_cast<QMenu*>(target);
        const int command = menu && menu->activeAction() ? menu->activeAction()->data().toInt() : 0;
        return command != 0 ? std::optional<int>(command) : std::nullopt;
    });
    buildMenu(id::MenuNoDocument, noDocumentMenus_, false);
    buildMenu(id::MenuDocument, documentMenus_, true);
    setDocumentMenu(false);

    if (!createToolBar() || !createStatusBar() || !createNavigatorBar())
        return false;

    mdiClient_ = new CMDIClientWnd(this);
    setCentralWidget(mdiClient_);
    connect(mdiClient_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // A hidden window stays the active one until another is activated.
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            activeDocumentFrame_ = frame;
        updateCommandStates();
    });

    for (const qx260::AcceleratorEntry& acc : qx260::accelerators(id::AcceleratorTable)) {
        auto* shortcut = new QShortcut(acc.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const int command = acc.command;
        connect(shortcut, &QShortcut::activated, this, [this, command] {
            if (commandEnabled(command))
                OnCommand(command);
        });
        // A menu item whose label names no key shows the accelerator beside it (Exit:
        // Ctrl+Q). The item's own shortcut only works while its menu is open, where the
        // window's shortcuts do not.
        for (QAction* item : actions_.values(command)) {
            const QString label = item->text();
            if (qobject_cast<QMenu*>(item->parent()) && !label.contains(QLatin1Char('\t')) &&
                !label.contains(acc.keys.toString(QKeySequence::PortableText))) {
                item->setShortcut(acc.keys);
                item->setShortcutContext(Qt::WidgetShortcut);
            }
        }
    }
    updateCommandStates();
    return true;
}

QAction* CMainFrame::makeAction(int command, const QString& text, QObject* owner)
{
    auto* action = new QAction(text, owner);
    action->setData(command);
    const QString status = qx260::commandStatusText(command);
    action->setStatusTip(status);
    if (command == id::ViewToolbar || command == id::ViewStatusBar || command == id::ControlBar ||
        command == id::ViewAllColumns)
        action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    actions_.insert(command, action);
    return action;
}

QMenu* CMainFrame::buildMenu(int menuId, QList<QMenu*>& into, bool documentMenu)
{
    QMenu* current = nullptr;
    QHash<int, QAction*>& items = documentMenu ? documentItems_ : noDocumentItems_;
    for (const qx260::MenuEntry& entry : qx260::menuEntries(menuId)) {
        if (entry.level == 0) {
            current = new QMenu(entry.text, this);
            current->setObjectName(QStringLiteral("menu%1_%2").arg(menuId).arg(into.size()));
            current->installEventFilter(menuHelpKey_);
            connect(current, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
            into.append(current);
            continue;
        }
        if (!current)
            continue;
        if (entry.separator) {
            current->addSeparator();
            continue;
        }
        QAction* action = makeAction(entry.command, entry.text, current);
        current->addAction(action);
        items.insert(entry.command, action);
    }
    return current;
}

QAction* CMainFrame::menuAction(bool documentMenu, int command) const
{
    const QHash<int, QAction*>& items = documentMenu ? documentItems_ : noDocumentItems_;
    return items.value(command, nullptr);
}

void CMainFrame::setDocumentMenuItemText(int menuPosition, int itemPosition, const QString& text)
{
    if (menuPosition < 0 || menuPosition >= documentMenus_.size())
        return;
    const QList<QAction*> items = documentMenus_[menuPosition]->actions();
    if (itemPosition >= 0 && itemPosition < items.size())
        items[itemPosition]->setText(text);
}

void CMainFrame::removeDocumentMenuItem(int menuPosition, int command)
{
    if (menuPosition < 0 || menuPosition >= documentMenus_.size())
        return;
    QMenu* menu = documentMenus_[menuPosition];
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->data().toInt() != command)
            continue;
        menu->removeAction(action);
        actions_.remove(command, action);
        if (documentItems_.value(command) == action)
            documentItems_.remove(command);
        delete action;
        return;
    }
}

void CMainFrame::setRecentFiles(const QStringList& paths)
{
    for (QAction* item : std::as_const(recentFileItems_)) {
        actions_.remove(item->data().toInt(), item);
        delete item;
    }
    recentFileItems_.clear();
    for (QMenu* fileMenu : {noDocumentMenus_.value(0), documentMenus_.value(0)}) {
        QAction* exitItem = nullptr;
        for (QAction* item : fileMenu ? fileMenu->actions() : QList<QAction*>())
            if (item->data().toInt() == id::AppExit)
                exitItem = item;
        if (!exitItem)
            continue;
        const int count = int(qMin<qsizetype>(paths.size(), id::FileMruLast - id::FileMruFirst + 1));
        for (int i = 0; i < count; ++i) {
            // "&1 /folder/name.dat": long paths shortened in the middle, a "&" in them shown as such.
            QString shown =
                fileMenu->fontMetrics().elidedText(QDir::toNativeSeparators(paths[i]), Qt::ElideMiddle,
                                                   60 * fileMenu->fontMetrics().averageCharWidth());
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            QAction* item =
                makeAction(id::FileMruFirst + i, QStringLiteral("&%1 %2").arg(i + 1).arg(shown), fileMenu);
            fileMenu->insertAction(exitItem, item);
            recentFileItems_.append(item);
        }
        if (count > 0)
            recentFileItems_.append(fileMenu->insertSeparator(exitItem));
    }
    updateCommandStates();
}

void CMainFrame::setDocumentMenu(bool documentWindowExists)
{
    if (documentWindowExists == documentMenuShown_ && !menuBar()->actions().isEmpty())
        return;
    documentMenuShown_ = documentWindowExists;
    menuBar()->clear();
    for (QMenu* menu : menus(documentWindowExists))
        menuBar()->addMenu(menu);
    updateCommandStates();
}

bool CMainFrame::createToolBar()
{
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setWindowTitle(qx260::commandToolTip(id::ViewToolbar));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setIconSize(QSize(18, 19));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int command : qx260::toolbarCommands(id::Toolbar)) {
        if (command == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = makeAction(command, qx260::commandToolTip(command), toolBar_);
        action->setIcon(toolbarIcon(command));
        action->setToolTip(qx260::commandToolTip(command));
        toolBar_->addAction(action);
    }
    // The button that shows the buttons a narrow window has no room for is a check button
    // of the toolkit's own, without a text: it gets a name a screen reader can say.
    for (QToolButton* button : toolBar_->findChildren<QToolButton*>())
        if (button->text().isEmpty() && !button->defaultAction())
            button->setAccessibleName(qx260::programText(qx260::Text::ToolbarMoreButtons));
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::updateCommandStates);
    return true;
}

bool CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    auto* message = new QLabel(qx260::resourceMessage(id::StrIdle), bar);
    message->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(message, 1);
    // The idle text shows whenever no status tip is up.
    connect(bar, &QStatusBar::messageChanged, message,
            [message](const QString& text) { message->setVisible(text.isEmpty()); });
    lockKeys_ = new LockKeyIndicators(bar, qx260::resourceMessage(id::StrIndicatorCaps),
                                      qx260::resourceMessage(id::StrIndicatorNum),
                                      qx260::resourceMessage(id::StrIndicatorScroll));
    return true;
}

bool CMainFrame::createNavigatorBar()
{
    navigatorBar_ = new CNavigatorBar(this);
    if (!navigatorBar_->Create())
        return false;
    QTreeWidget* tree = navigatorBar_->tree();
    const qx260::ProcessValues& pv = qx260::processValues();
    tree->setAccessibleName(qx260::programText(qx260::Text::NavigationName));
    // The header is hidden, yet a screen reader reads its one column by its label ("1").
    tree->setHeaderLabel(qx260::programText(qx260::Text::NavigationName));
    auto* root = new QTreeWidgetItem(tree, {QString::fromStdString(pv.languageString("Company"))});
    for (const TreeEntry& entry : kTreeEntries)
        new QTreeWidgetItem(root, {qx260::programText(entry.label)});
    root->setExpanded(true);
    tree->setCurrentItem(root);
    // The entry the user clicked, or chose with Enter, is the one acted on. Activation
    // signals are left alone: styles that activate on a single click, and double clicks,
    // would run the entry a second time.
    connect(tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { onTreeItem(item); });
    tree->installEventFilter(this);
    connect(navigatorBar_, &CNavigatorBar::closeClicked, this, [this] {
        navigatorBar_->hide();
        updateCommandStates();
    });
    connect(navigatorBar_, &QDockWidget::visibilityChanged, this, &CMainFrame::updateCommandStates);
    addDockWidget(Qt::LeftDockWidgetArea, navigatorBar_);
    return true;
}

void CMainFrame::onTreeItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    // The entry is known by its label in the current language; the root names nothing.
    const QString label = item->text(0);
    for (const TreeEntry& entry : kTreeEntries) {
        if (label == qx260::programText(entry.label)) {
            OnCommand(entry.command);
            break;
        }
    }
    QTreeWidget* tree = navigatorBar_->tree();
    if (tree->topLevelItemCount() > 0)
        tree->setCurrentItem(tree->topLevelItem(0));
}

CChildFrame* CMainFrame::activeDocumentFrame() const
{
    return activeDocumentFrame_;
}

CProgramView* CMainFrame::activeView() const
{
    return activeDocumentFrame_ ? activeDocumentFrame_->view() : nullptr;
}

void CMainFrame::activateDocumentFrame(CChildFrame* frame)
{
    activeDocumentFrame_ = frame;
    mdiClient_->setActiveSubWindow(frame);
}

void CMainFrame::destroyDocumentFrame(CChildFrame* frame)
{
    if (activeDocumentFrame_ == frame)
        activeDocumentFrame_ = nullptr;
    delete frame;
}

bool CMainFrame::commandEnabled(int command) const
{
    CProgramView* view = activeView();
    if (changesChannels(command))
        return view && view->grid()->isEnabled() && !view->transferRunning();
    if (needsDocument(command))
        return view != nullptr;
    return true;
}

void CMainFrame::updateCommandStates()
{
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        QAction* action = it.value();
        action->setEnabled(commandEnabled(it.key()));
        switch (it.key()) {
        case id::ViewToolbar:
            action->setChecked(toolBar_ && toolBar_->isVisible());
            break;
        case id::ViewStatusBar:
            action->setChecked(statusBar()->isVisible());
            break;
        case id::ControlBar:
            action->setChecked(navigatorBar_ && navigatorBar_->isVisible());
            break;
        default:
            break;
        }
    }
}

void CMainFrame::OnCommand(int command)
{
    CProgramView* view = activeView();
    switch (command) {
    case id::FilePrintSetup:
        OnFilePrintSetup();
        break;
    case id::FilePrint:
        if (view)
            view->OnFilePrint();
        break;
    case id::FilePrintDirect:
        if (view)
            view->OnFilePrintDirect();
        break;
    case id::FilePrintPreview:
        if (view)
            view->OnFilePrintPreview();
        break;
    case id::ImportChannels:
        if (view)
            view->OnImportChannels();
        break;
    case id::ExportChannels:
        if (view)
            view->OnExportChannels();
        break;
    case id::EditUndo:
        if (view)
            view->OnEditUndo();
        break;
    case id::EditRedo:
        if (view)
            view->OnEditRedo();
        break;
    case id::EditCut:
        if (view)
            view->OnEditCut();
        break;
    case id::EditCopy:
        if (view)
            view->OnEditCopy();
        break;
    case id::EditPaste:
        if (view)
            view->OnEditPaste();
        break;
    case id::AppExit:
        close();
        break;
    case id::ViewToolbar:
        toolBar_->setVisible(!toolBar_->isVisible());
        break;
    case id::ViewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        break;
    case id::ControlBar:
        OnControlBar();
        break;
    case id::Read:
        if (view)
            view->OnRead();
        break;
    case id::Write:
        if (view)
            view->OnWrite();
        break;
    case id::WriteSeveralRadios:
        if (view)
            view->OnWriteSeveralRadios();
        break;
    case id::ComSetup:
        if (view)
            view->OnComSetup();
        break;
    case id::WriteSafety:
        if (view)
            view->OnWriteSafety();
        break;
    case id::CompareWithRadio:
        if (view)
            view->OnCompareWithRadio();
        break;
    case id::FindRadio: {
        CFindRadioDlg dialog(this);
        dialog.exec();
        break;
    }
    case id::ProductInformation:
        OnProductInformation();
        break;
    case id::ChannelInformation:
        OnChannelInformation();
        break;
    case id::OptionalFeatures:
        OnOptionalFeatures();
        break;
    case id::Help:
        OnHelpRequest(kHelpIdBase + id::MenuNoDocument);
        break;
    case id::UserManual: // its topic is the manual's contents
        OnHelpRequest(kHelpIdBase + id::UserManual);
        break;
    case id::NextPane:
        nextPane(true);
        break;
    case id::PreviousPane:
        nextPane(false);
        break;
    default:
        emit commandIssued(command);
        break;
    }
    updateCommandStates();
}

void CMainFrame::OnProductInformation()
{
    CProgramView* view = activeView();
    if (!view)
        return; // nothing to describe without a document
    if (!productDialog_)
        productDialog_ = new qx260::CProductInfoDlg(this);
    qx260::CProgramDoc& doc = view->document();
    const qx260::BandLimits before = doc.bandLimits;
    if (productDialog_->editProduct(doc.image, doc.bandLimits)) {
        view->markDocumentModified(qx260::ChangeKind::ProductInformation);
        if (!(doc.bandLimits == before))
            view->warnChannelsOutsideBand(productDialog_->bandList()->currentText());
    }
}

void CMainFrame::OnChannelInformation()
{
    CChildFrame* frame = activeDocumentFrame_;
    if (!frame) {
        showNormal();
        return;
    }
    frame->showNormal();
    mdiClient_->setActiveSubWindow(frame);
    frame->raise();
}

void CMainFrame::OnOptionalFeatures()
{
    // The radio of the active document's window decides, not the last one read anywhere.
    CProgramView* view = activeView();
    if (!view || view->tableVariant() == 0)
        return;
    if (!optionsDialog_)
        optionsDialog_ = new qx260::COptionalFeaturesDlg(this);
    if (optionsDialog_->editOptions(view->document().image, view->tableVariant()))
        view->markDocumentModified(qx260::ChangeKind::OptionalFeatures);
}

void CMainFrame::OnControlBar()
{
    navigatorBar_->setVisible(!navigatorBar_->isVisible());
    updateCommandStates();
}

void CMainFrame::OnFilePrintSetup()
{
    qx260::filePrintSetup(this);
}

void CMainFrame::OnHelpRequest(int identifier)
{
    qx260::requestHelpTopic(identifier - kHelpIdBase);
}

void CMainFrame::nextPane(bool forward)
{
    // Moves the keyboard focus between the navigation tree and the channel window.
    CProgramView* view = activeView();
    QWidget* tree = navigatorBar_->isVisible() ? navigatorBar_->tree() : nullptr;
    QWidget* focus = QApplication::focusWidget();
    const bool inTree = focus && tree && (focus == tree || tree->isAncestorOf(focus));
    Q_UNUSED(forward); // with two panes, both directions lead to the other one
    if (inTree && view && view->isVisible())
        view->setFocus(Qt::TabFocusReason);
    else if (tree)
        tree->setFocus(Qt::TabFocusReason);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QTreeWidget* tree = navigatorBar_ ? navigatorBar_->tree() : nullptr;
        if (tree && watched == tree && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            onTreeItem(tree->currentItem());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QStringList CMainFrame::droppedDocumentFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || !path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
            return {}; // one file that is not a document refuses the whole drop
        paths.append(path);
    }
    return paths;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event)
{
    if (droppedDocumentFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList paths = droppedDocumentFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over, so that a message box never holds the dragging program.
    QTimer::singleShot(0, this, [this, paths] {
        emit documentFilesDropped(paths);
        updateCommandStates();
    });
}
