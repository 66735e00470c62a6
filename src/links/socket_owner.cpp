#include "links/socket_owner.h"

#include <QFile>
#include <arpa/inet.h>
#include <cstring>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/fsuid.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include "platform/text_lines.h"
#include "platform/unique_fd.h"

namespace vendle {
namespace {

constexpr qint64 kTableLimit = 64 << 20;
constexpr int kTimeWait = 0x06;
constexpr int kTimeWaitTimer = 3;

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

// An address as the diagnostics take it: network order, IPv4 in word 0.
bool PutAddress(const QHostAddress& a, __be32 out[4], int* family) {
  bool v4 = false;
  const quint32 ip4 = a.toIPv4Address(&v4);
  std::memset(out, 0, 16);
  if (v4 && a.protocol() == QAbstractSocket::IPv4Protocol) {
    *family = AF_INET;
    out[0] = htonl(ip4);
    return true;
  }
  if (a.protocol() != QAbstractSocket::IPv6Protocol) return false;
  *family = AF_INET6;
  const Q_IPV6ADDR raw = a.toIPv6Address();
  std::memcpy(out, raw.c, 16);
  return true;
}

struct DiagRequest {
  nlmsghdr header;
  inet_diag_req_v2 body;
};

constexpr int kDiagTimeoutMs = 500;

}  // namespace

QByteArray SocketDiagRequest(const SocketEnds& ends) {
  DiagRequest r;
  std::memset(&r, 0, sizeof r);
  int family = 0, remoteFamily = 0;
  if (!PutAddress(ends.local, r.body.id.idiag_src, &family) ||
      !PutAddress(ends.remote, r.body.id.idiag_dst, &remoteFamily) || family != remoteFamily)
    return {};
  r.header.nlmsg_len = sizeof r;
  r.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
  r.header.nlmsg_flags = NLM_F_REQUEST;
  r.body.sdiag_family = static_cast<__u8>(family);
  r.body.sdiag_protocol = IPPROTO_TCP;
  r.body.idiag_states = ~0u;
  r.body.id.idiag_sport = htons(ends.localPort);
  r.body.id.idiag_dport = htons(ends.remotePort);
  r.body.id.idiag_cookie[0] = INET_DIAG_NOCOOKIE;
  r.body.id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;
  return QByteArray(reinterpret_cast<const char*>(&r), sizeof r);
}

std::optional<SocketRecord> ParseSocketDiagReply(QByteArrayView reply) {
  if (reply.size() < qsizetype(sizeof(nlmsghdr))) return std::nullopt;
  nlmsghdr h;
  std::memcpy(&h, reply.data(), sizeof h);
  if (h.nlmsg_type != SOCK_DIAG_BY_FAMILY || h.nlmsg_len > quint64(reply.size()) ||
      h.nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg)))
    return std::nullopt;
  inet_diag_msg m;
  std::memcpy(&m, reply.data() + NLMSG_HDRLEN, sizeof m);
  return SocketRecord{m.idiag_uid, m.idiag_inode, m.idiag_state, m.idiag_timer};
}

std::optional<uint> OwnerOfRecord(const SocketRecord& r, bool makersKept) {
  if (r.state == kTimeWait || r.timer == kTimeWaitTimer) return std::nullopt;
  if (r.inode == 0 && r.uid == 0 && !makersKept) return std::nullopt;
  return r.uid;
}

std::optional<SocketRecord> SocketRecordFromKernel(const SocketEnds& ends) {
  const QByteArray request = SocketDiagRequest(ends);
  if (request.isEmpty()) return std::nullopt;
  UniqueFd nl(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG));
  if (nl.get() < 0) return std::nullopt;
  const timeval wait{0, kDiagTimeoutMs * 1000};
  ::setsockopt(nl.get(), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  if (::send(nl.get(), request.constData(), size_t(request.size()), 0) != request.size()) return std::nullopt;
  alignas(nlmsghdr) char reply[8192];
  ssize_t n;
  do n = ::recv(nl.get(), reply, sizeof reply, 0);
  while (n < 0 && errno == EINTR);
  if (n <= 0) return std::nullopt;
  return ParseSocketDiagReply(QByteArrayView(reply, n));
}

bool KernelKeepsSocketMakers() {
  static const bool kept = [] {
    constexpr uid_t kOther = 65534;
    // A connection not yet accepted has no file (inode 0), as a closed one,
    // and is made by the listening socket: made here with another uid.
    const uid_t before = static_cast<uid_t>(::setfsuid(kOther));
    UniqueFd listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    ::setfsuid(before);  // the file-system uid is this thread's own
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (listener.get() < 0 || ::bind(listener.get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(listener.get(), 1) != 0 || ::getsockname(listener.get(), reinterpret_cast<sockaddr*>(&a), &len) != 0)
      return false;
    UniqueFd client(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in own{};
    len = sizeof own;
    if (client.get() < 0 || ::connect(client.get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(client.get(), reinterpret_cast<sockaddr*>(&own), &len) != 0)
      return false;
    const QHostAddress lo(QHostAddress::LocalHost);
    const auto r = SocketRecordFromKernel({lo, ntohs(a.sin_port), lo, ntohs(own.sin_port)});
    return r && r->inode == 0 && r->uid == kOther;
  }();
  return kept;
}

std::optional<uint> SocketOwner(const SocketEnds& ends) {
  if (const auto r = SocketRecordFromKernel(ends)) {
    const bool ambiguous = r->inode == 0 && r->uid == 0;
    if (auto uid = OwnerOfRecord(*r, ambiguous && ::geteuid() == 0 && KernelKeepsSocketMakers())) return uid;
  }
  return SocketOwnerFromTables(DefaultSocketTables(), ends);
}

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
