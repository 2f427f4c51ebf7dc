#include "user_settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QSizeF>
#include <QStandardPaths>

namespace quorvel::ui {

namespace {

const QString kRecentKey = QStringLiteral("recentMonths");
const QString kGeometryKey = QStringLiteral("mainWindow/geometry");
const QString kCsvColumnsKey = QStringLiteral("reconcile/csvColumns");
const QString kPrinterKey = QStringLiteral("report/printer");
// The paper by its size, units and name, which a printer's own size keeps too; the first
// builds wrote QPageSize's key ("A4", "Letter") instead, still read.
const QString kPaperSizeKey = QStringLiteral("report/paperSize");
const QString kPaperUnitsKey = QStringLiteral("report/paperUnits");
const QString kPaperNameKey = QStringLiteral("report/paperName");
const QString kPaperKey = QStringLiteral("report/paper");

QSettings settings() { return QSettings(configFolder() + "/quorvel.conf", QSettings::IniFormat); }

}  // namespace

QString configFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? QStringLiteral(".") : folder;
}

QStringList recentMonths() { return settings().value(kRecentKey).toStringList().mid(0, kRecentMonths); }

void rememberRecentMonth(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList months = recentMonths();
    months.removeAll(absolute);
    months.prepend(absolute);
    settings().setValue(kRecentKey, months.mid(0, kRecentMonths));
}

QByteArray mainWindowGeometry() { return settings().value(kGeometryKey).toByteArray(); }

void rememberMainWindowGeometry(const QByteArray& geometry) { settings().setValue(kGeometryKey, geometry); }

QString csvStatementColumns() { return settings().value(kCsvColumnsKey).toString(); }

void rememberCsvStatementColumns(const QString& mapping) { settings().setValue(kCsvColumnsKey, mapping); }

platform::PrinterChoice printerChoice() {
    const QSettings kept = settings();
    platform::PrinterChoice choice{kept.value(kPrinterKey).toString(), {}};
    if (const QSizeF size = kept.value(kPaperSizeKey).toSizeF(); size.isValid() && !size.isEmpty()) {
        const int units = kept.value(kPaperUnitsKey).toInt();
        if (units >= QPageSize::Millimeter && units <= QPageSize::Cicero) {
            choice.paper = QPageSize(size, static_cast<QPageSize::Unit>(units),
                                     kept.value(kPaperNameKey).toString(), QPageSize::ExactMatch);
        }
        return choice;
    }
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
    kept.remove(kPaperKey);
    const bool paper = choice.paper.isValid();
    kept.setValue(kPaperSizeKey, paper ? choice.paper.definitionSize() : QSizeF());
    kept.setValue(kPaperUnitsKey, paper ? static_cast<int>(choice.paper.definitionUnits()) : -1);
    kept.setValue(kPaperNameKey, paper ? choice.paper.name() : QString());
}

}  // namespace quorvel::ui
