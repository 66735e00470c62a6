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

// Shows `text` in the information window, opening it when needed; an open
// window has its text replaced, is restored from minimised and activated.
void ShowInfoText(App& app, const QString& text);
// Shows a text file (up to its first zero byte) in the information window.
// An empty path or a file that cannot be read shows nothing.
void ShowFileInInfoWindow(App& app, const QString& path);
// WindowId::InfoText's moves, sizes and close request.
void InfoWindowEvent(App& app, const Event& e);

// Lets lines of other threads reach this App's window from now until its
// main window is destroyed; called when the main window is built.
void ConnectDebugLog(App& app);

// Log lines of other threads waiting for the GUI thread.
size_t QueuedLogLines(App& app);

// The text of ControlId::InfoEditor, or an empty text when WindowId::InfoText is not open.
QString InfoWindowText(App& app);

}  // namespace vendle
