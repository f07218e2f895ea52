// Windows-1252 and UTF-8 conversions for the files this program reads and writes.
#include "app/TextCodec.h"

#include <QStringDecoder>
#include <array>

namespace tavri {
namespace {

// Bytes 0x80..0x9F of Windows-1252. The five unassigned positions (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) hold the C1 control of the same number, so every byte decodes and round-trips.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendFallback(QByteArray& out, char32_t cp, QStringView unitsOfCp, OutputFormat format) {
    switch (format) {
        case OutputFormat::Html:
            out += "&#";
            out += QByteArray::number(static_cast<qulonglong>(cp));
            out += ';';
            return;
        case OutputFormat::Rtf:
            for (QChar unit : unitsOfCp) {
                out += "\\u";
                out += QByteArray::number(static_cast<int>(static_cast<int16_t>(unit.unicode())));
                out += '?';
            }
            return;
        case OutputFormat::Pml:
            for (QChar unit : unitsOfCp) {
                out += "\\U";
                out += QByteArray::number(unit.unicode(), 16).toUpper().rightJustified(4, '0');
            }
            return;
        case OutputFormat::Text:
            out += '?';
            return;
    }
}

}  // namespace

char16_t windows1252Char(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

int windows1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

QString decodeInputBytes(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;  // the decoder drops a leading byte-order mark
    }
    QString latin;
    latin.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        latin[i] = QChar(windows1252Char(static_cast<unsigned char>(bytes[i])));
    }
    return latin;
}

void appendEncoded(QByteArray& out, QStringView text, OutputFormat format) {
    // Most characters become one byte: write them straight into room made for one byte per
    // UTF-16 unit, and make room again after each fallback, which is longer.
    const qsizetype n = text.size();
    qsizetype pos = out.size();
    out.resize(pos + n);
    char* d = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            d[pos++] = static_cast<char>(u);
            continue;
        }
        char32_t cp = u;
        qsizetype units = 1;
        if (QChar::isHighSurrogate(u) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            cp = QChar::surrogateToUcs4(u, text[i + 1].unicode());
            units = 2;
        }
        const int b = units == 1 ? windows1252Byte(cp) : -1;
        if (b >= 0) {
            d[pos++] = static_cast<char>(b);
        } else {
            out.resize(pos);
            appendFallback(out, cp, text.mid(i, units), format);
            pos = out.size();
            out.resize(pos + (n - i - units));
            d = out.data();
        }
        i += units - 1;
    }
    out.resize(pos);
}

qsizetype codePointCount(QStringView text) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        }
        ++count;
    }
    return count;
}

QString leftCodePoints(const QString& text, qsizetype n) {
    qsizetype i = 0;
    for (qsizetype count = 0; i < text.size() && count < n; ++count) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        }
        ++i;
    }
    return text.left(i);
}

}  // namespace tavri
