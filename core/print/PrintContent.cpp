// Gathering what a printout shows from a document: the channel cells as the window shows
// them, the image bytes, the language and the configured footer text.

#include "core/channels/ChannelTable.h"
#include "core/config/CIniFile.h"
#include "core/config/ProcessValues.h"
#include "core/print/PrintLayout.h"

namespace qx260
{

PrintContent printContent(const ChannelTable& table, const RadioImage& image, const CIniFile& config,
                          const std::string& languageName, bool languageFlag)
{
    PrintContent content;
    for (int r = 0; r < ChannelTable::kRows; ++r)
        for (int c = 0; c < static_cast<int>(content.cells[r].size()); ++c)
            content.cells[r][c] = table.textMatrix(r, c);
    // The printout shows what the window shows: Busy Lock and Power once they have a width.
    content.busyLockAndPower = table.colWidth(column::BusyLock) > 0 && table.colWidth(column::Power) > 0;
    content.image = image.bytes();
    content.chinese = languageFlag;
    content.footer = config.GetString(languageName, "Copyrights Owner", "");
    return content;
}

PrintContent printContent(const ChannelTable& table, const RadioImage& image, const ProcessValues& values)
{
    return printContent(table, image, values.configurationStore, values.languageName, values.languageFlag);
}

} // namespace qx260
