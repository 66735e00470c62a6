#include "links/help.h"

#include <QFileInfo>
#include <cstring>
#include <QStringList>

namespace vendle {

QString HelpAddress(const QString& path) {
  static const char kKept[] = "!$&'()*,-./:;=@_~";
  const QByteArray utf8 = path.toUtf8();
  QString out = QStringLiteral("file://");
  if (!path.startsWith(u'/')) out += u'/';  // a drive letter or a relative name
  static const char kHex[] = "0123456789ABCDEF";
  for (char ch : utf8) {
    const unsigned char b = static_cast<unsigned char>(ch);
    const bool kept = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                      (b != 0 && std::strchr(kKept, b) != nullptr);
    if (kept) {
      out += QChar(b);
    } else {
      out += u'%';
      out += QChar(kHex[b >> 4]);
      out += QChar(kHex[b & 15]);
    }
  }
  return out;
}

QString TrimPickedWord(QString word) {
  if (word.endsWith(QStringLiteral("\r\n"))) word.chop(2);
  else if (word.endsWith(u'\r') || word.endsWith(u'\n')) word.chop(1);
  if (word.endsWith(u' ')) word.chop(1);
  return word;
}

QString HelpKeyOf(QStringView word) {
  QString key;
  key.reserve(word.size());
  for (QChar c : word) {
    if (c == u'(' || c == u'$' || c == u' ' || c == u'\r' || c == u'\n') {
      if (!key.isEmpty() && !key.endsWith(u' ')) key += u' ';
    } else {
      key += c.toUpper();
    }
  }
  return key;
}

namespace {
// The first `count` rows whose keyword + "  " passes `test`.
template <class Test>
int FirstRow(const KeywordHelpTable& table, Test test) {
  const int last = std::min(table.count, KeywordHelpTable::kRows);
  for (int r = 1; r <= last; ++r) {
    const QString& keyword = table.rows[r].keyword;
    if (keyword.isEmpty()) continue;
    if (test(keyword + QStringLiteral("  "))) return r;
  }
  return 0;
}
}  // namespace

int LookupHelpRow(const KeywordHelpTable& table, const QString& key) {
  if (key.isEmpty()) return 0;
  const QString probe = key + u' ';
  if (int r = FirstRow(table, [&](const QString& k) { return k.startsWith(probe, Qt::CaseInsensitive); })) return r;
  if (!key.contains(u' ')) return 0;
  if (int r = FirstRow(table, [&](const QString& k) { return k.contains(probe, Qt::CaseInsensitive); })) return r;
  const QStringList words = key.split(u' ', Qt::SkipEmptyParts);
  if (words.size() >= 2) {
    const QString second = words[1] + u' ';
    if (int r = FirstRow(table, [&](const QString& k) { return k.startsWith(second, Qt::CaseInsensitive); })) return r;
  }
  if (!words.isEmpty()) {
    const QString first = words[0] + u' ';
    if (int r = FirstRow(table, [&](const QString& k) { return k.startsWith(first, Qt::CaseInsensitive); })) return r;
  }
  return 0;
}

ReferenceKind ClassifyReference(const QString& text) {
  if (text.isEmpty() || text.startsWith(QStringLiteral("External Reference"))) return ReferenceKind::Unset;
  if (text.left(4).toUpper() == QStringLiteral("HTTP")) return ReferenceKind::Http;
  const QString ext = QFileInfo(text).suffix().toUpper();
  if (ext == QStringLiteral("TXT") || ext == QStringLiteral("BAS")) return ReferenceKind::InfoFile;
  return ReferenceKind::Desktop;
}

}  // namespace vendle
