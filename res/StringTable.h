#pragma once
// The string table in both languages: message texts, the frame title, command prompts
// ("status-bar text\ntooltip") and status-bar indicator texts, by string id.
//
// Written once here: each language module hands its column to the program as its string
// table, and the core reads the same rows where it needs a message without a module (the
// command line, the fallback of a window when no module is loaded).

#include <array>
#include <cstddef>
#include <iterator>

#include "res/ResourceTable.h"

namespace qx260::res
{

struct StringTexts {
    int id;
    const char* english;
    const char* chinese;
};

inline constexpr StringTexts kStringTable[] = {
    {128, "Program", "写频程序"},
    {129, "\n\n\n*.dat\n.dat\nProgram.Document\nProgram Document",
     "\n\n\n*.dat\n.dat\nProgram.Document\n写频数据文件"},
    {57345, "Ready", "就绪"},
    {59137, "CAP", "大写"},
    {59138, "NUM", "数字"},
    {59139, "SCRL", "滚动"},
    {61448, "Out of range,please input again.", "超出范围，请重新输入。"},
    {61451, "Communication Error,Please check all the connections and the radio power",
     "通信错误，请检查所有连接及电台电源"},
    {61452, "All data will be Cleared!", "所有数据将被清除！"},
    {61453, "Could not Open the Port,Please check whether the Port are occupied or the device are ok",
     "无法打开端口，请检查端口是否被占用或设备是否正常"},
    {61454, "Program Interrupt, Please reset the radio and try again", "写频中断，请复位电台后重试"},
    {61456, "Error data Value, please input according the step value(6.25K/5k).",
     "数据值错误，请按步进值(6.25K/5K)输入。"},
    {61458, "Caution", "注意"},
    {61504,
     "Not a number, please input again: digits with a point as the decimal separator, such as 145.125.",
     "不是有效的数字，请重新输入：只用数字和小数点“.”，例如 145.125。"},
    {61505, "Not a number, please input again: seconds with a point as the decimal separator, such as 2.5.",
     "不是有效的数字，请重新输入：秒数只用数字和小数点“.”，例如 2.5。"},
    // Command prompts: status-bar text, then the tooltip after the line break.
    {57600, "Create a new document\nNew", "新建一个文档\n新建"},
    {57601, "Open an existing document\nOpen", "打开一个已有的文档\n打开"},
    {57602, "Close the active document\nClose", "关闭当前文档\n关闭"},
    {57603, "Save the active document\nSave", "保存当前文档\n保存"},
    {57604, "Save the active document under a new name\nSave As", "以新的文件名保存当前文档\n另存为"},
    {57606, "Change the printer and printing options\nPrint Setup", "更改打印机和打印选项\n打印设置"},
    {57607, "Print the active document\nPrint", "打印当前文档\n打印"},
    {57609, "Display full pages as they will be printed\nPrint Preview", "按打印效果显示整页\n打印预览"},
    {57664, "Display program information, version number and copyright\nAbout",
     "显示程序信息、版本号和版权\n关于"},
    {57665, "Quit the application\nExit", "退出程序\n退出"},
    {57680, "Switch to the next window pane\nNext Pane", "切换到下一个窗格\n下一窗格"},
    {57681, "Switch back to the previous window pane\nPrevious Pane", "切换回上一个窗格\n上一窗格"},
    {59392, "Show or hide the toolbar\nToggle Toolbar", "显示或隐藏工具栏\n显示/隐藏工具栏"},
    {59393, "Show or hide the status bar\nToggle Status Bar", "显示或隐藏状态栏\n显示/隐藏状态栏"},
    {32773, "Read Data From Radio\nRead", "从电台读取数据\n读数据"},
    {32774, "Write Data To Radio\nWrite", "向电台写入数据\n写数据"},
    {32777, "Choose the serial port of the programming cable\nCom Setup", "选择写频线所接的串口\n端口设置"},
    {32780, "Show or hide the navigation bar\nControl Bar", "显示或隐藏导航栏\n控制栏"},
    {32786, "Choose the product type and frequency band\nProduct Information",
     "选择产品类型和频段\n类型设置"},
    {32787, "Show the channel table\nChannel Information", "显示信道表\n信道信息"},
    {32788, "Edit the optional features of the radio\nOptional Features", "编辑电台的可选功能\n可选功能"},
    {32799, "Choose the language of the program\nLanguage", "选择程序的界面语言\n语言"},
    {57643, "Undo the last change\nUndo", "撤销上一次更改\n撤销"},
    {57644, "Redo the change undone last\nRedo", "重做上一次撤销的更改\n重做"},
    {57635, "Copy the selected channels to the clipboard and clear them\nCut",
     "把选中的信道复制到剪贴板并清除\n剪切"},
    {57634, "Copy the selected channels to the clipboard\nCopy", "把选中的信道复制到剪贴板\n复制"},
    {57637, "Paste channels from the clipboard, from the current channel on\nPaste",
     "从当前信道起粘贴剪贴板中的信道\n粘贴"},
    {32800, "Take channels from a CSV file into the document\nImport Channels",
     "从 CSV 文件把信道导入文档\n导入信道"},
    {32801, "Write the channels to a CSV file\nExport Channels", "把信道写入 CSV 文件\n导出信道"},
    {32802, "Open the user manual in the web browser\nUser Manual", "在网页浏览器中打开用户手册\n用户手册"},
    {32810, "Write the document into the radios on several ports at once\nWrite to Several Radios",
     "把文档同时写入多个端口上的电台\n写入多台电台"},
    {32811, "Show Busy Lock and Power beside the other columns\nAll Columns",
     "在其他列旁边显示繁忙锁定和功率\n全部列"},
    {57616, "Open this document", "打开此文档"},
    {57617, "Open this document", "打开此文档"},
    {57618, "Open this document", "打开此文档"},
    {57619, "Open this document", "打开此文档"},
    {32812, "Choose what a Write does first and afterwards: back up, show the changes, verify\nWrite Safety",
     "选择写数据前后要做的事: 备份、显示更改、校验\n写频安全"},
    {32813, "Read the radio and show how it differs from the document, without writing\nCompare with Radio",
     "读取电台并显示它与文档的不同之处, 不写入\n与电台比较"},
    {32814,
     "Ask the free ports which one the radio answers on (sends a few bytes, writes nothing)\nFind Radio",
     "询问可用串口电台在哪个串口上应答（发送几个字节，不写入）\n查找电台"},
};

inline constexpr std::size_t kStringTableSize = std::size(kStringTable);

// The string table of one language, as a module hands it over: the column `language`
// (&StringTexts::english or &StringTexts::chinese) of every row, in order.
constexpr std::array<StringEntry, kStringTableSize> stringEntries(const char* StringTexts::*language)
{
    std::array<StringEntry, kStringTableSize> entries{};
    for (std::size_t i = 0; i < kStringTableSize; ++i)
        entries[i] = {kStringTable[i].id, kStringTable[i].*language};
    return entries;
}

} // namespace qx260::res
