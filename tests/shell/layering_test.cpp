// The layering of src/, read from the include lines of the sources: the core
// knows no widgets, a ui/ half reaches another subsystem only through its
// commands header or the application services, and the ui/ include graph has
// no cycle.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <functional>
#include <map>

#include "platform/text_lines.h"

namespace vendle {
namespace {

struct Include {
  QString target;  // as written between the quotes or angle brackets
  bool quoted = false;
  int line = 0;
};

// The include lines of one source text (UTF-8 or ASCII).
std::vector<Include> IncludesOf(const QString& text) {
  static const QRegularExpression re(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
  std::vector<Include> out;
  int number = 0;
  for (const QStringView line : LineTexts(text)) {
    ++number;
    const QRegularExpressionMatch m = re.match(line.toString());
    if (m.hasMatch()) out.push_back({m.captured(2).trimmed(), m.captured(1) == u'"', number});
  }
  return out;
}

// A path of src/ split into its subsystem, whether it is in a ui/ folder and
// its file name; "main.cpp" has no subsystem.
struct SourcePath {
  QString subsystem;
  bool ui = false;
  QString file;
};
SourcePath Split(const QString& relative) {
  const QStringList parts = relative.split(u'/');
  SourcePath p;
  p.file = parts.last();
  if (parts.size() >= 2) p.subsystem = parts[0];
  p.ui = parts.size() >= 3 && parts[1] == u"ui";
  return p;
}

// Every header name of Qt GUI and Qt Widgets, as the installed headers give them.
QSet<QString> WidgetAndGuiHeaders() {
  QSet<QString> names;
  const QString root = QLibraryInfo::path(QLibraryInfo::HeadersPath);
  for (const QString& module : {QStringLiteral("QtGui"), QStringLiteral("QtWidgets")}) {
    names.insert(module);
    const QDir dir(root + u'/' + module);
    for (const QString& f : dir.entryList(QDir::Files)) names.insert(f);
  }
  return names;
}

// Why a core file may not include `target`, or an empty text when it may.
QString CoreViolation(const Include& inc, const QSet<QString>& qtGui) {
  const QString t = inc.target;
  if (t.contains(QStringLiteral("/ui/")) || t.startsWith(QStringLiteral("ui/"))) return QStringLiteral("a ui/ file");
  if (t.endsWith(QStringLiteral("app.h")) && t.startsWith(QStringLiteral("shell/"))) return QStringLiteral("app.h");
  if (t.startsWith(QStringLiteral("Qsci/"))) return QStringLiteral("QScintilla");
  // <QWidget>, <QtWidgets/QWidget>, <QtWidgets>, <qwidget.h>, <QtGui/qcolor.h>...
  const QString module = t.section(u'/', 0, 0);
  if (module == u"QtWidgets" || module == u"QtGui") return QStringLiteral("Qt ") + module;
  if (!inc.quoted && qtGui.contains(t.section(u'/', -1))) return QStringLiteral("a Qt GUI or Widgets header");
  return {};
}

// The crossings into the editor adapter that stand today: the documents set
// up, fill and read their editors, and two other commands read or restyle
// them. No new line belongs here; the list shrinks as they move behind a
// commands header.
const QSet<QString>& KnownCrossings() {
  static const QSet<QString> known = {
      QStringLiteral("documents/ui/documents.cpp editor/ui/bookmarks_folds.h"),
      QStringLiteral("documents/ui/documents.cpp editor/ui/change_marks.h"),
      QStringLiteral("documents/ui/documents.cpp editor/ui/editor_config.h"),
      QStringLiteral("documents/ui/documents.cpp editor/ui/editor_lexer.h"),
      QStringLiteral("documents/ui/documents.cpp editor/ui/editor_setup.h"),
      QStringLiteral("documents/ui/documents.cpp editor/ui/view_options.h"),
      QStringLiteral("documents/ui/file_operations.cpp editor/ui/bookmarks_folds.h"),
      QStringLiteral("documents/ui/file_operations.cpp editor/ui/change_marks.h"),
      QStringLiteral("documents/ui/file_operations.cpp editor/ui/view_options.h"),
      QStringLiteral("settings/ui/apply_preferences.cpp editor/ui/view_options.h"),
  };
  return known;
}

// Whether a ui/ file of `from` may include the project header `target`.
bool UiIncludeAllowed(const QString& from, const QString& target) {
  const SourcePath t = Split(target);
  if (!t.ui || t.subsystem == from) return true;
  if (t.subsystem == u"platform") return true;  // the toolkit layer under every ui/ half
  // The shell builds the window and wires the dispatch: it is the top layer.
  if (from == u"shell") return true;
  if (target == u"shell/ui/app.h" || target == u"shell/ui/services.h") return true;
  return t.file.endsWith(QStringLiteral("_commands.h"));
}

struct Source {
  QString relative;  // below src/
  QString text;
};

std::vector<Source> ReadSources(const QString& root) {
  std::vector<Source> out;
  QDirIterator it(root, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) continue;
    out.push_back({QDir(root).relativeFilePath(path), QString::fromUtf8(f.readAll())});
  }
  std::sort(out.begin(), out.end(), [](const Source& a, const Source& b) { return a.relative < b.relative; });
  return out;
}

// The problems of a set of sources; empty when the layering holds.
QStringList LayeringProblems(const std::vector<Source>& sources) {
  const QSet<QString> qtGui = WidgetAndGuiHeaders();
  QStringList problems;
  std::map<QString, QStringList> uiGraph;  // ui/ header or source -> ui/ headers it includes
  for (const Source& s : sources) {
    const SourcePath p = Split(s.relative);
    if (p.subsystem.isEmpty()) continue;  // main.cpp links everything
    for (const Include& inc : IncludesOf(s.text)) {
      const QString where = s.relative + u':' + QString::number(inc.line) + QStringLiteral(" includes ") + inc.target;
      if (!p.ui) {
        const QString why = CoreViolation(inc, qtGui);
        if (!why.isEmpty()) problems << where + QStringLiteral(": a core file includes ") + why;
        continue;
      }
      if (!inc.quoted) continue;
      if (!UiIncludeAllowed(p.subsystem, inc.target) && !KnownCrossings().contains(s.relative + u' ' + inc.target))
        problems << where + QStringLiteral(": another subsystem's ui internals, not its commands header");
      if (Split(inc.target).ui) uiGraph[s.relative].push_back(inc.target);
    }
  }
  // Depth-first search for an include cycle among the ui/ files.
  std::map<QString, int> state;  // 1 on the path, 2 done
  QStringList path;
  std::function<void(const QString&)> visit = [&](const QString& node) {
    state[node] = 1;
    path << node;
    for (const QString& next : uiGraph[node]) {
      if (state[next] == 1) {
        problems << QStringLiteral("include cycle: ") + path.mid(path.indexOf(next)).join(QStringLiteral(" -> ")) +
                        QStringLiteral(" -> ") + next;
      } else if (state[next] == 0) {
        visit(next);
      }
    }
    path.removeLast();
    state[node] = 2;
  };
  for (const auto& [node, edges] : uiGraph)
    if (state[node] == 0) visit(node);
  return problems;
}

TEST(Layering, TheSourcesKeepTheCoreAndUiRules) {
  const std::vector<Source> sources = ReadSources(QStringLiteral(VENDLE_SOURCE_DIR "/src"));
  ASSERT_GT(sources.size(), 100u) << "the sources were not found";
  const QStringList problems = LayeringProblems(sources);
  EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

// The rules on small made-up trees: each row is one file and whether it breaks them.
TEST(Layering, ProbesAreCaught) {
  struct Case {
    const char* file;
    const char* text;
    bool broken;
  };
  const Case cases[] = {
      {"editor/lexer.cpp", "#include <QWidget>\n", true},
      {"editor/lexer.cpp", "#include <QtWidgets/QWidget>\n", true},
      {"editor/lexer.cpp", "#  include <QtWidgets>\n", true},
      {"editor/lexer.cpp", "#include <qpainter.h>\r\n", true},
      {"editor/lexer.cpp", "#include <QtGui/QColor>\r", true},
      {"editor/lexer.cpp", "#include <QColor>\n", true},
      {"editor/lexer.cpp", "#include \"editor/ui/editor_view.h\"\n", true},
      {"documents/tab_bar.cpp", "#include \"shell/ui/app.h\"\n", true},
      {"editor/lexer.cpp", "#include <Qsci/qsciscintillabase.h>\n", true},
      {"editor/lexer.cpp", "#include <QString>\n#include <QtCore/QByteArray>\n#include \"platform/text_lines.h\"\n", false},
      {"editor/ui/bookmarks_folds.cpp", "#include \"documents/ui/documents.h\"\n", true},
      {"editor/ui/bookmarks_folds.cpp", "#include \"shell/ui/main_menu.h\"\n", true},
      {"editor/ui/bookmarks_folds.cpp", "#include \"documents/ui/document_commands.h\"\n", false},
      {"editor/ui/bookmarks_folds.cpp", "#include \"shell/ui/services.h\"\n#include \"shell/ui/app.h\"\n", false},
      {"editor/ui/bookmarks_folds.cpp", "#include \"platform/ui/sci.h\"\n#include \"editor/ui/editor_view.h\"\n", false},
      {"shell/ui/main_window.cpp", "#include \"editor/ui/editor_setup.h\"\n", false},
      {"documents/ui/documents.cpp", "#include \"editor/ui/editing_support.h\"\n", true},
      {"links/ui/run_document.cpp", "#include \"documents/ui/documents.h\"\n", true},
  };
  for (const Case& c : cases) {
    const QStringList problems = LayeringProblems({{QString::fromLatin1(c.file), QString::fromLatin1(c.text)}});
    EXPECT_EQ(!problems.isEmpty(), c.broken) << c.file << " with " << c.text << problems.join(u'\n').toStdString();
  }
}

TEST(Layering, AnIncludeCycleOfUiFilesIsCaught) {
  const QStringList problems = LayeringProblems({
      {QStringLiteral("editor/ui/a.h"), QStringLiteral("#include \"editor/ui/b.h\"\n")},
      {QStringLiteral("editor/ui/b.h"), QStringLiteral("#include \"editor/ui/c.h\"\n")},
      {QStringLiteral("editor/ui/c.h"), QStringLiteral("#include \"editor/ui/a.h\"\n")},
  });
  ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
  EXPECT_TRUE(problems[0].startsWith(QStringLiteral("include cycle: "))) << problems[0].toStdString();
}

}  // namespace
}  // namespace vendle
