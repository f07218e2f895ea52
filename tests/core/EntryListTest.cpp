// The entry list builder: which entries each filter lets through, the cells it produces, the
// race/location list, and the generic order the list is sorted in.
#include <gtest/gtest.h>

#include "app/EntryList.h"
#include "support/TestSupport.h"

using namespace tavri;
using tavri::test::EntrySpec;
using tavri::test::TempCompendium;

namespace {

std::vector<QString> names(const EntryListing& listing) {
    std::vector<QString> out;
    for (const ListRow& row : listing.rows) {
        out.push_back(row.name);
    }
    return out;
}

std::vector<QString> listed(TempCompendium& c, const ListFilter& filter) {
    return names(BuildEntryList(c.state(), filter));
}

ListFilter matching(const QString& text, bool raceOnly = false) {
    ListFilter f;
    f.matchText = text;
    f.raceOnly = raceOnly;
    return f;
}

using Names = std::vector<QString>;

// A small compendium whose entries each answer one filter question.
class EntryListFilters : public ::testing::Test {
protected:
    void SetUp() override {
        c.add({"Aragorn", "Human", "2931", "Ranger of the North", QString(), false});
        c.add({"Legolas", "Elf", "1066", "Prince of Mirkwood", "Sees far.", true});
        c.add({"Gimli", "Dwarf", "2879", "Son of Gloin", "  ", false});
        c.add({"Star*", "Sky", "0", "A name with a star", QString(), true});
        c.add({"Grishnakh", "Orc", "3019", "Captain", "Serves the orc lords", false});
        c.add({"Shagrat", "Mordor", "3019", "Orc captain", QString(), false});
    }
    TempCompendium c;
};

}  // namespace

TEST(EntryList, AnEmptyTableListsNothingAndLeavesTheCursorPastTheEndOfRldex) {
    TempCompendium c;
    const EntryListing listing = BuildEntryList(c.state(), ListFilter{});
    EXPECT_TRUE(listing.rows.empty());
    EXPECT_TRUE(listing.raceLocations.empty());
    EXPECT_EQ(c.state().EntryRs->index(), QStringLiteral("rldex"));
    EXPECT_TRUE(c.state().EntryRs->eof());
}

TEST(EntryList, CellsAreTheStoredValuesAndTheMarkTellsNotesFromBlankNotes) {
    TempCompendium c;
    const qint64 withNotes = c.add({" Spaced ", " Elf ", " 1066 ", " desc ", "notes", false});
    const qint64 blankNotes = c.add({"Blank", "Elf", "", "", "   ", false});
    const qint64 noNotes = c.add({"Missing", "Elf", "", "", QString(), false});
    const EntryListing listing = BuildEntryList(c.state(), ListFilter{});
    ASSERT_EQ(listing.rows.size(), 3u);
    const ListRow& spaced = listing.rows[0];
    EXPECT_EQ(spaced.mark, "*");
    EXPECT_EQ(spaced.name, " Spaced ");
    EXPECT_EQ(spaced.raceLocation, " Elf ");
    EXPECT_EQ(spaced.date, " 1066 ");
    EXPECT_EQ(spaced.desc, " desc ");
    EXPECT_EQ(spaced.id, withNotes);
    EXPECT_EQ(listing.rows[1].name, "Blank");
    EXPECT_EQ(listing.rows[1].mark, "");
    EXPECT_EQ(listing.rows[1].id, blankNotes);
    EXPECT_EQ(listing.rows[2].mark, "");
    EXPECT_EQ(listing.rows[2].id, noNotes);
}

TEST_F(EntryListFilters, NoFilterListsEveryEntryInNameOrder) {
    EXPECT_EQ(listed(c, ListFilter{}),
              (Names{"Aragorn", "Gimli", "Grishnakh", "Legolas", "Shagrat", "Star*"}));
}

TEST_F(EntryListFilters, StarListsEntriesWithNotesAndEntriesContainingAStar) {
    EXPECT_EQ(listed(c, matching("*")), (Names{"Grishnakh", "Legolas", "Star*"}));
}

TEST_F(EntryListFilters, RaceLocationAndDateRunTogetherInTheMatchText) {
    EXPECT_EQ(listed(c, matching("ELF1066")), (Names{"Legolas"}));
    EXPECT_EQ(listed(c, matching("elf 1066")), Names{}) << "no space between race and date";
    EXPECT_EQ(listed(c, matching("legolas *elf")), (Names{"Legolas"}))
        << "name, a space, then the mark";
    EXPECT_EQ(listed(c, matching("1066 prince")), (Names{"Legolas"}));
}

TEST_F(EntryListFilters, MatchingIgnoresLetterCaseAndSurroundingSpaces) {
    const Names orcs{"Grishnakh", "Shagrat"};
    EXPECT_EQ(listed(c, matching("orc")), orcs);
    EXPECT_EQ(listed(c, matching("ORC")), orcs);
    EXPECT_EQ(listed(c, matching("  oRc  ")), orcs);
    EXPECT_EQ(listed(c, matching("   ")).size(), 6u) << "a blank text is no filter";
}

TEST(EntryList, MatchingUpperCasesBothTextsAlsoBeyondAscii) {
    TempCompendium c;
    c.add({"Große Stadt", "Human", "", "", QString(), false});
    c.add({"Élan", "Elf", "", "", QString(), false});
    c.add({"Elan", "Elf", "", "", QString(), false});
    EXPECT_EQ(listed(c, matching("grosse")), (Names{"Große Stadt"})) << "ß upper-cases to SS";
    EXPECT_EQ(listed(c, matching("élan")), (Names{"Élan"}));
    EXPECT_EQ(listed(c, matching("elan")), (Names{"Elan"})) << "accents count";
}

TEST_F(EntryListFilters, NotesAreSearchedUnlessBlank) {
    EXPECT_EQ(listed(c, matching("far.")), (Names{"Legolas"}));
    EXPECT_EQ(listed(c, matching("lords")), (Names{"Grishnakh"}));
}

TEST_F(EntryListFilters, JustRaceLocationIgnoresNamesDescriptionsAndNotes) {
    EXPECT_EQ(listed(c, matching("orc", true)), (Names{"Grishnakh"}))
        << "Shagrat's desc says Orc, but his race/location is Mordor";
    EXPECT_EQ(listed(c, matching("far", true)), Names{});
    EXPECT_EQ(listed(c, matching("Gimli", true)), Names{});
    EXPECT_EQ(listed(c, matching("", true)).size(), 6u) << "no text, no filter";
}

TEST_F(EntryListFilters, TheChangedOptionsSplitTheList) {
    ListFilter f;
    f.changed = ChangedFilter::Changed;
    EXPECT_EQ(listed(c, f), (Names{"Legolas", "Star*"}));
    f.changed = ChangedFilter::Unchanged;
    EXPECT_EQ(listed(c, f), (Names{"Aragorn", "Gimli", "Grishnakh", "Shagrat"}));
    f.matchText = "orc";
    EXPECT_EQ(listed(c, f), (Names{"Grishnakh", "Shagrat"}));
    f.changed = ChangedFilter::Changed;
    EXPECT_EQ(listed(c, f), Names{});
}

TEST_F(EntryListFilters, DateMatchKeepsEntriesWhoseDateContainsItsTrimmedText) {
    c.add({"Eomer", "Human", "TA 3019 spring", "Marshal", QString(), false});
    ListFilter f;
    f.dateMatch = " 3019 ";
    EXPECT_EQ(listed(c, f), (Names{"Eomer", "Grishnakh", "Shagrat"}));
    f.dateMatch = "ta 30";
    EXPECT_EQ(listed(c, f), (Names{"Eomer"})) << "letter case is ignored";
    f.dateMatch = "   ";
    EXPECT_EQ(listed(c, f).size(), 7u) << "a blank date match is off";
    f.dateMatch = "3019";
    f.matchText = "captain";
    EXPECT_EQ(listed(c, f), (Names{"Grishnakh", "Shagrat"}));
    f.matchText = "marshal";
    f.dateMatch = "2931";
    EXPECT_EQ(listed(c, f), Names{}) << "both filters must pass";
}

TEST(EntryList, RaceLocationsAreDistinctExactValuesTrimmedWithTheFirstIdInRldexOrder) {
    TempCompendium c;
    c.add({"Bree", "elf", "", "", QString(), false});
    const qint64 firstElfInRldex = c.add({"Arwen", "Elf", "", "", QString(), false});
    const qint64 dwarf = c.add({"Gimli", " Dwarf ", "", "", QString(), false});
    c.add({"Nobody", "  ", "", "", QString(), false});
    c.add({"Empty", "", "", "", QString(), false});
    const EntryListing listing = BuildEntryList(c.state(), ListFilter{});
    ASSERT_EQ(listing.raceLocations.size(), 3u);
    EXPECT_EQ(listing.raceLocations[0].text, "Dwarf");
    EXPECT_EQ(listing.raceLocations[0].id, dwarf);
    // "Elf" and "elf" are equal to the index, which then orders them by name: Arwen, Bree.
    EXPECT_EQ(listing.raceLocations[1].text, "Elf");
    EXPECT_EQ(listing.raceLocations[1].id, firstElfInRldex);
    EXPECT_EQ(listing.raceLocations[2].text, "elf");
}

TEST(EntryList, TheRaceLocationListIgnoresTheFilters) {
    TempCompendium c;
    c.add({"Arwen", "Elf", "", "", QString(), true});
    c.add({"Gimli", "Dwarf", "", "", QString(), false});
    ListFilter f;
    f.matchText = "Arwen";
    f.changed = ChangedFilter::Unchanged;
    const EntryListing listing = BuildEntryList(c.state(), f);
    EXPECT_TRUE(listing.rows.empty());
    EXPECT_EQ(listing.raceLocations.size(), 2u);
}

TEST(EntryList, NamesThatAreNumbersComeFirstInNumericOrder) {
    TempCompendium c;
    c.add({"beta", "X", "", "", QString(), false});
    c.add({"10", "X", "", "", QString(), false});
    c.add({"Alpha", "X", "", "", QString(), false});
    c.add({"9", "X", "", "", QString(), false});
    c.add({"2.5", "X", "", "", QString(), false});
    c.add({"9 lives", "X", "", "", QString(), false});
    EXPECT_EQ(listed(c, ListFilter{}), (Names{"2.5", "9", "10", "9 lives", "Alpha", "beta"}));
}

TEST(EntryList, EqualNamesKeepTheirIdOrder) {
    TempCompendium c;
    const qint64 first = c.add({"orc", "X", "", "", QString(), false});
    const qint64 second = c.add({"ORC", "X", "", "", QString(), false});
    const qint64 third = c.add({"Orc", "X", "", "", QString(), false});
    const EntryListing listing = BuildEntryList(c.state(), ListFilter{});
    ASSERT_EQ(listing.rows.size(), 3u);
    EXPECT_EQ(listing.rows[0].id, first);
    EXPECT_EQ(listing.rows[1].id, second);
    EXPECT_EQ(listing.rows[2].id, third);
}

TEST(GenericOrder, NumbersComeFirstByValueAndTextFollowsTheCollation) {
    EXPECT_LT(GenericCellCompare("9", "10"), 0);
    EXPECT_EQ(GenericCellCompare("10", " 10.0 "), 0);
    EXPECT_LT(GenericCellCompare("-3", "2"), 0);
    EXPECT_LT(GenericCellCompare("1000", "a"), 0);
    EXPECT_GT(GenericCellCompare("a", "1000"), 0);
    EXPECT_LT(GenericCellCompare("5", ""), 0) << "an empty cell is text";
    EXPECT_LT(GenericCellCompare("", "a"), 0);
    EXPECT_EQ(GenericCellCompare("ORC", "orc"), 0);
    EXPECT_LT(GenericCellCompare("apple", "Banana"), 0);
    // Only whole numbers count; words a lenient parser would read as numbers stay text.
    EXPECT_GT(GenericCellCompare("1e5", "2"), 0);
    EXPECT_GT(GenericCellCompare("nan", "2"), 0);
    EXPECT_GT(GenericCellCompare("inf", "2"), 0);
    EXPECT_GT(GenericCellCompare("1.2.3", "2"), 0);
    EXPECT_GT(GenericCellCompare(".", "2"), 0);
}

TEST(GenericOrder, SortOrderIsStableOnUnsortedInput) {
    const std::vector<QString> cells{"pear", "10", "Apple", "apple", "2", "", "PEAR", "2"};
    std::vector<const QString*> ptrs;
    for (const QString& s : cells) {
        ptrs.push_back(&s);
    }
    EXPECT_EQ(GenericSortOrder(ptrs), (std::vector<qsizetype>{4, 7, 1, 5, 2, 3, 0, 6}));
}
