#include "platform/ui/font_configuration.h"

#include <fontconfig/fontconfig.h>

namespace lumoria::platform {

void LoadFontConfiguration() { FcInit(); }

} // namespace lumoria::platform
