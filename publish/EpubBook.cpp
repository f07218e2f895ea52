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
//   EPUB/images/missing.svg    stands in for an image that is missing or of a type no reading
//                              system shows, so the book never links to what it lacks
// Every file sits in EPUB/ or below it, so each link inside the book is a bare relative name.
#include "publish/EpubBook.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>
#include <unordered_map>
#include <vector>

#include "base/FileError.h"
#include "base/Sutils.h"
#include "publish/NotesHtml.h"
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
    return kXhtmlHead.arg(language, EscapeMarkup(title));
}

// Text with its line breaks (CR LF, LF or a lone CR) as <br/>.
QString EscapeLines(const QString& text) {
    QStringList lines = SplitLines(text);
    for (QString& line : lines) {
        line = EscapeMarkup(line);
    }
    return lines.join(QStringLiteral("<br/>\n"));
}

// The types of image every EPUB reading system shows, by extension; "" for any other.
QString ImageMediaType(const QString& fileName) {
    static const std::map<QString, QString> types{
        {QStringLiteral("gif"), QStringLiteral("image/gif")},
        {QStringLiteral("jpeg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("jpg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("png"), QStringLiteral("image/png")},
        {QStringLiteral("svg"), QStringLiteral("image/svg+xml")},
    };
    const auto found = types.find(QFileInfo(fileName).suffix().toLower());
    return found == types.end() ? QString() : found->second;
}

const QString kMissingImage = QStringLiteral("images/missing.svg");
const char kMissingImageSvg[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" "
    "viewBox=\"0 0 48 48\">\n"
    "<rect x=\"1\" y=\"1\" width=\"46\" height=\"46\" fill=\"none\" stroke=\"gray\"/>\n"
    "<path d=\"M1 1 47 47M47 1 1 47\" stroke=\"gray\"/>\n"
    "</svg>\n";

// An image of Reports/images/ packed into the book.
struct BookImage {
    QString sourcePath;  // the file on disk
    QString bookPath;    // its path inside EPUB/
    QString mediaType;
};

// ---- The documents ---------------------------------------------------------------------------

struct Writer {
    const BookLayout& book;
    const EpubOptions& options;
    QString modified;  // dcterms:modified, "YYYY-MM-DDThh:mm:ssZ"

    QString titlePage() const {
        QString x = XhtmlStart(options.language, book.title);
        x += QStringLiteral("<section epub:type=\"titlepage\" class=\"titlepage\">\n<h1>") +
             EscapeMarkup(book.title) + QStringLiteral("</h1>\n<p>") +
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
                 QStringLiteral("\">") + EscapeMarkup(g.label) + QStringLiteral("</a>\n<ol>\n");
            for (const int i : g.entries) {
                const BookEntry& e = book.entries[i];
                x += QStringLiteral("<li><a href=\"") + EntryHref(e) + QStringLiteral("\">") +
                     EscapeMarkup(NavLabel(e)) + QStringLiteral("</a></li>\n");
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
                x +=
                    QStringLiteral("<h2>") + EscapeMarkup(letter) + QStringLiteral("</h2>\n<ul>\n");
                initial = letter;
                open = true;
            }
            x += QStringLiteral("<li><a href=\"") + EntryHref(e) + QStringLiteral("\">") +
                 EscapeMarkup(NavLabel(e)) + QStringLiteral("</a>");
            if (!e.place.isEmpty()) {
                x += QStringLiteral(" (") + EscapeMarkup(e.place) + QStringLiteral(")");
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
                .arg(options.language, EscapeMarkup(options.identifier), EscapeMarkup(book.title));
        int order = 0;
        auto point = [&](const QString& label, const QString& src, bool close) {
            ++order;
            x += QStringLiteral("<navPoint id=\"n%1\" playOrder=\"%1\"><navLabel><text>")
                     .arg(order) +
                 EscapeMarkup(label) + QStringLiteral("</text></navLabel><content src=\"") + src +
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

    QString package(const std::vector<BookImage>& images, bool missingImage) const {
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
                .arg(options.language, EscapeMarkup(options.identifier), EscapeMarkup(book.title),
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
        if (missingImage) {
            x += QStringLiteral("<item id=\"missing\" href=\"") + kMissingImage +
                 QStringLiteral("\" media-type=\"image/svg+xml\"/>\n");
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
                    QStringLiteral("\">\n<h2>") + EscapeMarkup(e.name) +
                    QStringLiteral("</h2>\n<p class=\"place\">Race/Location: ") +
                    EscapeMarkup(e.place) + QStringLiteral("</p>\n<p class=\"date\">Date: ") +
                    EscapeMarkup(e.date) + QStringLiteral("</p>\n<p class=\"desc\">") +
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

// The notes of every entry in the book's terms: entry links lead to sections, images of
// Reports/images/ are packed on first use, and what cannot be shown is reported.
class BookNotes {
public:
    BookNotes(const BookLayout& book, QString imagesDir) : imagesDir_(std::move(imagesDir)) {
        rules_.syntax = NotesSyntax::Xhtml;
        rules_.drop = ActiveContentElements();
        rules_.entryHref = [&book](qint64 id) -> std::optional<QString> {
            const auto found = book.byId.find(id);
            if (found == book.byId.end()) {
                return std::nullopt;
            }
            return EntryHref(book.entries[found->second]);
        };
        rules_.imageHref = [this](const QString& image) { return imageHref(image); };
    }

    // The notes as XHTML; adds a line to dropped for each thing left out or missing.
    QString render(const BookEntry& e, QStringList& dropped) {
        missing_.clear();
        QString xhtml = parser_.render(e.notes, rules_, findings_);
        xhtml.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        const QString who = QStringLiteral("%1 (id %2): ").arg(e.name).arg(e.id);
        for (const QString& element : findings_.dropped) {
            dropped << who + QStringLiteral("left out <%1>").arg(element);
        }
        for (const qint64 id : findings_.brokenLinks) {
            dropped << who + QStringLiteral("link to G%1.htm kept as text, no such entry").arg(id);
        }
        for (const QString& image : missing_) {
            dropped << who + QStringLiteral(
                                 "image %1 shown as missing (no such file, or not "
                                 "GIF, JPEG, PNG or SVG)")
                                 .arg(image);
        }
        return xhtml;
    }

    const std::vector<BookImage>& images() const { return images_; }
    bool usesMissingImage() const { return usesMissing_; }

private:
    QString imageHref(const QString& image) {
        const auto known = byName_.find(image);
        if (known != byName_.end()) {
            return images_[known->second].bookPath;
        }
        const QString source = imagesDir_ + image;
        const QString mediaType = ImageMediaType(image);
        if (mediaType.isEmpty() || !QFileInfo(source).isFile()) {
            missing_ << image;
            usesMissing_ = true;
            return kMissingImage;
        }
        BookImage packed{source,
                         QStringLiteral("images/i%1.").arg(images_.size() + 1) +
                             QFileInfo(image).suffix().toLower(),
                         mediaType};
        byName_.emplace(image, images_.size());
        images_.push_back(std::move(packed));
        return images_.back().bookPath;
    }

    QString imagesDir_;
    NotesHtml parser_;
    NotesRules rules_;
    NotesFindings findings_;
    QStringList missing_;
    bool usesMissing_ = false;
    std::vector<BookImage> images_;
    std::unordered_map<QString, size_t> byName_;
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
    const BookLayout book = ReadLayout(state);
    progress.phase(QStringLiteral("Writing the e-book:"), static_cast<qint64>(book.entries.size()));
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
    BookNotes notes(book, state.ImagesDir());
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
                        QStringLiteral("<h1>") + EscapeMarkup(g.label) + QStringLiteral("</h1>\n");
                }
            }
            progress.entry(e.name);
            document += Writer::entrySection(e, notes.render(e, report.dropped));
            progress.step(++done, report.entries);
        }
        finish();
    }

    zip.add(QStringLiteral("EPUB/index.xhtml"), writer.indexPage().toUtf8());
    zip.add(QStringLiteral("EPUB/toc.ncx"), writer.ncx().toUtf8());
    for (const BookImage& image : notes.images()) {
        zip.add(QStringLiteral("EPUB/") + image.bookPath, ReadImage(image.sourcePath));
    }
    if (notes.usesMissingImage()) {
        zip.add(QStringLiteral("EPUB/") + kMissingImage, QByteArray(kMissingImageSvg));
    }
    zip.add(QStringLiteral("EPUB/package.opf"),
            writer.package(notes.images(), notes.usesMissingImage()).toUtf8());
    zip.close();
    return report;
}

}  // namespace tavri
