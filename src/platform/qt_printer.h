// The printer through Qt's print system: the default printer of the computer, or a PDF file.
// The vertical position is kept in whole twips, each line a whole number of them, so line
// heights add up exactly; the horizontal one in the printer's device units. Fonts are chosen
// by fixedPitchFamily().
#pragma once

#include <QFont>
#include <QPageSize>
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
    // A job written as a PDF document to `path`, on `paper`.
    static std::unique_ptr<QtPrinter> pdfFile(const QString& path, const QPageSize& paper = localePaper());
    // Letter where the locale measures in inches, A4 elsewhere.
    static QPageSize localePaper();

    // A job dropped without end() is abandoned, not printed half-way: a PDF file is removed,
    // a printer job aborted as far as the print system allows.
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    QString begin() override;
    void setFont(const QString& family, double pointSize) override;
    void setBold(bool bold) override;
    void setDuplex(bool twoSided) override;
    void fitWidth(int columns, double pointSize) override;
    void printAt(int column, const QString& text) override;
    bool startsLine(int column) const override;
    void endLine() override;
    int currentY() const override;
    int lineHeight() const override;
    int pageHeight() const override;
    void newPage() override;
    QString end() override;

private:
    // `printer` is null when the computer has no printer; `name` goes into error texts.
    QtPrinter(std::unique_ptr<QPrinter> printer, QString name);

    double advance() const;
    double columnX(int column) const;
    double toDevice(int twips) const;
    double toTwips(double device) const;

    std::unique_ptr<QPrinter> printer_;
    QString name_;
    QPainter painter_;
    QFont font_;
    double scale_ = 1;  // of the drawing, set by fitWidth
    double x_ = 0;      // device units from the left edge of the printable area, unscaled
    int y_ = 0;         // twips from the top of the printable area, unscaled
    bool lineOpen_ = false;
};

}  // namespace quorvel::platform
