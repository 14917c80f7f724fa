// The English language module: every text the program takes from its resources. Its menus,
// accelerators, toolbar and dialog texts are written here; its string table is its column of
// the table both modules share (StringTable.h).

#include "res/ResourceTable.h"
#include "res/StringTable.h"

namespace
{

using namespace qx260::res;

// The string table is written once for both languages (StringTable.h).
constexpr auto kStrings = stringEntries(&StringTexts::english);

constexpr MenuItem kMenus[] = {
    // 128: no document open.
    {128, 0, 0, "&File", false},
    {128, 1, 57600, "&New\tCtrl+N", false},
    {128, 1, 57601, "&Open...\tCtrl+O", false},
    {128, 1, 0, "", true},
    {128, 1, 57606, "P&rint Setup...", false},
    {128, 1, 0, "", true},
    {128, 1, 57665, "E&xit", false},
    {128, 0, 0, "&View", false},
    {128, 1, 59392, "&Toolbar", false},
    {128, 1, 59393, "&Status Bar", false},
    {128, 0, 0, "&Help", false},
    {128, 1, 57664, "&About QX_260...", false},
    {128, 1, 32802, "&User Manual\tF1", false},
    // 129: a document open.
    {129, 0, 0, "&File", false},
    {129, 1, 57600, "&New\tCtrl+N", false},
    {129, 1, 57601, "&Open...\tCtrl+O", false},
    {129, 1, 57602, "&Close", false},
    {129, 1, 57603, "&Save\tCtrl+S", false},
    {129, 1, 57604, "Save &As...", false},
    {129, 1, 0, "", true},
    {129, 1, 32800, "&Import Channels...", false},
    {129, 1, 32801, "&Export Channels...", false},
    {129, 1, 0, "", true},
    {129, 1, 57607, "&Print...\tCtrl+P", false},
    {129, 1, 57609, "Print Pre&view", false},
    {129, 1, 57606, "P&rint Setup...", false},
    {129, 1, 0, "", true},
    {129, 1, 57665, "E&xit", false},
    {129, 0, 0, "&Edit", false},
    {129, 1, 57643, "&Undo\tCtrl+Z", false},
    {129, 1, 57644, "&Redo\tCtrl+Y", false},
    {129, 1, 0, "", true},
    {129, 1, 57635, "Cu&t\tCtrl+X", false},
    {129, 1, 57634, "Cop&y\tCtrl+C", false},
    {129, 1, 57637, "P&aste\tCtrl+V", false},
    {129, 1, 0, "", true},
    {129, 1, 32786, "&Product Information", false},
    {129, 1, 32787, "&Channel Information", false},
    {129, 1, 32788, "&Optional Features", false},
    {129, 0, 0, "&Program", false},
    {129, 1, 32773, "&Read\tCtrl+R", false},
    {129, 1, 32774, "&Write\tCtrl+W", false},
    {129, 1, 32810, "Write to &Several Radios...", false},
    {129, 1, 32813, "&Compare with Radio", false},
    {129, 1, 32814, "&Find Radio...", false},
    {129, 0, 0, "&View", false},
    {129, 1, 59392, "&Toolbar", false},
    {129, 1, 59393, "&Status Bar", false},
    {129, 1, 32780, "&Control Bar", false},
    {129, 1, 32811, "&All Columns", false},
    {129, 0, 0, "&Setup", false},
    {129, 1, 32777, "&Com Setup", false},
    {129, 1, 32812, "Write &Safety...", false},
    {129, 1, 32799, "&Language", false},
    {129, 0, 0, "&Help", false},
    {129, 1, 57664, "&About QX_260...", false},
    {129, 1, 32802, "&User Manual\tF1", false},
};

constexpr AcceleratorEntry kAccelerators[] = {
    {128, "Ctrl+N", 57600}, {128, "Ctrl+O", 57601}, {128, "Ctrl+P", 57607}, {128, "Ctrl+R", 32773},
    {128, "Ctrl+S", 57603}, {128, "Ctrl+W", 32774}, {128, "F6", 57680},     {128, "Shift+F6", 57681},
    {128, "F1", 32802},     {128, "Ctrl+Q", 57665},
};

constexpr ToolbarEntry kToolbar[] = {
    {128, 57600}, {128, 57601}, {128, 57603}, {128, 0}, {128, 32773},
    {128, 32774}, {128, 0},     {128, 57607}, {128, 0}, {128, 57664},
};

constexpr DialogTextEntry kDialogTexts[] = {
    // 100: About. Title and lines come from Program.ini at run time.
    {100, 0, ""},
    {100, 1, "OK"},
    // 101: the channel form; its title line comes from Program.ini.
    {101, 0, ""},
    // 130: the navigation bar, an empty template.
    {130, 0, ""},
    // 131: Process.
    {131, 0, "Process"},
    {131, 1, "OK"},
    {131, 2, "Cancel"},
    {131, 1009, "0"},
    // 132: Optional Features.
    {132, 0, "Optional Features"},
    {132, 1, "OK"},
    {132, 2, "Cancel"},
    {132, 1010, "Time Out Time (s)"},
    {132, 1012, "Squelch Level"},
    {132, 1011, "Transmit Delay (s)"},
    {132, -1, "Side Key"},
    {132, 1016, "Beep"},
    {132, 1017, "Battery Saver"},
    {132, -2, "Priority Channel"},
    {132, -3, "VOX"},
    {132, -4, "Vox Gain Level"},
    {132, -5, "Voice Annunciation"},
    {132, -6, "Vox Delay Time (s)"},
    // 134: Language.
    {134, 0, "Language"},
    {134, 1006, "English"},
    {134, 1007, "Chinese"},
    {134, 1, "OK"},
    {134, 2, "Cancel"},
    // 136: Product Information.
    {136, 0, "Product Information"},
    {136, 1, "OK"},
    {136, 2, "Cancel"},
    {136, -1, "Setting"},
    {136, -2, "Type"},
    {136, -3, "Frequency"},
    // 144: Port Setting.
    {144, 0, "Port Setting"},
    {144, -1, "Port"},
    {144, 1007, "COM1"},
    {144, 1008, "COM2"},
    {144, 1009, "COM3"},
    {144, 1010, "COM4"},
    {144, 1011, "COM5"},
    {144, 1012, "COM6"},
    {144, 1013, "COM7"},
    {144, 1014, "COM8"},
    {144, 1015, "COM9"},
    {144, 1016, "COM10"},
    {144, 1017, "COM11"},
    {144, 1018, "COM12"},
    {144, 1019, "COM13"},
    {144, 1020, "COM14"},
    {144, 1021, "COM15"},
    {144, 1022, "COM16"},
    {144, 1, "OK"},
    {144, 2, "Cancel"},
};

constexpr DialogListItem kDialogListItems[] = {
    {132, 1116, "0"},      {132, 1116, "1"},
    {132, 1116, "2"},      {132, 1116, "3"},
    {132, 1116, "4"},      {132, 1116, "5"},
    {132, 1116, "6"},      {132, 1116, "7"},
    {132, 1116, "8"},      {132, 1116, "9"},
    {132, 1007, "On"},     {132, 1007, "Off"},
    {136, 1013, "QX-260"}, {136, 1014, "130 - 160MHz"},
};

template <typename T, int N> constexpr int countOf(const T (&)[N])
{
    return N;
}

constexpr ResourceTable kTable = {
    kResourceTableVersion,
    "English",
    kStrings.data(),
    static_cast<int>(kStrings.size()),
    kMenus,
    countOf(kMenus),
    kAccelerators,
    countOf(kAccelerators),
    kToolbar,
    countOf(kToolbar),
    kDialogTexts,
    countOf(kDialogTexts),
    kDialogListItems,
    countOf(kDialogListItems),
};

} // namespace

QX260_RESOURCE_EXPORT const qx260::res::ResourceTable* qx260ResourceTable()
{
    return &kTable;
}
