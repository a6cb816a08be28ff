#pragma once
// Qt's own texts (dialog buttons, file dialogs, the print dialog, system error texts) in the user's
// language: every text the user reads is Portuguese.
#include <QString>

namespace lumoria::platform {

// Loads and installs Qt's catalogue for the language (Debian's qt6-translations-l10n); false when
// it is not installed, and Qt's texts then stay English.
bool installQtTranslations(const QString& language = QStringLiteral("pt_BR"));

} // namespace lumoria::platform
