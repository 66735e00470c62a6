#include "platform/ui/shift_state.h"

#include <QGuiApplication>

namespace vendle {
namespace {
std::optional<bool>& Override() {
  static std::optional<bool> held;
  return held;
}
}  // namespace

bool ShiftHeld() {
  if (Override()) return *Override();
  return (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier) != 0;
}

void SetShiftHeldOverride(std::optional<bool> held) { Override() = held; }

}  // namespace vendle
