#include "app/TileGrayscale.h"

#include "graphics/GraphicsModel.h"
#include "view/GreyImage.h"
#include "view/ImageWindows.h"

void showTileGrayscale(GraphicsModel& model, GrayscaleWindow& window, Reporter& reporter)
{
    const GreyImage image = tileGreyImage(model.imageArray, reporter);
    model.displaySlope = image.displaySlope;
    model.displayIntercept = image.displayIntercept;
    window.setPicture(image);
    window.show();
    window.raise();
}
