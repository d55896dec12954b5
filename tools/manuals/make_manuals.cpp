// Turns one markdown source into an A4 PDF with Qt's own PDF output.
//   make_manuals <source.md> <output.pdf>
// The first level-one heading is the document's title; a style sheet
// "manual.css" beside the source sets the look. Page numbers are added at the
// foot of every page.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QAbstractTextDocumentLayout>
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
    static const QRegularExpression heading("^#\\s+(.+)$", QRegularExpression::MultilineOption);
    QRegularExpressionMatch m = heading.match(markdown);
    return m.hasMatch() ? m.captured(1).trimmed() : QString("Instructions");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_manuals <source.md> <output.pdf>\n");
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
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 22), QPageLayout::Millimeter));

    QTextDocument doc;
    QFont body("Liberation Sans");
    body.setStyleHint(QFont::SansSerif);
    body.setPointSizeF(10.5);
    doc.setDefaultFont(body);
    doc.setDefaultStyleSheet(css);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
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
        painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                         QString("%1 / %2").arg(page + 1).arg(pages));
    }
    painter.end();
    return 0;
}
