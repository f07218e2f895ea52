// Notes for the e-book.
#include "publish/EpubNotes.h"

#include <QFileInfo>

#include "app/Sutils.h"

namespace tavri {

QString EscapeXml(QStringView text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF ||
                   (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r')) {
            continue;
        } else if (u == u'&') {
            out += QLatin1String("&amp;");
        } else if (u == u'<') {
            out += QLatin1String("&lt;");
        } else if (u == u'>') {
            out += QLatin1String("&gt;");
        } else if (u == u'"') {
            out += QLatin1String("&quot;");
        } else {
            out += c;
        }
    }
    return out;
}

QString ImageMediaType(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"jpg" || suffix == u"jpeg") {
        return QStringLiteral("image/jpeg");
    }
    if (suffix == u"png") {
        return QStringLiteral("image/png");
    }
    if (suffix == u"gif") {
        return QStringLiteral("image/gif");
    }
    if (suffix == u"svg") {
        return QStringLiteral("image/svg+xml");
    }
    return QString();
}

NotesXhtml NotesToXhtml(const QString& notes, NotesTargets& targets) {
    (void)targets;
    NotesXhtml out;
    if (notes.isEmpty()) {
        return out;
    }
    QStringList lines = SplitLines(notes);
    for (QString& line : lines) {
        line = EscapeXml(line);
    }
    out.xhtml =
        QStringLiteral("<p>") + lines.join(QStringLiteral("<br/>\n")) + QStringLiteral("</p>");
    return out;
}

}  // namespace tavri
