// The information window (window 5) and the debug log.
#pragma once

#include <QString>

namespace vendle {

class App;
struct Event;

// Shows `text` in the information window, opening it when needed.
void ShowInfoText(App& app, const QString& text);
// Shows a file's text in the information window.
void ShowFileInInfoWindow(App& app, const QString& path);
// With "Debug mode" set, appends a line to the information window.
void DebugLog(App& app, const QString& line);
void InfoWindowEvent(App& app, const Event& e);

}  // namespace vendle
