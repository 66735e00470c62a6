// The control-link protocol: framing of what a connection sends into
// commands, and the reading of a command. No sockets here.
//
// Framing: a connection's command is everything it has sent up to its last
// CR so far, with every CR removed; what follows that CR stays for the
// connection's next command. Bytes are decoded as UTF-8 when a command is
// taken, never per receive, so a character split across two writes survives.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace vendle {

class CommandFramer {
 public:
  static constexpr qsizetype kDefaultCap = 1 << 20;  // 1 MiB per connection
  explicit CommandFramer(qsizetype cap = kDefaultCap) : cap_(cap) {}

  // Appends `bytes`; returns the command completed by them, if any.
  // Overflow: the text held without a CR went past the cap; it is dropped.
  enum class Result { Nothing, Command, Overflow };
  Result feed(QByteArrayView bytes, QString* command);

  qsizetype held() const { return pending_.size(); }

 private:
  qsizetype cap_;
  QByteArray pending_;
};

enum class CommandKind { Ignored, Cmd, Load, Paste };

struct ControlCommand {
  CommandKind kind = CommandKind::Ignored;
  QString rest;  // the text after the keyword ("/cmd": from the 5th character; "/load": from the 6th)
};

// Only the beginning decides: "/cmd", else "/load", else "/paste", in any case.
ControlCommand ParseControlCommand(const QString& text);

// "/cmd" sub-commands.
struct SubCommand {
  enum class Kind { Other, Goto } kind = Kind::Other;
  QString trimmed;      // the text after "/cmd", trimmed of blanks (for the debug line)
  qint64 line = 0;      // "goto": the number as written (1-based)
};
SubCommand ParseSubCommand(const QString& rest);

// "/load " + the files joined by LF + CR, in UTF-8: what a second start sends.
QByteArray HandOverMessage(const QStringList& files);

}  // namespace vendle
