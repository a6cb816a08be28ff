// The welcome tip of the first runs and the refusal of a second copy.
#include <gtest/gtest.h>

#include "app/startup_routines.h"
#include "common/app_identity.h"
#include "platform/failure.h"

#include <QFileInfo>

#include <limits>

using namespace lumoria;

namespace {

const QString kTitle = QStringLiteral("Lumoria v9.9");

// The fixed lines of the tip before its last line, as the operator reads them.
QString tipStart()
{
    return QStringLiteral("Lumoria v9.9\r\nBem Vindo!\r\n\r\n"
                          "Para Começar, Basta Selecionar a Pasta Ou o\r\n"
                          "Dispositivo Em Que Estão As Fotos e Arrastar\r\n"
                          "Suas Miniaturas Ao Papel.\r\n\r\n"
                          "Também é Possível Inserir Diversas Fotos Ao\r\n"
                          "Mesmo Tempo. Basta Fazer Sua Seleção Múltipla\r\n"
                          "Mantendo Pressionada a Tecla [CTRL] Enquanto\r\n"
                          "Suas Miniaturas São Selecionadas Com o Mouse.\r\n\r\n"
                          "Para Transferir Diversas Fotos De Uma Vez,\r\n"
                          "Aplique o Botão Direito do Mouse Sobre As\r\n"
                          "As Miniaturas Das Fotos e Utilize o Menu De\r\n"
                          "Transferência Múltipla.\r\n\r\n"
                          "Para Seu Conforto, Esta Mensagem Deixará De\r\n");
}

// One run from the stored counter: whether the tip shows, and the counter afterwards.
std::pair<bool, std::int32_t> run(std::int32_t stored)
{
    Configuracoes c{true, stored};
    bool shown = false;
    const bool tip = countRunForWelcomeTip(c, shown);
    EXPECT_TRUE(shown);
    return {tip, c.ContadorDeUtilizacoes};
}

} // namespace

TEST(WelcomeTip, ShowsOnTheFirstThreeRunsWithTheRunsLeft)
{
    EXPECT_EQ(welcomeTipCaption(), QStringLiteral("Mensagem de Boas Vindas e Dica Para Aplicação de Fotos"));
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    const struct {
        std::int32_t stored;
        bool shown;
        std::int32_t counted;
        const char* lastLine; // of the tip shown with the counter counted
    } cases[] = {
        {0, true, 1, "Ser Apresentada Em Mais 2 Execuções."},
        {1, true, 2, "Ser Apresentada Em Mais Uma Execução."},
        {2, true, 3, "Ser Apresentada a Partir de Agora. "},
        {3, false, 4, nullptr},
        {4, false, 5, nullptr},
        // A negative counter shows more runs left.
        {-1, true, 0, "Ser Apresentada Em Mais 3 Execuções."},
        {-2, true, -1, "Ser Apresentada Em Mais 4 Execuções."},
        {lowest, true, lowest + 1, "Ser Apresentada Em Mais 2147483650 Execuções."},
        // The counter stops at the largest.
        {largest - 1, false, largest, nullptr},
        {largest, false, largest, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(run(c.stored), std::make_pair(c.shown, c.counted));
        if (c.lastLine)
            EXPECT_EQ(welcomeTipText(kTitle, c.counted), tipStart() + QString::fromUtf8(c.lastLine));
    }
}

TEST(WelcomeTip, CountsOncePerRun)
{
    Configuracoes c{true, 0};
    bool shown = false;
    EXPECT_TRUE(countRunForWelcomeTip(c, shown));
    EXPECT_FALSE(countRunForWelcomeTip(c, shown)); // the window shown again in the same run
    EXPECT_EQ(c.ContadorDeUtilizacoes, 1);
}

TEST(SingleInstanceCheck, ASecondLockOfTheSameTitleIsRefused)
{
    platform::SingleInstanceLock first;
    platform::SingleInstanceLock second;
    platform::SingleInstanceLock otherVersion;
    VerificarSeAplicativoJaEstaEmExecucao(first);
    EXPECT_TRUE(first.isHeld());
    EXPECT_TRUE(QFileInfo::exists(platform::SingleInstanceLock::lockFilePath(TituloDoAplicativo())));
    try {
        VerificarSeAplicativoJaEstaEmExecucao(second);
        ADD_FAILURE() << "no failure raised";
    } catch (const AlreadyRunning& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Aplicativo Já Em Execução"));
    }
    EXPECT_FALSE(second.isHeld());
    VerificarSeAplicativoJaEstaEmExecucao(otherVersion, QStringLiteral("Lumoria v0.9"));
    EXPECT_TRUE(otherVersion.isHeld());

    first.release();
    VerificarSeAplicativoJaEstaEmExecucao(second);
    EXPECT_TRUE(second.isHeld());
}
