#include "app/ShellWindows.h"

#include "ui/Modal.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace {

/// The splash picture: shaded contour bands of a synthetic hill and the program's name.
QPixmap splashPicture()
{
    const int w = 521, h = 454;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = (x - 300.0) / 140.0, dy = (y - 200.0) / 110.0;
            const double dx2 = (x - 150.0) / 90.0, dy2 = (y - 320.0) / 70.0;
            const double z = 900 * std::exp(-(dx * dx + dy * dy)) + 500 * std::exp(-(dx2 * dx2 + dy2 * dy2));
            const int band = int(z / 100.0);
            const bool contour = std::fmod(z, 100.0) < 6.0 && z > 20;
            const int g = 60 + band * 18;
            img.setPixel(x, y, contour ? qRgb(90, 50, 20) : qRgb(40 + band * 16, g, 70 + band * 8));
        }
    QPixmap pix = QPixmap::fromImage(img);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f("Sans", 36, QFont::Bold);
    p.setFont(f);
    p.setPen(QColor(255, 255, 240));
    p.drawText(QRect(0, 360, w, 60), Qt::AlignCenter, "GRIDMEND");
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 410, w, 30), Qt::AlignCenter, "building and repairing digital elevation models");
    return pix;
}

} // namespace

SplashWindow::SplashWindow(QWidget* mainWindow)
    : QDialog(nullptr, Qt::FramelessWindowHint | Qt::Dialog), mainWindow_(mainWindow)
{
    setObjectName("splashWindow");
    setFixedSize(521, 454);
    auto* picture = new QLabel(this);
    picture->setPixmap(splashPicture());
    picture->setGeometry(0, 0, 521, 454);
    setModal(true);
}

void SplashWindow::showModal()
{
    QTimer::singleShot(3, this, [this] {
        if (mainWindow_) mainWindow_->show();
        accept();
    });
    modal::exec(*this);
}

QString NoticeWindow::noticeText()
{
    return QStringList{"",
                       "",
                       "This program has known inaccuracies ",
                       "as detailed in the 'Help' section.",
                       "",
                       "The program is not designed to be ",
                       "used in mission-critical GIS ",
                       "applications.",
                       "",
                       "GRIDMEND is written and maintained by ",
                       "the GRIDMEND developers."}
        .join('\n');
}

NoticeWindow::NoticeWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle("Notice!");
    setObjectName("noticeWindow");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(noticeText(), this);
    text->setObjectName("noticeText");
    text->setReadOnly(true);
    text->setMinimumSize(300, 200);
    layout->addWidget(text);
    auto* accept = new QPushButton("Accept", this);
    accept->setObjectName("acceptButton");
    accept->setDefault(true);
    layout->addWidget(accept, 0, Qt::AlignHCenter);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint());
    setWindowFlag(Qt::WindowCloseButtonHint, false);
}

void NoticeWindow::showModal()
{
    modal::exec(*this);
}

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle("About");
    setObjectName("aboutWindow");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* version = new QLabel("GRIDMEND version 4.02", this);
    version->setObjectName("versionLabel");
    QFont f = version->font();
    f.setBold(true);
    version->setFont(f);
    layout->addWidget(version);
    layout->addWidget(new QLabel("Interpolation and repair of digital elevation models.", this));
    layout->addWidget(new QLabel("Written and maintained by the GRIDMEND developers.", this));
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutWindow::showModal()
{
    modal::exec(*this);
}

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window)
{
    setWindowTitle("Help");
    setObjectName("helpWindow");
    setModal(false);
    text_ = new QPlainTextEdit(helpText(), this);
    text_->setObjectName("helpText");
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = text_->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 225));   // pale yellow, as a tooltip
    text_->setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    resize(470, 583);
}
