#include "platform/fixed_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace quorvel::platform {

namespace {

// Installed under exactly this name: QFontDatabase::hasFamily() would also accept a family
// that fontconfig merely substitutes for it.
bool installedFixedPitch(const QStringList& families, const QString& family) {
    return families.contains(family, Qt::CaseInsensitive) && QFontDatabase::isFixedPitch(family);
}

}  // namespace

QString fixedPitchFamily(const QString& wanted) {
    const QStringList families = QFontDatabase::families();
    for (const QString& family :
         {wanted, kCourierNew, QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")}) {
        if (installedFixedPitch(families, family)) return family;
    }
    for (const QString& family : families) {
        if (QFontDatabase::isFixedPitch(family) && QFontDatabase::isSmoothlyScalable(family)) return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QFont fixedPitchFont(double pointSize, const QString& wanted) {
    QFont font(fixedPitchFamily(wanted));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace quorvel::platform
