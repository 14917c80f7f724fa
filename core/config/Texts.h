#pragma once
// The program's own texts in both languages, in one catalogue: every two-language text that
// does not come from a language module, from the channel table's headers to the windows'
// messages, chosen by a Text id and a Language. The core, the windows and the command line
// all take their words from here, so that a text is written once and reads the same wherever
// it is shown.
//
// The string table of the language modules (message texts by string id) is written once as
// well, in res/StringTable.h; messageText gives a row of it to the core and the command line.
//
// A text may hold the places %1, %2, ... that formatText fills in order; both languages of a
// text hold the same places (the order of the words may differ).

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/config/Language.h"

namespace qx260
{

enum class Text {
    // the channel table: column headers
    HeaderChannel,
    HeaderRxFrequency,
    HeaderTxFrequency,
    HeaderDecodeTone,
    HeaderEncodeTone,
    HeaderBandwidth,
    HeaderScan,
    HeaderBusyLock,
    HeaderPower,
    // values of the list columns and of the options
    Wide,
    Narrow,
    Yes,
    No,
    Off,
    On,
    Carrier,
    QtDqt,
    High,
    Low,
    None, // no tone; no side-key function
    VoiceChinese,
    VoiceEnglish,
    SideKeyMonitor,
    SideKeyMonitorMomentary,
    SideKeyPowerSelect,
    // names of the Optional Features settings (their English forms are the option names)
    OptionTimeOutTime,
    OptionSquelchLevel,
    OptionTransmitDelay,
    OptionSideKey,
    OptionBeep,
    OptionBatterySaver,
    OptionPriorityChannel,
    OptionVox,
    OptionVoxGainLevel,
    OptionVoiceAnnunciation,
    OptionVoxDelayTime,
    TransmitDelayNotAllowed,
    // documents and their windows
    WindowCaption, // %1 application name, %2 product type, %3 band
    ChannelInformation,
    ProductInformation,
    OptionalFeatures,
    ChannelTableName,
    ChannelsOutsideBand, // %1 band, %2 channels
    // undo and redo
    NothingToUndo,
    NothingToRedo,
    Undone, // %1 what
    Redone, // %1 what
    ChangeRead,
    ChangePaste,
    ChangeCut,
    ChangeOther,
    UndoDuringTransfer,
    EditDuringTransfer,
    // channel lists: reading the file
    FileTooLarge,   // %1 path
    FileCannotOpen, // %1 path, %2 reason
    CsvNotUtf8,
    CsvUnclosedQuote,
    CsvTextAfterQuote,
    CsvUtf16,
    FileEmpty,    // %1 the program layout's headers
    NotAColumn,   // %1 the header, %2 the program layout's headers
    ColumnTwice,  // %1 the header
    NoSuchColumn, // %1 the header
    MoreFieldsThanShown,
    MoreFieldsThanHeader,
    DecimalComma, // %1 the number with a point
    // channel lists: rows and channels
    ChannelNotOneTo16,
    LocationNotOneTo16,
    RowsPastChannel16,
    RowTooMany,
    ChannelGivenTwice, // %1 channel, %2 line
    // channel lists: values
    ToneNotANumber,
    ToneNotListed,
    NotAChoice, // %1 the column's header
    // the common channel-list layout
    CommonFrequency,
    CommonDuplex,
    CommonOffsetSplit,
    CommonOffset,
    CommonTxTooLarge,
    CommonMode,
    CommonSkip,
    CommonPolarity,
    CommonToneEmpty,  // %1 the column
    CommonCodeDigits, // %1 the column
    CommonToneMode,
    CommonCrossModeMissing, // %1 CommonCrossModesHeld
    CommonCrossModeNotHeld, // %1 CommonCrossModesHeld
    CommonCrossModesHeld,
    CommonTxReckoned, // %1 transmit frequency, %2 "+" or "-"
    // channel lists: what was taken differently than written
    IgnoredColumns,    // %1 the columns
    HiddenColumnsKept, // %1 the columns, %2 the radio variant
    // channel lists: where a refusal lies
    PlaceColumn,    // %1 column number
    ChannelNumber,  // %1 channel ("Channel 3")
    CellEditorName, // %1 column, %2 channel ("QT/DQT Dec, channel 2")
    PlaceLine,      // %1 line
    PlaceSeparator, // between a channel and a column header
    // channel lists: the channel window's commands
    ImportCaption,
    ExportCaption,
    ImportFilter,
    ProgramLayoutFilter,
    CommonLayoutFilter,
    NothingImported,
    NothingPasted,
    RenumberQuestion,
    ImportedOne,     // %1 file
    ImportedMany,    // %1 count, %2 file
    CannotWrite,     // %1 path, %2 reason
    ExportedTo,      // %1 file
    OneChannel,      // %1 channel ("channel 3")
    SeveralChannels, // %1 first, %2 last
    Copied,          // %1 channels
    Cut,             // %1 channels
    Pasted,          // %1 channels
    // comparing two images
    EmptyValue,
    DifferenceCell, // %1 channel, %2 column header
    ProductType,
    Band,
    OtherBytes,
    BytesOnlyInFile,
    BytesDiffer, // %1 count, %2 offsets
    // writing several radios: a radio's turn in a few words
    TurnOk,
    TurnOkVerified,
    EndPortNotOpened,
    EndNoAnswer,
    EndOtherType,
    EndBrokeOff,
    Cancelled,
    WithReason, // %1 what, %2 reason
    BackupFolderNotThere,
    BackupNotWritten,    // %1 file, %2 reason
    TurnNothingWritten,  // %1 what ended the turn
    NotReadForBackup,    // %1 what ended the read
    BackupNotKept,       // %1 why
    WrittenPartly,       // %1 what ended the write, %2 what the radio now holds
    NotReadBackToVerify, // %1 what ended the read
    WrittenButDiffers,
    // the printout
    PrintOption,
    PrintFunction,
    PrintTimeOutTime,
    PrintSquelchLevel,
    PrintVoiceAnnunciation,
    PrintVoxDelayTime,
    PrintVoxGainLevel,
    PrintBatterySaver,
    PrintBeep,
    PrintChannels,
    PrintChannelNumber, // %1 channel
    PrintRxFrequency,
    PrintTxFrequency,
    PrintDecodeTone,
    PrintEncodeTone,
    PrintBandwidth,
    PrintScan,
    PrintBusyLock,
    PrintPower,
    // buttons and the names of controls
    OkButton,
    CancelButton,
    CloseButton,
    YesButton,
    NoButton,
    RetryButton,
    AbortButton,
    IgnoreButton,
    SaveButton,
    BrowseButton,
    WriteButton,
    WriteAgainButton,
    LessButton,
    MoreButton,
    NavigationName,
    UpArrowName,
    DownArrowName,
    // the application: start, documents and files
    ConfigurationNotRead, // %1 file, %2 reason
    LanguageModuleNotLoaded,
    LanguageModuleRemedy, // %1 configuration file, %2 the language it names
    DocumentFilter,
    OpenCaption,
    SaveAsCaption,
    DataFormatError,
    FileNotOpened,       // %1 file, %2 reason
    FileChangedOnDisk,   // %1 file
    FileReadOnly,        // %1 file
    FileNotSaved,        // %1 file, %2 reason
    SaveChangesQuestion, // %1 document
    RestartFailed,       // %1 program
    RecentFileGone,      // %1 file
    FileInUse,           // %1 file
    LanguageNotStored,   // %1 file
    ManualNotOpened,     // %1 file
    ManualNotFound,      // %1 manual page, %2 help file or folder
    // printing from the channel window
    PrintFileNotWritten, // %1 file
    PrintFailed,         // %1 printer
    NoPrinter,
    // reading and writing a radio
    ReadDataCaption,
    WriteDataCaption,
    CompareCaption,
    TypeMismatchCaption,
    TypeMismatch,
    WriteCancelled,
    WritePutRight,
    // what a Write left in the radio
    RadioHoldsNothing,
    RadioHoldsFirstBlocks,        // %1 blocks written, %2 all blocks
    RadioHoldsFirstBlocksAndHalf, // %1 whole blocks written, %2 the half-written block, %3 all blocks
    RadioHoldsFirstHalfBlock,     // %1 all blocks
    RadioHoldsAll,                // %1 all blocks
    BackupNamed,                  // %1 file
    NothingWritten,
    RadioNotRead,
    StageReadingRadio,
    StageWriting,
    StageVerifying,
    BackupFailed, // %1 folder or file, %2 reason
    FolderDoesNotExist,
    WrittenNotVerified,
    Verified,
    VerifyWayBack,
    VerifyBackupWayBack, // %1 backup
    // what will change, compare, verify
    OneSetting,
    SeveralSettings, // %1 count
    SettingColumn,
    ReviewCaption,
    ReviewNothingChanges,
    ReviewChanges, // %1 settings
    ReviewBeforeColumn,
    ReviewAfterColumn,
    CompareSame,
    CompareDiffers, // %1 settings
    CompareRadioColumn,
    CompareDocumentColumn,
    VerifyCaption,
    VerifyDiffers, // %1 settings
    VerifyWrittenColumn,
    VerifyReadBackColumn,
    // Write Safety
    WriteSafetyCaption,
    WriteSafetyBackup,
    WriteSafetyFolder,
    WriteSafetyReview,
    WriteSafetyVerify,
    WriteSafetyNote,
    BackupFolderCaption,
    BackupFolderMissing, // %1 folder
    WriteSafetyNotSaved,
    // a refused frequency on the command line and in the rows an import leaves out
    FrequencyOutsideBand,      // %1 frequency in MHz, %2 the document's band
    FrequencyOffStep,          // %1 frequency in MHz
    FrequencyOutsideEmptyBand, // %1 frequency in MHz
    FrequencyNotANumber,       // %1 the text as typed
    // channel lists: importing the rows that fit
    ImportModeNotHeld, // %1 the Mode column's value
    ImportNoChannelLeft,
    ImportNotChosen,
    ImportBandNote,    // %1 another band, %2 how many rows lie in it
    ImportSummary,     // %1 channels taken, %2 rows left out
    ImportLeftOutLine, // %1 line, %2 reason
    ImportDialogIntro, // %1 file
    ImportFirstChannel,
    ImportColumnLine,
    ImportColumnName,
    ImportColumnFrequency,
    ImportColumnTones,
    ImportColumnChannel,
    ImportColumnReason,
    // writing several radios at once
    FleetCaption,
    FleetPorts,
    FleetVerify,
    FleetConnecting,
    FleetWriting,
    FleetVerifying,
    FleetSummary, // %1 radios written, %2 all radios
    FleetWriteAgain,
    // the ports and Find Radio
    PortNoDevice,
    PortAbsent,
    PortNoPermission, // %1 the device's group
    PortInUse,
    PortFree,
    ProbeRadio, // %1 radio variant
    ProbeOtherRadio,
    ProbeNoAnswer,
    ProbeCannotOpen, // %1 reason
    ProbeCancelled,
    FindRadioCaption,
    FindRadioNote,
    FindRadioStart,
    FindRadioAsking,
    FindRadioNone,
    FindRadioUse,
    FindRadioPortColumn,
    FindRadioAnswerColumn,
    ToolbarMoreButtons,
    ProcessBlockCount,
    // the desktop program's --help
    DesktopUsage,
};

inline constexpr int kTextCount = static_cast<int>(Text::DesktopUsage) + 1;

// The text in language, as written (UTF-8, never null).
const char* textOf(Text id, Language language);

// The text in language with its places %1, %2, ... replaced by args in order; a place
// without an argument stays as written. The arguments are not searched for places.
std::string formatText(Text id, Language language, std::initializer_list<std::string> args = {});

// Whether s is the text of id in either language, exactly as written.
bool isTextOf(std::string_view s, Text id);

// The string table's text of a message id in language, as the language module of that
// language hands it to the windows; empty for an id the table lacks.
const char* messageText(int messageId, Language language);

} // namespace qx260
