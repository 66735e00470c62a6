// The rules of the settings window's pages on plain values: the list editor
// of the external programs, the external references, the tab-size arrows
// and the font requester's size. Texts are UTF-16, as the fields hold them.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "settings/settings.h"

namespace vendle {

// The last position of the program list editor (ControlId::ProgramPosition).
inline constexpr int kLastProgramPosition = 9;

// Every double quote of `text` written as "%q%".
QString QuotesAsToken(const QString& text);
// A chosen folder or file as a field shows it: between "%q%" marks.
QString QuotedForField(const QString& path);

// The four text fields and the batch number of the shown entry.
struct ProgramFields {
  QString menuText;
  QString folder;
  QString program;
  QString parameters;
  qint64 batch = 0;
  bool operator==(const ProgramFields&) const = default;
};
ProgramFields FieldsOf(const ExternalProgramEntry& e);

// The result of an arrow of ControlId::ProgramPosition: the new position and what the fields
// then show (the batch number keeps its value when the fields are emptied).
struct ProgramStep {
  int position = 0;
  ProgramFields shown;
};
// An arrow step by `d` (+1 up, -1 down) from position `p`, with `typed` the
// fields as typed. A non-empty menu text stores the fields (quotes as
// "%q%") into entry p, when p holds an entry or is just after the last
// one. The new position stays within 0..9; one just after the last entry
// appends a blank entry.
ProgramStep StepProgramList(std::vector<ExternalProgramEntry>& list, int p, int d, const ProgramFields& typed);
// "Save": the fields as typed (quotes kept) into entry p. Only a position
// that holds an entry, or the one just after the last (which appends),
// stores; false when nothing was stored.
bool StoreProgramEntry(std::vector<ExternalProgramEntry>& list, int p, const ProgramFields& typed);
// What the fields show at position p: its entry, or empty fields with
// the batch number `batch` where there is none.
ProgramFields ShownAt(const std::vector<ExternalProgramEntry>& list, int p, qint64 batch);
// "Set as default" takes only a position with an entry that has a menu text.
bool CanBeDefault(const std::vector<ExternalProgramEntry>& list, int p);

// A reference field as stored: empty becomes "External Reference " + slot.
QString ReferenceSlotText(int slot, const QString& field);
// The External resources item of a reference: "-" when unset, else the
// file-name part, with " (http)" after it when it starts with "http".
QString ReferenceMenuText(const QString& text);

// The tab-size spin after an arrow: at most 8 going up, at least 2 going down.
int TabSizeAfterArrow(int value, bool up);
// A size from the font requester: above 18 becomes 16, below 10 becomes 10.
int ClampChosenFontSize(int size);

}  // namespace vendle
