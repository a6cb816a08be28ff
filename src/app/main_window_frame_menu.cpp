// The frame menu of the page view: opening it, its item states and check marks, its commands and
// the owner drawing of its items.
#include "app/main_window.h"

#include <QFontMetrics>

#include <algorithm>
#include "platform/ui/file_dialog.h"

#include <QAction>
#include <QFileDialog>
#include <QPainter>

#include "common/text_trim.h"
#include "platform/graphics/canvas.h"
#include "platform/ui/colors.h"
#include "platform/ui/owner_drawn_menu.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

using namespace platform;

namespace {

const QString kMenuDeAjuste = QStringLiteral("mniComoAjustarEstaFotoNaMoldura");

// The menu whose item this is: the fit submenu is told apart by the name of the item that opens it.
bool ItemDoAjuste(QAction* item, const OwnerDrawnMenu* submenu)
{
    return submenu && submenu->menuAction()->objectName() == kMenuDeAjuste && submenu->actions().contains(item);
}

} // namespace

bool TfrmPrincipal::MolduraSobOMouseValida() const
{
    const int j = m_documento.frameUnderMouse();
    return j >= 0 && j <= m_documento.Pagina(PaginaAtual()).frameCount() - 1;
}

void TfrmPrincipal::imgPaginaCentralClick()
{
    if (!MolduraSobOMouseValida())
        return;
    const QPoint ponto =
        pnlPaginaCentralCliente->mapToGlobal(QPoint(m_ultimaPosicaoDoMouse.X, m_ultimaPosicaoDoMouse.Y));
    mnmMenuFotoNaMoldura->popup(ponto);
}

void TfrmPrincipal::mnmMenuFotoNaMolduraPopup()
{
    // Over a gap the items keep the state of the previous popup.
    if (!MolduraSobOMouseValida())
        return;
    const TFoto& f = m_documento.currentPage().Foto(MolduraSobOMouse());
    const bool temFoto = !f.NomeDoArquivo.isEmpty();
    for (QAction* item : {mniRemoverEstaFoto, mniRepetirEstaFoto, mniComoAjustarEstaFotoNaMoldura, mniEditarEstaFotoEfeitos,
                          mniEditarEstaFotoTextosETrabalhos, mniAnalisarEstaFoto})
        item->setEnabled(temFoto);
    if (temFoto) {
        mniAjustarDespropoircionalEsticado->setChecked(f.Ajuste == kFitStretch);
        mniAjustarProporcionalPorDentro->setChecked(f.Ajuste == kFitInside);
        mniAjustarProporcionalPorFora->setChecked(f.Ajuste == kFitCut);
    }
}

void TfrmPrincipal::mniInserirUmaFotoClick()
{
    if (!MolduraSobOMouseValida())
        return;
    const int j = MolduraSobOMouse();
    GarantirDialogos();
    if (platform::runFileDialog(*opdFoto) != QDialog::Accepted || opdFoto->selectedFiles().isEmpty())
        return;
    // The dialog ran its own event loop: the frame is looked up again.
    if (j > m_documento.currentPage().frameCount() - 1)
        return;
    SetarFotoNaPaginaAtual(j, m_documento.currentPage().Foto(j).Ajuste, opdFoto->selectedFiles().constFirst());
    m_documento.setModified(true);
}

void TfrmPrincipal::mniRemoverEstaFotoClick()
{
    if (!MolduraSobOMouseValida())
        return;
    const int j = MolduraSobOMouse();
    SetarFotoNaPaginaAtual(j, m_documento.currentPage().Foto(j).Ajuste, QString());
    m_documento.setModified(true);
}

void TfrmPrincipal::mniRepetirEstaFotoClick()
{
    if (!MolduraSobOMouseValida())
        return;
    const ScreenCursorGuard cursor(kCursorWait);
    TPagina& pagina = m_documento.currentPage();
    const TFoto& f = pagina.Foto(MolduraSobOMouse());
    const QString n = f.NomeDoArquivo;
    const std::uint8_t a = f.Ajuste;
    for (int k = 0; k < pagina.frameCount(); ++k)
        SetarFotoNaPaginaAtual(k, a, n);
    DesenharPaginaNaTela();
    m_documento.setModified(true);
}

void TfrmPrincipal::mniAnalisarEstaFotoClick()
{
    if (!MolduraSobOMouseValida())
        return;
    AnalisarFotos(m_documento.currentPage().Foto(MolduraSobOMouse()).NomeDoArquivo);
}

void TfrmPrincipal::AjustarFoto(std::uint8_t modo)
{
    if (!MolduraSobOMouseValida())
        return;
    const int j = MolduraSobOMouse();
    const TFoto& f = m_documento.currentPage().Foto(j);
    if (f.Ajuste == modo)
        return;
    SetarFotoNaPaginaAtual(j, modo, f.NomeDoArquivo);
    m_documento.setModified(true);
}

void TfrmPrincipal::mniAjustarDespropoircionalEsticadoClick() { AjustarFoto(kFitStretch); }
void TfrmPrincipal::mniAjustarProporcionalPorDentroClick() { AjustarFoto(kFitInside); }
void TfrmPrincipal::mniAjustarProporcionalPorForaClick() { AjustarFoto(kFitCut); }

namespace {

// The font the menu items are drawn in.
platform::Font FonteDoMenu()
{
    platform::Font fonte;
    fonte.name = QStringLiteral("Verdana");
    fonte.bold = true;
    fonte.size = 11;
    return fonte;
}

} // namespace

QString TfrmPrincipal::TextoDoItemDeMenu(QAction* item) const
{
    QString texto = item->isSeparator() ? QString() : Trim(item->text());
    if (texto == QStringLiteral("-"))
        texto.clear();
    if (ItemDoAjuste(item, mnuComoAjustar))
        texto = (item->isChecked() ? QStringLiteral("( • )   ") : QStringLiteral("(    )   ")) + texto;
    return texto;
}

void TfrmPrincipal::DesenharItemDeMenuOnMeasure(QAction* item, int& width, int& height)
{
    if (mnmMenuFotoNaMoldura->actions().contains(item)) {
        width = 220;
        height = 20;
    }
    if (mnmMenuFotoNaMiniatura && mnmMenuFotoNaMiniatura->actions().contains(item)) {
        width = 280;
        height = 20;
    }
    if (ItemDoAjuste(item, mnuComoAjustar)) {
        width = 360;
        height = 20;
    }
    // The widths above fit the captions in Verdana; the font that stands in for it may be wider, and
    // a caption is drawn without clipping: the item grows to hold it, and the arrow of a submenu.
    if (width > 0) {
        constexpr int kMargem = 10;
        constexpr int kSeta = 20;
        const QFontMetrics medidas(FonteDoMenu().ToQFont());
        const int precisa = kMargem + medidas.horizontalAdvance(TextoDoItemDeMenu(item)) + kMargem +
                            (item->menu() ? kSeta : 0);
        width = std::max(width, precisa);
    }
}

void TfrmPrincipal::DesenharItemDeMenuOnDraw(QAction* item, Canvas& canvas, const Rect& rect, bool selected)
{
    canvas.brush.color = selected ? toQColor(cl3DDkShadow) : toQColor(0x808080);
    canvas.brush.style = BrushStyle::Solid;
    canvas.FillRect(rect);
    canvas.font = FonteDoMenu();
    canvas.font.color = item->isEnabled() ? QColor(255, 255, 255) : QColor(0, 0, 0);
    DesenharItemDeMenu(canvas, TextoDoItemDeMenu(item), rect);
}

void TfrmPrincipal::DesenharItemDeMenu(Canvas& canvas, const QString& texto, Rect rect)
{
    rect.Left = 10;
    const QFont fonte = canvas.font.ToQFont();
    const QColor cor = canvas.font.color;
    canvas.Paint([&](QPainter& p) {
        p.setFont(fonte);
        p.setPen(cor);
        // One line, vertically centred, not clipped; "&&" shows one ampersand.
        p.drawText(toQRect(rect), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic |
                                      Qt::TextDontClip,
                   texto);
    });
}

} // namespace lumoria
