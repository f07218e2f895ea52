// Shared helpers of the tests.
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "app/NewCompendium.h"
#include "app/Startup.h"

namespace tavri::test {

TempCompendium::TempCompendium(const QString& campaign) {
    if (!temp_.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    dir_ = temp_.path() + QStringLiteral("/");
    CreateCompendium(dir_, false);
    state_ = AppState::Open(dir_);
    if (campaign != QLatin1String(kNewCampaignTitle)) {
        state_->OptionsRs->edit();
        state_->OptionsRs->setField(u"campaign", campaign);
        state_->OptionsRs->update();
    }
}

qint64 TempCompendium::add(const EntrySpec& e) {
    Recordset& rs = *state_->EntryRs;
    rs.addNew();
    rs.setField(u"name", e.name);
    rs.setField(u"race-location", e.raceLocation);
    rs.setField(u"date", e.date);
    rs.setField(u"desc", e.desc);
    if (!e.details.isNull()) {
        rs.setField(u"details", e.details);
    }
    rs.setField(u"changed", e.changed);
    rs.update();
    return rs.lastAddedId();
}

void TempCompendium::reopen() {
    state_->Close();
    state_.reset();
    state_ = AppState::Open(dir_);
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        throw std::runtime_error(("cannot read " + path).toStdString());
    }
    return f.readAll();
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        throw std::runtime_error(("cannot write " + path).toStdString());
    }
}

}  // namespace tavri::test

// ---- The store's, the entry list's and the command line's tests ----
#include <QProcess>

namespace tavri::test {

Ran Run(const QString& program, const QStringList& args, const QByteArray& input) {
    QProcess p;
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    Ran ran;
    if (p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit) {
        ran.status = p.exitCode();
    }
    ran.out = QString::fromUtf8(p.readAllStandardOutput());
    ran.err = QString::fromUtf8(p.readAllStandardError());
    return ran;
}

QString ListedNames(AppState& state, const ListFilter& filter) {
    QStringList names;
    for (const ListRow& row : BuildEntryList(state, filter).rows) {
        names << row.name;
    }
    return names.join(',');
}

QString Scan(Recordset& rs, QStringView index, QStringView field) {
    QStringList seen;
    rs.setIndex(index);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        seen << rs.text(field);
    }
    return seen.join(',');
}

TempXdgHomes::TempXdgHomes() {
    qunsetenv("WINDIR");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
}

TempXdgHomes::~TempXdgHomes() {
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace tavri::test
