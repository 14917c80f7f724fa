// The application's start and end, its documents (new, open, save, the save question before
// closing) and its command table; what it keeps for the user between runs lies in
// CProgramAppPreferences.cpp.

#include "windows/frame/CProgramApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QTranslator>

#include "core/config/ProcessValues.h"
#include "core/config/UserPreferences.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/Decimal.h"
#include "platform/FileLock.h"
#include "platform/InstallPaths.h"
#include "platform/QSettingsUserStore.h"
#include "platform/Resources.h"
#include "res/ResourceIds.h"
#include "windows/common/DisplayText.h"
#include "windows/common/FileDialogs.h"
#include "windows/common/MessageBox.h"
#include "windows/common/Pictures.h"
#include "windows/frame/CAboutDlg.h"
#include "windows/frame/CChildFrame.h"
#include "windows/frame/CLanguageDlg.h"
#include "windows/frame/CMDIClientWnd.h"
#include "windows/frame/CMainFrame.h"
#include "windows/view/CProgramView.h"

namespace id = qx260::resid;
using qx260::MsgIcon;
using qx260::processValues;

Q_LOGGING_CATEGORY(lcApp, "qx260.app")

namespace
{

CProgramApp* g_app = nullptr;

// File names go to the core as the bytes the file system uses.
std::string toNativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}
QString fromNativePath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString documentFilter()
{
    return qx260::programText(qx260::Text::DocumentFilter);
}

// The commands the application runs, by their ids from menus, toolbar and accelerators.
struct AppCommand {
    int command;
    void (CProgramApp::*run)();
};
constexpr AppCommand kAppCommands[] = {
    {id::FileNew, &CProgramApp::OnFileNew},       {id::FileOpen, &CProgramApp::OnFileOpen},
    {id::FileClose, &CProgramApp::OnFileClose},   {id::FileSave, &CProgramApp::OnFileSave},
    {id::FileSaveAs, &CProgramApp::OnFileSaveAs}, {id::AppAbout, &CProgramApp::OnAppAbout},
    {id::Language, &CProgramApp::OnLanguage},     {id::ViewAllColumns, &CProgramApp::OnViewAllColumns},
};

} // namespace

CProgramApp* theApp()
{
    return g_app;
}

CProgramApp::CProgramApp(QObject* parent) : QObject(parent)
{
    g_app = this;
}

CProgramApp::~CProgramApp()
{
    // The windows (and the views in them) go before the documents they show.
    processValues().showCaption = nullptr;
    if (mainFrame_)
        delete mainFrame_.release();
    documents_.clear();
    removeToolkitTranslation();
    if (processValues().userStore == userStore_.get())
        processValues().userStore = nullptr;
    if (g_app == this)
        g_app = nullptr;
}

QString CProgramApp::applicationName()
{
    return qx260::applicationCaption();
}

bool CProgramApp::InitInstance(const QString& programPath, const QStringList& arguments)
{
    qx260::ProcessValues& pv = processValues();
    pv.applicationName = "Program";
    pv.radioVariant = 1;
    programPath_ = QFileInfo(programPath).absoluteFilePath();

    // Configuration from Program.ini beside the executable (created empty when missing);
    // installed, from the shipped one under the user's own file, which holds only the
    // user's language choice and is made when the user first chooses one.
    const QString executableDirectory = QFileInfo(programPath).absolutePath() + QLatin1Char('/');
    const qx260::ConfigurationChoice configuration =
        qx260::locateConfiguration(toNativePath(executableDirectory), qx260::UserCopy::Make);
    pv.configurationStore.Clear();
    std::string failedPath;
    const qx260::FileResult loaded = pv.loadConfiguration(configuration, true, &failedPath);
    pv.deriveLanguageValues();
    installToolkitTranslation();
    if (!loaded.ok()) {
        // The program goes on with the defaults, as for an empty file; the user learns why.
        qx260::showMessage(nullptr, applicationName(),
                           qx260::programText(qx260::Text::ConfigurationNotRead)
                               .arg(QDir::toNativeSeparators(QString::fromStdString(failedPath)),
                                    QString::fromStdString(loaded.reason)),
                           QMessageBox::Ok, MsgIcon::Exclamation);
    }

    // The language module: every menu, dialog text and string comes from it.
    qx260::unloadResourceLibrary();
    const QString modulePath =
        qx260::languageModulePath(executableDirectory, QString::fromStdString(pv.languageName));
    QString error;
    if (modulePath.isEmpty() || !qx260::loadResourceLibrary(modulePath, &error)) {
        qCDebug(lcApp) << "language module" << modulePath << "not loaded:" << error;
        qx260::showMessage(nullptr, applicationName(),
                           qx260::programText(qx260::Text::LanguageModuleNotLoaded), QMessageBox::Ok,
                           MsgIcon::Exclamation);
        // Then which file named that language, and what to do about it.
        const std::string languageFile = pv.languageFile();
        const std::string& named = languageFile.empty() ? configuration.path : languageFile;
        qx260::showMessage(nullptr, applicationName(),
                           qx260::programText(qx260::Text::LanguageModuleRemedy)
                               .arg(QDir::toNativeSeparators(QString::fromStdString(named)),
                                    qx260::displayText(pv.languageName)),
                           QMessageBox::Ok, MsgIcon::Exclamation);
        return false;
    }

    pv.executableDirectory = toNativePath(executableDirectory);

    userStore_ = std::make_unique<qx260::QSettingsUserStore>();
    pv.userStore = userStore_.get();
    preferences_ = std::make_unique<qx260::UserPreferences>(*userStore_, pv.configurationStore);

    mainFrame_ = std::make_unique<CMainFrame>();
    if (!mainFrame_->create())
        return false;
    loadUserPreferences();
    mainFrame_->installEventFilter(this);
    connect(mainFrame_.get(), &CMainFrame::commandIssued, this, &CProgramApp::OnCommand);
    connect(mainFrame_.get(), &CMainFrame::documentFilesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            openDocumentFile(path);
    });
    pv.showCaption = [frame = mainFrame_.get()](const std::string& caption) {
        frame->setWindowTitle(qx260::displayText(caption));
    };

    // The command line: a document to open, or else a new document.
    const QString documentPath = arguments.isEmpty() ? QString() : arguments.constFirst();
    if (documentPath.isEmpty() ? !newDocument() : !openDocumentFile(documentPath))
        return false;

    showMainWindow();

    const QIcon icon = qx260::titleIcon(executableDirectory);
    if (!icon.isNull()) {
        mainFrame_->setWindowIcon(icon);
        QApplication::setWindowIcon(icon);
    }

    pv.applicationName = pv.languageString("Company");
    adjustMenusFromConfiguration();
    return true;
}

void CProgramApp::adjustMenusFromConfiguration()
{
    const qx260::ProcessValues& pv = processValues();
    // The Help menu's first item takes the configured About title.
    mainFrame_->setDocumentMenuItemText(5, 0, QString::fromStdString(pv.languageString("About Title")));
    // Language is offered only when ShowLang says so.
    if (qx260::leadingInteger(pv.setupString("ShowLang")) == 0)
        mainFrame_->removeDocumentMenuItem(4, id::Language);
    mainFrame_->updateCommandStates();
}

void CProgramApp::installToolkitTranslation()
{
    removeToolkitTranslation();
    if (!isChinese(processValues().language()))
        return;
    // Without the toolkit's translation its dialogs stay English; nothing else is lost.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qCDebug(lcApp) << "no Chinese translation of the toolkit's texts";
        return;
    }
    QCoreApplication::installTranslator(translator.get());
    toolkitTranslator_ = std::move(translator);
}

void CProgramApp::removeToolkitTranslation()
{
    if (!toolkitTranslator_)
        return;
    QCoreApplication::removeTranslator(toolkitTranslator_.get());
    toolkitTranslator_.reset();
}

int CProgramApp::ExitInstance()
{
    removeToolkitTranslation();
    qx260::unloadResourceLibrary();
    return 0;
}

CProgramApp::Document* CProgramApp::activeDocument() const
{
    return mainFrame_ ? documentOf(mainFrame_->activeDocumentFrame()) : nullptr;
}

CProgramApp::Document* CProgramApp::documentOf(const CChildFrame* frame) const
{
    if (!frame)
        return nullptr;
    for (const auto& d : documents_)
        if (d->frame == frame)
            return d.get();
    return nullptr;
}

CProgramApp::Document* CProgramApp::addDocument(std::unique_ptr<qx260::CProgramDoc> doc, bool hasFile)
{
    auto entry = std::make_unique<Document>();
    Document* d = entry.get();
    d->doc = std::move(doc);
    d->hasFile = hasFile;
    d->frame = new CChildFrame();
    d->view = new CProgramView(*d->doc, d->frame);
    d->frame->setView(d->view);
    d->view->setAllColumns(allColumns_);
    mainFrame_->mdiClient()->addSubWindow(d->frame);
    d->frame->move(0, 0);
    connect(d->view, &CProgramView::documentModified, this, [this, d] { onDocumentModified(d); });
    documents_.push_back(std::move(entry));

    d->view->OnInitialUpdate();
    updateDocumentTitle(d);
    d->frame->show();
    mainFrame_->activateDocumentFrame(d->frame);
    mainFrame_->setDocumentMenu(true);
    return d;
}

void CProgramApp::destroyDocument(Document* document)
{
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        if (it->get() != document)
            continue;
        // The window (and its view) first: the view refers to the document.
        mainFrame_->destroyDocumentFrame(document->frame);
        documents_.erase(it);
        break;
    }
    mainFrame_->setDocumentMenu(!documents_.empty());
}

CProgramApp::Document* CProgramApp::newDocument()
{
    auto doc = std::make_unique<qx260::CProgramDoc>();
    if (!doc->OnNewDocument(processValues()))
        return nullptr;
    return addDocument(std::move(doc), false);
}

CProgramApp::Document* CProgramApp::openDocumentFile(const QString& path)
{
    const QFileInfo info(path);
    const QString absolute = info.absoluteFilePath();
    // A file already open: show its window again.
    for (const auto& d : documents_) {
        if (d->hasFile && QFileInfo(fromNativePath(d->doc->pathName)) == info) {
            d->frame->showNormal();
            mainFrame_->activateDocumentFrame(d->frame);
            rememberDocumentFile(info);
            return d.get();
        }
    }

    auto doc = std::make_unique<qx260::CProgramDoc>();
    const qx260::DocumentResult result = doc->OnOpenDocument(toNativePath(absolute));
    if (!result.ok()) {
        if (result.error == qx260::DocumentError::FormatError) {
            qx260::showMessage(mainFrame_.get(), applicationName(),
                               qx260::programText(qx260::Text::DataFormatError), QMessageBox::Ok,
                               MsgIcon::Exclamation);
        } else {
            qx260::showMessage(
                mainFrame_.get(), applicationName(),
                qx260::programText(qx260::Text::FileNotOpened)
                    .arg(QDir::toNativeSeparators(absolute), QString::fromStdString(result.reason)),
                QMessageBox::Ok, MsgIcon::Exclamation);
        }
        return nullptr;
    }
    // The window that was active before is hidden; its document stays open.
    if (Document* previous = activeDocument())
        previous->frame->close();
    attachToFile(*doc, info);
    rememberDocumentFile(info);
    return addDocument(std::move(doc), true);
}

void CProgramApp::attachToFile(qx260::CProgramDoc& doc, const QFileInfo& file)
{
    doc.pathName = toNativePath(file.absoluteFilePath());
    doc.title = toNativePath(file.fileName());
    doc.modified = false;
    lastDirectory_ = file.absolutePath();
}

QString CProgramApp::proposedSavePath(const Document* document) const
{
    if (document->hasFile)
        return fromNativePath(document->doc->pathName);
    const QString directory = lastDirectory_.isEmpty() ? QDir::currentPath() : lastDirectory_;
    QString name = fromNativePath(document->doc->pathName);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty())
        return directory;
    return QDir(directory).filePath(name + QStringLiteral(".dat"));
}

bool CProgramApp::saveDocument(Document* document, bool saveAs)
{
    if (!document)
        return false;
    // The cell being edited belongs to the document; a rejected edit stops the save
    // (its message has been shown), so the file never misses what the user typed.
    if (!document->view->commitCellEdit(false))
        return false;

    QString path = fromNativePath(document->doc->pathName);
    if (saveAs || !document->hasFile) {
        path = qx260::askSaveFileName(mainFrame_.get(), qx260::programText(qx260::Text::SaveAsCaption),
                                      proposedSavePath(document), documentFilter(), QStringLiteral("dat"));
        if (path.isEmpty())
            return false;
    }
    const QFileInfo info(path);
    const QString shownPath = QDir::toNativeSeparators(info.absoluteFilePath());
    const std::string target = toNativePath(info.absoluteFilePath());
    // Someone else wrote the document's file since it was opened or saved here: what they
    // wrote would be lost without a word.
    if (document->hasFile && QFileInfo(fromNativePath(document->doc->pathName)) == info &&
        document->doc->changedOnDisk() &&
        qx260::showMessage(mainFrame_.get(), applicationName(),
                           qx260::programText(qx260::Text::FileChangedOnDisk).arg(shownPath),
                           QMessageBox::Yes | QMessageBox::No, MsgIcon::Exclamation) != QMessageBox::Yes)
        return false;

    // A command-line edit of the file that runs now is waited for, and none starts while
    // this one writes.
    qx260::FileLock lock;
    if (lock.lock(target).kind == qx260::FileResult::Kind::InUse) {
        qx260::showMessage(mainFrame_.get(), applicationName(), qx260::fileInUseText(shownPath),
                           QMessageBox::Ok, MsgIcon::Exclamation);
        return false;
    }
    const qx260::DocumentResult result = document->doc->OnSaveDocument(target);
    lock.unlock();
    if (result.error == qx260::DocumentError::ReadOnly) {
        // The file stays as it is; the document can still go elsewhere.
        if (qx260::showMessage(mainFrame_.get(), applicationName(),
                               qx260::programText(qx260::Text::FileReadOnly).arg(shownPath),
                               QMessageBox::Yes | QMessageBox::No, MsgIcon::Exclamation) == QMessageBox::Yes)
            return saveDocument(document, true);
        return false;
    }
    if (!result.ok()) {
        qx260::showMessage(mainFrame_.get(), applicationName(),
                           qx260::programText(qx260::Text::FileNotSaved)
                               .arg(shownPath, QString::fromStdString(result.reason)),
                           QMessageBox::Ok, MsgIcon::Exclamation);
        return false;
    }
    attachToFile(*document->doc, info);
    rememberDocumentFile(info);
    document->hasFile = true;
    updateDocumentTitle(document);
    return true;
}

bool CProgramApp::saveModified(Document* document)
{
    if (!document)
        return true;
    // A value still being typed into a cell belongs to the document: take it in first, so
    // that closing never drops it without asking.
    document->view->commitCellEdit(false);
    if (!document->doc->modified)
        return true;
    const auto answer = qx260::showMessage(
        mainFrame_.get(), applicationName(),
        qx260::programText(qx260::Text::SaveChangesQuestion).arg(fromNativePath(document->doc->title)),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, MsgIcon::Exclamation);
    if (answer == QMessageBox::Yes)
        return saveDocument(document, false);
    return answer == QMessageBox::No;
}

bool CProgramApp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainFrame_.get() && event->type() == QEvent::Close) {
        if (!saveAllModified()) {
            event->ignore();
            return true;
        }
        rememberMainWindow();
    }
    return QObject::eventFilter(watched, event);
}

bool CProgramApp::saveAllModified()
{
    for (const auto& d : documents_)
        if (!saveModified(d.get()))
            return false;
    return true;
}

void CProgramApp::onDocumentModified(Document* document)
{
    document->doc->modified = true;
    updateDocumentTitle(document);
}

void CProgramApp::updateDocumentTitle(Document* document)
{
    document->view->setWindowTitle(fromNativePath(document->doc->title) + QStringLiteral("[*]"));
    document->view->setWindowModified(document->doc->modified);
}

void CProgramApp::OnCommand(int command)
{
    if (command >= id::FileMruFirst && command <= id::FileMruLast) {
        OnFileMru(command - id::FileMruFirst);
        return;
    }
    for (const AppCommand& entry : kAppCommands) {
        if (entry.command == command) {
            (this->*entry.run)();
            return;
        }
    }
}

void CProgramApp::OnFileNew()
{
    if (Document* active = activeDocument()) {
        const QString text = qx260::resourceMessage(id::StrAllDataCleared);
        if (qx260::showMessage(mainFrame_.get(), applicationName(), text,
                               QMessageBox::Ok | QMessageBox::Cancel,
                               MsgIcon::Exclamation) != QMessageBox::Ok)
            return;
        if (!saveModified(active))
            return;
        destroyDocument(active);
    }
    newDocument();
}

void CProgramApp::OnFileOpen()
{
    const QString path = qx260::askOpenFileName(
        mainFrame_.get(), qx260::programText(qx260::Text::OpenCaption), lastDirectory_, documentFilter());
    if (!path.isEmpty())
        openDocumentFile(path);
}

void CProgramApp::OnFileClose()
{
    if (Document* active = activeDocument())
        active->frame->close();
}

void CProgramApp::OnFileSave()
{
    saveDocument(activeDocument(), false);
}

void CProgramApp::OnFileSaveAs()
{
    saveDocument(activeDocument(), true);
}

void CProgramApp::OnAppAbout()
{
    CAboutDlg dialog(mainFrame_.get());
    dialog.exec();
}

void CProgramApp::OnLanguage()
{
    if (!languageDlg_)
        languageDlg_ = new CLanguageDlg(mainFrame_.get());
    const int result = languageDlg_->exec();
    if (!languageDlg_->choiceChanged() || result != QDialog::Accepted)
        return;
    // The new language needs a new start; the user may still keep this one open.
    if (!mainFrame_->close())
        return;
    const QString& program = programPath_;
    const QString directory = fromNativePath(processValues().executableDirectory);
    const bool started =
        restarter ? restarter(program, directory) : QProcess::startDetached(program, {}, directory);
    if (!started) {
        qx260::showMessage(
            nullptr, applicationName(),
            qx260::programText(qx260::Text::RestartFailed).arg(QDir::toNativeSeparators(program)),
            QMessageBox::Ok, MsgIcon::Exclamation);
    }
}
