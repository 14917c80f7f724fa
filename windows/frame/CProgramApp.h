#pragma once
// The application object: brings the program up in its fixed order, keeps the open
// documents with their channel windows, and dispatches the commands the main frame
// emits through one table: the application's (New, Open, the recent documents, About,
// Language, All Columns) and the document commands (Close, Save, Save As). It keeps
// what the user left for the next start (CProgramAppPreferences.cpp).

#include <functional>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

class QFileInfo;
class QTranslator;
class CMainFrame;
class CChildFrame;
class CProgramView;
class CLanguageDlg;

namespace qx260
{
class CProgramDoc;
class UserStore;
class UserPreferences;
} // namespace qx260

class CProgramApp : public QObject
{
    Q_OBJECT
  public:
    // One open document with its channel window.
    struct Document {
        std::unique_ptr<qx260::CProgramDoc> doc;
        CChildFrame* frame = nullptr;
        CProgramView* view = nullptr;
        bool hasFile = false; // saved to or opened from a file (Save needs no file name)
    };

    explicit CProgramApp(QObject* parent = nullptr);
    ~CProgramApp() override;

    // Starts the program: programPath is the running executable (its directory holds
    // Program.ini, the language modules and the pictures; installed, they lie under
    // ../share/qx260/ and ../lib/qx260/, with the user's language in a Program.ini of their
    // own over the shipped one); arguments are the command-line
    // words after it. False when the program must end; the user has been told why.
    bool InitInstance(const QString& programPath, const QStringList& arguments);
    // Releases what InitInstance took (the language module); returns the exit code.
    int ExitInstance();

    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    const std::vector<std::unique_ptr<Document>>& documents() const { return documents_; }
    // The document whose window was activated last (it may be hidden); null without one.
    Document* activeDocument() const;
    CLanguageDlg* languageDialog() const { return languageDlg_; }
    Document* documentOf(const CChildFrame* frame) const;

    // Creates a new document with its channel window.
    Document* newDocument();
    // Opens a "*.dat" file; reports failures to the user and returns null.
    Document* openDocumentFile(const QString& path);
    // Save (saveAs false) or Save As. False when it failed or the user cancelled.
    bool saveDocument(Document* document, bool saveAs);
    // Asks whether to save a modified document: true to go on (saved, or not wanted),
    // false when the user cancelled or the save failed.
    bool saveModified(Document* document);
    // Every modified document through saveModified (before the program ends).
    bool saveAllModified();

    // The application name: caption of the program's message boxes.
    static QString applicationName();

    // Starts the program again (after a change of language). Tests replace it.
    std::function<bool(const QString& program, const QString& workingDirectory)> restarter;

  public slots:
    // Runs an application or document command by its id; other ids are not ours.
    void OnCommand(int command);
    void OnFileNew();
    void OnFileOpen();
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppAbout();
    void OnLanguage();
    void OnViewAllColumns();
    // The recent document at this position of the File menu (0 for the first).
    void OnFileMru(int index);

  protected:
    // Closing the main window asks about every modified document first.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Document* addDocument(std::unique_ptr<qx260::CProgramDoc> doc, bool hasFile);
    void destroyDocument(Document* document);
    void onDocumentModified(Document* document);
    void updateDocumentTitle(Document* document);
    void adjustMenusFromConfiguration();
    void installToolkitTranslation();
    void removeToolkitTranslation();
    // The document now stands for this file: its path, title and an unmodified mark.
    void attachToFile(qx260::CProgramDoc& doc, const QFileInfo& file);
    QString proposedSavePath(const Document* document) const;

    // What the user left as they left it (CProgramAppPreferences.cpp): the recent
    // documents, the last folder, All Columns; the main window and the navigation bar.
    void loadUserPreferences();
    void showMainWindow();
    void rememberMainWindow();
    // A document opened or saved: first in the recent list, its folder the last one.
    void rememberDocumentFile(const QFileInfo& file);
    void showRecentFiles();

    std::unique_ptr<qx260::UserStore> userStore_;
    std::unique_ptr<qx260::UserPreferences> preferences_;
    QStringList recentFiles_; // as the File menu lists them
    bool allColumns_ = false;
    // The toolkit's own texts (file and print dialogs, edit menus) in Chinese.
    std::unique_ptr<QTranslator> toolkitTranslator_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::vector<std::unique_ptr<Document>> documents_;
    CLanguageDlg* languageDlg_ = nullptr; // one object, owned by the main frame
    QString lastDirectory_;
    QString programPath_; // the running executable, started again after a change of language
};

// The application object of the running program (set while one exists).
CProgramApp* theApp();
