#pragma once
// The splash window shown while the program starts: 640 x 480, no border, centred on the screen, in
// the outline of its picture. The main block creates it, shows it, hides it after the start-up wait
// and deletes it when the program ends.
#include <QWidget>

namespace lumoria {

class TImageShape;

// The splash picture among the program's resources.
inline constexpr char kSplashPicture[] = ":/splash/splash.bmp";

class TfrmSplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplashScreen(QWidget* parent = nullptr);

    TImageShape* imgSplashScreen = nullptr;
};

} // namespace lumoria
