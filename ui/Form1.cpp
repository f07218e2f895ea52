// The main window.
#include "ui/Form1.h"

namespace tavri {

Form1::Form1(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), dialogs_(dialogs) {
    setWindowTitle(state_.AppTitle);
}

}  // namespace tavri
