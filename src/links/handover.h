// The second start's side of the control link: hands its files to the
// running instance.
#pragma once

#include <QString>
#include <QStringList>

namespace vendle {

struct HandOverResult {
  bool ok = false;
  QString error;
};

// Connects to 127.0.0.1:`port` (retrying for up to `retryMs`), sends
// "/load " + files + CR, ends its side and waits until the editor has read
// it all and closed the connection: that is the hand-over taken. A refused
// connection (reset) or no close within `takeMs` is a failure with the
// reason; on a time-out the connection is reset, so the files are not
// opened later behind the user's back.
HandOverResult SendFilesToRunningInstance(const QStringList& files, quint16 port, int retryMs = 5000,
                                          int takeMs = 10000);

// The whole hand-over of a second start: `settingPort` is its own "Control
// Port" (outside 1-65535 it is refused); the files go only to the port the
// first instance recorded in its lock file at `lockPath`, waiting up to
// `recordMs` while that instance is still starting.
HandOverResult HandOverToRunningInstance(const QStringList& files, const QString& lockPath, int settingPort,
                                         int recordMs = 20000);

// The messages a user sees when a control link cannot be: a second start
// that could not hand its files over (`error` from the hand-over), and a
// first instance whose "Control Port" is outside 1-65535 (it runs without
// a link, so later starts cannot hand it files).
inline constexpr const char* kControlLinkTitle = "Vendle";
QString HandOverFailureText(const QStringList& files, const QString& error);
QString PortOutOfRangeText(int settingPort, const QString& preferenceFile);

}  // namespace vendle
