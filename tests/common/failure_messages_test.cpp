#include <gtest/gtest.h>

#include <QStringList>

#include "common/qstring_printer.h"
#include "common/app_identity.h"
#include "common/failure_messages.h"
#include "platform/failure.h"

using namespace lumoria;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QString errorCaption() { return TituloDoAplicativo() + u("- Mensagem de Erro"); }
QString warningCaption() { return TituloDoAplicativo() + u("- Mensagem de Advertência"); }

} // namespace

TEST(FailureNormalisation, UpperCasesTrimsAndDropsAccents)
{
    EXPECT_EQ(NormalizarMensagem(u("  \t\r\n o arquivo já está sendo usado \x01\r\n")),
              u("O ARQUIVO JA ESTA SENDO USADO"));
    EXPECT_EQ(NormalizarMensagem(u("ação, função, côco, índio, über")), u("ACAO, FUNCAO, COCO, INDIO, UBER"));
    // Signs of the map, and letters outside it that pass unchanged.
    EXPECT_EQ(NormalizarMensagem(u("¦ª§º ñýåæø")), u("AAOO ÑÝÅÆØ"));
}

TEST(FailureNormalisation, BlankRunsCollapseOnceEach)
{
    auto collapsed = [](int blanks) {
        QString s = u("A") + QString(blanks, ' ') + u("B");
        RemoverAcentosEEspacosRepetidos(s);
        return s.size() - 2;
    };
    EXPECT_EQ(collapsed(1), 1);
    EXPECT_EQ(collapsed(2), 1);
    EXPECT_EQ(collapsed(5), 1);
    EXPECT_EQ(collapsed(6), 1);
    EXPECT_EQ(collapsed(9), 1);
    EXPECT_EQ(collapsed(10), 1);
    EXPECT_EQ(collapsed(100), 2);

    QString tabs = u("A\t\t\tB   C");
    RemoverAcentosEEspacosRepetidos(tabs);
    EXPECT_EQ(tabs, u("A\t\t\tB C"));
    // Small letters keep their accents: only capitals are mapped.
    QString small = u("àçé ÀÇÉ");
    RemoverAcentosEEspacosRepetidos(small);
    EXPECT_EQ(small, u("àçé ACE"));
}

TEST(FailureTable, RowsWithTheirTextsAndKinds)
{
    constexpr auto warning = FailureKind::Warning;
    constexpr auto error = FailureKind::Error;
    struct Case {
        const char* message;
        int row;
        FailureKind kind;
        const char* text;
    };
    const Case cases[] = {
        {"'31/02/2021' is not a valid date", 1, warning, "A Data Informada é Inválida."},
        {"'31/02/2021 25:00' is not a valid date and time", 1, warning, "A Data Informada é Inválida."},
        {"Field 'nome' must have a value", 2, warning, "O Campo NOME é Obrigatório."},
        {"Field nome must have a value", 2, warning, "O Campo  é Obrigatório."},
        {"Field 'nome must have a value", 2, warning, "O Campo  é Obrigatório."},
        {"Key violation.", 3, warning, "Houve Violação de Chave Primária."},
        {"Invalid input value", 4, warning, "O Valor Informado é Inválido."},
        {"'25:61' is not a valid time", 5, warning, "A Hora Informada é Inválida."},
        {"o arquivo já está sendo usado por outro processo", 6, error,
         "O Banco de Dados Deste Programa Já Está \r\nEm Uso Por Outro Aplicativo."},
        {"Aplicativo Já Em Execução", 8, error,
         "Este Programa Já Está Em Execução. \r\nUtilize a Cópia Que Está Em \r\nFuncionamento!"},
        {"Guia Não Encontrado", 9, warning, "O Arquivo Contendo o Guia Eletrônico Do \r\nUsuário Não Está Instalado."},
        {"Unavailable database", 11, error,
         "Não é Possível Fazer Acesso Ao Banco De \r\nDados. Possível Ausência da Biblioteca \r\nDLL De Acesso."},
        {"No permission for read-write access", 12, error,
         "Não é Possível Fazer Acesso Para \r\nEscrita No Banco De Dados. Possível \r\nBloqueio \"Read-Only\" Nos Arquivos de \r\n"
         "Utilização."},
        {"Não foi encontrada a função xyz", 13, warning, "NAO FOI ENCONTRADA A FUNCAO XYZ"},
        {"Failed to set data for 'Entrar_Com_Janela_Maximizada'", 14, error,
         "Não é Possível Instalar Este Aplicativo \r\na Menos Que Se Faça Autenticação de \r\nLogin Como Usuário Administrador."},
    };
    for (const Case& c : cases) {
        const FailureReport r = classifyFailure(u(c.message));
        EXPECT_EQ(r.row, c.row) << c.message;
        EXPECT_EQ(r.kind, c.kind) << c.message;
        EXPECT_EQ(r.text, u(c.text)) << c.message;
        EXPECT_EQ(r.caption, c.kind == error ? errorCaption() : warningCaption()) << c.message;
    }
}

TEST(FailureTable, TheProgramsOwnFailuresMeetTheirRows)
{
    EXPECT_EQ(classifyFailure(u(FileInUse("/home/ana/x.pvo").what())).row, 6);
    EXPECT_EQ(classifyFailure(u(FileNotFound("/opt/lumoria/manual/index.html").what())).row, 7);
    EXPECT_EQ(classifyFailure(u(AlreadyRunning().what())).row, 8);
    EXPECT_EQ(classifyFailure(u(GuideNotFound().what())).row, 9);
    EXPECT_EQ(classifyFailure(u(OutOfMemory().what())).row, 10);
    EXPECT_EQ(classifyFailure(u(SettingsWriteError("Numero_Da_Utilizacao_Para_Orientacao").what())).row, 14);
    EXPECT_EQ(classifyFailure(u(RangeError().what())).row, 0);
    EXPECT_EQ(classifyFailure(u(ResourceNotFound("Cursor_Normal").what())).row, 0);
}

TEST(FailureTable, RowSevenTextWrapsAtFortyColumns)
{
    const FailureReport r = classifyFailure(u("O sistema não pode encontrar o arquivo especificado"));
    EXPECT_EQ(r.row, 7);
    EXPECT_EQ(r.kind, FailureKind::Error);
    EXPECT_EQ(r.text, u("Não é Possível Encontrar Um Arquivo Que \r\n"
                        "é Necessário Ao Funcionamento Deste \r\n"
                        "Programa. Você Deverá Reinstalar o \r\n"
                        "Aplicativo Para Que Volte a Funcionar!"));
}

TEST(FailureTable, TheSilentRowShowsNothing)
{
    const FailureReport r = classifyFailure(u("espaço insuficiente de armazenamento para processar este comando."));
    EXPECT_EQ(r.row, 10);
    EXPECT_EQ(r.kind, FailureKind::Silent);
    EXPECT_TRUE(r.text.isEmpty());
    EXPECT_TRUE(r.caption.isEmpty());
}

TEST(FailureTable, TheFirstRowFoundWins)
{
    // Both row 4 and row 13 fragments: the earlier row answers.
    EXPECT_EQ(classifyFailure(u("Invalid input value: não foi encontrada a função")).row, 4);
}

TEST(FailureTable, AnUnknownMessageIsAnUpperCasedError)
{
    const FailureReport r = classifyFailure(u("  Cannot open file: /tmp/álbum.pvo  "));
    EXPECT_EQ(r.row, 0);
    EXPECT_EQ(r.kind, FailureKind::Error);
    EXPECT_EQ(r.caption, errorCaption());
    // Only the first colon gets the blank line; later ones stay.
    EXPECT_EQ(r.text, u("Mensagem de Erro\r\n\r\nCANNOT OPEN FILE:\r\n\r\n /TMP/ALBUM.PVO"));

    const FailureReport two = classifyFailure(u("a: b: c"));
    EXPECT_EQ(two.text, u("Mensagem de Erro\r\n\r\nA:\r\n\r\n B: C"));
}

TEST(FailureTable, CaptionHasNoBlankBeforeTheHyphen)
{
    const QString caption = classifyFailure(u("x")).caption;
    EXPECT_TRUE(caption.startsWith(u("Lumoria v")));
    EXPECT_TRUE(caption.endsWith(u("- Mensagem de Erro")));
    EXPECT_FALSE(caption.contains(u(" - ")));
}

TEST(TextWrap, CutsAfterTheLastBreakCharacterOnceFortyAreSeen)
{
    // The 40th character is a blank: the line ends with it.
    const QString a = QString(39, 'A') + u(" BBB");
    EXPECT_EQ(wrapText(a, 40), QString(39, 'A') + u(" \r\nBBB"));
    // Comma, hyphen, full stop, colon and semicolon break too and stay at the end of the line.
    for (const char* sign : {",", "-", ".", ":", ";"}) {
        const QString s = u("AAAA") + u(sign) + QString(40, 'B') + u(" C");
        EXPECT_EQ(wrapText(s, 40), u("AAAA") + u(sign) + u("\r\n") + QString(40, 'B') + u(" \r\nC")) << sign;
    }
}

TEST(TextWrap, ALineWithoutABreakRunsToTheNextOne)
{
    EXPECT_EQ(wrapText(QString(60, 'A') + u(" B"), 40), QString(60, 'A') + u(" \r\nB"));
    // A break character at the very start of the line does not count.
    EXPECT_EQ(wrapText(u(" ") + QString(50, 'A') + u(" B"), 40), u(" ") + QString(50, 'A') + u(" \r\nB"));
    EXPECT_EQ(wrapText(QString(70, 'A'), 40), QString(70, 'A'));
}

TEST(TextWrap, NoCutWhenOnlyBreaksRemain)
{
    const QString s = QString(45, 'A') + u(" ...\r\n");
    EXPECT_EQ(wrapText(s, 40), s);
    const QString t = u("AAAA ") + QString(45, 'A') + u(". ");
    EXPECT_EQ(wrapText(t, 40), u("AAAA \r\n") + QString(45, 'A') + u(". "));
}

TEST(TextWrap, QuotedPassagesAreNotCut)
{
    const QString quoted = u("AB '") + QString(20, 'C') + u(" ") + QString(30, 'D') + u("' E");
    // The blank before the quote was seen too early to cut; the first break after the passage cuts.
    EXPECT_EQ(wrapText(quoted, 40), u("AB '") + QString(20, 'C') + u(" ") + QString(30, 'D') + u("' \r\nE"));
    const QString dq = u("\"") + QString(20, 'C') + u(" ") + QString(30, 'D') + u(" x\"");
    EXPECT_EQ(wrapText(dq, 40), dq);
}

TEST(TextWrap, ExistingLineBreaksStartANewCount)
{
    const QString s = QString(30, 'A') + u("\r\n") + QString(30, 'B') + u(" ") + QString(5, 'C');
    EXPECT_EQ(wrapText(s, 40), s);
    const QString two = u("Mensagem de Erro\r\n\r\nX");
    EXPECT_EQ(wrapText(two, 40), two);
}
