// The information window (WindowId::InfoText, "Vendle Info"): a plain text viewer for
// reports, text files and the debug log, with text ControlId::InfoEditor inside it.
// Texts are UTF-16; files shown in it are read as ANSI (Windows-1252).
#pragma once

#include <QString>
#include <cstddef>

#include "shell/ui/services.h"

namespace vendle {

class App;
struct Event;

// Debug log lines kept in the window (and waiting for the GUI thread); a note
// at the window's top says how many earlier ones were dropped.
inline constexpr int kKeptLogLines = 10000;

// ShowInfoText, ShowFileInInfoWindow and InfoWindowText are services
// (shell/ui/services.h); the rest is the shell's own.
// WindowId::InfoText's moves, sizes and close request.
void InfoWindowEvent(App& app, const Event& e);

// Lets lines of other threads reach this App's window from now until its
// main window is destroyed; called when the main window is built.
void ConnectDebugLog(App& app);

// Log lines of other threads waiting for the GUI thread.
size_t QueuedLogLines(App& app);


}  // namespace vendle
