#include "common/screen_check.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QString>

#include "common/app_identity.h"
#include "common/box_hooks.h"
#include "common/general_routines.h"
#include "platform/ui/termination.h"

namespace lumoria {

void VerificarDimensoesDaTela()
{
    const QScreen* tela = QGuiApplication::primaryScreen();
    if (tela)
        VerificarDimensoesDaTela(tela->geometry().size());
}

void VerificarDimensoesDaTela(QSize tela)
{
    const int w = tela.width();
    const int h = tela.height();
    if (w < 800 || h < 600) {
        const QString texto = TituloDoAplicativo() + QuebrasDeLinha(1) +
                              QStringLiteral("Tela Abaixo Da Dimensão Mínima Permitida") + QuebrasDeLinha(2) +
                              QStringLiteral("Para Adequado Funcionamento Deste Aplicativo") + QuebrasDeLinha(1) +
                              QStringLiteral("As Dimensões Mínimas Da Tela Deverão Ser") + QuebrasDeLinha(1) +
                              QStringLiteral("800 x 600 Pixels.") + QuebrasDeLinha(2) +
                              QStringLiteral("Na Verdade, Para Utilização Mais Adequada,") + QuebrasDeLinha(1) +
                              QStringLiteral("O Ideal Seria Trabalhar Com Dimensão") + QuebrasDeLinha(1) +
                              QStringLiteral("1024 x 768 Ou Superior.") + QuebrasDeLinha(2) +
                              QStringLiteral("A Execução Não Pode Prosseguir!");
        showBox(texto, QStringLiteral("Notificando Tela Abaixo Das Dimensões Mínimas"), QString(),
                QStringLiteral("Sim"), false);
        platform::requestTermination();
        QCoreApplication::processEvents();
    } else if (w == 800 || h == 600) {
        const QString texto = TituloDoAplicativo() + QuebrasDeLinha(1) +
                              QStringLiteral("Tela Na Dimensão Mínima Permitida") + QuebrasDeLinha(2) +
                              QStringLiteral("Para Adequado Funcionamento Deste Aplicativo") + QuebrasDeLinha(1) +
                              QStringLiteral("As Dimensões Mínimas Recomendáveis Da Tela") + QuebrasDeLinha(1) +
                              QStringLiteral("Deveriam Ser 1024 x 768 Pixels.") + QuebrasDeLinha(2) +
                              QStringLiteral("A Execução Será Possível Nas Atuais Condições,") + QuebrasDeLinha(1) +
                              QStringLiteral("Mas Recomenda-se Aumentar a Resolução Da") + QuebrasDeLinha(1) +
                              QStringLiteral("Tela Para Utilização Com Maior Conforto.");
        showBox(texto, QStringLiteral("Sugerindo Uso De Tela Com Maior Dimensão"), QString(), QStringLiteral("Sim"),
                false);
    }
}

} // namespace lumoria
