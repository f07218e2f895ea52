// The main window's publishing and export commands, run as the user runs them: when each asks,
// what each answer does, what the window shows while a run goes on, what it writes and clears,
// what the status line says, and how a failed run leaves the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "app/Dialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

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
struct Rig {
    Rig() {
        c.add({"Zed", "Orc", "12", "Green", "Knows <a href=\"G9.htm\">a ghost</a>", true});
        c.add({"Amy", "Elf", "", "Small", "Amy's notes", false});
        c.add({"Bo", "orc", "3", "Tall", "Run <script>x()</script>", true});
        test::WriteAll(c.state().ReportsDir() + "G2.htm", "kept");
        w.setEndProgram([] {});
        w.RefreshList();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
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
    void answer(std::initializer_list<Answer> answers) {
        for (Answer a : answers) {
            dialogs.answer(a);
        }
    }
    Ids changedIds() {
        Ids ids;
        Recordset& rs = *c.state().EntryRs;
        rs.setIndex(u"id");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            if (rs.field(u"changed").toBool()) {
                ids.push_back(rs.field(u"id").toLongLong());
            }
        }
        return ids;
    }
    bool exists(const QString& name) { return QFileInfo::exists(c.state().ReportsDir() + name); }
    QStringList files() { return QDir(c.state().ReportsDir()).entryList(QDir::Files); }

    test::TempCompendium c{QStringLiteral("Window World")};
    WatchingDialogs dialogs;
    Form1 w{c.state(), dialogs};
    QStringList phases;
    int bar = 0;
};
const QStringList kNothingWritten{"G2.htm", "TavriStyle.css"};

const QString kPublish = QStringLiteral("Are you sure you want to publish the entire Tavri");
const QString kClear = QStringLiteral("Clear Changes?");
const QString kAlpha = QStringLiteral(
    "Publish the alphabetical site? It replaces the start and index pages of the web site and "
    "clears every changed mark.");

// Each command asks its questions; No to the first writes nothing, No to Clear Changes? keeps
// every flag; the alphabetical site, once agreed to, always clears them. While the files are
// written the frame is shown, the commands are off and the pointer is busy, each phase named
// over a bar that runs once from empty to full; afterwards all is as it was, and the status
// line says what was written where.
TEST(Form1Publish, EachAnswerHasItsEffect) {
    const QString site = "shown off busy |Race/location pages:|Zed|1000";
    const QString all = "Index pages:,Race/location pages:,Clearing changed flag:";
    const QString kept = "Index pages:,Race/location pages:";
    const auto click = [](QPushButton* Form1::*button) {
        return [button](Form1& w) { (w.*button)->click(); };
    };
    const auto alpha = [](Form1& w) { w.mnualpha->trigger(); };
    const auto alphaButton = [](Form1& w) { w.Command8_Click(); };
    // clang-format off
    const struct {
        const char* name;
        std::vector<Answer> answers;
        std::function<void(Form1&)> run;
        std::vector<QString> asked;
        QString atBeep, phases;
        QStringList written;  // empty: nothing is written
        Ids changedAfter;
    } cases[] = {
        {"Publish, Yes, Yes", {Answer::Yes, Answer::Yes}, click(&Form1::Command4), {kPublish, kClear},
         site, all, {"gindex.htm", "gcontents.htm", "g-A.htm", "g-ORC.htm", "G1.htm", "G3.htm",
                     "palm/Tavri-TR.txt", "palm/PageTavri.pml"}, {}},
        {"Publish, No", {Answer::No}, click(&Form1::Command4), {kPublish}, "", "", {}, {1, 3}},
        {"Publish, Yes, No", {Answer::Yes, Answer::No}, click(&Form1::Command4), {kPublish, kClear},
         site, kept, {"G1.htm"}, {1, 3}},
        {"Publish Changed, No", {Answer::No}, click(&Form1::Command6), {kClear},
         "shown off busy changed|Race/location pages:|Zed|1000", kept, {"G3.htm"}, {1, 3}},
        {"AlphaPage, No", {Answer::No}, alpha, {kAlpha}, "", "", {}, {1, 3}},
        {"AlphaPage, Yes", {Answer::Yes}, alpha, {kAlpha}, site, all,
         {"glettersdates.htm", "temp.htm", "palm/Tavri-TR.txt"}, {}},
        {"Publish Alpha, Yes", {Answer::Yes}, alphaButton, {kAlpha}, site, all, {"temp.htm"}, {}},
    };
    // clang-format on
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Rig r;
        for (Answer a : k.answers) {
            r.dialogs.answer(a);
        }
        k.run(r.w);
        EXPECT_EQ(r.dialogs.messages(), k.asked);
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
        EXPECT_EQ(r.changedIds(), k.changedAfter);
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
    EXPECT_EQ(r.changedIds(), Ids{});
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
        EXPECT_EQ(r.dialogs.beeps(), 0);
        EXPECT_EQ(r.files() == kNothingWritten, missingTemplate) << "the template is read first";
        EXPECT_EQ(r.changedIds(), (Ids{1, 3}));
        EXPECT_EQ(Look(r.w), kRestored);
    }
}

TEST(Form1Publish, ACloseDuringARunSaysSoAtOnceAndClosesWhenItEnds) {
    Rig r;
    int ended = 0;
    r.w.setEndProgram([&] { ++ended; });
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
    EXPECT_EQ(ended, 0) << "the run is not cut off";
    EXPECT_EQ(r.changedIds(), Ids{}) << "the run went on to its end";
    QCoreApplication::processEvents();
    EXPECT_EQ(ended, 1);
}

TEST(Form1Publish, CreateRtfBeepsThenSaysSoOrSaysThereWasNothing) {
    Rig r;
    QTest::mouseClick(r.w.Command7, Qt::LeftButton);
    ASSERT_EQ(r.dialogs.shown().size(), 2u);
    EXPECT_EQ(r.dialogs.shown()[0].kind, ScriptedDialogs::Shown::Kind::Beep);
    EXPECT_EQ(r.dialogs.shown()[1].message.text, "RTF Written");
    EXPECT_TRUE(r.exists("palm/RegionTavri-Orc.rtf") && r.exists("palm/RegionTavri-orc.rtf"));
    EXPECT_TRUE(SaysPublished(r.w.statusBar()->currentMessage(), 3, r.c.state().PalmDir()));

    test::TempCompendium empty;
    ScriptedDialogs quiet;
    Form1 window(empty.state(), quiet);
    window.Command7_Click();
    ASSERT_EQ(quiet.messages().size(), 1u);
    EXPECT_NE(quiet.messages()[0], "RTF Written");
    EXPECT_EQ(window.statusBar()->currentMessage(), quiet.messages()[0]);
    EXPECT_EQ(QDir(empty.state().PalmDir()).entryList(QDir::Files), QStringList());
}

TEST(Form1Publish, ReportCurrentWritesTheListedRowsSaysWhereAndOpensTheViewer) {
    Rig r;
    r.w.Combo1->setCurrentText(QStringLiteral("orc"));
    r.w.RefreshList();
    r.dialogs.clear();
    r.w.mnucurrent->trigger();
    const QString path = r.c.state().ReportsDir() + "AdHoc.htm";
    ASSERT_EQ(r.dialogs.shown().size(), 2u);
    EXPECT_EQ(r.dialogs.shown()[0].message.text, "Report written to " + path);
    EXPECT_EQ(r.dialogs.shown()[1].kind, ScriptedDialogs::Shown::Kind::Viewer);
    EXPECT_EQ(r.dialogs.shown()[1].path, path);
    EXPECT_TRUE(SaysPublished(r.w.statusBar()->currentMessage(), 2, r.c.state().ReportsDir()));
    const QByteArray page = test::ReadAll(path);
    EXPECT_TRUE(page.contains("<h1>Query on orc</h1>\r\n"));
    EXPECT_GT(page.indexOf("<b>Name: </b>Zed<br>"), page.indexOf("<b>Name: </b>Bo<br>"));
    EXPECT_FALSE(page.contains("Amy"));
    EXPECT_EQ(r.w.Grid1->row(), 2);
    EXPECT_EQ(r.w.Grid1->col(), 5);

    r.dialogs.clear();
    r.dialogs.failViewer();
    r.w.mnucurrent_Click();
    EXPECT_EQ(r.dialogs.messages(),
              (std::vector<QString>{"Report written to " + path,
                                    "No viewer could be started for " + path + "."}));
    EXPECT_TRUE(QFileInfo::exists(path));
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
        EXPECT_EQ(r.changedIds(), (Ids{1, 3}));
        EXPECT_EQ(Look(r.w), kRestored);
    }
}

}  // namespace
}  // namespace tavri
