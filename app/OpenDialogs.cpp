#include "app/OpenDialogs.h"

#include "app/SolverParameters.h"
#include "graphics/GraphicsLoaders.h"

ShapeFileScalingDialog::ShapeFileScalingDialog(SessionState& session, Reporter& reporter, QWidget* parent)
    : EntryDialog("Shape File Scaling Limits", {"MAXSPAN is the maximum extent of the map in pixels."},
                  {{"MAXSPAN", kDefaultMaxSpanText, "maxSpanEdit", EntryKind::Integer}}, "Submit", parent)
{
    setObjectName("shapeFileScalingDialog");
    apply = [&session, &reporter](const std::vector<double>& values, const QStringList&) {
        submitMaxSpan(session, std::int32_t(values.at(0)), reporter);
    };
}

ErCornerDialog::ErCornerDialog(GraphicsModel& graphics, Reporter& reporter, QWidget* parent)
    : EntryDialog("Australian ERM Data Entry Form", {"Please insert SW corner coordinates."},
                  {{"Lower Left Latitude", "", "latitudeEdit", EntryKind::Integer},
                   {"Lower Left Longitude", "", "longitudeEdit", EntryKind::Integer}},
                  "Submit", parent)
{
    setObjectName("erCornerDialog");
    apply = [&graphics, &reporter](const std::vector<double>& values, const QStringList&) {
        setErCorner(graphics, std::int32_t(values.at(0)), std::int32_t(values.at(1)), reporter);
    };
}
