// Text conversions at the program's edges.
//
// Files that the user brings (CSV, framebase.txt, tavri.ini) are 8-bit text: they are read as
// UTF-8 when their bytes are valid UTF-8 (a byte-order mark is allowed and dropped), otherwise
// as Windows-1252. Files this program writes are Windows-1252; a character that code page cannot
// hold is written in the form the file's format defines, so that nothing is lost.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace tavri {

// The kinds of output file, each with its own way of writing a character outside Windows-1252.
enum class OutputFormat {
    Html,  // numeric character reference per code point: &#128512;
    Rtf,   // \uN? per UTF-16 unit, N as a signed 16-bit number
    Pml,   // \UXXXX per UTF-16 unit, four upper-case hex digits
    Text,  // "?" per code point
};

// Decodes bytes of an input file: UTF-8 when valid (BOM dropped), else Windows-1252.
QString decodeInputBytes(const QByteArray& bytes);

// The Windows-1252 byte for a code point, or -1 when the code page cannot hold it.
int windows1252Byte(char32_t codePoint);

// The character that a Windows-1252 byte stands for (the five unassigned bytes map to the C1
// control of the same number, as Windows does).
char16_t windows1252Char(unsigned char byte);

// Appends the Windows-1252 form of text to out, with the format's fallback for other characters.
void appendEncoded(QByteArray& out, QStringView text, OutputFormat format);

// Number of characters (Unicode code points) in text; a surrogate pair counts once.
qsizetype codePointCount(QStringView text);

// The first n characters (code points) of text.
QString leftCodePoints(const QString& text, qsizetype n);

}  // namespace tavri
