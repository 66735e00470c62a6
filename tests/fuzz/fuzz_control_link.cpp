// Fuzzes the control-link framing and command reading as a connection sees
// them: the input arrives in pieces whose sizes the input itself chooses,
// under a small cap so that overflows happen too. Every command is read as
// a command and, for "/cmd", as a sub-command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QStringList>

#include "links/control_link.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

void Read(const QString& command) {
  Check(!command.contains(u'\r'));
  const ControlCommand c = ParseControlCommand(command);
  if (c.kind == CommandKind::Cmd) {
    const SubCommand s = ParseSubCommand(c.rest);
    if (s.kind == SubCommand::Kind::Goto) Check(s.trimmed.size() <= command.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const qsizetype cap = 16 + data[0];
  const qsizetype piece = 1 + data[1] % 64;
  const QByteArrayView bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

  CommandFramer framer(cap);
  qsizetype crs = 0;
  for (qsizetype at = 0; at < bytes.size(); at += piece) {
    const QByteArrayView part = bytes.sliced(at, std::min(piece, bytes.size() - at));
    crs += part.count('\r');
    QString command;
    const CommandFramer::Result r = framer.feed(part, &command);
    if (r == CommandFramer::Result::Command) Read(command);
    Check(r != CommandFramer::Result::Command || crs > 0);
    Check(framer.held() <= cap + piece);
  }

  // What a second start sends is one "/load" command, whatever the names.
  QStringList files;
  for (const QString& name : QString::fromUtf8(bytes).split(u'\n')) files.append(QString(name).remove(u'\r'));
  CommandFramer whole;
  QString command;
  Check(whole.feed(HandOverMessage(files), &command) == CommandFramer::Result::Command);
  Check(ParseControlCommand(command).kind == CommandKind::Load);
  Check(whole.held() == 0);
  return 0;
}
