// Channels from and into CSV files in a channel window; see ChannelFileCommands.h.

#include "windows/view/ChannelFileCommands.h"
#include "windows/common/DisplayText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCodec.h"
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

QString programFilter()
{
    return pickText("Channel table (*.csv)", "信道表 (*.csv)");
}
QString commonFilter()
{
    return pickText("Common channel-list layout (*.csv)", "通用信道表格式 (*.csv)");
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

QString nothingImported()
{
    return pickText("Nothing was imported; the channels are as they were.", "没有导入；信道保持原样。");
}

} // namespace

QString refusalText(const ChannelImportError& error, const std::string& place, const QString& nothingChanged)
{
    const int id = error.messageId;
    const std::string windowMessage =
        id ? resourceString(id, QString::fromUtf8(cellEditMessageFallback(id))).toStdString() : std::string();
    return QString::fromStdString(
               importErrorText(error, place, windowMessage, processValues().languageFlag)) +
           QLatin1Char('\n') + nothingChanged;
}

void importChannels(CProgramView& view)
{
    const QString caption = pickText("Import Channels", "导入信道");
    if (!view.prepareChannelChange())
        return;
    const QString path =
        askOpenFileName(&view, caption, proposedFolder(view),
                        pickText("Channel lists (*.csv);;All Files (*)", "信道表 (*.csv);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    lastFolder() = QFileInfo(path).absolutePath();
    const bool chinese = processValues().languageFlag;
    const ChannelFileRead file = readChannelListFile(nativePath(path), chinese);
    if (!file.ok()) {
        showMessage(&view, caption,
                    QString::fromStdString(file.error) + QLatin1Char('\n') + nothingImported());
        return;
    }

    const ProcessValues& pv = processValues();
    const std::string name = QFileInfo(path).fileName().toStdString();
    ChannelRowsInput input;
    input.text = file.bytes;
    input.chineseMessages = chinese;
    ChannelTable edited = detachedCopy(view.table());
    ChannelImportResult result =
        importChannelRows(edited, input, view.bandLimits(), chinese, pv.radioVariant);
    if (!result.ok() && result.error.badLocation) {
        const QString question =
            QString::fromStdString(importErrorText(result.error, name, {}, chinese)) +
            QStringLiteral("\n\n") +
            pickText("Take the rows into channels 1 to 16 in the order of the file instead?",
                     "改为按文件中的顺序把各行放入信道 1 到 16？");
        if (showMessage(&view, caption, question, QMessageBox::Yes | QMessageBox::No, MsgIcon::Question) !=
            QMessageBox::Yes)
            return;
        input.renumber = true;
        edited = detachedCopy(view.table());
        result = importChannelRows(edited, input, view.bandLimits(), chinese, pv.radioVariant);
    }
    if (!result.ok()) {
        showMessage(&view, caption, refusalText(result.error, name, nothingImported()));
        return;
    }

    view.takeChannelCells(edited, {ChangeKind::Import, 0});
    const std::string done = chinese ? "已从 " + name + " 导入 " + std::to_string(result.rows) + " 个信道"
                                     : "Imported " + std::to_string(result.rows) + " channel" +
                                           (result.rows == 1 ? "" : "s") + " from " + name;
    view.showStatus(done);
    if (!result.notes.empty()) {
        QString text = QString::fromStdString(done);
        for (const std::string& note : result.notes)
            text += QLatin1Char('\n') + QString::fromStdString(note);
        showMessage(&view, caption, text, QMessageBox::Ok, MsgIcon::Information);
    }
}

void exportChannels(CProgramView& view)
{
    const QString caption = pickText("Export Channels", "导出信道");
    if (!view.commitCellEdit(false))
        return;
    const QString document =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(view.document().title))).completeBaseName();
    const QString proposed =
        QDir(proposedFolder(view))
            .filePath((document.isEmpty() ? QStringLiteral("channels") : document) + QStringLiteral(".csv"));
    QString chosen;
    const QString path =
        askSaveFileName(&view, caption, proposed, programFilter() + QStringLiteral(";;") + commonFilter(),
                        QStringLiteral("csv"), &chosen);
    if (path.isEmpty())
        return;
    lastFolder() = QFileInfo(path).absolutePath();
    const ChannelCsvLayout layout =
        chosen == commonFilter() ? ChannelCsvLayout::Common : ChannelCsvLayout::Program;
    const ChannelTable stored = storedChannels(view.table(), processValues().radioVariant);
    const FileResult written = writeChannelListFile(nativePath(path), exportChannelsCsv(stored, layout));
    if (!written.ok()) {
        showMessage(&view, caption,
                    pickText("Cannot write ", "无法写入 ") + path + QStringLiteral(": ") +
                        QString::fromStdString(written.reason));
        return;
    }
    view.showStatus(processValues().pick("Channels exported to ", "信道已导出到 ") +
                    QFileInfo(path).fileName().toStdString());
}

} // namespace qx260
