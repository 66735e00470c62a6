// The open documents: one record per tab, in tab order, with a current
// element, and the table of editor slots. The index of a document always
// equals the index of its tab.
#pragma once

#include <QString>
#include <vector>

namespace vendle {

inline constexpr const char* kUntitledName = "untitled.bas";

// One open document. Texts are UTF-16; positions are byte positions in the
// editor's UTF-8 text.
struct DocumentRecord {
  int editor = 0;             // control number: 20 + slot
  int caretPosition = 0;      // saved when switched away from or closed
  int firstVisibleLine = 0;   // document line at the top, 0-based
  int modified = 0;           // the editor's modified state, saved with the caret
  qint64 lastSaveTime = 0;    // running-clock seconds of the last open, save or backup
  int atTinyNumbered = 0;
  QString backupFingerprint;
  QString path;
  QString name;               // tab text; "untitled.bas" until saved
  QString syntax;
  QString userSubNames;       // blank-separated: style 6
  QString userVariableNames;  // blank-separated: style 5
  QString foldedLines;        // blank-separated, 1-based
  QString foldedSubNames;
  qint64 foldAllState = 0;
  QString bookmarks;          // blank-separated, 0-based
  // The file at `path` was read or written by this document: saving it needs
  // no overwrite question.
  bool fileKnown = false;
  // Tells this document from any later one in the same tab or editor slot.
  quint64 serial = 0;

  bool untitled() const { return name == QLatin1String(kUntitledName); }
};

class DocumentList {
 public:
  int size() const { return static_cast<int>(records_.size()); }
  bool valid(int index) const { return index >= 0 && index < size(); }

  DocumentRecord& at(int index) { return records_.at(index); }
  const DocumentRecord& at(int index) const { return records_.at(index); }

  // The current element; -1 when the list is empty.
  int currentIndex() const { return current_; }
  void setCurrent(int index) {
    if (valid(index)) current_ = index;
  }
  DocumentRecord* current() { return valid(current_) ? &records_[current_] : nullptr; }

  int append(DocumentRecord r);
  void remove(int index);
  // The document whose editor is `control`, or -1.
  int indexOfEditor(int control) const;
  // The document with this serial, or -1.
  int indexOfSerial(quint64 serial) const;

  std::vector<DocumentRecord>::iterator begin() { return records_.begin(); }
  std::vector<DocumentRecord>::iterator end() { return records_.end(); }

 private:
  std::vector<DocumentRecord> records_;
  int current_ = -1;
  quint64 lastSerial_ = 0;
};

// Which editor slots belong to a document. Sized MaxTabs + 1 (one entry per
// editor of the pool); the last slot is never handed out, so at most MaxTabs
// documents are open.
class EditorSlots {
 public:
  explicit EditorSlots(int maxTabs = 15) { resize(maxTabs); }
  void resize(int maxTabs) { used_.assign(static_cast<std::size_t>(maxTabs) + 1, false); }
  int maxTabs() const { return static_cast<int>(used_.size()) - 1; }

  // The lowest free slot below MaxTabs, or -1 when none is left.
  int lowestFree() const;
  void take(int slot) { used_.at(slot) = true; }
  void release(int slot) {
    if (slot >= 0 && slot < static_cast<int>(used_.size())) used_[slot] = false;
  }
  bool used(int slot) const { return slot >= 0 && slot < static_cast<int>(used_.size()) && used_[slot]; }
  int usedCount() const;

 private:
  std::vector<bool> used_;
};

struct Documents {
  DocumentList list;
  EditorSlots editorSlots;
  int currentTabIndex = -1;   // the shown document, -1 when none
};

}  // namespace vendle
