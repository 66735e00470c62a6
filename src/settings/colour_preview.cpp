#include "settings/colour_preview.h"

namespace vendle {
namespace {

std::uint32_t Of(const ColourSettings& c, ColourSlot s) { return c[static_cast<std::size_t>(s)]; }

}  // namespace

PreviewLayout ColourPreviewLayout(const ColourSettings& c) {
  using S = ColourSlot;
  const std::uint32_t back = Of(c, S::DefaultBack);
  const std::uint32_t fore = Of(c, S::DefaultFore);
  PreviewLayout l;
  l.boxes = {{1, 1, 70, 320, Of(c, S::Margin)}, {71, 1, 279, 320, back}, {71, 211, 279, 30, Of(c, S::CaretBack)}};
  auto t = [&](int x, int y, const char* text, std::uint32_t f, std::uint32_t b) {
    l.texts.push_back({x, y, QString::fromLatin1(text), f, b});
  };
  t(5, 10, "Margin", kPreviewBlack, Of(c, S::Margin));
  t(80, 10, "Default text", fore, back);
  t(80, 40, "'Comments", Of(c, S::Comment), back);
  t(80, 70, "Keywords", Of(c, S::Keyword), back);
  t(80, 100, "User Subs/Functions", Of(c, S::UserSub), back);
  t(80, 130, "User Variables", Of(c, S::UserVariables), back);
  t(80, 160, "Numbers", Of(c, S::Number), back);
  t(80, 190, "\"Strings\"", Of(c, S::String), back);
  t(80, 220, "Current line", fore, Of(c, S::CaretBack));
  t(80, 250, "Selected text", Of(c, S::Selected), Of(c, S::SelectedBack));
  t(230, 10, "(Background)", fore, back);
  return l;
}

std::optional<PreviewHit> ColourPreviewHit(int x, int y) {
  using S = ColourSlot;
  auto hit = [](S slot, const char* text) { return PreviewHit{slot, QString::fromLatin1(text), slot == S::DefaultBack}; };
  if (x < 70) return hit(S::Margin, "Margin background colour.");
  const bool right = x > 220;
  switch (y < 0 ? -1 : y / 30) {
    case 0: return right ? hit(S::DefaultBack, "Default background colour.") : hit(S::DefaultFore, "Default foreground colour.");
    case 1: return right ? hit(S::DefaultBack, "Default background colour.") : hit(S::Comment, "Comment colour.");
    case 2: return hit(S::Keyword, "Keywords colour.");
    case 3: return hit(S::UserSub, "Labels/Functions colour.");
    case 4: return hit(S::UserVariables, "Variables colour.");
    case 5: return hit(S::Number, "Numbers colour.");
    case 6: return hit(S::String, "\"Strings\" colour.");
    case 7: return hit(S::CaretBack, "Current line colour.");
    case 8: return hit(S::SelectedBack, "Selected text colour.");
    case 9: return hit(S::Margin, "Margin background colour.");
    default: return std::nullopt;
  }
}

ColourSettings WithDefaultButtonColours(ColourSettings c) {
  const std::uint32_t unused = Of(c, ColourSlot::Unused);
  c = DefaultColours();
  c[static_cast<std::size_t>(ColourSlot::Comment)] = 0xBBBBBB;
  c[static_cast<std::size_t>(ColourSlot::CaretBack)] = 0xA4FFFF;
  c[static_cast<std::size_t>(ColourSlot::Unused)] = unused;
  return c;
}

}  // namespace vendle
