// The keyboard shortcuts of the main window: each key sends a menu item.
#pragma once

#include <array>

#include "platform/ids.h"

namespace vendle {

struct ShortcutRow {
  const char* keys;
  Item item;
};

// F9 sends 201 although the menu names F9 for Item::FoldAll; Ctrl+H is Find too.
inline constexpr std::array<ShortcutRow, 26> kMainShortcuts{{
    {"Return", Item::ReturnKey},       {"Ctrl+O", Item::Open},
    {"Ctrl+N", Item::New},             {"Ctrl+S", Item::Save},
    {"Ctrl+F", Item::FindReplace},     {"Ctrl+H", Item::FindReplace},
    {"Ctrl+G", Item::GotoLine},        {"Ctrl+B", Item::ToggleBookmark},
    {"F2", Item::DeployKey},           {"Ctrl+Q", Item::JoinLine},
    {"Alt+S", Item::Snapshot},         {"Alt+O", Item::OpenFromStore},
    {"Alt+A", Item::SaveAsInStore},    {"Ctrl+P", Item::Print},
    {"Ctrl+I", Item::InsertFile},      {"Alt+I", Item::InsertFileFromStore},
    {"F1", Item::SyntaxHelpAtCaret},   {"F3", Item::FindNext},
    {"F4", Item::FindSubFunction},     {"F5", Item::ReturnFromSub},
    {"F6", Item::RunDefaultExternal},  {"F9", Item::RecomputeFolds},
    {"F10", Item::UnfoldAll},          {"F11", Item::QuickFind},
    {"F12", Item::SyntaxHintAtCaret},  {"Shift+F1", Item::DetailedSyntaxHelp},
}};

// Every tabbed editor of this desktop: the next and the previous tab.
inline constexpr std::array<ShortcutRow, 5> kTabShortcuts{{
    {"Ctrl+Tab", Item::NextTab},
    {"Ctrl+PgDown", Item::NextTab},
    {"Ctrl+Shift+Tab", Item::PreviousTab},
    {"Ctrl+Shift+Backtab", Item::PreviousTab},
    {"Ctrl+PgUp", Item::PreviousTab},
}};

// Added while an editor has the focus, removed when it loses it.
inline constexpr ShortcutRow kReturnShortcut{"Return", Item::ReturnKey};
inline constexpr ShortcutRow kShiftReturnShortcut{"Shift+Return", Item::InsertLineEnd};

}  // namespace vendle
