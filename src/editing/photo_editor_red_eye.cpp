// The photo editor's red-eye tab: ticking the box, clicks on the photo and undoing them.
#include "editing/photo_editor.h"

#include <QCheckBox>
#include <QLabel>

#include "album/geometry.h"
#include "common/custom_cursors.h"
#include "components/fancy_button.h"
#include "editing/editor_tabs.h"
#include "editing/picture_layer.h"
#include "imaging/picture_routines.h"
#include "imaging/red_eye.h"
#include "platform/ui/dispatch.h"

namespace lumoria {

void TfrmEditarFotosEfeitos::CriarAbaOlhoVermelho()
{
    QWidget* aba = tshOlhoVermelho;
    cbxPermitirRemocaoOlhosVermelhos = new QCheckBox(QStringLiteral("Apontar e Retocar Olhos Vermelhos"), aba);
    cbxPermitirRemocaoOlhosVermelhos->setGeometry(16, 10, 420, 24);
    lblOlhosVermelhos = new QLabel(
        QStringLiteral("Ao Acionar a Remoção de Olhos Vermelhos, Posicione Cuidadosamente o Mouse Nos Pontos "
                       "Adequados da Imagem e Clique Com o Botão Esquerdo"),
        aba);
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(13);
    lblOlhosVermelhos->setFont(f);
    lblOlhosVermelhos->setWordWrap(true);
    lblOlhosVermelhos->setAlignment(Qt::AlignCenter);
    lblOlhosVermelhos->setGeometry(16, 40, 330, 90);
    spdZerarOlhosVermelhos = new TFancyButton(aba);
    ApplyCommandButtonLook(*spdZerarOlhosVermelhos);
    spdZerarOlhosVermelhos->SetCaption(QStringLiteral("Remover"));
    spdZerarOlhosVermelhos->setToolTip(QStringLiteral("Remover Alterações Relativas Ao Retoque de Olhos Vermelhos"));
    spdZerarOlhosVermelhos->move(360, 70);
    spdZerarOlhosVermelhos->setEnabled(false);

    platform::connectGuarded(cbxPermitirRemocaoOlhosVermelhos, &QCheckBox::toggled, this,
                             [this] { cbxPermitirRemocaoOlhosVermelhosClick(); });
    platform::connectGuarded(imgFoto, &PictureLayer::mouseReleased, this,
                             [this](Qt::MouseButton b, int x, int y) { imgFotoMouseUp(b, x, y); });
    platform::connectGuarded(spdZerarOlhosVermelhos, &TFancyButton::OnClick, this,
                             [this] { spdZerarOlhosVermelhosClick(); });
}

void TfrmEditarFotosEfeitos::cbxPermitirRemocaoOlhosVermelhosClick()
{
    // Without a photo there is nothing to point at.
    if (cbxPermitirRemocaoOlhosVermelhos->isChecked() && !TemFoto()) {
        cbxPermitirRemocaoOlhosVermelhos->setChecked(false);
        return;
    }
    platform::setControlCursor(imgFoto, cbxPermitirRemocaoOlhosVermelhos->isChecked() ? crPintar : crNormal);
}

void TfrmEditarFotosEfeitos::imgFotoMouseUp(Qt::MouseButton, int x, int y)
{
    if (!cbxPermitirRemocaoOlhosVermelhos->isChecked() || !TemFoto() || m_retocando)
        return;
    // The rule lets pending events run: a second click must wait for this one.
    m_retocando = true;
    bool aplicado = false;
    try {
        platform::Picture& figura = imgFoto->Picture();
        ConverterFiguraParaBitmap(figura);
        // The rule works on a copy that shares the pixels until the patch is written: the events it
        // lets through may put another picture in place (a photo loaded, "Remover"), which the click
        // then leaves alone.
        const platform::Graphic* antes = figura.GetGraphic();
        const qint64 pixelsAntes = figura.GetBitmap().Image().cacheKey();
        platform::Bitmap retocado(figura.GetBitmap());
        const Point p = MapearPontoEntreRetangulos(Rect{0, 0, imgFoto->width(), imgFoto->height()}, Point{x, y},
                                                   Rect{0, 0, retocado.Width(), retocado.Height()});
        FAbortarProcessamento = false;
        RemoverCanalVermelhoDePedacoDeBitmap(Rect{p.X - kMeioLadoDoRetoque, p.Y - kMeioLadoDoRetoque,
                                                  p.X + kMeioLadoDoRetoque, p.Y + kMeioLadoDoRetoque},
                                             retocado, this);
        if (figura.GetGraphic() == antes && figura.GetBitmap().Image().cacheKey() == pixelsAntes) {
            figura.GetBitmap() = retocado;
            aplicado = true;
        }
    } catch (...) {
        m_retocando = false;
        throw;
    }
    m_retocando = false;
    if (!aplicado)
        return;
    imgFoto->Changed();
    spdZerarOlhosVermelhos->setEnabled(true);
    FModificado = true;
}

void TfrmEditarFotosEfeitos::spdZerarOlhosVermelhosClick()
{
    cbxPermitirRemocaoOlhosVermelhos->setChecked(false);
    if (TemFoto()) {
        AtribuirFigura(FFotoAntesDoRetoque, imgFoto->Picture());
        imgFoto->Changed();
    }
    spdZerarOlhosVermelhos->setEnabled(false);
}

} // namespace lumoria
