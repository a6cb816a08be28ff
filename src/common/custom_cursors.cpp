#include "common/custom_cursors.h"

#include <QDir>
#include <QWidget>

#include "common/general_routines.h"
#include "platform/shell/file_operations.h"
#include "platform/ui/panel.h"

namespace lumoria {

using namespace platform;

const std::array<CursorAnimado, 9> kCursoresAnimados = {{
    {crApontar, "c_apontar.ani", "Cursor_Apontar"},
    {crCortar, "c_cortar.ani", "Cursor_Cortar"},
    {crDivHorizontal, "c_div_horizontal.ani", "Cursor_Div_Horizontal"},
    {crEsperar, "c_esperar.ani", "Cursor_Esperar"},
    {crExecutar, "c_executar.ani", "Cursor_Executar"},
    {crMovimentar, "c_movimentar.ani", "Cursor_Movimentar"},
    {crNormal, "c_normal.ani", "Cursor_Normal"},
    {crPintar, "c_pintar.ani", "Cursor_Pintar"},
    {crTocar, "c_tocar.ani", "Cursor_Tocar"},
}};

namespace {

QString caminho(const QString& pasta, const char* arquivo)
{
    return QDir(pasta).filePath(QString::fromLatin1(arquivo));
}

// The designed cursor of a control: the one given through the cursor set, or the Qt shape it was
// given directly.
CursorId cursorDesenhado(const QWidget* controle)
{
    const CursorId id = controlCursor(controle);
    if (id != kCursorDefault || !controle->testAttribute(Qt::WA_SetCursor))
        return id;
    switch (controle->cursor().shape()) {
    case Qt::BusyCursor:
        return kCursorAppStart;
    case Qt::SplitVCursor:
        return kCursorVerticalSplit;
    case Qt::WaitCursor:
        return kCursorHourGlass;
    case Qt::UpArrowCursor:
        return kCursorUpArrow;
    default:
        return kCursorDefault;
    }
}

void aplicar(QWidget* pai)
{
    for (QObject* filho : pai->children()) {
        auto* controle = qobject_cast<QWidget*>(filho);
        // Windows of their own map their controls when they are created.
        if (!controle || controle->isWindow())
            continue;
        setControlCursor(controle, MapearCursorDesenhado(cursorDesenhado(controle)));
        if (auto* painel = qobject_cast<Panel*>(controle))
            painel->setParentBackground(false);
        aplicar(controle);
    }
}

} // namespace

CursorId MapearCursorDesenhado(CursorId desenhado)
{
    switch (desenhado) {
    case kCursorAppStart:
        return crExecutar;
    case kCursorVerticalSplit:
        return crDivHorizontal;
    case kCursorHourGlass:
        return crEsperar;
    case kCursorUpArrow:
        return crTocar;
    default:
        return crNormal;
    }
}

void GravarArquivosDeCursores(const QString& pasta)
{
    for (const CursorAnimado& c : kCursoresAnimados) {
        platform::removeFile(caminho(pasta, c.arquivo));
        ExtrairRecursoParaArquivo(QString::fromLatin1(c.recurso), caminho(pasta, c.arquivo));
    }
}

void ApagarArquivosDeCursores(const QString& pasta)
{
    for (const CursorAnimado& c : kCursoresAnimados)
        platform::removeFile(caminho(pasta, c.arquivo));
}

void CarregarCursoresAnimados(const QString& pasta, QWidget* janelaPrincipal)
{
    for (const CursorAnimado& c : kCursoresAnimados)
        if (!loadCursorFile(c.id, caminho(pasta, c.arquivo)))
            unregisterCursor(c.id);
    if (janelaPrincipal)
        setControlCursor(janelaPrincipal, crNormal);
}

void AplicarCursoresNosControles(QWidget* janela)
{
    if (janela)
        aplicar(janela);
}

} // namespace lumoria
