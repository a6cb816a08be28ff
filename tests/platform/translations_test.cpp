// Qt's own texts come in Portuguese once the catalogue is installed, as the program does at start.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>

#include "platform/system/translations.h"

using namespace lumoria::platform;

TEST(QtTranslations, DialogButtonsAndFileDialogsSpeakPortuguese)
{
    ASSERT_TRUE(installQtTranslations());
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Salvar"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("&Nome do arquivo:"));
    EXPECT_FALSE(installQtTranslations(QStringLiteral("xx_NONE")));
}
