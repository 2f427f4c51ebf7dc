#include "user_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quorvel::ui {

namespace {

const QString kRecentKey = QStringLiteral("recentMonths");
const QString kGeometryKey = QStringLiteral("mainWindow/geometry");
const QString kCsvColumnsKey = QStringLiteral("reconcile/csvColumns");
const QString kPrinterKey = QStringLiteral("report/printer");
const QString kPaperKey = QStringLiteral("report/paper");  // QPageSize's key, "A4", "Letter"

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

platform::PrinterChoice printerChoice() {
    const QSettings kept = settings();
    platform::PrinterChoice choice{kept.value(kPrinterKey).toString(), {}};
    const QString paper = kept.value(kPaperKey).toString();
    for (int id = 0; id <= QPageSize::LastPageSize && !paper.isEmpty(); ++id) {
        const QPageSize size(static_cast<QPageSize::PageSizeId>(id));
        if (size.key() == paper) choice.paper = size;
    }
    return choice;
}

void rememberPrinterChoice(const platform::PrinterChoice& choice) {
    QSettings kept = settings();
    kept.setValue(kPrinterKey, choice.printer);
    kept.setValue(kPaperKey, choice.paper.isValid() ? choice.paper.key() : QString());
}

}  // namespace quorvel::ui
