// The instruction documents of the data tree are real PDF files that a PDF
// reader opens, and their text carries their titles.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
};

ToolRun RunTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    ToolRun r;
    if (!p.waitForFinished(-1)) return r;  // no time limit: a slow machine only takes longer
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

struct Manual {
    const char* file;
    const char* title;
    int minPages;
};

}  // namespace

TEST(ManualsTest, EachDocumentOpensAndShowsItsTitle) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    const Manual manuals[] = {
        {"Istruzioni.pdf", "Vireliant NL Basic - Instructions", 3},
        {"Istruzioni_J.pdf", "Vireliant NL Basic - Short instructions", 1},
        {"Dispensa.pdf", "Vireliant NL Basic - Booklet", 1},
    };
    for (const Manual& m : manuals) {
        SCOPED_TRACE(m.file);
        fs::path pdf = fs::path(KELVOR_TEST_DATA_DIR) / m.file;
        ASSERT_TRUE(fs::exists(pdf));
        const QString path = QString::fromStdString(pdf.string());

        ToolRun info = RunTool("pdfinfo", {path});
        ASSERT_EQ(info.exitCode, 0);
        QRegularExpression titleLine(QString("Title:\\s+") + QRegularExpression::escape(m.title) + "\\n");
        EXPECT_TRUE(info.out.contains(titleLine)) << info.out.toStdString();
        QRegularExpression pagesLine("Pages:\\s+(\\d+)");
        QRegularExpressionMatch pages = pagesLine.match(info.out);
        ASSERT_TRUE(pages.hasMatch());
        EXPECT_GE(pages.captured(1).toInt(), m.minPages);

        ToolRun text = RunTool("pdftotext", {path, "-"});
        ASSERT_EQ(text.exitCode, 0);
        EXPECT_TRUE(text.out.startsWith(m.title)) << text.out.left(200).toStdString();
        // Every page carries its number in the footer.
        EXPECT_TRUE(text.out.contains(QRegularExpression(QString("1\\s*/\\s*%1").arg(pages.captured(1)))));
    }
}

TEST(ManualsTest, FullInstructionsNameTheMainWindowCommands) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext missing";
    fs::path pdf = fs::path(KELVOR_TEST_DATA_DIR) / "Istruzioni.pdf";
    ToolRun text = RunTool("pdftotext", {QString::fromStdString(pdf.string()), "-"});
    ASSERT_EQ(text.exitCode, 0);
    for (const char* caption : {"Geboortegegevens", "Roep nieuwe naam op", "Interactief voorbereidend model",
                                "Sintomi Multipli", "Backup / Herstel", "Instructies.pdf", "Boekje.pdf"})
        EXPECT_TRUE(text.out.contains(QString::fromUtf8(caption))) << caption;
}
