#include "testkit/test_platform.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

namespace quorvel::testkit {

using platform::Answer;
using platform::Buttons;

QStringList PrintedDocument::pageText(std::size_t page) const {
    QStringList lines;
    if (page >= pages.size())
        ADD_FAILURE() << "no printed page " << page << " (" << pages.size() << " pages)";
    for (const PrintedLine& line : page < pages.size() ? pages[page] : PrintedPage{})
        lines << QString(line.text).remove(QRegularExpression(" +$"));
    return lines;
}

QStringList PrintedDocument::allText() const {
    QStringList lines;
    for (std::size_t page = 0; page < pages.size(); ++page) lines << pageText(page);
    return lines;
}

// Printing outside a begun document is a fault of the program (it went on after a failed begin,
// or after end), so the test hears of it.
bool RecordingPrinter::printing(const char* call) const {
    if (document_->begun && !document_->ended) return true;
    ADD_FAILURE() << call << " with no document open";
    return false;
}

QString RecordingPrinter::begin() {
    if (document_->begun) ADD_FAILURE() << "printer begun twice";
    document_->begun = true;
    document_->pages.emplace_back();
    return {};
}

bool RecordingPrinter::startsLine(int column) const {
    return !lineOpen_ || document_->pages.back().back().text.size() > std::max(column, 1) - 1;
}

void RecordingPrinter::printAt(int column, const QString& text) {
    if (!printing("printAt")) return;
    if (lineOpen_ && startsLine(column)) endLine();
    if (!lineOpen_) document_->pages.back().push_back(PrintedLine{{}, font_});
    lineOpen_ = true;
    PrintedLine& line = document_->pages.back().back();
    line.text = line.text.leftJustified(std::max(column, 1) - 1, ' ') + text;
}

void RecordingPrinter::endLine() {
    if (!printing("endLine")) return;
    if (!lineOpen_) document_->pages.back().push_back(PrintedLine{{}, font_});
    document_->pages.back().back().font = font_;
    lineOpen_ = false;
    y_ += lineHeight();
}

void RecordingPrinter::newPage() {
    if (!printing("newPage")) return;
    document_->pages.emplace_back();
    y_ = 0;
    lineOpen_ = false;
}

// Paints the page on an image of a Letter page's printable area at 96 dots per inch.
void RecordingPrinter::drawPage(const platform::PagePainter& paint) {
    if (!printing("drawPage")) return;
    newPage();
    QImage page(768, 1008, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paint(painter, QRectF(page.rect()));
}

QString RecordingPrinter::end() {
    if (!document_->begun) return QStringLiteral("Printing had not started.");
    if (document_->ended) ADD_FAILURE() << "printer ended twice";
    document_->ended = true;
    return failOnEnd;
}

ScriptedDialogs::~ScriptedDialogs() {
    if (!answers_.empty() || !typed_.empty() || !chosen_.empty())
        ADD_FAILURE() << "scripted dialog answers never used: " << answers_.size() << " message, "
                      << typed_.size() << " input, " << chosen_.size() << " file";
}

QStringList ScriptedDialogs::messages() const {
    QStringList found;
    for (const Shown& s : shown)
        if (s.kind == Shown::Kind::Message) found << s.text;
    return found;
}

Shown ScriptedDialogs::lastMessage() const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == Shown::Kind::Message) return *it;
    ADD_FAILURE() << "no message box was shown";
    return Shown{Shown::Kind::Message, {}, {}};
}

Answer ScriptedDialogs::message(const QString& text, Buttons buttons, const QString& title) {
    shown.push_back(Shown{Shown::Kind::Message, text, title, buttons});
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted message box: " << text.toStdString();
        return closedAnswer(buttons);
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    const bool fits = buttons == Buttons::YesNo      ? answer == Answer::Yes || answer == Answer::No
                      : buttons == Buttons::OkCancel ? answer == Answer::Ok || answer == Answer::Cancel
                                                     : answer != Answer::Ok;
    if (fits) return answer;
    ADD_FAILURE() << "the scripted answer is not a button of the message box: " << text.toStdString();
    return closedAnswer(buttons);
}

QString ScriptedDialogs::input(const QString& prompt, const QString& title, const QString&) {
    shown.push_back(Shown{Shown::Kind::Input, prompt, title, Buttons::OkCancel});
    if (typed_.empty()) ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
    if (typed_.empty()) return {};
    const std::optional<QString> typed = typed_.front();
    typed_.pop_front();
    return typed.value_or(QString());
}

QString ScriptedDialogs::file(Shown::Kind kind, const platform::FileDialogOptions& options) {
    shown.push_back(Shown{kind, {}, options.title, Buttons::OkCancel, options});
    if (chosen_.empty()) ADD_FAILURE() << "unscripted file dialog: " << options.title.toStdString();
    if (chosen_.empty()) return options.initialName;
    const std::optional<QString> chosen = chosen_.front();
    chosen_.pop_front();
    return chosen.value_or(options.emptyWhenCancelled ? QString() : options.initialName);
}

std::optional<platform::PrinterChoice> ScriptedDialogs::choosePrinter(const platform::PrinterChoice&) {
    ADD_FAILURE() << "unscripted printer choice";
    return std::nullopt;
}

QString ScriptedDialogs::preview(const platform::PrinterChoice&, const platform::DocumentDrawing&) {
    ADD_FAILURE() << "unscripted preview";
    return {};
}

namespace {

// Stands in for a PDF file: the recorded lines, written when the document ends well.
class PdfStandIn : public RecordingPrinter {
public:
    PdfStandIn(std::shared_ptr<PrintedDocument> document, QString path)
        : RecordingPrinter(std::move(document)), path_(std::move(path)) {}
    QString end() override {
        const QString error = RecordingPrinter::end();
        QFile file(path_);
        if (!error.isEmpty()) return error;
        if (!file.open(QIODevice::WriteOnly) || file.write(document_->allText().join('\n').toUtf8()) < 0)
            return QStringLiteral("Cannot write the file %1.").arg(path_);
        return {};
    }

private:
    QString path_;
};

}  // namespace

TestPlatform::TestPlatform()
    : platform{dialogs,
               clipboard,
               [this] { return makePrinter(); },
               [this](const QString& path, const QPageSize& paper) -> std::unique_ptr<platform::Printer> {
                   auto document = std::make_shared<PrintedDocument>();
                   pdfJobs_.push_back(PdfJob{path, paper.id(), document});
                   auto printer = std::make_unique<PdfStandIn>(std::move(document), path);
                   printer->failOnEnd = failPdfOnEnd_;
                   return printer;
               },
               [this](const platform::PrinterChoice&) { return makePrinter(); },
               [] {
                   return QStringList{"Office", "Hall"};
               },
               [](const platform::PrinterChoice&) { return true; }} {}

std::unique_ptr<platform::Printer> TestPlatform::makePrinter() {
    auto document = std::make_shared<PrintedDocument>();
    jobs_.push_back(document);
    return std::make_unique<RecordingPrinter>(std::move(document));
}

}  // namespace quorvel::testkit
