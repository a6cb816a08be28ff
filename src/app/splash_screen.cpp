#include "app/splash_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "common/custom_cursors.h"
#include "components/image_shape.h"
#include "platform/numeric.h"
#include "platform/ui/align_layout.h"

namespace lumoria {

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
} // namespace

TfrmSplashScreen::TfrmSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setFixedSize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect whole = screen->geometry();
        move(whole.left() + Div(whole.width() - kWidth, 2), whole.top() + Div(whole.height() - kHeight, 2));
    }

    auto* layout = new platform::AlignLayout(this);
    imgSplashScreen = new TImageShape(this);
    imgSplashScreen->setObjectName(QStringLiteral("imgSplashScreen"));
    layout->addWidget(imgSplashScreen, platform::Align::Client);
    imgSplashScreen->SetMovable(false);
    // The picture is taken in at the size the design gives the control, as the window is loaded.
    imgSplashScreen->setGeometry(0, 0, kWidth, kHeight);
    imgSplashScreen->LoadPictureFromFile(QString::fromLatin1(kSplashPicture));

    AplicarCursoresNosControles(this);
}

} // namespace lumoria
