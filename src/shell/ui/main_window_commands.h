// Commands of the main window itself: the status bar, the stopwatch of the
// long commands, the recent-files list and the About box.
#pragma once

#include <QString>

namespace vendle {

class App;

// Status field 1 for editor `control`: lines, bytes and the saved state.
void UpdateFileStatus(App& app, int control);
// Timer 75: the status of the current document.
void StatusRefreshTick(App& app);
// The stopwatch: 0 or -1 start slot 1, -2 start slot 2; 1 or 2 write the
// milliseconds since that slot + "mS" into status field 0. Returns the clock.
qint64 MarkTime(App& app, int selector);
// Puts a RecentFileEntry line at the top of the recent list and relabels items 82..91.
void AddRecentFile(App& app, const QString& entry);
void ShowAboutBox(App& app);  // item 276

}  // namespace vendle
