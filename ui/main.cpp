// The desktop program: finds the compendium, opens it and shows the main window.
#include <QApplication>
#include <QMessageBox>

#include "app/AppState.h"
#include "app/FileError.h"
#include "app/Startup.h"
#include "app/Version.h"
#include "ui/Form1.h"
#include "ui/QtDialogs.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavri"));

    const QString title = tavri::BuildAppTitle();
    const QString argumentText = tavri::CommandLineText(QApplication::arguments().mid(1));
    QString dataDir;
    std::unique_ptr<tavri::AppState> state;
    try {
        dataDir = tavri::ResolveDataDir(argumentText);
        state = tavri::AppState::Open(dataDir);
    } catch (const tavri::StoreError& e) {
        QMessageBox::critical(nullptr, title, tavri::OpenFailureMessage(dataDir, e.message()));
        return 1;
    } catch (const tavri::FileError& e) {
        QMessageBox::critical(nullptr, title, e.message());
        return 1;
    }
    tavri::CreateReportFolders(dataDir);

    tavri::QtDialogs dialogs;
    tavri::Form1 window(*state, dialogs);
    dialogs.setParent(&window);
    window.show();
    const int status = QApplication::exec();
    state->Close();
    return status;
}
