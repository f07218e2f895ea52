// An entry's notes as the e-book holds them: well-formed XHTML, its links and images pointing
// inside the book, and a list of what was left out.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace tavri {

// An image of Reports/images/ packed into the book.
struct NotesImage {
    QString sourcePath;  // the file on disk
    QString bookPath;    // its path inside the book, relative to the content documents
    QString mediaType;
};

// Where the notes' links and images lead inside the book.
class NotesTargets {
public:
    virtual ~NotesTargets() = default;
    // The href of the entry with this id, or none when the book has no such entry.
    virtual std::optional<QString> entryHref(qint64 id) = 0;
    // The href of an image named relative to Reports/images/ ("maps/coast.png"), packing it
    // into the book on first use; none when there is no such file or no reading system can
    // show its type.
    virtual std::optional<QString> imageHref(const QString& relativePath) = 0;
};

struct NotesXhtml {
    QString xhtml;        // flow content, ready to go inside a <div>
    QStringList dropped;  // what was left out, one short description each
};

// The notes converted for the book.
NotesXhtml NotesToXhtml(const QString& notes, NotesTargets& targets);

// text escaped for XML character data and attribute values. Characters that XML 1.0 cannot
// hold (most control characters, unpaired surrogates, U+FFFE, U+FFFF) are left out.
QString EscapeXml(QStringView text);

// The media type of an image file by its extension, for the types every EPUB reading system
// shows (GIF, JPEG, PNG, SVG); "" for any other.
QString ImageMediaType(const QString& fileName);

}  // namespace tavri
