// Output file names made from entry data.
#pragma once

#include <QString>

namespace tavri {

// part with every character that a file name cannot hold ("/", "\", ":", "*", "?", """, "<",
// ">", "|" and control characters) replaced by "_", so the name never leaves its folder and can
// always be created. A part that is already valid is returned unchanged.
QString SafeFileNamePart(const QString& part);

// "G" + id in decimal + ".htm": the file name of an entry's page in the web site and, as a bare
// relative name, every link to it.
QString EntryPageName(qint64 id);

}  // namespace tavri
