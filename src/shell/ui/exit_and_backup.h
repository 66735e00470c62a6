// The exit request, the ordered shutdown and the periodic backup.
#pragma once

namespace vendle {

class App;

// Item 113 and the close request of window 1: asks, records the open files,
// closes every document; cancelling anywhere keeps the program running.
void ExitRequest(App& app);
// The shutdown after the loop has ended.
void ShutDownSequence(App& app);
// Timer 72: backs up the modified documents that are due.
void BackupTick(App& app);

}  // namespace vendle
