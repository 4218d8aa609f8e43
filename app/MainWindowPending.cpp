// Commands whose formats and windows are still to come: each logs one line and changes nothing.
#include "app/MainWindow.h"

void MainWindow::OpenMergeDEM1Click() { notAvailableYet("Open DTED0 Merge DEM"); }
void MainWindow::OpenDTED1MergeDEM1Click() { notAvailableYet("Open DTED1 Merge DEM"); }
void MainWindow::OpenSRTM30MergeDEM1Click() { notAvailableYet("Open SRTM30 Merge DEM"); }
void MainWindow::SaveSRTM1Click() { notAvailableYet("Save SRTM"); }
void MainWindow::SaveDTED11Click() { notAvailableYet("Save DTED1"); }
void MainWindow::SRTMtoSRTM1Click() { notAvailableYet("Batch Mode Interpolate"); }
void MainWindow::INDtoSRTM1Click() { notAvailableYet("Batch Mode Interpolate"); }
