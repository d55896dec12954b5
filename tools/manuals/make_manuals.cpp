// Turns one markdown source into an A4 PDF with Qt's own PDF output.
//   make_manuals <source.md> <output.pdf>
// The first level-one heading is the document's title; a style sheet
// "manual.css" beside the source sets the look. Page numbers are added at the
// foot of every page.
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHashSeed>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <cstdio>

namespace {

QString ReadText(const QString& path, bool required) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (required) std::fprintf(stderr, "make_manuals: cannot read %s\n", qPrintable(path));
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

QString TitleOf(const QString& markdown) {
    static const QRegularExpression kHeading("^#\\s+(.+)$", QRegularExpression::MultilineOption);
    QRegularExpressionMatch m = kHeading.match(markdown);
    return m.hasMatch() ? m.captured(1).trimmed() : QString("Instructions");
}

// The markdown reader sets code in the system's fixed-pitch font, which is
// whichever monospaced font the machine happens to have; the documents name
// theirs (DejaVu Sans Mono, from the packages the build installs), so that the
// same sources make the same bytes on any machine.
void SetFixedPitchFont(QTextDocument& doc, const QString& family) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().fontFixedPitch()) continue;
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            QTextCharFormat format;
            format.setFontFamilies({family});
            cursor.mergeCharFormat(format);
        }
    }
}

}  // namespace

// Replaces the writer's "/CreationDate (D:YYYYMMDDHHMMSS" with noon of the
// release date, digit for digit, so that no offset of the file moves.
bool StampReleaseDate(const QString& path, const QString& date) {
    const QByteArray digits = QByteArray(date.toLatin1()).replace("-", "") + "120000";
    if (digits.size() != 14) {
        std::fprintf(stderr, "make_manuals: the release date must read YYYY-MM-DD\n");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = file.readAll();
    file.close();
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = bytes.indexOf(key);
    if (at < 0 || at + key.size() + 14 > bytes.size()) {
        std::fprintf(stderr, "make_manuals: no creation date in %s\n", qPrintable(path));
        return false;
    }
    bytes.replace(at + key.size(), 14, digits);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes) == bytes.size();
}

int main(int argc, char** argv) {
    // The writer lists the fonts in the order of a hash, seeded at random in
    // each run unless made deterministic: the same sources make the same bytes.
    QHashSeed::setDeterministicGlobalSeed();
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_manuals <source.md> <output.pdf> <release date YYYY-MM-DD>\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString markdown = ReadText(source, true);
    if (markdown.isEmpty()) return 1;
    const QString css = ReadText(QFileInfo(source).absolutePath() + "/manual.css", false);
    const QString title = TitleOf(markdown);

    QPdfWriter writer(output);
    writer.setTitle(title);
    writer.setCreator("make_manuals");
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 22),
                                     QPageLayout::Millimeter));

    QTextDocument doc;
    QFont body("Liberation Sans");
    body.setStyleHint(QFont::SansSerif);
    body.setPointSizeF(10.5);
    doc.setDefaultFont(body);
    doc.setDefaultStyleSheet(css);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    SetFixedPitchFont(doc, "DejaVu Sans Mono");
    doc.setMetaInformation(QTextDocument::DocumentTitle, title);

    // Lay the text out on the printable area of one page (in device pixels of
    // the writer), then paint page by page with a footer.
    const QRect paint = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal footer = writer.resolution() * 0.35;
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setPageSize(QSizeF(paint.width(), paint.height() - footer));
    doc.rootFrame()->setFrameFormat([&] {
        QTextFrameFormat f = doc.rootFrame()->frameFormat();
        f.setMargin(0);
        return f;
    }());
    const int pages = doc.pageCount();

    QPainter painter(&writer);
    QFont footFont = body;
    footFont.setPointSizeF(8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.save();
        const qreal top = page * doc.pageSize().height();
        painter.translate(0, -top);
        doc.drawContents(&painter, QRectF(0, top, doc.pageSize().width(), doc.pageSize().height()));
        painter.restore();
        painter.setFont(footFont);
        painter.setPen(QColor(90, 90, 90));
        QRectF foot(0, paint.height() - footer * 0.8, paint.width(), footer * 0.8);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, title);
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom, QString("%1 / %2").arg(page + 1).arg(pages));
    }
    painter.end();
    // The writer stamps the moment it ran; the document is dated by the release
    // instead, so that the same sources make the same bytes and an upgrade
    // renews a manual only when its text changed.
    return StampReleaseDate(output, QString::fromLatin1(argv[3])) ? 0 : 1;
}
