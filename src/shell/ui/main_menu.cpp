#include "shell/ui/main_menu.h"

#include <QAction>

#include "platform/ui/toolkit.h"
#include "shell/startup.h"
#include "shell/ui/app.h"

namespace vendle {
namespace {
// Menu texts from data (paths, syntax and program names) are literal: no mnemonics.
QString Literal(QString text) { return text.replace(u'&', QStringLiteral("&&")); }
QString Unliteral(QString text) { return text.replace(QStringLiteral("&&"), QStringLiteral("&")); }
}  // namespace

void SetItemText(App& app, int item, const QString& text) {
  for (QAction* a : app.toolkit().itemActions(item)) a->setText(Literal(text));
}

QString ItemText(App& app, int item) {
  QAction* a = app.toolkit().item(item);
  return a ? Unliteral(a->text()) : QString();
}

void SetItemChecked(App& app, int item, bool checked) {
  for (QAction* a : app.toolkit().itemActions(item)) {
    a->setCheckable(true);
    a->setChecked(checked);
  }
}

bool ItemChecked(App& app, int item) {
  QAction* a = app.toolkit().item(item);
  return a && a->isChecked();
}

void LabelRecentItemsAtStartup(App& app) {
  const QStringList& recent = app.settings().recentFiles;
  for (int k = 0; k < recent.size() && k <= 9; ++k)
    SetItemText(app, +Item::RecentFirst + k, RecentLabelAtStartup(RecentEntryPath(recent[k])));
}

void LabelExternalReferenceItems(App& app) {
  const auto& refs = app.settings().externalReferences;
  for (int slot = 0; slot < 6; ++slot)
    if (auto label = ExternalReferenceLabel(refs[slot])) SetItemText(app, +Item::ExtRefFirst + slot, *label);
}

}  // namespace vendle
