// The exit request, the ordered shutdown and the periodic backup.
#pragma once

namespace vendle {

class App;

// Item::Exit and the close request of WindowId::Main: asks, records the open files,
// closes every document; cancelling anywhere keeps the program running.
void ExitRequest(App& app);
// The shutdown after the loop has ended.
void ShutDownSequence(App& app);
// TimerId::Backup: backs up the modified documents that are due.
void BackupTick(App& app);

}  // namespace vendle
