// The main window's entry commands.
#include "ui/Form1.h"

namespace tavri {

// The entry commands arrive with the entry editor.
void Form1::Command2_Click() {}

}  // namespace tavri
