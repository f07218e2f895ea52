// Shared helpers of the tests: a temporary compendium, entries made in one line, file reading.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
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
// The names of the files and folders in folder, sorted by name.
QStringList FilesIn(const QString& folder);
void WriteAll(const QString& path, const QByteArray& bytes);

}  // namespace tavri::test

// ---- The store's, the entry list's and the command line's tests ----
#include "app/EntryList.h"
#include "store/StoreError.h"

namespace tavri::test {

// A program that ran to its end: its exit status (-1 if it crashed), standard output and error.
struct Ran {
    int status = -1;
    QString out, err;
};
Ran Run(const QString& program, const QStringList& args, const QByteArray& input = {});
#ifdef TAVRI_CLI_PATH
inline Ran RunCli(const QStringList& args) {
    return Run(QStringLiteral(TAVRI_CLI_PATH), args);
}
#endif

// The names BuildEntryList lists for filter, joined by commas.
QString ListedNames(AppState& state, const ListFilter& filter = {});
// The values of one field over a full scan of an index, joined by commas.
QString Scan(Recordset& rs, QStringView index, QStringView field = u"name");

// The message of the StoreError (or other error E) that fn throws.
template <typename E = StoreError, typename Fn>
QString Refusal(Fn&& fn) {
    try {
        fn();
    } catch (const E& e) {
        return e.message();
    }
    return QStringLiteral("(no refusal)");
}

// XDG_CONFIG_HOME and XDG_DATA_HOME set to temporary folders for as long as it lives.
struct TempXdgHomes {
    TempXdgHomes();
    ~TempXdgHomes();
    QTemporaryDir config, data;
};

}  // namespace tavri::test
