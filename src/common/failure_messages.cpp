#include "common/failure_messages.h"

#include "common/text_trim.h"

#include <QCoreApplication>

#include "common/app_identity.h"
#include "common/box_hooks.h"
#include "common/custom_cursors.h"
#include "common/general_routines.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/screen_cursor.h"
#include "platform/ui/termination.h"

namespace lumoria {

namespace {

constexpr int kWrapColumn = 40;
constexpr int kRowField = 2;
constexpr int kRowSilent = 10;
constexpr int kRowEcho = 13;

struct Row {
    const char* fragment;
    const char* text;
    FailureKind kind;
};

// Searched in this order; the first fragment found anywhere in the normalised message wins.
const Row kRows[] = {
    {"IS NOT A VALID DATE", "A Data Informada é Inválida.", FailureKind::Warning},
    {"MUST HAVE A VALUE", nullptr, FailureKind::Warning},
    {"KEY VIOLATION", "Houve Violação de Chave Primária.", FailureKind::Warning},
    {"INPUT VALUE", "O Valor Informado é Inválido.", FailureKind::Warning},
    {"IS NOT A VALID TIME", "A Hora Informada é Inválida.", FailureKind::Warning},
    {"O ARQUIVO JA ESTA SENDO USADO", "O Banco de Dados Deste Programa Já Está Em Uso Por Outro Aplicativo.",
     FailureKind::Error},
    {"O SISTEMA NAO PODE ENCONTRAR O ARQUIVO",
     "Não é Possível Encontrar Um Arquivo Que é Necessário Ao Funcionamento Deste Programa. "
     "Você Deverá Reinstalar o Aplicativo Para Que Volte a Funcionar!",
     FailureKind::Error},
    {"APLICATIVO JA EM EXECUCAO", "Este Programa Já Está Em Execução. Utilize a Cópia Que Está Em Funcionamento!",
     FailureKind::Error},
    {"GUIA NAO ENCONTRADO", "O Arquivo Contendo o Guia Eletrônico Do Usuário Não Está Instalado.",
     FailureKind::Warning},
    {"ESPACO INSUFICIENTE DE ARMAZENAMENTO PARA PROCESSAR ESTE COMANDO", nullptr, FailureKind::Silent},
    {"UNAVAILABLE DATABASE",
     "Não é Possível Fazer Acesso Ao Banco De Dados. Possível Ausência da Biblioteca DLL De Acesso.",
     FailureKind::Error},
    {"NO PERMISSION FOR READ-WRITE",
     "Não é Possível Fazer Acesso Para Escrita No Banco De Dados. Possível Bloqueio \"Read-Only\" Nos "
     "Arquivos de Utilização.",
     FailureKind::Error},
    {"NAO FOI ENCONTRADA A FUNCAO", nullptr, FailureKind::Warning},
    {"FAILED TO SET DATA FOR",
     "Não é Possível Instalar Este Aplicativo a Menos Que Se Faça Autenticação de Login Como Usuário "
     "Administrador.",
     FailureKind::Error},
};

QChar plainLetter(QChar c)
{
    switch (c.unicode()) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC4:
    case 0xA6: case 0xAA:
        return QLatin1Char('A');
    case 0xC7:
        return QLatin1Char('C');
    case 0xC8: case 0xC9: case 0xCA: case 0xCB:
        return QLatin1Char('E');
    case 0xCC: case 0xCD: case 0xCE: case 0xCF:
        return QLatin1Char('I');
    case 0xA7: case 0xBA:
    case 0xD2: case 0xD3: case 0xD4: case 0xD5: case 0xD6:
        return QLatin1Char('O');
    case 0xD9: case 0xDA: case 0xDB: case 0xDC:
        return QLatin1Char('U');
    default:
        return c;
    }
}

// The text between the first two single quotes; empty when there are fewer than two.
QString quotedName(const QString& normalised)
{
    const qsizetype first = normalised.indexOf(QLatin1Char('\''));
    if (first < 0)
        return {};
    const qsizetype second = normalised.indexOf(QLatin1Char('\''), first + 1);
    if (second < 0)
        return {};
    return normalised.mid(first + 1, second - first - 1);
}

bool isBreakChar(QChar c)
{
    switch (c.unicode()) {
    case ' ': case ',': case '-': case '.': case ':': case ';':
        return true;
    default:
        return false;
    }
}

bool onlyBreaksFrom(const QString& text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!isBreakChar(c) && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            return false;
    }
    return true;
}

} // namespace

void RemoverAcentosEEspacosRepetidos(QString& texto)
{
    for (int n = 5; n >= 2; --n)
        texto.replace(QString(n, QLatin1Char(' ')), QStringLiteral(" "));
    for (QChar& c : texto)
        c = plainLetter(c);
}

QString NormalizarMensagem(const QString& mensagem)
{
    QString texto = Trim(mensagem.toUpper());
    RemoverAcentosEEspacosRepetidos(texto);
    return texto;
}

QString wrapText(const QString& text, int maxColumn)
{
    const QString lineBreak = QStringLiteral("\r\n");
    QString out;
    qsizetype lineStart = 0;
    qsizetype breakAt = -1;  // last break character of the line
    int column = 0;          // characters of the line examined so far
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            ++i;
            out += text.mid(lineStart, i + 1 - lineStart);
            lineStart = i + 1;
            breakAt = -1;
            column = 0;
            continue;
        }
        ++column;
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            continue;
        }
        if (isBreakChar(c))
            breakAt = i;
        if (column >= maxColumn && breakAt > lineStart && !onlyBreaksFrom(text, breakAt + 1)) {
            out += text.mid(lineStart, breakAt + 1 - lineStart) + lineBreak;
            column = int(i - breakAt);
            lineStart = breakAt + 1;
            breakAt = -1;
        }
    }
    out += text.mid(lineStart);
    return out;
}

FailureReport classifyFailure(const QString& message)
{
    const QString normalised = NormalizarMensagem(message);
    FailureReport report;
    QString text;
    for (int i = 0; i < int(std::size(kRows)); ++i) {
        if (!normalised.contains(QLatin1String(kRows[i].fragment)))
            continue;
        report.row = i + 1;
        report.kind = kRows[i].kind;
        if (report.row == kRowField)
            text = QStringLiteral("O Campo ") + quotedName(normalised) + QStringLiteral(" é Obrigatório.");
        else if (report.row == kRowEcho)
            text = normalised;
        else if (kRows[i].text)
            text = QString::fromUtf8(kRows[i].text);
        break;
    }
    if (report.row == kRowSilent)
        return report;
    if (report.row == 0)
        text = QStringLiteral("Mensagem de Erro") + QuebrasDeLinha(2) + normalised;

    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0)
        text.insert(colon + 1, QuebrasDeLinha(2));
    report.text = wrapText(text, kWrapColumn);
    report.caption = TituloDoAplicativo() + QStringLiteral("- Mensagem de ") +
                     (report.kind == FailureKind::Error ? QStringLiteral("Erro") : QStringLiteral("Advertência"));
    return report;
}

void appAplicacaoException(const QString& message)
{
    const FailureReport report = classifyFailure(message);
    if (report.kind == FailureKind::Silent) {
        platform::setScreenCursor(crNormal);
        return;
    }
    soundAlert();
    showBox(report.text, report.caption, QString(), QStringLiteral("Sim"), report.kind == FailureKind::Error);
    if (report.kind == FailureKind::Error) {
        platform::requestTermination();
        QCoreApplication::processEvents();
    }
}

void installFailureHandler() { platform::setFailureHandler(appAplicacaoException); }

} // namespace lumoria
