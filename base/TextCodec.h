// Text conversions at the program's edges.
//
// Files that the user brings (CSV, framebase.txt, tavri.ini) are 8-bit text: they are read as
// UTF-8 when their bytes are valid UTF-8 (a byte-order mark is allowed and dropped), otherwise
// as Windows-1252. HTML pages and plain-text files this program writes are UTF-8 (no byte-order
// mark), the system's code page here. RTF and PML stay Windows-1252, and a character that code
// page cannot hold is written in the escape the format defines, so that nothing is lost.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace tavri {

// The kinds of output file, each with its own encoding.
enum class OutputFormat {
    Html,  // UTF-8
    Rtf,   // Windows-1252, else \uN? per UTF-16 unit, N as a signed 16-bit number
    Pml,   // Windows-1252, else \Uxxxx per UTF-16 unit, four lower-case hex digits
    Text,  // UTF-8
};

// Decodes bytes of an input file: UTF-8 when valid (BOM dropped), else Windows-1252.
QString decodeInputBytes(const QByteArray& bytes);

// The Windows-1252 byte for a code point, or -1 when the code page cannot hold it.
int windows1252Byte(char32_t codePoint);

// The character that a Windows-1252 byte stands for (the five unassigned bytes map to the C1
// control of the same number, as Windows does).
char16_t windows1252Char(unsigned char byte);

// Appends text to out in the format's encoding. A lone surrogate, which no encoding can hold,
// becomes U+FFFD.
void appendEncoded(QByteArray& out, QStringView text, OutputFormat format);

// Stored text made safe inside RTF: "\", "{" and "}" escaped as "\\", "\{" and "\}".
QString RtfEscaped(QStringView text);
// Stored text made safe inside PML: "\" escaped as "\\".
QString PmlEscaped(QStringView text);
// Text with its HTML character references replaced by their characters: the named ones of HTML
// 4 (&amp;, &eacute;) and numeric ones (&#233;, &#xE9;). A reference that names no character
// stays as it is.
QString DecodeHtmlEntities(QStringView text);

// Number of characters (Unicode code points) in text; a surrogate pair counts once.
qsizetype codePointCount(QStringView text);

// The first n characters (code points) of text.
QString leftCodePoints(const QString& text, qsizetype n);

}  // namespace tavri
