// The desktop program: finds the compendium, opens it and shows the main window.
#include <QApplication>

#include "app/OpenCompendium.h"
#include "app/Startup.h"
#include "ui/Form1.h"
#include "ui/QtDialogs.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavri"));

    tavri::QtDialogs dialogs;
    const QString argumentText = tavri::CommandLineText(QApplication::arguments().mid(1));
    std::unique_ptr<tavri::AppState> state = tavri::OpenCompendiumAtStartup(argumentText, dialogs);
    if (!state) {
        return 1;
    }

    tavri::Form1 window(*state, dialogs);
    dialogs.setParent(&window);
    window.show();
    const int status = QApplication::exec();
    state->Close();
    return status;
}
