// The desktop program: finds the compendium (or asks where to make or find one), opens it and
// shows the main window.
#include <QApplication>
#include <cstdio>

#include "app/ProgramHelp.h"
#include "app/StartChoice.h"
#include "app/Startup.h"
#include "ui/Form1.h"
#include "ui/QtDialogs.h"

int main(int argc, char* argv[]) {
    // Answered before any window or compendium exists, so they need no display.
    if (argc > 1) {
        if (const auto text = tavri::DesktopInformationText(QString::fromLocal8Bit(argv[1]))) {
            std::fputs(text->toUtf8().constData(), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavri"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tavri.Tavri"));

    tavri::QtDialogs dialogs;
    const QString argumentText = tavri::CommandLineText(QApplication::arguments().mid(1));
    std::unique_ptr<tavri::AppState> state = tavri::OpenOrChooseCompendium(argumentText, dialogs);
    if (!state) {
        return 1;
    }

    tavri::Form1 window(*state, dialogs);
    dialogs.setParent(&window);
    window.guarded([&window] { window.RefreshList(); });
    window.show();
    const int status = QApplication::exec();
    state->Close();
    return status;
}
