// The one walk that feeds every writer of a publication, and the files those writers share.
//
// A publication reads the compendium twice at most: once in name order ("namedex") for the
// letter pages and the whole-compendium files, once in race/location order ("rldex") for the
// contents strip, the race/location pages and the page outputs. Each walk hands every entry to
// all its writers in turn, so adding a writer costs no extra pass over the table.
//
// Writers that split the entries into groups keep their files in a RunFiles registry. Two
// groups may map to one file name (initials that interleave in name order, race/locations whose
// keys coincide); the registry then hands the later group the file the run already began, so
// its rows are appended, and every file is ended and closed once, after the walk. A run never
// replaces a file it has itself written.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/OutputFile.h"
#include "publish/Progress.h"
#include "store/Recordset.h"

namespace tavri {

// A writer fed by a walk: one call per entry, in the walk's order, then one to end.
class WalkWriter {
public:
    virtual ~WalkWriter() = default;
    // The cursor stands on the entry; the writer may read it but not move it.
    virtual void entry(const Recordset& rs) = 0;
    virtual void finish() = 0;
};

// Walks rs once in the order of index, feeding every writer each entry, then finishes them in
// the order given. With a total, reports each entry done to progress. Returns the number of
// entries walked. Leaves rs past its end.
qint64 WalkEntries(Recordset& rs, QStringView index, std::initializer_list<WalkWriter*> writers,
                   PublishProgress& progress, qint64 total = 0);

// The files of one kind that a run writes, by path. File must offer suspend() (the run has left
// the file for another; hand its buffer to the system) and finish() (end and close it). At most
// one file is current; the others wait, open, with nothing buffered.
template <class File>
class RunFiles {
public:
    // The file at path and whether this call began it. make() builds a new one; a file the run
    // already began is continued instead.
    template <class Make>
    std::pair<File&, bool> enter(const QString& path, Make&& make) {
        const auto found = byPath_.find(path);
        File* next = found == byPath_.end() ? nullptr : files_[found->second].get();
        if (current_ != nullptr && current_ != next) {
            current_->suspend();
        }
        if (next == nullptr) {
            files_.push_back(make());
            byPath_.emplace(path, files_.size() - 1);
            current_ = files_.back().get();
            return {*current_, true};
        }
        current_ = next;
        return {*current_, false};
    }

    File* current() const { return current_; }
    bool wrote(const QString& path) const { return byPath_.count(path) != 0; }

    // Ends every file in the order the run began them; returns the last one ended, if any.
    File* finish() {
        for (auto& file : files_) {
            file->finish();
        }
        current_ = nullptr;
        return files_.empty() ? nullptr : files_.back().get();
    }

private:
    std::vector<std::unique_ptr<File>> files_;
    std::unordered_map<QString, size_t> byPath_;
    File* current_ = nullptr;
};

// A file of the run's own, written beside the output in a hidden folder that is removed with
// it (or, when the run was killed, by the next one), whose bytes are later copied into an
// output file.
class ScratchFile {
public:
    ScratchFile(const QString& folder, OutputFormat format);
    OutputFile& out() { return *out_; }
    // Closes the scratch file and appends its bytes to to, unchanged.
    void closeInto(OutputFile& to);
    // Closes the scratch file and replaces the file at path with a copy of it.
    void copyTo(const QString& path, OutputFormat format);

private:
    QTemporaryDir dir_;
    std::unique_ptr<OutputFile> out_;
};

// Appends the bytes of the file at path to to, unchanged.
void AppendFileTo(OutputFile& to, const QString& path);

}  // namespace tavri
