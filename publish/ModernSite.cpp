// The modern web site: the compendium read once in name order, its notes rendered (which also
// yields the backlinks), then every page written from that model.
#include "publish/ModernSite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <functional>

#include "base/FileError.h"
#include "base/OutputFile.h"
#include "base/Sutils.h"
#include "publish/FileNames.h"
#include "publish/ModernSiteAssets.h"
#include "publish/NotesHtml.h"
#include "store/Collation.h"

namespace tavri {
namespace {

struct SiteEntry {
    qint64 id = 0;
    QString name, raceLocation, date, desc, notes;
    bool changed = false;
    int group = -1;  // into SiteModel::groups; -1 for a blank race/location
    QString notesHtml;
    std::vector<int> mentionedIn;  // entries (in name order) whose notes link here
};

// A page listing entries: an initial or a race/location. Spellings that differ only in letter
// case share a page; its title is the spelling of the entry with the lowest id, the one that
// came first.
struct SiteList {
    QString title;
    QString page;
    qint64 titleId = 0;
    std::vector<int> entries;  // in name order
};

struct SiteModel {
    QString campaign;
    std::vector<SiteEntry> entries;  // in name order
    std::vector<SiteList> letters;   // in the order of their titles
    std::vector<SiteList> groups;
};

QString pageName(const QString& prefix, const QString& text) {
    QString name = prefix;
    for (const char32_t c : text.toUcs4()) {
        const QString ch = QString::fromUcs4(&c, 1);
        if (QChar::isLetterOrNumber(c)) {
            name += ch.toLower();
        } else if (c == U'-') {
            name += QLatin1Char('-');
        } else if (c == U' ') {
            name += QLatin1Char('_');
        } else {
            name += QStringLiteral("~%1~").arg(static_cast<uint>(c), 0, 16);
        }
    }
    return name + QStringLiteral(".html");
}

QString href(const QString& page) {
    return QString::fromLatin1(QUrl::toPercentEncoding(page));
}

// Orders lists by title in the compendium's order, titles equal there by their page name; when
// entries are given, their groups follow their lists.
void sortLists(std::vector<SiteList>& lists, std::vector<SiteEntry>* entries) {
    std::vector<int> order(lists.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = compareKeys(lists[a].title, lists[b].title);
        return c != 0 ? c < 0 : lists[a].page < lists[b].page;
    });
    std::vector<SiteList> sorted;
    std::vector<int> newIndex(lists.size());
    for (size_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = static_cast<int>(i);
        sorted.push_back(std::move(lists[order[i]]));
    }
    lists = std::move(sorted);
    if (entries == nullptr) {
        return;
    }
    for (SiteEntry& e : *entries) {
        if (e.group >= 0) {
            e.group = newIndex[e.group];
        }
    }
}

SiteModel readModel(AppState& state) {
    SiteModel model;
    model.campaign = state.OptionsRs->text(u"campaign");
    Recordset& rs = *state.EntryRs;
    QHash<QString, int> letterOf, groupOf;
    rs.setIndex(u"namedex");
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        SiteEntry e;
        e.id = rs.field(u"id").toLongLong();
        e.name = TrimSpaces(rs.text(u"name"));
        e.raceLocation = TrimSpaces(rs.text(u"race-location"));
        e.date = TrimSpaces(rs.text(u"date"));
        e.desc = TrimSpaces(rs.text(u"desc"));
        e.notes = rs.text(u"details");
        e.changed = rs.field(u"changed").toBool();
        const int index = static_cast<int>(model.entries.size());
        const QString initial = SiteInitial(e.name);
        const QString letterPage = SiteLetterPage(initial);
        auto letter = letterOf.find(letterPage);
        if (letter == letterOf.end()) {
            letter = letterOf.insert(letterPage, static_cast<int>(model.letters.size()));
            model.letters.push_back(SiteList{initial, letterPage, e.id, {}});
        }
        model.letters[*letter].entries.push_back(index);
        if (!e.raceLocation.isEmpty()) {
            const QString groupPage = SiteGroupPage(e.raceLocation);
            auto group = groupOf.find(groupPage);
            if (group == groupOf.end()) {
                group = groupOf.insert(groupPage, static_cast<int>(model.groups.size()));
                model.groups.push_back(SiteList{e.raceLocation, groupPage, e.id, {}});
            }
            e.group = *group;
            SiteList& list = model.groups[e.group];
            if (e.id < list.titleId) {
                list.title = e.raceLocation;
                list.titleId = e.id;
            }
            model.groups[e.group].entries.push_back(index);
        }
        model.entries.push_back(std::move(e));
    }
    sortLists(model.letters, nullptr);
    sortLists(model.groups, &model.entries);
    return model;
}

// The images the notes use, in order of first use, each with the entries that use it.
struct ImageUse {
    QStringList images;
    QHash<QString, std::vector<int>> users;
};

// Renders every entry's notes; fills the backlinks and the report's broken links. Reports the
// first half of the run's steps (the pages are the second).
ImageUse renderNotes(SiteModel& model, ModernSiteReport& report, PublishProgress& progress) {
    QHash<qint64, int> indexOf;
    indexOf.reserve(static_cast<qsizetype>(model.entries.size()));
    for (size_t i = 0; i < model.entries.size(); ++i) {
        indexOf.insert(model.entries[i].id, static_cast<int>(i));
    }
    NotesRules rules;
    rules.entryHref = [&](qint64 id) -> std::optional<QString> {
        if (!indexOf.contains(id)) {
            return std::nullopt;
        }
        return SiteEntryPage(id);
    };
    rules.imageHref = [](const QString& image) {
        return QStringLiteral("images/") + QString::fromLatin1(QUrl::toPercentEncoding(image, "/"));
    };
    NotesHtml parser;
    NotesFindings found;
    ImageUse use;
    for (size_t i = 0; i < model.entries.size(); ++i) {
        SiteEntry& e = model.entries[i];
        progress.step(static_cast<qint64>(i) + 1, 2 * static_cast<qint64>(model.entries.size()));
        if (IsBlank(e.notes)) {
            continue;
        }
        e.notesHtml = parser.render(e.notes, rules, found);
        e.notes.clear();
        for (qint64 target : found.linkedEntries) {
            if (target != e.id) {
                model.entries[indexOf.value(target)].mentionedIn.push_back(static_cast<int>(i));
            }
        }
        for (qint64 target : found.brokenLinks) {
            report.brokenLinks.push_back({e.id, e.name, EntryPageName(target)});
        }
        for (const QString& image : found.images) {
            auto users = use.users.find(image);
            if (users == use.users.end()) {
                use.images.push_back(image);
                users = use.users.insert(image, {});
            }
            users->push_back(static_cast<int>(i));
        }
    }
    return use;
}

class SiteWriter {
public:
    SiteWriter(const SiteModel& model, const ModernSiteOptions& options, ModernSiteReport& report)
        : m_(model), options_(options), report_(report) {}

    void page(const QString& name, const QString& title, const std::function<void(QString&)>& body,
              const QString& scripts = QString()) {
        QString s;
        s.reserve(4096);
        s += QStringLiteral("<!doctype html>\r\n<html lang=\"") + EscapeMarkup(options_.lang) +
             QStringLiteral(
                 "\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
                 "<meta name=\"viewport\" content=\"width=device-width, "
                 "initial-scale=1\">\r\n<title>");
        s += EscapeMarkup(title);
        s += QStringLiteral(
            "</title>\r\n<link rel=\"stylesheet\" href=\"style.css\">\r\n</head>\r\n<body>\r\n"
            "<header class=\"site\"><a href=\"index.html\">");
        s += EscapeMarkup(m_.campaign);
        s += QStringLiteral("</a></header>\r\n<main>\r\n");
        body(s);
        s += QStringLiteral("</main>\r\n");
        s += scripts;
        s += QStringLiteral("</body>\r\n</html>\r\n");
        file(name, s);
        ++report_.pages;
    }

    // A file of text (encoded as UTF-8 by OutputFile) or of bytes copied as they are.
    void file(const QString& name, const QString& text) {
        write(name, [&](OutputFile& out) { out.part(text); });
    }
    void raw(const QString& name, const QByteArray& bytes) {
        write(name, [&](OutputFile& out) { out.raw(bytes); });
    }

    const QSet<QString>& written() const { return written_; }

private:
    void write(const QString& name, const std::function<void(OutputFile&)>& fill) {
        OutputFile out(report_.folder + name, OutputFormat::Html);
        fill(out);
        out.close();
        written_.insert(name);
        report_.written += out.rewritten() ? 1 : 0;
    }

    const SiteModel& m_;
    const ModernSiteOptions& options_;
    ModernSiteReport& report_;
    QSet<QString> written_;
};

QString countText(size_t n) {
    return n == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(n);
}

void entryLink(QString& s, const SiteEntry& e) {
    s += QStringLiteral("<a href=\"") + SiteEntryPage(e.id) + QStringLiteral("\">");
    s += EscapeMarkup(e.name);
    s += QStringLiteral("</a>");
}

// The description, escaped, with its line breaks shown.
QString descHtml(const QString& desc) {
    QStringList lines = SplitLines(desc);
    for (QString& line : lines) {
        line = EscapeMarkup(line);
    }
    return lines.join(QStringLiteral("<br>"));
}

void entryList(QString& s, const SiteModel& m, const std::vector<int>& entries) {
    s += QStringLiteral("<dl class=\"entries\">\r\n");
    for (int i : entries) {
        const SiteEntry& e = m.entries[i];
        s += QStringLiteral("<dt>");
        entryLink(s, e);
        if (!e.date.isEmpty()) {
            s += QStringLiteral(" <span class=\"date\">") + EscapeMarkup(e.date) +
                 QStringLiteral("</span>");
        }
        s += QStringLiteral("</dt><dd>");
        s += descHtml(e.desc);
        s += QStringLiteral("</dd>\r\n");
    }
    s += QStringLiteral("</dl>\r\n");
}

void listPage(SiteWriter& w, const SiteModel& m, const SiteList& list, const QString& kind) {
    w.page(list.page, list.title + QStringLiteral(" · ") + m.campaign, [&](QString& s) {
        s += QStringLiteral("<h1>") + EscapeMarkup(list.title) + QStringLiteral("</h1>\r\n");
        s += QStringLiteral("<p class=\"count\">") + kind + QStringLiteral(", ") +
             countText(list.entries.size()) + QStringLiteral("</p>\r\n");
        entryList(s, m, list.entries);
    });
}

void navList(QString& s, const std::vector<SiteList>& lists, const QString& cls) {
    s += QStringLiteral("<ul class=\"") + cls + QStringLiteral("\">\r\n");
    for (const SiteList& l : lists) {
        s += QStringLiteral("<li><a href=\"") + href(l.page) + QStringLiteral("\">") +
             EscapeMarkup(l.title) + QStringLiteral("</a> <span class=\"n\">") +
             QString::number(l.entries.size()) + QStringLiteral("</span></li>\r\n");
    }
    s += QStringLiteral("</ul>\r\n");
}

// The most changed entries the start page lists, in name order: after a large upload nearly all
// are changed, and each still has its initial's and race/location's page.
constexpr size_t kChangedShown = 100;

void indexPage(SiteWriter& w, const SiteModel& m) {
    const QString scripts = QStringLiteral(
        "<script src=\"search-index.js\" defer></script>\r\n<script src=\"search.js\" "
        "defer></script>\r\n");
    w.page(
        QStringLiteral("index.html"), m.campaign,
        [&](QString& s) {
            s += QStringLiteral("<h1>") + EscapeMarkup(m.campaign) + QStringLiteral("</h1>\r\n");
            s += QStringLiteral("<p class=\"count\">") + countText(m.entries.size()) +
                 QStringLiteral("</p>\r\n");
            s += QStringLiteral(
                "<section id=\"search\" class=\"search\" hidden>\r\n"
                "<h2><label for=\"q\">Search</label></h2>\r\n"
                "<input type=\"search\" id=\"q\" autocomplete=\"off\" spellcheck=\"false\" "
                "placeholder=\"Name, race/location, date or description\">\r\n"
                "<p id=\"status\" class=\"count\" aria-live=\"polite\"></p>\r\n"
                "<dl id=\"results\" class=\"entries\"></dl>\r\n"
                "</section>\r\n");
            s += QStringLiteral(
                "<nav aria-labelledby=\"by-initial\">\r\n"
                "<h2 id=\"by-initial\">By initial</h2>\r\n");
            navList(s, m.letters, QStringLiteral("initials"));
            s += QStringLiteral(
                "</nav>\r\n<nav aria-labelledby=\"by-group\">\r\n"
                "<h2 id=\"by-group\">By race/location</h2>\r\n");
            navList(s, m.groups, QStringLiteral("groups"));
            s += QStringLiteral(
                "</nav>\r\n<section aria-labelledby=\"changed\">\r\n"
                "<h2 id=\"changed\">Recently changed</h2>\r\n");
            std::vector<int> changed;
            for (size_t i = 0; i < m.entries.size(); ++i) {
                if (m.entries[i].changed) {
                    changed.push_back(static_cast<int>(i));
                }
            }
            if (changed.empty()) {
                s += QStringLiteral("<p>Nothing has changed since the last publication.</p>\r\n");
            } else {
                const size_t all = changed.size();
                changed.resize(std::min(all, kChangedShown));
                entryList(s, m, changed);
                if (all > kChangedShown) {
                    s += QStringLiteral("<p class=\"count\">And %1 more.</p>\r\n")
                             .arg(all - kChangedShown);
                }
            }
            s += QStringLiteral("</section>\r\n");
        },
        scripts);
}

void entryPage(SiteWriter& w, const SiteModel& m, size_t i) {
    const SiteEntry& e = m.entries[i];
    w.page(SiteEntryPage(e.id), e.name + QStringLiteral(" · ") + m.campaign, [&](QString& s) {
        s += QStringLiteral("<article>\r\n<h1>") + EscapeMarkup(e.name) +
             QStringLiteral("</h1>\r\n");
        if (e.group >= 0 || !e.date.isEmpty()) {
            s += QStringLiteral("<dl class=\"facts\">\r\n");
            if (e.group >= 0) {
                s += QStringLiteral("<dt>Race/location</dt><dd><a href=\"") +
                     href(m.groups[e.group].page) + QStringLiteral("\">") +
                     EscapeMarkup(e.raceLocation) + QStringLiteral("</a></dd>\r\n");
            }
            if (!e.date.isEmpty()) {
                s += QStringLiteral("<dt>Date</dt><dd>") + EscapeMarkup(e.date) +
                     QStringLiteral("</dd>\r\n");
            }
            s += QStringLiteral("</dl>\r\n");
        }
        if (!e.desc.isEmpty()) {
            s += QStringLiteral("<p class=\"desc\">") + descHtml(e.desc) +
                 QStringLiteral("</p>\r\n");
        }
        if (!e.notesHtml.isEmpty()) {
            s += QStringLiteral("<div class=\"notes\">\r\n") + e.notesHtml +
                 QStringLiteral("\r\n</div>\r\n");
        }
        if (!e.mentionedIn.empty()) {
            s +=
                QStringLiteral("<section class=\"mentions\">\r\n<h2>Mentioned in</h2>\r\n<ul>\r\n");
            for (int from : e.mentionedIn) {
                s += QStringLiteral("<li>");
                entryLink(s, m.entries[from]);
                s += QStringLiteral("</li>\r\n");
            }
            s += QStringLiteral("</ul>\r\n</section>\r\n");
        }
        s += QStringLiteral("</article>\r\n");
        if (m.entries.size() > 1) {
            s += QStringLiteral("<nav class=\"pager\" aria-label=\"Previous and next entry\">\r\n");
            if (i > 0) {
                s += QStringLiteral("<a rel=\"prev\" href=\"") +
                     SiteEntryPage(m.entries[i - 1].id) + QStringLiteral("\">← ") +
                     EscapeMarkup(m.entries[i - 1].name) + QStringLiteral("</a>\r\n");
            }
            if (i + 1 < m.entries.size()) {
                s += QStringLiteral("<a rel=\"next\" href=\"") +
                     SiteEntryPage(m.entries[i + 1].id) + QStringLiteral("\">") +
                     EscapeMarkup(m.entries[i + 1].name) + QStringLiteral(" →</a>\r\n");
            }
            s += QStringLiteral("</nav>\r\n");
        }
    });
}

void jsonString(QString& out, QStringView text) {
    out += QLatin1Char('"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == u'"' || u == u'\\') {
            out += QLatin1Char('\\');
            out += QChar(u);
        } else if (u == u'\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            continue;  // CR LF is one line break
        } else if (u < 0x20 || u == 0x2028 || u == 0x2029) {
            out += QLatin1Char(' ');  // line breaks and controls: the index holds one-line texts
        } else {
            out += QChar(u);
        }
    }
    out += QLatin1Char('"');
}

// The search index as a script: one array per field, the race/locations once each.
QString searchIndex(const SiteModel& m) {
    QString s;
    s.reserve(static_cast<qsizetype>(m.entries.size()) * 96 + 256);
    s += QStringLiteral("var TAVRI_INDEX = {\"groups\": [");
    for (size_t g = 0; g < m.groups.size(); ++g) {
        s += g > 0 ? QStringLiteral(",") : QString();
        jsonString(s, m.groups[g].title);
    }
    const auto column = [&](const char* name, const std::function<void(const SiteEntry&)>& value) {
        s += QStringLiteral("],\r\n\"") + QLatin1String(name) + QStringLiteral("\": [");
        bool first = true;
        for (const SiteEntry& e : m.entries) {
            if (!first) {
                s += QLatin1Char(',');
            }
            first = false;
            value(e);
        }
    };
    column("id", [&](const SiteEntry& e) { s += QString::number(e.id); });
    column("group", [&](const SiteEntry& e) { s += QString::number(e.group); });
    column("name", [&](const SiteEntry& e) { jsonString(s, e.name); });
    column("date", [&](const SiteEntry& e) { jsonString(s, e.date); });
    column("desc", [&](const SiteEntry& e) { jsonString(s, e.desc); });
    s += QStringLiteral("]};\r\n");
    return s;
}

void copyImages(SiteWriter& w, const AppState& state, const SiteModel& model, const ImageUse& use,
                ModernSiteReport& report) {
    for (const QString& image : use.images) {
        QFile source(state.ImagesDir() + image);
        if (!source.open(QIODevice::ReadOnly)) {
            for (int i : use.users.value(image)) {
                const SiteEntry& e = model.entries[i];
                report.missingImages.push_back({e.id, e.name, QStringLiteral("images/") + image});
            }
            continue;
        }
        const QString target = QStringLiteral("images/") + image;
        QDir().mkpath(QFileInfo(report.folder + target).path());
        w.raw(target, source.readAll());
    }
}

// Removes the pages of entries, initials and race/locations that this run did not write.
void removeStalePages(const QString& folder, const QSet<QString>& written) {
    static const QRegularExpression ours(QStringLiteral("^(entry|letter|group)-.*\\.html$"));
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (ours.match(name).hasMatch() && !written.contains(name)) {
            QFile::remove(folder + name);
        }
    }
}

}  // namespace

QStringList DescribeProblems(const ModernSiteReport& report) {
    QStringList lines;
    for (const ModernSiteReport::Problem& p : report.brokenLinks) {
        lines << QStringLiteral(
                     "Link to a missing entry, kept as text: %1 in the notes of \"%2\" "
                     "(id %3)")
                     .arg(p.what, p.name)
                     .arg(p.id);
    }
    for (const ModernSiteReport::Problem& p : report.missingImages) {
        lines << QStringLiteral("Missing image: %1 in the notes of \"%2\" (id %3)")
                     .arg(p.what, p.name)
                     .arg(p.id);
    }
    return lines;
}

QString DefaultSiteFolder(const AppState& state) {
    return state.ReportsDir() + QStringLiteral("site/");
}

QString SiteEntryPage(qint64 id) {
    return QStringLiteral("entry-") + QString::number(id) + QStringLiteral(".html");
}

QString SiteLetterPage(const QString& initial) {
    return pageName(QStringLiteral("letter-"), initial);
}

QString SiteGroupPage(const QString& raceLocation) {
    return pageName(QStringLiteral("group-"), raceLocation);
}

QString SiteInitial(const QString& name) {
    const QString trimmed = TrimSpaces(name);
    if (trimmed.isEmpty()) {
        return QString();
    }
    const qsizetype n = trimmed.front().isHighSurrogate() && trimmed.size() > 1 ? 2 : 1;
    return trimmed.left(n).toUpper();
}

ModernSiteReport WriteModernSite(AppState& state, const ModernSiteOptions& options,
                                 PublishProgress& progress) {
    ModernSiteReport report;
    report.folder =
        AddBackslash(options.folder.isEmpty() ? DefaultSiteFolder(state) : options.folder);
    if (!QDir().mkpath(report.folder)) {
        throw FileError(QStringLiteral("create the folder"), report.folder,
                        QStringLiteral("the folder cannot be made"));
    }
    RemoveLeftoverTemporaries(report.folder);
    SiteModel model = readModel(state);
    report.entries = static_cast<qint64>(model.entries.size());
    progress.phase(QStringLiteral("Writing web site:"), 2 * report.entries);
    const ImageUse images = renderNotes(model, report, progress);

    SiteWriter w(model, options, report);
    w.raw(QStringLiteral("style.css"), SiteStyleSheet());
    w.raw(QStringLiteral("search.js"), SiteSearchScript());
    const QString index = searchIndex(model);
    w.file(QStringLiteral("search-index.js"), index);
    report.indexBytes = index.toUtf8().size();
    indexPage(w, model);
    for (const SiteList& l : model.letters) {
        listPage(w, model, l, QStringLiteral("Initial"));
    }
    for (const SiteList& g : model.groups) {
        listPage(w, model, g, QStringLiteral("Race/location"));
    }
    const qint64 total = report.entries;
    for (size_t i = 0; i < model.entries.size(); ++i) {
        progress.entry(model.entries[i].name);
        entryPage(w, model, i);
        progress.step(total + static_cast<qint64>(i) + 1, 2 * total);
    }
    copyImages(w, state, model, images, report);
    removeStalePages(report.folder, w.written());
    return report;
}

}  // namespace tavri
