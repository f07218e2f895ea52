// The shared settings, path and text routines.
#include "base/Sutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "base/FileError.h"
#include "base/TextCodec.h"

extern char** environ;

namespace tavri {
namespace {

// Where a bare settings-file name lives: the Windows folder when WINDIR names one, else the
// user's configuration folder.
QString settingsFolder() {
    const QString windir = GetEnvValue(QStringLiteral("WINDIR"));
    if (!windir.isEmpty()) {
        return AddBackslash(windir);
    }
    const QString xdg = GetEnvValue(QStringLiteral("XDG_CONFIG_HOME"));
    if (!xdg.isEmpty()) {
        return AddBackslash(xdg);
    }
    return AddBackslash(QDir::homePath() + QStringLiteral("/.config"));
}

QString keepOnly(const QString& text, QLatin1String alphabet) {
    QString kept;
    for (QChar c : text) {
        if (alphabet.contains(c.toLower())) {
            kept += c;
        }
    }
    return kept;
}

QString settingsPath(const QString& fileName) {
    return fileName.contains(kSeparator) ? fileName : settingsFolder() + fileName;
}

bool isKeyLine(const QString& line, const QString& key) {
    return line.left(key.size()).toUpper() == key.toUpper();
}

}  // namespace

QString ReadIni(const QString& fileName, const QString& key) {
    const QString path = settingsPath(fileName);
    if (!QFileInfo::exists(path)) {
        return QString();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(QStringLiteral("read the settings file"), path, file.errorString());
    }
    const QStringList lines = SplitLines(decodeInputBytes(file.readAll()));
    for (const QString& line : lines) {
        if (isKeyLine(line, key)) {
            return line.mid(key.size() + 1);
        }
    }
    return QString();
}

void WriteIni(const QString& fileName, const QString& key, const QString& value) {
    const QString path = settingsPath(fileName);
    QStringList lines;
    if (QFileInfo::exists(path)) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) {
            throw FileError(QStringLiteral("read the settings file"), path, old.errorString());
        }
        lines = SplitLines(decodeInputBytes(old.readAll()));
    }
    const QString setting = key + QLatin1Char('=') + value;
    const auto found = std::find_if(lines.begin(), lines.end(),
                                    [&](const QString& line) { return isKeyLine(line, key); });
    if (found != lines.end()) {
        *found = setting;
    } else {
        lines << setting;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(QStringLiteral("write the settings file"), path, file.errorString());
    }
    for (const QString& line : lines) {
        file.write(line.toUtf8());
        file.write("\n");
    }
    if (!file.commit()) {
        throw FileError(QStringLiteral("write the settings file"), path, file.errorString());
    }
}

QString AddBackslash(const QString& path) {
    if (path.endsWith(kSeparator)) {
        return path;
    }
    return path + kSeparator;
}

QString GetEnvValue(const QString& name) {
    const QString wanted = name.toUpper();
    for (int i = 0; i < 1000 && environ[i] != nullptr; ++i) {
        const QString entry = QString::fromLocal8Bit(environ[i]);
        if (entry.isEmpty()) {
            return QString();
        }
        if (entry.left(name.size()).toUpper() == wanted) {
            const qsizetype eq = entry.indexOf(QLatin1Char('='));
            return TrimSpaces(eq < 0 ? QString() : entry.mid(eq + 1));
        }
    }
    return QString();
}

QString LettersOnly(const QString& text) {
    return keepOnly(text, QLatin1String("abcdefghijklmnopqrstuvwxyz"));
}

QString AlphaNumOnly(const QString& text) {
    return keepOnly(text, QLatin1String("abcdefghijklmnopqrstuvwxyz0123456789"));
}

QString StripTags(const QString& text) {
    enum class State { Outside, InTag, JustClosed };
    State state = State::Outside;
    QString result;
    for (QChar c : text) {
        if (c == QLatin1Char('<')) {
            state = State::InTag;
        }
        if (state == State::JustClosed) {
            state = State::Outside;
        }
        if (c == QLatin1Char('>')) {
            state = State::JustClosed;
        }
        if (state == State::Outside) {
            result += c;
        }
    }
    return result;
}

QString NewlinesToBr(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\r')) {
            result += QLatin1Char(' ');
        } else if (c == QLatin1Char('\n')) {
            result += QLatin1String("<br>");
        } else {
            result += c;
        }
    }
    return result;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.append(text.mid(start));
    }
    return lines;
}

QString TrimSpaces(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == QLatin1Char(' ')) {
        ++start;
    }
    while (end > start && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(start, end - start);
}

double LeadingNumber(const QString& text) {
    // The leading number: optional blanks, an optional sign, digits with at most one decimal
    // point.
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' ')) {
        ++i;
    }
    const qsizetype start = i;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        ++i;
    }
    bool digits = false;
    bool point = false;
    while (i < text.size()) {
        if (text[i].isDigit() && text[i].unicode() < 128) {
            digits = true;
        } else if (text[i] == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits) {
        return 0;
    }
    return text.mid(start, i - start).toDouble();
}

}  // namespace tavri
