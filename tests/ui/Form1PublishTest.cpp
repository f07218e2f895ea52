// The main window's publishing commands, run as the user runs them: the questions and their
// defaults, what the window shows while a run goes on, what it writes, what it clears, and how
// a failed run leaves the window.
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
#include <functional>

#include "support/ScriptedDialogs.h"
#include "support/TestSupport.h"
#include "ui/Form1.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

using test::ReadAll;
using test::TempCompendium;

// What the window showed at the moment a run beeped, its site written.
struct AtBeep {
    bool frameShown = false;
    bool commandsOn = true;
    bool busyPointer = false;
    QString phase, entry;
    int bar = -1;
    QString marker;
};

class WatchingDialogs : public ScriptedDialogs {
public:
    void beep() override {
        ScriptedDialogs::beep();
        if (window) {
            AtBeep seen;
            seen.frameShown = window->Frame2->isVisible();
            seen.commandsOn = window->Command4->isEnabled() || window->mnualpha->isEnabled() ||
                              window->Grid1->isEnabled();
            seen.busyPointer = QApplication::overrideCursor() != nullptr &&
                               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            seen.phase = window->Label3->text();
            seen.entry = window->Label2->text();
            seen.bar = window->ProgressBar->value();
            seen.marker = window->Command4Tag;
            atBeep.push_back(seen);
        }
    }
    Form1* window = nullptr;
    std::vector<AtBeep> atBeep;
};

class Form1Publish : public ::testing::Test {
protected:
    void SetUp() override {
        c.add({"Zed", "Orc", "12", "Green", "Notes of Zed", true});  // 1
        c.add({"Amy", "Elf", "", "Small", "", false});               // 2
        c.add({"Bo", "orc", "3", "Tall", "Bo's notes", true});       // 3
        w = std::make_unique<Form1>(c.state(), dialogs);
        w->setEndProgram([] {});
        w->RefreshList();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        dialogs.window = w.get();
        dialogs.clear();
    }
    void TearDown() override { dialogs.window = nullptr; }

    std::vector<qint64> changedIds() {
        std::vector<qint64> ids;
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
    void expectRestored() {
        EXPECT_FALSE(w->Frame2->isVisible());
        EXPECT_TRUE(w->Command4->isEnabled());
        EXPECT_TRUE(w->mnualpha->isEnabled());
        EXPECT_FALSE(w->Command8->isEnabled());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(w->Command4Tag, QString());
    }

    TempCompendium c{QStringLiteral("Window World")};
    WatchingDialogs dialogs;
    std::unique_ptr<Form1> w;
};

TEST_F(Form1Publish, PublishAsksBothQuestionsWritesTheSiteAndClearsTheFlagsOnYes) {
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::Yes);
    QTest::mouseClick(w->Command4, Qt::LeftButton);

    ASSERT_EQ(dialogs.shown().size(), 3u);  // two questions and the beep
    const MessageRequest& first = dialogs.shown()[0].message;
    EXPECT_EQ(first.text, "Are you sure you want to publish the entire Tavri");
    EXPECT_EQ(first.title, c.state().AppTitle);
    EXPECT_EQ(first.buttons, MessageButtons::YesNo);
    EXPECT_EQ(first.icon, MessageIcon::Question);
    EXPECT_EQ(first.defaultAnswer, Answer::No);
    const MessageRequest& second = dialogs.shown()[1].message;
    EXPECT_EQ(second.text, "Clear Changes?");
    EXPECT_EQ(second.title, c.state().AppTitle);
    EXPECT_EQ(second.icon, MessageIcon::Question);
    EXPECT_EQ(second.defaultAnswer, Answer::Yes);
    EXPECT_EQ(dialogs.shown()[2].kind, ScriptedDialogs::Shown::Kind::Beep);

    ASSERT_EQ(dialogs.atBeep.size(), 1u);
    const AtBeep& seen = dialogs.atBeep.front();
    EXPECT_TRUE(seen.frameShown);
    EXPECT_FALSE(seen.commandsOn);
    EXPECT_TRUE(seen.busyPointer);
    EXPECT_EQ(seen.phase, "Race/location pages:");
    EXPECT_EQ(seen.entry, "Zed");  // the last entry page written, in name order
    EXPECT_EQ(seen.bar, 1000);

    for (const char* f : {"gindex.htm", "gcontents.htm", "g-A.htm", "g-ORC.htm", "G1.htm", "G3.htm",
                          "palm/Tavri-TR.txt", "palm/PageTavri.pml"}) {
        EXPECT_TRUE(exists(f)) << f;
    }
    EXPECT_FALSE(exists("G2.htm"));
    EXPECT_EQ(changedIds(), std::vector<qint64>{});
    EXPECT_EQ(w->Label3->text(), "Clearing changed flag:");
    expectRestored();
}

TEST_F(Form1Publish, NoToTheFirstQuestionWritesNothing) {
    dialogs.answer(Answer::No);
    w->Command4_Click();
    EXPECT_EQ(dialogs.messages(),
              std::vector<QString>{"Are you sure you want to publish the entire Tavri"});
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_EQ(QDir(c.state().ReportsDir()).entryList(QDir::Files),
              QStringList({"TavriStyle.css"}));  // only the compendium's own
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));
    expectRestored();
}

TEST_F(Form1Publish, PublishChangedAsksOnlyClearChangesAndNoKeepsTheFlags) {
    ASSERT_TRUE(QDir().mkpath(c.state().ReportsDir()));
    test::WriteAll(c.state().ReportsDir() + "G2.htm", "kept");
    dialogs.answer(Answer::No);
    QTest::mouseClick(w->Command6, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{"Clear Changes?"});
    ASSERT_EQ(dialogs.atBeep.size(), 1u);
    EXPECT_EQ(dialogs.atBeep.front().marker, "changed");
    EXPECT_TRUE(exists("G1.htm"));
    EXPECT_TRUE(exists("G3.htm"));
    EXPECT_EQ(ReadAll(c.state().ReportsDir() + "G2.htm"), "kept");
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));
    EXPECT_EQ(w->Label3->text(), "Race/location pages:");
    expectRestored();
}

TEST_F(Form1Publish, PublishingDoesNotRefreshTheList) {
    w->Option1[1]->setChecked(true);
    w->RefreshList();
    ASSERT_EQ(w->Grid1->rows(), 3);  // Bo and Zed are marked changed
    dialogs.clear();
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::Yes);
    w->Command4_Click();
    EXPECT_EQ(changedIds(), std::vector<qint64>{});
    EXPECT_EQ(w->Grid1->rows(), 3);
    EXPECT_EQ(w->Grid1->textMatrix(1, 1), "Bo");
}

TEST_F(Form1Publish, AFailedRunReportsTheFileRestoresTheWindowAndClearsNoFlag) {
    ASSERT_TRUE(QDir().mkpath(c.state().ReportsDir() + "g-B.htm"));
    dialogs.answer(Answer::Yes);
    w->Command6_Click();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    const ScriptedDialogs::Shown& error = dialogs.shown().back();
    EXPECT_TRUE(error.message.text.contains(c.state().ReportsDir() + "g-B.htm"))
        << error.message.text.toStdString();
    EXPECT_EQ(error.message.icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.beeps(), 0);
    EXPECT_TRUE(exists("g-A.htm"));
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));
    expectRestored();
}

TEST_F(Form1Publish, AMissingFrameTemplateIsReportedBeforeAnythingIsWritten) {
    QFile::remove(c.dir() + "framebase.txt");
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::Yes);
    w->Command4_Click();
    EXPECT_EQ(dialogs.messages().back(), "framebase.txt was not found in " + c.dir() + ".");
    EXPECT_EQ(QDir(c.state().ReportsDir()).entryList(QDir::Files),
              QStringList({"TavriStyle.css"}));  // only the compendium's own
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));
    expectRestored();
}

TEST_F(Form1Publish, AlphaPageAsksFirstAndNoWritesNothingAndKeepsEveryFlag) {
    dialogs.answer(Answer::No);
    w->mnualpha->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const MessageRequest& question = dialogs.shown()[0].message;
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultAnswer, Answer::No);
    EXPECT_EQ(question.title, c.state().AppTitle);
    EXPECT_TRUE(question.text.contains("clears every changed mark")) << question.text.toStdString();
    EXPECT_EQ(QDir(c.state().ReportsDir()).entryList(QDir::Files),
              QStringList({"TavriStyle.css"}));  // only the compendium's own
    EXPECT_EQ(changedIds(), (std::vector<qint64>{1, 3}));
    EXPECT_EQ(w->statusBar()->currentMessage(), QString());
    expectRestored();
}

TEST_F(Form1Publish, AlphaPageOnYesBeepsAndAlwaysClearsTheFlags) {
    dialogs.answer(Answer::Yes);
    w->mnualpha->trigger();
    EXPECT_EQ(dialogs.messages().size(), 1u) << "the question only";
    ASSERT_EQ(dialogs.atBeep.size(), 1u);
    EXPECT_TRUE(dialogs.atBeep.front().frameShown);
    EXPECT_FALSE(dialogs.atBeep.front().commandsOn);
    // The last block written: the race/location walk ends on Orc/orc, ordered by name there.
    EXPECT_EQ(dialogs.atBeep.front().entry, "Zed");
    EXPECT_TRUE(exists("glettersdates.htm"));
    EXPECT_TRUE(exists("temp.htm"));
    EXPECT_TRUE(exists("palm/Tavri-TR.txt"));
    EXPECT_EQ(changedIds(), std::vector<qint64>{});
    expectRestored();

    dialogs.clear();
    dialogs.answer(Answer::Yes);
    w->Command8_Click();
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

// "Published N entries to <folder> in S s": N and the folder as each command has them; S is a
// number, whatever the machine's speed.
TEST_F(Form1Publish, EveryPublicationSaysOnTheStatusLineWhatItWroteAndWhere) {
    const QString site = c.state().ReportsDir() + " and " + c.state().PalmDir();
    struct Case {
        const char* name;
        std::function<void()> run;
        int entries;
        QString folder;
    };
    const Case cases[] = {
        {"Publish",
         [&] {
             dialogs.answer(Answer::Yes);
             dialogs.answer(Answer::No);
             w->Command4->click();
         },
         3, site},
        {"Publish Changed",
         [&] {
             dialogs.answer(Answer::No);
             w->Command6->click();
         },
         3, site},
        {"AlphaPage",
         [&] {
             dialogs.answer(Answer::Yes);
             w->mnualpha->trigger();
         },
         3, site},
        {"Create RTF", [&] { w->Command7->click(); }, 3, c.state().PalmDir()},
        {"Report Current", [&] { w->mnucurrent->trigger(); }, 3, c.state().ReportsDir()},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        w->statusBar()->showMessage("before");
        dialogs.clear();
        k.run();
        const QString line = w->statusBar()->currentMessage();
        const QString start =
            QStringLiteral("Published %1 entries to %2 in ").arg(k.entries).arg(k.folder);
        ASSERT_TRUE(line.startsWith(start) && line.endsWith(" s")) << line.toStdString();
        bool number = false;
        line.mid(start.size()).chopped(2).toDouble(&number);
        EXPECT_TRUE(number) << line.toStdString();
        EXPECT_TRUE(dialogs.scriptUsedUp());
    }
}

TEST_F(Form1Publish, CreateRtfWithNothingToWriteSaysSo) {
    TempCompendium empty;
    ScriptedDialogs quiet;
    Form1 window(empty.state(), quiet);
    window.setEndProgram([] {});
    window.Command7_Click();
    ASSERT_EQ(quiet.messages().size(), 1u);
    EXPECT_NE(quiet.messages()[0], "RTF Written");
    EXPECT_EQ(window.statusBar()->currentMessage(), quiet.messages()[0]);
    EXPECT_EQ(QDir(empty.state().PalmDir()).entryList(QDir::Files), QStringList());
}

// The frame as the user sees it through a run: each phase named in Label3 while the bar runs
// once from empty to full under it.
TEST_F(Form1Publish, TheBarRunsOncePerPhaseUnderThePhasesName) {
    struct Seen {
        QString phase;
        int bar;
    };
    std::vector<Seen> seen;
    QObject::connect(w->ProgressBar, &QProgressBar::valueChanged, w.get(), [&](int value) {
        seen.push_back({w->Label3->text(), value});
    });
    struct Case {
        const char* name;
        std::function<void()> run;
        QStringList phases;
    };
    const Case cases[] = {
        {"Publish",
         [&] {
             dialogs.answer(Answer::Yes);
             dialogs.answer(Answer::Yes);
             w->Command4_Click();
         },
         {"Index pages:", "Race/location pages:", "Clearing changed flag:"}},
        {"AlphaPage",
         [&] {
             dialogs.answer(Answer::Yes);
             w->mnualpha_Click();
         },
         {"Index pages:", "Race/location pages:", "Clearing changed flag:"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        seen.clear();
        k.run();
        QStringList phases;
        int last = 0;
        for (const Seen& s : seen) {
            if (phases.isEmpty() || phases.back() != s.phase) {
                if (!phases.isEmpty()) {
                    EXPECT_EQ(last, w->ProgressBar->maximum())
                        << "full at the end of " << phases.back().toStdString();
                }
                phases << s.phase;
            } else {
                EXPECT_GE(s.bar, last) << "the bar ran back within " << s.phase.toStdString();
            }
            last = s.bar;
        }
        EXPECT_EQ(last, w->ProgressBar->maximum());
        EXPECT_EQ(phases, k.phases);
    }
}

TEST_F(Form1Publish, ACloseDuringARunSaysSoAtOnceAndClosesWhenItEnds) {
    int ended = 0;
    w->setEndProgram([&] { ++ended; });
    QString saidAtOnce;
    bool asked = false;
    QObject::connect(w->ProgressBar, &QProgressBar::valueChanged, w.get(), [&](int) {
        if (!asked) {
            asked = true;
            w->close();
            saidAtOnce = w->Label3->text();
        }
    });
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::Yes);
    w->Command4_Click();
    EXPECT_EQ(saidAtOnce, QStringLiteral("Finishing the publication\u2026"));
    EXPECT_EQ(ended, 0) << "the run is not cut off";
    EXPECT_EQ(changedIds(), std::vector<qint64>{}) << "the run went on to its end";
    QCoreApplication::processEvents();
    EXPECT_EQ(ended, 1);
}

TEST_F(Form1Publish, CreateRtfBeepsThenSaysSo) {
    QTest::mouseClick(w->Command7, Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].kind, ScriptedDialogs::Shown::Kind::Beep);
    EXPECT_EQ(dialogs.shown()[1].message.text, "RTF Written");
    EXPECT_EQ(dialogs.shown()[1].message.title, QString());
    EXPECT_EQ(dialogs.shown()[1].message.buttons, MessageButtons::Ok);
    EXPECT_TRUE(exists("palm/RegionTavri-Orc.rtf"));
    EXPECT_TRUE(exists("palm/RegionTavri-orc.rtf"));
}

TEST_F(Form1Publish, ReportCurrentWritesTheListedRowsSaysWhereAndOpensTheViewer) {
    w->Combo1->setCurrentText(QStringLiteral("orc"));
    w->RefreshList();
    dialogs.clear();
    w->mnucurrent->trigger();
    const QString path = c.state().ReportsDir() + "AdHoc.htm";
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].message.text, "Report written to " + path);
    EXPECT_EQ(dialogs.shown()[0].message.icon, MessageIcon::None);
    EXPECT_EQ(dialogs.shown()[1].kind, ScriptedDialogs::Shown::Kind::Viewer);
    EXPECT_EQ(dialogs.shown()[1].path, path);
    const QByteArray page = ReadAll(path);
    EXPECT_TRUE(page.contains("<h1>Query on orc</h1>\r\n"));
    EXPECT_GT(page.indexOf("<b>Name: </b>Zed<br>"), page.indexOf("<b>Name: </b>Bo<br>"));
    EXPECT_FALSE(page.contains("Amy"));
    EXPECT_EQ(w->Grid1->row(), 2);
    EXPECT_EQ(w->Grid1->col(), 5);
}

TEST_F(Form1Publish, AViewerThatCannotStartIsReportedAndTheReportStays) {
    dialogs.failViewer();
    w->mnucurrent_Click();
    const QString path = c.state().ReportsDir() + "AdHoc.htm";
    EXPECT_EQ(dialogs.messages(),
              (std::vector<QString>{"Report written to " + path,
                                    "No viewer could be started for " + path + "."}));
    EXPECT_TRUE(QFileInfo::exists(path));
}

}  // namespace
}  // namespace tavri
