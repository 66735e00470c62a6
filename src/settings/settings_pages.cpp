#include "settings/settings_pages.h"

#include <algorithm>

namespace vendle {
namespace {

const QString kQuoteToken = QStringLiteral("%q%");

ExternalProgramEntry EntryOf(const ProgramFields& f, bool quotesAsToken) {
  auto q = [quotesAsToken](const QString& s) { return quotesAsToken ? QuotesAsToken(s) : s; };
  return {f.menuText, q(f.folder), q(f.program), q(f.parameters), f.batch};
}

// Entry p is stored when it exists or is the next one to append.
bool Store(std::vector<ExternalProgramEntry>& list, int p, const ExternalProgramEntry& e) {
  const int n = int(list.size());
  if (p < 0 || p > n) return false;
  if (p == n)
    list.push_back(e);
  else
    list[std::size_t(p)] = e;
  return true;
}

}  // namespace

QString QuotesAsToken(const QString& text) {
  QString out = text;
  return out.replace(u'"', kQuoteToken);
}

QString QuotedForField(const QString& path) { return kQuoteToken + path + kQuoteToken; }

ProgramFields FieldsOf(const ExternalProgramEntry& e) { return {e.menuText, e.folder, e.program, e.parameters, e.batch}; }

ProgramFields ShownAt(const std::vector<ExternalProgramEntry>& list, int p, qint64 batch) {
  if (p >= 0 && p < int(list.size())) return FieldsOf(list[std::size_t(p)]);
  ProgramFields f;
  f.batch = batch;
  return f;
}

ProgramStep StepProgramList(std::vector<ExternalProgramEntry>& list, int p, int d, const ProgramFields& typed) {
  if (!typed.menuText.isEmpty()) Store(list, p, EntryOf(typed, true));
  ProgramStep step;
  step.position = std::clamp(p + d, 0, kLastProgramPosition);
  // Just after the last entry a blank one is appended; its fields show empty
  // and the batch number keeps its value, as at a position without an entry.
  if (step.position == int(list.size())) {
    list.push_back({});
    step.shown = ShownAt({}, 0, typed.batch);
  } else {
    step.shown = ShownAt(list, step.position, typed.batch);
  }
  return step;
}

bool StoreProgramEntry(std::vector<ExternalProgramEntry>& list, int p, const ProgramFields& typed) {
  return Store(list, p, EntryOf(typed, false));
}

bool CanBeDefault(const std::vector<ExternalProgramEntry>& list, int p) {
  return p >= 0 && p < int(list.size()) && !list[std::size_t(p)].menuText.isEmpty();
}

QString ReferenceSlotText(int slot, const QString& field) {
  return field.isEmpty() ? QStringLiteral("External Reference ") + QString::number(slot) : field;
}

QString ReferenceMenuText(const QString& text) {
  if (text.startsWith(QStringLiteral("External Reference"))) return QStringLiteral("-");
  const qsizetype slash = std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u'/'));
  QString name = text.sliced(slash + 1);
  if (text.first(std::min<qsizetype>(4, text.size())).compare(QStringLiteral("HTTP"), Qt::CaseInsensitive) == 0)
    name += QStringLiteral(" (http)");
  return name;
}

int TabSizeAfterArrow(int value, bool up) { return up ? std::min(value + 1, 8) : std::max(value - 1, 2); }

int ClampChosenFontSize(int size) {
  if (size > 18) return 16;
  if (size < 10) return 10;
  return size;
}

}  // namespace vendle
