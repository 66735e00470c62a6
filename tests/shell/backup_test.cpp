#include <gtest/gtest.h>

#include "qt_print.h"
#include "shell/backup.h"

namespace vendle {
namespace {

TEST(Backup, DueAtIntervalMinusOneSecond) {
  EXPECT_FALSE(BackupDue(58, 0, 60));
  EXPECT_TRUE(BackupDue(59, 0, 60));
  EXPECT_TRUE(BackupDue(600, 0, 60));
  EXPECT_FALSE(BackupDue(100, 100, 60));
}

TEST(Backup, FingerprintIsTheZlibCrcInEightHexDigits) {
  EXPECT_EQ(BackupFingerprint(""), "00000000");
  EXPECT_EQ(BackupFingerprint("abc"), "352441c2");
  EXPECT_EQ(BackupFingerprint("ab\r\nab\r\nab"), "90b21bce");
}

TEST(Backup, NamesAreDatedAndNeverShareATick) {
  const QDateTime when(QDate(2024, 2, 11), QTime(14, 12, 59));
  QSet<QString> taken;
  EXPECT_EQ(BackupFileName("/bak/", when, "/src/prog.bas", &taken), "/bak/20240211_1412_prog.bas");
  EXPECT_EQ(BackupFileName("/bak/", when, "/other/prog.bas", &taken), "/bak/20240211_1412_prog_2.bas");
  EXPECT_EQ(BackupFileName("/bak/", when, "/x/untitled.bas", &taken), "/bak/20240211_1412_untitled.bas");
  EXPECT_EQ(BackupFileName("/bak/", when, "/y/untitled.bas", &taken), "/bak/20240211_1412_untitled_2.bas");
  EXPECT_EQ(BackupFileName("/bak/", when, "/z/untitled.bas", &taken), "/bak/20240211_1412_untitled_3.bas");
}

}  // namespace
}  // namespace vendle
