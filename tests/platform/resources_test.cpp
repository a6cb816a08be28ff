#include <gtest/gtest.h>

#include "platform/system/resources.h"
#include "support/test_resources.h"

using namespace lumoria::platform;

TEST(RawResources, AreFoundUnderTheRcdataFolder)
{
    EXPECT_EQ(rawResourcePath(QStringLiteral("Foto_Vazia")), QStringLiteral(":/rcdata/Foto_Vazia"));
    const QByteArray bytes("\xFF\xD8\xFF\xE0 not really a jpeg \0 with a zero", 34);
    const QString rcc = lumoria::test::registerResources(
        {{QStringLiteral("rcdata/Recurso_De_Teste"), bytes}, {QStringLiteral("outra/Recurso_Fora"), QByteArray("x")}});
    ASSERT_FALSE(rcc.isEmpty());
    EXPECT_EQ(readRawResource(QStringLiteral("Recurso_De_Teste")), std::optional<QByteArray>(bytes));
    // Only the raw-data folder holds raw-data resources.
    EXPECT_FALSE(readRawResource(QStringLiteral("Recurso_Fora")).has_value());
    EXPECT_FALSE(readRawResource(QStringLiteral("Recurso_Que_Nao_Existe")).has_value());
    EXPECT_FALSE(readRawResource(QString()).has_value());
    lumoria::test::unregisterResources(rcc);
    EXPECT_FALSE(readRawResource(QStringLiteral("Recurso_De_Teste")).has_value());
}
