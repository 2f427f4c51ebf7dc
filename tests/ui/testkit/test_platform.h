// A Platform for UI tests. Dialogs are answered from a script the test writes in advance and
// every one shown is logged; a dialog with no answer waiting fails the test and gets a harmless
// answer, and answers never taken fail it too. Printers record each job as pages of text lines,
// kept after the program drops the printer; a PDF job that ends well writes its lines to its file.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/clipboard.h"
#include "platform/platform.h"

namespace quorvel::testkit {

struct PrintFont {
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool operator==(const PrintFont&) const = default;
};
struct PrintedLine {
    QString text;    // every placed text at its column, padded with spaces
    PrintFont font;  // in effect when the line ended (it decides the line's height)
    bool operator==(const PrintedLine&) const = default;
};

struct PrintedDocument {
    std::vector<std::vector<PrintedLine>> pages;
    bool begun = false, ended = false, duplex = false;
    QStringList allText() const {  // trailing spaces dropped
        QStringList lines;
        for (const auto& page : pages)
            for (const PrintedLine& line : page)
                lines << QString(line.text).remove(QRegularExpression(" +$"));
        return lines;
    }
};

// Column c starts at character c-1. Each ended line adds pointSize * 24 twips for the font in
// effect when it ends (10 pt: 240); a new page starts at 0. Printing outside a begun document
// is a fault of the program (it went on after a failed begin, or after end): the test hears of it.
class RecordingPrinter : public platform::Printer {
public:
    explicit RecordingPrinter(std::shared_ptr<PrintedDocument> document) : document_(std::move(document)) {}
    QString failOnEnd;  // the error end() gives, as a failing printer would

    QString begin() override {
        if (document_->begun) ADD_FAILURE() << "printer begun twice";
        document_->begun = true;
        document_->pages.emplace_back();
        return {};
    }
    void setFont(const QString& family, double pointSize) override {
        font_ = {family, pointSize, font_.bold};
    }
    void setBold(bool bold) override { font_.bold = bold; }
    void setDuplex(bool twoSided) override { document_->duplex = twoSided; }
    void fitWidth(int, double) override {}
    void printAt(int column, const QString& text) override {
        if (!printing("printAt")) return;
        if (lineOpen_ && startsLine(column)) endLine();
        if (!lineOpen_) document_->pages.back().push_back(PrintedLine{{}, font_});
        lineOpen_ = true;
        PrintedLine& line = document_->pages.back().back();
        line.text = line.text.leftJustified(std::max(column, 1) - 1, ' ') + text;
    }
    bool startsLine(int column) const override {
        return !lineOpen_ || document_->pages.back().back().text.size() > std::max(column, 1) - 1;
    }
    void endLine() override {
        if (!printing("endLine")) return;
        if (!lineOpen_) document_->pages.back().push_back(PrintedLine{{}, font_});
        document_->pages.back().back().font = font_;
        lineOpen_ = false;
        y_ += lineHeight();
    }
    int currentY() const override { return y_; }
    int lineHeight() const override { return static_cast<int>(font_.pointSize * 24); }
    int pageHeight() const override { return 1 << 30; }  // no text reaches the bottom
    void newPage() override {
        if (!printing("newPage")) return;
        document_->pages.emplace_back();
        y_ = 0;
        lineOpen_ = false;
    }
    // Paints the page on an image of a Letter page's printable area at 96 dots per inch.
    void drawPage(const platform::PagePainter& paint) override {
        if (!printing("drawPage")) return;
        newPage();
        QImage page(768, 1008, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        paint(painter, QRectF(page.rect()));
    }
    QString end() override {
        if (!document_->begun) return QStringLiteral("Printing had not started.");
        if (document_->ended) ADD_FAILURE() << "printer ended twice";
        document_->ended = true;
        return failOnEnd;
    }

protected:
    std::shared_ptr<PrintedDocument> document_;

private:
    bool printing(const char* call) const {
        if (!document_->begun || document_->ended) ADD_FAILURE() << call << " with no document open";
        return document_->begun && !document_->ended;
    }
    PrintFont font_{QStringLiteral("Courier New"), 10, false};
    int y_ = 0;
    bool lineOpen_ = false;
};

// Stands in for a PDF file: the recorded lines, written when the document ends well.
class PdfStandIn : public RecordingPrinter {
public:
    PdfStandIn(std::shared_ptr<PrintedDocument> document, QString path)
        : RecordingPrinter(std::move(document)), path_(std::move(path)) {}
    QString end() override {
        const QString error = RecordingPrinter::end();
        QFile file(path_);
        if (error.isEmpty() &&
            !(file.open(QIODevice::WriteOnly) && file.write(document_->allText().join('\n').toUtf8()) >= 0))
            return QStringLiteral("Cannot write the file %1.").arg(path_);
        return error;
    }

private:
    QString path_;
};

struct Shown {
    enum class Kind { Message, Input, OpenFile, SaveFile };
    Kind kind;
    QString text;  // the message, or the input box's prompt
    QString title;
    platform::Buttons buttons = platform::Buttons::Ok;
    platform::FileDialogOptions file = {};
};

class ScriptedDialogs : public platform::Dialogs {
public:
    ~ScriptedDialogs() override {
        if (!answers_.empty() || !typed_.empty() || !chosen_.empty())
            ADD_FAILURE() << "scripted dialog answers never used: " << answers_.size() << " message, "
                          << typed_.size() << " input, " << chosen_.size() << " file";
    }

    // Answers in order, per kind. OK-only message boxes take none; nullopt cancels the box.
    void answerNext(platform::Answer answer) { answers_.push_back(answer); }
    void typeNext(const QString& text) { typed_.emplace_back(text); }
    void chooseFileNext(const QString& name) { chosen_.emplace_back(name); }
    void cancelFileNext() { chosen_.emplace_back(std::nullopt); }

    std::vector<Shown> shown;  // everything shown, in order
    QStringList messages() const {
        QStringList found;
        for (const Shown& s : shown)
            if (s.kind == Shown::Kind::Message) found << s.text;
        return found;
    }
    Shown lastMessage() const {
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (it->kind == Shown::Kind::Message) return *it;
        ADD_FAILURE() << "no message box was shown";
        return Shown{Shown::Kind::Message, {}, {}};
    }

    platform::Answer message(const QString& text, platform::Buttons buttons = platform::Buttons::Ok,
                             const QString& title = {}) override {
        using platform::Answer;
        using platform::Buttons;
        shown.push_back(Shown{Shown::Kind::Message, text, title, buttons});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers_.empty()) ADD_FAILURE() << "unscripted message box: " << text.toStdString();
        if (answers_.empty()) return closedAnswer(buttons);
        const Answer answer = answers_.front();
        answers_.pop_front();
        const bool fits = buttons == Buttons::YesNo      ? answer == Answer::Yes || answer == Answer::No
                          : buttons == Buttons::OkCancel ? answer == Answer::Ok || answer == Answer::Cancel
                                                         : answer != Answer::Ok;
        if (fits) return answer;
        ADD_FAILURE() << "the scripted answer is not a button of the message box: " << text.toStdString();
        return closedAnswer(buttons);
    }
    QString input(const QString& prompt, const QString& title = {}, const QString& = {}) override {
        shown.push_back(Shown{Shown::Kind::Input, prompt, title, platform::Buttons::OkCancel});
        if (typed_.empty()) ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
        if (typed_.empty()) return {};
        const std::optional<QString> typed = typed_.front();
        typed_.pop_front();
        return typed.value_or(QString());
    }
    QString openFile(const platform::FileDialogOptions& o) override { return file(Shown::Kind::OpenFile, o); }
    QString saveFile(const platform::FileDialogOptions& o) override { return file(Shown::Kind::SaveFile, o); }
    // The report window's printer choice and preview are left to the real dialogs' tests.
    std::optional<platform::PrinterChoice> choosePrinter(const platform::PrinterChoice&) override {
        ADD_FAILURE() << "unscripted printer choice";
        return std::nullopt;
    }
    QString preview(const platform::PrinterChoice&, const platform::DocumentDrawing&) override {
        ADD_FAILURE() << "unscripted preview";
        return {};
    }

private:
    QString file(Shown::Kind kind, const platform::FileDialogOptions& options) {
        shown.push_back(Shown{kind, {}, options.title, platform::Buttons::OkCancel, options});
        if (chosen_.empty()) ADD_FAILURE() << "unscripted file dialog: " << options.title.toStdString();
        if (chosen_.empty()) return options.initialName;
        const std::optional<QString> chosen = chosen_.front();
        chosen_.pop_front();
        return chosen.value_or(options.emptyWhenCancelled ? QString() : options.initialName);
    }
    std::deque<platform::Answer> answers_;
    std::deque<std::optional<QString>> typed_, chosen_;
};

struct NoClipboard : platform::Clipboard {
    void setText(const QString&) override {}
};

class TestPlatform {
public:
    TestPlatform()
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
    TestPlatform(const TestPlatform&) = delete;
    TestPlatform& operator=(const TestPlatform&) = delete;

    ScriptedDialogs dialogs;
    NoClipboard clipboard;
    platform::Platform platform;  // hand this to the windows under test

    void failPdfOnEnd(const QString& error) { failPdfOnEnd_ = error; }  // PDF jobs from now on

    // Every job asked for, in order, including those that failed to begin.
    const std::vector<std::shared_ptr<const PrintedDocument>>& printJobs() const { return jobs_; }
    struct PdfJob {
        QString path;
        QPageSize::PageSizeId paper;
        std::shared_ptr<const PrintedDocument> document;
    };
    const std::vector<PdfJob>& pdfJobs() const { return pdfJobs_; }

private:
    std::unique_ptr<platform::Printer> makePrinter() {
        auto document = std::make_shared<PrintedDocument>();
        jobs_.push_back(document);
        return std::make_unique<RecordingPrinter>(std::move(document));
    }
    std::vector<std::shared_ptr<const PrintedDocument>> jobs_;
    std::vector<PdfJob> pdfJobs_;
    QString failPdfOnEnd_;
};

}  // namespace quorvel::testkit
