#include "settings/settings.h"

namespace vendle {

ColourSettings DefaultColours() {
  ColourSettings c{};
  auto set = [&](ColourSlot s, std::uint32_t v) { c[static_cast<int>(s)] = v; };
  set(ColourSlot::DefaultFore, 0x000000);
  set(ColourSlot::DefaultBack, 0xFFFFFF);
  set(ColourSlot::Keyword, 0xFF0000);
  set(ColourSlot::Comment, 0x707070);
  set(ColourSlot::Number, 0x0000FF);
  set(ColourSlot::String, 0x32B450);
  set(ColourSlot::Identifier, 0xFF0000);
  set(ColourSlot::Handle, 0xFF0000);
  set(ColourSlot::UserSub, 0x004B96);
  set(ColourSlot::UserVariables, 0xFF0096);
  set(ColourSlot::Selected, 0xFFFFFF);
  set(ColourSlot::SelectedBack, 0xFF0000);
  set(ColourSlot::LineNumber, 0x000000);
  set(ColourSlot::Margin, 0xDFFFFF);
  set(ColourSlot::Caret, 0xFF0000);
  set(ColourSlot::CaretBack, 0xB4FFFF);
  set(ColourSlot::CallTip, 0x000000);
  set(ColourSlot::CallTipBack, 0xCBFFFF);
  set(ColourSlot::Bookmark, 0x000000);
  set(ColourSlot::FoldmarkerBack, 0x000000);
  return c;
}

std::vector<ExternalProgramEntry> DefaultExternalPrograms() {
  return {
      {QStringLiteral("Run in DOS"), QStringLiteral("'%baspath%'"), QStringLiteral("'%vdlpath%MMBasic.exe'"),
       QStringLiteral("'%bas%'"), 1},
      {QStringLiteral("MMB4W"), QStringLiteral("'%baspath%'"), QStringLiteral("'C:\\Apps\\MMB4W\\MMBasic.exe'"),
       QStringLiteral("'%bas%'"), 2},
  };
}

ExternalProgramEntry NotInstalledEntry() { return {QStringLiteral("Not installed"), {}, {}, {}, 0}; }

QString DefaultNewFileText() { return QStringLiteral("'\nOPTION EXPLICIT\nOPTION DEFAULT NONE\n"); }

}  // namespace vendle
