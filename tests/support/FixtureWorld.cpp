// The fixture worlds. Entry ids follow the order of the lists; ids 1 to 13 are those of
// tests/data/hardtext/hardtext.csv, whose notes link to "G1.htm" and "G2.htm".
#include "support/FixtureWorld.h"

#include <zip.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "publish/AdHocReport.h"
#include "publish/AlphaSite.h"
#include "publish/EpubBook.h"
#include "publish/ModernSite.h"
#include "publish/PalmOutput.h"
#include "publish/SitePublisher.h"

namespace tavri::test {
namespace {

void SetOptions(AppState& s, const QString& campaign, const QString& ink, const QString& link,
                const QString& background) {
    s.OptionsRs->edit();
    s.OptionsRs->setField(u"campaign", campaign);
    s.OptionsRs->setField(u"inkcolour", ink);
    s.OptionsRs->setField(u"linkcolour", link);
    s.OptionsRs->setField(u"nameH", background);
    s.OptionsRs->update();
}

const EntrySpec kFull[] = {
    // Initials differing only by an accent interleave: Eagle, Élan, Emu. Notes: a link to
    // another entry, one to itself, an unclosed tag; the changed flag on.
    {"Eagle", "Orc-Lands", "1201 AR", "A scout of the high passes",
     "Flies with <b>Élan</b>: see <a href=\"G2.htm\">Élan</a> and <a href=\"G1.htm\">itself</a>."
     "\r\n<b>unclosed",
     true},
    // Greek race/location; double quotes and "&" in the summary; named and numeric entities, a
    // second line, a link back and one to an entry that does not exist.
    {"Élan", "Ελλάδα", "1202 AR", "Dancer & duellist, \"quick\"",
     "Salt &amp; iron; caf&#233; &eacute;t&eacute; owner.\r\nSecond line <i>in italics</i>. "
     "Owes <a href=\"G1.htm\">Eagle</a>; see <a href=\"G99.htm\">a lost entry</a>."},
    // Missing notes; a summary of two lines; "OrcLands" shares its key with "Orc-Lands".
    {"Emu", "OrcLands", "", "Not a bird\r\nat all", QString()},
    // A digit-first name (RTF needs a blank before it); blank notes; "<" in the summary.
    {"7th Legion", "orc-lands", "Winter 1190", "Numbered army < 8th", "  "},
    // Ελλάς and Ελλάδα have no Latin letter: their keys coincide with 香港's.
    {"Ωmega Circle", "Ελλάς", "Ἔτος 3", "Greek secret society",
     "Ξένος &amp; φίλος: <a href=\"G1.htm\">Eagle</a>"},
    {"Łukasz Żółć", "Orc-Lands", "1204 AR", "Polish-born smith", "Zażółć gęślą jaźń."},
    // A CJK name (its PML anchor is its id); escaped mark-up decoded only after tags go.
    {"李小龍", "香港", "1940", "Martial artist 武術家", "香港 &lt;九龍&gt; notes"},
    // A double quote in a name: escaped in the alphabetical site's anchors.
    {"Dara \"the Fox\" Ó", "Ελλάδα", "spring", "A thief with a \"name\"",
     "Quote \" in notes & more"},
    // Braces and backslashes: escaped in RTF (both) and PML (the backslash).
    {"Brace Maker", "OrcLands", "1205 AR", "Writes {braces} and C:\\temp\\new",
     "Path C:\\temp\\new and {x}"},
    {"Ärzte Guild", "香港", "1206", "Healers' guild (Ä initial)", "Emoji 🐉 dragon"},
    {"árbol", "Ελλάς", "", "Lower-case accented initial", "   "},
    {"Zeno", "Orc-Lands", "1207 AR", "Last of the Latin letters", "<b>unclosed bold"},
    {"Ελένη", "Ελλάδα", "1208", "Greek initial Epsilon",
     "Links to <a href=\"G99.htm\">a lost entry</a>"},
    // "apple" and "Avalon" share g-A.htm; "Elf" and "elf" are one web group but two reading
    // groups, and Birch's "Elf" comes back after "elf" in race/location order.
    {"apple", "Elf", " 1066 ", "Red fruit", "One\r\nTwo\r\nThree", true},
    {"Avalon", "elf", "été", "Isle", "   "},
    // "High Elves" and "High-Elves": two groups, one key. A summary line break.
    {"Bear", "High Elves", "5", "Big\r\nand brown", "Fur", true},
    {"9 Lives", "High-Elves", "", "Cat", "<b>bold</b> text"},
    // An empty and a blank race/location: listed, but no race/location page.
    {"Crow", "", "", "Bird", QString()},
    {"Wanderer", "  ", "", "No home 🐉", QString()},
    // The one-letter race/location key "D" is also Dove's letter page.
    {"Dove", "D", "1", "White", "Peace"},
    // Initial É outside A-Z; characters outside Windows-1252 (RTF \uN?, PML \Uxxxx).
    {"Éclair ☃", "Café", "", "Pastry 😀", "Crème"},
    {"Birch", "Elf", "", "Tree", QString()},
    // Names and race/locations that must not leave their folder or name a bad file.
    {"/etc", "a/b", "", "Path", ""},
    {"*Star", "../Sea:*?<>|\"\\", "", "Glob", ""},
    // Blanks around every value: trimmed where the writers trim.
    {"  Aldric  ", " Human ", " 1021 AR ", " The smith ",
     " Line one\r\nThe <b>bold</b> smith\r\nLine three "},
    // PML anchors: equal Latin letters, and none at all; a control character in a date.
    {"Al Bar", "Here", "\x01", "Someone", QString()},
    {"Al-Bar", "Here", "", "Someone", QString()},
    {"!", "Here", "", "Bang", QString()},
    // An initial outside the basic plane.
    {"🐉 Wyrm", "-Exiles", "", "A race/location starting with a dash", QString()},
    // Tag soup, blocks, pre, attributes, prefixes, characters XML forbids, links that are not
    // entry links or lead to the note's own entry, and what an e-book leaves out.
    {"Soup", "Here", "", "Notes of every kind",
     "<b>bold\r\nline two</p> &nbsp;end &amp; caf&#233;\r\n<p>para</p>\r\n<ul>\r\n<li>x</li>\r\n"
     "</ul>\r\n<pre>a\r\nb</pre>Hi<script>alert(1)</script><form action=\"x\"><input "
     "name=\"q\"></form><!-- secret -->\x01!\r\n<i><u>three</i></u> <span title='say \"hi\" & go'>x"
     "</span><input disabled><ol reversed><li>1</li></ol><o:p>word</o:p><span xmlns:o=\"urn:x\" "
     "o:x=\"1\" xml:lang=\"en\">s</span><script>if (a < b && c) {}</script>a\x0b"
     "b&#1;c "
     "<a href=\"G02.htm\">not an entry link</a> <a href=\"G30.htm\">me</a> <a "
     "href=\"G99.htm\">lost <i>one</i></a> a > b"},
    // Images: either slash and any letter case, one missing, one of a type a book cannot hold.
    {"Atlas", "Here", "", "Maps",
     "<img src=\"images\\maps\\reach.jpg\" align=\"left\"><img src=\"IMAGES/maps/reach.jpg\">"
     "<img src=\"images/gone.png\"><img src=\"images\\old.bmp\"><IMG SRC=\"Images/sub\\b.gif\" "
     "align=Right style=\"border: 0\"><img src=\"images/../secret.jpg\"><img src=\"http://x/y\">"
     "<img src=\"images\\map one.jpg\">"},
    // Equal to another name but for letter case.
    {"zeno", "orc-lands", "", "Lower-case twin", "twin"},
};

}  // namespace

Files ReadTree(const QString& folder) {
    Files files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = ReadAll(path);
    }
    return files;
}

void WriteTree(const QString& folder, const Files& files) {
    QDir(folder).removeRecursively();
    for (const auto& [relative, bytes] : files) {
        QDir().mkpath(QFileInfo(folder + relative).path());
        WriteAll(folder + relative, bytes);
    }
}

Files ZipEntries(const QString& path) {
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (z == nullptr) {
        throw std::runtime_error("not a zip archive: " + path.toStdString());
    }
    Files files;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, i, 0, &st);
        files["_entries.txt"] +=
            QByteArray(st.name) + (st.comp_method == ZIP_CM_STORE ? " stored\n" : " deflated\n");
        QByteArray& bytes = files[QString::fromUtf8(st.name)];
        bytes.resize(static_cast<qsizetype>(st.size));
        zip_file_t* f = zip_fopen_index(z, i, 0);
        zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
    }
    zip_close(z);
    return files;
}

const char* WorldName(World world) {
    static const char* const names[] = {"full", "empty", "dash"};
    return names[static_cast<int>(world)];
}

void BuildWorld(TempCompendium& c, World world) {
    AppState& s = c.state();
    if (world == World::Empty) {
        // The options a new compendium has; an empty frame template.
        SetOptions(s, QStringLiteral("Empty"), QString(), QString(), QString());
        WriteAll(c.dir() + "framebase.txt", "");
        return;
    }
    if (world == World::DashFirst) {
        // Blank colours leave only the ink; "&" was the strips' start value.
        SetOptions(s, QStringLiteral("Dash"), QStringLiteral("black"), QStringLiteral("  "),
                   QStringLiteral("  "));
        WriteAll(c.dir() + "framebase.txt", "<frameset>\r\n</frameset>\r\n");
        c.add({"Dash", "-", "now", "Quick", QString()});
        c.add({"&Co", "&", "", "Firm", ""});
        c.add({"Grub", "Orcs", "", "Cook", QString()});
        return;
    }
    // Colours are written as stored, blanks and all; a title with blanks and mark-up.
    SetOptions(s, QStringLiteral(" The <Reach> "), QStringLiteral("#102030"),
               QStringLiteral("#0000FF "), QStringLiteral(" ivory"));
    // Lines ended by CR LF, LF and CR, the last by none; a Windows-1252 byte.
    WriteAll(c.dir() + "framebase.txt",
             "<frameset cols=\"20%,*\">\r\n<frame src=\"gcontents.htm\">\n"
             "<frame name=\"gmain\" src=\"gtop.htm\">\r<!-- caf\xE9 -->\r\n</frameset>");
    QDir().mkpath(s.ImagesDir() + "maps");
    WriteAll(s.ImagesDir() + "gback.jpg", "background");  // the page background
    WriteAll(s.ImagesDir() + "maps/reach.jpg", "JPEG");
    WriteAll(s.ImagesDir() + "old.bmp", "BM");
    WriteAll(s.ImagesDir() + "unused.gif", "GIF");
    Database::Transaction batch(*s.Db);
    for (const EntrySpec& e : kFull) {
        c.add(e);
    }
    // One race/location of more entries than an e-book content document holds.
    for (int i = 0; i <= kEntriesPerDocument; ++i) {
        c.add({QStringLiteral("Soldier %1").arg(i, 3, 10, QLatin1Char('0')), "Legion", "", "x",
               QString()});
    }
    batch.commit();
}

QByteArray PublishWith(const std::string& writer, World world, TempCompendium& c,
                       ProgressLog& log) {
    AppState& s = c.state();
    QStringList report;
    if (writer == "site") {
        report << QString::number(PublishSite(s, SitePublishOptions{}, log)->published());
    } else if (writer == "alphasite") {
        report << QString::number(PublishAlphaSite(s, log)->published());
    } else if (writer == "reading") {
        TomeOutput(s, log);
        log.cursor(s);
        TavriPageOutput(s, log);
        log.cursor(s);
        report << QString::number(RegionRtfOutput(s, log));
    } else if (writer == "modern") {
        const ModernSiteReport r = WriteModernSite(s, ModernSiteOptions(), log);
        const auto n = [](qint64 count) { return QString::number(count); };
        report << QStringLiteral("%1 entries, %2 pages, %3 written, index of %4 bytes")
                      .arg(n(r.entries), n(r.pages), n(r.written), n(r.indexBytes))
               << DescribeProblems(r);
    } else if (writer == "epub") {
        const EpubOptions fixed{QStringLiteral("urn:uuid:0b7e1a52-6c1f-4c55-9d0e-3f1d2a9b8c70"),
                                QStringLiteral("en-GB"),
                                QDateTime::fromString(u"2026-12-07T01:02:03Z"_qs, Qt::ISODate)};
        const EpubReport r = WriteEpubBook(s, DefaultEpubPath(s), fixed, log);
        report << QString::number(r.entries) << r.dropped;
    } else if (writer == "adhoc") {
        const std::vector<qint64> ids = world == World::Full
                                            ? std::vector<qint64>{kElan, 0, 25, 15, kEmu}
                                            : std::vector<qint64>{};
        const QString path =
            WriteAdHocReport(s, ids, world == World::Full ? QStringLiteral(" orc ") : QString());
        report << ReportWrittenMessage(path).replace(c.dir(), QStringLiteral("<compendium>/"));
    }
    log.cursor(s);
    return (report.join(u'\n') + u'\n').toUtf8();
}

}  // namespace tavri::test
