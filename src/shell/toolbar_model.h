// The toolbar (ControlId::Toolbar) as data: its 30 buttons and 7 separators from left
// to right, each button's item, tooltip and image name; and the PNG images
// compiled into the program. Texts are ASCII.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "platform/ids.h"

namespace vendle {

struct ToolbarEntry {
  bool separator = false;
  Item item{};
  const char* tooltip = "";
  const char* icon = "";  // image name, see resources/icons/icons.txt
};

namespace toolbar_detail {
constexpr ToolbarEntry B(Item item, const char* tooltip, const char* icon) { return {false, item, tooltip, icon}; }
constexpr ToolbarEntry Sep() { return {true}; }
}  // namespace toolbar_detail

// Item::RunDefaultExternal's tooltip until the menu names the default external program.
inline constexpr const char* kRunButtonTooltip = "run in DOS";

// The tooltips are the toolbar's own words and differ from the menu texts on
// purpose ("Make selected lines comments", "return from sub/function F5").
inline constexpr std::array<ToolbarEntry, 37> kToolbar = [] {
  using namespace toolbar_detail;
  return std::array<ToolbarEntry, 37>{{
      B(Item::New, "New file", "document-new"),
      B(Item::Open, "Open", "document-open"),
      B(Item::Save, "Save", "document-save"),
      B(Item::SaveAs, "Save as", "document-save-as"),
      B(Item::Snapshot, "Save snapshot", "camera-photo"),
      B(Item::Print, "Print", "document-print"),
      Sep(),
      B(Item::Cut, "Cut", "edit-cut"),
      B(Item::Copy, "Copy", "edit-copy"),
      B(Item::Paste, "Paste", "edit-paste"),
      Sep(),
      B(Item::Undo, "Undo", "edit-undo"),
      B(Item::Redo, "Redo", "edit-redo"),
      Sep(),
      B(Item::FindReplace, "Find", "edit-find-replace"),
      B(Item::PhysicalLineNumbers, "Physical line numbers", "line-numbers"),
      B(Item::ShowLineEndings, "Show Line endings", "line-endings"),
      B(Item::MarkSpaces, "Show white space markers", "white-space"),
      B(Item::SyntaxColouring, "Syntax Colour", "applications-graphics"),
      B(Item::CapitalizeKeywords, "Uppercase Keywords", "format-text-bold"),
      B(Item::IndentGuides, "Indent guides", "indent-guides"),
      Sep(),
      B(Item::AutoIndent, "Auto indent", "format-indent-more"),
      B(Item::FormatIndentation, "Format document", "format-justify-left"),
      B(Item::CommentLines, "Make selected lines comments", "comment"),
      B(Item::UncommentLines, "Un-comment selected lines", "uncomment"),
      Sep(),
      B(Item::PreviousBookmark, "Previous bookmark", "go-up"),
      B(Item::ToggleBookmark, "Toggle bookmark ^B", "bookmark-new"),
      B(Item::NextBookmark, "Next bookmark", "go-down"),
      B(Item::ReturnFromSub, "return from sub/function F5", "go-previous"),
      B(Item::FindSubFunction, "find sub/function F4", "system-search"),
      Sep(),
      B(Item::RunDefaultExternal, kRunButtonTooltip, "utilities-terminal"),
      B(Item::DetailedSyntaxHelp, "Syntax help", "help-browser"),
      Sep(),
      B(Item::DeployKey, "Load file and run it", "media-playback-start"),
  }};
}();

// Small icons normally, large ones with "High DPI".
enum class IconSize { Small = 16, Large = 32 };

// The PNG file of image `name` at `size` as compiled in; empty when the
// image was not found when the program was built.
std::span<const unsigned char> EmbeddedIconPng(std::string_view name, IconSize size);

}  // namespace vendle
