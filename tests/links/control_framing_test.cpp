#include <gtest/gtest.h>

#include "links/control_link.h"
#include "qt_print.h"

namespace vendle {
namespace {

TEST(ControlFraming, ACommandIsEverythingUpToTheLastCrWithCrsRemoved) {
  struct Case {
    std::vector<QByteArray> writes;
    QStringList commands;
    qsizetype heldAfter;
  };
  const Case cases[] = {
      {{"/load a\nb\r"}, {"/load a\nb"}, 0},
      {{"/load a\r\nb\r"}, {"/load a\nb"}, 0},
      {{"/cmd go", "to 3\r"}, {"/cmd goto 3"}, 0},
      {{"/cmd goto 1\r/cmd goto 2\r"}, {"/cmd goto 1/cmd goto 2"}, 0},  // one receive, one text
      {{"/cmd goto 1\r/load x"}, {"/cmd goto 1"}, 7},                  // the rest waits
      {{"/load x", "\r"}, {"/load x"}, 0},
      {{"no end"}, {}, 6},
  };
  for (const Case& c : cases) {
    CommandFramer framer;
    QStringList got;
    for (const QByteArray& w : c.writes) {
      QString cmd;
      if (framer.feed(w, &cmd) == CommandFramer::Result::Command) got.append(cmd);
    }
    EXPECT_EQ(got, c.commands) << c.writes.front().constData();
    EXPECT_EQ(framer.held(), c.heldAfter) << c.writes.front().constData();
  }
}

TEST(ControlFraming, AUtf8CharacterSplitAcrossWritesSurvives) {
  CommandFramer framer;
  const QByteArray euro = "\xE2\x82\xAC";
  QString cmd;
  EXPECT_EQ(framer.feed("/load \xE2\x82", &cmd), CommandFramer::Result::Nothing);
  EXPECT_EQ(framer.feed("\xAC.bas\r", &cmd), CommandFramer::Result::Command);
  EXPECT_EQ(cmd, QString::fromUtf8("/load " + euro + ".bas"));
}

TEST(ControlFraming, TextPastTheCapIsDropped) {
  CommandFramer framer(16);
  QString cmd;
  EXPECT_EQ(framer.feed(QByteArray(17, 'x'), &cmd), CommandFramer::Result::Overflow);
  EXPECT_EQ(framer.held(), 0);
  EXPECT_EQ(framer.feed("/paste\r", &cmd), CommandFramer::Result::Command);
  EXPECT_EQ(cmd, "/paste");
}

TEST(ControlFraming, OnlyTheBeginningChoosesTheCommand) {
  struct Case {
    const char* text;
    CommandKind kind;
    const char* rest;
  };
  const Case cases[] = {
      {"/cmd goto 12", CommandKind::Cmd, " goto 12"}, {"/CMD", CommandKind::Cmd, ""},
      {"/Load a.bas", CommandKind::Load, " a.bas"},   {"/loadx", CommandKind::Load, "x"},
      {"/PASTE", CommandKind::Paste, ""},             {"/pasted", CommandKind::Paste, "d"},
      {"/unknown", CommandKind::Ignored, ""},          {"", CommandKind::Ignored, ""},
      {"load", CommandKind::Ignored, ""},
  };
  for (const Case& c : cases) {
    const ControlCommand cmd = ParseControlCommand(QString::fromLatin1(c.text));
    EXPECT_EQ(cmd.kind, c.kind) << c.text;
    if (c.kind != CommandKind::Ignored) { EXPECT_EQ(cmd.rest, c.rest) << c.text; }
  }
}

TEST(ControlFraming, GotoTakesTheSecondFieldAsAValue) {
  struct Case {
    const char* rest;
    SubCommand::Kind kind;
    qint64 line;
  };
  const Case cases[] = {
      {" goto 12", SubCommand::Kind::Goto, 12}, {" GOTO 3", SubCommand::Kind::Goto, 3},
      {" goto", SubCommand::Kind::Goto, 0},     {" goto  7", SubCommand::Kind::Goto, 0},  // two blanks: empty field
      {" goto $10", SubCommand::Kind::Goto, 16}, {" goto %11", SubCommand::Kind::Goto, 3},
      {" goto x", SubCommand::Kind::Goto, 0},   {" other 5", SubCommand::Kind::Other, 0},
  };
  for (const Case& c : cases) {
    const SubCommand s = ParseSubCommand(QString::fromLatin1(c.rest));
    EXPECT_EQ(s.kind, c.kind) << c.rest;
    EXPECT_EQ(s.line, c.line) << c.rest;
  }
}

TEST(ControlFraming, HandOverMessage) {
  EXPECT_EQ(HandOverMessage({"/a.bas", "/b.bas"}), "/load /a.bas\n/b.bas\r");
  EXPECT_EQ(HandOverMessage({}), "/load \r");
}

}  // namespace
}  // namespace vendle
