#include "links/socket_owner.h"

#include <QFile>
#include <cstring>

#include "platform/text_lines.h"

namespace vendle {
namespace {

constexpr qint64 kTableLimit = 64 << 20;
constexpr int kTimeWait = 0x06;

// The kernel prints each 32-bit word of an address with %08X as it lies in
// memory, so the bytes are the word's bytes in this machine's order.
bool ParseAddress(QByteArrayView hex, Q_IPV6ADDR* out, bool* v6) {
  if (hex.size() != 8 && hex.size() != 32) return false;
  *v6 = hex.size() == 32;
  std::memset(out, 0, sizeof *out);
  for (qsizetype w = 0; w < hex.size() / 8; ++w) {
    bool ok = false;
    const quint32 word = hex.sliced(w * 8, 8).toByteArray().toUInt(&ok, 16);
    if (!ok) return false;
    std::memcpy(out->c + w * 4, &word, 4);
  }
  return true;
}

// "0100007F:1AB0" against an address and port.
bool SameEnd(QByteArrayView field, const QHostAddress& address, quint16 port) {
  const qsizetype colon = field.indexOf(':');
  if (colon < 0) return false;
  bool ok = false;
  if (field.sliced(colon + 1).toByteArray().toUInt(&ok, 16) != port || !ok) return false;
  Q_IPV6ADDR raw;
  bool v6 = false;
  if (!ParseAddress(field.first(colon), &raw, &v6)) return false;
  QHostAddress listed;
  if (v6) {
    listed.setAddress(raw);
  } else {
    quint32 v4 = 0;
    for (int i = 0; i < 4; ++i) v4 = (v4 << 8) | raw.c[i];
    listed.setAddress(v4);
  }
  // An IPv4 address and its IPv6-mapped form are the same end.
  return listed.isEqual(address, QHostAddress::TolerantConversion);
}

QList<QByteArrayView> Fields(QByteArrayView line) {
  QList<QByteArrayView> out;
  qsizetype i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const qsizetype start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) out.append(line.sliced(start, i - start));
  }
  return out;
}

}  // namespace

std::optional<uint> FindSocketOwner(QByteArrayView table, const SocketEnds& ends) {
  std::optional<uint> owner;
  bool header = true;
  ForEachLine(table, [&](const TextLine& l) {
    if (owner) return;
    if (header) {  // the column titles
      header = false;
      return;
    }
    // sl local rem st tx:rx tr:when retrnsmt uid timeout inode ...
    const QList<QByteArrayView> f = Fields(table.sliced(l.start, l.length));
    if (f.size() < 10) return;
    if (!SameEnd(f[1], ends.local, ends.localPort) || !SameEnd(f[2], ends.remote, ends.remotePort)) return;
    bool ok = false;
    const int state = f[3].toByteArray().toInt(&ok, 16);
    if (!ok || state == kTimeWait) return;
    const uint uid = f[7].toByteArray().toUInt(&ok);
    if (!ok) return;
    bool inodeOk = false;
    if (f[9].toByteArray().toULongLong(&inodeOk) == 0 || !inodeOk) return;
    owner = uid;
  });
  return owner;
}

QStringList DefaultSocketTables() {
  return {QStringLiteral("/proc/net/tcp"), QStringLiteral("/proc/net/tcp6")};
}

std::optional<uint> SocketOwnerFromTables(const QStringList& tablePaths, const SocketEnds& ends) {
  for (const QString& path : tablePaths) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) continue;
    // The tables are generated as they are read: their size is 0 until then.
    const QByteArray text = f.read(kTableLimit);
    if (auto uid = FindSocketOwner(text, ends)) return uid;
  }
  return std::nullopt;
}

}  // namespace vendle
