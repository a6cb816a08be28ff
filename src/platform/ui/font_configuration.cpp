#include "platform/ui/font_configuration.h"

#include <fontconfig/fontconfig.h>

namespace lumoria::platform {

void LoadFontConfiguration() { FcInit(); }

QFont FontOfItsOwn(const QFont& font)
{
    // Any change parts the copy from the font; the second puts the copy back as the font is.
    QFont own(font);
    const QFont::StyleStrategy strategy = own.styleStrategy();
    own.setStyleStrategy(strategy == QFont::PreferDefault ? QFont::PreferBitmap : QFont::PreferDefault);
    own.setStyleStrategy(strategy);
    return own;
}

} // namespace lumoria::platform
