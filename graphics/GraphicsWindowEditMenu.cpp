// The graphics window's Edit menu: "Undo", "Copy Bitmap" and "Subset Process Image".
#include "graphics/GraphicsWindow.h"

void GraphicsWindow::Undo1Click()
{
    model_.undo();
}

void GraphicsWindow::CopyBitmap1Click()
{
    model_.copyBitmap();
}

void GraphicsWindow::SubsetProcessImage1Click()
{
    model_.subsetRequest = true;
}
