// "Terragen Scale Factor": the height scale written into Terragen files
// (text box "Scale Factor", default "30"). Submit stores the integer; an
// empty or unconvertible entry is reported and the dialog closes without
// changing the value.
#pragma once

#include "ui/EntryDialog.h"

#include <cstdint>

class TerragenScaleDialog : public EntryDialog {
    Q_OBJECT
public:
    TerragenScaleDialog(std::int32_t& heightScale, QWidget* parent = nullptr);
};
