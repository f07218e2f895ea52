// Every message box and input box the windows show: its text, title, buttons, icon and default
// answer, one row each, each row driving the real main window until its box appears. This is the
// one place for the boxes' texts; which answer then does what is left to the windows' own tests.
#include <gtest/gtest.h>

#include "tests/ui/WindowTest.h"

namespace tavri {
namespace {

using Kind = ScriptedDialogs::Shown::Kind;

// A compendium of Ann and Bob under the main window, made afresh for each row.
struct World : test::Window {
    World() {
        ann = c.add({"Ann", "Elf", "1066", "A sage", QString(), false});
        c.add({"Bob", "Orc", "1066", "A smith", QString(), false});
        refresh();
    }
    void linkSelected(const char* notes) {
        inAdd([&](Form2& e) {
            e.Text5->setPlainText(notes);
            e.Text5->selectAll();
            e.mnuLink->trigger();
        });
    }
    void inEdit(const std::function<void()>& meanwhile) {
        inEditor(w.Command2, [&](Form2& e) {
            meanwhile();
            e.Command1->click();
        });
    }
    void deadLink() { editElsewhere(ann, u"details", "See <a href=\"G99.htm\">him</a>."); }
    void removeAnn() {
        elsewhere(ann, [](Recordset& rs) { rs.remove(); });
    }
    qint64 ann = 0;
};

// The box a row expects; in its text {dir} and {reports} stand for the compendium's folder and
// its reports folder, {readonly} for the store's refusal to write to a read-only compendium.
struct Box {
    const char* text;
    bool appTitle;  // else the default title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    Answer byDefault = Answer::Ok;
    const char* holding = nullptr;  // for an input box, the text it starts with
};

struct Row {
    const char* name;
    std::function<void(World&)> drive;
    Box box;
    int nth = -1;  // which of the boxes shown it is; -1 is the last
};

constexpr bool App = true, Plain = false;
constexpr auto YesNo = MessageButtons::YesNo, SkipRest = MessageButtons::OkSkipRest;
constexpr auto Ok = MessageButtons::Ok;
constexpr auto None = MessageIcon::None, Info = MessageIcon::Information,
               Question = MessageIcon::Question, Warning = MessageIcon::Warning,
               Critical = MessageIcon::Critical;
constexpr auto Yes = Answer::Yes, No = Answer::No;
const QByteArray kTwoCuts =
    "ID,Name,Race,Date,Desc,Notes\r\n1,Bartholomew Ironsides the Third,Dwarf,2,e,\r\n"
    "2,Cornelius Fitzwilliam the Bold,Elf,1,d,n\r\n";
const auto twoCuts = [](World& x) { x.upload(kTwoCuts); };
const auto options = [](World& x) { x.press(x.w.mnuOptions); };

// clang-format off
const Row kRows[] = {
    // The main window's entry commands.
    {"edit with no row selected", [](World& x) { x.press(x.w.Command2, ""); },
     {"Select a record first!", Plain}},
    {"edit of an entry deleted elsewhere", [](World& x) { x.removeAnn(), x.press(x.w.Command2); },
     {"The selected entry no longer exists.", App}},
    {"delete", [](World& x) { x.press(x.w.Command3, "Ann", true); },
     {"Delete Ann, are you sure?", App, YesNo, Question, No}},
    {"copy", [](World& x) { x.press(x.w.Command5, "Ann", true); },
     {"Copy record Ann?", App, YesNo, Question, Yes}},
    {"go to bookmark with none", [](World& x) { x.press(x.w.mnuBookmark); },
     {"No entry is bookmarked.", App}},
    {"go to a bookmark deleted",
     [](World& x) { x.setOption(u"bookmark", x.ann + 1000), x.press(x.w.mnuBookmark); },
     {"The bookmarked entry no longer exists.", App}},
    {"a writing command on a read-only compendium",
     [](World& x) {
         auto readOnly = AppState::Open(x.c.dir(), Database::Access::ReadOnly);
         Form1(*readOnly, x.dialogs).Command1->click();
     },
     {"{readonly}", App}},
    {"save over another program's change",
     [](World& x) { x.inEdit([&] { x.editElsewhere(x.ann, u"desc", "Theirs"); }); },
     {"Another program changed Ann while it was open here, so nothing was saved. Cancel to see "
      "its new text, then edit it again.", Plain, Ok, Critical}},
    {"save of an entry deleted meanwhile", [](World& x) { x.inEdit([&] { x.removeAnn(); }); },
     {"The entry being edited no longer exists; nothing was stored.", Plain, Ok, Critical}},
    // The editor.
    {"save with a blank field", [](World& x) { x.inAdd([](Form2& e) { e.Command1->click(); }); },
     {"Enter a name!", Plain}},
    {"save of a new entry under a name taken",
     [](World& x) { x.inAdd([](Form2& e) { test::Fill(e, "ann "), e.Command1->click(); }); },
     {"ann  already exists (A sage)", Plain}},
    {"DupeCheck",
     [](World& x) { x.inAdd([](Form2& e) { test::Fill(e, "Ann"), e.Command5->click(); }); },
     {"Ann already exists!", Plain}},
    {"browse for an image with none",
     [](World& x) { x.inAdd([](Form2& e) { e.mnuimagefile->trigger(); }); },
     {"You have no images. Copy images in .JPG or .GIF format into the folder "
      "{dir}Reports/images/ and try again.", App, Ok, Info}},
    {"link selected naming no entry", [](World& x) { x.linkSelected("zz"); },
     {"No match for zz", Plain}},
    {"link selected naming an entry", [](World& x) { x.linkSelected("an"); },
     {"Article Ann found, link to it?", App, YesNo, Question, Yes}},
    // The select-from-list dialog, as the link to another entry shows it.
    {"Match Mark in the entry-link list",
     [](World& x) {
         x.inAdd([](Form2& e) {
             test::InModal([&] { e.mnureclink->trigger(); },
                           [](QWidget* l) { qobject_cast<SLIST1*>(l)->Command5->click(); });
         });
     },
     {"Select all entries containing this string", Plain, Ok, None, Answer::Ok, ""}},
    // The CSV picker and the upload.
    {"Upload with no file chosen", [](World& x) { x.pick(""); },
     {"Select a CSV file first.", Plain}},
    {"a path to nowhere", [](World& x) { x.pick("nowhere"); },
     {"There is no folder or file {dir}nowhere.", Plain}, 0},
    {"a name cut, more to come", twoCuts,
     {"Truncation: Bartholomew Ironsides the", Plain, SkipRest}, 0},
    {"the last name cut", twoCuts, {"Truncation: Cornelius Fitzwilliam the", Plain}, 1},
    {"an upload done", twoCuts,
     {"File successfully uploaded, 2 records added\n2 names were cut to 25 characters.", App, Ok,
      Info}},
    {"an upload cut short", [](World& x) { x.upload("1,Zara,Elf,1,d,n\r\n2,Yann,Orc\r\n"); },
     {"The file ends in the middle of the record that begins on line 2: it has 3 of its 6 "
      "values, so it was not added.\nFile uploaded, 1 records added", App, Ok, Warning}},
    {"an upload of a file gone", [](World& x) { x.upload(kTwoCuts, true); },
     {"Cannot read {dir}up.csv: No such file or directory.", Plain, Ok, Critical}},
    // Options.
    {"options: the name", options, {"Tavri Name", App, Ok, None, Answer::Ok, "New Campaign"}, 0},
    {"options: the background", options, {"Background Colour", Plain, Ok, None, Answer::Ok, ""}, 1},
    {"options: the ink", options, {"Ink Colour", Plain, Ok, None, Answer::Ok, ""}, 2},
    {"options: the links", options, {"Link Colour", Plain, Ok, None, Answer::Ok, ""}, 3},
    // Publishing.
    {"publish everything", [](World& x) { x.press(x.w.Command4, "", true); },
     {"Are you sure you want to publish the entire Tavri", App, YesNo, Question, No}},
    {"publish: clear the changed marks", [](World& x) { x.press(x.w.Command6, "", true); },
     {"Clear Changes?", App, YesNo, Question, Yes}},
    {"the alphabetical site", [](World& x) { x.press(x.w.mnualpha, "", true); },
     {"Publish the alphabetical site? It replaces the start and index pages of the web site and "
      "clears every changed mark.", App, YesNo, Question, No}},
    {"RTF written", [](World& x) { x.press(x.w.Command7); }, {"RTF Written", Plain}},
    {"RTF of no entries",
     [](World& x) {
         x.removeAnn(), x.elsewhere(x.ann + 1, [](Recordset& rs) { rs.remove(); });
         x.press(x.w.Command7);
     },
     {"No RTF written: the compendium has no entries.", Plain}},
    {"a web site with a link to no entry", [](World& x) { x.deadLink(), x.press(x.w.mnuwebsite); },
     {"The web site is written. Its notes hold these links and images, which you may want to "
      "mend:\nLink to a missing entry, kept as text: G99.htm in the notes of \"Ann\" (id 1)",
      App, Ok, Warning}},
    {"an e-book with a link to no entry", [](World& x) { x.deadLink(), x.press(x.w.mnuebook); },
     {"The e-book is written. These parts of the notes are not in it:\nAnn (id 1): link to "
      "G99.htm kept as text, no such entry", App, Ok, Warning}},
    {"report of the list", [](World& x) { x.press(x.w.mnucurrent); },
     {"Report written to {reports}AdHoc.htm", Plain}, 0},
    {"report with no viewer", [](World& x) { x.dialogs.failViewer(), x.press(x.w.mnucurrent); },
     {"No viewer could be started for {reports}AdHoc.htm.", Plain, Ok, Warning}},
};
// clang-format on

TEST(Questions, EachBoxHasItsTextTitleButtonsIconAndDefault) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        World world;
        row.drive(world);
        std::vector<const ScriptedDialogs::Shown*> boxes;
        for (const auto& s : world.dialogs.shown()) {
            if (s.kind == Kind::Message || s.kind == Kind::Input) {
                boxes.push_back(&s);
            }
        }
        const int n = static_cast<int>(boxes.size());
        const int at = row.nth < 0 ? n + row.nth : row.nth;
        ASSERT_TRUE(at >= 0 && at < n) << n << " boxes shown";
        const ScriptedDialogs::Shown& shown = *boxes[static_cast<size_t>(at)];
        const MessageRequest& m = shown.message;
        const QString text =
            QString::fromUtf8(row.box.text)
                .replace("{dir}", world.c.dir())
                .replace("{reports}", world.c.state().ReportsDir())
                .replace("{readonly}", Database::readOnlyMessage(world.c.state().DatabasePath()));
        const Box& b = row.box;
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.title, b.appTitle ? world.c.state().AppTitle : QString());
        if (b.holding != nullptr) {
            EXPECT_EQ(shown.kind, Kind::Input);
            EXPECT_EQ(shown.defaultText, QString::fromUtf8(b.holding));
        } else {
            EXPECT_EQ(shown.kind, Kind::Message);
            EXPECT_EQ(std::tuple(m.buttons, m.icon, m.defaultAnswer),
                      std::tuple(b.buttons, b.icon, b.byDefault));
        }
    }
}

}  // namespace
}  // namespace tavri
