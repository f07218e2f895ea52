// New compendiums, empty or with the demo world.
#include "app/NewCompendium.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <map>

#include "app/AppState.h"
#include "app/Startup.h"
#include "base/FileError.h"
#include "base/OutputFile.h"

namespace tavri {
namespace {

struct DemoEntry {
    const char* name;
    const char* raceLocation;
    const char* date;
    const char* desc;
    // "" for none; [[Name]] becomes a link to that demo entry's page, so it names only entries
    // that have notes of their own.
    const char* notes;
    bool changed;
};

// An invented world, the Shattered Reach: its peoples, places, persons and events.
const DemoEntry kDemoWorld[] = {
    {"Aldric Fenmoor", "Human", "1021-1079", "Lord of the Fenmoor marches and reluctant regent",
     "Aldric held the <b>Fenmoor marches</b> for forty years.\r\nHe signed the [[Treaty of "
     "Brackwater]] and never forgave himself for it.",
     false},
    {"Brackwater", "Marchlands", "founded 880",
     "Market town on the salt marsh, seat of the "
     "Fenmoor family",
     "A town of stilts and ferries.\r\nSee [[Aldric Fenmoor]] and [[The Drowned Fair]].", false},
    {"Treaty of Brackwater", "Marchlands", "1066",
     "Peace that ceded the eastern fens to the "
     "Vael",
     "Signed in the flooded chapel of [[Brackwater]].\r\nThe <b>Vael</b> still keep their copy "
     "under glass.",
     true},
    {"Vael", "Vael", "ancient", "Marsh-dwelling people who speak with herons",
     "The Vael count time by floods, not years.\r\nTheir elders meet at [[Heron Stair]].", false},
    {"Heron Stair", "Vael", "ancient", "Terraced moot-place of the Vael elders",
     "Seven terraces, one for each flood remembered.", false},
    {"Isolde Vane", "Vael", "1040-", "Flood-speaker of the Vael, envoy to the marches",
     "Isolde negotiated the [[Treaty of Brackwater]].\r\nShe keeps a <b>heron-bone flute</b>.",
     true},
    {"The Drowned Fair", "Marchlands", "every spring",
     "Festival held on rafts when the marsh "
     "floods",
     "Whole villages float their stalls out on the flood.\r\nThe [[Drowned Saint]] is said to "
     "walk among the rafts.",
     false},
    {"Korrin Ashdelve", "Dwarf", "980-", "Master of the Ashdelve forges, maker of bells",
     "Korrin cast the bell of [[Greywatch]].\r\nHe claims it rings only for true oaths.", false},
    {"Ashdelve", "Dwarf", "founded 612", "Deep forge-city under the Cinder Hills",
     "Ashdelve has nine gates and one road.\r\nIts lords are chosen by [[The Bell Trial]].", false},
    {"The Bell Trial", "Dwarf", "every 20 years",
     "Contest of smiths that chooses the lord of "
     "Ashdelve",
     "The last trial was won by [[Korrin Ashdelve]].", true},
    {"Greywatch", "Marchlands", "1002", "Border fort on the Cinder road",
     "Greywatch guards the pass between the fens and the hills.\r\nIts bell was cast in "
     "[[Ashdelve]].",
     false},
    {"Orla Greywatch", "Human", "1050-", "Captain of Greywatch, niece of Aldric",
     "Orla holds the fort with <b>ninety spears</b> and a stubborn mule.", false},
    {"Cinder Hills", "Cinder Hills", "time out of mind", "Range of old volcanoes, rich in iron",
     "Hot springs, ash fields and the roads to [[Ashdelve]].", false},
    {"Emberwing", "Dragon", "unknown", "Red dragon sleeping under the Cinder Hills",
     "Emberwing last woke in 1012.\r\nThe dwarves of [[Ashdelve]] sing to keep it asleep.", false},
    {"Year of Ash", "Cinder Hills", "1012", "Year the dragon woke and the sky went dark",
     "Crops failed across the Reach.\r\nSee [[Emberwing]].", false},
    {"Elowen Thistle", "Elf", "712-", "Archivist of the Silverleaf library",
     "Elowen has read every book in [[Silverleaf]] twice.\r\nShe disputes the date of the "
     "[[Year of Ash]].",
     false},
    {"Silverleaf", "Elf", "founded 402", "Elven city built in the crowns of the great beeches",
     "A city of bridges.\r\nIts library is kept by [[Elowen Thistle]].", false},
    {"Elf", "Elf", "ancient", "The long-lived people of the beech woods",
     "Elves of the Reach count their age in winters.", false},
    {"Thorn Council", "Elf", "1066", "Assembly that closed the beech woods to outsiders",
     "It met the same year as the [[Treaty of Brackwater]].", true},
    {"Maelis Dunmore", "Human", "1033-1070", "Cartographer who mapped the Shattered Reach",
     "Her maps are still used in [[Brackwater]].\r\nShe died crossing the [[Glass Sea]].", false},
    {"Glass Sea", "Glass Sea", "since 1012", "Shallow sea whose floor is fused glass",
     "The glass was made in the [[Year of Ash]], some say.", false},
    {"Saltgrave", "Glass Sea", "founded 950", "Harbour town of wreckers and glass-divers",
     "Its divers bring up glass from the floor of the [[Glass Sea]].", false},
    {"Captain Rusk", "Human", "1045-", "Smuggler captain of the Glass Sea",
     "Rusk sails the <b>Merry Widow</b> out of [[Saltgrave]].", false},
    {"Orc", "Orc", "ancient", "Clan people of the northern steppe",
     "Orc clans are led by their eldest mothers.", false},
    {"Grish Ironjaw", "Orc", "1038-", "Warlord of the Ironjaw clan",
     "Grish holds the northern fords.\r\nHe owes a debt to [[Captain Rusk]].", false},
    {"Ironjaw Fords", "Orc", "held since 1040", "River crossings held by the Ironjaw clan",
     "Toll is paid in salt or in songs.", false},
    {"Battle of the Fords", "Orc", "1061", "Clash between the Ironjaw and the marches",
     "Neither side won.\r\n[[Orla Greywatch]] was wounded there.", true},
    {"Nessa Brindle", "Halfling", "1049-", "Innkeeper of the Leaning Lantern",
     "She hears everything and repeats half of it.", false},
    {"Leaning Lantern", "Halfling", "built 1001", "Inn at the crossroads of the Reach",
     "Run by [[Nessa Brindle]].\r\nIts cellar holds a door nobody opens.", false},
    {"Hollowmere", "Halfling", "founded 701",
     "Halfling village of round doors and deep "
     "cellars",
     "", false},
    {"Brother Cael", "Human", "1030-", "Hermit priest of the Drowned Saint",
     "Cael tends the shrine near [[Brackwater]].", false},
    {"Drowned Saint", "Marchlands", "700", "Patron of the marsh folk, said to walk on water",
     "Her feast is [[The Drowned Fair]].", false},
    {"Zarek the Grey", "Human", "990-", "Wizard of the tower at Greywatch",
     "Zarek advises [[Orla Greywatch]] and distrusts dragons.", false},
    {"Gnoll", "Gnoll", "since the Year of Ash", "Scavenger people of the ash fields", "", false},
    {"Tessaly Moon", "Elf", "880-", "Ranger of the beech woods",
     "Tessaly guides travellers past the [[Thorn Council]]'s wards.", false},
    {"Wyrmfall", "Cinder Hills", "1012", "Crater where Emberwing landed in the Year of Ash",
     "Nothing grows there.", false},
    {"Obsidian Gate", "Dwarf", "sealed 1012", "The ninth and sealed gate of Ashdelve",
     "Sealed since the [[Year of Ash]].", false},
    {"Merry Widow", "Glass Sea", "1058", "Captain Rusk's ship, a low black cutter", "", true},
    {"3rd Flood", "Vael", "1064", "The third great flood remembered at Heron Stair",
     "It drowned half of [[Brackwater]].", false},
    {"Quill & Ink", "Marchlands", "chartered 1050", "Scriveners' guild of Brackwater",
     "They copied the [[Treaty of Brackwater]] in <i>three</i> hands.", false},
};

// The style sheet that every entry page links: written once, never over the user's own.
void WriteStyleSheetIfMissing(const QString& dataDir) {
    const QString path = dataDir + QStringLiteral("Reports/TavriStyle.css");
    if (!QFileInfo::exists(path)) {
        OutputFile css(path, OutputFormat::Text);
        css.part(DefaultStyleSheet());
        css.close();
    }
}

}  // namespace

QString DefaultFrameTemplate() {
    return QStringLiteral(
        "<frameset rows=\"40,*\">\r\n"
        "<frame name=\"gletters\" src=\"gcontentsl.htm\" scrolling=\"no\">\r\n"
        "<frameset cols=\"220,*\">\r\n"
        "<frame name=\"gplaces\" src=\"gcontents.htm\">\r\n"
        "<frame name=\"gmain\" src=\"gtop.htm\">\r\n"
        "</frameset>\r\n"
        "</frameset>\r\n");
}

QString DefaultStyleSheet() {
    return QStringLiteral(
        "/* The entry pages of the published site. Publishing never replaces this file: */\r\n"
        "/* change it as you like. The page colours come from the compendium's options. */\r\n"
        "body {\r\n"
        "  max-width: 46em;\r\n"
        "  margin: 1.5em auto;\r\n"
        "  padding: 0 1em;\r\n"
        "  font-family: Georgia, \"DejaVu Serif\", serif;\r\n"
        "  line-height: 1.5;\r\n"
        "}\r\n"
        "h1 {\r\n"
        "  font-family: \"Trebuchet MS\", \"DejaVu Sans\", sans-serif;\r\n"
        "  margin-bottom: 0.2em;\r\n"
        "}\r\n"
        "hr {\r\n"
        "  border: 0;\r\n"
        "  border-top: 1px solid #999;\r\n"
        "}\r\n"
        "img {\r\n"
        "  max-width: 100%;\r\n"
        "  height: auto;\r\n"
        "}\r\n");
}

int AddDemoEntries(AppState& state) {
    Recordset& rs = *state.EntryRs;
    Database::Transaction tx(*state.Db);
    std::map<QString, qint64> ids;
    for (const DemoEntry& e : kDemoWorld) {
        rs.addNew();
        rs.setField(u"name", QString::fromUtf8(e.name));
        rs.setField(u"race-location", QString::fromUtf8(e.raceLocation));
        rs.setField(u"date", QString::fromUtf8(e.date));
        rs.setField(u"desc", QString::fromUtf8(e.desc));
        rs.setField(u"changed", e.changed);
        rs.update();
        ids[QString::fromUtf8(e.name)] = rs.lastAddedId();
    }
    // The notes go in once every entry has its id, so that links can name any of them.
    static const QRegularExpression link(QStringLiteral("\\[\\[([^\\]]+)\\]\\]"));
    rs.setIndex(u"id");
    for (const DemoEntry& e : kDemoWorld) {
        QString notes = QString::fromUtf8(e.notes);
        if (notes.isEmpty()) {
            continue;
        }
        QString linked;
        qsizetype last = 0;
        for (auto it = link.globalMatch(notes); it.hasNext();) {
            const auto m = it.next();
            const QString target = m.captured(1);
            linked += notes.mid(last, m.capturedStart() - last);
            linked += QStringLiteral("<a href=\"G%1.htm\">%2</a>").arg(ids.at(target)).arg(target);
            last = m.capturedEnd();
        }
        linked += notes.mid(last);
        rs.seek(u"=", ids.at(QString::fromUtf8(e.name)));
        rs.edit();
        rs.setField(u"details", linked);
        rs.update();
    }
    tx.commit();
    return static_cast<int>(std::size(kDemoWorld));
}

void CreateCompendium(const QString& dataDir, bool demo) {
    if (!QDir().mkpath(dataDir)) {
        throw FileError(QStringLiteral("create the folder"), dataDir,
                        QStringLiteral("the folder could not be made"));
    }
    const QString dbPath = AppState::DatabasePathIn(dataDir);
    if (QFileInfo::exists(dbPath)) {
        throw StoreError(QStringLiteral("%1 exists already; a new compendium is never written "
                                        "over it.")
                             .arg(dbPath));
    }
    // The compendium is built whole under a temporary name and only then put in place, so a
    // kill leaves either no compendium or a complete one.
    QTemporaryDir building(dataDir + QStringLiteral(".tavri-new-XXXXXX"));
    if (!building.isValid()) {
        throw FileError(QStringLiteral("create the folder"), building.path(),
                        building.errorString());
    }
    const QString buildDir = building.path() + QLatin1Char('/');
    Database::create(AppState::DatabasePathIn(buildDir), QString::fromUtf8(kNewCampaignTitle))
        ->close();
    if (demo) {
        auto state = AppState::Open(buildDir);
        AddDemoEntries(*state);
        state->Close();
    }
    // link() never replaces: a compendium that appeared meanwhile is left alone.
    if (::link(QFile::encodeName(AppState::DatabasePathIn(buildDir)).constData(),
               QFile::encodeName(dbPath).constData()) != 0) {
        throw FileError(QStringLiteral("put in place"), dbPath,
                        QString::fromLocal8Bit(std::strerror(errno)));
    }
    const QString framePath = dataDir + QStringLiteral("framebase.txt");
    if (!QFileInfo::exists(framePath)) {
        OutputFile frame(framePath, OutputFormat::Text);
        frame.raw(DefaultFrameTemplate().toUtf8());
        frame.close();
    }
    CreateReportFolders(dataDir);
    WriteStyleSheetIfMissing(dataDir);
}

}  // namespace tavri
