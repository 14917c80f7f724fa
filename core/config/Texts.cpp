// The catalogue of the program's own texts in both languages (see Texts.h), and the string
// table's texts by message id.

#include "core/config/Texts.h"

#include <iterator>
#include <vector>

#include "res/StringTable.h"

namespace qx260
{

namespace
{

struct TextRow {
    Text id;
    const char* english;
    const char* chinese;
};

using T = Text;

// In the order of the enum: textOf finds a row by its index, and the check below holds the
// table to it.
constexpr TextRow kTexts[] = {
    {T::HeaderChannel, "CH", "信道"},
    {T::HeaderRxFrequency, "Rx Frequency", "接收频率"},
    {T::HeaderTxFrequency, "Tx Frequency", "发射频率"},
    {T::HeaderDecodeTone, "QT/DQT Dec", "QT/DQT解码"},
    {T::HeaderEncodeTone, "QT/DQT Enc", "QT/DQT编码"},
    {T::HeaderBandwidth, "W/N", "宽/窄"},
    {T::HeaderScan, "Scan", "扫描"},
    {T::HeaderBusyLock, "Busy Lock", "繁忙锁定"},
    {T::HeaderPower, "Power", "功率"},
    {T::Wide, "Wide", "宽"},
    {T::Narrow, "Narrow", "窄"},
    {T::Yes, "Yes", "是"},
    {T::No, "No", "否"},
    {T::Off, "Off", "关"},
    {T::On, "On", "开"},
    {T::Carrier, "Carrier", "载波"},
    {T::QtDqt, "QT/DQT", "QT/DQT"},
    {T::High, "High", "高"},
    {T::Low, "Low", "低"},
    {T::None, "None", "无"},
    {T::VoiceChinese, "Chinese", "中文"},
    {T::VoiceEnglish, "English", "英文"},
    {T::SideKeyMonitor, "Monitor", "监听"},
    {T::SideKeyMonitorMomentary, "Monitor Momentary", "监听瞬时"},
    {T::SideKeyPowerSelect, "Power select", "功率选择"},
    {T::OptionTimeOutTime, "Time Out Time", "超时定时器"},
    {T::OptionSquelchLevel, "Squelch Level", "静噪电平"},
    {T::OptionTransmitDelay, "Transmit Delay", "发射延时"},
    {T::OptionSideKey, "Side Key", "侧键"},
    {T::OptionBeep, "Beep", "哔音"},
    {T::OptionBatterySaver, "Battery Saver", "电池省电"},
    {T::OptionPriorityChannel, "Priority Channel", "优先信道"},
    {T::OptionVox, "VOX", "声控"},
    {T::OptionVoxGainLevel, "Vox Gain Level", "声控增益电平"},
    {T::OptionVoiceAnnunciation, "Voice Annunciation", "语音报号"},
    {T::OptionVoxDelayTime, "Vox Delay Time", "声控延迟时间"},
    {T::TransmitDelayNotAllowed,
     "Not one of the allowed values, please input again: Off, or 0.1 to 180.0 seconds in steps of 0.1.",
     "不是允许的值，请重新输入：关，或 0.1 至 180.0 秒，步进 0.1。"},
    {T::WindowCaption, "%1  [ Type:%2  Fre:%3 ]", "%1  [ 类型:%2  频率:%3 ]"},
    {T::ChannelInformation, "Channel Information", "信道信息"},
    {T::ProductInformation, "Product Information", "类型设置"},
    {T::OptionalFeatures, "Optional Features", "可选功能"},
    {T::ChannelTableName, "Channel table", "信道表"},
    {T::ChannelsOutsideBand,
     "These channels lie outside the band %1 and are kept as they are: %2.\n"
     "Change them before you write to the radio.",
     "以下信道不在频段 %1 之内，已保持原样：%2。\n请在写入电台之前修改它们。"},
    {T::NothingToUndo, "Nothing to undo", "没有可撤销的更改"},
    {T::NothingToRedo, "Nothing to redo", "没有可重做的更改"},
    {T::Undone, "Undone: %1", "已撤销：%1"},
    {T::Redone, "Redone: %1", "已重做：%1"},
    {T::ChangeRead, "Read", "读数据"},
    {T::ChangePaste, "Paste", "粘贴"},
    {T::ChangeCut, "Cut", "剪切"},
    {T::ChangeOther, "change", "更改"},
    {T::UndoDuringTransfer, "Undo and Redo are not available while the radio is read or written",
     "读写电台期间不能撤销或重做"},
    {T::EditDuringTransfer, "The channels cannot be changed while the radio is read or written",
     "读写电台期间不能更改信道"},
    {T::FileTooLarge, "%1 is larger than 1 MB and so not a list of 16 channels", "%1 大于 1 MB，不是信道表"},
    {T::FileCannotOpen, "cannot open %1: %2", "无法打开 %1: %2"},
    {T::CsvNotUtf8, "the file is not UTF-8 text; save it as CSV in UTF-8",
     "文件不是 UTF-8 文本；请以 UTF-8 编码另存为 CSV"},
    {T::CsvUnclosedQuote, "a quoted field is not closed (a \" is missing)",
     "引号中的字段没有结束（缺少一个 \"）"},
    {T::CsvTextAfterQuote, "text follows the closing \" of a quoted field",
     "引号中的字段在结束的 \" 之后还有文字"},
    {T::CsvUtf16, "this file is UTF-16; save it as UTF-8", "此文件是 UTF-16 编码；请另存为 UTF-8"},
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
    {T::ChannelNumber, "Channel %1", "信道 %1"},
    {T::CellEditorName, "%1, channel %2", "%1，信道 %2"},
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
    {T::EmptyValue, "(empty)", "(空)"},
    {T::DifferenceCell, "Channel %1 %2", "信道 %1 %2"},
    {T::ProductType, "Product type", "类型"},
    {T::Band, "Band", "频段"},
    {T::OtherBytes, "Other bytes (0x000-0x32F)", "其他字节 (0x000-0x32F)"},
    {T::BytesOnlyInFile, "Bytes kept only in the file (0x330-0x3FF)", "仅保存在文件中的字节 (0x330-0x3FF)"},
    {T::BytesDiffer, "%1 differ at %2", "%1 处不同：%2"},
    {T::TurnOk, "ok", "成功"},
    {T::TurnOkVerified, "ok, verified", "成功，已校验"},
    {T::EndPortNotOpened, "the port could not be opened", "端口无法打开"},
    {T::EndNoAnswer, "no answer (check the cable and that the radio is switched on)",
     "电台无应答（请检查连接线以及电台是否已开机）"},
    {T::EndOtherType, "the radio is of another type", "对讲机类型不匹配"},
    {T::EndBrokeOff, "the transfer broke off", "通讯中断"},
    {T::Cancelled, "cancelled", "已取消"},
    {T::WithReason, "%1: %2", "%1：%2"},
    {T::BackupFolderNotThere, "the backup folder does not exist", "备份文件夹不存在"},
    {T::BackupNotWritten, "cannot write %1: %2", "无法写入 %1：%2"},
    {T::TurnNothingWritten, "%1; nothing was written", "%1；未写入任何数据"},
    {T::NotReadForBackup, "not read for the backup: %1", "无法读取电台以备份：%1"},
    {T::BackupNotKept, "the backup could not be kept: %1", "备份无法保存：%1"},
    {T::WrittenPartly, "%1; %2", "%1；%2"},
    {T::NotReadBackToVerify, "written, but not read back to verify: %1", "已写入，但无法读回校验：%1"},
    {T::WrittenButDiffers, "written, but the radio does not hold what was written",
     "已写入，但电台中的数据与写入的不一致"},
    {T::PrintOption, "Option", "可选功能"},
    {T::PrintFunction, "Function", "功能"},
    {T::PrintTimeOutTime, "Time Out Time:", "超时定时器:"},
    {T::PrintSquelchLevel, "Squelch Level:", "静噪电平:"},
    {T::PrintVoiceAnnunciation, "Voice Annunication:", "语音报号:"},
    {T::PrintVoxDelayTime, "Vox Delay Time:", "声控延迟时间:"},
    {T::PrintVoxGainLevel, "Vox Gain Level:", "声控增益电平:"},
    {T::PrintBatterySaver, "Battery Saver:", "电池省电:"},
    {T::PrintBeep, "Beep:", "哔音:"},
    {T::PrintChannels, "Channel", "信道"},
    {T::PrintChannelNumber, "Channel %1:", "信道%1:"},
    {T::PrintRxFrequency, "Receive Frequency:", "接收频率:"},
    {T::PrintTxFrequency, "Transceive Frequency:", "发射频率:"},
    {T::PrintDecodeTone, "QT/DQT Decode:", "QT/DQT解码:"},
    {T::PrintEncodeTone, "QT/DQT Encode:", "QT/DQT编码:"},
    {T::PrintBandwidth, "W/N:", "宽/窄:"},
    {T::PrintScan, "Scan:", "扫描:"},
    {T::PrintBusyLock, "Busy Lock:", "繁忙锁定:"},
    {T::PrintPower, "Power:", "功率:"},
    {T::OkButton, "OK", "确定"},
    {T::CancelButton, "Cancel", "取消"},
    {T::CloseButton, "Close", "关闭"},
    {T::YesButton, "&Yes", "是(&Y)"},
    {T::NoButton, "&No", "否(&N)"},
    {T::RetryButton, "&Retry", "重试(&R)"},
    {T::AbortButton, "&Abort", "中止(&A)"},
    {T::IgnoreButton, "&Ignore", "忽略(&I)"},
    {T::SaveButton, "&Save", "保存(&S)"},
    {T::BrowseButton, "Browse...", "浏览..."},
    {T::WriteButton, "Write", "写入"},
    {T::WriteAgainButton, "Write Again", "重新写入"},
    {T::LessButton, "<< &Less", "<< 收起(&L)"},
    {T::MoreButton, "&More >>", "更多(&M) >>"},
    {T::NavigationName, "Navigation", "导航"},
    {T::UpArrowName, "Up", "增大"},
    {T::DownArrowName, "Down", "减小"},
    {T::ConfigurationNotRead, "The configuration file %1 cannot be read:\n%2", "无法读取配置文件 %1：\n%2"},
    {T::LanguageModuleNotLoaded, "Load language DLL fail", "加载语言链接库失败"},
    {T::LanguageModuleRemedy,
     "The configuration file %1 names no language the program has a module for ([Setup] Language is "
     "\"%2\"); the file may be damaged or no configuration file at all.\n"
     "Put Language=English or Language=Chinese in its [Setup] section, or replace it with the "
     "Program.ini that came with the program, then start the program again.",
     "配置文件 %1 未指定程序具有语言链接库的语言（[Setup] Language "
     "为“%2”）；该文件可能已损坏，或根本不是配置文件。\n"
     "请在其 [Setup] 段中写入 Language=English 或 Language=Chinese，或用程序自带的 Program.ini "
     "替换它，然后重新启动程序。"},
    {T::DocumentFilter, "Program Document (*.dat);;All Files (*)", "写频数据文件 (*.dat);;所有文件 (*)"},
    {T::OpenCaption, "Open", "打开"},
    {T::SaveAsCaption, "Save As", "另存为"},
    {T::DataFormatError, "Data Format Error", "数据格式不正确"},
    {T::FileNotOpened, "Cannot open the file %1:\n%2\nCheck that the file exists and that you may read it.",
     "无法打开文件 %1：\n%2\n请确认文件存在并且您有读取权限。"},
    {T::FileChangedOnDisk,
     "%1 has been changed by another program since it was opened or last saved.\n"
     "Replace it with this document?",
     "%1 在打开或上次保存之后已被其他程序修改。\n是否用本文档替换它？"},
    {T::FileReadOnly, "%1 is read-only and was not changed.\nSave the document under another name?",
     "%1 是只读文件，未作更改。\n是否以其他文件名保存文档？"},
    {T::FileNotSaved,
     "Cannot save the file %1:\n%2\nChoose another folder or file name, or check "
     "the free disk space.",
     "无法保存文件 %1：\n%2\n请选择其他文件夹或文件名，或检查磁盘剩余空间。"},
    {T::SaveChangesQuestion, "Save changes to %1?", "是否保存对 %1 的更改？"},
    {T::RestartFailed,
     "The program could not be started again:\n%1\nStart it yourself to use the new language.",
     "无法重新启动程序：\n%1\n请自行启动程序以使用新的语言。"},
    {T::RecentFileGone,
     "%1 no longer exists.\n"
     "It has been removed from the list of recent files.",
     "%1 已不存在。\n已将它从最近使用的文件列表中删除。"},
    {T::FileInUse,
     "%1 is being changed by another program.\n"
     "Try again when it has finished.",
     "%1 正被其他程序修改。\n请等其完成后再试。"},
    {T::LanguageNotStored,
     "The language could not be stored: %1 cannot be written.\n"
     "Check that the file is not read-only, then choose the language again.",
     "无法保存语言设置：%1 无法写入。\n请确认该文件不是只读文件，然后重新选择语言。"},
    {T::ManualNotOpened,
     "The user manual could not be opened in the web browser:\n%1\n"
     "Open this file with your web browser.",
     "无法在网页浏览器中打开用户手册：\n%1\n请用网页浏览器打开此文件。"},
    {T::ManualNotFound, "No user manual was found. The program looked for:\n%1\n%2",
     "未找到用户手册。程序查找了：\n%1\n%2"},
    {T::PrintFileNotWritten,
     "The file \"%1\" could not be written. Choose another file or folder and print again.",
     "无法写入文件“%1”。请选择其他文件或文件夹后重新打印。"},
    {T::PrintFailed, "The document could not be printed on \"%1\". Check the printer and print again.",
     "无法在“%1”上打印文档。请检查打印机后重新打印。"},
    {T::NoPrinter, "No printer is installed. Install a printer, or choose Print... and print to a PDF file.",
     "没有安装打印机。请安装打印机，或选择“打印...”打印到 PDF 文件。"},
    {T::ReadDataCaption, "Read Data", "读数据"},
    {T::WriteDataCaption, "Write Data", "写数据"},
    {T::CompareCaption, "Compare with Radio", "与电台比较"},
    {T::TypeMismatchCaption, "Caution", "警告"},
    {T::TypeMismatch, "Becuase the type of radio does not match,\ncommunications is interrupt.",
     "对讲机类型不匹配,无法通讯。"},
    {T::WriteCancelled, "Writing was cancelled.", "写频已取消。"},
    {T::WritePutRight,
     "To put it right, write again, or open the saved document (or a backup of the radio) and write it.",
     "请重新写频，或打开已保存的文档（或电台的备份）后写入，以恢复电台。"},
    {T::RadioHoldsNothing, "nothing was written to the radio", "没有向电台写入任何数据"},
    {T::RadioHoldsFirstBlocks,
     "the radio now holds the first %1 of %2 blocks of the document and its earlier memory after them",
     "电台现在保存的是本文档的前 %1 块数据（共 %2 块），其后仍为原有内容"},
    {T::RadioHoldsFirstBlocksAndHalf,
     "the radio now holds the first %1 of %3 blocks of the document and the first half of block %2, and its "
     "earlier memory after them",
     "电台现在保存的是本文档的前 %1 块数据（共 %3 块）和第 %2 块的前半块，第 %2 "
     "块的后半块及其后仍为原有内容"},
    {T::RadioHoldsFirstHalfBlock,
     "the radio now holds the first half of block 1 of the %1 blocks of the document, and its earlier memory "
     "after it",
     "电台现在保存的是本文档第 1 块的前半块（共 %1 块），其后仍为原有内容"},
    {T::RadioHoldsAll, "the radio holds all %1 blocks of the document", "电台中已写入本文档的全部 %1 块数据"},
    {T::BackupNamed, "The backup of the radio is %1.", "电台的备份是 %1。"},
    {T::NothingWritten, "Nothing was written to the radio.", "没有向电台写入任何数据。"},
    {T::RadioNotRead, "The radio was not read.", "没有读取电台。"},
    {T::StageReadingRadio, ": reading the radio", "：读取电台"},
    {T::StageWriting, ": writing", "：写入"},
    {T::StageVerifying, ": verifying", "：校验"},
    {T::BackupFailed,
     "The radio could not be backed up in %1: %2.\nNothing was written to the "
     "radio. Choose another folder in Setup > Write Safety.",
     "无法把电台备份到 %1：%2。\n没有向电台写入任何数据。请在 设置 > 写频安全 "
     "中选择其他文件夹。"},
    {T::FolderDoesNotExist, "the folder does not exist", "文件夹不存在"},
    {T::WrittenNotVerified,
     "The document was written, but the radio was not read back to verify it. "
     "Program > Compare with Radio checks it at any time.",
     "文档已写入，但没有读回电台进行校验。写频 > 与电台比较 可随时检查电台。"},
    {T::Verified, "Verified: the radio holds what was written.", "校验通过：电台中的内容与写入的相同。"},
    {T::VerifyWayBack, "Write again; if the difference stays, check the cable and the radio.",
     "请重新写入；如果仍有不同，请检查写频线和电台。"},
    {T::VerifyBackupWayBack,
     "What the radio held before is in the backup %1: open it and write it to put it back.",
     "电台原来的内容保存在备份 %1 中：打开它并写入即可恢复。"},
    {T::OneSetting, "1 setting", "1 项设置"},
    {T::SeveralSettings, "%1 settings", "%1 项设置"},
    {T::SettingColumn, "Setting", "项目"},
    {T::ReviewCaption, "Write Data: What Will Change", "写数据：将要更改的内容"},
    {T::ReviewNothingChanges,
     "The radio already holds what this document holds: writing changes "
     "nothing. Write it all the same?",
     "电台中已经是本文档的内容，写入不会更改任何内容。仍要写入吗？"},
    {T::ReviewChanges, "Writing this document changes %1 of the radio:", "写入本文档将更改电台的 %1："},
    {T::ReviewBeforeColumn, "In the radio now", "电台中现在"},
    {T::ReviewAfterColumn, "After writing", "写入后"},
    {T::CompareSame, "The radio holds what this document holds.", "电台中的内容与本文档相同。"},
    {T::CompareDiffers, "The radio differs from this document in %1:", "电台与本文档有 %1不同："},
    {T::CompareRadioColumn, "In the radio", "电台中"},
    {T::CompareDocumentColumn, "In the document", "文档中"},
    {T::VerifyCaption, "Write Data: Verify", "写数据：校验"},
    {T::VerifyDiffers,
     "The radio does not hold what was written. It differs in %1:", "电台中的内容与写入的不同，有 %1不同："},
    {T::VerifyWrittenColumn, "Written", "已写入"},
    {T::VerifyReadBackColumn, "Read back", "读回"},
    {T::WriteSafetyCaption, "Write Safety", "写频安全"},
    {T::WriteSafetyBackup, "Back up the radio before writing", "写入前备份电台"},
    {T::WriteSafetyFolder, "Folder:", "文件夹："},
    {T::WriteSafetyReview, "Show what will change before writing", "写入前显示将要更改的内容"},
    {T::WriteSafetyVerify, "Verify after writing", "写入后校验"},
    {T::WriteSafetyNote,
     "With any choice on, a Write first reads the radio over the same port, "
     "and a verify reads it once more afterwards. Program > Compare with "
     "Radio checks a radio at any time.",
     "只要打开任何一项，写数据前都会先经同一端口读取电台，校验还会在写入后"
     "再读一次。写频 > 与电台比较 可随时检查电台。"},
    {T::BackupFolderCaption, "Folder for the backups", "备份文件夹"},
    {T::BackupFolderMissing, "The folder %1 does not exist. Choose an existing folder for the backups.",
     "文件夹 %1 不存在。请为备份选择一个已有的文件夹。"},
    {T::WriteSafetyNotSaved,
     "Your choices could not be saved in your settings. Check that your "
     "settings file may be written, and try again.",
     "无法把这些选择保存到设置中。请检查设置文件是否可写，然后再试。"},
    {T::FrequencyOutsideBand, "%1 MHz is outside the band %2 (Product Information)",
     "%1 MHz 超出频段 %2（产品信息）"},
    {T::FrequencyOffStep, "%1 MHz is not on the 5 kHz or 6.25 kHz channel step",
     "%1 MHz 不在 5 kHz 或 6.25 kHz 信道步进上"},
    {T::FrequencyOutsideEmptyBand, "%1 MHz is outside the band, which is empty",
     "%1 MHz 超出频段（频段为空）"},
    {T::FrequencyNotANumber,
     "\"%1\" is not a number of MHz: write it with a point as the decimal separator, such as 146.52",
     "“%1”不是以 MHz 为单位的数字：请用小数点作小数分隔符，例如 146.52"},
    {T::ImportModeNotHeld, "mode %1", "模式 %1"},
    {T::ImportNoChannelLeft, "no channel left", "没有剩余的信道"},
    {T::ImportNotChosen, "not chosen", "未选中"},
    {T::ImportBandNote, "the file's rows lie in %1 (%2 of them), a band Product Information also offers",
     "文件中的行位于 %1（共 %2 行），产品信息中也有此频段"},
    {T::ImportSummary, "Took %1 channels; %2 rows left out", "导入了 %1 个信道；%2 行未导入"},
    {T::ImportLeftOutLine, "line %1: %2", "第 %1 行：%2"},
    {T::ImportDialogIntro,
     "Some rows of %1 cannot be taken as they stand. The checked rows go to the channels shown, in file "
     "order from the first channel.",
     "%1 中有些行不能按原样导入。选中的行按文件顺序从起始信道起导入到所示信道。"},
    {T::ImportFirstChannel, "&First channel:", "起始信道(&F)："},
    {T::ImportColumnLine, "Line", "行"},
    {T::ImportColumnName, "Name", "名称"},
    {T::ImportColumnFrequency, "Frequency", "频率"},
    {T::ImportColumnTones, "Tones", "亚音"},
    {T::ImportColumnChannel, "Channel", "信道"},
    {T::ImportColumnReason, "Why left out", "未导入原因"},
    {T::FleetCaption, "Write to Several Radios", "写入多台电台"},
    {T::FleetPorts, "Ports", "端口"},
    {T::FleetVerify, "Read each radio back and compare (verify)", "写入后读回每台电台并比较（校验）"},
    {T::FleetConnecting, "Connecting...", "正在连接..."},
    {T::FleetWriting, "Writing...", "正在写入..."},
    {T::FleetVerifying, "Verifying...", "正在校验..."},
    {T::FleetSummary, "%1 of %2 radios written.", "%2 台电台中 %1 台写入成功。"},
    {T::FleetWriteAgain, "Write Again to Failed", "重新写入失败的电台"},
    {T::PortNoDevice, "no device", "无设备"},
    {T::PortAbsent, "absent", "不存在"},
    {T::PortNoPermission, "no permission: sudo usermod -aG %1 $USER, then log in again",
     "无权限：sudo usermod -aG %1 $USER，然后重新登录"},
    {T::PortInUse, "in use by another program", "被其他程序占用"},
    {T::PortFree, "free", "可用"},
    {T::ProbeRadio, "QX-260 answers, radio variant %1", "QX-260 已应答，电台型号 %1"},
    {T::ProbeOtherRadio, "another radio answers", "其他电台应答"},
    {T::ProbeNoAnswer, "no answer", "无应答"},
    {T::ProbeCannotOpen, "cannot open: %1", "无法打开：%1"},
    {T::ProbeCancelled, "cancelled", "已取消"},
    {T::FindRadioCaption, "Find Radio", "查找电台"},
    {T::FindRadioNote,
     "Each free port is asked at once for the radio's identification: a few bytes (the opening of a "
     "Read) go to each port, and nothing is written into a radio.",
     "同时向每个可用串口询问电台的识别信息：向每个串口发送几个字节（读数据的开头），不会向电台写入任何内容"
     "。"},
    {T::FindRadioStart, "&Find", "查找(&F)"},
    {T::FindRadioAsking, "Asking the ports...", "正在询问串口..."},
    {T::FindRadioNone, "No radio answered on a free port.", "没有电台在可用串口上应答。"},
    {T::FindRadioUse, "&Use This Port", "使用此串口(&U)"},
    {T::FindRadioPortColumn, "Port", "串口"},
    {T::FindRadioAnswerColumn, "Answer", "应答"},
    {T::ToolbarMoreButtons, "More buttons", "更多按钮"},
    {T::ProcessBlockCount, "Blocks done", "已完成的块"},
    {T::DesktopUsage,
     "Usage: qx260 [OPTION]... [FILE.dat]\n"
     "\n"
     "The programming software for the QX-260 16-channel VHF hand-held radio: read the\n"
     "radio over its serial cable, edit its channels and radio-wide options, keep and print\n"
     "them as a *.dat document, and write them back into the radio.\n"
     "\n"
     "Without FILE.dat the program starts with a new document; with it, that document is\n"
     "opened. A document whose name begins with \"-\" follows \"--\".\n"
     "\n"
     "The command-line tool qx260-cli reads, writes, shows and edits documents without\n"
     "windows; qx260-radio-sim is a simulated radio for trying the program without one.\n"
     "\n"
     "Options:\n"
     "  -h, --help     show this help and exit\n"
     "  --version      show the version and exit\n"
     "  -platform NAME, -style NAME and the toolkit's other options are taken as well.\n"
     "\n"
     "Files:\n"
     "  Program.ini    the interface language, product types, bands and texts. Beside the\n"
     "                 program when it runs from its build folder; installed, the shipped\n"
     "                 /usr/share/qx260/Program.ini (under the prefix installed to), with\n"
     "                 the language from the user's own $XDG_CONFIG_HOME/qx260/Program.ini\n"
     "                 (~/.config/qx260/, %APPDATA%\\qx260 on Windows), which Setup >\n"
     "                 Language writes.\n"
     "  qx260.ini      per-user choices (serial port, product) in the same folder.\n"
     "\n"
     "Environment:\n"
     "  QX260_SETTINGS   the per-user choices file to use instead of qx260.ini\n"
     "  QX260_PORT_COMn  the serial device COMn stands for in this run\n",
     "用法：qx260 [选项]... [文件.dat]\n"
     "\n"
     "QX-260 16 信道 VHF 手持对讲机的写频软件：通过写频线读取对讲机，编辑信道和整机\n"
     "可选功能，保存并打印为 *.dat 文档，再写回对讲机。\n"
     "\n"
     "不带 文件.dat 时，程序以一个新文档启动；带上时，打开该文档。文件名以 \"-\" 开头的\n"
     "文档请写在 \"--\" 之后。\n"
     "\n"
     "命令行工具 qx260-cli 无需窗口即可读写、显示和编辑文档；qx260-radio-sim 是模拟\n"
     "对讲机，无需真机即可试用本程序。\n"
     "\n"
     "选项：\n"
     "  -h, --help     显示本帮助并退出\n"
     "  --version      显示版本并退出\n"
     "  也接受 -platform 名称、-style 名称 等工具包自身的选项。\n"
     "\n"
     "文件：\n"
     "  Program.ini    界面语言、产品类型、频段和文字。从构建目录运行时位于程序旁；\n"
     "                 安装后为随程序安装的 /usr/share/qx260/Program.ini（位于安装前缀下），\n"
     "                 界面语言取自用户自己的 $XDG_CONFIG_HOME/qx260/Program.ini\n"
     "                 （~/.config/qx260/，Windows 上为 %APPDATA%\\qx260），\n"
     "                 由\"设置 > 语言\"写入。\n"
     "  qx260.ini      同一目录中的个人设置（串口、产品）。\n"
     "\n"
     "环境变量：\n"
     "  QX260_SETTINGS   代替 qx260.ini 使用的个人设置文件\n"
     "  QX260_PORT_COMn  本次运行中 COMn 所代表的串口设备\n"},
};

constexpr bool inEnumOrder()
{
    for (std::size_t i = 0; i < std::size(kTexts); ++i)
        if (static_cast<std::size_t>(kTexts[i].id) != i)
            return false;
    return std::size(kTexts) == static_cast<std::size_t>(kTextCount);
}
static_assert(inEnumOrder(), "kTexts lists every text once, in the order of Text");

const TextRow& rowOf(Text id)
{
    const auto i = static_cast<std::size_t>(id);
    return kTexts[i < std::size(kTexts) ? i : 0];
}

} // namespace

const char* textOf(Text id, Language language)
{
    const TextRow& row = rowOf(id);
    return isChinese(language) ? row.chinese : row.english;
}

std::string formatText(Text id, Language language, std::initializer_list<std::string> args)
{
    const std::string_view pattern = textOf(id, language);
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

bool isTextOf(std::string_view s, Text id)
{
    const TextRow& row = rowOf(id);
    return s == row.english || s == row.chinese;
}

const char* messageText(int messageId, Language language)
{
    for (const res::StringTexts& row : res::kStringTable)
        if (row.id == messageId)
            return isChinese(language) ? row.chinese : row.english;
    return "";
}

} // namespace qx260
