// The two-language texts of channel lists; see ChannelListTexts.h.

#include "core/channels/ChannelListTexts.h"

#include <iterator>
#include <string_view>
#include <vector>

#include "core/channels/CellEditRules.h"
#include "core/radio/ChannelTexts.h"

namespace qx260
{

namespace
{

struct Texts {
    ChannelListText id;
    const char* english;
    const char* chinese;
};

using T = ChannelListText;

// In the order of the enum: channelListText checks it.
constexpr Texts kTexts[] = {
    {T::FileTooLarge, "%1 is larger than 1 MB and so not a list of 16 channels", "%1 大于 1 MB，不是信道表"},
    {T::FileCannotOpen, "cannot open %1: %2", "无法打开 %1: %2"},
    {T::CsvNotUtf8, "the file is not UTF-8 text; save it as CSV in UTF-8",
     "文件不是 UTF-8 文本；请以 UTF-8 编码另存为 CSV"},
    {T::CsvUnclosedQuote, "a quoted field is not closed (a \" is missing)",
     "引号中的字段没有结束（缺少一个 \"）"},
    {T::CsvTextAfterQuote, "text follows the closing \" of a quoted field",
     "引号中的字段在结束的 \" 之后还有文字"},
    {T::FileEmpty, "the file is empty; its first line must be the header row (%1)",
     "文件是空的；第一行必须是标题行（%1）"},
    {T::NotAColumn,
     "\"%1\" is not a column; the columns are %2 (or those of the common channel-list layout: Location, "
     "Frequency, ...)",
     "\"%1\" 不是一列；列为 %2（或通用信道表格式的列：Location、Frequency ……）"},
    {T::ColumnTwice, "the column \"%1\" is there twice", "列 \"%1\" 出现了两次"},
    {T::NoSuchColumn, "the header row has no \"%1\" column", "标题行没有 \"%1\" 列"},
    {T::MoreFieldsThanShown,
     "this row has more fields than the window shows columns; copy the header line with the rows",
     "这一行的字段比窗口显示的列多；请连同标题行一起复制"},
    {T::MoreFieldsThanHeader, "this row has more fields than the header row has columns",
     "这一行的字段比标题行的列多"},
    {T::DecimalComma, "use a point as the decimal separator: write %1", "小数点须为 \".\"：请写作 %1"},
    {T::ChannelNotOneTo16, "the channel number must be 1 to 16", "信道号必须是 1 到 16"},
    {T::LocationNotOneTo16, "the location must be a channel 1 to 16 (this radio has 16 channels)",
     "位置必须是 1 到 16 的信道（本电台有 16 个信道）"},
    {T::RowsPastChannel16, "the rows run past channel 16", "粘贴的行超出了第 16 信道"},
    {T::RowTooMany, "there are only 16 channels; this row is one too many", "只有 16 个信道；这一行多出来了"},
    {T::ChannelGivenTwice, "channel %1 was already given on line %2", "信道 %1 已在第 %2 行给出"},
    {T::ToneNotANumber,
     "not a number of hertz; write tones with a point as the decimal separator, such as 67.0",
     "不是赫兹数；亚音请用小数点书写，例如 67.0"},
    {T::ToneNotListed, "not in the tone list (None, 67.0 ... 254.1, D023N ... D754N, D023I ... D754I)",
     "不在亚音列表中（无、67.0 … 254.1、D023N … D754N、D023I … D754I）"},
    {T::NotAChoice, "not one of the choices of \"%1\"", "不是 \"%1\" 的选项之一"},
    {T::CommonFrequency, "Frequency must be the receive frequency in MHz, such as 146.520000",
     "Frequency 必须是以 MHz 为单位的接收频率，例如 146.520000"},
    {T::CommonDuplex, "Duplex must be empty, +, -, split or off", "Duplex 必须为空、+、-、split 或 off"},
    {T::CommonOffsetSplit,
     "with Duplex split, Offset must be the transmit frequency in MHz, such as 146.520000",
     "Duplex 为 split 时，Offset 必须是以 MHz 为单位的发射频率，例如 146.520000"},
    {T::CommonOffset, "Offset must be a frequency difference in MHz, such as 0.600000",
     "Offset 必须是以 MHz 为单位的频差，例如 0.600000"},
    {T::CommonTxTooLarge, "the transmit frequency is too large", "发射频率过大"},
    {T::CommonMode, "Mode must be FM (Wide) or NFM (Narrow)", "Mode 必须是 FM（宽）或 NFM（窄）"},
    {T::CommonSkip, "Skip must be empty (scanned) or S (not scanned)", "Skip 必须为空（扫描）或 S（不扫描）"},
    {T::CommonPolarity,
     "DtcsPolarity must be NN, NR, RN or RR (N normal, R inverted; transmit first, then receive)",
     "DtcsPolarity 必须是 NN、NR、RN 或 RR（N 正向，R 反向；先发射，后接收）"},
    {T::CommonToneEmpty, "%1 is empty: a tone in Hz is needed, such as 88.5",
     "%1 不能为空：需要以 Hz 为单位的亚音，例如 88.5"},
    {T::CommonCodeDigits, "%1 must be a code of three octal digits, such as 023",
     "%1 必须是三位八进制数字的数字亚音码，例如 023"},
    {T::CommonToneMode, "Tone must be empty, Tone, TSQL, DTCS or Cross",
     "Tone 必须为空、Tone、TSQL、DTCS 或 Cross"},
    {T::CommonCrossModeMissing, "Tone Cross needs a CrossMode; %1", "Tone 为 Cross 时需要 CrossMode；%1"},
    {T::CommonCrossModeNotHeld, "this radio cannot hold this CrossMode; %1",
     "本电台不能保存这个 CrossMode；%1"},
    {T::CommonCrossModesHeld,
     "this radio holds Tone->Tone, Tone->DTCS, DTCS->Tone, DTCS->DTCS, Tone->, DTCS->, ->Tone and ->DTCS",
     "本电台能保存 Tone->Tone、Tone->DTCS、DTCS->Tone、DTCS->DTCS、Tone->、DTCS->、->Tone 和 ->DTCS"},
    {T::CommonTxReckoned, "transmit frequency %1 (Frequency %2 Offset)",
     "发射频率 %1（Frequency %2 Offset）"},
    {T::IgnoredColumns, "Ignored columns (this radio keeps no such values): %1",
     "已忽略的列（本电台不保存这些值）：%1"},
    {T::HiddenColumnsKept, "The file's values in %1 were kept; radio variant %2 does not show these columns.",
     "文件中 %1 列的值已保留；电台类型 %2 不显示这些列。"},
    {T::PlaceColumn, ": column %1", ": 第 %1 列"},
    {T::PlaceChannel, "Channel %1", "信道 %1"},
    {T::PlaceLine, "Line %1", "第 %1 行"},
    {T::PlaceSeparator, ", ", "，"},
    {T::ImportCaption, "Import Channels", "导入信道"},
    {T::ExportCaption, "Export Channels", "导出信道"},
    {T::ImportFilter, "Channel lists (*.csv);;All Files (*)", "信道表 (*.csv);;所有文件 (*)"},
    {T::ProgramLayoutFilter, "Channel table (*.csv)", "信道表 (*.csv)"},
    {T::CommonLayoutFilter, "Common channel-list layout (*.csv)", "通用信道表格式 (*.csv)"},
    {T::NothingImported, "Nothing was imported; the channels are as they were.", "没有导入；信道保持原样。"},
    {T::NothingPasted, "Nothing was pasted; the channels are as they were.", "没有粘贴；信道保持原样。"},
    {T::RenumberQuestion, "Take the rows into channels 1 to 16 in the order of the file instead?",
     "改为按文件中的顺序把各行放入信道 1 到 16？"},
    {T::ImportedOne, "Imported 1 channel from %1", "已从 %1 导入 1 个信道"},
    {T::ImportedMany, "Imported %1 channels from %2", "已从 %2 导入 %1 个信道"},
    {T::CannotWrite, "Cannot write %1: %2", "无法写入 %1: %2"},
    {T::ExportedTo, "Channels exported to %1", "信道已导出到 %1"},
    {T::OneChannel, "channel %1", "信道 %1"},
    {T::SeveralChannels, "channels %1-%2", "信道 %1-%2"},
    {T::Copied, "Copied %1", "已复制%1"},
    {T::Cut, "Cut %1", "已剪切%1"},
    {T::Pasted, "Pasted %1", "已粘贴%1"},
};

constexpr bool inEnumOrder()
{
    for (std::size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    return static_cast<std::size_t>(T::Pasted) + 1 == std::size(kTexts);
}
static_assert(inEnumOrder(), "kTexts lists every text once, in the order of ChannelListText");

} // namespace

std::string channelListText(ChannelListText id, Language language, std::initializer_list<std::string> args)
{
    const Texts& texts = kTexts[static_cast<std::size_t>(id)];
    const std::string_view pattern = isChinese(language) ? texts.chinese : texts.english;
    const std::vector<std::string> values(args);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto k = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && k < values.size()) {
            out += values[k];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string fieldRefusalText(FieldRefusal refusal, ChannelField field, Language language)
{
    if (const int id = refusalMessageId(refusal); id != 0)
        return cellEditMessageFallback(id);
    if (refusal == FieldRefusal::ToneNotANumber)
        return channelListText(ChannelListText::ToneNotANumber, language);
    if (isToneField(field))
        return channelListText(ChannelListText::ToneNotListed, language);
    return channelListText(ChannelListText::NotAChoice, language,
                           {columnHeader(columnOf(field), isChinese(language))});
}

} // namespace qx260
