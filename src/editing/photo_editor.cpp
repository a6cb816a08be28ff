// The photo editor window: its tabs, its four layers and their synchronisation, and what it adds to
// loading, saving and the progress operations.
#include "editing/photo_editor.h"

#include <QCheckBox>
#include <QLabel>

#include "components/fancy_button.h"
#include "editing/angle_image.h"
#include "editing/editor_tabs.h"
#include "editing/effect_image.h"
#include "editing/paint_box.h"
#include "editing/picture_layer.h"
#include "imaging/picture_routines.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"

namespace lumoria {

using platform::Bitmap;

TfrmEditarFotosEfeitos::TfrmEditarFotosEfeitos(QWidget* parent)
    : EditorWindowBase(QStringLiteral("Editor de Fotos e Efeitos"), QSize(790, 600), parent)
{
    setObjectName(QStringLiteral("frmEditarFotosEfeitos"));
    imgFotoRotacao = new TAngleImage(pnlFoto);
    imgFotoRotacao->SetCenter(true);
    imgFotoRotacao->SetProportional(true);
    imgFotoRotacao->SetUniqueSize(false);
    imgFotoRotacao->SetColor(0x00FFFFFF);
    imgFotoRotacao->SetStretch(true);
    imgFotoEfeito = new TEffectImage(pnlFoto);
    imgFotoEfeito->SetStretch(true);
    imgFotoBackupPreOperacao = new PictureLayer(pnlFoto);
    for (QWidget* camada : CamadasDaFoto())
        camada->resize(0, 0);

    tshOlhoVermelho = pgcControles->addPage();
    tshRotacao = pgcControles->addPage();
    CriarAbaOlhoVermelho();
    CriarAbaRotacao();
    pgcControles->OnChanging = [this](int aba) { pgcControlesChanging(aba); };
    pgcControles->OnChange = [this](int aba) { pgcControlesChange(aba); };

    TerminarCriacao();
    AtualizarLegendaDoAngulo();
    FazerRotacao(0);
    HabilitarFoto();
    FModificado = false;
}

TfrmEditarFotosEfeitos::~TfrmEditarFotosEfeitos() = default;

QString TfrmEditarFotosEfeitos::PrefixoDoTitulo() const { return QStringLiteral("Editor de Fotos e Efeitos - "); }

QStringList TfrmEditarFotosEfeitos::LinhasDaAba(int indice) const
{
    if (indice == kAbaOlhoVermelho)
        return {QStringLiteral("Olhos"), QStringLiteral("Vermelhos")};
    if (indice == kAbaRotacao)
        return {QStringLiteral("Rodar"), QStringLiteral("Foto")};
    return {};
}

QWidget* TfrmEditarFotosEfeitos::WidgetDaCamada(Camada camada) const
{
    switch (camada) {
    case kCamadaFoto: return imgFoto;
    case kCamadaRotacao: return imgFotoRotacao;
    case kCamadaEfeito: return imgFotoEfeito;
    case kCamadaBackup: return imgFotoBackupPreOperacao;
    }
    return imgFoto;
}

platform::Picture* TfrmEditarFotosEfeitos::FiguraDaCamada(Camada camada)
{
    switch (camada) {
    case kCamadaFoto: return &imgFoto->Picture();
    case kCamadaRotacao: return &imgFotoRotacao->Picture();
    case kCamadaEfeito: return &imgFotoEfeito->DisplayPicture();
    case kCamadaBackup: return &imgFotoBackupPreOperacao->Picture();
    }
    return &imgFoto->Picture();
}

QList<QWidget*> TfrmEditarFotosEfeitos::CamadasDaFoto() const
{
    return {imgFoto, imgFotoRotacao, imgFotoEfeito, imgFotoBackupPreOperacao};
}

void TfrmEditarFotosEfeitos::MostrarCamada(Camada camada)
{
    for (Camada c : {kCamadaFoto, kCamadaRotacao, kCamadaEfeito, kCamadaBackup})
        WidgetDaCamada(c)->setVisible(c == camada);
    FCamadaVisivel = camada;
}

void TfrmEditarFotosEfeitos::HabilitarFoto() { MostrarCamada(kCamadaFoto); }
void TfrmEditarFotosEfeitos::HabilitarFotoRotacao() { MostrarCamada(kCamadaRotacao); }
void TfrmEditarFotosEfeitos::HabilitarFotoEfeito() { MostrarCamada(kCamadaEfeito); }

QSize TfrmEditarFotosEfeitos::TamanhoMostrado() const
{
    if (FCamadaVisivel == kCamadaRotacao)
        return QSize(imgFotoRotacao->RotatedBitmap().Width(), imgFotoRotacao->RotatedBitmap().Height());
    const platform::Picture* p = const_cast<TfrmEditarFotosEfeitos*>(this)->FiguraDaCamada(FCamadaVisivel);
    return QSize(p->Width(), p->Height());
}

void TfrmEditarFotosEfeitos::AoIniciarCarga()
{
    pgcControles->setCurrentIndexSilently(kAbaOlhoVermelho);
    HabilitarFoto();
}

void TfrmEditarFotosEfeitos::AoMontarCopiaDeTrabalho(const Bitmap& copia)
{
    // The rotation layer is shown only after a synchronisation has given it the working picture, so
    // it takes the working copy here rather than turning the full-size photo for nothing.
    imgFotoRotacao->SetGraphic(copia);
    AtribuirGrafico(copia, FFotoAntesDoRetoque.GetBitmap());
}

void TfrmEditarFotosEfeitos::SincronizarConteudoImagensNormalRotacaoEfeito()
{
    if (!TemFoto())
        return;
    const platform::ScreenCursorGuard cursor(platform::kCursorWait);
    if (pgcControles->currentIndex() == kAbaOlhoVermelho) {
        AtribuirFigura(imgFoto->Picture(), imgFotoRotacao->Picture());
        imgFotoRotacao->RebuildImage();
        imgFotoEfeito->SetPictureOriginal(imgFoto->Picture());
        return;
    }
    // The turn becomes part of the working picture: the bounding box with white corners.
    imgFotoRotacao->SetTransparentColor(0x00FFFFFF);
    const Bitmap girada = imgFotoRotacao->RotatedBitmap();
    AtribuirGrafico(girada, imgFoto->Picture().GetBitmap());
    imgFoto->Changed();
    imgFotoEfeito->SetPictureOriginalGraphic(&girada);
    DimensionarFoto();
    AtualizarLegendaDeDimensaoReal();
    FazerRotacao(0);
    // A save that fails leaves the window on this tab: the layer must hold the turned picture now, or
    // the next synchronisation would copy the unturned one back over the working picture.
    AtribuirFigura(imgFoto->Picture(), imgFotoRotacao->Picture());
    imgFotoRotacao->RebuildImage();
}

void TfrmEditarFotosEfeitos::ZerarTodosOsEfeitos()
{
    imgFotoRotacao->SetAngle(0);
    pbxRotacao->update();
    imgFotoEfeito->ResetEffects();
    cbxPermitirRemocaoOlhosVermelhos->setChecked(false);
}

void TfrmEditarFotosEfeitos::pgcControlesChanging(int)
{
    cbxPermitirRemocaoOlhosVermelhos->setChecked(false);
    SincronizarConteudoImagensNormalRotacaoEfeito();
}

void TfrmEditarFotosEfeitos::pgcControlesChange(int abaQueEntra)
{
    if (abaQueEntra == kAbaRotacao)
        HabilitarFotoRotacao();
    else
        HabilitarFoto();
    AtribuirFigura(imgFoto->Picture(), FFotoAntesDoRetoque);
    spdZerarOlhosVermelhos->setEnabled(false);
    spdZerarAngulo->setEnabled(false);
    AtualizarLegendaDeDimensaoReal();
}

void TfrmEditarFotosEfeitos::AntesDeGravar() { SincronizarConteudoImagensNormalRotacaoEfeito(); }

void TfrmEditarFotosEfeitos::AposGravarPeloDialogo(const QString& arquivo)
{
    // The window shows the written file as decoded from disk.
    SetarArquivoDaFoto(arquivo);
}

void TfrmEditarFotosEfeitos::AntesDeLerPeloComando() { ZerarTodosOsEfeitos(); }

void TfrmEditarFotosEfeitos::AoLigarProgresso()
{
    AtribuirFigura(*FiguraDaCamada(FCamadaVisivel), imgFotoBackupPreOperacao->Picture());
    imgFotoBackupPreOperacao->Changed();
    WidgetDaCamada(FCamadaVisivel)->hide();
    imgFotoBackupPreOperacao->show();
}

void TfrmEditarFotosEfeitos::AoDesligarProgresso(bool abortado)
{
    if (abortado) {
        // The routine's partial result is dropped.
        AtribuirFigura(imgFotoBackupPreOperacao->Picture(), *FiguraDaCamada(FCamadaVisivel));
        if (FCamadaVisivel == kCamadaFoto)
            imgFoto->Changed();
        else if (FCamadaVisivel == kCamadaRotacao)
            imgFotoRotacao->RebuildImage();
        else
            imgFotoEfeito->update();
    }
    imgFotoBackupPreOperacao->hide();
    WidgetDaCamada(FCamadaVisivel)->show();
}

} // namespace lumoria
