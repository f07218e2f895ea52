// Notes read with libxml2's HTML parser and written back as HTML5 or XHTML.
//
// The note is parsed after an opening "<html><body>", so that its text lands in the body as it
// would on a page, and the body's children are written out by our own walk: libxml2's own
// serializer knows neither HTML5 nor the rewriting. A note without "<" or "&" holds no mark-up
// and takes a short road that gives the same result without the parser.
#include "publish/NotesHtml.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <QByteArray>
#include <algorithm>

#include "base/Sutils.h"

namespace tavri {
namespace {

constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                              HTML_PARSE_NONET | HTML_PARSE_NODEFDTD | HTML_PARSE_COMPACT;

const QSet<QString>& voidElements() {
    static const QSet<QString> names{"area",  "base",  "br",       "col",   "embed",   "hr",
                                     "img",   "input", "link",     "meta",  "param",   "source",
                                     "track", "wbr",   "basefont", "frame", "isindex", "keygen"};
    return names;
}

// Elements whose text is kept as it is: no <br> for its line breaks.
const QSet<QString>& preformatted() {
    static const QSet<QString> names{"pre", "textarea", "script", "style", "listing", "xmp"};
    return names;
}

// Elements that hold no text of their own, so a break inside them is only layout.
const QSet<QString>& noTextElements() {
    static const QSet<QString> names{"ul",       "ol",       "dl",    "menu", "table",
                                     "thead",    "tbody",    "tfoot", "tr",   "select",
                                     "optgroup", "colgroup", "html",  "head", "frameset"};
    return names;
}

const QSet<QString>& blockElements() {
    static const QSet<QString> names{
        "address", "article", "aside",   "blockquote", "center",   "details", "dialog",
        "dd",      "div",     "dl",      "dt",         "fieldset", "figure",  "figcaption",
        "footer",  "form",    "h1",      "h2",         "h3",       "h4",      "h5",
        "h6",      "header",  "hr",      "li",         "main",     "nav",     "ol",
        "p",       "pre",     "section", "table",      "ul",       "caption", "tr",
        "td",      "th",      "thead",   "tbody",      "tfoot",    "br"};
    return names;
}

QString nameOf(const xmlNode* node) {
    return QString::fromUtf8(reinterpret_cast<const char*>(node->name));
}

bool isBlock(const xmlNode* node) {
    return node != nullptr && node->type == XML_ELEMENT_NODE &&
           blockElements().contains(nameOf(node));
}

bool xmlAllows(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void appendEscaped(QString& out, QStringView text, bool attribute) {
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        switch (c) {
            case u'&':
                out += QLatin1String("&amp;");
                break;
            case u'<':
                out += QLatin1String("&lt;");
                break;
            case u'>':
                out += QLatin1String("&gt;");
                break;
            case u'"':
                if (attribute) {
                    out += QLatin1String("&quot;");
                } else {
                    out += QChar(c);
                }
                break;
            default:
                if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
                    out += QChar(c);
                    out += QChar(p[++i]);
                } else if (xmlAllows(c) && !QChar::isSurrogate(c) &&
                           !(attribute && (c == u'\r' || c == u'\n' || c == u'\t'))) {
                    out += QChar(c);
                } else if (attribute && (c == u'\r' || c == u'\n' || c == u'\t')) {
                    out += QStringLiteral("&#%1;").arg(int(c));
                }
        }
    }
}

// The id of a link "G" + id + ".htm", written as EntryPageName writes it.
std::optional<qint64> entryLinkId(const QString& href) {
    if (href.size() < 6 || href.front() != QLatin1Char('G') ||
        !href.endsWith(QLatin1String(".htm"))) {
        return std::nullopt;
    }
    const QStringView digits = QStringView(href).mid(1, href.size() - 5);
    if (digits.front() == QLatin1Char('0')) {
        return std::nullopt;
    }
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const qint64 id = digits.toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

// x of "images\x" or "images/x", with "/" between its folders; none for any other source or
// for one that would leave the images folder.
std::optional<QString> imageName(const QString& src) {
    if (src.size() <= 7 || !src.startsWith(QLatin1String("images"), Qt::CaseInsensitive) ||
        (src[6] != QLatin1Char('\\') && src[6] != QLatin1Char('/'))) {
        return std::nullopt;
    }
    QString name = src.mid(7);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            return std::nullopt;
        }
    }
    return name;
}

template <typename T>
void addOnce(std::vector<T>& list, const T& value) {
    if (std::find(list.begin(), list.end(), value) == list.end()) {
        list.push_back(value);
    }
}
void addOnce(QStringList& list, const QString& value) {
    if (!list.contains(value)) {
        list.push_back(value);
    }
}

class Writer {
public:
    Writer(const NotesRules& rules, NotesFindings& findings) : rules_(rules), found_(findings) {}

    QString result;

    void children(const xmlNode* parent) {
        for (const xmlNode* n = parent->children; n != nullptr; n = n->next) {
            node(n);
        }
    }

    // Text with each line break turned into "<br>" CR LF, or a bare CR LF where a <br> cannot
    // stand (breaks false), or adds only an empty line: a first break after nothing but blanks
    // that follow a block (breakAtStart false), a last one before a block (breakAtEnd false).
    void text(QStringView s, bool breaks, bool breakAtStart, bool breakAtEnd) {
        std::vector<QStringView> lines;
        qsizetype start = 0;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i] == QLatin1Char('\r') || s[i] == QLatin1Char('\n')) {
                lines.push_back(s.mid(start, i - start));
                if (s[i] == QLatin1Char('\r') && i + 1 < s.size() &&
                    s[i + 1] == QLatin1Char('\n')) {
                    ++i;
                }
                start = i + 1;
            }
        }
        lines.push_back(s.mid(start));
        const auto blank = [](QStringView line) { return line.trimmed().isEmpty(); };
        const size_t last = lines.size() - 1;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                const bool quiet = !breaks || (i == 1 && !breakAtStart && blank(lines[0])) ||
                                   (i == last && !breakAtEnd && blank(lines[last]));
                result += quiet     ? QLatin1String("\r\n")
                          : xhtml() ? QLatin1String("<br/>\r\n")
                                    : QLatin1String("<br>\r\n");
            }
            appendEscaped(result, lines[i], false);
        }
    }

private:
    bool xhtml() const { return rules_.syntax == NotesSyntax::Xhtml; }

    void node(const xmlNode* n) {
        switch (n->type) {
            case XML_TEXT_NODE:
            case XML_CDATA_SECTION_NODE:
                textNode(n);
                break;
            case XML_ELEMENT_NODE:
                element(n);
                break;
            default:  // comments, processing instructions
                break;
        }
    }

    void textNode(const xmlNode* n) {
        const QString s = QString::fromUtf8(reinterpret_cast<const char*>(n->content));
        const QString parent = n->parent != nullptr && n->parent->type == XML_ELEMENT_NODE
                                   ? nameOf(n->parent)
                                   : QString();
        if (!xhtml() && (parent == QLatin1String("script") || parent == QLatin1String("style"))) {
            result += s;  // raw text in HTML
            return;
        }
        const bool breaks = preformattedDepth_ == 0 && !noTextElements().contains(parent);
        text(s, breaks, !isBlock(n->prev), !isBlock(n->next));
    }

    void element(const xmlNode* n) {
        const QString name = nameOf(n);
        if (rules_.drop.contains(name)) {
            addOnce(found_.dropped, name);
            return;
        }
        QString href;
        if (name == QLatin1String("a") && linkTarget(n, href)) {
            if (href.isNull()) {
                children(n);  // a link to no entry: its text stays
                return;
            }
        }
        result += QLatin1Char('<');
        result += name;
        attributes(n, name, href);
        const bool isVoid = voidElements().contains(name);
        if (isVoid) {
            result += xhtml() ? QLatin1String("/>") : QLatin1String(">");
            return;
        }
        result += QLatin1Char('>');
        const bool pre = preformatted().contains(name);
        preformattedDepth_ += pre ? 1 : 0;
        children(n);
        preformattedDepth_ -= pre ? 1 : 0;
        result += QLatin1String("</");
        result += name;
        result += QLatin1Char('>');
    }

    // Is n a link to an entry? Then href is its new target, or null when the entry is unknown.
    bool linkTarget(const xmlNode* n, QString& href) {
        xmlChar* value = xmlGetProp(n, BAD_CAST "href");
        if (value == nullptr) {
            return false;
        }
        const QString old = QString::fromUtf8(reinterpret_cast<const char*>(value));
        xmlFree(value);
        const std::optional<qint64> id = entryLinkId(old);
        if (!id || !rules_.entryHref) {
            return false;
        }
        const std::optional<QString> target = rules_.entryHref(*id);
        if (target) {
            addOnce(found_.linkedEntries, *id);
            href = *target;
        } else {
            addOnce(found_.brokenLinks, *id);
            href = QString();
        }
        return true;
    }

    void attributes(const xmlNode* n, const QString& element, const QString& newHref) {
        QString floatSide;
        QString style;
        for (const xmlAttr* a = n->properties; a != nullptr; a = a->next) {
            const QString name = QString::fromUtf8(reinterpret_cast<const char*>(a->name));
            if (xhtml() && name.contains(QLatin1Char(':')) && name != QLatin1String("xml:lang")) {
                continue;
            }
            if (xhtml() && name.startsWith(QLatin1String("xmlns"))) {
                continue;
            }
            const bool hasValue = a->children != nullptr;
            QString value;
            if (hasValue) {
                xmlChar* v = xmlNodeListGetString(n->doc, a->children, 1);
                value = QString::fromUtf8(reinterpret_cast<const char*>(v));
                xmlFree(v);
            }
            if (element == QLatin1String("img")) {
                if (name == QLatin1String("align") &&
                    (value.compare(QLatin1String("left"), Qt::CaseInsensitive) == 0 ||
                     value.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0)) {
                    floatSide = value.toLower();
                    continue;
                }
                if (name == QLatin1String("style")) {
                    style = value;
                    continue;
                }
                if (name == QLatin1String("src") && rules_.imageHref) {
                    if (const std::optional<QString> image = imageName(value)) {
                        addOnce(found_.images, *image);
                        value = rules_.imageHref(*image);
                    }
                }
            }
            if (element == QLatin1String("a") && name == QLatin1String("href") &&
                !newHref.isNull()) {
                value = newHref;
            }
            attribute(name, hasValue || name == QLatin1String("href") ? std::optional(value)
                                                                      : std::nullopt);
        }
        if (!floatSide.isEmpty()) {
            style = QStringLiteral("float: %1").arg(floatSide) +
                    (style.isEmpty() ? QString() : QStringLiteral("; ") + style);
        }
        if (!style.isEmpty()) {
            attribute(QStringLiteral("style"), style);
        }
    }

    void attribute(const QString& name, const std::optional<QString>& value) {
        result += QLatin1Char(' ');
        result += name;
        if (!value && !xhtml()) {
            return;
        }
        result += QLatin1String("=\"");
        appendEscaped(result, value ? QStringView(*value) : QStringView(name), true);
        result += QLatin1Char('"');
    }

    const NotesRules& rules_;
    NotesFindings& found_;
    int preformattedDepth_ = 0;
};

const xmlNode* childNamed(const xmlNode* parent, const char* name) {
    for (const xmlNode* n = parent == nullptr ? nullptr : parent->children; n != nullptr;
         n = n->next) {
        if (n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, BAD_CAST name)) {
            return n;
        }
    }
    return nullptr;
}

}  // namespace

const QSet<QString>& ActiveContentElements() {
    static const QSet<QString> names{
        "script", "noscript", "form",     "input",  "button", "select", "textarea", "option",
        "iframe", "frame",    "frameset", "object", "embed",  "applet", "param",    "style",
        "link",   "meta",     "base",     "title",  "canvas", "audio",  "video",    "source"};
    return names;
}

QString EscapeMarkup(QStringView text) {
    QString out;
    out.reserve(text.size() + 16);
    appendEscaped(out, text, true);
    return out;
}

struct NotesHtml::Parser {
    htmlParserCtxtPtr ctxt = nullptr;
};

NotesHtml::NotesHtml() : parser_(std::make_unique<Parser>()) {
    xmlInitParser();
    parser_->ctxt = htmlNewParserCtxt();
    if (parser_->ctxt == nullptr) {
        throw std::bad_alloc();
    }
}

NotesHtml::~NotesHtml() {
    htmlFreeParserCtxt(parser_->ctxt);
}

QString NotesHtml::render(const QString& notes, const NotesRules& rules, NotesFindings& findings) {
    findings = NotesFindings();
    const QString trimmed = TrimSpaces(notes);
    Writer writer(rules, findings);
    writer.result.reserve(trimmed.size() + trimmed.size() / 4);
    if (!trimmed.contains(QLatin1Char('<')) && !trimmed.contains(QLatin1Char('&'))) {
        writer.text(trimmed, true, true, true);
        return writer.result;
    }
    QByteArray input = QByteArrayLiteral("<html><body>") + trimmed.toUtf8();
    input.replace('\0', "");
    htmlDocPtr doc =
        htmlCtxtReadMemory(parser_->ctxt, input.constData(), static_cast<int>(input.size()),
                           nullptr, "UTF-8", kParseOptions);
    if (doc == nullptr) {
        throw std::bad_alloc();  // the parser recovers from everything but a lack of memory
    }
    const xmlNode* body = childNamed(childNamed(reinterpret_cast<xmlNode*>(doc), "html"), "body");
    if (body != nullptr) {
        writer.children(body);
    }
    xmlFreeDoc(doc);
    return writer.result;
}

}  // namespace tavri
