// Runs the built editor as a real process in a sandbox: a copy of the
// program with "portable.inf" beside it, its own data folder, lock folder and
// control port, on the offscreen platform.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace vendle::test {

// Reads `p`'s error output until it holds `text` or `ms` have passed; all
// that was read.
QByteArray ReadErrorsUntil(QProcess& p, const QByteArray& text, int ms);

class EditorSandbox {
 public:
  // `preferences` is written as Data/Vendle5.inf (the control port and
  // "Confirm before Exit = 0" are added). `executable` is the program copied
  // into the sandbox: the built one by default.
  explicit EditorSandbox(const QString& preferences = QString(), const QString& executable = QString());

  QString root() const { return dir_.path() + "/"; }
  QString programFolder() const { return root() + "prog/"; }
  QString dataFolder() const { return programFolder() + "Data/"; }
  quint16 port() const { return port_; }

  // Starts the editor with `args` in `workingFolder` (the root by default);
  // its error output goes to the test's.
  std::unique_ptr<QProcess> start(const QStringList& args = {}, const QString& workingFolder = QString()) const;
  // The same, with the error output kept for the test to read.
  std::unique_ptr<QProcess> startReadingErrors(const QStringList& args) const;
  // True once the editor's control port accepts a connection.
  bool waitUntilListening(int ms = 20000) const;
  QString readPreferences() const;

 private:
  std::unique_ptr<QProcess> launch(const QStringList& args, const QString& workingFolder, bool readErrors) const;

  QTemporaryDir dir_;
  quint16 port_ = 0;
};

}  // namespace vendle::test
