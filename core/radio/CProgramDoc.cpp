#include "core/radio/CProgramDoc.h"

#include "core/config/ProcessValues.h"

namespace qx260
{

bool CProgramDoc::OnNewDocument(ProcessValues& values)
{
    image = RadioImage::newImage();
    title = values.languageFlag ? "信道信息" : "Channel Information";
    pathName = values.configurationStore.GetString("Setup", "AppName", "");
    modified = false;
    values.newDocumentFlag = true;
    return true;
}

DocumentResult CProgramDoc::OnOpenDocument(const std::string& path, ProcessValues& values)
{
    DocumentResult result = loadDatFile(path, image);
    if (!result.ok())
        return result;
    pathName = path;
    title = fileTitle(path);
    modified = false;
    values.newDocumentFlag = false;
    return result;
}

DocumentResult CProgramDoc::OnSaveDocument(const std::string& path)
{
    DocumentResult result = saveDatFile(path, image);
    if (!result.ok())
        return result;
    pathName = path;
    title = fileTitle(path);
    modified = false;
    return result;
}

} // namespace qx260
