// The photo editor's rotation tab: the angle dial and the quarter-turn buttons.
#include "editing/photo_editor.h"

#include <QLabel>
#include <QPainter>

#include <cmath>
#include <new>
#include <numbers>

#include "components/fancy_button.h"
#include "editing/angle_image.h"
#include "editing/paint_box.h"
#include "platform/graphics/canvas.h"
#include "platform/failure.h"
#include "platform/numeric.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

namespace {

constexpr platform::ColorRef kCinzaEscuro = 0x00404040;
constexpr platform::CursorId kCursorMao = -21;

TFancyButton* BotaoDaAba(QWidget* aba, const QString& texto, const QString& dica, int x, int y)
{
    auto* b = new TFancyButton(aba);
    ApplyCommandButtonLook(*b);
    b->SetCaption(texto);
    b->setToolTip(dica);
    b->move(x, y);
    return b;
}

} // namespace

void TfrmEditarFotosEfeitos::CriarAbaRotacao()
{
    QWidget* aba = tshRotacao;
    spdAntiHorario = BotaoDaAba(aba, QStringLiteral("90 Anti Horário"),
                                QStringLiteral("Rodacionar 90 Graus Sentido Anti-Horário"), 10, 10);
    spdHorario = BotaoDaAba(aba, QStringLiteral("90 Horário"), QStringLiteral("Rodacionar 90 Graus Sentido Horário"),
                            10, 48);
    spdZerarAngulo = BotaoDaAba(aba, QStringLiteral("Remover"), QStringLiteral("Remover Rotação Aplicada"), 10, 86);
    spdZerarAngulo->setEnabled(false);
    lblRotacao = new QLabel(aba);
    lblRotacao->setAlignment(Qt::AlignCenter);
    lblRotacao->setGeometry(210, 10, 160, 22);
    lblRotacaoLegenda = new QLabel(QStringLiteral("Arraste o Mouse Sobre o Círculo"), aba);
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(13);
    lblRotacaoLegenda->setFont(f);
    lblRotacaoLegenda->setWordWrap(true);
    lblRotacaoLegenda->setAlignment(Qt::AlignCenter);
    lblRotacaoLegenda->setGeometry(210, 40, 160, 60);
    pnlRotacao = new platform::Panel(aba);
    pnlRotacao->setGeometry(390, 12, 100, 100);
    // Double buffering is Qt's own way of painting; nothing more is needed for a flicker-free dial.
    pbxRotacao = new PaintBox(pnlRotacao);
    pbxRotacao->setGeometry(0, 0, 100, 100);
    pbxRotacao->CircleColor = kCinzaEscuro;
    pbxRotacao->setToolTip(QStringLiteral("Araste o Mouse Sobre o Círculo Para Rotacionar"));
    // The hand, which the cursor set maps like any other design cursor.
    platform::setControlCursor(pbxRotacao, kCursorMao);
    pbxRotacao->OnPaint = [this](platform::Canvas& canvas) { pbxRotacaoPaint(canvas); };

    platform::connectGuarded(pbxRotacao, &PaintBox::mousePressed, this,
                             [this](Qt::MouseButton b, Qt::MouseButtons, int x, int y) { pbxRotacaoMouseDown(b, false, x, y); });
    platform::connectGuarded(pbxRotacao, &PaintBox::mouseDoubleClicked, this,
                             [this](Qt::MouseButton b, int x, int y) { pbxRotacaoMouseDown(b, true, x, y); });
    platform::connectGuarded(pbxRotacao, &PaintBox::mouseMoved, this,
                             [this](Qt::MouseButtons, int x, int y) { pbxRotacaoMouseMove(x, y); });
    platform::connectGuarded(pbxRotacao, &PaintBox::mouseReleased, this, [this] { pbxRotacaoMouseUp(); });
    platform::connectGuarded(spdAntiHorario, &TFancyButton::OnClick, this, [this] { spdAntiHorarioClick(); });
    platform::connectGuarded(spdHorario, &TFancyButton::OnClick, this, [this] { spdHorarioClick(); });
    platform::connectGuarded(spdZerarAngulo, &TFancyButton::OnClick, this, [this] { spdZerarAnguloClick(); });
}

void TfrmEditarFotosEfeitos::AtualizarLegendaDoAngulo()
{
    lblRotacao->setText(QStringLiteral("Ângulo: ") + QString::asprintf("%.1f", double(imgFotoRotacao->Angle())) +
                        QStringLiteral("°"));
}

bool TfrmEditarFotosEfeitos::FazerRotacao(double angulo)
{
    double inteira = 0;
    const double a = std::modf(angulo / 360.0, &inteira) * 360.0;
    if (static_cast<long double>(a) == imgFotoRotacao->Angle())
        return true;
    try {
        imgFotoRotacao->SetAngle(static_cast<long double>(Round(a)));
    } catch (const Failure&) {
        FControleDoArraste = nullptr;
        AvisarFalha(QStringLiteral("Não Há Memória Suficiente Para Rodar Esta Foto:"), FArquivoDaFoto);
        return false;
    } catch (const std::bad_alloc&) {
        FControleDoArraste = nullptr;
        AvisarFalha(QStringLiteral("Não Há Memória Suficiente Para Rodar Esta Foto:"), FArquivoDaFoto);
        return false;
    }
    AtualizarLegendaDoAngulo();
    pbxRotacao->update();
    repaint();
    spdZerarAngulo->setEnabled(true);
    return true;
}

void TfrmEditarFotosEfeitos::pbxRotacaoPaint(platform::Canvas& canvas)
{
    long double inteira = 0;
    const long double theta =
        std::modf(imgFotoRotacao->Angle() / 360.0L, &inteira) * (-2.0L * std::numbers::pi_v<long double>);
    const int cx = (pbxRotacao->width() + 1) / 2;
    const int cy = (pbxRotacao->height() + 1) / 2;
    const int r = cx - 10;
    canvas.pen.color = Qt::white;
    canvas.brush.color = Qt::white;
    canvas.MoveTo(cx, cy);
    canvas.LineTo(RoundToInt32(r * std::cos(theta)) + cx, RoundToInt32(r * std::sin(theta)) + cy);
    canvas.Paint([&](QPainter& p) {
        p.setPen(Qt::white);
        p.setBrush(Qt::white);
        p.drawEllipse(QRect(cx - 2, cy - 2, 5, 5).adjusted(0, 0, -1, -1));
    });
}

void TfrmEditarFotosEfeitos::pbxRotacaoMouseDown(Qt::MouseButton botao, bool duploClique, int x, int y)
{
    if (!TemFoto())
        return;
    HabilitarFotoRotacao();
    FControleDoArraste = nullptr;
    if (botao == Qt::LeftButton && !duploClique) {
        FControleDoArraste = pbxRotacao;
        FAnguloInicialDoArraste = std::atan2(y - pbxRotacao->height() / 2.0, x - pbxRotacao->width() / 2.0);
    }
}

void TfrmEditarFotosEfeitos::pbxRotacaoMouseMove(int x, int y)
{
    if (!FControleDoArraste || !TemFoto())
        return;
    const double a = std::atan2(y - pbxRotacao->height() / 2.0, x - pbxRotacao->width() / 2.0);
    if (!FazerRotacao((FAnguloInicialDoArraste - a) * 180.0 / std::numbers::pi))
        return;
    DimensionarFoto();
    AtualizarLegendaDeDimensaoReal();
    FModificado = true;
}

void TfrmEditarFotosEfeitos::pbxRotacaoMouseUp() { FControleDoArraste = nullptr; }

void TfrmEditarFotosEfeitos::spdAntiHorarioClick()
{
    if (!TemFoto())
        return;
    if (!FazerRotacao(double(imgFotoRotacao->Angle()) + 90))
        return;
    DimensionarFoto();
    AtualizarLegendaDeDimensaoReal();
    FModificado = true;
}

void TfrmEditarFotosEfeitos::spdHorarioClick()
{
    if (!TemFoto())
        return;
    if (!FazerRotacao(double(imgFotoRotacao->Angle()) - 90))
        return;
    DimensionarFoto();
    AtualizarLegendaDeDimensaoReal();
    FModificado = true;
}

void TfrmEditarFotosEfeitos::spdZerarAnguloClick()
{
    FazerRotacao(0);
    AtualizarLegendaDeDimensaoReal();
    spdZerarAngulo->setEnabled(false);
}

} // namespace lumoria
