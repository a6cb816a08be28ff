#include "common/screen_check.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QString>

#include <initializer_list>

#include "common/app_identity.h"
#include "common/box_hooks.h"
#include "common/general_routines.h"
#include "platform/ui/termination.h"

namespace lumoria {

namespace {

// The program's title, then the lines; an empty line makes a blank line.
QString linhas(std::initializer_list<const char*> texto)
{
    QString resultado = TituloDoAplicativo();
    int quebras = 1;
    for (const char* linha : texto) {
        if (!*linha) {
            ++quebras;
            continue;
        }
        resultado += QuebrasDeLinha(quebras) + QString::fromUtf8(linha);
        quebras = 1;
    }
    return resultado;
}

} // namespace

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
        showBox(linhas({"Tela Abaixo Da Dimensão Mínima Permitida", "", "Para Adequado Funcionamento Deste Aplicativo",
                        "As Dimensões Mínimas Da Tela Deverão Ser", "800 x 600 Pixels.", "",
                        "Na Verdade, Para Utilização Mais Adequada,", "O Ideal Seria Trabalhar Com Dimensão",
                        "1024 x 768 Ou Superior.", "", "A Execução Não Pode Prosseguir!"}),
                QStringLiteral("Notificando Tela Abaixo Das Dimensões Mínimas"), QString(), QStringLiteral("Sim"), false);
        platform::requestTermination();
        QCoreApplication::processEvents();
    } else if (w == 800 || h == 600) {
        showBox(linhas({"Tela Na Dimensão Mínima Permitida", "", "Para Adequado Funcionamento Deste Aplicativo",
                        "As Dimensões Mínimas Recomendáveis Da Tela", "Deveriam Ser 1024 x 768 Pixels.", "",
                        "A Execução Será Possível Nas Atuais Condições,", "Mas Recomenda-se Aumentar a Resolução Da",
                        "Tela Para Utilização Com Maior Conforto."}),
                QStringLiteral("Sugerindo Uso De Tela Com Maior Dimensão"), QString(), QStringLiteral("Sim"), false);
    }
}

} // namespace lumoria
