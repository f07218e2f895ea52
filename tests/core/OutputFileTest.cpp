// The text codec's rules in one table (the code pages, escapes and entities of the reading files
// are seen whole in the publishing tests' expected files), and the output writer: replacement that
// never cuts a file, unchanged files left alone, symlinks replaced, temporaries cleared, errors
// that name the file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <numeric>
#include <optional>

#include "base/FileError.h"
#include "base/OutputFile.h"
#include "base/TextCodec.h"
#include "support/TestSupport.h"

using namespace tavri;

namespace {

QByteArray Encoded(const QString& text, OutputFormat format) {
    QByteArray out;
    appendEncoded(out, text, format);
    return out;
}

const QDateTime kLongAgo(QDate(2001, 2, 3), QTime(4, 5, 6), QTimeZone::utc());

}  // namespace

TEST(TextCodec, Rules) {
    const QString emoji = QString::fromUtf8("😀😀x");
    QByteArray all(256, '\0');
    std::iota(all.begin(), all.end(), '\0');
    const auto in = [](const QByteArray& bytes) { return decodeInputBytes(bytes).toUtf8(); };
    const auto html = [](auto text) { return DecodeHtmlEntities(text).toUtf8(); };
    const struct {
        const char* rule;
        QByteArray actual;
        QByteArray expected;
    } rows[] = {
        {"lone surrogate", Encoded(u"\xD800x"_qs, OutputFormat::Text), "\xEF\xBF\xBDx"},
        {"U+0080 is not 0x80", Encoded(QString(QChar(0x80)), OutputFormat::Rtf), "\\u128?"},
        // Every byte decodes (the five unassigned ones to the C1 control of the same number) and
        // encodes back to itself.
        {"every byte round-trips", Encoded(decodeInputBytes(all), OutputFormat::Pml), all},
        {"C1 bytes", in("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"UTF-8 when valid", in("caf\xC3\xA9"), "caf\xC3\xA9"},
        {"a byte-order mark is dropped", in("\xEF\xBB\xBFxyz"), "xyz"},
        {"else Windows-1252", in("caf\xE9 \x80\x93"), "caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C"},
        {"numeric entities", html(u"&lt;&#x4E5D;&#X9F8D;&gt; &#128009;"),
         "<\xE4\xB9\x9D\xE9\xBE\x8D> \xF0\x9F\x90\x89"},
        {"references to nothing stay", html(u"AT&T; &nosuch; &#0; &#xD800; & alone; &"),
         "AT&T; &nosuch; &#0; &#xD800; & alone; &"},
        {"one decoding only", html(u"&amp;amp;"), "&amp;"},
        {"characters are code points",
         QByteArray::number(codePointCount(emoji)) + leftCodePoints(emoji, 1).toUtf8() +
             leftCodePoints(emoji, 9).toUtf8(),
         "3\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80x"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.actual.toStdString(), row.expected.toStdString()) << row.rule;
    }
}

// A writer abandoned before close() leaves the old file as it was and no temporary file.
TEST(OutputFile, ReplacementLeavesEqualFilesAloneAndReplacesTheRest) {
    const QByteArray fresh = "new\r\n";
    const QByteArray large = QByteArray("0123456789abcdefg").repeated(12000);  // chunks differ
    const struct {
        const char* name;
        std::optional<QByteArray> old;  // nullopt: no file before
        QByteArray written;
        bool closed;
        QByteArray after;
        bool link = false;  // the old file is a symlink's target: replaced, not followed
    } cases[] = {
        {"no old file", std::nullopt, fresh, true, fresh},
        {"the same bytes", fresh, fresh, true, fresh},
        {"other bytes", QByteArray("old\r\n"), fresh, true, fresh},
        {"a longer old file", fresh + "tail", fresh, true, fresh},
        {"a shorter old file", QByteArray("ne"), fresh, true, fresh},
        {"abandoned while equal", large, large.left(100000), false, large},
        {"abandoned after a change", large, QByteArray(100000, 'n'), false, large},
        {"a large file changed at its end", large, large.chopped(1) + "f", true,
         large.chopped(1) + "f"},
        {"the same large file", large, large, true, large},
        {"a symlink to the same bytes", fresh, fresh, true, fresh, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.path() + "/f.htm";
        const QString old = c.link ? dir.path() + "/elsewhere.htm" : path;
        QFile::Permissions permissions;
        if (c.old) {
            test::WriteAll(old, *c.old);
            QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner);
            permissions = QFile::permissions(old);
            QFile f(old);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(kLongAgo, QFileDevice::FileModificationTime));
        }
        ASSERT_TRUE(!c.link || QFile::link(old, path));
        const bool rewritten = c.closed && (c.link || c.old != c.written);
        {
            OutputFile out(path, OutputFormat::Html);
            out.raw(c.written);
            if (c.closed) {
                out.close();
                EXPECT_EQ(out.rewritten(), rewritten);
            }
        }
        EXPECT_EQ(test::ReadAll(path), c.after);
        EXPECT_EQ(test::ReadAll(old), c.link ? *c.old : c.after);
        EXPECT_FALSE(QFileInfo(path).isSymLink());
        EXPECT_EQ(QFileInfo(path).lastModified() != kLongAgo, rewritten);
        if (c.old && !c.link) {
            EXPECT_EQ(QFile::permissions(path), permissions) << "the old file's permissions stay";
        }
        const QStringList temporaries{QLatin1String(kOutputTempPrefix) + "*"};
        EXPECT_EQ(QDir(dir.path()).entryList(temporaries, QDir::Files | QDir::Hidden),
                  QStringList());
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
    const QString init = prefix + "1.0";  // a process that is alive
    for (const QString& name : {prefix + dead + ".3", live, init, QStringLiteral("keep.htm")}) {
        test::WriteAll(dir.filePath(name), "x");
    }
    RemoveLeftoverTemporaries(dir.path());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{init, live, "keep.htm"}));
}

TEST(OutputFile, AProgressiveFileShowsItsLinesAtEachFlush) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/log.txt";
    test::WriteAll(path, "an older log that is longer\r\n");
    OutputFile log(path, OutputFormat::Text, OutputFile::Mode::Progressive);
    log.line(QString::fromUtf8("Łukasz uploaded OK"));
    log.flush();
    EXPECT_EQ(test::ReadAll(path), "\xC5\x81ukasz uploaded OK\r\n");
}

TEST(OutputFile, AFileThatCannotBeCreatedIsNamedInTheError) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/no/such/folder/x.htm";
    for (const auto mode : {OutputFile::Mode::Replace, OutputFile::Mode::Progressive}) {
        const QString error =
            test::Refusal<FileError>([&] { OutputFile out(path, OutputFormat::Html, mode); });
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
}
