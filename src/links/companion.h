// The companion program that "Deploy" hands the program file to: where it
// is looked for and how it is started. Texts are UTF-16; folders end in "/".
#pragma once

#include <QString>
#include <functional>

#include "links/external_program.h"

namespace vendle {

// The companion's name; "Corvat.exe" is also taken beside the program.
inline constexpr const char* kCompanionName = "Corvat";

// The first executable file of: `programFolder` + "Corvat", `programFolder`
// + "Corvat.exe", "Corvat" in each folder of `searchPath` (a PATH value,
// ":"-separated; empty and relative entries are skipped, so the current
// folder never counts). Empty when there is none.
QString FindCompanion(const QString& programFolder, const QString& searchPath,
                      const std::function<bool(const QString&)>& isExecutable);

// The companion with the file as its one argument, in the program folder.
StartCommand CompanionStart(const QString& companion, const QString& file, const QString& programFolder);

}  // namespace vendle
