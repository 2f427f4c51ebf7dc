// A Platform for UI tests. Dialogs are answered from a script the test writes in advance and
// every one shown is logged; a dialog with no answer waiting fails the test and gets a harmless
// answer, and answers never taken fail it too. Printers record each job as pages of text lines,
// kept after the program drops the printer; a PDF job that ends well writes its lines to its file.
#pragma once

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
};
using PrintedPage = std::vector<PrintedLine>;

struct PrintedDocument {
    std::vector<PrintedPage> pages;
    bool begun = false, ended = false, duplex = false;
    QStringList pageText(std::size_t page) const;  // trailing spaces dropped
    QStringList allText() const;
};

// Column c starts at character c-1. Each ended line adds pointSize * 24 twips for the font in
// effect when it ends (10 pt: 240); a new page starts at 0.
class RecordingPrinter : public platform::Printer {
public:
    explicit RecordingPrinter(std::shared_ptr<PrintedDocument> document) : document_(std::move(document)) {}
    QString failOnEnd;  // the error end() gives, as a failing printer would

    QString begin() override;
    void setFont(const QString& family, double pointSize) override {
        font_ = {family, pointSize, font_.bold};
    }
    void setBold(bool bold) override { font_.bold = bold; }
    void setDuplex(bool twoSided) override { document_->duplex = twoSided; }
    void fitWidth(int, double) override {}
    void printAt(int column, const QString& text) override;
    bool startsLine(int column) const override;
    void endLine() override;
    int currentY() const override { return y_; }
    int lineHeight() const override { return static_cast<int>(font_.pointSize * 24); }
    int pageHeight() const override { return 1 << 30; }  // no text reaches the bottom
    void newPage() override;
    void drawPage(const platform::PagePainter& paint) override;
    QString end() override;

protected:
    std::shared_ptr<PrintedDocument> document_;

private:
    bool printing(const char* call) const;
    PrintFont font_{QStringLiteral("Courier New"), 10, false};
    int y_ = 0;
    bool lineOpen_ = false;
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
    ScriptedDialogs() = default;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
    ~ScriptedDialogs() override;

    // Answers in order, per kind. OK-only message boxes take none; nullopt cancels the box.
    void answerNext(platform::Answer answer) { answers_.push_back(answer); }
    void typeNext(const QString& text) { typed_.emplace_back(text); }
    void chooseFileNext(const QString& name) { chosen_.emplace_back(name); }
    void cancelFileNext() { chosen_.emplace_back(std::nullopt); }

    std::vector<Shown> shown;  // everything shown, in order
    QStringList messages() const;
    Shown lastMessage() const;

    platform::Answer message(const QString& text, platform::Buttons buttons = platform::Buttons::Ok,
                             const QString& title = {}) override;
    QString input(const QString& prompt, const QString& title = {}, const QString& initial = {}) override;
    QString openFile(const platform::FileDialogOptions& o) override { return file(Shown::Kind::OpenFile, o); }
    QString saveFile(const platform::FileDialogOptions& o) override { return file(Shown::Kind::SaveFile, o); }
    // The report window's printer choice and preview are left to the real dialogs' tests.
    std::optional<platform::PrinterChoice> choosePrinter(const platform::PrinterChoice&) override;
    QString preview(const platform::PrinterChoice&, const platform::DocumentDrawing&) override;

private:
    QString file(Shown::Kind kind, const platform::FileDialogOptions& options);
    std::deque<platform::Answer> answers_;
    std::deque<std::optional<QString>> typed_, chosen_;
};

struct NoClipboard : platform::Clipboard {
    void setText(const QString&) override {}
};

class TestPlatform {
public:
    TestPlatform();
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
    std::unique_ptr<platform::Printer> makePrinter();
    std::vector<std::shared_ptr<const PrintedDocument>> jobs_;
    std::vector<PdfJob> pdfJobs_;
    QString failPdfOnEnd_;
};

}  // namespace quorvel::testkit
