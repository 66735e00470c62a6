// What running a program and the hand-over need of the documents: the
// current document's path, name and state, its text, and its save. Kept
// small and in one place so the documents can change behind them. Texts are
// UTF-16.
#pragma once

#include <QString>
#include <optional>

namespace vendle {

class App;

struct RunDocument {
  QString path;           // full path; for a never-saved document the one it was given
  QString name;           // tab text
  bool untitled = false;  // never saved ("untitled.bas")
  bool modified = false;  // the editor holds unsaved changes
};

// Makes the document of the tab bar's selected tab current and describes
// it; nothing when no document is open.
std::optional<RunDocument> CurrentDocumentForRun(App& app);

// The current document's whole text.
QString CurrentDocumentText(App& app);

// Saves the current document before it is run: the undo history is reset
// exactly when "Highlight changes" is on; `withMarkers` writes the in-text
// bookmark and fold markers (when those are on). True only when the file
// was written.
bool SaveDocumentForRun(App& app, bool withMarkers);

// The "Remove smart quotes" conversion of the text written for the companion.
QString ConvertTextForHandOver(App& app, const QString& text);

}  // namespace vendle
