// The new tab a source tool opens for its result.
#pragma once

#include <QString>
#include <QStringView>

namespace vendle {

class App;

// Creates a document tab for `path` holding `text` and makes it current; its
// index, or -1 when no tab could be made (then nothing else changed). Every
// line end of the text becomes `lineEnd`, the kind the new document keeps
// (that of the document the result came from). The result is unsaved work:
// the tab reads as modified, so closing it without saving asks first. Undo
// in it goes back to the empty tab.
int OpenResultTab(App& app, const QString& path, const QString& text, QStringView lineEnd);

}  // namespace vendle
