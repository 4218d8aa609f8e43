#include "graphics/GraphicsWindowRepair.h"

#include "app/core/Reporter.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/NullDataRepair.h"
#include "ui/EntryDialog.h"

namespace {

EntryDialog* entryDialog(GraphicsWindow& window, const QString& caption, const QString& objectName,
                         std::vector<EntryField> fields)
{
    auto* dialog = new EntryDialog(caption, {}, std::move(fields), "Submit", &window);
    dialog->setObjectName(objectName);
    return dialog;
}

std::int32_t integer(double v) { return std::int32_t(v); }

} // namespace

RepairDialogs createRepairDialogs(GraphicsWindow& window, Reporter& reporter)
{
    GraphicsModel& model = window.model();
    RepairDialogs d;
    d.scaleFactor = entryDialog(window, "Scale Factor Data Entry Form", "scaleFactorDataEntryForm",
                                {{"Scale Factor", "1.0", "scaleFactorEdit", EntryKind::Real}});
    d.scaleFactor->apply = [&model, &reporter](const std::vector<double>& v, const QStringList&) {
        scaleArrays(model, v.at(0), reporter);
    };
    d.arrayOffset = entryDialog(window, "Offset Data Entry", "offsetDataEntry",
                                {{"Array Offset", "1.0", "arrayOffsetEdit", EntryKind::Real}});
    d.arrayOffset->apply = [&model, &reporter](const std::vector<double>& v, const QStringList&) {
        offsetArrays(model, v.at(0), reporter);
    };
    d.dted0Offset = entryDialog(window, "DTED0 Offset Elevation Dialog Box", "dted0OffsetDialog",
                                {{"Elevation Offset", "0", "elevationOffsetEdit", EntryKind::Integer}});
    d.dted0Offset->apply = [&model, &reporter](const std::vector<double>& v, const QStringList&) {
        setDted0Offset(model, integer(v.at(0)), reporter);
    };
    d.seaLevel = entryDialog(window, "Sea Level Clipping Parameters", "seaLevelClippingParameters",
                             {{"Lower Limit", "-15", "lowerLimitEdit", EntryKind::Integer},
                              {"Upper Limit", "3", "upperLimitEdit", EntryKind::Integer}});
    d.seaLevel->apply = [&model, &reporter](const std::vector<double>& v, const QStringList&) {
        setSeaLevelLimits(model, integer(v.at(0)), integer(v.at(1)), reporter);
    };
    d.nullData = entryDialog(window, "Null Data Definition Data Entry Form", "nullDataDefinitionForm",
                             {{"Null Data=Elevations<", "-32000", "nullDataEdit", EntryKind::Integer}});
    d.nullData->apply = [&model, &reporter](const std::vector<double>& v, const QStringList&) {
        setNullDataDefinition(model, integer(v.at(0)), reporter);
    };
    return d;
}
