#include "app/startup_routines.h"

#include "common/app_identity.h"
#include "common/general_routines.h"
#include "platform/failure.h"

#include <limits>

namespace lumoria {

void VerificarSeAplicativoJaEstaEmExecucao(platform::SingleInstanceLock& atomoDeExecucao, const QString& titulo)
{
    if (atomoDeExecucao.tryAcquire(titulo) == platform::SingleInstanceLock::Result::HeldElsewhere)
        throw AlreadyRunning();
}

void VerificarSeAplicativoJaEstaEmExecucao(platform::SingleInstanceLock& atomoDeExecucao)
{
    VerificarSeAplicativoJaEstaEmExecucao(atomoDeExecucao, TituloDoAplicativo());
}

bool countRunForWelcomeTip(Configuracoes& configuracoes, bool& dicaApresentada)
{
    if (dicaApresentada)
        return false;
    dicaApresentada = true;
    std::int32_t& contador = configuracoes.ContadorDeUtilizacoes;
    if (contador < std::numeric_limits<std::int32_t>::max())
        ++contador;
    return contador <= kExecucoesComDica;
}

QString welcomeTipCaption() { return QStringLiteral("Mensagem de Boas Vindas e Dica Para Aplicação de Fotos"); }

QString welcomeTipText(const QString& titulo, std::int32_t contador)
{
    const std::int64_t restantes = std::int64_t(kExecucoesComDica) - contador;
    QString fim;
    if (restantes == 0)
        fim = QStringLiteral("Ser Apresentada a Partir de Agora. ");
    else if (restantes == 1)
        fim = QStringLiteral("Ser Apresentada Em Mais Uma Execução.");
    else
        fim = QStringLiteral("Ser Apresentada Em Mais ") + QString::number(restantes) + QStringLiteral(" Execuções.");
    const QString q1 = QuebrasDeLinha(1);
    const QString q2 = QuebrasDeLinha(2);
    return titulo + q1 + QStringLiteral("Bem Vindo!") + q2 +
           QStringLiteral("Para Começar, Basta Selecionar a Pasta Ou o") + q1 +
           QStringLiteral("Dispositivo Em Que Estão As Fotos e Arrastar") + q1 +
           QStringLiteral("Suas Miniaturas Ao Papel.") + q2 +
           QStringLiteral("Também é Possível Inserir Diversas Fotos Ao") + q1 +
           QStringLiteral("Mesmo Tempo. Basta Fazer Sua Seleção Múltipla") + q1 +
           QStringLiteral("Mantendo Pressionada a Tecla [CTRL] Enquanto") + q1 +
           QStringLiteral("Suas Miniaturas São Selecionadas Com o Mouse.") + q2 +
           QStringLiteral("Para Transferir Diversas Fotos De Uma Vez,") + q1 +
           QStringLiteral("Aplique o Botão Direito do Mouse Sobre As") + q1 +
           QStringLiteral("As Miniaturas Das Fotos e Utilize o Menu De") + q1 +
           QStringLiteral("Transferência Múltipla.") + q2 +
           QStringLiteral("Para Seu Conforto, Esta Mensagem Deixará De") + q1 + fim;
}

QString exitQuestionCaption() { return QStringLiteral("Confirmação Para Saída"); }

QString exitQuestionText(const QString& titulo, bool haAlteracaoNaoGravada)
{
    QString texto = titulo + QuebrasDeLinha(2);
    if (haAlteracaoNaoGravada)
        texto += QStringLiteral("Há Modificações Neste Trabalho Que Ainda Não") + QuebrasDeLinha(1) +
                 QStringLiteral("Foram Gravadas. Estas Modificações Serão Perdidas") + QuebrasDeLinha(1) +
                 QStringLiteral("Se o Trabalho Não For Gravado Em Disco.") + QuebrasDeLinha(2);
    return texto + QStringLiteral("Você Deseja Sair Deste Aplicativo?");
}

} // namespace lumoria
