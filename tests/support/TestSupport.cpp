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

QByteArray Crlf(std::initializer_list<QByteArray> lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
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
