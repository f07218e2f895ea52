// A child process for the publication failure tests: publishes the web site of the compendium
// in its argument and prints a line after each entry written, so that the parent can kill it at
// a moment of its choosing. With a second argument, files it writes may grow to at most that
// many bytes (a full disk): a write beyond fails with "File too large" instead of a signal.
// Exit status: 0 published, 3 a file or store error (its message on standard error).
#include <signal.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "app/AppState.h"
#include "base/Error.h"
#include "publish/SitePublisher.h"

namespace {

class LineProgress : public tavri::PublishProgress {
public:
    void step(qint64 done, qint64) override {
        std::printf("%lld\n", static_cast<long long>(done));
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    auto state = tavri::AppState::Open(QString::fromLocal8Bit(argv[1]));
    if (argc > 2) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(std::atoll(argv[2]));
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
    }
    LineProgress progress;
    try {
        tavri::PublishSite(*state, tavri::SitePublishOptions{}, progress);
    } catch (const tavri::Error& e) {  // a file or the store failed
        std::fprintf(stderr, "%s\n", e.what());
        return 3;
    }
    return 0;
}
