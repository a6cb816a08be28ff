#include "common/general_routines.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "platform/failure.h"
#include "platform/shell/file_drop.h"
#include "platform/shell/file_operations.h"
#include "platform/shell/open_file.h"
#include "platform/system/resources.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

QString QuebrasDeLinha(int n)
{
    return n > 0 ? QStringLiteral("\r\n").repeated(n) : QString();
}

namespace {

// Extended precision carries 18 significant decimal digits; the rounding works on those.
constexpr int kDigitosSignificativos = 18;
constexpr int kMaximoDeDecimais = 18;

QString agruparMilhares(const QString& digitos, const QString& separador)
{
    QString resultado;
    const qsizetype n = digitos.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            resultado += separador;
        resultado += digitos.at(i);
    }
    return resultado;
}

QString numeroSemPreenchimento(int decimais, long double valor)
{
    if (std::isnan(valor))
        return QStringLiteral("NAN");
    if (std::isinf(valor))
        return valor < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    // The value as d.ddddddddddddddddde±x: 18 significant digits and the exponent.
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.*Le", kDigitosSignificativos - 1, std::fabs(valor));
    QString digitos;
    const char* p = texto;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digitos += QLatin1Char(*p);
    }
    const int expoente = *p == 'e' ? std::atoi(p + 1) : 0;
    int inteiros = expoente + 1; // digits before the decimal point; may be 0 or less

    // Keep the digits up to the last decimal, rounding half away from zero on what is cut.
    const int mantidos = inteiros + decimais;
    if (mantidos < 0) {
        digitos.clear();
    } else if (mantidos < digitos.size()) {
        const bool arredondarParaCima = digitos.at(mantidos) >= QLatin1Char('5');
        digitos.truncate(mantidos);
        if (arredondarParaCima) {
            int i = mantidos - 1;
            while (i >= 0 && digitos.at(i) == QLatin1Char('9')) {
                digitos[i] = QLatin1Char('0');
                --i;
            }
            if (i >= 0) {
                digitos[i] = QChar(digitos.at(i).unicode() + 1);
            } else {
                digitos.prepend(QLatin1Char('1'));
                ++inteiros;
            }
        }
    }
    // Line the digits up with the decimal point: zeros before a small value, after a large one.
    if (inteiros < 1) {
        digitos.prepend(QString(1 - inteiros, QLatin1Char('0')));
        inteiros = 1;
    }
    const qsizetype total = inteiros + decimais;
    if (digitos.size() < total)
        digitos.append(QString(total - digitos.size(), QLatin1Char('0')));

    QString parteInteira = digitos.left(inteiros);
    while (parteInteira.size() > 1 && parteInteira.startsWith(QLatin1Char('0')))
        parteInteira.remove(0, 1);
    const QString parteDecimal = digitos.mid(inteiros, decimais);

    const QLocale local;
    QString resultado = agruparMilhares(parteInteira, local.groupSeparator());
    if (decimais > 0)
        resultado += local.decimalPoint() + parteDecimal;
    // A value that rounds to zero has no sign.
    const bool zero = std::all_of(digitos.begin(), digitos.end(), [](QChar c) { return c == QLatin1Char('0'); });
    if (valor < 0 && !zero)
        resultado.prepend(QLatin1Char('-'));
    return resultado;
}

} // namespace

QString FormatarNumero(int largura, int decimais, long double valor)
{
    decimais = std::clamp(decimais, 0, kMaximoDeDecimais);
    return numeroSemPreenchimento(decimais, valor).rightJustified(largura, QLatin1Char(' '));
}

QString ZerosAEsquerda(int valor, int largura)
{
    return QString::number(valor).rightJustified(largura, QLatin1Char(' ')).replace(QLatin1Char(' '), QLatin1Char('0'));
}

QString PrimeirasLetrasMaiusculas(const QString& texto)
{
    static const QString kAntesDeMaiuscula = QStringLiteral(" @#$%&*-_=+[<({/\\");
    static const QString kLetrasAcentuadas = QStringLiteral("áàãâäéèêëíìîïóòõôöúùûüç");
    QString resultado;
    resultado.reserve(texto.size());
    bool maiuscula = true;
    for (const QChar original : texto) {
        QChar c = original.toLower();
        if (maiuscula && ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || kLetrasAcentuadas.contains(c)))
            c = c.toUpper();
        resultado += c;
        maiuscula = kAntesDeMaiuscula.contains(original);
    }
    return resultado;
}

void Esperar(bool cursorDeEspera, long double segundos)
{
    // Without the wait cursor the guard still puts back whatever cursor the events may set.
    const platform::ScreenCursorGuard cursor(cursorDeEspera ? platform::kCursorWait : platform::screenCursor());
    const long double nanossegundos = segundos * 1e9L;
    QElapsedTimer relogio;
    relogio.start();
    do {
        QCoreApplication::processEvents();
    } while (static_cast<long double>(relogio.nsecsElapsed()) < nanossegundos);
}

bool AbrirComProgramaAssociado(const QString& arquivoOuEndereco, const std::function<void()>& naoAbriu)
{
    bool abriu = false;
    {
        const platform::ScreenCursorGuard cursor(platform::kCursorWait);
        QCoreApplication::processEvents();
        std::function<void()> avisar;
        if (naoAbriu)
            avisar = [naoAbriu] { platform::runGuarded(naoAbriu); };
        abriu = platform::openWithAssociatedProgram(arquivoOuEndereco, avisar);
    }
    QCoreApplication::processEvents();
    return abriu;
}

QString VersaoDoExecutavel() { return VersaoDoExecutavel(platform::programFileVersion()); }

QString VersaoDoExecutavel(const std::optional<platform::FileVersion>& versao)
{
    if (!versao)
        return QStringLiteral("Padrão");
    return QStringLiteral("%1.%2.%3.%4").arg(versao->major).arg(versao->minor).arg(versao->release).arg(versao->build);
}

QString AbreviarCaminho(const QString& caminho, int tamanhoMaximo)
{
    if (caminho.size() <= tamanhoMaximo)
        return caminho;
    const qsizetype primeiraBarra = caminho.indexOf(QLatin1Char('/'));
    if (primeiraBarra < 0)
        return caminho; // no folder to leave out
    const QString inicio = caminho.left(primeiraBarra);
    const QStringList partes = caminho.mid(primeiraBarra + 1).split(QLatin1Char('/'));
    const QString reticencias = QStringLiteral("/...");
    // Leave out folders from the front until it fits; the file name always stays.
    qsizetype tamanho = caminho.size() + reticencias.size();
    qsizetype primeiraMantida = 0;
    while (tamanho > tamanhoMaximo && primeiraMantida < partes.size() - 1) {
        tamanho -= partes.at(primeiraMantida).size() + 1;
        ++primeiraMantida;
    }
    return inicio + reticencias + QLatin1Char('/') + partes.mid(primeiraMantida).join(QLatin1Char('/'));
}

void ExtrairRecursoParaArquivo(const QString& nomeDoRecurso, const QString& arquivo)
{
    if (QFileInfo::exists(arquivo))
        return;
    const std::optional<QByteArray> dados = platform::readRawResource(nomeDoRecurso);
    if (!dados)
        throw ResourceNotFound(nomeDoRecurso.toStdString());
    // Made again whenever it is missing: written straight at its name, without the temporary and the
    // disk wait of a save. One that appeared meanwhile is kept.
    int erro = 0;
    if (!platform::createFile(arquivo, *dados, &erro) && erro != EEXIST)
        throw FileError(QStringLiteral("Não Foi Possível Gravar o Arquivo \"%1\" (%2).")
                            .arg(arquivo, platform::describeSystemError(erro))
                            .toStdString());
}

void AceitarArquivosArrastados(QWidget* janela) { platform::acceptFileDrops(janela); }

} // namespace lumoria
