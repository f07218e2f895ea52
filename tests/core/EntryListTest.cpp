// The entry list builder: which entries each filter lets through, the cells, the race/location
// list, and the generic order the list is sorted in.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

using namespace tavri;
using namespace tavri::test;

// The window's filter boxes map onto these fields one to one; every filtering rule is here.
TEST(EntryList, EachFilterListsItsEntriesInNameOrder) {
    TempCompendium c;
    c.add({"Aragorn", "Human", "2931", "Ranger of the North", QString(), false});
    c.add({"Legolas", "Elf", "1066", "Prince of Mirkwood", "Sees far.", true});
    c.add({"Gimli", "Dwarf", "2879", "Son of Gloin", "  ", false});
    c.add({"Star*", "Sky", "0", "A name with a star", QString(), true});
    c.add({"Grishnakh", "Orc", "3019", "Captain", "Serves the orc lords", false});
    c.add({"Shagrat", "Mordor", "3019", "Orc captain", QString(), false});
    c.add({"Eomer", "Human", "TA 3019 spring", "Marshal", QString(), false});
    c.add({"Große Stadt", "Human", "", "", QString(), false});
    c.add({"Élan", "Elf", "", "", QString(), false});
    c.add({"Elan", "Elf", "", "", QString(), false});
    c.add({"10", "", "", "", QString(), false});  // numbers first, by value
    c.add({"9", "", "", "", QString(), false});
    const QString all =
        "9,10,Aragorn,Elan,Élan,Eomer,Gimli,Grishnakh,Große Stadt,Legolas,Shagrat,Star*";
    using C = ChangedFilter;
    // "*" lists the entries with notes (not blank ones) and a star in the name; race/location and
    // date match together, name and mark with a space between; ß upper-cases to SS; accents count;
    // race-only lists Grishnakh, not Shagrat, whose desc says Orc but who is of Mordor.
    const std::pair<ListFilter, QString> rows[] = {
        {{"   "}, all},
        {{"*"}, "Grishnakh,Legolas,Star*"},
        {{"ELF1066"}, "Legolas"},
        {{"elf 1066"}, ""},
        {{"legolas *elf"}, "Legolas"},
        {{"1066 prince"}, "Legolas"},
        {{"  oRc  "}, "Grishnakh,Shagrat"},
        {{"grosse"}, "Große Stadt"},
        {{"élan"}, "Élan"},
        {{"far."}, "Legolas"},
        {{"orc", true}, "Grishnakh"},
        {{"far", true}, ""},
        {{"Gimli", true}, ""},
        {{"", true}, all},
        {{"", false, C::Changed}, "Legolas,Star*"},
        {{"", false, C::Unchanged}, QString(all).remove(",Legolas").remove(",Star*")},
        {{"orc", false, C::Unchanged}, "Grishnakh,Shagrat"},
        {{"", false, C::All, " 3019 "}, "Eomer,Grishnakh,Shagrat"},
        {{"", false, C::All, "ta 30"}, "Eomer"},
        {{"", false, C::All, "   "}, all},
        {{"captain", false, C::All, "3019"}, "Grishnakh,Shagrat"},
        {{"", false, C::Changed, "1066"}, "Legolas"},
    };
    for (const auto& [filter, names] : rows) {
        EXPECT_EQ(ListedNames(c.state(), filter), names)
            << '"' << filter.matchText.toStdString() << "\" " << filter.raceOnly
            << static_cast<int>(filter.changed) << " \"" << filter.dateMatch.toStdString() << '"';
    }
}

TEST(EntryList, CellsAndTheRaceLocationListWhateverTheFilter) {
    TempCompendium c;
    EntryListing listing = BuildEntryList(c.state(), ListFilter{});
    EXPECT_TRUE(listing.rows.empty() && listing.raceLocations.empty());
    EXPECT_EQ(c.state().EntryRs->index(), QStringLiteral("rldex"));
    EXPECT_TRUE(c.state().EntryRs->eof()) << "the cursor is left past the end of rldex";

    const qint64 bree = c.add({"Bree", "elf", "", "", QString(), true});
    const qint64 arwen = c.add({"Arwen", "Elf", "", "", QString(), false});
    const qint64 gimli = c.add({" Gimli ", " Dwarf ", " 2879 ", " desc ", "notes", false});
    c.add({"Nobody", "  ", "", "", "   ", false});
    c.add({"Empty", "", "", "", QString(), false});
    for (const ListFilter& filter :
         {ListFilter{}, ListFilter{"Bree", false, ChangedFilter::Unchanged, ""}}) {
        listing = BuildEntryList(c.state(), filter);
        // Trimmed distinct values, blank ones left out; "Elf" and "elf" are equal to the index,
        // which orders them by name: Arwen, Bree.
        QStringList items;
        for (const RaceLocationItem& item : listing.raceLocations) {
            items << item.text + "=" + QString::number(item.id);
        }
        EXPECT_EQ(items.join(','),
                  QString("Dwarf=%1,Elf=%2,elf=%3").arg(gimli).arg(arwen).arg(bree));
    }
    EXPECT_TRUE(listing.rows.empty());
    listing = BuildEntryList(c.state(), ListFilter{});
    ASSERT_EQ(listing.rows.size(), 5u);
    const ListRow& g = listing.rows[0];
    EXPECT_EQ(QStringList({g.mark, g.name, g.raceLocation, g.date, g.desc}),
              QStringList({"*", " Gimli ", " Dwarf ", " 2879 ", " desc "}));
    EXPECT_EQ(g.id, gimli);
    EXPECT_EQ(listing.rows[4].mark + listing.rows[4].name, "Nobody") << "blank notes bear no mark";
}

// Texts compare by the collation: case does not count, accents do, in every alphabet, and an
// accented letter sorts beside its base. Only plain numbers count as numbers; what a lenient
// parser would read as one ("1e5", "nan", "1.2.3", "0x10") stays text.
TEST(GenericOrder, NumbersFirstByValueThenTextByTheCollation) {
    const struct {
        const char* a;
        const char* b;
        int sign;
    } rows[] = {
        {"9", "10", -1},   {"10", " 10.0 ", 0}, {"-3", "2", -1},   {"+3", "2", 1},
        {"1000", "a", -1}, {"a", "1000", 1},    {"5", "", -1},     {"", "a", -1},
        {"b", "a", 1},     {"ORC", "orc", 0},   {"ab", "B", -1},   {"É", "e", 1},
        {"e", "É2", -1},   {"Éz", "f", -1},     {"ΔΡΆ", "δρά", 0}, {"1e5", "2", 1},
        {"nan", "2", 1},   {"inf", "2", 1},     {"1.2.3", "2", 1}, {".", "2", 1},
        {"-", "2", 1},     {"0x10", "2", 1},    {"1 2", "2", 1},
    };
    for (const auto& row : rows) {
        const int got = GenericCellCompare(QString::fromUtf8(row.a), QString::fromUtf8(row.b));
        EXPECT_EQ((got > 0) - (got < 0), row.sign) << row.a << " vs " << row.b;
    }
    const std::vector<QString> cells{"pear", "10", "Apple", "apple", "2", "", "PEAR", "2"};
    std::vector<const QString*> ptrs;
    for (const QString& s : cells) {
        ptrs.push_back(&s);
    }
    EXPECT_EQ(GenericSortOrder(ptrs), (std::vector<qsizetype>{4, 7, 1, 5, 2, 3, 0, 6}))
        << "a stable sort";
}
