// Windows-1252 and UTF-8 conversions for the files this program reads and writes, and the
// escapes of stored text in RTF and PML.
#include "base/TextCodec.h"

#include <libxml/HTMLparser.h>

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

// The escape of a character outside Windows-1252 in an RTF or PML file.
void appendEscape(QByteArray& out, QStringView unitsOfCp, OutputFormat format) {
    for (QChar unit : unitsOfCp) {
        if (format == OutputFormat::Rtf) {
            out += "\\u";
            out += QByteArray::number(static_cast<int>(static_cast<int16_t>(unit.unicode())));
            out += '?';
        } else {
            out += "\\U";
            out += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0');
        }
    }
}

void appendUtf8(QByteArray& out, QStringView text) {
    const qsizetype n = text.size();
    qsizetype pos = out.size();
    out.resize(pos + 3 * n);  // no UTF-16 unit takes more than three bytes
    auto* d = reinterpret_cast<unsigned char*>(out.data());
    for (qsizetype i = 0; i < n; ++i) {
        char32_t cp = text[i].unicode();
        if (cp < 0x80) {
            d[pos++] = static_cast<unsigned char>(cp);
            continue;
        }
        if (QChar::isSurrogate(cp)) {
            if (QChar::isHighSurrogate(cp) && i + 1 < n && text[i + 1].isLowSurrogate()) {
                cp = QChar::surrogateToUcs4(static_cast<char16_t>(cp), text[++i].unicode());
            } else {
                cp = 0xFFFD;
            }
        }
        if (cp < 0x800) {
            d[pos++] = static_cast<unsigned char>(0xC0 | (cp >> 6));
        } else if (cp < 0x10000) {
            d[pos++] = static_cast<unsigned char>(0xE0 | (cp >> 12));
            d[pos++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        } else {
            d[pos++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
            d[pos++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            d[pos++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        }
        d[pos++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
    out.resize(pos);
}

// The character a reference stands for ("amp", "#233", "#xE9"), or 0 when it names none.
char32_t referencedChar(QStringView name) {
    if (name.startsWith(QLatin1Char('#'))) {
        const bool hex =
            name.size() > 1 && (name[1] == QLatin1Char('x') || name[1] == QLatin1Char('X'));
        bool ok = false;
        const uint cp = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        const bool valid = ok && cp > 0 && cp <= 0x10FFFF && !QChar::isSurrogate(cp);
        return valid ? cp : 0;
    }
    const QByteArray ascii = name.toLatin1();
    const htmlEntityDesc* entity =
        htmlEntityLookup(reinterpret_cast<const xmlChar*>(ascii.constData()));
    return entity ? entity->value : 0;
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
    if (format == OutputFormat::Html || format == OutputFormat::Text) {
        appendUtf8(out, text);
        return;
    }
    // Most characters become one byte: write them straight into room made for one byte per
    // UTF-16 unit, and make room again after each escape, which is longer.
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
        const qsizetype units =
            QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())
                ? 2
                : 1;
        const int b = units == 1 ? windows1252Byte(u) : -1;
        if (b >= 0) {
            d[pos++] = static_cast<char>(b);
        } else {
            out.resize(pos);
            appendEscape(out, text.mid(i, units), format);
            pos = out.size();
            out.resize(pos + (n - i - units));
            d = out.data();
        }
        i += units - 1;
    }
    out.resize(pos);
}

namespace {

// The text with a backslash before each of the special characters.
QString BackslashEscaped(QStringView text, QStringView specials) {
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (specials.contains(c)) {
            result += QLatin1Char('\\');
        }
        result += c;
    }
    return result;
}

}  // namespace

QString RtfEscaped(QStringView text) {
    return BackslashEscaped(text, u"\\{}");
}

QString PmlEscaped(QStringView text) {
    return BackslashEscaped(text, u"\\");
}

QString DecodeHtmlEntities(QStringView text) {
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype amp = text.indexOf(QLatin1Char('&'), i);
        if (amp < 0) {
            break;
        }
        result += text.mid(i, amp - i);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), amp + 1);
        constexpr qsizetype kLongestName = 32;
        const char32_t cp = semi > amp + 1 && semi - amp <= kLongestName
                                ? referencedChar(text.mid(amp + 1, semi - amp - 1))
                                : 0;
        if (cp != 0) {
            result += QStringView(QChar::fromUcs4(cp));
            i = semi + 1;
        } else {
            result += QLatin1Char('&');
            i = amp + 1;
        }
    }
    result += text.mid(i);
    return result;
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
