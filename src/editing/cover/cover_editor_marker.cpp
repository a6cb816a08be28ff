// The rectangular marker of the cover editor: drawn with the left button over the photo, dragged
// inside it, and shown as an inverted dashed outline over the picture on screen only.
#include "editing/cover/cover_editor.h"

#include <QEvent>
#include <QPainter>

#include "album/geometry.h"
#include "common/custom_cursors.h"
#include "editing/picture_layer.h"
#include "platform/numeric.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"

#include <algorithm>

namespace lumoria {

// Covers the picture layer and paints the marker's outline over what the layer painted, each pixel
// under a dash inverted; the mouse goes through to the layer.
class MarkerOverlay : public QWidget {
public:
    explicit MarkerOverlay(TfrmEditarFotosTrabalhos& janela, QWidget* camada)
        : QWidget(camada), m_janela(janela)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        camada->installEventFilter(this);
        setGeometry(camada->rect());
    }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (objeto == parent() && evento->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return QWidget::eventFilter(objeto, evento);
    }

    void paintEvent(QPaintEvent*) override
    {
        const Rect& r = m_janela.FRetanguloDoMarcador;
        const PictureLayer& camada = *m_janela.imgFoto;
        const int w = camada.Picture().Width(), h = camada.Picture().Height();
        if (!m_janela.FMarcadorVisivel || w < 1 || h < 1 || r.Right <= r.Left || r.Bottom <= r.Top)
            return;
        const Rect foto{0, 0, w, h};
        const Rect tela{0, 0, width(), height()};
        const Point a = MapearPontoEntreRetangulos(foto, Point{r.Left, r.Top}, tela);
        const Point b = MapearPontoEntreRetangulos(foto, Point{r.Right, r.Bottom}, tela);
        const int largura =
            std::max(1, RoundToInt32((long double)m_janela.LarguraDoMarcador() * width() / w));
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, false);
        // A black pen in not-xor inverts the pixels under the dashes.
        p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        QPen caneta(Qt::black, largura, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin);
        p.setPen(caneta);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(QPoint(a.X, a.Y), QPoint(b.X - 1, b.Y - 1)));
    }

private:
    TfrmEditarFotosTrabalhos& m_janela;
};

void TfrmEditarFotosTrabalhos::CriarMarcador()
{
    m_marcador = new MarkerOverlay(*this, imgFoto);
    imgFoto->setMouseTracking(true);
    pnlFoto->setFocusPolicy(Qt::ClickFocus);
    pnlFoto->installEventFilter(this);
    tshCapaDVD->installEventFilter(this);
}

int TfrmEditarFotosTrabalhos::LarguraDoMarcador() const
{
    return std::max(RoundToInt32((long double)imgFoto->Picture().Width() / 400), 3);
}

Point TfrmEditarFotosTrabalhos::PontoNaFoto(int x, int y) const
{
    return MapearPontoEntreRetangulos(Rect{0, 0, imgFoto->width(), imgFoto->height()}, Point{x, y},
                                      Rect{0, 0, imgFoto->Picture().Width(), imgFoto->Picture().Height()});
}

bool TfrmEditarFotosTrabalhos::DentroDoMarcador(const Point& p) const
{
    const Rect& r = FRetanguloDoMarcador;
    return FMarcadorVisivel && r.Left < p.X && p.X < r.Right && r.Top < p.Y && p.Y < r.Bottom;
}

void TfrmEditarFotosTrabalhos::imgFotoMouseDown(Qt::MouseButton, int x, int y)
{
    if (!TemFoto())
        return;
    const Point p = PontoNaFoto(x, y);
    FPontoInicial = p;
    // The first move of a drag counts from the press.
    FPontoAnterior = p;
    if (DentroDoMarcador(p)) {
        FMovendoMarcador = true;
    } else {
        ApagarMarcadorRetangular();
        FMovendoMarcador = false;
    }
}

void TfrmEditarFotosTrabalhos::imgFotoMouseMove(Qt::MouseButtons botoes, int x, int y)
{
    if (!TemFoto())
        return;
    const Point p = PontoNaFoto(x, y);
    const int w = imgFoto->Picture().Width();
    const int h = imgFoto->Picture().Height();
    platform::setControlCursor(imgFoto, DentroDoMarcador(p) ? crMovimentar : crApontar);
    if (botoes & Qt::LeftButton) {
        Rect& r = FRetanguloDoMarcador;
        if (FMovendoMarcador) {
            const int dx = p.X - FPontoAnterior.X;
            if (r.Left + dx >= 0 && r.Right + dx <= w) {
                r.Left += dx;
                r.Right += dx;
            }
            const int dy = p.Y - FPontoAnterior.Y;
            if (r.Top + dy >= 0 && r.Bottom + dy <= h) {
                r.Top += dy;
                r.Bottom += dy;
            }
            DesenharMarcadorRetangular();
        } else if (p.X == FPontoInicial.X || p.Y == FPontoInicial.Y || FPontoInicial.X == -1) {
            // No area yet: nothing shows, and the flag says so.
            FMarcadorVisivel = false;
            DesenharMarcadorRetangular();
        } else {
            r.Left = std::clamp(std::min(p.X, FPontoInicial.X), 0, w);
            r.Right = std::clamp(std::max(p.X, FPontoInicial.X), 0, w);
            r.Top = std::clamp(std::min(p.Y, FPontoInicial.Y), 0, h);
            r.Bottom = std::clamp(std::max(p.Y, FPontoInicial.Y), 0, h);
            FMarcadorVisivel = true;
            DesenharMarcadorRetangular();
        }
    }
    FPontoAnterior = p;
}

void TfrmEditarFotosTrabalhos::imgFotoMouseUp(Qt::MouseButton, int x, int y)
{
    if (!TemFoto())
        return;
    if (PontoNaFoto(x, y) == FPontoInicial) {
        platform::setControlCursor(imgFoto, crApontar);
        // A click ends the marker, and its outline goes with it.
        FMarcadorVisivel = false;
        FMovendoMarcador = false;
        DesenharMarcadorRetangular();
    }
}

void TfrmEditarFotosTrabalhos::DesenharMarcadorRetangular()
{
    if (m_marcador)
        m_marcador->update();
}

void TfrmEditarFotosTrabalhos::ApagarMarcadorRetangular()
{
    if (!FMarcadorVisivel && !FMovendoMarcador)
        return;
    FMarcadorVisivel = false;
    FMovendoMarcador = false;
    DesenharMarcadorRetangular();
}

void TfrmEditarFotosTrabalhos::pnlFotoExit() { ApagarMarcadorRetangular(); }

} // namespace lumoria
