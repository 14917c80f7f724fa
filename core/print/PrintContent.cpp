// Gathering what a printout shows from a document: its channels as the window shows them,
// the image bytes, the language and the configured footer text.

#include <cstdio>

#include "core/channels/Channel.h"
#include "core/channels/ChannelFields.h"
#include "core/config/CIniFile.h"
#include "core/config/ProcessValues.h"
#include "core/print/PrintLayout.h"
#include "core/radio/ChannelTexts.h"

namespace qx260
{

PrintContent printContent(const RadioImage& image, PrintView view, const CIniFile& config,
                          const std::string& languageName, Language language)
{
    PrintContent content;
    for (std::size_t c = 0; c < content.cells[0].size(); ++c)
        content.cells[0][c] = columnHeader(static_cast<int>(c), language);
    const ChannelList channels = decodeChannels(image);
    for (int n = 1; n <= kChannelCount; ++n) {
        auto& row = content.cells[static_cast<std::size_t>(n)];
        char number[8];
        std::snprintf(number, sizeof number, "%2d", n);
        row[0] = number;
        const std::array<std::string, 8> texts =
            shownFieldTexts(channels.channel(n), view.radioVariant, language);
        std::copy(texts.begin(), texts.end(), row.begin() + 1);
    }
    content.busyLockAndPower = view.busyLockAndPower;
    content.image = image.bytes();
    content.language = language;
    content.footer = config.GetString(languageName, "Copyrights Owner", "");
    return content;
}

PrintContent printContent(const RadioImage& image, PrintView view, const ProcessValues& values)
{
    return printContent(image, view, values.configurationStore, values.languageName, values.language());
}

} // namespace qx260
