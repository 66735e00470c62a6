// Facts about the build and the system: the build stamp, the OS version text.
#pragma once

#include <QString>

namespace vendle {

inline constexpr const char* kProductTitle = "Vendle";
inline constexpr const char* kVersionText = "V5.2.6";

// "%yyyy/%mm/%dd %hh:%ii:%ss" of the build, fixed when the build was configured.
QString BuildStamp();
// "Linux " + the kernel release.
QString OsVersionText();

}  // namespace vendle
