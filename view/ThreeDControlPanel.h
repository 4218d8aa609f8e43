// "3D Image Control Panel": turns, moves and scales the 3-D view, sets the
// light and the vertical exaggeration, and steps through a stereo pair. Each
// button changes the view state through view/ThreeDScene and re-renders.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

class QLineEdit;
class QPushButton;
class QRadioButton;
class ErrorWindow;
class ThreeDWindow;
enum class PanelEntryFailure;

class ThreeDControlPanel : public QDialog {
    Q_OBJECT
public:
    explicit ThreeDControlPanel(ThreeDWindow& view, QWidget* parent = nullptr);
    ~ThreeDControlPanel() override;

    float translationStep = 50.0f;
    static constexpr float kRotationStep = 10.0f;
    static constexpr float kScaleStep = 0.9f;
    float stereoPlusAngle = 0.0f;
    float stereoMinusAngle = 0.0f;

    /// The button with the given caption ("Rotate +X", "StereoImage --").
    QPushButton* button(const QString& caption) const;
    QLineEdit* azimuthEdit() const { return azimuth_; }
    QLineEdit* bearingEdit() const { return bearing_; }
    QLineEdit* scaleEdit() const { return scale_; }
    QLineEdit* stereoEdit() const { return stereo_; }
    QRadioButton* hideAxesButton() const { return hideAxes_; }
    /// Its "Error!" windows: angles, azimuth range, scale factor, stereo range.
    const std::array<ErrorWindow*, 4>& errorWindows() const { return errors_; }

public slots:
    void renderImage();
    void stereoPlus();
    void stereoMinus();
    void restore();

private:
    QPushButton* addButton(const QString& caption, void (ThreeDControlPanel::*slot)());
    QPushButton* addButton(const QString& caption, std::function<void()> action);
    /// Shows the window of a failed check; true when the entries passed.
    bool report(PanelEntryFailure failure);

    ThreeDWindow& view_;
    QPointer<ThreeDWindow> viewAlive_;   ///< null once the 3-D window is gone (at exit)
    QLineEdit *azimuth_, *bearing_, *scale_, *stereo_;
    QRadioButton *showAxes_, *hideAxes_;
    std::array<ErrorWindow*, 4> errors_{};
    QWidget* buttonArea_;
};
