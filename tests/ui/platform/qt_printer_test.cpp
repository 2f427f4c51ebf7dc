#include "platform/qt_printer.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLocale>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/fixed_font.h"

namespace quorvel::platform {
namespace {

const QString kMono = QStringLiteral("DejaVu Sans Mono");

class QtPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(printer->begin(), QString());
        printer->setFont(kMono, 10);
    }

    QByteArray finishedFile() {
        EXPECT_EQ(printer->end(), QString());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    // Page objects, not the page tree ("/Type /Pages").
    static int pageCount(const QByteArray& pdf) {
        int pages = 0;
        for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1)) {
            if (pdf.mid(at + 11, 1) != "s") ++pages;
        }
        return pages;
    }

    QTemporaryDir dir;
    QString path = dir.filePath("report.pdf");
    std::unique_ptr<QtPrinter> printer = QtPrinter::pdfFile(path);
};

TEST_F(QtPrinterTest, TextPastAColumnGoesToThatColumnOfTheNextLine) {
    EXPECT_EQ(printer->currentY(), 0);
    printer->printAt(1, "abcd");
    printer->printAt(5, "e");  // ends exactly where column 5 starts: same line
    EXPECT_EQ(printer->currentY(), 0);
    printer->printAt(30, "far right");
    EXPECT_EQ(printer->currentY(), 0);

    printer->printAt(5, "next");
    const int second = printer->currentY();
    EXPECT_GT(second, 0);
    printer->printAt(10, "x");  // "next" ends at column 9
    EXPECT_EQ(printer->currentY(), second);
    printer->printAt(12, "y");
    EXPECT_EQ(printer->currentY(), second);

    printer->endLine();
    EXPECT_EQ(printer->currentY(), 2 * second);
    printer->printAt(5, "after endLine starts at the left");
    EXPECT_EQ(printer->currentY(), 2 * second);
    EXPECT_EQ(pageCount(finishedFile()), 1);
}

TEST_F(QtPrinterTest, LineHeightIsTheFontsLineSpacingInTwips) {
    printer->endLine();
    const int ten = printer->currentY();
    // About 1.2 x 20 twips a point; a wrong resolution would be off by a large factor.
    EXPECT_GT(ten, 180);
    EXPECT_LT(ten, 320);

    printer->endLine();  // blank lines count too
    EXPECT_EQ(printer->currentY(), 2 * ten);

    printer->setFont(kMono, 20);
    printer->endLine();
    const int twenty = printer->currentY() - 2 * ten;
    EXPECT_GT(twenty, ten + ten / 2);

    // The font in effect when the line ends decides its height.
    printer->setFont(kMono, 10);
    printer->printAt(1, "small");
    printer->setFont(kMono, 20);
    const int before = printer->currentY();
    printer->endLine();
    EXPECT_EQ(printer->currentY() - before, twenty);
    finishedFile();
}

TEST_F(QtPrinterTest, NewPageStartsAtTheTopAndEachPageIsInTheFile) {
    printer->printAt(1, "page one");
    printer->endLine();
    printer->endLine();
    ASSERT_GT(printer->currentY(), 0);
    printer->newPage();
    EXPECT_EQ(printer->currentY(), 0);
    printer->printAt(3, "page two");
    printer->newPage();
    printer->printAt(3, "page three");

    const QByteArray pdf = finishedFile();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pageCount(pdf), 3);
}

TEST_F(QtPrinterTest, BoldReachesThePrintedText) {
    if (QFontInfo(QFont(kMono)).family() != kMono) GTEST_SKIP() << "font not installed";
    printer->printAt(1, "plain");
    printer->setBold(true);
    printer->printAt(10, "bold");
    printer->setFont(kMono, 12);  // bold survives a change of font
    printer->printAt(20, "still bold");

    const QByteArray pdf = finishedFile();
    // The document embeds each face it used, under the face's own name.
    EXPECT_TRUE(pdf.contains("DejaVuSansMono-Bold"));
    EXPECT_TRUE(QString::fromLatin1(pdf).contains(QRegularExpression("DejaVuSansMono(?![-\\w])")));
}

TEST(QtPrinterFailures, FileThatCannotBeWrittenFailsToBegin) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing-folder/report.pdf");
    auto printer = QtPrinter::pdfFile(path);
    const QString error = printer->begin();
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    printer->printAt(1, "ignored");
    EXPECT_FALSE(printer->end().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(QtPrinterFailures, JobDroppedWithoutEndLeavesNoHalfDocument) {
    QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    auto printer = QtPrinter::pdfFile(path);
    ASSERT_EQ(printer->begin(), QString());
    printer->printAt(1, "first half");
    printer.reset();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(QtPrinterFailures, NoPrinterIsReportedByBegin) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this computer has a printer";
    auto printer = QtPrinter::defaultPrinter();
    EXPECT_EQ(printer->begin(), "No printer is set up on this computer.");
    printer->printAt(1, "ignored");
    printer->newPage();
    EXPECT_FALSE(printer->end().isEmpty());
}

// Whatever is installed, the face in use is the one chosen by name and it is fixed-pitch.
TEST(FixedPitchFont, IsTheInstalledFaceAskedForOrCourierNewsStandIn) {
    const QStringList installed = QFontDatabase::families();
    const QString standIn = installed.contains("Courier New") ? "Courier New" : "Liberation Mono";
    const bool dejaVu = installed.contains("DejaVu Sans Mono");
    const struct {
        QString wanted;
        QString chosen;
    } cases[] = {{"Courier New", standIn},
                 {"DejaVu Sans Mono", dejaVu ? "DejaVu Sans Mono" : standIn},
                 {"DejaVu Sans", standIn},  // proportional
                 {"No Such Face", standIn}};
    for (const auto& c : cases) {
        const QFontInfo info(fixedPitchFont(10, c.wanted));
        if (installed.contains(c.chosen)) {
            EXPECT_EQ(fixedPitchFamily(c.wanted), c.chosen) << c.wanted.toStdString();
        }
        EXPECT_EQ(info.family(), fixedPitchFamily(c.wanted)) << c.wanted.toStdString();
        EXPECT_TRUE(info.fixedPitch()) << c.wanted.toStdString();
    }
}

TEST(QtPrinterPaper, FollowsTheLocale) {
    const QLocale before;
    for (const auto& [locale, paper] : {std::pair{QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter},
                                        std::pair{QLocale(QLocale::German, QLocale::Germany), QPageSize::A4},
                                        std::pair{QLocale(QLocale::English, QLocale::UnitedKingdom), QPageSize::A4}}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(QtPrinter::localePaper().id(), paper) << QLocale().name().toStdString();
    }
    QLocale::setDefault(before);
}

}  // namespace
}  // namespace quorvel::platform
