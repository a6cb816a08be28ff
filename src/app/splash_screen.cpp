#include "app/splash_screen.h"

#include "common/custom_cursors.h"
#include "components/image_shape.h"
#include "platform/ui/align_layout.h"
#include "platform/ui/screen_centre.h"

namespace lumoria {

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
} // namespace

TfrmSplashScreen::TfrmSplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setFixedSize(kWidth, kHeight);
    platform::centreOnScreen(this);

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
