// Message boxes, input boxes and file dialogs shown with Qt's widgets, parented to the
// given window (or none).
#pragma once

#include <QStringList>
#include <memory>

#include "platform/dialogs.h"

class QActionGroup;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace quorvel::platform {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

    Answer message(const QString& text, Buttons buttons = Buttons::Ok, const QString& title = {}) override;
    QString input(const QString& prompt, const QString& title = {}, const QString& initial = {}) override;
    QString openFile(const FileDialogOptions& options) override;
    QString saveFile(const FileDialogOptions& options) override;
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) override;
    QString preview(const PrinterChoice& choice, const DocumentDrawing& draw) override;

    // The preview of what `draw` prints on `printer`, not yet shown. Its printing, page setup
    // and orientation are left out: the report window prints, with its own questions, on the
    // paper chosen there. `error` receives the error text of the latest drawing.
    static std::unique_ptr<QPrintPreviewDialog> previewDialog(QPrinter& printer, const DocumentDrawing& draw,
                                                              QWidget* parent, QString& error);

    // The preview's orientation and printing actions; none when its toolbar is not as expected.
    static QList<QActionGroup*> previewHiddenActions(QPrintPreviewDialog& dialog);

    // The name filters a file dialog offers for `pattern`: the pattern's files in either case,
    // then all files. "*.REP" gives {"REP files (*.REP *.rep)", "All files (*)"}.
    static QStringList nameFilters(const QString& pattern);

private:
    QString fileDialog(const FileDialogOptions& options, bool save);

    QWidget* parent_;
};

}  // namespace quorvel::platform
