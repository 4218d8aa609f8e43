// Commands whose formats and windows are still to come: each logs one line and changes nothing.
#include "app/MainWindow.h"

void MainWindow::OpenAustralianERMergeDEM1Click() { notAvailableYet("Open Australian ER Merge DEM"); }
void MainWindow::SaveASCIIDEMClick() { notAvailableYet("SaveASCIIDEM"); }
void MainWindow::SaveSRTM1Click() { notAvailableYet("Save SRTM"); }
void MainWindow::SRTMtoSRTM1Click() { notAvailableYet("Batch Mode Interpolate"); }
void MainWindow::INDtoSRTM1Click() { notAvailableYet("Batch Mode Interpolate"); }
