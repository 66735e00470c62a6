#include "platform/sysinfo.h"

#include <sys/utsname.h>

#include "build_stamp.h"

namespace vendle {

QString BuildStamp() { return QStringLiteral(VENDLE_BUILD_STAMP); }

QString OsVersionText() {
  struct utsname u {};
  if (::uname(&u) != 0) return QStringLiteral("Linux 0.0.0");
  return QStringLiteral("Linux ") + QString::fromLocal8Bit(u.release);
}

}  // namespace vendle
