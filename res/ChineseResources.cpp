// The Chinese language module: every text the program takes from its resources.

#include "res/ResourceTable.h"

namespace
{

using namespace qx260::res;

constexpr StringEntry kStrings[] = {
    {128, "写频程序"},
    {129, "\n\n\n*.dat\n.dat\nProgram.Document\n写频数据文件"},
    {57345, "就绪"},
    {59137, "大写"},
    {59138, "数字"},
    {59139, "滚动"},
    {61448, "超出范围，请重新输入。"},
    {61451, "通信错误，请检查所有连接及电台电源"},
    {61452, "所有数据将被清除！"},
    {61453, "无法打开端口，请检查端口是否被占用或设备是否正常"},
    {61454, "写频中断，请复位电台后重试"},
    {61456, "数据值错误，请按步进值(6.25K/5K)输入。"},
    {61458, "注意"},
    // Command prompts: status-bar text, then the tooltip after the line break.
    {57600, "新建一个文档\n新建"},
    {57601, "打开一个已有的文档\n打开"},
    {57602, "关闭当前文档\n关闭"},
    {57603, "保存当前文档\n保存"},
    {57604, "以新的文件名保存当前文档\n另存为"},
    {57606, "更改打印机和打印选项\n打印设置"},
    {57607, "打印当前文档\n打印"},
    {57609, "按打印效果显示整页\n打印预览"},
    {57664, "显示程序信息、版本号和版权\n关于"},
    {57665, "退出程序\n退出"},
    {57680, "切换到下一个窗格\n下一窗格"},
    {57681, "切换回上一个窗格\n上一窗格"},
    {59392, "显示或隐藏工具栏\n显示/隐藏工具栏"},
    {59393, "显示或隐藏状态栏\n显示/隐藏状态栏"},
    {32773, "从电台读取数据\n读数据"},
    {32774, "向电台写入数据\n写数据"},
    {32777, "选择写频线所接的串口\n端口设置"},
    {32780, "显示或隐藏导航栏\n控制栏"},
    {32786, "选择产品类型和频段\n类型设置"},
    {32787, "显示信道表\n信道信息"},
    {32788, "编辑电台的可选功能\n可选功能"},
    {32799, "选择程序的界面语言\n语言"},
};

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
    // 129: a document open.
    {129, 0, 0, "文件(&F)", false},
    {129, 1, 57600, "新建(&N)\tCtrl+N", false},
    {129, 1, 57601, "打开(&O)...\tCtrl+O", false},
    {129, 1, 57602, "关闭(&C)", false},
    {129, 1, 57603, "保存(&S)\tCtrl+S", false},
    {129, 1, 57604, "另存为(&A)...", false},
    {129, 1, 0, "", true},
    {129, 1, 57607, "打印(&P)...\tCtrl+P", false},
    {129, 1, 57609, "打印预览(&V)", false},
    {129, 1, 57606, "打印设置(&R)...", false},
    {129, 1, 0, "", true},
    {129, 1, 57665, "退出(&X)", false},
    {129, 0, 0, "编辑(&E)", false},
    {129, 1, 32786, "类型设置(&P)", false},
    {129, 1, 32787, "信道信息(&C)", false},
    {129, 1, 32788, "可选功能(&O)", false},
    {129, 0, 0, "写频(&P)", false},
    {129, 1, 32773, "读数据(&R)    Ctrl+R", false},
    {129, 1, 32774, "写数据(&W)   Ctrl+W", false},
    {129, 0, 0, "查看(&V)", false},
    {129, 1, 59392, "工具栏(&T)", false},
    {129, 1, 59393, "状态栏(&S)", false},
    {129, 1, 32780, "控制栏(&C)", false},
    {129, 0, 0, "设置(&S)", false},
    {129, 1, 32777, "端口设置(&C)", false},
    {129, 1, 32799, "语言(&L)", false},
    {129, 0, 0, "帮助(&H)", false},
    {129, 1, 57664, "关于 QX_260(&A)...", false},
};

constexpr AcceleratorEntry kAccelerators[] = {
    {128, "Ctrl+N", 57600}, {128, "Ctrl+O", 57601}, {128, "Ctrl+P", 57607}, {128, "Ctrl+R", 32773},
    {128, "Ctrl+S", 57603}, {128, "Ctrl+W", 32774}, {128, "F6", 57680},     {128, "Shift+F6", 57681},
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
    kStrings,
    countOf(kStrings),
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
