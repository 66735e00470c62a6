// The documents and their editors: creating a document with its tab,
// showing, switching, parking, removing and closing documents, with the
// questions asked before a modified document is closed.
#pragma once

#include <QString>

#include "documents/ui/document_commands.h"
#include "shell/ui/services.h"

namespace vendle {

class App;
class EditorView;
struct DocumentRecord;

// Makes the document at `index` current and parks its editor.
void DeactivateDocumentEditor(App& app, int index);
// Frees the document's slot, resets and parks its editor, removes tab and record.
void RemoveDocumentTab(App& app, int index);
// Item::Close and a tab's close box: asks about a modified document, then closes.
void CloseCurrentTab(App& app);
// Item::CloseAll and the exit: asks about every modified document from the last
// tab to the first, then closes all. False when cancelled or a save failed:
// then nothing was closed.
bool CloseAllTabs(App& app);

// The RecentFileEntry line of a document.
QString RecentEntryOf(const DocumentRecord& doc);

// Parking: moved aside, 10 x 10, hidden, disabled, no popup menu.
void ParkEditor(App& app, EditorView& editor);

}  // namespace vendle
