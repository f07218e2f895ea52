// How a publication tells its front end what it is doing. The main window shows it in its
// progress frame (the phase in Label3, the entry in Label2, a bar that runs once per phase);
// the command line on standard error when that is a terminal; tests record it or ignore it.
#pragma once

#include <QString>
#include <algorithm>

namespace tavri {

// The phases of a publication, in the order a run goes through them. IndexPages is the walk in
// name order (the letter pages with the entry pages, the whole-compendium reading files);
// RaceLocationPages the walk in race/location order (the contents strip, the race/location
// pages, the page files); ReadingFiles the palm folder written on its own.
enum class PublishPhase { IndexPages, RaceLocationPages, ReadingFiles, ClearingChangedFlags };

// The phase's name as the progress frame shows it.
inline QString PhaseName(PublishPhase phase) {
    switch (phase) {
        case PublishPhase::IndexPages:
            return QStringLiteral("Index pages:");
        case PublishPhase::RaceLocationPages:
            return QStringLiteral("Race/location pages:");
        case PublishPhase::ReadingFiles:
            return QStringLiteral("Reading files:");
        case PublishPhase::ClearingChangedFlags:
            break;
    }
    return QStringLiteral("Clearing changed flag:");
}

class PublishProgress {
public:
    virtual ~PublishProgress() = default;
    // A phase begins, under its name as the progress frame shows it (PhaseName for the phases of
    // a publication); its walks, one after the other, step through total entries in all.
    virtual void phase(const QString& name, qint64 total) {
        (void)name;
        (void)total;
    }
    // The entry being written, by its stored name. The window repaints here.
    virtual void entry(const QString& name) { (void)name; }
    // Entries done out of the total of the current walk (each walk counts from 1).
    virtual void step(qint64 done, qint64 total) {
        (void)done;
        (void)total;
    }
};

// Adds up the steps of a phase's walks, so that a front end shows one count for the phase.
class PhaseCount {
public:
    void start(qint64 total) {
        total_ = total;
        finished_ = lastDone_ = lastTotal_ = 0;
    }
    // The entries done in the phase once a walk reports done out of its walkTotal. A walk that
    // reported its last entry, or a count that starts again, means the next walk has begun.
    qint64 step(qint64 done, qint64 walkTotal) {
        if (lastTotal_ > 0 && (lastDone_ >= lastTotal_ || done <= lastDone_)) {
            finished_ += lastTotal_;
        }
        lastDone_ = done;
        lastTotal_ = walkTotal;
        return std::min(finished_ + done, total_);
    }
    qint64 total() const { return total_; }

private:
    qint64 total_ = 0;
    qint64 finished_ = 0;
    qint64 lastDone_ = 0;
    qint64 lastTotal_ = 0;
};

}  // namespace tavri
