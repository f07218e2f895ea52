// The EPUB 3 book: reading the entries, laying them out in content documents, and writing the
// package, navigation, NCX and content documents into the container.
//
// Layout of the container (paths inside the zip):
//   mimetype                   first, stored: the reading system's test of the format
//   META-INF/container.xml     points at EPUB/package.opf
//   EPUB/package.opf           metadata, manifest, spine
//   EPUB/nav.xhtml, toc.ncx    the navigation document and the NCX
//   EPUB/title.xhtml           the title page
//   EPUB/sN.xhtml              entry sections, N from 1, in race/location order
//   EPUB/index.xhtml           the alphabetical index page
//   EPUB/style.css             the book's one style sheet
//   EPUB/images/iN.ext         the images the notes use, named in order of first use
// Every file sits in EPUB/ or below it, so each link inside the book is a bare relative name.
#include "publish/EpubBook.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>
#include <unordered_map>
#include <vector>

#include "app/FileError.h"
#include "app/Sutils.h"
#include "publish/EpubNotes.h"
#include "publish/ZipPackage.h"
#include "store/Collation.h"

namespace tavri {
namespace {

const QString kNoPlace = QStringLiteral("No race/location");
const QString kNoTitle = QStringLiteral("Tavri");

struct BookEntry {
    qint64 id = 0;
    QString name, place, date, desc, notes;
    int document = 0;  // the content document N of sN.xhtml
};

struct BookGroup {
    QString label;
    std::vector<int> entries;  // indexes into BookLayout::entries, in name order
    int firstDocument = 0;
};

// Orders race/locations as the compendium does, so that "orc" and "Orc" are one group.
struct KeyLess {
    bool operator()(const QString& a, const QString& b) const { return compareKeys(a, b) < 0; }
};

struct BookLayout {
    QString title;
    std::vector<BookEntry> entries;  // in name order
    std::vector<BookGroup> groups;   // in race/location order
    int documents = 0;
    std::unordered_map<qint64, int> byId;
};

// Reads every entry in name order and sorts it into its race/location group.
BookLayout ReadLayout(AppState& state) {
    BookLayout book;
    book.title = TrimSpaces(state.OptionsRs->text(u"campaign"));
    if (book.title.isEmpty()) {
        book.title = kNoTitle;
    }
    std::map<QString, std::vector<int>, KeyLess> groups;
    Recordset& rs = *state.EntryRs;
    rs.setIndex(u"namedex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        BookEntry e;
        e.id = rs.field(u"id").toLongLong();
        e.name = TrimSpaces(rs.text(u"name"));
        e.place = TrimSpaces(rs.text(u"race-location"));
        e.date = TrimSpaces(rs.text(u"date"));
        e.desc = TrimSpaces(rs.text(u"desc"));
        e.notes = TrimSpaces(rs.text(u"details"));
        const int index = static_cast<int>(book.entries.size());
        groups[e.place].push_back(index);
        book.byId.emplace(e.id, index);
        book.entries.push_back(std::move(e));
    }
    for (auto& [place, members] : groups) {
        BookGroup g;
        g.label = place.isEmpty() ? kNoPlace : place;
        g.firstDocument = book.documents + 1;
        for (size_t i = 0; i < members.size(); ++i) {
            if (i % kEntriesPerDocument == 0) {
                ++book.documents;
            }
            book.entries[members[i]].document = book.documents;
        }
        g.entries = std::move(members);
        book.groups.push_back(std::move(g));
    }
    return book;
}

QString DocumentName(int n) {
    return QStringLiteral("s%1.xhtml").arg(n);
}

QString EntryHref(const BookEntry& e) {
    return DocumentName(e.document) + QStringLiteral("#e") + QString::number(e.id);
}

// A name for the navigation: a link there must hold text.
QString NavLabel(const BookEntry& e) {
    return e.name.isEmpty() ? QStringLiteral("Entry %1").arg(e.id) : e.name;
}

// The initial an index heading files a name under: its first letter without accents, in upper
// case, so that "Élan" stands with "Eagle".
QString IndexInitial(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("#");
    }
    const QString base = name.normalized(QString::NormalizationForm_D);
    const char32_t first = base.at(0).isHighSurrogate() && base.size() > 1
                               ? QChar::surrogateToUcs4(base.at(0), base.at(1))
                               : base.at(0).unicode();
    return QString::fromUcs4(&first, 1).toUpper();
}

// ---- XHTML text ------------------------------------------------------------------------------

const QString kXhtmlHead = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE html>\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\" "
    "lang=\"%1\" xml:lang=\"%1\">\n"
    "<head>\n"
    "<title>%2</title>\n"
    "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n"
    "</head>\n"
    "<body>\n");
const QString kXhtmlEnd = QStringLiteral("</body>\n</html>\n");

QString XhtmlStart(const QString& language, const QString& title) {
    return kXhtmlHead.arg(language, EscapeXml(title));
}

// Text with its line breaks (CR LF, LF or a lone CR) as <br/>.
QString EscapeLines(const QString& text) {
    QStringList lines = SplitLines(text);
    for (QString& line : lines) {
        line = EscapeXml(line);
    }
    return lines.join(QStringLiteral("<br/>\n"));
}

// ---- The documents ---------------------------------------------------------------------------

struct Writer {
    const BookLayout& book;
    const EpubOptions& options;
    QString modified;  // dcterms:modified, "YYYY-MM-DDThh:mm:ssZ"

    QString titlePage() const {
        QString x = XhtmlStart(options.language, book.title);
        x += QStringLiteral("<section epub:type=\"titlepage\" class=\"titlepage\">\n<h1>") +
             EscapeXml(book.title) + QStringLiteral("</h1>\n<p>") +
             (book.entries.size() == 1 ? QStringLiteral("1 entry")
                                       : QStringLiteral("%1 entries").arg(book.entries.size())) +
             QStringLiteral("</p>\n</section>\n");
        return x + kXhtmlEnd;
    }

    QString navigation() const {
        QString x = XhtmlStart(options.language, book.title);
        x += QStringLiteral(
            "<nav epub:type=\"toc\" id=\"toc\">\n<h1>Contents</h1>\n<ol>\n"
            "<li><a href=\"title.xhtml\">Title page</a></li>\n");
        for (const BookGroup& g : book.groups) {
            x += QStringLiteral("<li><a href=\"") + DocumentName(g.firstDocument) +
                 QStringLiteral("\">") + EscapeXml(g.label) + QStringLiteral("</a>\n<ol>\n");
            for (const int i : g.entries) {
                const BookEntry& e = book.entries[i];
                x += QStringLiteral("<li><a href=\"") + EntryHref(e) + QStringLiteral("\">") +
                     EscapeXml(NavLabel(e)) + QStringLiteral("</a></li>\n");
            }
            x += QStringLiteral("</ol>\n</li>\n");
        }
        x += QStringLiteral(
            "<li><a href=\"index.xhtml\">Index</a></li>\n</ol>\n</nav>\n"
            "<nav epub:type=\"landmarks\" hidden=\"hidden\">\n<ol>\n"
            "<li><a epub:type=\"titlepage\" href=\"title.xhtml\">Title page</a></li>\n"
            "<li><a epub:type=\"toc\" href=\"nav.xhtml\">Contents</a></li>\n");
        if (!book.groups.empty()) {
            x += QStringLiteral("<li><a epub:type=\"bodymatter\" href=\"") + DocumentName(1) +
                 QStringLiteral("\">Entries</a></li>\n");
        }
        x += QStringLiteral(
            "<li><a epub:type=\"index\" href=\"index.xhtml\">Index</a></li>\n</ol>\n</nav>\n");
        return x + kXhtmlEnd;
    }

    QString indexPage() const {
        QString x = XhtmlStart(options.language, QStringLiteral("Index"));
        x += QStringLiteral("<h1>Index</h1>\n");
        QString initial;
        bool open = false;
        for (const BookEntry& e : book.entries) {
            const QString letter = IndexInitial(e.name);
            if (!open || letter != initial) {
                if (open) {
                    x += QStringLiteral("</ul>\n");
                }
                x += QStringLiteral("<h2>") + EscapeXml(letter) + QStringLiteral("</h2>\n<ul>\n");
                initial = letter;
                open = true;
            }
            x += QStringLiteral("<li><a href=\"") + EntryHref(e) + QStringLiteral("\">") +
                 EscapeXml(NavLabel(e)) + QStringLiteral("</a>");
            if (!e.place.isEmpty()) {
                x += QStringLiteral(" (") + EscapeXml(e.place) + QStringLiteral(")");
            }
            x += QStringLiteral("</li>\n");
        }
        if (open) {
            x += QStringLiteral("</ul>\n");
        }
        return x + kXhtmlEnd;
    }

    QString ncx() const {
        QString x =
            QStringLiteral(
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\" "
                "xml:lang=\"%1\">\n<head>\n"
                "<meta name=\"dtb:uid\" content=\"%2\"/>\n"
                "<meta name=\"dtb:depth\" content=\"2\"/>\n"
                "<meta name=\"dtb:totalPageCount\" content=\"0\"/>\n"
                "<meta name=\"dtb:maxPageNumber\" content=\"0\"/>\n"
                "</head>\n<docTitle><text>%3</text></docTitle>\n<navMap>\n")
                .arg(options.language, EscapeXml(options.identifier), EscapeXml(book.title));
        int order = 0;
        auto point = [&](const QString& label, const QString& src, bool close) {
            ++order;
            x += QStringLiteral("<navPoint id=\"n%1\" playOrder=\"%1\"><navLabel><text>")
                     .arg(order) +
                 EscapeXml(label) + QStringLiteral("</text></navLabel><content src=\"") + src +
                 (close ? QStringLiteral("\"/></navPoint>\n") : QStringLiteral("\"/>\n"));
        };
        point(QStringLiteral("Title page"), QStringLiteral("title.xhtml"), true);
        for (const BookGroup& g : book.groups) {
            point(g.label, DocumentName(g.firstDocument), false);
            for (const int i : g.entries) {
                point(NavLabel(book.entries[i]), EntryHref(book.entries[i]), true);
            }
            x += QStringLiteral("</navPoint>\n");
        }
        point(QStringLiteral("Index"), QStringLiteral("index.xhtml"), true);
        return x + QStringLiteral("</navMap>\n</ncx>\n");
    }

    QString package(const std::vector<NotesImage>& images) const {
        QString x =
            QStringLiteral(
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
                "unique-identifier=\"book-id\" xml:lang=\"%1\">\n"
                "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
                "<dc:identifier id=\"book-id\">%2</dc:identifier>\n"
                "<dc:title>%3</dc:title>\n"
                "<dc:language>%1</dc:language>\n"
                "<meta property=\"dcterms:modified\">%4</meta>\n"
                "</metadata>\n<manifest>\n"
                "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
                "properties=\"nav\"/>\n"
                "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n"
                "<item id=\"style\" href=\"style.css\" media-type=\"text/css\"/>\n"
                "<item id=\"title\" href=\"title.xhtml\" "
                "media-type=\"application/xhtml+xml\"/>\n")
                .arg(options.language, EscapeXml(options.identifier), EscapeXml(book.title),
                     modified);
        for (int n = 1; n <= book.documents; ++n) {
            x += QStringLiteral(
                     "<item id=\"s%1\" href=\"s%1.xhtml\" media-type=\"application/xhtml+xml\"/>\n")
                     .arg(n);
        }
        x += QStringLiteral(
            "<item id=\"index\" href=\"index.xhtml\" media-type=\"application/xhtml+xml\"/>\n");
        for (size_t i = 0; i < images.size(); ++i) {
            x += QStringLiteral("<item id=\"i%1\" href=\"%2\" media-type=\"%3\"/>\n")
                     .arg(i + 1)
                     .arg(images[i].bookPath, images[i].mediaType);
        }
        x += QStringLiteral(
            "</manifest>\n<spine toc=\"ncx\">\n<itemref idref=\"title\"/>\n<itemref "
            "idref=\"nav\"/>\n");
        for (int n = 1; n <= book.documents; ++n) {
            x += QStringLiteral("<itemref idref=\"s%1\"/>\n").arg(n);
        }
        return x + QStringLiteral("<itemref idref=\"index\"/>\n</spine>\n</package>\n");
    }

    static QString entrySection(const BookEntry& e, const QString& notes) {
        QString x = QStringLiteral("<section class=\"entry\" id=\"e") + QString::number(e.id) +
                    QStringLiteral("\">\n<h2>") + EscapeXml(e.name) +
                    QStringLiteral("</h2>\n<p class=\"place\">Race/Location: ") +
                    EscapeXml(e.place) + QStringLiteral("</p>\n<p class=\"date\">Date: ") +
                    EscapeXml(e.date) + QStringLiteral("</p>\n<p class=\"desc\">") +
                    EscapeLines(e.desc) + QStringLiteral("</p>\n");
        if (!notes.isEmpty()) {
            x += QStringLiteral("<div class=\"notes\">\n") + notes + QStringLiteral("\n</div>\n");
        }
        return x + QStringLiteral("</section>\n");
    }
};

const char kContainer[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
    "<rootfiles>\n"
    "<rootfile full-path=\"EPUB/package.opf\" media-type=\"application/oebps-package+xml\"/>\n"
    "</rootfiles>\n"
    "</container>\n";

const char kStyle[] =
    "body { margin: 0 1em; line-height: 1.4; }\n"
    "h1, h2 { line-height: 1.2; }\n"
    ".titlepage { text-align: center; margin-top: 30%; }\n"
    ".entry { margin-bottom: 1.5em; }\n"
    ".place, .date { margin: 0; font-size: 0.9em; }\n"
    ".desc { font-style: italic; }\n"
    ".notes img { max-width: 100%; }\n";

// Where the notes' links and images lead inside this book.
class BookTargets : public NotesTargets {
public:
    BookTargets(const BookLayout& book, QString imagesDir)
        : book_(book), imagesDir_(std::move(imagesDir)) {}

    std::optional<QString> entryHref(qint64 id) override {
        const auto found = book_.byId.find(id);
        if (found == book_.byId.end()) {
            return std::nullopt;
        }
        return EntryHref(book_.entries[found->second]);
    }

    std::optional<QString> imageHref(const QString& relativePath) override {
        const auto known = byPath_.find(relativePath);
        if (known != byPath_.end()) {
            return images_[known->second].bookPath;
        }
        const QString mediaType = ImageMediaType(relativePath);
        const QString source = imagesDir_ + relativePath;
        if (mediaType.isEmpty() || relativePath.split(QLatin1Char('/')).contains(u"..") ||
            !QFileInfo(source).isFile()) {
            return std::nullopt;
        }
        NotesImage image;
        image.sourcePath = source;
        image.mediaType = mediaType;
        image.bookPath = QStringLiteral("images/i%1.").arg(images_.size() + 1) +
                         QFileInfo(relativePath).suffix().toLower();
        byPath_.emplace(relativePath, images_.size());
        images_.push_back(std::move(image));
        return images_.back().bookPath;
    }

    const std::vector<NotesImage>& images() const { return images_; }

private:
    const BookLayout& book_;
    QString imagesDir_;
    std::vector<NotesImage> images_;
    std::unordered_map<QString, size_t> byPath_;
};

QByteArray ReadImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("read"), path, file.errorString());
    }
    return file.readAll();
}

}  // namespace

bool IsLanguageTag(const QString& text) {
    static const QRegularExpression tag(
        QStringLiteral("^[A-Za-z]{2,3}(-[A-Za-z]{4})?(-([A-Za-z]{2}|[0-9]{3}))?"
                       "(-([A-Za-z0-9]{5,8}|[0-9][A-Za-z0-9]{3}))*$"));
    return tag.match(text).hasMatch();
}

QString DefaultEpubPath(const AppState& state) {
    return state.PalmDir() + QStringLiteral("Tavri.epub");
}

EpubReport WriteEpubBook(AppState& state, const QString& path, const EpubOptions& options,
                         PublishProgress& progress) {
    progress.phase(QStringLiteral("Writing the e-book:"));
    const BookLayout book = ReadLayout(state);
    const QDateTime modified =
        (options.modified.isValid() ? options.modified : QDateTime::currentDateTimeUtc()).toUTC();
    const Writer writer{book, options, modified.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"))};

    ZipPackage zip(path, modified);
    zip.add(QStringLiteral("mimetype"), QByteArrayLiteral("application/epub+zip"),
            ZipPackage::Method::Store);
    zip.add(QStringLiteral("META-INF/container.xml"), QByteArray(kContainer));
    zip.add(QStringLiteral("EPUB/style.css"), QByteArray(kStyle));
    zip.add(QStringLiteral("EPUB/title.xhtml"), writer.titlePage().toUtf8());
    zip.add(QStringLiteral("EPUB/nav.xhtml"), writer.navigation().toUtf8());

    EpubReport report;
    report.entries = static_cast<qint64>(book.entries.size());
    BookTargets targets(book, state.ImagesDir());
    qint64 done = 0;
    for (const BookGroup& g : book.groups) {
        QString document;
        int current = 0;
        auto finish = [&] {
            if (current != 0) {
                zip.add(QStringLiteral("EPUB/") + DocumentName(current),
                        (document + kXhtmlEnd).toUtf8());
            }
        };
        for (const int i : g.entries) {
            const BookEntry& e = book.entries[i];
            if (e.document != current) {
                finish();
                current = e.document;
                document = XhtmlStart(options.language, g.label);
                if (current == g.firstDocument) {
                    document +=
                        QStringLiteral("<h1>") + EscapeXml(g.label) + QStringLiteral("</h1>\n");
                }
            }
            progress.entry(e.name);
            NotesXhtml notes = NotesToXhtml(e.notes, targets);
            for (const QString& what : notes.dropped) {
                report.dropped << QStringLiteral("%1 (id %2): %3").arg(e.name).arg(e.id).arg(what);
            }
            document += Writer::entrySection(e, notes.xhtml);
            progress.step(++done, report.entries);
        }
        finish();
    }

    zip.add(QStringLiteral("EPUB/index.xhtml"), writer.indexPage().toUtf8());
    zip.add(QStringLiteral("EPUB/toc.ncx"), writer.ncx().toUtf8());
    for (const NotesImage& image : targets.images()) {
        zip.add(QStringLiteral("EPUB/") + image.bookPath, ReadImage(image.sourcePath));
    }
    zip.add(QStringLiteral("EPUB/package.opf"), writer.package(targets.images()).toUtf8());
    zip.close();
    return report;
}

}  // namespace tavri
