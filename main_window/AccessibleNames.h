#pragma once

namespace Ui {
class MainWindow;
}

// What a screen reader reads for the main window's controls.
namespace AccessibleNames {

// The controls that show only an image are named by their hint; the lists, the text line
// and the composition box each have a name of their own.
void give(Ui::MainWindow &controls);

} // namespace AccessibleNames
