#include "components/navigation_button.h"

#include <QPainter>
#include <QPainterPath>

#include "components/fancy_button.h"

namespace lumoria {

using namespace platform;

QImage GlifoDeNavegacao(bool paraTras, bool ateOFim)
{
    QImage glifo(16, 16, QImage::Format_RGB32);
    glifo.fill(QColor(255, 0, 255));
    QPainter p(&glifo);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath seta;
    const int base = ateOFim ? 5 : 4;
    seta.moveTo(base, 3);
    seta.lineTo(base + 7, 8);
    seta.lineTo(base, 13);
    seta.closeSubpath();
    p.fillPath(seta, Qt::white);
    if (ateOFim)
        p.fillRect(QRect(base + 7, 3, 2, 11), Qt::white);
    p.end();
    return paraTras ? glifo.mirrored(true, false) : glifo;
}

TFancyButton* NovoBotaoDeNavegacao(QWidget* pai, const QString& dica, bool paraTras, bool ateOFim)
{
    auto* b = new TFancyButton(pai);
    b->resize(kLadoDoBotaoDeNavegacao, kLadoDoBotaoDeNavegacao);
    b->SetColor(cl3DDkShadow);
    b->FancyEffects().SetShape(btnOval);
    b->FancyEffects().SetFrameWidth(3);
    b->FancyEffects().SetHoverColor(clAqua);
    b->Glyphs().SetGlyph(GlifoDeNavegacao(paraTras, ateOFim));
    b->Glyphs().SetLayout(lyCenter);
    b->setToolTip(dica);
    return b;
}

} // namespace lumoria
