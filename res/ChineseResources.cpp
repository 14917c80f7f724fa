// The Chinese language module: every text the program takes from its resources. Its menus,
// accelerators, toolbar and dialog texts are written here; its string table is its column of
// the table both modules share (StringTable.h).

#include "res/ResourceTable.h"
#include "res/StringTable.h"

namespace
{

using namespace qx260::res;

// The string table is written once for both languages (StringTable.h).
constexpr auto kStrings = stringEntries(&StringTexts::chinese);

constexpr MenuItem kMenus[] = {
    // 128: no document open.
    {128, 0, 0, "文件(&F)", false},
    {128, 1, 57600, "新建(&N)\tCtrl+N", false},
    {128, 1, 57601, "打开(&O)...\tCtrl+O", false},
    {128, 1, 0, "", true},
    {128, 1, 57606, "打印设置(&R)...", false},
    {128, 1, 0, "", true},
    {128, 1, 57665, "退出(&X)", false},
    {128, 0, 0, "查看(&V)", false},
    {128, 1, 59392, "工具栏(&T)", false},
    {128, 1, 59393, "状态栏(&S)", false},
    {128, 0, 0, "帮助(&H)", false},
    {128, 1, 57664, "关于 QX_260(&A)...", false},
    {128, 1, 32802, "用户手册(&U)\tF1", false},
    // 129: a document open.
    {129, 0, 0, "文件(&F)", false},
    {129, 1, 57600, "新建(&N)\tCtrl+N", false},
    {129, 1, 57601, "打开(&O)...\tCtrl+O", false},
    {129, 1, 57602, "关闭(&C)", false},
    {129, 1, 57603, "保存(&S)\tCtrl+S", false},
    {129, 1, 57604, "另存为(&A)...", false},
    {129, 1, 0, "", true},
    {129, 1, 32800, "导入信道(&I)...", false},
    {129, 1, 32801, "导出信道(&E)...", false},
    {129, 1, 0, "", true},
    {129, 1, 57607, "打印(&P)...\tCtrl+P", false},
    {129, 1, 57609, "打印预览(&V)", false},
    {129, 1, 57606, "打印设置(&R)...", false},
    {129, 1, 0, "", true},
    {129, 1, 57665, "退出(&X)", false},
    {129, 0, 0, "编辑(&E)", false},
    {129, 1, 57643, "撤销(&U)\tCtrl+Z", false},
    {129, 1, 57644, "重做(&R)\tCtrl+Y", false},
    {129, 1, 0, "", true},
    {129, 1, 57635, "剪切(&T)\tCtrl+X", false},
    {129, 1, 57634, "复制(&Y)\tCtrl+C", false},
    {129, 1, 57637, "粘贴(&A)\tCtrl+V", false},
    {129, 1, 0, "", true},
    {129, 1, 32786, "类型设置(&P)", false},
    {129, 1, 32787, "信道信息(&C)", false},
    {129, 1, 32788, "可选功能(&O)", false},
    {129, 0, 0, "写频(&P)", false},
    {129, 1, 32773, "读数据(&R)\tCtrl+R", false},
    {129, 1, 32774, "写数据(&W)\tCtrl+W", false},
    {129, 1, 32810, "写入多台电台(&S)...", false},
    {129, 1, 32813, "与电台比较(&C)", false},
    {129, 1, 32814, "查找电台(&F)...", false},
    {129, 0, 0, "查看(&V)", false},
    {129, 1, 59392, "工具栏(&T)", false},
    {129, 1, 59393, "状态栏(&S)", false},
    {129, 1, 32780, "控制栏(&C)", false},
    {129, 1, 32811, "全部列(&A)", false},
    {129, 0, 0, "设置(&S)", false},
    {129, 1, 32777, "端口设置(&C)", false},
    {129, 1, 32812, "写频安全(&S)...", false},
    {129, 1, 32799, "语言(&L)", false},
    {129, 0, 0, "帮助(&H)", false},
    {129, 1, 57664, "关于 QX_260(&A)...", false},
    {129, 1, 32802, "用户手册(&U)\tF1", false},
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
    {100, 1, "确定"},
    // 101: the channel form; its title line comes from Program.ini.
    {101, 0, ""},
    // 130: the navigation bar, an empty template.
    {130, 0, ""},
    // 131: Process.
    {131, 0, "进度"},
    {131, 1, "确定"},
    {131, 2, "取消"},
    {131, 1009, "0"},
    // 132: Optional Features.
    {132, 0, "可选功能"},
    {132, 1, "确定"},
    {132, 2, "取消"},
    {132, 1010, "超时定时器(秒)"},
    {132, 1012, "静噪电平"},
    {132, 1011, "发射延时(秒)"},
    {132, -1, "侧键"},
    {132, 1016, "哔音"},
    {132, 1017, "电池省电"},
    {132, -2, "优先信道"},
    {132, -3, "声控"},
    {132, -4, "声控增益电平"},
    {132, -5, "语音报号"},
    {132, -6, "声控延迟时间(秒)"},
    // 134: Language.
    {134, 0, "语言"},
    {134, 1006, "英文"},
    {134, 1007, "中文"},
    {134, 1, "确定"},
    {134, 2, "取消"},
    // 136: Product Information.
    {136, 0, "类型设置"},
    {136, 1, "确定"},
    {136, 2, "取消"},
    {136, -1, "设置"},
    {136, -2, "类型"},
    {136, -3, "频段"},
    // 144: Port Setting.
    {144, 0, "端口设置"},
    {144, -1, "端口"},
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
    {144, 1, "确定"},
    {144, 2, "取消"},
};

constexpr DialogListItem kDialogListItems[] = {
    {132, 1116, "0"},      {132, 1116, "1"},
    {132, 1116, "2"},      {132, 1116, "3"},
    {132, 1116, "4"},      {132, 1116, "5"},
    {132, 1116, "6"},      {132, 1116, "7"},
    {132, 1116, "8"},      {132, 1116, "9"},
    {132, 1007, "开"},     {132, 1007, "关"},
    {136, 1013, "QX-260"}, {136, 1014, "130 - 160MHz"},
};

template <typename T, int N> constexpr int countOf(const T (&)[N])
{
    return N;
}

constexpr ResourceTable kTable = {
    kResourceTableVersion,
    "Chinese",
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
