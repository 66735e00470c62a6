#include "links/control_link.h"

#include <QStringList>

#include "platform/text_values.h"

namespace vendle {

CommandFramer::Result CommandFramer::feed(QByteArrayView bytes, QString* command) {
  pending_.append(bytes.data(), bytes.size());
  const qsizetype cr = pending_.lastIndexOf('\r');
  if (cr < 0) {
    if (pending_.size() > cap_) {
      pending_.clear();
      return Result::Overflow;
    }
    return Result::Nothing;
  }
  QByteArray taken = pending_.left(cr);
  pending_.remove(0, cr + 1);
  taken.replace("\r", "");
  if (command) *command = QString::fromUtf8(taken);
  if (pending_.size() > cap_) pending_.clear();
  return Result::Command;
}

ControlCommand ParseControlCommand(const QString& text) {
  if (text.left(4).toLower() == u"/cmd") return {CommandKind::Cmd, text.mid(4)};
  if (text.left(5).toLower() == u"/load") return {CommandKind::Load, text.mid(5)};
  if (text.left(6).toLower() == u"/paste") return {CommandKind::Paste, text.mid(6)};
  return {};
}

SubCommand ParseSubCommand(const QString& rest) {
  SubCommand s;
  s.trimmed = rest.trimmed();
  // Fields split at single blanks: two blanks make an empty second field.
  const QStringList fields = s.trimmed.split(u' ');
  if (!fields.isEmpty() && fields[0].toLower() == u"goto") {
    s.kind = SubCommand::Kind::Goto;
    s.line = fields.size() > 1 ? ParseVal(fields[1]) : 0;
  }
  return s;
}

QByteArray HandOverMessage(const QStringList& files) {
  return QByteArray("/load ") + files.join(u'\n').toUtf8() + '\r';
}

}  // namespace vendle
