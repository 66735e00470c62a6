#include "documents/document_list.h"

namespace vendle {

int DocumentList::append(DocumentRecord r) {
  r.serial = ++lastSerial_;
  records_.push_back(std::move(r));
  if (current_ < 0) current_ = 0;
  return size() - 1;
}

void DocumentList::remove(int index) {
  if (!valid(index)) return;
  records_.erase(records_.begin() + index);
  if (records_.empty()) current_ = -1;
  else if (current_ > index || current_ >= size()) current_ = std::max(0, current_ - 1);
}

int DocumentList::indexOfEditor(int control) const {
  for (int i = 0; i < size(); ++i)
    if (records_[i].editor == control) return i;
  return -1;
}

int EditorSlots::lowestFree() const {
  for (int s = 0; s < maxTabs(); ++s)
    if (!used_[s]) return s;
  return -1;
}

int EditorSlots::usedCount() const {
  int n = 0;
  for (bool u : used_) n += u ? 1 : 0;
  return n;
}

int DocumentList::indexOfSerial(quint64 serial) const {
  for (int i = 0; i < size(); ++i)
    if (records_[i].serial == serial) return i;
  return -1;
}

}  // namespace vendle
