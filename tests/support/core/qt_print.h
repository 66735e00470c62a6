// Lets GoogleTest print Qt values readably in failure messages.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{';
  for (int i = 0; i < l.size(); ++i) *os << (i ? ", \"" : "\"") << l[i].toStdString() << '"';
  *os << '}';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
  *os << '"';
  for (unsigned char c : b) {
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') *os << c;
    else {
      static const char* hex = "0123456789ABCDEF";
      *os << "\\x" << hex[c >> 4] << hex[c & 15];
    }
  }
  *os << '"';
}
