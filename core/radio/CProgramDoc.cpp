// The document: a new one's defaults, and opening and saving its file.

#include "core/radio/CProgramDoc.h"

#include "core/config/ProcessValues.h"
#include "core/config/Texts.h"

namespace qx260
{

bool CProgramDoc::OnNewDocument(const ProcessValues& values)
{
    image = RadioImage::newImage();
    title = textOf(Text::ChannelInformation, values.language());
    pathName = values.configurationStore.GetString("Setup", "AppName", "");
    modified = false;
    newDocumentFlag = true;
    return true;
}

DocumentResult CProgramDoc::OnOpenDocument(const std::string& path)
{
    // Taken before the read: a file that changes while it is read counts as changed later.
    const FileStamp stamp = fileStamp(path);
    DocumentResult result = loadDatFile(path, image);
    if (!result.ok())
        return result;
    fileOnDisk = stamp;
    pathName = path;
    title = fileTitle(path);
    modified = false;
    newDocumentFlag = false;
    return result;
}

DocumentResult CProgramDoc::OnSaveDocument(const std::string& path)
{
    DocumentResult result = saveDatFile(path, image);
    if (!result.ok())
        return result;
    fileOnDisk = fileStamp(path);
    pathName = path;
    title = fileTitle(path);
    modified = false;
    return result;
}

bool CProgramDoc::changedOnDisk() const
{
    if (!fileOnDisk.exists || pathName.empty())
        return false;
    const FileStamp now = fileStamp(pathName);
    return now.exists && now != fileOnDisk;
}

} // namespace qx260
