#include "app/TerragenScaleDialog.h"

TerragenScaleDialog::TerragenScaleDialog(std::int32_t& heightScale, QWidget* parent)
    : EntryDialog("Terragen Scale Factor", {}, {{"Scale Factor", "30", "scaleFactorEdit", EntryKind::Integer}},
                  "Submit", parent)
{
    setObjectName("terragenScaleDialog");
    closeAfterFailure = true;
    apply = [&heightScale](const std::vector<double>& values, const QStringList&) {
        heightScale = std::int32_t(values.at(0));
    };
}
