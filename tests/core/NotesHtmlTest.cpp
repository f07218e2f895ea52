// Notes through the HTML parser and back: tag soup comes out balanced, entry links and image
// paths are rewritten, unknown entries and dropped elements are reported, and the XHTML form is
// well-formed (checked by libxml2's XML parser, not by eye).
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <QUrl>

#include "publish/NotesHtml.h"

namespace tavri {
namespace {

struct Case {
    const char* what;
    NotesSyntax syntax;
    const char* notes;
    const char* expected;
    std::vector<qint64> linked = {};
    std::vector<qint64> broken = {};
    QStringList images = {};
    QStringList dropped = {};
};

constexpr auto H = NotesSyntax::Html5;
constexpr auto X = NotesSyntax::Xhtml;

const Case kCases[] = {
    {"plain text escapes what mark-up would read", H, "  a > b  ", "a &gt; b"},
    {"an unclosed tag ends with the note", H, "<b>unclosed bold", "<b>unclosed bold</b>"},
    {"tag soup: stray end tag, entities, misnested tags", X,
     "one</p> two&nbsp;&amp; <b><i>three</b></i> caf&#233;",
     "one two\u00a0&amp; <b><i>three</i></b> café"},
    {"line breaks become <br> except between blocks and in pre", H,
     "one\r\ntwo\n<p>para</p>\r\n<ul>\r\n<li>x</li>\r\n</ul>\r\n<pre>a\r\nb</pre>",
     "one<br>\r\ntwo\r\n<p>para</p>\r\n<ul>\r\n<li>x</li>\r\n</ul>\r\n<pre>a\r\nb</pre>"},
    {"entry links resolve; an unknown entry keeps its text",
     H,
     "<a href=\"G2.htm\">Élan</a>, <a href=\"G2.htm\">again</a>, <a href=\"G99.htm\">lost "
     "<i>one</i></a>, <a href=\"G02.htm\">not an entry link</a>",
     "<a href=\"e2.html\">Élan</a>, <a href=\"e2.html\">again</a>, lost <i>one</i>, "
     "<a href=\"G02.htm\">not an entry link</a>",
     {2},
     {99}},
    {"a link to the note's own entry resolves like any other",
     H,
     "<a href=\"G7.htm\">me</a>",
     "<a href=\"e7.html\">me</a>",
     {7}},
    {"image paths of either slash move to the site's copy; align becomes a float",
     H,
     "<img src=\"images\\map one.jpg\" align=\"left\"><IMG SRC=\"Images/sub\\b.gif\" "
     "align=right style=\"border: 0\"><img src=\"images/../secret.jpg\"><img src=\"http://x/y\">",
     "<img src=\"pics/map%20one.jpg\" style=\"float: left\"><img src=\"pics/sub/b.gif\" "
     "style=\"float: right; border: 0\"><img src=\"images/../secret.jpg\"><img src=\"http://x/y\">",
     {},
     {},
     {"map one.jpg", "sub/b.gif"}},
    {"attributes: quotes escaped, a boolean one takes its name as value", H,
     "<span title='say \"hi\" & go'>x</span><input disabled>",
     "<span title=\"say &quot;hi&quot; &amp; go\">x</span><input disabled=\"disabled\">"},
    {"XHTML: void elements close, attributes all have values, prefixes go", X,
     "line<br>two<hr><ol reversed><li>1</li></ol><o:p>word</o:p>"
     "<span xmlns:o=\"urn:x\" o:x=\"1\" xml:lang=\"en\">s</span>",
     "line<br/>two<hr/><ol reversed=\"reversed\"><li>1</li></ol><p>word</p>"
     "<span xml:lang=\"en\">s</span>"},
    {"dropped elements go with their content and are listed once",
     X,
     "a<script>alert(1)</script><form><input name=q></form><script>x()</script>b",
     "ab",
     {},
     {},
     {},
     {"script", "form"}},
    {"script text stays raw in HTML, comments go", H,
     "<script>if (a < b && c) {}</script><!-- secret -->x", "<script>if (a < b && c) {}</script>x"},
    {"characters XML forbids are left out", X,
     "a\x01"
     "b\x0b"
     "c&#1;d",
     "abcd"},
    {"CJK, Greek and emoji pass through", H, "香港 &lt;九龍&gt; Ξένος 🐉",
     "香港 &lt;九龍&gt; Ξένος 🐉"},
};

NotesRules rulesFor(NotesSyntax syntax, const QSet<QString>& drop) {
    NotesRules rules;
    rules.syntax = syntax;
    rules.entryHref = [](qint64 id) -> std::optional<QString> {
        if (id == 99) {
            return std::nullopt;
        }
        return QStringLiteral("e%1.html").arg(id);
    };
    rules.imageHref = [](const QString& image) {
        return QStringLiteral("pics/") + QString::fromUtf8(QUrl::toPercentEncoding(image, "/"));
    };
    rules.drop = drop;
    return rules;
}

bool wellFormedXml(const QString& fragment) {
    const QByteArray doc =
        "<div xmlns=\"http://www.w3.org/1999/xhtml\">" + fragment.toUtf8() + "</div>";
    xmlDocPtr parsed =
        xmlReadMemory(doc.constData(), static_cast<int>(doc.size()), nullptr, "UTF-8",
                      XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET);
    xmlFreeDoc(parsed);
    return parsed != nullptr;
}

TEST(NotesHtml, TableOfNotes) {
    NotesHtml parser;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        NotesFindings found;
        const QString out = parser.render(
            QString::fromUtf8(c.notes),
            rulesFor(c.syntax, c.syntax == X ? ActiveContentElements() : QSet<QString>()), found);
        EXPECT_EQ(out.toStdString(), std::string(c.expected));
        EXPECT_EQ(found.linkedEntries, c.linked);
        EXPECT_EQ(found.brokenLinks, c.broken);
        EXPECT_EQ(found.images, c.images);
        EXPECT_EQ(found.dropped, c.dropped);
        if (c.syntax == X) {
            EXPECT_TRUE(wellFormedXml(out)) << out.toStdString();
        }
    }
}

}  // namespace
}  // namespace tavri
