#include "platform/qt_dialogs.h"

#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include "platform/printer_choice_dialog.h"
#include "platform/qt_printer.h"

namespace quorvel::platform {

namespace {

QString titleOr(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

}  // namespace

Answer QtDialogs::message(const QString& text, Buttons buttons, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(titleOr(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);

    // The escape button is what closing the box by its frame or Esc answers.
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    box.exec();

    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            break;
    }
    return closedAnswer(buttons);
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& initial) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(titleOr(title));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue();
}

QString QtDialogs::openFile(const FileDialogOptions& options) { return fileDialog(options, false); }

QString QtDialogs::saveFile(const FileDialogOptions& options) { return fileDialog(options, true); }

QStringList QtDialogs::nameFilters(const QString& pattern) {
    QStringList globs;
    QStringList extensions;
    for (const QString& glob : pattern.split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts)) {
        // Both cases are listed for dialogs that match case-sensitively.
        for (const QString& variant : {glob, glob.toUpper(), glob.toLower()}) {
            if (!globs.contains(variant)) globs << variant;
        }
        const qsizetype dot = glob.lastIndexOf('.');
        if (dot >= 0 && dot + 1 < glob.size() && !glob.mid(dot + 1).contains('*')) {
            const QString extension = glob.mid(dot + 1).toUpper();
            if (!extensions.contains(extension)) extensions << extension;
        }
    }

    QStringList filters;
    if (!globs.isEmpty() && globs != QStringList{"*"}) {
        const QString what = extensions.isEmpty() ? QStringLiteral("Matching") : extensions.join('/');
        filters << QStringLiteral("%1 files (%2)").arg(what, globs.join(' '));
    }
    filters << QStringLiteral("All files (*)");
    return filters;
}

QString QtDialogs::fileDialog(const FileDialogOptions& options, bool save) {
    QFileDialog dialog(parent_, titleOr(options.title));
    // Qt's own dialog behaves the same on every desktop and offscreen.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(nameFilters(options.pattern));

    QString extension = options.defaultExtension;
    while (extension.startsWith('.')) extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);

    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.overwritePrompt);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }

    const QString& initial = options.initialName;
    if (initial.contains('*')) {
        // A wildcard is not a name to select, but a folder in front of it is where to look.
        const QFileInfo info(initial);
        if (initial.contains('/') && info.dir().exists()) dialog.setDirectory(info.dir());
    } else if (!initial.isEmpty()) {
        dialog.selectFile(initial);
    }
    if (!options.suggestedName.isEmpty()) dialog.selectFile(options.suggestedName);

    if (dialog.exec() != QDialog::Accepted) return options.emptyWhenCancelled ? QString() : initial;
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? initial : chosen.first();
}

std::optional<PrinterChoice> QtDialogs::choosePrinter(const PrinterChoice& current) {
    std::vector<InstalledPrinter> printers = PrinterChoiceDialog::installed();
    if (printers.empty()) {
        message(
            QStringLiteral("No printer can be found on this computer, so there is none to choose.\n"
                           "The report can still be saved as PDF."));
        return std::nullopt;
    }
    PrinterChoiceDialog dialog(std::move(printers), QPrinterInfo::defaultPrinterName(), current, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

QList<QActionGroup*> QtDialogs::previewHiddenActions(QPrintPreviewDialog& dialog) {
    // The preview's toolbar groups, in the order it makes them: page navigation, fit, zoom,
    // orientation, page mode, printing. They carry no names, so they are told by place, and
    // taken only when every group has the shape expected of it (checkable, how many actions).
    const QList<QActionGroup*> groups = dialog.findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly);
    const struct {
        qsizetype actions;
        bool checkable;
    } shapes[] = {{4, false}, {2, true}, {2, false}, {2, true}, {3, true}, {2, false}};
    if (groups.size() != std::ssize(shapes)) return {};
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const QList<QAction*> actions = groups[g]->actions();
        if (actions.size() != shapes[g].actions) return {};
        for (const QAction* action : actions)
            if (action->isCheckable() != shapes[g].checkable) return {};
    }
    return {groups[3], groups[5]};
}

std::unique_ptr<QPrintPreviewDialog> QtDialogs::previewDialog(QPrinter& printer, const DocumentDrawing& draw,
                                                              QWidget* parent, QString& error) {
    auto dialog = std::make_unique<QPrintPreviewDialog>(&printer, parent);
    const QList<QActionGroup*> hidden = previewHiddenActions(*dialog);
    for (QActionGroup* group : hidden) group->setVisible(false);
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [&draw, &error](QPrinter* shown) { error = draw(*QtPrinter::onPrinter(*shown)); });
    return dialog;
}

QString QtDialogs::preview(const PrinterChoice& choice, const DocumentDrawing& draw) {
    std::unique_ptr<QPrinter> printer = QtPrinter::printerFor(choice);
    if (!printer) {
        // No printer on this computer: the pages as they would be on the paper chosen.
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(choice.paper.isValid() ? choice.paper : QtPrinter::localePaper());
    }
    QString error;
    const std::unique_ptr<QPrintPreviewDialog> dialog = previewDialog(*printer, draw, parent_, error);
    dialog->setWindowTitle(titleOr(QStringLiteral("Print Preview")));
    dialog->exec();
    return error;
}

}  // namespace quorvel::platform
