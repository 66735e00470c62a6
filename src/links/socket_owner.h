// Who owns the other end of a loopback TCP connection: the user id of the
// socket, looked up in the kernel's socket tables ("/proc/net/tcp" and
// "/proc/net/tcp6"), which list every socket with its two addresses and
// its owner's uid.
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

// The tables read on Linux, IPv4 first.
QStringList DefaultSocketTables();

// Reads each table in turn (up to a size limit) until one names the socket.
std::optional<uint> SocketOwnerFromTables(const QStringList& tablePaths, const SocketEnds& ends);

}  // namespace vendle
