// Channels from and into CSV files in a channel window; see ChannelFileCommands.h.

#include "windows/view/ChannelFileCommands.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCsv.h"
#include "core/channels/ImportPlan.h"
#include "core/config/FileAccess.h"
#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "windows/common/FileDialogs.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CImportRowsDlg.h"
#include "windows/view/CProgramView.h"
#include "windows/view/ChannelClipboard.h"
#include "windows/view/ChannelEditor.h"

namespace qx260
{

namespace
{

Language programLanguage()
{
    return processValues().language();
}

// The folder of the last channel list, else the document's own, else the working one.
QString& lastFolder()
{
    static QString folder;
    return folder;
}

QString proposedFolder(CProgramView& view)
{
    if (!lastFolder().isEmpty())
        return lastFolder();
    const QFileInfo document(QFile::decodeName(QByteArray::fromStdString(view.document().pathName)));
    return document.exists() ? document.absolutePath() : QDir::currentPath();
}

std::string nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

QString listText(Text id, std::initializer_list<std::string> args)
{
    return QString::fromStdString(formatText(id, programLanguage(), args));
}

QString refusalText(const ChannelImportError& error, const std::string& place, const QString& nothingChanged)
{
    const int id = error.messageId;
    const std::string windowMessage = id ? resourceMessage(id).toStdString() : std::string();
    return QString::fromStdString(importErrorText(error, place, windowMessage, programLanguage())) +
           QLatin1Char('\n') + nothingChanged;
}

void showImportNotes(CProgramView& view, const QString& caption, const std::string& done,
                     const ChannelImportResult& result)
{
    if (result.notes.empty())
        return;
    QString text = QString::fromStdString(done);
    for (const std::string& note : result.notes)
        text += QLatin1Char('\n') + QString::fromStdString(note);
    showMessage(&view, caption, text, QMessageBox::Ok, MsgIcon::Information);
}

// A file that cannot be taken whole: the import dialog when some of its rows can be taken,
// else the first refusal as a whole import tells it.
void importRowsThatFit(CProgramView& view, const std::string& bytes, const std::string& name,
                       const ChannelImportError& firstRefusal)
{
    const QString caption = listText(Text::ImportCaption);
    const Language language = programLanguage();
    const ImportTarget target{view.bandLimits(),
                              otherProductBands(view.document().image, processValues().configurationStore),
                              view.tableVariant(), language};
    const ImportFile file = readImportFile(bytes, target);
    const bool someFit = file.ok() && std::any_of(file.rows.begin(), file.rows.end(),
                                                  [](const ImportRow& r) { return r.fits; });
    if (!someFit) {
        QString refusal = refusalText(firstRefusal, name, listText(Text::NothingImported));
        if (file.ok() && !file.bandNote.empty())
            refusal += QLatin1Char('\n') + QString::fromStdString(file.bandNote);
        showMessage(&view, caption, refusal);
        return;
    }

    // The first selected channel, else the current one.
    const int current = view.editor().clipboard().firstRow();
    CImportRowsDlg dialog(file, QString::fromStdString(name),
                          current >= 1 && current <= kChannelCount ? current : 1, &view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ImportTaken taken =
        takeChosenRows(view.channels(), file, dialog.chosen(), dialog.firstChannel(), target);
    if (!taken.ok()) {
        showMessage(&view, caption, refusalText(taken.result.error, name, listText(Text::NothingImported)));
        return;
    }
    if (taken.taken > 0)
        view.takeChannels(taken.result.channels, {ChangeKind::Import, 0});
    const std::string done = importSummary(taken, language);
    view.showStatus(done);
    QString told = QString::fromStdString(done);
    for (const LeftOutRow& row : taken.leftOut)
        told +=
            QLatin1Char('\n') + QString::fromStdString(formatText(Text::ImportLeftOutLine, language,
                                                                  {std::to_string(row.line), row.reason}));
    for (const std::string& note : taken.result.notes)
        told += QLatin1Char('\n') + QString::fromStdString(note);
    showMessage(&view, caption, told, QMessageBox::Ok, MsgIcon::Information);
}

void importChannels(CProgramView& view)
{
    const QString caption = listText(Text::ImportCaption);
    if (!view.prepareChannelChange())
        return;
    const QString path = askOpenFileName(&view, caption, proposedFolder(view), listText(Text::ImportFilter));
    if (path.isEmpty())
        return;
    lastFolder() = QFileInfo(path).absolutePath();
    const Language language = programLanguage();
    const ChannelFileRead file = readChannelListFile(nativePath(path), language);
    if (!file.ok()) {
        showMessage(&view, caption,
                    QString::fromStdString(file.error) + QLatin1Char('\n') + listText(Text::NothingImported));
        return;
    }

    const std::string name = QFileInfo(path).fileName().toStdString();
    const ChannelList current = view.channels();
    ChannelRowsInput input;
    input.text = file.bytes;
    ChannelImportResult result =
        importChannels(current, input, view.bandLimits(), view.tableVariant(), language);
    if (!result.ok() && result.error.badLocation) {
        // Locations of a bigger radio: when the rows fit in file order, the user may take
        // them so; when they do not, the import dialog shows which do.
        ChannelRowsInput renumbered = input;
        renumbered.renumber = true;
        const ChannelImportResult inOrder =
            importChannels(current, renumbered, view.bandLimits(), view.tableVariant(), language);
        if (inOrder.ok()) {
            const QString question =
                QString::fromStdString(importErrorText(result.error, name, {}, language)) +
                QStringLiteral("\n\n") + listText(Text::RenumberQuestion);
            if (showMessage(&view, caption, question, QMessageBox::Yes | QMessageBox::No,
                            MsgIcon::Question) != QMessageBox::Yes)
                return;
            result = inOrder;
        }
    }
    if (!result.ok()) {
        importRowsThatFit(view, file.bytes, name, result.error);
        return;
    }

    view.takeChannels(result.channels, {ChangeKind::Import, 0});
    const std::string done =
        result.rows == 1 ? formatText(Text::ImportedOne, language, {name})
                         : formatText(Text::ImportedMany, language, {std::to_string(result.rows), name});
    view.showStatus(done);
    showImportNotes(view, caption, done, result);
}

void exportChannels(CProgramView& view)
{
    const QString caption = listText(Text::ExportCaption);
    if (!view.commitCellEdit(false))
        return;
    const QString document =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(view.document().title))).completeBaseName();
    const QString proposed =
        QDir(proposedFolder(view))
            .filePath((document.isEmpty() ? QStringLiteral("channels") : document) + QStringLiteral(".csv"));
    const QString programFilter = listText(Text::ProgramLayoutFilter);
    const QString commonFilter = listText(Text::CommonLayoutFilter);
    QString chosen;
    const QString path =
        askSaveFileName(&view, caption, proposed, programFilter + QStringLiteral(";;") + commonFilter,
                        QStringLiteral("csv"), &chosen);
    if (path.isEmpty())
        return;
    lastFolder() = QFileInfo(path).absolutePath();
    const ChannelCsvLayout layout =
        chosen == commonFilter ? ChannelCsvLayout::Common : ChannelCsvLayout::Program;
    const FileResult written =
        writeChannelListFile(nativePath(path), exportChannels(view.channels(), layout, programLanguage()));
    if (!written.ok()) {
        showMessage(&view, caption, listText(Text::CannotWrite, {path.toStdString(), written.reason}));
        return;
    }
    view.showStatus(
        formatText(Text::ExportedTo, programLanguage(), {QFileInfo(path).fileName().toStdString()}));
}

} // namespace qx260
