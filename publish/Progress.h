// How a publication tells its front end what it is doing. The main window shows it in its
// progress frame (the phase in Label3, the entry in Label2, a bar of entries done); the command
// line on standard error when that is a terminal; tests record it or ignore it.
#pragma once

#include <QString>

namespace tavri {

class PublishProgress {
public:
    virtual ~PublishProgress() = default;
    // The phase of the run: "Publishing:", then "Clearing changed flag:".
    virtual void phase(const QString& text) { (void)text; }
    // The entry being written, by its stored name. The window repaints here.
    virtual void entry(const QString& name) { (void)name; }
    // Entries done out of the total of the current walk.
    virtual void step(qint64 done, qint64 total) {
        (void)done;
        (void)total;
    }
};

}  // namespace tavri
