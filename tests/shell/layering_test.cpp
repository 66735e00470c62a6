// The layering of src/, read from the include lines of the sources. Each
// subsystem has two halves: its core (the folder) and its ui/ folder.
// - The core knows no widgets: no ui/ file, no Qt GUI, Widgets or QScintilla
//   header, and no ui type named in its declarations.
// - A ui/ half reaches another subsystem's ui/ half only through the few
//   headers that subsystem exports (named below); the shell's ui/ half is the
//   composition root and may include any of them.
// - The graph of the halves has no cycle. The application services the
//   shell declares (app.h, services.h) are a node of their own, below every
//   ui/ half: each subsystem implements its part of them.
// - Every include path is written as it is meant: no "./", no "..".
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
  const QStringList parts = QDir::cleanPath(relative).split(u'/');
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

// The headers a subsystem's ui/ half gives the other halves. The toolkit
// layer (platform/ui) is open to every half.
const std::map<QString, QSet<QString>>& Exports() {
  static const std::map<QString, QSet<QString>> exports = {
      {QStringLiteral("editor"),
       {QStringLiteral("editor/ui/editor_view.h"), QStringLiteral("editor/ui/editor_commands.h"),
        QStringLiteral("editor/ui/text_access.h"), QStringLiteral("editor/ui/edit_guards.h"),
        QStringLiteral("editor/ui/editor_setup.h"), QStringLiteral("editor/ui/syntax_commands.h"),
        QStringLiteral("editor/ui/find_commands.h"), QStringLiteral("editor/ui/view_options.h"),
        QStringLiteral("editor/ui/bookmarks_folds.h")}},
      {QStringLiteral("documents"), {QStringLiteral("documents/ui/document_commands.h")}},
      {QStringLiteral("links"), {QStringLiteral("links/ui/link_commands.h")}},
      {QStringLiteral("settings"), {QStringLiteral("settings/ui/settings_commands.h")}},
      {QStringLiteral("tools"), {QStringLiteral("tools/ui/tool_commands.h")}},
      {QStringLiteral("shell"), {QStringLiteral("shell/ui/app.h"), QStringLiteral("shell/ui/services.h")}},
  };
  return exports;
}

bool IsService(const QString& path) { return path == u"shell/ui/app.h" || path == u"shell/ui/services.h"; }

// Whether a ui/ file of `from` may include the project header `target`.
bool UiIncludeAllowed(const QString& from, const QString& target) {
  const SourcePath t = Split(target);
  if (!t.ui || t.subsystem == from) return true;
  if (t.subsystem == u"platform") return true;  // the toolkit layer under every ui/ half
  if (from == u"shell") return true;            // the composition root
  const auto e = Exports().find(t.subsystem);
  return e != Exports().end() && e->second.contains(target);
}

// The node of a file in the graph of the halves: "editor", "editor/ui", or
// "services" for the application services.
QString NodeOf(const QString& path) {
  if (IsService(path)) return QStringLiteral("services");
  const SourcePath p = Split(path);
  return p.ui ? p.subsystem + QStringLiteral("/ui") : p.subsystem;
}

// A ui type named in a core file (comments dropped): a core header that
// declares a function of the ui is the ui's, whatever it includes.
QString UiTypeIn(const QString& text) {
  static const QRegularExpression comment(QStringLiteral("//[^\n]*"));
  static const QRegularExpression type(QStringLiteral(
      R"(\b(App|EditorView|Toolkit|MainWindow|QWidget|QsciScintillaBase|Sci)\b\s*[&*]|\bclass\s+(App|EditorView|Toolkit|MainWindow|QWidget|QsciScintillaBase|Sci)\s*;)"));
  const QRegularExpressionMatch m = type.match(QString(text).remove(comment));
  return m.hasMatch() ? m.captured(0).simplified() : QString();
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

// Depth-first search for cycles in `graph`; each is said with one include
// that closes it.
void FindCycles(std::map<QString, std::map<QString, QString>>& graph, const QString& what, QStringList& problems) {
  std::map<QString, int> state;  // 1 on the path, 2 done
  QStringList path;
  std::function<void(const QString&)> visit = [&](const QString& node) {
    state[node] = 1;
    path << node;
    for (const auto& [next, why] : graph[node]) {
      if (state[next] == 1) {
        QStringList cycle = path.mid(path.indexOf(next));
        cycle << next;
        problems << what + cycle.join(QStringLiteral(" -> ")) + QStringLiteral(" (closed by ") + why + u')';
      } else if (state[next] == 0) {
        visit(next);
      }
    }
    path.removeLast();
    state[node] = 2;
  };
  std::vector<QString> nodes;
  for (const auto& [node, edges] : graph) nodes.push_back(node);
  for (const QString& node : nodes)
    if (state[node] == 0) visit(node);
}

// The problems of a set of sources; empty when the layering holds.
QStringList LayeringProblems(const std::vector<Source>& sources) {
  const QSet<QString> qtGui = WidgetAndGuiHeaders();
  QStringList problems;
  std::map<QString, std::map<QString, QString>> graph;  // node -> node -> an include that makes the edge
  std::map<QString, std::map<QString, QString>> files;  // ui/ file -> ui/ header it includes -> the include
  for (const Source& s : sources) {
    const SourcePath p = Split(s.relative);
    if (p.subsystem.isEmpty()) continue;  // main.cpp links everything
    if (!p.ui) {
      if (const QString type = UiTypeIn(s.text); !type.isEmpty())
        problems << s.relative + QStringLiteral(": a core file names the ui type in \"") + type + u'"';
    }
    for (const Include& inc : IncludesOf(s.text)) {
      const QString where = s.relative + u':' + QString::number(inc.line) + QStringLiteral(" includes ") + inc.target;
      if (inc.quoted && (inc.target.startsWith(u"./") || inc.target.contains(u"/./") || inc.target.contains(u"..") ||
                         inc.target.contains(u"//"))) {
        problems << where + QStringLiteral(": a path not written as it is meant (./, .. or //)");
        continue;
      }
      const QString target = inc.quoted ? QDir::cleanPath(inc.target) : inc.target;
      if (!p.ui) {
        const QString why = CoreViolation({target, inc.quoted, inc.line}, qtGui);
        if (!why.isEmpty()) problems << where + QStringLiteral(": a core file includes ") + why;
      } else if (inc.quoted && !UiIncludeAllowed(p.subsystem, target)) {
        problems << where + QStringLiteral(": another subsystem's ui internals, not a header it gives");
      }
      if (!inc.quoted || Split(target).subsystem.isEmpty()) continue;
      const QString from = NodeOf(s.relative), to = NodeOf(target);
      if (from != to) graph[from].emplace(to, where);
      if (p.ui && Split(target).ui) files[s.relative].emplace(target, where);
    }
  }
  FindCycles(graph, QStringLiteral("a cycle of the halves: "), problems);
  FindCycles(files, QStringLiteral("include cycle: "), problems);
  return problems;
}

TEST(Layering, TheSourcesKeepTheCoreAndUiRules) {
  const std::vector<Source> sources = ReadSources(QStringLiteral(VENDLE_SOURCE_DIR "/src"));
  ASSERT_GT(sources.size(), 100u) << "the sources were not found";
  QStringList problems = LayeringProblems(sources);
  // An export that names no header any more is stale: the list only shrinks.
  QSet<QString> files;
  for (const Source& s : sources) files.insert(s.relative);
  for (const auto& [subsystem, headers] : Exports())
    for (const QString& h : headers)
      if (!files.contains(h)) problems << QStringLiteral("a stale export: ") + h;
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
      // A path spelled another way is the same path.
      {"editor/ui/find_window.cpp", "#include \"./documents/ui/documents.h\"\n", true},
      {"editor/ui/find_window.cpp", "#include \"editor/../documents/ui/documents.h\"\n", true},
      {"editor/lexer.cpp", "#include \"editor//ui/editor_view.h\"\n", true},
      // A core header that declares a function of the ui itself.
      {"editor/lexer.h", "namespace vendle {\nclass App;\nvoid ShowLexerState(App& app);\n}\n", true},
      {"tools/formatter.h", "void Indent(EditorView* editor); // the ui's\n", true},
      {"tools/formatter.h", "// Apps and editors: the App& of a command is not taken here.\nint x;\n", false},
      {"tools/ui/cleanup_commands.cpp", "#include \"editor/ui/text_access.h\"\n", false},
      {"tools/ui/cleanup_commands.cpp", "#include \"editor/ui/change_marks.h\"\n", true},
  };
  for (const Case& c : cases) {
    const QStringList problems = LayeringProblems({{QString::fromLatin1(c.file), QString::fromLatin1(c.text)}});
    EXPECT_EQ(!problems.isEmpty(), c.broken) << c.file << " with " << c.text << problems.join(u'\n').toStdString();
  }
}

// Two includes of exported headers, each allowed alone, that make the
// halves depend on each other.
TEST(Layering, ACycleOfTheHalvesIsCaught) {
  const QStringList problems = LayeringProblems({
      {QStringLiteral("documents/ui/a.cpp"), QStringLiteral("#include \"editor/ui/editor_commands.h\"\n")},
      {QStringLiteral("editor/ui/b.cpp"), QStringLiteral("#include \"documents/ui/document_commands.h\"\n")},
  });
  ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
  EXPECT_TRUE(problems[0].startsWith(QStringLiteral("a cycle of the halves: "))) << problems[0].toStdString();
  // The services are below every half: using them and implementing them is no cycle.
  EXPECT_TRUE(LayeringProblems({
                  {QStringLiteral("editor/ui/b.cpp"), QStringLiteral("#include \"shell/ui/services.h\"\n")},
                  {QStringLiteral("documents/ui/a.cpp"), QStringLiteral("#include \"shell/ui/services.h\"\n")},
                  {QStringLiteral("shell/ui/main_window.cpp"), QStringLiteral("#include \"editor/ui/editor_commands.h\"\n")},
              }).isEmpty());
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
