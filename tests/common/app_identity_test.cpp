#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "common/app_identity.h"
#include "common/general_routines.h"
#include "lumoria_version.h"
#include "platform/system/program_info.h"

using namespace lumoria;

TEST(VersaoCurta, KeepsTheVersionUpToItsSecondFullStopAfterTheProductInTheTitle)
{
    EXPECT_EQ(VersaoCurta(QStringLiteral("1.2.3.4")), QStringLiteral("v1.2"));
    EXPECT_EQ(VersaoCurta(QStringLiteral("10.20.30")), QStringLiteral("v10.20"));
    EXPECT_EQ(VersaoCurta(QStringLiteral(" 1 . 2 .3")), QStringLiteral("v1 . 2"));
    EXPECT_EQ(VersaoCurta(QStringLiteral("1.2")), QStringLiteral("v1.2"));
    EXPECT_EQ(VersaoCurta(QStringLiteral("Padrão")), QStringLiteral("vPadrão"));
    EXPECT_EQ(VersaoCurta(VersaoDoExecutavel(std::nullopt)), QStringLiteral("vPadrão"));
    // The title is the product's name and the short version.
    const QString expected =
        QStringLiteral("Lumoria v%1.%2").arg(LUMORIA_VERSION_MAJOR).arg(LUMORIA_VERSION_MINOR);
    EXPECT_EQ(TituloDoAplicativo(), expected);
    EXPECT_EQ(VersaoCurta(), expected.mid(8));
}

TEST(PastaDoAplicativo, IsTheProgramFolderEndingInASlash)
{
    const QString folder = PastaDoAplicativo();
    ASSERT_TRUE(folder.endsWith(QLatin1Char('/')));
    EXPECT_EQ(folder, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    const QString program = QFileInfo(platform::programFilePath()).fileName();
    EXPECT_EQ(program, QStringLiteral("test_common"));
    EXPECT_TRUE(QFileInfo::exists(folder + program));
}
