// The main window's publishing commands: Publish, Publish Changed, AlphaPage (and Publish
// Alpha), Create RTF, Report Current and the Export menu's web site. The writers in publish/ do the
// work; these handlers ask the questions, show the progress in Frame2 and say what happened.
//
// While a publication runs the window's commands are off, so the pending events that the
// progress lets through (to repaint Frame2) cannot start another command. Whatever way a run
// ends, the pointer is the arrow again, Frame2 is hidden, the commands are back on and the
// publish-changed marker is empty; a failed run is reported after that, with the file or
// operation and the system's reason, and has cleared no changed flag.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <optional>

#include "app/Sutils.h"
#include "publish/AdHocReport.h"
#include "publish/AlphaSite.h"
#include "publish/ModernSite.h"
#include "publish/PalmOutput.h"
#include "publish/SitePublisher.h"
#include "ui/Form1.h"
#include "ui/Grid1.h"

namespace tavri {
namespace {

constexpr int kBarSteps = 1000;

// The publication's progress in Frame2: the phase in Label3, the entry in Label2 and the bar
// of entries done; each change is painted by processing pending events.
class WindowProgress : public PublishProgress {
public:
    explicit WindowProgress(Form1& window) : w_(window) {}

    void phase(const QString& text) override {
        w_.Label3->setText(text);
        w_.ProgressBar->setValue(0);
        barValue_ = 0;
        QCoreApplication::processEvents();
    }
    void entry(const QString& name) override {
        w_.Label2->setText(name);
        QCoreApplication::processEvents();
    }
    void step(qint64 done, qint64 total) override {
        const int value = total > 0 ? static_cast<int>(done * kBarSteps / total) : 0;
        if (value != barValue_) {
            barValue_ = value;
            w_.ProgressBar->setValue(value);
            QCoreApplication::processEvents();
        }
    }

private:
    Form1& w_;
    int barValue_ = 0;
};

// The window while a publication runs: busy pointer, commands off, Frame2 shown. All of it is
// undone when the scope ends, however the run ended; the marker is emptied then too.
class PublicationScope {
public:
    explicit PublicationScope(Form1& window) : w_(window) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        w_.setCommandsEnabled(false);
        w_.ProgressBar->setRange(0, kBarSteps);
        w_.ProgressBar->setValue(0);
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

// Runs fn; the message of a StoreError or FileError it throws, if any.
template <typename Fn>
std::optional<QString> failureOf(Fn&& fn) {
    try {
        fn();
    } catch (const StoreError& e) {
        return e.message();
    } catch (const FileError& e) {
        return e.message();
    }
    return std::nullopt;
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
}

void Form1::Command4_Click() {
    const bool changedOnly = Command4Tag == QLatin1String("changed");
    if (!changedOnly &&
        !dialogs_.ask(QStringLiteral("Are you sure you want to publish the entire Tavri"),
                      state_.AppTitle, Answer::No)) {
        return;
    }
    const bool clearChanges =
        dialogs_.ask(QStringLiteral("Clear Changes?"), state_.AppTitle, Answer::Yes);
    std::optional<QString> failure;
    {
        PublicationScope scope(*this);
        WindowProgress progress(*this);
        failure = failureOf([&] {
            const auto published = PublishSite(state_, SitePublishOptions{changedOnly}, progress);
            dialogs_.beep();
            scope.arrow();
            Command4Tag.clear();
            if (clearChanges) {
                ClearChangedFlags(state_, *published, progress);
            }
        });
    }
    if (failure) {
        reportError(*failure);
    }
}

void Form1::Command6_Click() {
    Command4Tag = QStringLiteral("changed");
    Command4_Click();
}

void Form1::mnualpha_Click() {
    std::optional<QString> failure;
    {
        PublicationScope scope(*this);
        WindowProgress progress(*this);
        failure = failureOf([&] {
            const auto published = PublishAlphaSite(state_, progress);
            dialogs_.beep();
            scope.arrow();
            Command4Tag.clear();
            ClearChangedFlags(state_, *published, progress);
        });
    }
    if (failure) {
        reportError(*failure);
    }
}

void Form1::Command8_Click() {
    mnualpha_Click();
}

void Form1::Command7_Click() {
    guarded([&] {
        PublishProgress quiet;
        RegionRtfOutput(state_, quiet);
        dialogs_.beep();
        dialogs_.inform(QStringLiteral("RTF Written"));
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
    guarded([&] {
        const QString path = WriteAdHocReport(state_, ids, Combo1->currentText());
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
    constexpr qsizetype kShown = 20;
    QStringList problems = DescribeProblems(*report);
    if (problems.size() > kShown) {
        const qsizetype more = problems.size() - kShown;
        problems.resize(kShown);
        problems << QStringLiteral("and %1 more (tavri-cli site lists them all)").arg(more);
    }
    if (!problems.isEmpty()) {
        dialogs_.inform(QStringLiteral("The web site is written. Its notes hold these links and "
                                       "images, which you may want to mend:\n") +
                            problems.join(QLatin1Char('\n')),
                        state_.AppTitle, MessageIcon::Warning);
    }
}

}  // namespace tavri
