// The output writer and the text codec: line ends, continued lines, each format's encoding and
// escapes, replacement that never cuts a file, unchanged files left alone, input decoding, and
// errors that name the file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <optional>

#include "base/FileError.h"
#include "base/OutputFile.h"
#include "base/TextCodec.h"
#include "support/TestSupport.h"

using namespace tavri;

namespace {

const QString kMixed = QString::fromUtf8("é€Ł😀");  // in the code page, in it, not, not (astral)

QByteArray written(OutputFormat format, const QString& text) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/out.txt";
    {
        OutputFile out(path, format);
        out.part(QStringLiteral("a "));
        out.part(text);
        out.line();
        out.line(QStringLiteral("end"));
        out.close();
    }
    return test::ReadAll(path);
}

const QDateTime kLongAgo = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), QTimeZone::utc());

void ageFile(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
}

QStringList temporariesIn(const QString& folder) {
    return QDir(folder).entryList({QLatin1String(kOutputTempPrefix) + "*"},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

}  // namespace

TEST(OutputFile, LinesEndWithCrLfAndContinuedPiecesShareALine) {
    EXPECT_EQ(written(OutputFormat::Text, "b"), QByteArray("a b\r\nend\r\n"));
}

TEST(OutputFile, EachFormatWritesEveryCharacterInItsOwnEncoding) {
    const struct {
        OutputFormat format;
        QByteArray bytes;
    } cases[] = {
        {OutputFormat::Html, "a \xC3\xA9\xE2\x82\xAC\xC5\x81\xF0\x9F\x98\x80\r\nend\r\n"},
        {OutputFormat::Text, "a \xC3\xA9\xE2\x82\xAC\xC5\x81\xF0\x9F\x98\x80\r\nend\r\n"},
        {OutputFormat::Rtf, "a \xE9\x80\\u321?\\u-10179?\\u-8704?\r\nend\r\n"},
        {OutputFormat::Pml, "a \xE9\x80\\U0141\\Ud83d\\Ude00\r\nend\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(written(c.format, kMixed), c.bytes) << static_cast<int>(c.format);
    }
    EXPECT_EQ(written(OutputFormat::Text, QString(QChar(0xD800)) + "x"),
              QByteArray("a \xEF\xBF\xBDx\r\nend\r\n"))
        << "a lone surrogate has no UTF-8 form";
}

TEST(TextCodec, StoredTextIsEscapedForRtfAndPmlAndEntitiesAreDecoded) {
    const QString hard = QStringLiteral("C:\\temp\\new {x}");
    EXPECT_EQ(RtfEscaped(hard), QStringLiteral("C:\\\\temp\\\\new \\{x\\}"));
    EXPECT_EQ(PmlEscaped(hard), QStringLiteral("C:\\\\temp\\\\new {x}"));

    const struct {
        const char* in;
        const char* out;
    } entities[] = {
        {"Salt &amp; iron; caf&#233; &eacute;t&eacute;", "Salt & iron; café été"},
        {"&lt;&#x4E5D;&#X9F8D;&gt; &#128009;", "<九龍> 🐉"},
        {"AT&T; &nosuch; &#0; &#xD800; & alone; &", "AT&T; &nosuch; &#0; &#xD800; & alone; &"},
        {"&amp;amp;", "&amp;"},
    };
    for (const auto& e : entities) {
        EXPECT_EQ(DecodeHtmlEntities(QString::fromUtf8(e.in)), QString::fromUtf8(e.out)) << e.in;
    }
}

TEST(OutputFile, ReplacementLeavesEqualFilesAloneAndReplacesTheRest) {
    const QByteArray fresh = "new\r\n";
    const struct {
        const char* name;
        std::optional<QByteArray> old;  // nullopt: no file before
        bool rewritten;
    } cases[] = {
        {"no old file", std::nullopt, true},
        {"the same bytes", fresh, false},
        {"other bytes", QByteArray("old\r\n"), true},
        {"a longer old file", fresh + "tail", true},
        {"a shorter old file", QByteArray("ne"), true},
        {"a large old file", QByteArray(300000, 'o'), true},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.path() + "/f.htm";
        QFile::Permissions permissions;
        if (c.old) {
            test::WriteAll(path, *c.old);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            permissions = QFile::permissions(path);
            ageFile(path);
        }
        OutputFile out(path, OutputFormat::Html);
        out.raw(fresh);
        out.close();
        EXPECT_EQ(test::ReadAll(path), fresh) << c.name;
        EXPECT_EQ(out.rewritten(), c.rewritten) << c.name;
        EXPECT_EQ(QFileInfo(path).lastModified() != kLongAgo, c.rewritten) << c.name;
        if (c.old) {
            EXPECT_EQ(QFile::permissions(path), permissions)
                << c.name << ": the replacement keeps the old file's permissions";
        }
        EXPECT_EQ(temporariesIn(dir.path()), QStringList()) << c.name;
    }
}

TEST(OutputFile, LargeOutputIsComparedAndWrittenWhole) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/big.txt";
    const QString line(99, QLatin1Char('x'));
    for (const char last : {'x', 'y', 'y'}) {  // new, changed at its very end, unchanged
        OutputFile out(path, OutputFormat::Text);
        for (int i = 0; i < 4999; ++i) {
            out.line(line);
        }
        out.line(QString(99, QLatin1Char(last)));
        out.close();
        EXPECT_EQ(QFileInfo(path).size(), 5000 * 101);
        EXPECT_EQ(test::ReadAll(path).right(3), QByteArray(1, last) + "\r\n");
    }
}

TEST(OutputFile, ASymlinkAtTheFilesPlaceIsReplacedNotFollowed) {
    QTemporaryDir dir;
    const QString target = dir.path() + "/elsewhere.txt";
    const QString path = dir.path() + "/page.htm";
    test::WriteAll(target, "same\r\n");
    ASSERT_TRUE(QFile::link(target, path));
    OutputFile out(path, OutputFormat::Html);
    out.line(u"same");
    out.close();
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(test::ReadAll(path), "same\r\n");
    EXPECT_EQ(test::ReadAll(target), "same\r\n");
    EXPECT_TRUE(out.rewritten());
}

TEST(OutputFile, AWriterAbandonedBeforeCloseLeavesTheOldFileAndNoTemporary) {
    for (const bool changedEarly : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.path() + "/g-E.htm";
        const QByteArray old(200000, 'e');
        test::WriteAll(path, old);
        {
            OutputFile out(path, OutputFormat::Html);
            out.raw(changedEarly ? QByteArray(100000, 'n') : old.left(100000));
        }
        EXPECT_EQ(test::ReadAll(path), old);
        EXPECT_EQ(temporariesIn(dir.path()), QStringList());
    }
}

TEST(OutputFile, LeftoverTemporariesOfEndedProcessesAreRemoved) {
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const QString dead = QString::number(ended.processId());
    ASSERT_TRUE(ended.waitForFinished());
    QTemporaryDir dir;
    const QString prefix = QLatin1String(kOutputTempPrefix);
    const QString live = prefix + QString::number(QCoreApplication::applicationPid()) + ".0";
    const QString parent = prefix + "1.0";  // the init process: alive
    for (const QString& name : {prefix + dead + ".3", live, parent, QStringLiteral("keep.htm")}) {
        test::WriteAll(dir.filePath(name), "x");
    }
    RemoveLeftoverTemporaries(dir.path());
    QStringList kept = temporariesIn(dir.path());
    kept.sort();
    QStringList expected{live, parent};
    expected.sort();
    EXPECT_EQ(kept, expected);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("keep.htm")));
}

TEST(OutputFile, AProgressiveFileShowsItsLinesAtEachFlush) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/log.txt";
    test::WriteAll(path, "an older log that is longer\r\n");
    OutputFile log(path, OutputFormat::Text, OutputFile::Mode::Progressive);
    log.line(QString::fromUtf8("Łukasz Żółć uploaded OK"));
    log.flush();
    EXPECT_EQ(test::ReadAll(path),
              "\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87 uploaded OK\r\n");
    log.close();
}

TEST(OutputFile, AFileThatCannotBeCreatedIsNamedInTheError) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/no/such/folder/x.htm";
    for (const auto mode : {OutputFile::Mode::Replace, OutputFile::Mode::Progressive}) {
        try {
            OutputFile out(path, OutputFormat::Html, mode);
            FAIL() << "opened a file in a missing folder";
        } catch (const FileError& e) {
            EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
        }
    }
}

TEST(TextCodec, InputIsUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(decodeInputBytes("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(decodeInputBytes("\xEF\xBB\xBF"
                               "abc"),
              "abc")
        << "a byte-order mark is dropped";
    EXPECT_EQ(decodeInputBytes("caf\xE9 \x80\x93"), QString::fromUtf8("café €“"));
    EXPECT_EQ(decodeInputBytes(QByteArray("\x81\x8D", 2)), QString(QChar(0x81)) + QChar(0x8D))
        << "unassigned bytes still decode";
}

TEST(TextCodec, CharactersAreCodePoints) {
    const QString emoji = QString::fromUtf8("😀😀x");
    EXPECT_EQ(emoji.size(), 5);
    EXPECT_EQ(codePointCount(emoji), 3);
    EXPECT_EQ(leftCodePoints(emoji, 1), QString::fromUtf8("😀"));
    EXPECT_EQ(leftCodePoints(emoji, 9), emoji);
    EXPECT_EQ(windows1252Byte(0x20AC), 0x80);
    EXPECT_EQ(windows1252Byte(0x0141), -1);
}
