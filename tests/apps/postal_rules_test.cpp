// Mail to the post office's rules: the sample in the postal style, in ZIP code order, each label
// with its sort level, and endorsements where they have room.

#include "pdf_bars.h"
#include "pdf_text.h"
#include "program_run.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tav::test::ProgramRun;
using tav::test::runBatch;

TEST(PostalRules, TheSampleReadsAsTheRulesSayInZipCodeOrderWithItsSortLevels) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("postal.pdf");
    const ProgramRun run = runBatch({"--postal-style", "--sort", "zip", "--endorsement-line",
                                     "--piece", "5161", "--pdf", pdf, MAILPIECE_SAMPLE_MAILING});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("warning")) << run.err.toStdString(); // 8 pt, every line whole
    const QStringList words = tav::test::pdfTexts(pdf);
    ASSERT_FALSE(words.isEmpty());
    // Capitals, and no punctuation but the asterisks of the endorsement lines and the hyphens
    // of the ZIP+4 codes and the sort levels.
    static const QRegularExpression allowed(
        QStringLiteral("^(\\*+[A-Z0-9-]*|[\\p{Lu}0-9]+|\\d{5}-\\d{4}|\\d-DIGIT)$"));
    for (const QString& word : words)
        EXPECT_TRUE(allowed.match(word).hasMatch()) << word.toStdString();
    const QString text = words.join(' ');
    for (const char* street : {"951 SPRING ST STE 137", "9265 MAPLE AVE", "9121 MILL LN APT 4",
                               "5738 PARK PL STE 491", "1492 RIVER RD STE 175", "PO BOX 495"})
        EXPECT_TRUE(text.contains(QLatin1String(street))) << street;
    // Springfield's ten pieces share their 3-digit prefix; the others go as mixed AADC.
    EXPECT_EQ(text.count("*************************3-DIGIT 627"), 10);
    EXPECT_EQ(text.count("**************************MIXED AADC"), 60);
    QStringList zips;
    for (const QString& word : words)
        if (QRegularExpression(QStringLiteral("^\\d{5}(-\\d{4})?$")).match(word).hasMatch())
            zips << word;
    QStringList sorted = zips;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(zips.size(), 70);
    EXPECT_EQ(zips, sorted);
}

TEST(PostalRules, AnEndorsementNeedsItsClearSpaceAndAReturnAddress) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("e.pdf");
    const struct {
        QStringList arguments;
        int status;
        const char* said;
    } cases[] = {
        {{"--endorsement", "return service requested", "--piece", "5163"}, 0, ""},
        {{"--endorsement", "Return Service Requested", "--piece", "5161"}, 1, "no room"},
        {{"--endorsement", "Please return", "--piece", "5163"}, 1, "the post office knows"},
        {{"--endorsement", "Return Service Requested", "--envelope"}, 1, "--return-address"},
        {{"--endorsement-line", "--piece", "5163"}, 2, "give it too"},
        {{"--postal-style", "--font-size", "7"}, 2, "8 pt at least"},
    };
    for (const auto& c : cases) {
        const ProgramRun run =
            runBatch(c.arguments + QStringList{"--pdf", pdf, MAILPIECE_SAMPLE_MAILING});
        EXPECT_EQ(run.exitCode, c.status) << c.said << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String(c.said))) << run.err.toStdString();
    }
    EXPECT_EQ(tav::test::pdfTexts(pdf).mid(0, 3), (QStringList{"RETURN", "SERVICE", "REQUESTED"}));
}

TEST(PostalRules, AnotherPostsCodeComesFromItsColumnAndABadValueCostsItsRow) {
    QTemporaryDir dir;
    const QString csv =
        tav::test::writeFile(dir, "nl.csv",
                             "Name,Street,City,KIX\n"
                             "Jan Jansen,Dorpsstraat 30,2500 GG Den Haag,2500GG30250\n"
                             "Bad Row,Weg 1,1234 AB Ergens,12-34\n");
    const QString pdf = dir.filePath("nl.pdf");
    const ProgramRun run = runBatch({"--symbology", "kix", "--barcode-column", "KIX", "--item1",
                                     "<<Name>>", "--piece", "5160", "--pdf", pdf, csv});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("nl.csv:3: row left out: the KIX code cannot carry \"12-34\""))
        << run.err.toStdString();
    // The first label's bars, under its line: PostNL's first published example.
    constexpr int kDpi = 600;
    const QImage label = tav::test::pdfPageImage(pdf, 1, kDpi, QRect(0, 0, 3 * kDpi, 1.5 * kDpi));
    const auto bars = tav::test::findBars(label, QRect(0, 0.75 * kDpi, label.width(), 0.7 * kDpi));
    EXPECT_EQ(tav::test::fourStates(bars, 3), "TDFADDAATTFFTTFFDAFTDAFTDTAFTTFFTDFADDAATTFF");
    EXPECT_EQ(runBatch({"--symbology", "kix", "--pdf", pdf, csv}).exitCode, 2);
}
