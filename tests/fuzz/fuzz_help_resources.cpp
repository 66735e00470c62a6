// Fuzzes what the help viewer reads for a page: the input is written as a
// page and the page its <iframe> may name, in a folder that also holds a
// FIFO, a link to a device, a folder, a link loop and a file over the size
// limit; the resource named (relative, absolute, file: or another scheme) is
// read as a page, an image, a style sheet or anything else. Nothing blocks,
// and nothing that is not a regular file within the limit is ever shown.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "links/help_resources.h"

using namespace vendle;

namespace {

// Says which check failed before the abort.
#define CHECK(ok)                                                     \
  do {                                                                \
    if (!(ok)) {                                                      \
      std::fprintf(stderr, "check failed: %s (line %d)\n", #ok, __LINE__); \
      std::abort();                                                   \
    }                                                                 \
  } while (0)

void Write(const QString& path, QByteArrayView bytes) {
  QFile f(path);
  CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  CHECK(f.write(bytes.data(), bytes.size()) == bytes.size());
}

// The folder of the help pages, made once for the whole run.
const QString& Folder() {
  static QTemporaryDir dir;
  static const QString folder = [] {
    CHECK(dir.isValid());
    const QString f = dir.path();
    const QByteArray n = QFile::encodeName(f);
    CHECK(::mkfifo((n + "/fifo").constData(), 0600) == 0);
    CHECK(::symlink("/dev/zero", (n + "/zero").constData()) == 0);
    CHECK(::symlink("fifo", (n + "/tofifo").constData()) == 0);
    CHECK(::symlink("loop", (n + "/loop").constData()) == 0);
    CHECK(::mkdir((n + "/dir").constData(), 0700) == 0);
    const int big = ::open((n + "/big.png").constData(), O_WRONLY | O_CREAT, 0600);
    CHECK(big >= 0 && ::ftruncate(big, kLargestHelpResource + 1) == 0);
    ::close(big);
    return f;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const QString& folder = Folder();
  const std::uint8_t mode = data[0];
  // name \0 page \0 framed page
  const QByteArrayView rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  const qsizetype end1 = rest.indexOf('\0');
  const QByteArrayView nameBytes = end1 < 0 ? rest : rest.first(end1);
  const QByteArrayView pages = end1 < 0 ? QByteArrayView() : rest.sliced(end1 + 1);
  const qsizetype end2 = pages.indexOf('\0');
  Write(folder + "/page.html", end2 < 0 ? pages : pages.first(end2));
  Write(folder + "/frame.html", end2 < 0 ? QByteArrayView() : pages.sliced(end2 + 1));

  const QString text = QString::fromUtf8(nameBytes);
  const QUrl page = QUrl::fromLocalFile(folder + "/page.html");
  QUrl name;
  switch ((mode >> 2) & 3) {
    case 0: name = QUrl(text); break;                                     // as the page writes it
    case 1: name = QUrl::fromLocalFile(folder + u'/' + text); break;      // a file: address
    case 2: name = QUrl::fromLocalFile(text); break;                      // an absolute path
    default: name = QUrl(QStringLiteral("http://localhost/") + text); break;  // not local
  }
  const auto kind = static_cast<HelpResourceKind>(mode & 3);
  const HelpResource r = ReadHelpResource(kind, name, page);

  const QUrl url = name.isRelative() ? page.resolved(name) : name;
  const QFileInfo target(url.toLocalFile());
  if (r.found) {
    CHECK(url.isLocalFile());
    CHECK(target.isFile() && target.size() <= kLargestHelpResource);
  }
  if (kind == HelpResourceKind::Page) {
    if (!r.found) CHECK(r.html.contains(QStringLiteral("Page not found")));
    CHECK(r.bytes.isEmpty());
  } else {
    CHECK(r.html.isEmpty());
    CHECK(r.bytes.size() <= kLargestHelpResource);
    if (!r.found) CHECK(r.bytes.isEmpty());
  }
  return 0;
}
