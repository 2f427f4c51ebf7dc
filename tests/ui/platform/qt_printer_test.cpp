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

    QTemporaryDir dir;
    QString path = dir.filePath("report.pdf");
    std::unique_ptr<QtPrinter> printer = QtPrinter::pdfFile(path);
};

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
    for (const auto& [locale, paper] :
         {std::pair{QLocale(QLocale::English, QLocale::UnitedStates), QPageSize::Letter},
          std::pair{QLocale(QLocale::German, QLocale::Germany), QPageSize::A4},
          std::pair{QLocale(QLocale::English, QLocale::UnitedKingdom), QPageSize::A4}}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(QtPrinter::localePaper().id(), paper) << QLocale().name().toStdString();
    }
    QLocale::setDefault(before);
}

}  // namespace
}  // namespace quorvel::platform
