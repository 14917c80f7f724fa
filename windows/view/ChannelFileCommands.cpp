// Channels from and into CSV files in a channel window; see ChannelFileCommands.h.

#include "windows/view/ChannelFileCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCsv.h"
#include "core/config/FileAccess.h"
#include "core/config/ProcessValues.h"
#include "core/radio/CProgramDoc.h"
#include "platform/Resources.h"
#include "windows/common/FileDialogs.h"
#include "windows/common/MessageBox.h"
#include "windows/view/CProgramView.h"

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
        const QString question = QString::fromStdString(importErrorText(result.error, name, {}, language)) +
                                 QStringLiteral("\n\n") + listText(Text::RenumberQuestion);
        if (showMessage(&view, caption, question, QMessageBox::Yes | QMessageBox::No, MsgIcon::Question) !=
            QMessageBox::Yes)
            return;
        input.renumber = true;
        result = importChannels(current, input, view.bandLimits(), view.tableVariant(), language);
    }
    if (!result.ok()) {
        showMessage(&view, caption, refusalText(result.error, name, listText(Text::NothingImported)));
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
