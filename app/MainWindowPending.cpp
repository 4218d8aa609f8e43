// Commands whose formats and windows are still to come: each logs one line and changes nothing.
#include "app/MainWindow.h"

void MainWindow::OpenAustralianERMergeDEM1Click() { notAvailableYet("Open Australian ER Merge DEM"); }
void MainWindow::SaveASCIIDEMClick() { notAvailableYet("SaveASCIIDEM"); }
