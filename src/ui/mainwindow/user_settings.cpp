#include "user_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quorvel::ui {

namespace {

const QString kRecentKey = QStringLiteral("recentMonths");
const QString kGeometryKey = QStringLiteral("mainWindow/geometry");
const QString kCsvColumnsKey = QStringLiteral("reconcile/csvColumns");

QSettings settings() {
    return QSettings(configFolder() + "/quorvel.conf", QSettings::IniFormat);
}

}  // namespace

QString configFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QStringLiteral(".") : folder;
}

QStringList recentMonths() {
    return settings().value(kRecentKey).toStringList().mid(0, kRecentMonths);
}

void rememberRecentMonth(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList months = recentMonths();
    months.removeAll(absolute);
    months.prepend(absolute);
    settings().setValue(kRecentKey, months.mid(0, kRecentMonths));
}

QByteArray mainWindowGeometry() {
    return settings().value(kGeometryKey).toByteArray();
}

void rememberMainWindowGeometry(const QByteArray& geometry) {
    settings().setValue(kGeometryKey, geometry);
}

QString csvStatementColumns() {
    return settings().value(kCsvColumnsKey).toString();
}

void rememberCsvStatementColumns(const QString& mapping) {
    settings().setValue(kCsvColumnsKey, mapping);
}

}  // namespace quorvel::ui
