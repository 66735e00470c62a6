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

// Connects to 127.0.0.1:`port` (retrying for up to `retryMs`, because the
// first instance starts its server late in its start-up), sends
// "/load " + files + CR and waits until every byte has left.
HandOverResult SendFilesToRunningInstance(const QStringList& files, quint16 port, int retryMs = 5000);

}  // namespace vendle
