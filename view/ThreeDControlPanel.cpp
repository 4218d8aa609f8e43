#include "view/ThreeDControlPanel.h"

#include "ui/ErrorWindow.h"
#include "ui/MessageBoxes.h"
#include "view/ThreeDScene.h"
#include "view/ThreeDWindow.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ThreeDControlPanel::ThreeDControlPanel(ThreeDWindow& view, QWidget* parent)
    : QDialog(parent), view_(view), viewAlive_(&view)
{
    setWindowTitle("3D Image Control Panel");
    setObjectName("threeDControlPanel");
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    buttonArea_ = new QWidget(this);
    auto* grid = new QGridLayout(buttonArea_);
    grid->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buttonArea_);
    auto move = [this](auto step, Axis axis, float amount) {
        return [this, step, axis, amount] {
            step(view_.state(), axis, amount);
            view_.render();
        };
    };
    const struct { const char* axis; Axis value; } axes[] = {{"X", Axis::X}, {"Y", Axis::Y}, {"Z", Axis::Z}};
    int row = 0;
    for (const auto& a : axes) {
        grid->addWidget(addButton(QString("Rotate +%1").arg(a.axis), move(rotateView, a.value, kRotationStep)), row, 0);
        grid->addWidget(addButton(QString("Rotate -%1").arg(a.axis), move(rotateView, a.value, -kRotationStep)), row, 1);
        ++row;
    }
    for (const auto& a : axes) {
        const Axis axis = a.value;
        grid->addWidget(addButton(QString("Translate +%1").arg(a.axis), [this, axis] {
                            translateView(view_.state(), axis, translationStep);
                            view_.render();
                        }), row, 0);
        grid->addWidget(addButton(QString("Translate -%1").arg(a.axis), [this, axis] {
                            translateView(view_.state(), axis, -translationStep);
                            view_.render();
                        }), row, 1);
        ++row;
    }
    grid->addWidget(addButton("Scale+", [this] { scaleView(view_.state(), 1.0f / kScaleStep); view_.render(); }), row, 0);
    grid->addWidget(addButton("Scale--", [this] { scaleView(view_.state(), kScaleStep); view_.render(); }), row, 1);
    ++row;
    grid->addWidget(addButton("Translation +", [this] { translationStep += 10.0f; }), row, 0);
    grid->addWidget(addButton("Translation --", [this] { translationStep -= 10.0f; }), row, 1);

    auto* form = new QFormLayout;
    auto entry = [this, form](const QString& label, const QString& text, const char* name) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(name);
        form->addRow(label, e);
        return e;
    };
    azimuth_ = entry("Solar Azimuth angle", "45", "azimuthEdit");
    bearing_ = entry("Solar Bearing Angle", "45", "bearingEdit");
    scale_ = entry("Elevation Scale Factor", "1.0", "scaleEdit");
    stereo_ = entry("Stereo Angle", "1.0", "stereoEdit");
    layout->addLayout(form);

    auto* axesBox = new QGroupBox(this);
    auto* axesLayout = new QVBoxLayout(axesBox);
    showAxes_ = new QRadioButton("Show Axes", axesBox);
    hideAxes_ = new QRadioButton("Hide Axes", axesBox);
    showAxes_->setChecked(true);
    axesLayout->addWidget(showAxes_);
    axesLayout->addWidget(hideAxes_);
    layout->addWidget(axesBox);

    auto* commands = new QGridLayout;
    commands->addWidget(addButton("Render Image", &ThreeDControlPanel::renderImage), 0, 0);
    commands->addWidget(addButton("Stereo Image +", &ThreeDControlPanel::stereoPlus), 0, 1);
    commands->addWidget(addButton("StereoImage --", &ThreeDControlPanel::stereoMinus), 1, 0);
    commands->addWidget(addButton("Restore", &ThreeDControlPanel::restore), 1, 1);
    commands->addWidget(addButton("Close", [this] { close(); }), 2, 0, 1, 2);
    layout->addLayout(commands);
    button("StereoImage --")->setEnabled(false);
    button("Restore")->setEnabled(false);

    errors_ = {new ErrorWindow({kEmptyAnglesText}, this), new ErrorWindow({kAzimuthRangeText}, this),
               new ErrorWindow({kEmptyScaleText}, this), new ErrorWindow({kStereoRangeText}, this)};
}

ThreeDControlPanel::~ThreeDControlPanel()
{
    if (!viewAlive_) return;
    ThreeDState& s = view_.state();
    s.firstRender = true;
    s.showAxes = true;
    s.elevationScale = 1.0f;
    s.smoothPending = false;
}

QPushButton* ThreeDControlPanel::addButton(const QString& caption, void (ThreeDControlPanel::*slot)())
{
    return addButton(caption, [this, slot] { (this->*slot)(); });
}

QPushButton* ThreeDControlPanel::addButton(const QString& caption, std::function<void()> action)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(caption);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, std::move(action));
    return b;
}

QPushButton* ThreeDControlPanel::button(const QString& caption) const
{
    return findChild<QPushButton*>(caption);
}

bool ThreeDControlPanel::report(PanelEntryFailure failure)
{
    switch (failure) {
    case PanelEntryFailure::None: return true;
    case PanelEntryFailure::EmptyAngles: errors_[0]->showModal(); break;
    case PanelEntryFailure::AzimuthRange: errors_[1]->showModal(); break;
    case PanelEntryFailure::EmptyScale: errors_[2]->showModal(); break;
    case PanelEntryFailure::StereoRange: errors_[3]->showModal(); break;
    case PanelEntryFailure::NotANumber: showConversionError(this, kNotANumber); break;
    }
    return false;
}

void ThreeDControlPanel::renderImage()
{
    const PanelEntryFailure failure =
        applyRenderEntries(view_.state(), azimuth_->text().toStdString(), bearing_->text().toStdString(),
                           scale_->text().toStdString(), showAxes_->isChecked());
    if (report(failure)) view_.render();
}

void ThreeDControlPanel::stereoPlus()
{
    float angle = 0.0f;
    if (!report(checkStereoEntry(stereo_->text().toStdString(), angle))) return;
    stereoPlusAngle = angle;
    stereoMinusAngle = -2.0f * angle;
    rotateView(view_.state(), Axis::Z, stereoPlusAngle);
    view_.render();
    button("Stereo Image +")->setEnabled(false);
    button("StereoImage --")->setEnabled(true);
}

void ThreeDControlPanel::stereoMinus()
{
    rotateView(view_.state(), Axis::Z, stereoMinusAngle);
    view_.render();
    button("StereoImage --")->setEnabled(false);
    button("Restore")->setEnabled(true);
}

void ThreeDControlPanel::restore()
{
    rotateView(view_.state(), Axis::Z, stereoPlusAngle);
    view_.render();
    button("Restore")->setEnabled(false);
    button("Stereo Image +")->setEnabled(true);
}
