// The e-book: its package and navigation documents compared whole with tests/data/epub/, the
// container's order and compression, every link of the book landing on an element that
// exists, every document well-formed XML, and a failed write leaving the old book whole.
#include <gtest/gtest.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>
#include <set>
#include <vector>

#include "base/FileError.h"
#include "publish/EpubBook.h"
#include "support/TestSupport.h"

namespace tavri {
namespace {

using test::TempCompendium;

struct ZipItem {
    QString name;
    bool stored = false;
    QByteArray bytes;
};

// The book's entries in archive order, read back through libzip.
std::vector<ZipItem> ReadBook(const QString& path) {
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (z == nullptr) {
        throw std::runtime_error("not a zip archive: " + path.toStdString());
    }
    std::vector<ZipItem> items;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, i, 0, &st);
        ZipItem item{QString::fromUtf8(st.name), st.comp_method == ZIP_CM_STORE, {}};
        item.bytes.resize(static_cast<qsizetype>(st.size));
        zip_file_t* f = zip_fopen_index(z, i, 0);
        zip_fread(f, item.bytes.data(), st.size);
        zip_fclose(f);
        items.push_back(std::move(item));
    }
    zip_close(z);
    return items;
}

std::map<QString, QByteArray> ByName(const std::vector<ZipItem>& items) {
    std::map<QString, QByteArray> files;
    for (const ZipItem& item : items) {
        files[item.name] = item.bytes;
    }
    return files;
}

QByteArray Expected(const char* name) {
    return test::ReadAll(QStringLiteral(TAVRI_TEST_DATA "/epub/") + QLatin1String(name));
}

// The fixture world: two spellings of one race/location, an entry without one, accented and
// Greek names among Latin ones, an emoji, a control character and mark-up characters in values.
void AddFixtureWorld(TempCompendium& c) {
    c.add({"Zeno", "Orc-Lands", "1207 AR", "Last <of> the \"Latin\" letters", "Some notes"});
    c.add({"\u00C9lan", "\u0395\u03BB\u03BB\u03AC\u03B4\u03B1", "1202", "Dancer & duellist", ""});
    c.add({"Eagle", "orc-lands", "1201 AR", "A scout\r\nof the passes", QString()});
    c.add({"Wanderer", "", "", "No home \U0001F409", QString()});
    c.add({"  \u03A9mega  ", "Orc-Lands", "\x01", "Greek", QString()});
}

EpubOptions FixedOptions() {
    EpubOptions o;
    o.identifier = QStringLiteral("urn:uuid:0b7e1a52-6c1f-4c55-9d0e-3f1d2a9b8c70");
    o.language = QStringLiteral("en-GB");
    o.modified = QDateTime::fromString(QStringLiteral("2026-12-07T01:02:03Z"), Qt::ISODate);
    return o;
}

// Writes the book of c to c.dir() + "book.epub" with the fixed options; returns its report.
EpubReport WriteBook(TempCompendium& c) {
    PublishProgress quiet;
    return WriteEpubBook(c.state(), c.dir() + QStringLiteral("book.epub"), FixedOptions(), quiet);
}

TEST(EpubBook, PackageAndNavigationDocumentsOfTheFixtureWorld) {
    TempCompendium c(QStringLiteral(" The <Reach> "));
    AddFixtureWorld(c);
    const QString path = c.dir() + QStringLiteral("book.epub");
    WriteBook(c);

    const auto files = ByName(ReadBook(path));
    EXPECT_EQ(files.at(QStringLiteral("EPUB/package.opf")), Expected("package.opf"));
    EXPECT_EQ(files.at(QStringLiteral("EPUB/nav.xhtml")), Expected("nav.xhtml"));
    EXPECT_EQ(files.at(QStringLiteral("EPUB/toc.ncx")), Expected("toc.ncx"));
}

TEST(EpubBook, MimetypeComesFirstAndStoredEverythingElseDeflated) {
    TempCompendium c;
    AddFixtureWorld(c);
    const QString path = c.dir() + QStringLiteral("book.epub");
    WriteBook(c);

    const std::vector<ZipItem> items = ReadBook(path);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.front().name, QStringLiteral("mimetype"));
    EXPECT_TRUE(items.front().stored);
    EXPECT_EQ(items.front().bytes, QByteArray("application/epub+zip"));
    for (size_t i = 1; i < items.size(); ++i) {
        EXPECT_FALSE(items[i].stored) << items[i].name.toStdString();
    }
}

// Every href of every content document, the navigation document and the NCX names a document of
// the book, and its fragment an id inside that document; every document is well-formed XML.
// 450 entries of one race/location fill three content documents, so links (a note's too) cross
// between them.
TEST(EpubBook, EveryLinkInTheBookLandsOnAnElementThatExists) {
    TempCompendium c;
    AddFixtureWorld(c);
    Database::Transaction batch(*c.state().Db);
    for (int i = 0; i < 450; ++i) {
        c.add({QStringLiteral("Soldier %1").arg(i, 3, 10, QLatin1Char('0')), "Legion", "", "x",
               QString()});
    }
    c.add(
        {"Linker", "Legion", "", "", "<a href=\"G1.htm\">Zeno</a>, <a href=\"G400.htm\">one</a>"});
    batch.commit();
    const QString path = c.dir() + QStringLiteral("book.epub");
    const EpubReport report = WriteBook(c);
    EXPECT_EQ(report.entries, 456);

    const auto files = ByName(ReadBook(path));
    std::map<QString, std::set<QString>> ids;        // document -> its ids
    std::vector<std::pair<QString, QString>> links;  // (from document, href)
    for (const auto& [name, bytes] : files) {
        ids[name.mid(5)];  // style sheet and images: link targets without ids
        if (!name.endsWith(u".xhtml") && !name.endsWith(u".ncx") && !name.endsWith(u".opf")) {
            continue;
        }
        QXmlStreamReader xml(bytes);
        std::set<QString>& own = ids[name.mid(5)];
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            const auto attributes = xml.attributes();
            if (attributes.hasAttribute(QStringLiteral("id"))) {
                own.insert(attributes.value(QStringLiteral("id")).toString());
            }
            for (const QString& attribute : {QStringLiteral("href"), QStringLiteral("src")}) {
                if (attributes.hasAttribute(attribute)) {
                    links.emplace_back(name, attributes.value(attribute).toString());
                }
            }
        }
        EXPECT_FALSE(xml.hasError())
            << name.toStdString() << ": " << xml.errorString().toStdString();
    }
    EXPECT_EQ(files.count(QStringLiteral("EPUB/s3.xhtml")), 1u);
    for (const auto& [from, href] : links) {
        const QString document = href.section(QLatin1Char('#'), 0, 0);
        const QString fragment = href.section(QLatin1Char('#'), 1);
        ASSERT_TRUE(ids.count(document)) << from.toStdString() << " -> " << href.toStdString();
        if (!fragment.isEmpty()) {
            EXPECT_TRUE(ids[document].count(fragment))
                << from.toStdString() << " -> " << href.toStdString();
        }
    }
    EXPECT_GT(links.size(), 3u * 456 + 2);  // nav, NCX and index each link every entry
}

// The section of entry id: from its opening tag to its end, across the content documents.
QString Section(const std::map<QString, QByteArray>& files, qint64 id) {
    const QString open = QStringLiteral("<section class=\"entry\" id=\"e%1\">").arg(id);
    for (const auto& [name, bytes] : files) {
        const QString text = QString::fromUtf8(bytes);
        const qsizetype at = text.indexOf(open);
        if (at >= 0) {
            return text.mid(at, text.indexOf(u"</section>", at) - at);
        }
    }
    return QString();
}

// Notes as the book holds them: tag soup balanced with its text intact, links between entries
// leading to their sections, what a reader cannot show left out and reported, images packed or
// shown as missing.
TEST(EpubBook, NotesBecomeWellFormedXhtmlWithLinksAndImagesInsideTheBook) {
    TempCompendium c;
    QDir().mkpath(c.state().ImagesDir() + QStringLiteral("maps"));
    const QByteArray png("\x89PNG\r\n\x1a\n-a-map-", 16);
    test::WriteAll(c.state().ImagesDir() + QStringLiteral("maps/coast.png"), png);
    test::WriteAll(c.state().ImagesDir() + QStringLiteral("old.bmp"), "BM");
    struct Case {
        const char* notes;
        const char* xhtml;    // the notes' div as the section holds it
        const char* dropped;  // the report's lines for the entry, joined by "|"
    } const cases[] = {
        {"<b>bold\r\nline two</p> &nbsp;end &amp; caf&#233;",
         "<b>bold<br/>\nline two \u00A0end &amp; caf\u00E9</b>", ""},
        {"See <a href=\"G1.htm\">the soup</a>, <a href=\"G99.htm\">a lost one</a>.",
         "See <a href=\"s1.xhtml#e1\">the soup</a>, a lost one.",
         "Entry 2 (id 2): link to G99.htm kept as text, no such entry"},
        {"Hi<script>alert(1)</script><form action=\"x\"><input name=\"q\"></form>!", "Hi!",
         "Entry 3 (id 3): left out <script>|Entry 3 (id 3): left out <form>"},
        {"<img src=\"images\\maps\\coast.png\" align=\"left\"><img src=\"IMAGES/maps/coast.png\">"
         "<img src=\"images\\old.bmp\">",
         "<img src=\"images/i1.png\" style=\"float: left\"/><img src=\"images/i1.png\"/>"
         "<img src=\"images/missing.svg\"/>",
         "Entry 4 (id 4): image old.bmp shown as missing (no such file, or not GIF, JPEG, PNG or "
         "SVG)"},
    };
    for (int i = 0; i < int(std::size(cases)); ++i) {
        c.add({QStringLiteral("Entry %1").arg(i + 1), "Here", "", "", cases[i].notes});
    }
    const QString path = c.dir() + QStringLiteral("book.epub");
    const EpubReport report = WriteBook(c);

    const auto files = ByName(ReadBook(path));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const QString div = QStringLiteral("<div class=\"notes\">\n") +
                            QString::fromUtf8(cases[i].xhtml) + QStringLiteral("\n</div>");
        EXPECT_TRUE(Section(files, i + 1).contains(div))
            << Section(files, i + 1).toStdString() << "\nwanted\n"
            << div.toStdString();
        const QString who = QStringLiteral("Entry %1 ").arg(i + 1);
        EXPECT_EQ(report.dropped.filter(who).join(u'|'), QString::fromUtf8(cases[i].dropped));
    }
    EXPECT_EQ(files.at(QStringLiteral("EPUB/images/i1.png")), png);
    EXPECT_TRUE(files.count(QStringLiteral("EPUB/images/missing.svg")));
    const QString opf = QString::fromUtf8(files.at(QStringLiteral("EPUB/package.opf")));
    EXPECT_TRUE(opf.contains(u"href=\"images/i1.png\" media-type=\"image/png\""));
    EXPECT_TRUE(opf.contains(u"href=\"images/missing.svg\" media-type=\"image/svg+xml\""));
}

// Two exports through the command, the second after the compendium was reopened, name the same
// book; another compendium is another book.
TEST(EpubBook, TheIdentifierStaysTheSameAcrossExports) {
    const auto identifier = [](const QString& book) {
        const QString opf = QString::fromUtf8(ByName(ReadBook(book))["EPUB/package.opf"]);
        static const QRegularExpression id(QStringLiteral(
            "<dc:identifier id=\"book-id\">(urn:uuid:[0-9a-f-]{36})</dc:identifier>"));
        return id.match(opf).captured(1);
    };
    TempCompendium c, other;
    c.state().Close();
    other.state().Close();
    const QString book = c.dir() + QStringLiteral("Reports/palm/Tavri.epub");
    const QString second = c.dir() + QStringLiteral("second.epub");
    const QString third = other.dir() + QStringLiteral("third.epub");
    for (const QStringList& args :
         {QStringList{"epub", c.dir()}, QStringList{"epub", c.dir(), "--out", second},
          QStringList{"epub", other.dir(), "--out", third}}) {
        QProcess cli;
        cli.start(QStringLiteral(TAVRI_CLI_PATH), args);
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    }
    EXPECT_FALSE(identifier(book).isEmpty());
    EXPECT_EQ(identifier(second), identifier(book));
    EXPECT_NE(identifier(third), identifier(book));
}

// A failure halfway (here from the progress sink, as a database error would come) and a path
// that cannot be written each leave the old book as it was and no temporary file behind.
TEST(EpubBook, AFailedWriteLeavesTheOldBookWhole) {
    TempCompendium c;
    AddFixtureWorld(c);
    const QString path = c.dir() + QStringLiteral("book.epub");
    WriteBook(c);
    const QByteArray before = test::ReadAll(path);
    c.add({"Late", "Orc-Lands", "", "", QString()});

    struct FailingProgress : PublishProgress {
        void entry(const QString& name) override {
            if (name == u"Zeno") {
                throw FileError(QStringLiteral("halfway"));
            }
        }
    } failing;
    EXPECT_THROW(WriteEpubBook(c.state(), path, FixedOptions(), failing), FileError);
    QDir().mkpath(c.dir() + QStringLiteral("folder.epub/inside"));
    PublishProgress quiet;
    try {
        WriteEpubBook(c.state(), c.dir() + QStringLiteral("folder.epub"), FixedOptions(), quiet);
        ADD_FAILURE() << "a folder was replaced by a book";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(c.dir() + QStringLiteral("folder.epub")));
    }

    EXPECT_EQ(test::ReadAll(path), before);
    EXPECT_EQ(test::FilesIn(c.dir()).filter(QStringLiteral(".epub")),
              (QStringList{QStringLiteral("book.epub"), QStringLiteral("folder.epub")}));
}

TEST(EpubBook, LanguageTags) {
    struct Case {
        const char* tag;
        bool valid;
    } const cases[] = {
        {"en", true}, {"de-CH", true},  {"zh-Hant-TW", true}, {"es-419", true}, {"", false},
        {"e", false}, {"en_GB", false}, {"en GB", false},     {"\"x\"", false}, {"en-", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLanguageTag(QString::fromUtf8(c.tag)), c.valid) << c.tag;
    }
}

}  // namespace
}  // namespace tavri
