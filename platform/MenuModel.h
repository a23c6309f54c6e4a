#pragma once
// Menus as plain data: a tree of command items, popups and separators with their French
// texts. The language file translates the tree in place; the Qt layer then builds real
// menus from it and asks the command table for enable, check and text states.
#include <string>
#include <vector>

struct MenuItem {
    enum class Kind { Command, Popup, Separator };

    Kind kind = Kind::Command;
    int id = 0;               // command id; -1 for a popup, 0 for a separator
    std::string text;         // "&Fichier", "Ouvrir...\tCtrl+O" (tab before the accelerator)
    std::vector<MenuItem> items;  // popup contents

    static MenuItem Command(int id, std::string text) { return {Kind::Command, id, std::move(text), {}}; }
    static MenuItem Popup(std::string text, std::vector<MenuItem> items)
    {
        return {Kind::Popup, -1, std::move(text), std::move(items)};
    }
    static MenuItem Separator() { return {Kind::Separator, 0, {}, {}}; }

    bool IsPopup() const { return kind == Kind::Popup; }
    bool IsSeparator() const { return kind == Kind::Separator; }
};

// A menu bar or a context menu: its top-level items.
struct MenuModel {
    std::vector<MenuItem> items;
};
