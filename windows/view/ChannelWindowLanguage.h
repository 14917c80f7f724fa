#pragma once
// Transitional: the channel window (CProgramView) still passes the language as a flag and
// finds the English messages of a refused commit under their old name. These overloads
// keep it building until it takes processValues().language(); remove this file with their
// last use. Every other caller uses the Language forms of the core. (It also finds the
// resource ids here, which it found through CellEditRules.h before.)

#include <string>
#include <vector>

#include "core/channels/UndoHistory.h"
#include "core/config/Texts.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Tones.h"
#include "res/ResourceIds.h"

namespace qx260
{

inline std::vector<std::string> buildToneList(bool chineseFlag)
{
    return buildToneList(languageOf(chineseFlag));
}

inline std::string columnHeader(int col, bool chineseFlag)
{
    return columnHeader(col, languageOf(chineseFlag));
}

inline std::string undoStatusText(bool undone, const Change* change, bool chineseFlag)
{
    return undoStatusText(undone, change, languageOf(chineseFlag));
}

inline std::string undoDuringTransferText(bool chineseFlag)
{
    return undoDuringTransferText(languageOf(chineseFlag));
}

inline std::string editDuringTransferText(bool chineseFlag)
{
    return editDuringTransferText(languageOf(chineseFlag));
}

inline const char* cellEditMessageFallback(int messageId)
{
    return messageText(messageId, Language::English);
}

} // namespace qx260
