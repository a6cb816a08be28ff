#include <gtest/gtest.h>


#include <tuple>
#include <vector>

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
    constexpr auto silent = FailureKind::Silent;
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
        // Both row 4 and row 13 fragments: the earlier row answers.
        {"Invalid input value: não foi encontrada a função", 4, warning, "O Valor Informado é Inválido."},
        {"'25:61' is not a valid time", 5, warning, "A Hora Informada é Inválida."},
        {"o arquivo já está sendo usado por outro processo", 6, error,
         "O Banco de Dados Deste Programa Já Está \r\nEm Uso Por Outro Aplicativo."},
        {"O sistema não pode encontrar o arquivo especificado", 7, error,
         "Não é Possível Encontrar Um Arquivo Que \r\né Necessário Ao Funcionamento Deste \r\n"
         "Programa. Você Deverá Reinstalar o \r\nAplicativo Para Que Volte a Funcionar!"},
        {"Aplicativo Já Em Execução", 8, error,
         "Este Programa Já Está Em Execução. \r\nUtilize a Cópia Que Está Em \r\nFuncionamento!"},
        {"Guia Não Encontrado", 9, warning, "O Arquivo Contendo o Guia Eletrônico Do \r\nUsuário Não Está Instalado."},
        {"espaço insuficiente de armazenamento para processar este comando.", 10, silent, ""},
        {"Unavailable database", 11, error,
         "Não é Possível Fazer Acesso Ao Banco De \r\nDados. Possível Ausência da Biblioteca \r\nDLL De Acesso."},
        {"No permission for read-write access", 12, error,
         "Não é Possível Fazer Acesso Para \r\nEscrita No Banco De Dados. Possível \r\nBloqueio \"Read-Only\" Nos Arquivos de \r\n"
         "Utilização."},
        {"Não foi encontrada a função xyz", 13, warning, "NAO FOI ENCONTRADA A FUNCAO XYZ"},
        {"Failed to set data for 'Entrar_Com_Janela_Maximizada'", 14, error,
         "Não é Possível Instalar Este Aplicativo \r\na Menos Que Se Faça Autenticação de \r\nLogin Como Usuário Administrador."},
        // Unknown: upper-cased, and only the first colon gets the blank line.
        {"  Cannot open file: /tmp/álbum.pvo  ", 0, error, "Mensagem de Erro\r\n\r\nCANNOT OPEN FILE:\r\n\r\n /TMP/ALBUM.PVO"},
        {"a: b: c", 0, error, "Mensagem de Erro\r\n\r\nA:\r\n\r\n B: C"},
    };
    // No blank before the caption's hyphen.
    EXPECT_TRUE(errorCaption().startsWith(u("Lumoria v")) && !errorCaption().contains(u(" - ")));
    for (const Case& c : cases) {
        const FailureReport r = classifyFailure(u(c.message));
        EXPECT_EQ(r.row, c.row) << c.message;
        EXPECT_EQ(r.kind, c.kind) << c.message;
        EXPECT_EQ(r.text, u(c.text)) << c.message;
        EXPECT_EQ(r.caption, c.kind == error ? errorCaption() : c.kind == warning ? warningCaption() : QString()) << c.message;
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

TEST(TextWrap, CutsAfterTheLastBreakCharacterOnceFortyAreSeenOutsideQuotes)
{
    const QString a39 = QString(39, 'A'), a45 = QString(45, 'A');
    std::vector<std::tuple<const char*, QString, QString>> cases = {
        {"the 40th character a blank: the line ends with it", a39 + u(" BBB"), a39 + u(" \r\nBBB")},
        {"no break: the line runs to the next one", QString(60, 'A') + u(" B"), QString(60, 'A') + u(" \r\nB")},
        {"a break at the very start of the line does not count", u(" ") + QString(50, 'A') + u(" B"),
         u(" ") + QString(50, 'A') + u(" \r\nB")},
        {"no break at all", QString(70, 'A'), QString(70, 'A')},
        {"no cut when only breaks remain", a45 + u(" ...\r\n"), a45 + u(" ...\r\n")},
        {"the last breaks left after a cut", u("AAAA ") + a45 + u(". "), u("AAAA \r\n") + a45 + u(". ")},
        // The blank before the quote was seen too early to cut; the first break after the passage cuts.
        {"a quoted passage", u("AB '") + QString(20, 'C') + u(" ") + QString(30, 'D') + u("' E"),
         u("AB '") + QString(20, 'C') + u(" ") + QString(30, 'D') + u("' \r\nE")},
        {"a double-quoted passage", u("\"") + QString(20, 'C') + u(" ") + QString(30, 'D') + u(" x\""),
         u("\"") + QString(20, 'C') + u(" ") + QString(30, 'D') + u(" x\"")},
        {"a line break starts a new count", QString(30, 'A') + u("\r\n") + QString(30, 'B') + u(" CCCCC"),
         QString(30, 'A') + u("\r\n") + QString(30, 'B') + u(" CCCCC")},
        {"an empty line", u("Mensagem de Erro\r\n\r\nX"), u("Mensagem de Erro\r\n\r\nX")},
    };
    // Comma, hyphen, full stop, colon and semicolon break too and stay at the end of the line.
    for (const char* sign : {",", "-", ".", ":", ";"})
        cases.emplace_back(sign, u("AAAA") + u(sign) + QString(40, 'B') + u(" C"),
                           u("AAAA") + u(sign) + u("\r\n") + QString(40, 'B') + u(" \r\nC"));
    for (const auto& [what, text, wrapped] : cases)
        EXPECT_EQ(wrapText(text, 40), wrapped) << what;
}
