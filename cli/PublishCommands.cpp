// tavri-cli publish, alpha, site, rtf, report, list and options: the main window's publishing,
// report and options commands without windows, calling the same writers.
//
// The window's questions are answered by flags; its messages go to standard output; progress
// goes to standard error when that is a terminal. Standard output is UTF-8 with LF line ends.
#include <unistd.h>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <map>
#include <optional>

#include "app/AppState.h"
#include "app/EntryList.h"
#include "app/OpenCompendium.h"
#include "app/Startup.h"
#include "base/Sutils.h"
#include "cli/Commands.h"
#include "publish/AdHocReport.h"
#include "publish/AlphaSite.h"
#include "publish/ModernSite.h"
#include "publish/PalmOutput.h"
#include "publish/SitePublisher.h"
#include "store/StoreError.h"

namespace tavri::cli {
namespace {

// Progress on a terminal: the phase on a line of its own, then the entries done, redrawn in
// place at every whole percent.
class TerminalProgress : public PublishProgress {
public:
    TerminalProgress() : enabled_(isatty(fileno(stderr)) == 1) {}
    ~TerminalProgress() override { endLine(); }

    void phase(const QString& name, qint64 total) override {
        count_.start(total);
        if (!enabled_) {
            return;
        }
        endLine();
        Err() << name << "\n";
        Err().flush();
    }
    void step(qint64 walkDone, qint64 walkTotal) override {
        const qint64 done = count_.step(walkDone, walkTotal);
        const qint64 total = count_.total();
        if (!enabled_ || total <= 0) {
            return;
        }
        const qint64 percent = done * 100 / total;
        if (percent == lastPercent_ && done != total) {
            return;
        }
        lastPercent_ = percent;
        Err() << "\r  " << done << " of " << total << " entries";
        Err().flush();
        inLine_ = true;
    }

private:
    void endLine() {
        if (inLine_) {
            Err() << "\n";
            Err().flush();
            inLine_ = false;
        }
        lastPercent_ = -1;
    }
    bool enabled_;
    PhaseCount count_;
    bool inLine_ = false;
    qint64 lastPercent_ = -1;
};

// A command line: the data folder, switches, and options that take a value.
struct Arguments {
    QString dir;
    QStringList switches;
    std::map<QString, QString> values;
    bool help = false;

    bool has(const char* name) const { return switches.contains(QLatin1String(name)); }
    std::optional<QString> value(const char* name) const {
        const auto found = values.find(QLatin1String(name));
        return found == values.end() ? std::nullopt : std::optional<QString>(found->second);
    }
};

// Parses args against the switches and valued options a command knows; an error text when the
// command line cannot be understood.
std::optional<QString> parse(const QStringList& args, const QStringList& knownSwitches,
                             const QStringList& knownValues, Arguments& parsed) {
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            parsed.help = true;
        } else if (knownSwitches.contains(a)) {
            parsed.switches << a;
        } else if (knownValues.contains(a)) {
            if (i + 1 >= args.size()) {
                return QStringLiteral("%1 needs a value").arg(a);
            }
            parsed.values[a] = args[++i];
        } else if (a.startsWith(QLatin1String("--")) && a.contains(QLatin1Char('=')) &&
                   knownValues.contains(a.section(QLatin1Char('='), 0, 0))) {
            parsed.values[a.section(QLatin1Char('='), 0, 0)] = a.section(QLatin1Char('='), 1);
        } else if (a.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option %1").arg(a);
        } else {
            positional << a;
        }
    }
    if (parsed.help) {
        return std::nullopt;
    }
    if (positional.size() != 1) {
        return QStringLiteral("give one data folder");
    }
    parsed.dir = positional.front();
    return std::nullopt;
}

// A compendium that cannot be written is read (list, report) all the same; the store refuses
// its writes with one message.
std::unique_ptr<AppState> openCompendium(const Arguments& a) {
    const QString dir = AddBackslash(a.dir);
    Database::Access access = Database::Access::ReadWrite;
    if (!CanWrite(dir)) {
        access = Database::Access::Immutable;
    } else if (!CanWrite(AppState::DatabasePathIn(dir))) {
        access = Database::Access::ReadOnly;
    }
    std::unique_ptr<AppState> state = AppState::Open(dir, access);
    for (const QString& notice : state->Db->notices()) {
        Err() << notice << "\n";
    }
    Err().flush();
    return state;
}

// The writers put their files below Reports/; make the folders as start-up does.
std::unique_ptr<AppState> openForPublishing(const Arguments& a) {
    std::unique_ptr<AppState> state = openCompendium(a);
    CreateReportFolders(state->DataDir);
    return state;
}

const QStringList kFilterSwitches = {QStringLiteral("--race-only"), QStringLiteral("--changed"),
                                     QStringLiteral("--unchanged")};
const QStringList kFilterValues = {QStringLiteral("--match")};
const char kFilterHelp[] =
    "  --match TEXT   the text match (as typed in the list's Text Match box; case is\n"
    "                 ignored, leading and trailing spaces too)\n"
    "  --race-only    match the race/location only (Just Race/Loc)\n"
    "  --changed      only entries marked as changed\n"
    "  --unchanged    only entries not marked as changed\n";

std::optional<QString> filterFrom(const Arguments& a, ListFilter& filter) {
    if (a.has("--changed") && a.has("--unchanged")) {
        return QStringLiteral("--changed and --unchanged exclude each other");
    }
    filter.matchText = a.value("--match").value_or(QString());
    filter.raceOnly = a.has("--race-only");
    filter.changed = a.has("--changed")     ? ChangedFilter::Changed
                     : a.has("--unchanged") ? ChangedFilter::Unchanged
                                            : ChangedFilter::All;
    return std::nullopt;
}

// Clears the changed flags after a publication. The site is on disk by then, so a failure says
// so rather than leaving the impression that nothing was written.
bool clearFlagsAfterPublishing(AppState& state, Publication& published, PublishProgress& progress) {
    try {
        ClearChangedFlags(state, published, progress);
        return true;
    } catch (const StoreError& e) {
        Err() << "The site was written; the changed flags were not cleared: " << e.message()
              << "\n";
        return false;
    }
}

int runPublish(const QStringList& args) {
    Arguments a;
    if (auto error =
            parse(args, {QStringLiteral("--changed"), QStringLiteral("--keep-changes")}, {}, a)) {
        return UsageError(*error);
    }
    if (a.help) {
        Out() << "Usage: tavri-cli publish DIR [--changed] [--keep-changes]\n"
                 "Publishes the web site of the compendium in DIR into DIR/Reports/: the start\n"
                 "page from framebase.txt, the contents pages, the letter and race/location\n"
                 "index pages and a page per entry with notes; then the reading files of\n"
                 "Reports/palm/. Afterwards the changed flag of every entry published is\n"
                 "cleared.\n"
                 "  --changed       rewrite entry pages only for entries marked as changed\n"
                 "                  (Publish Changed); every other page is written in full\n"
                 "  --keep-changes  leave the changed flags as they are (No to Clear Changes?)\n";
        return 0;
    }
    const auto state = openForPublishing(a);
    TerminalProgress progress;
    const auto published = PublishSite(*state, SitePublishOptions{a.has("--changed")}, progress);
    if (!a.has("--keep-changes") && !clearFlagsAfterPublishing(*state, *published, progress)) {
        return 1;
    }
    Out() << "Published the web site in " << state->ReportsDir() << "\n";
    return 0;
}

int runAlpha(const QStringList& args) {
    Arguments a;
    if (auto error = parse(args, {}, {}, a)) {
        return UsageError(*error);
    }
    if (a.help) {
        Out() << "Usage: tavri-cli alpha DIR\n"
                 "Publishes the alphabetical site of the compendium in DIR into DIR/Reports/:\n"
                 "a frameset with a letter column and a race/location strip, and one page per\n"
                 "letter and per race/location holding its entries in full; then the reading\n"
                 "files of Reports/palm/. Afterwards the changed flag of every entry published is\n"
                 "cleared.\n";
        return 0;
    }
    const auto state = openForPublishing(a);
    TerminalProgress progress;
    const auto published = PublishAlphaSite(*state, progress);
    if (!clearFlagsAfterPublishing(*state, *published, progress)) {
        return 1;
    }
    Out() << "Published the alphabetical site in " << state->ReportsDir() << "\n";
    return 0;
}

int runRtf(const QStringList& args) {
    Arguments a;
    if (auto error = parse(args, {}, {}, a)) {
        return UsageError(*error);
    }
    if (a.help) {
        Out() << "Usage: tavri-cli rtf DIR\n"
                 "Writes one RegionTavri-<race/location>.rtf per race/location of the\n"
                 "compendium in DIR into DIR/Reports/palm/ (Create RTF).\n";
        return 0;
    }
    const auto state = openForPublishing(a);
    TerminalProgress progress;
    RegionRtfOutput(*state, progress);
    Out() << "RTF Written\n";
    return 0;
}

int runReport(const QStringList& args) {
    Arguments a;
    if (auto error = parse(args, kFilterSwitches, kFilterValues, a)) {
        return UsageError(*error);
    }
    if (a.help) {
        Out() << "Usage: tavri-cli report DIR [--match TEXT] [--race-only] "
                 "[--changed|--unchanged]\n"
                 "Writes DIR/Reports/AdHoc.htm for the entries that the list shows under these\n"
                 "filters, in the list's order (Report Current).\n"
              << kFilterHelp;
        return 0;
    }
    ListFilter filter;
    if (auto error = filterFrom(a, filter)) {
        return UsageError(*error);
    }
    const auto state = openForPublishing(a);
    const EntryListing listing = BuildEntryList(*state, filter);
    std::vector<qint64> ids;
    ids.reserve(listing.rows.size());
    for (const ListRow& row : listing.rows) {
        ids.push_back(row.id);
    }
    const QString path = WriteAdHocReport(*state, ids, filter.matchText);
    Out() << ReportWrittenMessage(path) << "\n";
    return 0;
}

int runList(const QStringList& args) {
    Arguments a;
    if (auto error = parse(args, kFilterSwitches, kFilterValues, a)) {
        return UsageError(*error);
    }
    if (a.help) {
        Out() << "Usage: tavri-cli list DIR [--match TEXT] [--race-only] "
                 "[--changed|--unchanged]\n"
                 "Prints the entries that the list shows under these filters, in its order:\n"
                 "one line per entry, the cells More?, Name, Race/Loc, Date, Desc and ID\n"
                 "separated by TAB.\n"
              << kFilterHelp;
        return 0;
    }
    ListFilter filter;
    if (auto error = filterFrom(a, filter)) {
        return UsageError(*error);
    }
    const auto state = openCompendium(a);
    const EntryListing listing = BuildEntryList(*state, filter);
    const QChar tab = QLatin1Char('\t');
    for (const ListRow& row : listing.rows) {
        Out() << row.mark << tab << row.name << tab << row.raceLocation << tab << row.date << tab
              << row.desc << tab << row.id << "\n";
    }
    Out().flush();
    return 0;
}

int runSite(const QStringList& args) {
    Arguments a;
    if (auto error = parse(args, {}, {QStringLiteral("--out"), QStringLiteral("--lang")}, a)) {
        return UsageError(*error);
    }
    if (a.help) {
        Out() << "Usage: tavri-cli site DIR [--out FOLDER] [--lang LANG]\n"
                 "Writes the modern web site of the compendium in DIR into FOLDER (by default\n"
                 "DIR/Reports/site/), beside the classic site: index.html with search, a page\n"
                 "per entry, initial and race/location, and the images the notes use. Open\n"
                 "index.html from disk or put the folder on any web host. Files that did not\n"
                 "change are left alone. Links in notes to entries that no longer exist, and\n"
                 "images the notes use that Reports/images/ lacks, are listed.\n"
                 "  --out FOLDER   write the site there\n"
                 "  --lang LANG    the pages' language tag (default en)\n";
        return 0;
    }
    ModernSiteOptions options;
    options.folder = a.value("--out").value_or(QString());
    options.lang = a.value("--lang").value_or(options.lang);
    static const QRegularExpression languageTag(
        QStringLiteral("^[A-Za-z]{2,8}(-[A-Za-z0-9]{1,8})*$"));
    if (!languageTag.match(options.lang).hasMatch()) {
        return UsageError(QStringLiteral("--lang takes a language tag such as en or de-CH"));
    }
    const auto state = openForPublishing(a);
    TerminalProgress progress;
    const ModernSiteReport report = WriteModernSite(*state, options, progress);
    Out() << "Wrote the web site in " << report.folder << ": " << report.pages << " pages for "
          << report.entries << " entries, " << report.written << " files changed.\n"
          << "Open " << report.folder << "index.html\n";
    for (const QString& line : DescribeProblems(report)) {
        Out() << line << "\n";
    }
    return 0;
}

// The four values of the Options command, by their prompts and fields.
struct OptionField {
    const char* flag;
    const char* prompt;
    const char16_t* field;
};
const OptionField kOptionFields[] = {
    {"--campaign", "Tavri Name", u"campaign"},
    {"--background", "Background Colour", u"nameH"},
    {"--ink", "Ink Colour", u"inkcolour"},
    {"--link", "Link Colour", u"linkcolour"},
};

int runOptions(const QStringList& args) {
    Arguments a;
    QStringList flags;
    for (const OptionField& f : kOptionFields) {
        flags << QLatin1String(f.flag);
    }
    if (auto error = parse(args, {}, flags, a)) {
        return UsageError(*error);
    }
    if (a.help) {
        Out() << "Usage: tavri-cli options DIR [--campaign TEXT] [--background COLOUR] "
                 "[--ink COLOUR] [--link COLOUR]\n"
                 "Sets the compendium's title and the colours of the published pages, each\n"
                 "given value exactly as typed (an empty value keeps the old one). With no\n"
                 "option, prints the four values.\n";
        return 0;
    }
    const auto state = openCompendium(a);
    Recordset& options = *state->OptionsRs;
    if (a.values.empty()) {
        for (const OptionField& f : kOptionFields) {
            Out() << f.prompt << ": " << options.text(f.field) << "\n";
        }
        return 0;
    }
    options.edit();
    for (const OptionField& f : kOptionFields) {
        const std::optional<QString> v = a.value(f.flag);
        if (v && !v->isEmpty()) {
            options.setField(f.field, *v);
        }
    }
    options.update();
    return 0;
}

const Registration kPublish(QStringLiteral("publish"),
                            QStringLiteral("publish the web site (--changed: changed pages only)"),
                            runPublish);
const Registration kAlpha(QStringLiteral("alpha"), QStringLiteral("publish the alphabetical site"),
                          runAlpha);
const Registration kSite(QStringLiteral("site"),
                         QStringLiteral("write the modern web site with search (Reports/site/)"),
                         runSite);
const Registration kRtf(QStringLiteral("rtf"),
                        QStringLiteral("write the region RTF files (Create RTF)"), runRtf);
const Registration kReport(QStringLiteral("report"),
                           QStringLiteral("write AdHoc.htm for the entries a filter lists"),
                           runReport);
const Registration kList(QStringLiteral("list"),
                         QStringLiteral("print the entries a filter lists, TAB-separated"),
                         runList);
const Registration kOptions(QStringLiteral("options"),
                            QStringLiteral("show or set the title and the page colours"),
                            runOptions);

}  // namespace
}  // namespace tavri::cli
