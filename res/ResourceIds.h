#pragma once
// Resource ids of the program: commands, strings, menus, dialog templates, and the
// controls without an id of their own. Plain C++, usable from every layer.

namespace qx260::resid
{

// Commands (menus, toolbar, accelerators). The status-bar prompt of a command is the
// string with the command's id.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintDirect = 57608;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditPaste = 57637;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int Help = 57670;
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int Read = 32773;
inline constexpr int Write = 32774;
inline constexpr int ComSetup = 32777;
inline constexpr int ControlBar = 32780;
inline constexpr int ProductInformation = 32786;
inline constexpr int ChannelInformation = 32787;
inline constexpr int OptionalFeatures = 32788;
inline constexpr int Language = 32799;
inline constexpr int ImportChannels = 32800;
inline constexpr int ExportChannels = 32801;
inline constexpr int UserManual = 32802;
inline constexpr int WriteSeveralRadios = 32810; // Program > Write to Several Radios
inline constexpr int ViewAllColumns = 32811;     // Busy Lock and Power beside the other columns
// The recent documents in the File menu, the first to the last one listed.
inline constexpr int FileMruFirst = 57616;
inline constexpr int FileMruLast = 57619;
inline constexpr int WriteSafety = 32812;      // Setup > Write Safety...
inline constexpr int CompareWithRadio = 32813; // Program > Compare with Radio
inline constexpr int FindRadio = 32814;        // Program > Find Radio

// Strings.
inline constexpr int StrProgramTitle = 128;      // "Program": frame title
inline constexpr int StrDocumentTemplate = 129;  // document template strings, "\n"-separated
inline constexpr int StrIdle = 57345;            // status-bar text when nothing is going on
inline constexpr int StrIndicatorCaps = 59137;   // "CAP"
inline constexpr int StrIndicatorNum = 59138;    // "NUM"
inline constexpr int StrIndicatorScroll = 59139; // "SCRL"
inline constexpr int StrOutOfRange = 61448;
inline constexpr int StrCommunicationError = 61451;
inline constexpr int StrAllDataCleared = 61452;
inline constexpr int StrCannotOpenPort = 61453;
inline constexpr int StrProgramInterrupt = 61454;
inline constexpr int StrStepValueError = 61456;
inline constexpr int StrCaution = 61458;
inline constexpr int StrFrequencyNotANumber = 61504; // a typed frequency that is no plain number
inline constexpr int StrDelayNotANumber = 61505;     // the same for the Transmit Delay field

// Menus, accelerators, toolbar.
inline constexpr int MenuNoDocument = 128;
inline constexpr int MenuDocument = 129;
inline constexpr int AcceleratorTable = 128;
inline constexpr int Toolbar = 128;

// Dialog templates.
inline constexpr int DlgAbout = 100;
inline constexpr int DlgChannelForm = 101;
inline constexpr int DlgNavigatorBar = 130;
inline constexpr int DlgProcess = 131;
inline constexpr int DlgOptionalFeatures = 132;
inline constexpr int DlgLanguage = 134;
inline constexpr int DlgProductInformation = 136;
inline constexpr int DlgPortSetting = 144;

// Static controls without an id of their own, numbered in template order.
inline constexpr int OptSideKeyLabel = -1;           // 132 "Side Key"
inline constexpr int OptPriorityChannelLabel = -2;   // 132 "Priority Channel"
inline constexpr int OptVoxLabel = -3;               // 132 "VOX"
inline constexpr int OptVoxGainLevelLabel = -4;      // 132 "Vox Gain Level"
inline constexpr int OptVoiceAnnunciationLabel = -5; // 132 "Voice Annunciation"
inline constexpr int OptVoxDelayTimeLabel = -6;      // 132 "Vox Delay Time (s)"
inline constexpr int ProdSettingGroup = -1;          // 136 "Setting"
inline constexpr int ProdTypeLabel = -2;             // 136 "Type"
inline constexpr int ProdFrequencyLabel = -3;        // 136 "Frequency"
inline constexpr int PortGroup = -1;                 // 144 "Port"

} // namespace qx260::resid
