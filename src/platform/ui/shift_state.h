// Whether the Shift key is held at this moment (read from the keyboard, not
// from an event), with an override for tests.
#pragma once

#include <optional>

namespace vendle {

bool ShiftHeld();

// Tests: a fixed answer for ShiftHeld(), or nothing to read the keyboard again.
void SetShiftHeldOverride(std::optional<bool> held);

class ScopedShiftHeld {
 public:
  explicit ScopedShiftHeld(bool held) { SetShiftHeldOverride(held); }
  ~ScopedShiftHeld() { SetShiftHeldOverride(std::nullopt); }
  ScopedShiftHeld(const ScopedShiftHeld&) = delete;
  ScopedShiftHeld& operator=(const ScopedShiftHeld&) = delete;
};

}  // namespace vendle
