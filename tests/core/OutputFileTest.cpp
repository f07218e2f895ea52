// The output writer and the text codec: line ends, continued lines, Windows-1252 with each
// format's fallback, input decoding, and errors that name the file.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "app/FileError.h"
#include "app/OutputFile.h"
#include "app/TextCodec.h"
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

}  // namespace

TEST(OutputFile, LinesEndWithCrLfAndContinuedPiecesShareALine) {
    EXPECT_EQ(written(OutputFormat::Text, "b"), QByteArray("a b\r\nend\r\n"));
}

TEST(OutputFile, CharactersOutsideTheCodePageUseEachFormatsFallback) {
    EXPECT_EQ(written(OutputFormat::Html, kMixed),
              QByteArray("a \xE9\x80&#321;&#128512;\r\nend\r\n"));
    EXPECT_EQ(written(OutputFormat::Rtf, kMixed),
              QByteArray("a \xE9\x80\\u321?\\u-10179?\\u-8704?\r\nend\r\n"));
    EXPECT_EQ(written(OutputFormat::Pml, kMixed),
              QByteArray("a \xE9\x80\\U0141\\UD83D\\UDE00\r\nend\r\n"));
    EXPECT_EQ(written(OutputFormat::Text, kMixed), QByteArray("a \xE9\x80??\r\nend\r\n"));
}

TEST(OutputFile, AnExistingFileIsReplacedAndRawBytesPassUnchanged) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/f.htm";
    test::WriteAll(path, QByteArray(1000, 'z'));
    OutputFile out(path, OutputFormat::Html);
    out.raw(QByteArray("\xFF\x00\r", 3));
    out.close();
    EXPECT_EQ(test::ReadAll(path), QByteArray("\xFF\x00\r", 3));
}

TEST(OutputFile, LargeOutputIsWrittenWhole) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/big.txt";
    OutputFile out(path, OutputFormat::Text);
    const QString line(99, QLatin1Char('x'));
    for (int i = 0; i < 5000; ++i) {
        out.line(line);
    }
    out.close();
    EXPECT_EQ(QFileInfo(path).size(), 5000 * 101);
}

TEST(OutputFile, AFileThatCannotBeCreatedIsNamedInTheError) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/no/such/folder/x.htm";
    try {
        OutputFile out(path, OutputFormat::Html);
        FAIL() << "opened a file in a missing folder";
    } catch (const FileError& e) {
        EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
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
