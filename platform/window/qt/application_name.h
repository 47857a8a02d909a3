#pragma once

// The application's name, as message boxes show it in their caption.

#include <QString>

namespace korvel {

// The executable's file name without its extension (the last point and what
// follows it).
QString applicationNameFor(const QString& executablePath);

}  // namespace korvel
