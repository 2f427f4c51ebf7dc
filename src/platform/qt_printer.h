// The printer through Qt's print system: the default printer of the computer, or a PDF file.
// The vertical position is kept in whole twips, each line a whole number of them, so line
// heights add up exactly; the horizontal one in the printer's device units. Fonts are chosen
// by fixedPitchFamily().
#pragma once

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/printer.h"

class QPrinter;

namespace quorvel::platform {

class QtPrinter : public Printer {
public:
    // A job for the computer's default printer; begin() reports when there is none.
    static std::unique_ptr<QtPrinter> defaultPrinter();
    // A job for the chosen printer on the chosen paper; begin() reports when it is not there.
    static std::unique_ptr<QtPrinter> chosenPrinter(const PrinterChoice& choice);
    // Qt's printer for `choice`; null when the computer has no such printer (or none at all).
    // A paper the printer does not take gives way to the printer's own.
    static std::unique_ptr<QPrinter> printerFor(const PrinterChoice& choice);
    // Drawing on a printer owned elsewhere, such as the one a print preview paints.
    static std::unique_ptr<QtPrinter> onPrinter(QPrinter& printer);
    static QStringList printerNames();
    // Whether the choice's printer is there and takes its paper (an invalid one: its own).
    static bool takesPaper(const PrinterChoice& choice);
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
    void drawPage(const PagePainter& paint) override;
    QString end() override;

private:
    // `printer` is null when the computer has no printer; `name` goes into error texts.
    QtPrinter(std::unique_ptr<QPrinter> printer, QString name);
    QtPrinter(QPrinter& printer, QString name);

    double advance() const;
    double columnX(int column) const;
    double toDevice(int twips) const;
    double toTwips(double device) const;

    std::unique_ptr<QPrinter> owned_;
    QPrinter* printer_ = nullptr;
    QString name_;
    QPainter painter_;
    QFont font_;
    double scale_ = 1;  // of the drawing, set by fitWidth
    double x_ = 0;      // device units from the left edge of the printable area, unscaled
    int y_ = 0;         // twips from the top of the printable area, unscaled
    bool lineOpen_ = false;
    bool pageDrawn_ = false;  // the current page holds a drawing: text goes on the next one
};

}  // namespace quorvel::platform
