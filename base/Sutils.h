// Small routines for settings, paths and text that the rest of the program shares.
//
// They keep no state between calls. Paths use the native separator "/", so AddBackslash
// appends "/" and ReadIni looks for "/" to tell a bare file name from a path.
#pragma once

#include <QString>
#include <QStringList>

namespace tavri {

// The native path separator of this system.
inline constexpr QChar kSeparator = QLatin1Char('/');

// The value of key in the settings file fileName, or "" when the file or the key is missing.
// The first line whose first Len(key) characters equal key (ignoring case) supplies it: the rest
// of the line after the key and one more character, exactly as written. A bare file name is
// looked for in the Windows folder when WINDIR is set, otherwise in the user's configuration
// folder ($XDG_CONFIG_HOME, else ~/.config). A file that exists but cannot be read throws
// FileError.
QString ReadIni(const QString& fileName, const QString& key);

// Sets key to value in the settings file fileName (found as ReadIni finds it, its folder made
// when missing): the line ReadIni would read is replaced, or "key=value" is appended; every
// other line stays. The file is replaced whole, so a failure leaves the old one. Throws
// FileError naming the file.
void WriteIni(const QString& fileName, const QString& key, const QString& value);

// path with a separator appended unless its last character is one; "" becomes "/".
QString AddBackslash(const QString& path);

// The value of the environment variable name, trimmed of spaces, or "" when there is none.
// The first variable whose name starts with name (ignoring case) matches.
QString GetEnvValue(const QString& name);

// The Latin letters a-z of text, either case, in order.
QString LettersOnly(const QString& text);

// The Latin letters a-z of either case and the digits 0-9 of text, in order.
QString AlphaNumOnly(const QString& text);

// text without mark-up tags: everything from "<" to the next ">" is dropped, as is a stray ">".
QString StripTags(const QString& text);

// Each CR becomes one space and each LF becomes "<br>".
QString NewlinesToBr(const QString& text);

// The lines of a text: CR LF, LF and a lone CR each end one; a last line without an end counts.
QStringList SplitLines(const QString& text);

// Trimming as the program means it: leading and trailing space characters only.
QString TrimSpaces(const QString& text);
inline bool IsBlank(const QString& text) {
    return TrimSpaces(text).isEmpty();
}

// The value of the leading number of a text ("12 records" gives 12); 0 when it has none.
double LeadingNumber(const QString& text);

}  // namespace tavri
