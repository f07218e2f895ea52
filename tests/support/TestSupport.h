// Shared helpers of the tests: a temporary compendium, entries made in one line, file reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>

#include "app/AppState.h"

namespace tavri::test {

struct EntrySpec {
    QString name;
    QString raceLocation;
    QString date;
    QString desc;
    QString details;  // a null QString leaves "details" missing
    bool changed = false;
};

// A new, empty compendium in a temporary folder, opened as start-up opens one.
class TempCompendium {
public:
    explicit TempCompendium(const QString& campaign = QStringLiteral("New Campaign"));
    AppState& state() { return *state_; }
    const QString& dir() const { return dir_; }  // ends with "/"
    // Adds an entry; returns its id.
    qint64 add(const EntrySpec& e);
    // Closes and reopens the database, as a second start would.
    void reopen();

private:
    QTemporaryDir temp_;
    QString dir_;
    std::unique_ptr<AppState> state_;
};

QByteArray ReadAll(const QString& path);
// The lines, each ended with CR LF, as the writers end them.
QByteArray Crlf(std::initializer_list<QByteArray> lines);
// The names of the files and folders in folder, sorted by name.
QStringList FilesIn(const QString& folder);
void WriteAll(const QString& path, const QByteArray& bytes);

}  // namespace tavri::test
