#include "install/install_texts.h"

#include "common/general_routines.h"

namespace lumoria {

namespace {

// Lines joined with one line break each; an empty line makes a blank line.
QString Linhas(const QStringList& linhas) { return linhas.join(QuebrasDeLinha(1)); }

QStringList LinhasDaConfirmacaoDaInstalacao(const QString& titulo)
{
    return {QStringLiteral("Instalação"),
            QString(),
            QStringLiteral("Este Software Destina-Se a Operar a Produção"),
            QStringLiteral("De Fotos Em Lumoria De Impressão."),
            QString(),
            QStringLiteral("O Programa Está Pronto Para Ser"),
            QStringLiteral("Instalado Em Seu Computador!"),
            QString(),
            QStringLiteral("O Processo de Instalação Não Irá Interferir"),
            QStringLiteral("Nas Configurações do Seu Equipamento Ou"),
            QStringLiteral("Nos Outros Programas Já Instalados."),
            QString(),
            QStringLiteral("Além Disto, Ele Poderá Ser Removido"),
            QStringLiteral("Quando Você Quiser Pois Também"),
            QStringLiteral("Contém Desinstalador Automático."),
            QString(),
            QStringLiteral("A Instalação Requer Privilégios De Acesso"),
            QStringLiteral("Com Perfil De Usuário Administrador."),
            QString(),
            QStringLiteral("Você Autoriza a Instalação do"),
            titulo + QLatin1Char('?')};
}

} // namespace

QString TextoDeConfirmacaoDaInstalacao(const QString& titulo) { return Linhas(LinhasDaConfirmacaoDaInstalacao(titulo)); }

QString TextoDeConfirmacaoDosIcones(const QString& titulo)
{
    return Linhas(QStringList{titulo} + LinhasDaConfirmacaoDaInstalacao(titulo));
}

QString TextoDeConfirmacaoDaDesinstalacao(const QString& titulo)
{
    return Linhas({titulo, QStringLiteral("Desinstalação"), QString(), QStringLiteral("Você Está Certo de Que Deseja Remover"),
                   QStringLiteral("Este Aplicativo Do Seu Computador?"), QString(),
                   QStringLiteral("Você Autoriza a Desinstalação do"), titulo + QLatin1Char('?')});
}

QString TextoDeInstalacaoConcluida(const QString& titulo)
{
    return Linhas({titulo, QStringLiteral("Instalação Concluída"), QString(),
                   QStringLiteral("O Aplicativo Poderá Ser Utilizado Através"),
                   QStringLiteral("Do Menu de Aplicativos ou Então"),
                   QStringLiteral("Disparado Pelo Ícone Que Foi Preparado"), QStringLiteral("Na Sua Área de Trabalho."),
                   QString(), QStringLiteral("Você Deseja Executa-lo Imediatamente?")});
}

QString TextoDeDesinstalacaoConcluida(const QString& titulo)
{
    return Linhas({titulo, QStringLiteral("Desinstalação"), QString(),
                   QStringLiteral("O Aplicativo Foi Desinstalado Com Sucesso.")});
}

QString TextoParaAssinarOContrato()
{
    return Linhas({QStringLiteral("Para Prosseguir é Necessário Que Você Esteja de"),
                   QStringLiteral("Acordo Com o Contrato de Utilização."), QString(),
                   QStringLiteral("Para Fazer Isto, Assinale a Opção Adequada,"),
                   QStringLiteral("Logo Abaixo do Texto do Contrato, Marque:"), QString(),
                   QStringLiteral("\"Eu Li e Concordo Com o Contrato Acima\"")});
}

QString TextoDeFalhaNaInstalacao(const QString& titulo, const QString& oQue, const QString& caminho,
                                 const QString& motivo)
{
    QStringList linhas{titulo, QStringLiteral("Instalação"), QString(), oQue, caminho};
    if (!motivo.isEmpty())
        linhas << QLatin1Char('(') + motivo + QLatin1Char(')');
    return Linhas(linhas + QStringList{QString(), QStringLiteral("A Instalação Foi Interrompida.")});
}

QString TextoDeFalhaNaDesinstalacao(const QString& titulo, const QStringList& caminhos)
{
    return Linhas(QStringList{titulo, QStringLiteral("Desinstalação"), QString(),
                              QStringLiteral("Não Foi Possível Remover:")} +
                  caminhos + QStringList{QString(), QStringLiteral("A Desinstalação Não Foi Concluída.")});
}

QString TextoDoContrato()
{
    return Linhas({
        QStringLiteral("CONTRATO DE USO DE SOFTWARE"),
        QString(),
        QStringLiteral("Leia Com Atenção Os Termos Abaixo Antes de Instalar Este Programa. Ao Assinalar a "
                       "Opção de Concordância e Prosseguir, Você Aceita Todas As Cláusulas Deste Contrato."),
        QString(),
        QStringLiteral("1. Objeto. Este Contrato Concede a Você o Direito de Instalar e Utilizar Este Programa "
                       "Para Preparar, Analisar e Imprimir Fotos, Nos Computadores do Seu Estabelecimento."),
        QString(),
        QStringLiteral("2. Propriedade. O Programa, Seus Textos, Imagens e Guia do Usuário Continuam Sendo "
                       "Propriedade de Seus Autores. Este Contrato Não Transfere Nenhum Direito Além do Uso."),
        QString(),
        QStringLiteral("3. Restrições. Não é Permitido Vender, Alugar Ou Distribuir Cópias do Programa, Nem "
                       "Remover Os Avisos de Autoria Que Ele Apresenta."),
        QString(),
        QStringLiteral("4. Fotos do Cliente. As Fotos Trabalhadas Pertencem a Seus Donos. O Programa Não Envia "
                       "Fotos Nem Dados Para Fora do Seu Computador."),
        QString(),
        QStringLiteral("5. Garantia. O Programa é Fornecido No Estado Em Que Se Encontra. Os Autores Não "
                       "Respondem Por Perdas Decorrentes de Seu Uso, Incluindo Impressões Perdidas."),
        QString(),
        QStringLiteral("6. Remoção. Você Pode Remover o Programa a Qualquer Momento Pelo Desinstalador Que "
                       "Acompanha a Instalação; Os Trabalhos Gravados Permanecem Em Seu Computador."),
        QString(),
        QStringLiteral("7. Vigência. Este Contrato Vale Enquanto o Programa Estiver Instalado e Termina "
                       "Automaticamente Se Alguma de Suas Cláusulas For Descumprida."),
    });
}

} // namespace lumoria
