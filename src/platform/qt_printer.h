// The printer through Qt's print system: the default printer of the computer, or a PDF file.
// The vertical position is kept in whole twips, each line a whole number of them, so line
// heights add up exactly; the horizontal one in the printer's device units.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>

#include "platform/printer.h"

class QPrinter;

namespace quorvel::platform {

class QtPrinter : public Printer {
public:
    // A job for the computer's default printer; begin() reports when there is none.
    static std::unique_ptr<QtPrinter> defaultPrinter();
    // A job written as a PDF document to `path`, on the locale's paper (A4 or Letter).
    static std::unique_ptr<QtPrinter> pdfFile(const QString& path);

    // A job dropped without end() is abandoned, not printed half-way: a PDF file is removed,
    // a printer job aborted as far as the print system allows.
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    QString begin() override;
    void setFont(const QString& family, double pointSize) override;
    void setBold(bool bold) override;
    void setDuplex(bool twoSided) override;
    void printAt(int column, const QString& text) override;
    void endLine() override;
    int currentY() const override;
    void newPage() override;
    QString end() override;

private:
    // `printer` is null when the computer has no printer; `name` goes into error texts.
    QtPrinter(std::unique_ptr<QPrinter> printer, QString name);

    double columnX(int column) const;
    double toDevice(int twips) const;

    std::unique_ptr<QPrinter> printer_;
    QString name_;
    QPainter painter_;
    QFont font_;
    double x_ = 0;  // device units from the left edge of the printable area
    int y_ = 0;     // twips from the top of the printable area
};

}  // namespace quorvel::platform
