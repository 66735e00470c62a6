// Every writer of the running program besides the saves, through one table
// of faults: a full disk, a folder with no inode left, a read-only folder, a
// symlink to a file on a full disk, and each kind of thing that is not a
// file. The old file keeps its bytes (a link stays a link, a FIFO a FIFO),
// the user is told the path and why, and nothing is left in the folder.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <algorithm>
#include <functional>

#include "app_driver.h"
#include "documents/program_file.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "not_regular_files.h"
#include "platform/ui/desktop_open.h"
#include "platform/ui/toolkit.h"
#include "scoped_tmpfs.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

const QString kProgram = QStringLiteral(VENDLE_SOURCE_DIR "/tests/data/corpus/mmbasic-lazer-cycle/src/lazer-cycle.bas");

struct Writer {
  const char* name;
  // The file it writes in `folder`, or the files one of which it writes.
  std::function<QStringList(const QString& folder)> targets;
  // Writes beside the program, which is then opened from that folder.
  bool besideProgram;
  // Queues the answers and gives the command.
  std::function<void(AppDriver& d, const QString& target)> run;
};

QString ProgramIn(const QString& folder) { return folder + "/lazer-cycle.bas"; }

const Writer kWriters[] = {
    {"SaveAsRtf", [](const QString& f) { return QStringList{f + "/listing.rtf"}; }, false,
     [](AppDriver& d, const QString& target) {
       d.requesters().answer(Answer::No);  // no line numbers
       d.requesters().answerText(target);
       d.requesters().answer(Answer::Yes);  // overwrite it
       d.menu(Item::SaveAsRtf);
     }},
    {"PrintToPdf", [](const QString& f) { return QStringList{f + "/listing.pdf"}; }, false,
     [](AppDriver& d, const QString& target) {
       PrintChoice choice;
       choice.outputFile = target;
       d.requesters().answerPrint(choice);
       d.menu(Item::Print);
     }},
    {"SaveLanguage", [](const QString& f) { return QStringList{f + "/mine.lng"}; }, false,
     [](AppDriver& d, const QString& target) {
       d.requesters().answerText(target);
       d.menu(Item::Preferences);
       auto* button = qobject_cast<QPushButton*>(d.app().toolkit().control(+ControlId::SaveLanguage));
       ASSERT_NE(button, nullptr);
       button->click();
     }},
    {"CrunchCrossReference", [](const QString& f) { return QStringList{f + "/lazer-cycle_c.lst"}; }, true,
     [](AppDriver& d, const QString&) { d.menu(Item::Crunch); }},
    {"CopyPreferenceFiles", [](const QString& f) { return QStringList{f + "/Vendle5.inf.bak"}; }, false,
     [](AppDriver& d, const QString& target) {
       d.requesters().answerText(target);
       d.requesters().answerText(std::nullopt);  // not the second file
       d.menu(Item::CopyInfFiles);
     }},
    {"SaveSelectionAs", [](const QString& f) { return QStringList{f + "/part.bas"}; }, false,
     [](AppDriver& d, const QString& target) {
       CurrentEditor(d.app())->sci().send(S::SCI_SELECTALL);
       d.requesters().answerText(target);
       d.requesters().answer(Answer::Yes);  // overwrite it
       d.menu(Item::SaveSelectionAs);
     }},
    // Named by the minute: this one's and the next one's.
    {"Snapshot",
     [](const QString& f) {
       const QDateTime now = QDateTime::currentDateTime();
       return QStringList{SnapshotPath(ProgramIn(f), now), SnapshotPath(ProgramIn(f), now.addSecs(60))};
     },
     true, [](AppDriver& d, const QString&) { d.menu(Item::Snapshot); }},
};

enum class Fault { None, FullDisk, NoInode, ReadOnly, LinkToFullDisk, Special };

struct Case {
  std::string label;
  Fault fault;
  const Special* special = nullptr;
};

std::vector<Case> Cases(const std::vector<Special>& specials) {
  std::vector<Case> out = {{"no fault", Fault::None},           {"full disk", Fault::FullDisk},
                           {"no inode left", Fault::NoInode},   {"read-only folder", Fault::ReadOnly},
                           {"link to a full disk", Fault::LinkToFullDisk}};
  for (const Special& s : specials) out.push_back({std::string("to a ") + s.name, Fault::Special, &s});
  return out;
}

const char* ReasonOf(Fault f) {
  switch (f) {
    case Fault::FullDisk:
    case Fault::LinkToFullDisk: return "No space left";
    case Fault::NoInode:
    case Fault::ReadOnly: return "No temporary file";
    case Fault::Special: return "not a file";
    case Fault::None: break;
  }
  return "";
}

QStringList Names(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray OldBytes(const QString& path) { return ("old bytes of " + QFileInfo(path).fileName() + "\r\n").toUtf8().repeated(300); }

class EveryWriter : public ::testing::TestWithParam<Writer> {};

TEST_P(EveryWriter, KeepsTheOldFileSaysWhyAndLeavesNothingOnEachFault) {
  const Writer& w = GetParam();
  SetDesktopOpenObserver([](const QUrl&) { return true; });
  const std::vector<Special> specials = Specials();
  for (const Case& c : Cases(specials)) {
    const std::string label = std::string(w.name) + ", " + c.label;
    AppDriver d;
    const QString folder = d.root() + "out";
    QDir().mkpath(folder);
    // The disk: the folder itself, or where its links point.
    const bool onDisk = c.fault == Fault::FullDisk || c.fault == Fault::NoInode || c.fault == Fault::ReadOnly;
    const QString diskFolder = c.fault == Fault::LinkToFullDisk ? d.root() + "disk" : folder;
    std::unique_ptr<ScopedTmpfs> disk;
    if (onDisk || c.fault == Fault::LinkToFullDisk) {
      disk = std::make_unique<ScopedTmpfs>(diskFolder, "size=4m,nr_inodes=64");
      if (!disk->mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    }
    const QString program = w.besideProgram ? ProgramIn(folder) : d.root() + "lazer-cycle.bas";
    ASSERT_TRUE(QFile::copy(kProgram, program));
    OpenDocument(d.app(), program, false);
    ASSERT_GT(CurrentEditor(d.app())->sci().length(), 30000) << label;

    const QStringList targets = w.targets(folder);
    for (const QString& target : targets) {
      if (c.fault == Fault::Special) {
        ASSERT_TRUE(c.special->make(target)) << label;
      } else if (c.fault == Fault::LinkToFullDisk) {
        const QString real = diskFolder + u'/' + QFileInfo(target).fileName();
        WriteFile(real, OldBytes(target));
        ASSERT_TRUE(QFile::link(real, target)) << label;
      } else {
        WriteFile(target, OldBytes(target));
      }
    }
    std::vector<mode_t> modes;
    for (const QString& target : targets) modes.push_back(ModeOf(target));
    if (c.fault == Fault::FullDisk || c.fault == Fault::LinkToFullDisk) disk->fill(0);
    if (c.fault == Fault::NoInode) disk->useAllInodes();
    if (c.fault == Fault::ReadOnly) {
      ASSERT_TRUE(disk->remountReadOnly()) << label;
    }
    const QStringList before = Names(folder), beforeOnDisk = Names(diskFolder);

    w.run(d, targets.front());

    const auto& asked = d.requesters().asked();
    if (c.fault == Fault::None) {
      bool written = false;
      for (const QString& target : targets) written |= ReadFile(target) != OldBytes(target);
      EXPECT_TRUE(written) << label << ": the writer was not reached";
      for (const Asked& a : asked) EXPECT_NE(a.title, "Oops!") << label << ": " << a.text.toStdString();
      continue;
    }
    for (qsizetype k = 0; k < targets.size(); ++k) {
      EXPECT_EQ(ModeOf(targets[k]), modes[size_t(k)]) << label << ": " << targets[k].toStdString();
      if (c.fault == Fault::Special) continue;
      const QByteArray now = ReadFile(targets[k]);
      EXPECT_TRUE(now == OldBytes(targets[k])) << label << ": " << targets[k].toStdString() << " has " << now.size()
                                               << " bytes";
    }
    EXPECT_EQ(Names(folder), before) << label << ": something was left";
    EXPECT_EQ(Names(diskFolder), beforeOnDisk) << label << ": something was left";
    const auto message = std::find_if(asked.rbegin(), asked.rend(), [](const Asked& a) { return a.kind == "message"; });
    if (message == asked.rend()) {
      ADD_FAILURE() << label << ": the user was not told";
      continue;
    }
    const Asked& told = *message;
    bool named = false;
    for (const QString& target : targets) named |= told.text.contains(target);
    EXPECT_TRUE(named) << label << ": " << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(ReasonOf(c.fault))) << label << ": " << told.text.toStdString();
  }
  SetDesktopOpenObserver({});
}

INSTANTIATE_TEST_SUITE_P(Writers, EveryWriter, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<Writer>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace vendle::test
