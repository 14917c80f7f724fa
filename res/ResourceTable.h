#pragma once
// The table of texts a language module hands to the program.
//
// Each language module (English, Chinese) is a shared library that exports one C
// function, named by kResourceTableEntry, returning a pointer to a ResourceTable that
// lives as long as the module is loaded. The table is plain data: arrays of
// {id, UTF-8 text} records with a count each, so the program and the modules share
// nothing but this header (and the data of StringTable.h, which the modules hand over as
// their string tables). The program copies what it needs when it loads a module.

namespace qx260::res
{

// Raised whenever the layout below changes; the program refuses a module of another version.
inline constexpr int kResourceTableVersion = 1;
inline constexpr const char* kResourceTableEntry = "qx260ResourceTable";

// String table: message texts, the frame title, command prompts
// ("status-bar text\ntooltip"), status-bar indicator texts.
struct StringEntry {
    int id;
    const char* text;
};

// One line of a menu, in display order. level 0 is a top-level popup (command 0),
// level 1 an item of the popup above it. A separator has separator = true, command 0
// and an empty text. "&" marks the mnemonic, "\t" starts the shortcut text.
struct MenuItem {
    int menuId;
    int level;
    int command;
    const char* text;
    bool separator;
};

// Keys in the portable key-sequence form ("Ctrl+N", "Shift+F6").
struct AcceleratorEntry {
    int tableId;
    const char* keys;
    int command;
};

// Buttons of a toolbar in order; command 0 is a separator.
struct ToolbarEntry {
    int toolbarId;
    int command;
};

// Texts of dialog templates: controlId 0 is the caption. Static controls that carry
// no id of their own are numbered -1, -2, ... in template order (see Resources.h).
struct DialogTextEntry {
    int dialogId;
    int controlId;
    const char* text;
};

// Items a template puts into a list control, in order.
struct DialogListItem {
    int dialogId;
    int controlId;
    const char* text;
};

struct ResourceTable {
    int version;              // kResourceTableVersion
    const char* languageName; // "English", "Chinese"
    const StringEntry* strings;
    int stringCount;
    const MenuItem* menuItems;
    int menuItemCount;
    const AcceleratorEntry* accelerators;
    int acceleratorCount;
    const ToolbarEntry* toolbarButtons;
    int toolbarButtonCount;
    const DialogTextEntry* dialogTexts;
    int dialogTextCount;
    const DialogListItem* dialogListItems;
    int dialogListItemCount;
};

using ResourceTableFunction = const ResourceTable* (*)();

} // namespace qx260::res

// Marks the one function a language module exports.
#if defined(_WIN32)
#define QX260_RESOURCE_EXPORT extern "C" __declspec(dllexport)
#else
#define QX260_RESOURCE_EXPORT extern "C" __attribute__((visibility("default")))
#endif
