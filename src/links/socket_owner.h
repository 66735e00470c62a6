// Who owns the other end of a loopback TCP connection: the user id of the
// socket. The kernel's socket diagnostics (sock_diag over netlink) are asked
// first: they name the user who made a socket also after its process closed
// it, so a client that sends its command and closes at once is still known.
// The socket tables ("/proc/net/tcp" and "/proc/net/tcp6"), which list a
// closed socket with uid 0 whoever made it, are the fallback.
#pragma once

#include <QByteArrayView>
#include <QHostAddress>
#include <QStringList>
#include <optional>

namespace vendle {

struct SocketEnds {
  QHostAddress local;  // the address and port of the socket sought
  quint16 localPort = 0;
  QHostAddress remote;  // the address and port it is connected to
  quint16 remotePort = 0;
};

// The uid of the socket `ends` in one table's text; nothing when no live
// socket matches. A socket in TIME_WAIT, or one already closed by its
// process (inode 0), is listed with uid 0 whoever made it: it never counts.
std::optional<uint> FindSocketOwner(QByteArrayView table, const SocketEnds& ends);

// One socket as the diagnostics list it.
struct SocketRecord {
  uint uid = 0;
  quint64 inode = 0;  // 0 once its process has closed it
  int state = 0;      // TCP_ESTABLISHED 1 ... TCP_TIME_WAIT 6
  int timer = 0;      // 3: a time-wait remnant, which keeps no owner
};

// The exact-match request for the socket `ends`, and the record in its reply
// (nothing for an error, no match or anything malformed).
QByteArray SocketDiagRequest(const SocketEnds& ends);
std::optional<SocketRecord> ParseSocketDiagReply(QByteArrayView reply);

// The owner a record shows. A live socket names its owner; a closed one the
// user who made it, where the kernel keeps that, else uid 0: so a closed
// socket's uid 0 counts only where `makersKept`. Time-wait never counts, nor
// the remnant a closed socket leaves once its close is acknowledged (listed
// in its last state with the time-wait timer, uid 0 whoever made it).
std::optional<uint> OwnerOfRecord(const SocketRecord& r, bool makersKept);

// Asks the kernel; nothing when the diagnostics cannot be asked or do not
// know the socket.
std::optional<SocketRecord> SocketRecordFromKernel(const SocketEnds& ends);

// Whether this kernel's diagnostics name the maker of a closed socket (not
// uid 0). Tried once, only where it matters: by root, whose own uid is 0,
// on a connection to a listening socket made with another file-system uid.
bool KernelKeepsSocketMakers();

// The diagnostics, then the tables.
std::optional<uint> SocketOwner(const SocketEnds& ends);

// The tables read on Linux, IPv4 first.
QStringList DefaultSocketTables();

// Reads each table in turn (up to a size limit) until one names the socket.
std::optional<uint> SocketOwnerFromTables(const QStringList& tablePaths, const SocketEnds& ends);

}  // namespace vendle
