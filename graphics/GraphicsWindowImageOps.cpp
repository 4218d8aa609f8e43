// The graphics window's colour filters, binarisation, thinning, despeckle,
// pattern and edge commands ("Image Processing"), and the pixel and line-scan
// query clicks.
#include "graphics/MapTools.h"

#include "graphics/GraphicsWindow.h"
#include "graphics/ImageCommands.h"
#include "graphics/ImageDialogs.h"
#include "ui/ErrorWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
std::int32_t toInt(double v) { return std::int32_t(v); }
} // namespace

void MapTools::wireImageCommands()
{
    GraphicsWindow& win = window_;
    GraphicsModel& g = win.model();
    auto on = [&win](const char* action, std::function<void()> handler) { win.wire(action, std::move(handler)); };
    auto flag = [&](const char* enabled, const char* disabled, bool GraphicsModel::*field) {
        on(enabled, [&g, field] { g.*field = true; });
        on(disabled, [&g, field] { g.*field = false; });
    };

    // Filter > Values
    FilterValuesDialog& values = *w_.filterValues;
    values.apply = [&g, &values](const std::vector<double>& v, const QStringList&) {
        for (std::size_t i = 0; i < 16; ++i) g.filterValues[i] = toInt(v[i]);
        g.replacementColour = toInt(v[16]);
        g.tools.valueToggle = values.valueToggle()->isChecked();
        imagecmd::valueFilter(g);
    };
    connect(values.loadValuesButton(), &QPushButton::clicked, &values,
            [&g, &values] { values.loadValues(g.tools.queryHistory.colours); });
    on("actionFilterValues", [&values] { values.showModal(); });

    // Filter > Range: Submit stores the values, then the command runs the filter.
    FilterLimitsDialog& limits = *w_.filterLimits;
    limits.apply = [&g, &limits](const std::vector<double>& v, const QStringList&) {
        g.tools.rangeFilter.lower = toInt(v[0]);
        g.tools.rangeFilter.upper = toInt(v[1]);
        g.replacementColour = toInt(v[2]);
        g.tools.rangeFilter.keepDiscard = limits.keepDiscard()->isChecked();
        g.rangeTargetReference = limits.referenceImage()->isChecked();
    };
    connect(limits.loadValueButton(), &QPushButton::clicked, &limits,
            [&g, &limits] { limits.loadValue(g.tools.queryHistory.lastQueried); });
    on("actionFilterRange", [this, &g, &limits] {
        if (limits.showModal() != QDialog::Accepted) return;
        if (!g.rangeTargetReference) {
            imagecmd::rangeFilter(g);
            return;
        }
        IntGrid picture = reference_.get ? reference_.get() : IntGrid();
        if (picture.empty()) return;
        imagecmd::rangeFilterReference(g, picture);
        if (reference_.show) reference_.show(picture);
    });

    // Filter > Red Green Blue Byte Filter
    ByteFilterDialog& bytes = *w_.byteFilter;
    bytes.apply = [&g, &bytes](const std::vector<double>& v, const QStringList&) {
        ByteScreen& s = g.tools.byteScreen;
        s.red = toInt(v[0]);
        s.green = toInt(v[1]);
        s.blue = toInt(v[2]);
        s.target = toInt(v[3]);
        s.useTarget = bytes.useTarget()->isChecked();
        s.channel = bytes.screen(0)->isChecked()   ? ScreenChannel::Red
                    : bytes.screen(1)->isChecked() ? ScreenChannel::Green
                    : bytes.screen(2)->isChecked() ? ScreenChannel::Blue
                                                   : ScreenChannel::None;
        imagecmd::byteScreen(g);
    };
    on("actionRgbByteFilter", [&bytes] { bytes.showModal(); });

    on("actionLowPassFilter", [&g] { imagecmd::lowPass(g); });
    EntryDialog& unsharp = *w_.unsharpMask;
    unsharp.apply = [&g](const std::vector<double>& v, const QStringList&) {
        g.tools.unsharpMultiplier = v[0];
        imagecmd::unsharpMask(g, v[0]);
    };
    on("actionUnsharpMask", [&unsharp] { unsharp.showModal(); });
    on("actionHighPassFilter", [] {});   // the program's high pass filter does nothing

    // Binarize and NAND share "Background Color Data Entry".
    EntryDialog& background = *w_.backgroundColor;
    on("actionBinarize", [&win, &g, &background] {
        background.apply = [&win, &g](const std::vector<double>& v, const QStringList&) {
            g.backgroundColour = toInt(v[0]);
            imagecmd::binarize(g, g.backgroundColour);
            win.setBinarized(true);
        };
        background.showModal();
    });
    on("actionNegativeImage", [&g] { imagecmd::negativeImage(g); });
    win.plugins.grayscalePicture = [&g] { imagecmd::grayscalePicture(g); };

    flag("actionQueryPixelEnabled", "actionQueryPixelDisabled", &GraphicsModel::queryPixelEnabled);
    flag("actionLineScanEnabled", "actionLineScanDisable", &GraphicsModel::lineScanEnabled);
    g.hooks.clicks.queryPixel = [this, &g](int x, int y) { imagecmd::queryPixelAt(g, x, y, reporter_); };
    g.hooks.clicks.lineScan = [this, &g](int x, int y) { imagecmd::lineScanAt(g, x, y, reporter_); };

    // Array Operations
    auto referenceOrEmpty = [this] { return reference_.get ? reference_.get() : IntGrid(); };
    on("actionSubtractArrays", [this, &g, referenceOrEmpty] {
        if (!imagecmd::subtractArrays(g, referenceOrEmpty())) w_.referenceSize->showModal();
    });
    on("actionNandArrays", [this, &g, &background, referenceOrEmpty] {
        background.apply = [this, &g, referenceOrEmpty](const std::vector<double>& v, const QStringList&) {
            g.backgroundColour = toInt(v[0]);
            if (!imagecmd::nandArrays(g, referenceOrEmpty())) w_.referenceSize->showModal();
        };
        background.showModal();
    });
    on("actionStretchContrast", [&g] { imagecmd::contrastStretch(g); });
    EntryDialog& scale = *w_.scaleFactor;
    scale.apply = [&g](const std::vector<double>& v, const QStringList&) {
        g.tools.stretchFactor = float(v[0]);
        imagecmd::stretchOffset(g, g.tools.stretchFactor);
    };
    on("actionStretchOffset", [&scale] { scale.showModal(); });

    // Thinning, despeckle, patterns, edges
    on("actionThin", [&g] { imagecmd::thin(g); });
    on("actionDespeckle8Bit", [&g] { imagecmd::despeckle8Bit(g); });
    on("actionDespeckle24Bit", [&g] { imagecmd::despeckle24Bit(g); });
    on("actionBlockPattern", [&g] { imagecmd::blockPattern(g); });
    on("actionLinePattern", [&g] { imagecmd::linePattern(g); });
    on("actionNibblePattern", [&g] { imagecmd::nibblePattern(g); });
    PixelNeighborDialog& neighbours = *w_.pixelNeighbor;
    neighbours.apply = [&g](const std::vector<double>& v, const QStringList&) {
        g.tools.neighbourCount = toInt(v[0]);
        imagecmd::neighborPattern(g, g.tools.neighbourCount);
    };
    on("actionNeighborPattern", [&neighbours] { neighbours.showModal(); });
    on("actionSobelTrailing", [&g] { imagecmd::sobel(g, SobelMode::Trailing); });
    on("actionSobelLeadingAndTrailing", [&g] { imagecmd::sobel(g, SobelMode::LeadingAndTrailing); });
    on("actionLaplacianLeadingAndTrailing", [&g] { imagecmd::laplacian(g); });
}
