// The main window's publishing commands: Publish, Publish Changed, AlphaPage (and Publish
// Alpha), Create RTF, Report Current and the Export menu's web site and e-book. The writers in
// publish/ do the work; these handlers ask the questions, show the progress in Frame2 and say what
// happened: a message or a beep, then a status line with how many entries went where, and how
// long it took.
//
// While a publication runs the window's commands are off, so the pending events that the
// progress lets through (to repaint Frame2) cannot start another command. Whatever way a run
// ends, the pointer is the arrow again, Frame2 is hidden, the commands are back on and the
// publish-changed marker is empty; a failed run is reported after that, with the file or
// operation and the system's reason, and has cleared no changed flag.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <functional>
#include <optional>

#include "app/OpenCompendium.h"
#include "base/Sutils.h"
#include "publish/AdHocReport.h"
#include "publish/AlphaSite.h"
#include "publish/BookIdentifier.h"
#include "publish/EpubBook.h"
#include "publish/ModernSite.h"
#include "publish/PalmFolder.h"
#include "publish/PalmOutput.h"
#include "publish/SitePublisher.h"
#include "ui/Form1.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

constexpr int kBarSteps = 1000;

// The publication's progress in Frame2: the phase in Label3, the entry in Label2 and a bar
// that runs once per phase; each change is painted by processing pending events. Once the
// user has asked to close the window, Label3 keeps saying that the run is being finished.
class WindowProgress : public PublishProgress {
public:
    explicit WindowProgress(Form1& window) : w_(window) {}

    void phase(const QString& name, qint64 total) override {
        count_.start(total);
        if (!w_.closeRequested()) {
            w_.Label3->setText(name);
        }
        w_.ProgressBar->setValue(0);
        barValue_ = 0;
        QCoreApplication::processEvents();
    }
    void entry(const QString& name) override {
        w_.Label2->setText(name);
        QCoreApplication::processEvents();
    }
    void step(qint64 walkDone, qint64 walkTotal) override {
        const qint64 done = count_.step(walkDone, walkTotal);
        const int value =
            count_.total() > 0 ? static_cast<int>(done * kBarSteps / count_.total()) : 0;
        if (value != barValue_) {
            barValue_ = value;
            w_.ProgressBar->setValue(value);
            QCoreApplication::processEvents();
        }
    }

private:
    Form1& w_;
    PhaseCount count_;
    int barValue_ = 0;
};

// The window while a publication runs: busy pointer, commands off, Frame2 shown. All of it is
// undone when the scope ends, however the run ended; the marker is emptied then too.
class PublicationScope {
public:
    explicit PublicationScope(Form1& window) : w_(window) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        w_.setCommandsEnabled(false);
        w_.statusBar()->clearMessage();
        w_.Label3->setText(PhaseName(PublishPhase::IndexPages));
        w_.Label2->clear();
        w_.ProgressBar->setRange(0, kBarSteps);
        w_.ProgressBar->setValue(0);
        w_.Frame2->raise();
        w_.Frame2->show();
    }
    ~PublicationScope() {
        arrow();
        w_.Command4Tag.clear();
        w_.Frame2->hide();
        w_.setCommandsEnabled(true);
    }
    PublicationScope(const PublicationScope&) = delete;
    PublicationScope& operator=(const PublicationScope&) = delete;

    // The pointer goes back to the arrow before the changed flags are cleared.
    void arrow() {
        if (busy_) {
            QApplication::restoreOverrideCursor();
            busy_ = false;
        }
    }

private:
    Form1& w_;
    bool busy_ = true;
};

// "Published N entries to <folder> in S s", S in seconds with one decimal.
QString PublishedMessage(qint64 entries, const QString& folder, const QElapsedTimer& clock) {
    return QStringLiteral("Published %1 entries to %2 in %3 s")
        .arg(entries)
        .arg(folder)
        .arg(QString::number(static_cast<double>(clock.elapsed()) / 1000.0, 'f', 1));
}

// Runs fn; the message of a StoreError or FileError it throws, if any.
template <typename Fn>
std::optional<QString> failureOf(Fn&& fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.message();
    }
    return std::nullopt;
}

// The first lines of a list of problems for a message box, and how many more the command of
// tavri-cli that writes the same output would list.
QStringList ShortList(QStringList lines, const char* command) {
    constexpr qsizetype kShown = 20;
    if (lines.size() > kShown) {
        const qsizetype more = lines.size() - kShown;
        lines.resize(kShown);
        lines << QStringLiteral("and %1 more (tavri-cli %2 lists them all)").arg(more).arg(command);
    }
    return lines;
}

}  // namespace

void Form1::connectPublishCommands() {
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(mnualpha, &QAction::triggered, this, &Form1::mnualpha_Click);
    connect(mnucurrent, &QAction::triggered, this, &Form1::mnucurrent_Click);
    connect(mnuwebsite, &QAction::triggered, this, &Form1::mnuwebsite_Click);
    connect(mnuebook, &QAction::triggered, this, &Form1::mnuebook_Click);
}

void Form1::Command4_Click() {
    if (RefusedAsReadOnly(state_, dialogs_)) {
        return;
    }
    const bool changedOnly = Command4Tag == QLatin1String("changed");
    if (!changedOnly &&
        !dialogs_.ask(QStringLiteral("Are you sure you want to publish the entire Tavri"),
                      state_.AppTitle, Answer::No)) {
        return;
    }
    const bool clearChanges =
        dialogs_.ask(QStringLiteral("Clear Changes?"), state_.AppTitle, Answer::Yes);
    runPublication([&](PublishProgress& progress, const std::function<void()>& beep) {
        const auto published = PublishSite(state_, SitePublishOptions{changedOnly}, progress);
        beep();
        if (clearChanges) {
            ClearChangedFlags(state_, *published, progress);
        }
        return published->published();
    });
}

// The run of a site publication: the window made busy, the publication, and afterwards the
// status line or the error. publish gets the progress and a beep to sound when the files are
// written (it also puts the pointer back and empties the marker) and answers the number of
// entries published.
void Form1::runPublication(
    const std::function<qint64(PublishProgress&, const std::function<void()>&)>& publish) {
    QElapsedTimer clock;
    clock.start();
    std::optional<QString> failure;
    qint64 published = 0;
    {
        PublicationScope scope(*this);
        WindowProgress progress(*this);
        failure = failureOf([&] {
            published = publish(progress, [&] {
                dialogs_.beep();
                scope.arrow();
                Command4Tag.clear();
            });
        });
    }
    if (failure) {
        reportError(*failure);
        return;
    }
    statusBar()->showMessage(PublishedMessage(
        published, state_.ReportsDir() + QStringLiteral(" and ") + state_.PalmDir(), clock));
}

void Form1::Command6_Click() {
    Command4Tag = QStringLiteral("changed");
    Command4_Click();
}

// The alphabetical site replaces the web site's shared pages and clears every changed mark,
// the only record of what still needs publishing, so it is never started by one stray click.
void Form1::mnualpha_Click() {
    if (RefusedAsReadOnly(state_, dialogs_)) {
        return;
    }
    if (!dialogs_.ask(QStringLiteral("Publish the alphabetical site? It replaces the start and "
                                     "index pages of the web site and clears every changed mark."),
                      state_.AppTitle, Answer::No)) {
        return;
    }
    runPublication([&](PublishProgress& progress, const std::function<void()>& beep) {
        const auto published = PublishAlphaSite(state_, progress);
        beep();
        ClearChangedFlags(state_, *published, progress);
        return published->published();
    });
}

void Form1::Command8_Click() {
    mnualpha_Click();
}

void Form1::Command7_Click() {
    QElapsedTimer clock;
    clock.start();
    statusBar()->clearMessage();
    guarded([&] {
        PublishProgress quiet;
        const qint64 written = RegionRtfOutput(state_, quiet);
        dialogs_.beep();
        if (written == 0) {
            const QString nothing =
                QStringLiteral("No RTF written: the compendium has no entries.");
            dialogs_.inform(nothing);
            statusBar()->showMessage(nothing);
            return;
        }
        dialogs_.inform(QStringLiteral("RTF Written"));
        statusBar()->showMessage(PublishedMessage(written, state_.PalmDir(), clock));
    });
}

void Form1::mnucurrent_Click() {
    // The ids of the rows the list shows, read from the ID column as the list shows them.
    std::vector<qint64> ids;
    ids.reserve(static_cast<size_t>(std::max(0, Grid1->rows() - 1)));
    for (int row = 1; row < Grid1->rows(); ++row) {
        Grid1->setRow(row);
        Grid1->setCol(5);
        ids.push_back(static_cast<qint64>(LeadingNumber(Grid1->text())));
    }
    QElapsedTimer clock;
    clock.start();
    statusBar()->clearMessage();
    guarded([&] {
        const QString path = WriteAdHocReport(state_, ids, Combo1->currentText());
        statusBar()->showMessage(
            PublishedMessage(static_cast<qint64>(ids.size()), state_.ReportsDir(), clock));
        dialogs_.inform(ReportWrittenMessage(path));
        if (!dialogs_.openViewer(path)) {
            dialogs_.inform(QStringLiteral("No viewer could be started for %1.").arg(path),
                            QString(), MessageIcon::Warning);
        }
    });
}

// The modern web site, beside the classic one; the status line says where it is and what the
// writer should mend. The changed flags stay as they are: this is no publication.
void Form1::mnuwebsite_Click() {
    std::optional<ModernSiteReport> report;
    std::optional<QString> failure;
    {
        PublicationScope scope(*this);
        WindowProgress progress(*this);
        failure = failureOf([&] {
            report = WriteModernSite(state_, ModernSiteOptions(), progress);
            dialogs_.beep();
        });
    }
    if (failure) {
        reportError(*failure);
        return;
    }
    statusBar()->showMessage(QStringLiteral("Web site written: %1index.html").arg(report->folder));
    const QStringList problems = ShortList(DescribeProblems(*report), "site");
    if (!problems.isEmpty()) {
        dialogs_.inform(QStringLiteral("The web site is written. Its notes hold these links and "
                                       "images, which you may want to mend:\n") +
                            problems.join(QLatin1Char('\n')),
                        state_.AppTitle, MessageIcon::Warning);
    }
}

// The e-book, in the palm folder beside the other reading files, in the web site's language. The
// status line names the file; what the notes lost on the way is listed as the web site's
// problems are. The changed flags stay as they are: this is no publication.
void Form1::mnuebook_Click() {
    std::optional<EpubReport> report;
    const QString path = DefaultEpubPath(state_);
    std::optional<QString> failure;
    {
        PublicationScope scope(*this);
        WindowProgress progress(*this);
        failure = failureOf([&] {
            EnsurePalmFolder(state_);
            EpubOptions options;
            options.identifier = BookIdentifier(state_);
            options.language = ModernSiteOptions().lang;
            report = WriteEpubBook(state_, path, options, progress);
            dialogs_.beep();
        });
    }
    if (failure) {
        reportError(*failure);
        return;
    }
    statusBar()->showMessage(QStringLiteral("E-book written: %1").arg(path));
    const QStringList dropped = ShortList(report->dropped, "epub");
    if (!dropped.isEmpty()) {
        dialogs_.inform(QStringLiteral("The e-book is written. These parts of the notes are not "
                                       "in it:\n") +
                            dropped.join(QLatin1Char('\n')),
                        state_.AppTitle, MessageIcon::Warning);
    }
}

}  // namespace tavri
