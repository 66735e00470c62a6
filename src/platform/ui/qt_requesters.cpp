#include "platform/ui/qt_requesters.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

namespace vendle {
namespace {
// A Qt label does not break at a lone CR.
QString ForDisplay(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

QString FilterOf(const FileRequest& r, QString* selected) {
  const QStringList filters = ConvertPatternList(r.patterns);
  if (selected && r.patternIndex >= 0 && r.patternIndex < filters.size()) *selected = filters[r.patternIndex];
  return filters.join(QStringLiteral(";;"));
}
}  // namespace

// A message box whose every part a screen reader names: its icon is a
// label too, named by the kind of message.
static int RunMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                  QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, ForDisplay(text), buttons, parent);
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
    label->setAccessibleName(icon == QMessageBox::Question ? QStringLiteral("Question") : QStringLiteral("Information"));
  return box.exec();
}

void QtRequesters::doMessage(const QString& title, const QString& text) {
  RunMessageBox(parent_(), QMessageBox::Information, title, text, QMessageBox::Ok);
}

Answer QtRequesters::doAsk(const QString& title, const QString& text, Buttons buttons) {
  QMessageBox::StandardButtons b = QMessageBox::Yes | QMessageBox::No;
  if (buttons == Buttons::YesNoCancel) b |= QMessageBox::Cancel;
  if (buttons == Buttons::Ok) b = QMessageBox::Ok;
  const auto r = RunMessageBox(parent_(), QMessageBox::Question, title, text, b);
  switch (r) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  }
}

std::optional<QString> QtRequesters::doInput(const QString& title, const QString& prompt, const QString& initial) {
  bool ok = false;
  const QString s = QInputDialog::getText(parent_(), title, ForDisplay(prompt), QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return s;
}

std::optional<QString> QtRequesters::doOpenFile(const FileRequest& r) {
  QString selected;
  const QString filter = FilterOf(r, &selected);
  const QString s = QFileDialog::getOpenFileName(parent_(), r.title, r.initialPath, filter, &selected);
  if (s.isEmpty()) return std::nullopt;
  return s;
}

std::optional<QString> QtRequesters::doSaveFile(const FileRequest& r) {
  QString selected;
  const QString filter = FilterOf(r, &selected);
  // The program asks its own overwrite question.
  const QString s = QFileDialog::getSaveFileName(parent_(), r.title, r.initialPath, filter, &selected,
                                                 QFileDialog::DontConfirmOverwrite);
  if (s.isEmpty()) return std::nullopt;
  return s;
}

std::optional<QString> QtRequesters::doFolder(const QString& title, const QString& initial) {
  const QString s = QFileDialog::getExistingDirectory(parent_(), title, initial);
  if (s.isEmpty()) return std::nullopt;
  return s;
}

namespace {
QColor FromBgr(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
std::optional<std::uint32_t> ToBgr(const QColor& c) {
  if (!c.isValid()) return std::nullopt;
  return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}
}  // namespace

std::optional<std::uint32_t> QtRequesters::doColour(std::uint32_t bgr) {
  return ToBgr(QColorDialog::getColor(FromBgr(bgr), parent_()));
}

std::optional<std::uint32_t> QtRequesters::doColourAt(std::uint32_t bgr, const RequesterPlace& place) {
  QWidget* owner = windowOf_ ? windowOf_(place.window) : nullptr;
  QColorDialog dialog(FromBgr(bgr), owner ? owner : parent_());
  dialog.move(place.x, place.y);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToBgr(dialog.selectedColor());
}

std::optional<FontChoice> QtRequesters::doFont(const FontChoice& initial) {
  bool ok = false;
  const QFont f = QFontDialog::getFont(&ok, QFont(initial.name, initial.size), parent_());
  if (!ok) return std::nullopt;
  return FontChoice{f.family(), f.pointSize()};
}

std::optional<PageSet> RunPrintDialog(QPrinter& printer, QWidget* parent,
                                      const std::function<void(QPrintDialog&)>& whileShown) {
  QPrintDialog dialog(&printer, parent);
  if (whileShown) QTimer::singleShot(0, &dialog, [&] { whileShown(dialog); });
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // Its entries are All, Odd and Even pages, in this order.
  const auto* set = dialog.findChild<QComboBox*>(QStringLiteral("pageSetCombo"));
  switch (set ? set->currentIndex() : 0) {
    case 1: return PageSet::Odd;
    case 2: return PageSet::Even;
    default: return PageSet::All;
  }
}

std::optional<PageSet> QtRequesters::doPrint(QPrinter& printer) { return RunPrintDialog(printer, parent_()); }

void QtRequesters::doDismissStanding() {
  // Every open dialog returns as cancelled once control is back in its loop.
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->isModal()) d->reject();
}

}  // namespace vendle
