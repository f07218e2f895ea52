// The main window as the user drives it: which gesture refreshes the list with which filter (the
// filter rules themselves are the entry list's, tested there), the race/location list, the
// columns, type-ahead, Options, Exit and the close box, the switch that turns the commands off
// while a publication runs; and the publishing and export commands: when each asks, what each
// answer does, what the window shows while a run goes on, what it writes and clears, what the
// status line says, and how a failed run leaves the window.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "tests/ui/WindowTest.h"

namespace tavri {
namespace {

using Names = std::vector<QString>;

using test::Cells;

// Clicks a check box or option button on its indicator, where a click always lands.
void Click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Picks an item from Combo1's drop-down list with the mouse.
void Pick(QComboBox* combo, const QString& text) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = view->model()->index(combo->findText(text, Qt::MatchExactly), 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
}

// Runs a gesture that should open the editor; the name the editor showed.
QString EditorNameAfter(Form1& w, const std::function<void()>& gesture) {
    QString shown;
    test::InModal(gesture, [&](QWidget*) { shown = w.editor().Text1->text(); });
    return shown;
}

struct Form1Test : ::testing::Test, test::Window {
    Form1Test() : BasicWindow("Campaign Notes") {
        c.add({"Legolas", "Elf", "1066", "Prince of Mirkwood", "Sees far.", true});
        c.add({"Galadriel", "elf", "300", "Lady of the Wood", QString(), false});
        c.add({"Gimli", "Dwarf", "2879", "Son of Gloin", QString(), false});
        c.add({"Grishnakh", "Orc", "3019", "Captain", "Serves the orc lords", true});
        c.add({"Shagrat", "Mordor", "3018", "Orc captain", QString(), false});
        c.add({"Aragorn", "  ", "2931", "Ranger", QString(), false});
        w.RefreshList();
        show();
        dialogs.clear();
    }
};

TEST_F(Form1Test, StartsUnfilteredWithTheHeaderCurrentAndTheFocusInTheList) {
    EXPECT_TRUE(w.Option1[0]->isChecked() && !w.Check1->isChecked() && w.Text1->text().isEmpty() &&
                w.Frame2->isHidden());
    EXPECT_EQ(w.centralWidget()->minimumSize(), w.centralWidget()->size())
        << "the window opens at its design size, which is its minimum";
    EXPECT_EQ(names(), (Names{"Aragorn", "Galadriel", "Gimli", "Grishnakh", "Legolas", "Shagrat"}));
    EXPECT_EQ(Cells(*w.Grid1, 5),
              (QStringList{"*", "Legolas", "Elf", "1066", "Prince of Mirkwood", "1"}));
    EXPECT_EQ(w.Grid1->row() + w.Grid1->col(), 0);
    EXPECT_EQ(w.Grid1->horizontalHeader()->sectionSize(5), 0) << "the id column is hidden";
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.Grid1);
    EXPECT_FALSE(w.Grid1->selectionModel()->hasSelection()) << "no entry is selected";

    test::Window empty;
    empty.refresh();
    EXPECT_EQ(empty.w.Frame1->title(), QStringLiteral("New Campaign 0 records"));
}

// Each gesture on the filter controls, in turn: what it lists, how many refreshes (beeps) it
// took, and whether Just Race/Loc is checked afterwards.
TEST_F(Form1Test, EachFilterGestureRefreshesWhenItShouldWithWhatTheControlsHold) {
    const auto type = [](QWidget* target, const char* text) { QTest::keyClicks(target, text); };
    const auto enter = [](QWidget* target) { QTest::keyClick(target, Qt::Key_Return); };
    const Names all{"Aragorn", "Galadriel", "Gimli", "Grishnakh", "Legolas", "Shagrat"};
    const Names unchanged{"Aragorn", "Galadriel", "Gimli", "Shagrat"};
    const struct {
        const char* gesture;
        std::function<void()> act;
        Names names;
        int beeps;
        bool justRaceLoc;
    } steps[] = {
        {"typing in Text Match", [&] { type(w.Combo1, "orc"); }, all, 0, false},
        {"Enter in Text Match", [&] { enter(w.Combo1); }, {"Grishnakh", "Shagrat"}, 1, false},
        {"checking Just Race/Loc", [&] { Click(w.Check1); }, {"Grishnakh"}, 1, true},
        // Unchecking in code raises the check box's click, which refreshes once more.
        {"Enter unchecks it", [&] { enter(w.Combo1); }, {"Grishnakh", "Shagrat"}, 2, false},
        {"checking it again", [&] { Click(w.Check1); }, {"Grishnakh"}, 1, true},
        {"typing a date", [&] { type(w.Text1, "3018"); }, {"Grishnakh"}, 0, true},
        {"Enter in Date Match keeps it", [&] { enter(w.Text1); }, {}, 1, true},
        {"Clear", [&] { QTest::mouseClick(w.Command9, Qt::LeftButton); }, all, 1, false},
        {"Just Race/Loc with no text", [&] { Click(w.Check1); }, all, 0, true},
        {"Changed", [&] { Click(w.Option1[1]); }, {"Grishnakh", "Legolas"}, 1, true},
        {"Unchanged", [&] { Click(w.Option1[2]); }, unchanged, 1, true},
        {"Clear keeps the option", [&] { QTest::mouseClick(w.Command9, Qt::LeftButton); },
         unchanged, 1, false},
        {"All", [&] { Click(w.Option1[0]); }, all, 1, false},
    };
    for (const auto& k : steps) {
        SCOPED_TRACE(k.gesture);
        dialogs.clear();
        k.act();
        EXPECT_EQ(names(), k.names);
        EXPECT_EQ(dialogs.beeps(), k.beeps);
        EXPECT_EQ(w.Check1->isChecked(), k.justRaceLoc);
        EXPECT_TRUE(w.Frame1->title().endsWith(QStringLiteral(" %1 records").arg(k.names.size())));
    }
    EXPECT_EQ(w.Combo1->currentText() + w.Text1->text(), "");
}

// The refresh selects the item equal to its text itself, as a pick of its own that does not
// refresh again; the user's next pick still does.
TEST_F(Form1Test, PickingARaceLocationRefreshesAtOnceEvenRightAfterARefresh) {
    Pick(w.Combo1, "Dwarf");
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(names(), (Names{"Gimli"}));
    Pick(w.Combo1, "Orc");
    EXPECT_EQ(dialogs.beeps(), 2);
    EXPECT_EQ(names(), (Names{"Grishnakh", "Shagrat"}));
}

TEST_F(Form1Test, TheRaceLocationListsHoldTheTextThenEachDistinctValueWithItsId) {
    QComboBox editorBox;
    editorBox.addItem("stale");
    w.setEditorRaceBox(&editorBox);
    QTest::keyClicks(w.Combo1, "Elf");
    QTest::keyClick(w.Combo1, Qt::Key_Return);
    QStringList items;
    for (const QComboBox* box : {w.Combo1, &editorBox}) {
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i) + "=" + box->itemData(i).toString();
        }
    }
    // "Elf" and "elf" differ in letter case: two items. The blank race/location gives none.
    const QStringList one{"Elf=0", "Dwarf=3", "elf=2", "Elf=1", "Mordor=5", "Orc=4"};
    EXPECT_EQ(items, one + one) << "the editor's box gets the same";
    EXPECT_EQ(w.Combo1->currentText(), "Elf");
    EXPECT_EQ(w.Combo1->currentIndex(), 3) << "the last item equal to the text is selected";
}

// The list and the filters grow with the window, the buttons follow their edges, the last shown
// column fills the list; a width the user drags stays across refreshes.
TEST_F(Form1Test, TheLayoutGrowsTheLastColumnFillsAndTheUsersWidthsStay) {
    QHeaderView* header = w.Grid1->horizontalHeader();
    const int desc = header->sectionSize(4), name = header->sectionSize(1);
    EXPECT_EQ(header->sectionViewportPosition(4) + desc, w.Grid1->viewport()->width());
    const QRect list = w.Grid1->geometry(), publish = w.Command4->geometry(),
                filters = w.Frame3->geometry();
    w.resize(w.width() + 150, w.height() + 80);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.Grid1->geometry(), list.adjusted(0, 0, 150, 80));
    EXPECT_EQ(w.Command4->geometry(), publish.translated(150, 80));
    EXPECT_EQ(w.Frame3->geometry(), filters.adjusted(0, 80, 150, 80));
    EXPECT_EQ(header->sectionSize(4), desc + 150) << "the last shown column stretches";
    const QPoint edge(header->sectionViewportPosition(1) + name - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(header->viewport(), edge + QPoint(20, 0));
    QTest::mouseMove(header->viewport(), edge + QPoint(40, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    ASSERT_EQ(header->sectionSize(1), name + 40);
    const int date = header->sectionSize(3);
    Click(w.Option1[1]);
    EXPECT_EQ(header->sectionSize(1), name + 40) << "the dragged width stays";
    EXPECT_EQ(header->sectionSize(3), date) << "the others keep theirs";
}

// A key moves to the first name starting with it in lower case, beeps and scrolls that row to
// the top; a key no name starts with ("G", "z") leaves the current cell.
TEST_F(Form1Test, TypeAheadFindsTheFirstNameStartingWithTheLowerCaseLetter) {
    const auto press = [&](char key, int row, int beeps, int top, int firstShown) {
        SCOPED_TRACE(key);
        QTest::keyClick(w.Grid1, key);
        EXPECT_EQ(w.Grid1->row(), row);
        EXPECT_EQ(w.Grid1->col(), 1);
        EXPECT_EQ(w.Grid1->topRow(), top);
        EXPECT_EQ(dialogs.beeps(), beeps);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.Grid1->selectionModel()->currentIndex().row(), row - 1) << "the view shows it";
        EXPECT_EQ(w.Grid1->rowAt(0), firstShown) << "the view's first visible row";
    };
    w.Grid1->setFocus();
    press('g', 2, 1, 2, 0);  // Galadriel
    press('G', 2, 1, 1, 0);
    press('s', 6, 2, 6, 0);  // Shagrat, the last row
    press('z', 6, 2, 1, 0);
    Database::Transaction tx(*c.state().Db);
    for (int i = 0; i < 300; ++i) {
        c.add(
            {QStringLiteral("Yak %1").arg(i, 3, 10, QLatin1Char('0')), "Hill", "", "", {}, false});
    }
    tx.commit();
    w.RefreshList();
    QCoreApplication::processEvents();
    press('y', 7, 4, 7, 6);  // the first yak, after the six named entries
    press('l', 5, 5, 5, 4);  // Legolas
}

TEST_F(Form1Test, ADoubleClickOrEnterInTheListEditsThatEntry) {
    const QPoint gimli = w.Grid1->visualRect(w.Grid1->model()->index(2, 1)).center();
    const auto doubleClick = [&] {
        QTest::mouseDClick(w.Grid1->viewport(), Qt::LeftButton, {}, gimli);
    };
    EXPECT_EQ(EditorNameAfter(w, doubleClick), "Gimli");
    w.Grid1->setFocus();
    QTest::keyClick(w.Grid1, 'l');
    EXPECT_EQ(EditorNameAfter(w, [&] { QTest::keyClick(w.Grid1, Qt::Key_Return); }), "Legolas");
    EXPECT_EQ(w.Grid1->row(), 5) << "no name starts with Enter's character";
}

TEST_F(Form1Test, AStoreErrorIsReportedAndTheListStaysAsItWas) {
    c.state().EntryRs->close();
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].contains("closed"));
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_EQ(names().size(), 6u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

// Each question offers the current value; an empty answer keeps it, any other is stored as typed;
// the record is updated once even when nothing changed. The list's caption follows at its next
// refresh only.
TEST_F(Form1Test, OptionsOffersTheCurrentValuesAndStoresOnlyTheAnswersGiven) {
    setOption(u"nameH", "#112233");
    setOption(u"inkcolour", "black");
    for (const char* typed : {"Middle Earth", "", "  not a colour ", ""}) {
        dialogs.type(typed);
    }
    const int before = sqlite3_total_changes(c.state().Db->handle());
    w.mnuOptions->trigger();
    EXPECT_EQ(sqlite3_total_changes(c.state().Db->handle()), before + 1);
    QStringList offered;
    for (const auto& s : dialogs.shown()) {
        offered << s.defaultText;
    }
    EXPECT_EQ(offered, (QStringList{"Campaign Notes", "#112233", "black", ""}));
    EXPECT_EQ(w.Frame1->title(), "Campaign Notes 6 records");
    QTest::mouseClick(w.Command9, Qt::LeftButton);
    EXPECT_EQ(w.Frame1->title(), "Middle Earth 6 records");
    c.reopen();
    Recordset& stored = *c.state().OptionsRs;
    EXPECT_EQ(stored.text(u"campaign") + "|" + stored.text(u"nameH") + "|" +
                  stored.text(u"inkcolour") + "|" + stored.text(u"linkcolour"),
              "Middle Earth|#112233|  not a colour |");
}

TEST_F(Form1Test, ExitClosesTheEntryCursorAndTheDatabaseAndEndsTheProgram) {
    w.mnuexit->trigger();
    EXPECT_FALSE(c.state().EntryRs->isOpen());
    EXPECT_FALSE(c.state().Db->isOpen());
    EXPECT_EQ(ended, 1);
}

TEST_F(Form1Test, CommandsSwitchOffAndOnTogether) {
    // clang-format off
    const std::vector<QObject*> commands{
        w.Command1, w.Command5, w.Command2, w.Command3, w.Command7, w.Command6, w.Command4,
        w.Command9, w.Combo1, w.Check1, w.Text1, w.Option1[0], w.Option1[1], w.Option1[2], w.Grid1,
        w.mnuexit, w.mnucurrent, w.mnuBookmark, w.mnuOptions, w.mnualpha, w.mnuupload,
        w.mnuexport->menuAction()};
    // clang-format on
    for (const bool on : {false, true, false}) {
        w.setCommandsEnabled(on);
        for (QObject* command : commands) {
            EXPECT_EQ(command->property("enabled").toBool(), on)
                << command->property("text").toString().toStdString();
        }
        EXPECT_FALSE(w.Command8->isEnabled());
    }
}

using Ids = std::vector<qint64>;

// The window's state as a run changes it: Frame2, the commands, the pointer, the marker.
QString Look(const Form1& w) {
    const bool on = w.Command4->isEnabled() && w.mnualpha->isEnabled() && w.Grid1->isEnabled();
    const bool off = !w.Command4->isEnabled() && !w.mnualpha->isEnabled() && !w.Grid1->isEnabled();
    const QCursor* cursor = QApplication::overrideCursor();
    return QStringList{w.Frame2->isVisible() ? "shown" : "hidden",
                       on && !w.Command8->isEnabled() ? "on" : (off ? "off" : "mixed"),
                       cursor == nullptr ? "arrow" : "busy", w.Command4Tag}
        .join(' ');
}
const QString kRestored = QStringLiteral("hidden on arrow ");

// "Published N entries to <folder> in S s", S a number whatever the machine's speed.
bool SaysPublished(const QString& line, int entries, const QString& folder) {
    const QString start = QStringLiteral("Published %1 entries to %2 in ").arg(entries).arg(folder);
    bool number = false;
    line.mid(start.size()).chopped(2).toDouble(&number);
    return line.startsWith(start) && line.endsWith(" s") && number;
}

// Scripted dialogs that note, at each beep (the files written), the window's look, phase, entry
// and bar.
class WatchingDialogs : public ScriptedDialogs {
public:
    void beep() override {
        ScriptedDialogs::beep();
        if (window) {
            atBeep << QStringList{Look(*window), window->Label3->text(), window->Label2->text(),
                                  QString::number(window->ProgressBar->value())}
                          .join('|');
        }
    }
    Form1* window = nullptr;
    QStringList atBeep;
};

// A compendium of three entries with notes, Zed and Bo marked changed, and its window, shown.
// It notes each phase the progress frame names, and "!" where the bar ran back within a phase
// or left one before it was full.
struct Rig : test::BasicWindow<WatchingDialogs> {
    Rig() : BasicWindow("Window World") {
        c.add({"Zed", "Orc", "12", "Green", "Knows <a href=\"G9.htm\">a ghost</a>", true});
        c.add({"Amy", "Elf", "", "Small", "Amy's notes", false});
        c.add({"Bo", "orc", "3", "Tall", "Run <script>x()</script>", true});
        test::WriteAll(c.state().ReportsDir() + "G2.htm", "kept");
        w.RefreshList();
        show();
        dialogs.window = &w;
        dialogs.clear();
        QObject::connect(w.ProgressBar, &QProgressBar::valueChanged, &w, [this](int value) {
            const bool full = bar == w.ProgressBar->maximum();
            if (phases.isEmpty() || w.Label3->text() != phases.back()) {
                phases << QString(phases.isEmpty() || full ? "" : "!") + w.Label3->text();
            } else if (value < bar) {
                phases << "!";
            }
            bar = value;
        });
    }
    void answer(const std::vector<Answer>& answers) {
        for (Answer a : answers) {
            dialogs.answer(a);
        }
    }
    bool exists(const QString& name) { return QFileInfo::exists(c.state().ReportsDir() + name); }
    QStringList files() { return QDir(c.state().ReportsDir()).entryList(QDir::Files); }

    QStringList phases;
    int bar = 0;
};
const QStringList kNothingWritten{"G2.htm", "TavriStyle.css"};

// Each command asks its questions; No to the first writes nothing, No to Clear Changes? keeps
// every flag; the alphabetical site, once agreed to, always clears them. While the files are
// written the frame is shown, the commands are off and the pointer is busy, each phase named
// over a bar that runs once from empty to full; afterwards all is as it was, and the status
// line says what was written where.
TEST(Form1Publish, EachAnswerHasItsEffect) {
    const QString site = "shown off busy |Race/location pages:|Zed|1000";
    const QString all = "Index pages:,Race/location pages:,Clearing changed flag:";
    const QString kept = "Index pages:,Race/location pages:";
    // clang-format off
    const struct {
        const char* name;
        std::vector<Answer> answers;
        void (Form1::*run)();
        size_t asked;  // how many questions
        QString atBeep, phases;
        QStringList written;  // empty: nothing is written
        Ids changedAfter;
    } cases[] = {
        {"Publish, Yes, Yes", {Answer::Yes, Answer::Yes}, &Form1::Command4_Click, 2,
         site, all, {"gindex.htm", "g-ORC.htm", "G3.htm", "palm/PageTavri.pml"}, {}},
        {"Publish, No", {Answer::No}, &Form1::Command4_Click, 1, "", "", {}, {1, 3}},
        {"Publish, Yes, No", {Answer::Yes, Answer::No}, &Form1::Command4_Click, 2,
         site, kept, {"G1.htm"}, {1, 3}},
        {"Publish Changed, No", {Answer::No}, &Form1::Command6_Click, 1,
         "shown off busy changed|Race/location pages:|Zed|1000", kept, {"G3.htm"}, {1, 3}},
        {"AlphaPage, No", {Answer::No}, &Form1::mnualpha_Click, 1, "", "", {}, {1, 3}},
        {"AlphaPage, Yes", {Answer::Yes}, &Form1::mnualpha_Click, 1, site, all,
         {"glettersdates.htm", "temp.htm", "palm/Tavri-TR.txt"}, {}},
        {"Publish Alpha, Yes", {Answer::Yes}, &Form1::Command8_Click, 1, site, all, {"temp.htm"},
         {}},
    };
    // clang-format on
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Rig r;
        r.answer(k.answers);
        (r.w.*k.run)();
        EXPECT_EQ(r.dialogs.messages().size(), k.asked);
        EXPECT_EQ(r.dialogs.atBeep, k.atBeep.isEmpty() ? QStringList() : QStringList{k.atBeep});
        EXPECT_EQ(r.phases.join(','), k.phases);
        EXPECT_EQ(r.bar, k.written.isEmpty() ? 0 : 1000) << "the last phase ran to its end";
        for (const QString& f : k.written) {
            EXPECT_TRUE(r.exists(f)) << f.toStdString();
        }
        const QString status = r.w.statusBar()->currentMessage();
        if (k.written.isEmpty()) {
            EXPECT_EQ(r.files(), kNothingWritten);
            EXPECT_EQ(status, QString());
        } else {
            const AppState& s = r.c.state();
            EXPECT_TRUE(SaysPublished(status, 3, s.ReportsDir() + " and " + s.PalmDir()))
                << status.toStdString();
        }
        EXPECT_EQ(r.ids(true), k.changedAfter);
        EXPECT_EQ(Look(r.w), kRestored);
    }
}

TEST(Form1Publish, PublishChangedRewritesOnlyTheChangedEntriesPagesAndNoRunRefreshesTheList) {
    Rig r;
    r.w.Option1[1]->setChecked(true);
    r.w.RefreshList();
    ASSERT_EQ(r.w.Grid1->rows(), 3);  // Bo and Zed are marked changed
    r.answer({Answer::Yes});
    r.w.Command6_Click();
    EXPECT_EQ(test::ReadAll(r.c.state().ReportsDir() + "G2.htm"), "kept");
    r.answer({Answer::Yes, Answer::Yes});
    r.w.Command4_Click();
    EXPECT_NE(test::ReadAll(r.c.state().ReportsDir() + "G2.htm"), "kept");
    EXPECT_EQ(r.ids(true), Ids{});
    EXPECT_EQ(r.w.Grid1->rows(), 3);
    EXPECT_EQ(r.w.Grid1->textMatrix(1, 1), "Bo");
}

// A failed run is reported, after the window is restored (the publish-changed marker emptied
// too), with what failed; it clears nothing.
TEST(Form1Publish, AFailedRunReportsWhatFailedRestoresTheWindowAndClearsNoFlag) {
    for (const bool missingTemplate : {false, true}) {
        SCOPED_TRACE(missingTemplate);
        Rig r;
        const QString dir = r.c.dir(), page = r.c.state().ReportsDir() + "g-B.htm";
        ASSERT_TRUE(missingTemplate ? QFile::remove(dir + "framebase.txt") : QDir().mkpath(page));
        r.answer({Answer::Yes, Answer::Yes});
        missingTemplate ? r.w.Command4_Click() : r.w.Command6_Click();
        const QString said = r.dialogs.messages().back();
        EXPECT_TRUE(
            said.contains(missingTemplate ? "framebase.txt was not found in " + dir + "." : page))
            << said.toStdString();
        EXPECT_EQ(r.dialogs.shown().back().message.icon, MessageIcon::Critical);
        EXPECT_EQ(r.dialogs.beeps(), 0);
        EXPECT_EQ(r.files() == kNothingWritten, missingTemplate) << "the template is read first";
        EXPECT_EQ(r.ids(true), (Ids{1, 3}));
        EXPECT_EQ(Look(r.w), kRestored);
    }
}

TEST(Form1Publish, ACloseDuringARunSaysSoAtOnceAndClosesWhenItEnds) {
    Rig r;
    QString saidAtOnce;
    QObject::connect(r.w.ProgressBar, &QProgressBar::valueChanged, &r.w, [&](int) {
        if (saidAtOnce.isEmpty()) {
            r.w.close();
            saidAtOnce = r.w.Label3->text();
        }
    });
    r.answer({Answer::Yes, Answer::Yes});
    r.w.Command4_Click();
    EXPECT_EQ(saidAtOnce, QStringLiteral("Finishing the publication\u2026"));
    EXPECT_EQ(r.ended, 0) << "the run is not cut off";
    EXPECT_EQ(r.ids(true), Ids{}) << "the run went on to its end";
    QCoreApplication::processEvents();
    EXPECT_EQ(r.ended, 1) << "then the close box ends the program as Exit does";
    EXPECT_FALSE(r.c.state().EntryRs->isOpen() || r.c.state().Db->isOpen());
}

// RTF beeps, then says so; a run with no entries writes nothing and says so on the status line.
TEST(Form1Publish, CreateRtfBeepsThenSaysSo) {
    Rig r;
    QTest::mouseClick(r.w.Command7, Qt::LeftButton);
    ASSERT_EQ(r.dialogs.shown().size(), 2u);
    EXPECT_EQ(r.dialogs.shown()[0].kind, ScriptedDialogs::Shown::Kind::Beep);
    EXPECT_TRUE(r.exists("palm/RegionTavri-Orc.rtf") && r.exists("palm/RegionTavri-orc.rtf"));
    EXPECT_TRUE(SaysPublished(r.w.statusBar()->currentMessage(), 3, r.c.state().PalmDir()));
    test::Window empty;
    empty.w.Command7_Click();
    ASSERT_EQ(empty.dialogs.messages().size(), 1u);
    EXPECT_EQ(empty.w.statusBar()->currentMessage(), empty.dialogs.messages()[0]);
    EXPECT_EQ(QDir(empty.c.state().PalmDir()).entryList(QDir::Files), QStringList());
}

TEST(Form1Publish, ReportCurrentWritesTheListedRowsSaysWhereAndOpensTheViewer) {
    Rig r;
    r.w.Combo1->setCurrentText(QStringLiteral("orc"));
    r.refresh();
    r.w.mnucurrent->trigger();
    const QString path = r.c.state().ReportsDir() + "AdHoc.htm";
    ASSERT_EQ(r.dialogs.shown().size(), 2u);
    EXPECT_EQ(r.dialogs.shown()[1].kind, ScriptedDialogs::Shown::Kind::Viewer);
    EXPECT_EQ(r.dialogs.shown()[1].path, path);
    EXPECT_TRUE(SaysPublished(r.w.statusBar()->currentMessage(), 2, r.c.state().ReportsDir()));
    const QByteArray page = test::ReadAll(path);
    EXPECT_TRUE(page.contains("<h1>Query on orc</h1>\r\n"));
    EXPECT_GT(page.indexOf("<b>Name: </b>Zed<br>"), page.indexOf("<b>Name: </b>Bo<br>"));
    EXPECT_FALSE(page.contains("Amy"));
}

// The Export menu's web site and e-book go through the frame, say on the status line where they
// are, list what the notes link to in vain or lost, and leave the changed flags: they publish
// nothing. The book goes to the palm folder, which the user may have removed.
TEST(Form1Publish, ExportsRunThroughTheFrameSayWhereAndListWhatTheNotesLost) {
    Rig r;
    QDir(r.c.state().PalmDir()).removeRecursively();
    const QString site = r.c.dir() + "Reports/site/", book = r.c.state().PalmDir() + "Tavri.epub";
    // clang-format off
    const struct {
        QAction* command;
        QString file, phase, status, problem;
    } cases[] = {
        {r.w.mnuwebsite, site + "entry-1.html", "Writing web site:",
         "Web site written: " + site + "index.html", "G9.htm in the notes of \"Zed\""},
        {r.w.mnuebook, book, "Writing the e-book:", "E-book written: " + book,
         "\nBo (id 3): left out <script>"},
    };
    // clang-format on
    for (const auto& k : cases) {
        SCOPED_TRACE(k.phase.toStdString());
        r.dialogs.clear();
        r.dialogs.atBeep.clear();
        k.command->trigger();
        EXPECT_TRUE(QFileInfo(k.file).isFile());
        ASSERT_EQ(r.dialogs.atBeep.size(), 1u);
        EXPECT_TRUE(r.dialogs.atBeep[0].startsWith("shown off busy |" + k.phase));
        EXPECT_EQ(r.w.statusBar()->currentMessage(), k.status);
        ASSERT_EQ(r.dialogs.messages().size(), 1u);
        EXPECT_TRUE(r.dialogs.messages()[0].contains(k.problem))
            << r.dialogs.messages()[0].toStdString();
        EXPECT_EQ(r.ids(true), (Ids{1, 3}));
        EXPECT_EQ(Look(r.w), kRestored);
    }
}

// The window and `tavri-cli list` build the same list: the same rows in the same order, for hard
// names (accents, Greek, CJK, case-only differences, numbers) under each kind of filter.
TEST(Form1AndCli, TheWindowsListAndTavriCliListAgree) {
    test::Window t;
    int n = 0;
    for (const char* name : {"émile", "Émile", "Emile", "Zoë", "zoe", "Ωμέγα", "αλφα", "Άλφα",
                             "東京", "北京", "ORC", "orc", "10", "9", "Ängström", "Straße"}) {
        t.c.add({name, n % 2 ? "Orc" : "Élfe", QString::number(n), "d", "", n % 3 == 0});
        ++n;
    }
    const struct {
        QStringList args;
        const char* text;
        bool raceOnly;
        int option;
    } cases[] = {{{}, "", false, 0},
                 {{"--match", "ÉMILE"}, "ÉMILE", false, 0},
                 {{"--match", "orc", "--race-only"}, "orc", true, 0},
                 {{"--changed"}, "", false, 1},
                 {{"--unchanged", "--match", "élfe"}, "élfe", false, 2}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.args.join(' ').toStdString());
        t.w.Combo1->setEditText(k.text);
        t.w.Check1->setChecked(k.raceOnly);
        t.w.Option1[k.option]->setChecked(true);
        t.w.RefreshList();
        QStringList window;
        for (int r = 1; r < t.w.Grid1->rows(); ++r) {
            window << Cells(*t.w.Grid1, r).join('\t');
        }
        // An empty list fails too: it would be "\n" here and "" from the command.
        EXPECT_EQ(test::RunCli(QStringList{"list", t.c.dir()} + k.args).out,
                  window.join('\n') + '\n');
    }
}

}  // namespace
}  // namespace tavri
