// The one fixed-pitch face of everything laid out by character columns: the printed report,
// the printed list and the main window's list. Chosen by name among the installed families,
// so the font matcher never stands in a proportional face or one of other widths.
#pragma once

#include <QFont>
#include <QString>

namespace quorvel::platform {

inline const QString kCourierNew = QStringLiteral("Courier New");

// `wanted` where it is installed and fixed-pitch; otherwise Courier New, then Liberation Mono
// (Courier New's metrics, in Debian's fonts-liberation2), then the first installed
// fixed-pitch family.
QString fixedPitchFamily(const QString& wanted = kCourierNew);

QFont fixedPitchFont(double pointSize, const QString& wanted = kCourierNew);

}  // namespace quorvel::platform
