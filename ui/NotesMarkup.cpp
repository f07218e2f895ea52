// Mark-up of the notes aids and the look-ups that feed them.
#include "ui/NotesMarkup.h"

#include <QDir>

#include "publish/FileNames.h"

namespace tavri {
namespace {

const QChar kQuote = QLatin1Char('"');

// Names in folder ending in the extension ext (".jpg"), letter case ignored.
QStringList FilesWithExtension(const QDir& folder, const QString& ext) {
    QStringList names;
    const QStringList all = folder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString& name : all) {
        if (name.endsWith(ext, Qt::CaseInsensitive)) {
            names.append(name);
        }
    }
    return names;
}

}  // namespace

QString ImageTag(const QString& fileName) {
    return QStringLiteral("<img src=") + kQuote + QStringLiteral("images\\") + fileName + kQuote +
           QStringLiteral(" align=") + kQuote + QStringLiteral("left") + kQuote + QLatin1Char('>');
}

QString EntryLink(qint64 id, const QString& text) {
    return QStringLiteral("<a href=") + kQuote + EntryPageName(id) + kQuote + QLatin1Char('>') +
           text + QStringLiteral("</a>");
}

QStringList ImageFileNames(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists()) {
        return {};
    }
    return FilesWithExtension(dir, QStringLiteral(".jpg")) +
           FilesWithExtension(dir, QStringLiteral(".gif"));
}

std::vector<LinkChoice> EntryLinkChoices(Recordset& entries) {
    std::vector<LinkChoice> choices;
    entries.setIndex(u"namedex");
    entries.moveFirst();
    while (!entries.eof()) {
        choices.push_back({entries.text(u"name") + QStringLiteral(" (") +
                               entries.text(u"race-location") + QStringLiteral(") ") +
                               entries.text(u"desc"),
                           entries.field(u"id").toLongLong()});
        entries.moveNext();
    }
    return choices;
}

std::optional<LinkTarget> FindLinkTarget(Recordset& entries, const QString& selected) {
    entries.setIndex(u"namedex");
    entries.seek(u">=", selected);
    if (entries.noMatch()) {
        return std::nullopt;
    }
    return LinkTarget{entries.field(u"id").toLongLong(), entries.text(u"name")};
}

}  // namespace tavri
