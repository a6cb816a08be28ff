#pragma once
// What the photo editor and the cover editor share: the window's frame (stage, control area, the four
// right-hand buttons, the size label, the progress bar with its abort button), loading a photo into a
// working copy at most 3200 pixels wide, fitting it into the stage, saving it as JPEG or BMP, the
// default name of an edited photo, the unsaved-changes questions, dropped files and the progress
// operations. Each editor derives from it and fills in its differences through the hooks below.
//
// The editor is given a path (SetarArquivoDaFoto) and, once its modal run has ended, hands back in
// FArquivoGravado the path of the file it wrote last (empty when the caller keeps its photo).
#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

#include "imaging/editor_progress.h"
#include "platform/rect.h"

class QFileDialog;
class QLabel;
class QProgressBar;

namespace lumoria {

namespace platform {
class Bitmap;
class Panel;
class Picture;
} // namespace platform

class TFancyButton;
class PictureLayer;
class EditorTabs;
class StageFrame;

// Where a picture of that size is fitted in a stage: 9 pixels of room on each side, the proportions of
// the picture, centred. Empty when the picture has no width or height.
Rect EnquadrarFotoNoPalco(QSize palco, QSize foto);

// The default name of an edited photo: the documents folder's "Fotos Lumoria", the photo's base name
// without an earlier " {LU...}" tag, a new tag of the given time and ".jpg".
QString MontarNomeDoArquivoEditado(const QString& arquivoDaFoto, const QString& pastaMeusDocumentos,
                                   const QDateTime& agora);

// The extensions a dropped picture may have.
bool ExtensaoDeFotoAceita(const QString& arquivo);

class EditorWindowBase : public QWidget, public EditorProgress {
    Q_OBJECT
public:
    ~EditorWindowBase() override;

    // Loads a photo (nothing when no such file exists). A photo that cannot be read or held is
    // refused with a message and everything stays as it was. Returns whether it was loaded.
    bool SetarArquivoDaFoto(const QString& arquivoDaFoto);
    // Fits the layers and the frame into the stage.
    void DimensionarFoto();
    void AtualizarLegendaDeDimensaoReal();
    // Writes the working picture: BMP when the name ends in ".bmp" (any case), JPEG at quality 90
    // otherwise. True when written; a write that fails is reported here and gives false.
    bool GravarFoto(const QString& arquivo);
    QString MontarNomeDoArquivoEditado() const;
    // The question at closing. False when the window must stay open (the write failed).
    bool VerificarSeHaAlteracoesSemSalvamentoAlertandoUsuario();
    // The question before a dropped photo replaces the photo; true to go on.
    bool VerificarSeHaAlteracaoNaoGravada();
    void RecebeuArquivoArrastado(const QStringList& arquivos);

    // Whether a photo is loaded: without one the editing commands do nothing.
    bool TemFoto() const;

    // EditorProgress: the bar and the abort button.
    void LigarBarraDeProgresso(int minimo, int posicao, int maximo) override;
    void AtualizarBarraDeProgresso(int posicao) override;
    void DesligarBarraDeProgresso() override;
    bool AbortarProcessamento() const override { return FAbortarProcessamento; }

    void spdSairClick();
    void spdLerFotoClick();
    void spdFotoOriginalClick();
    void spdGravarFotoClick();
    void spdAbortarProcessamentoDesteEfeitoClick();

    QString FArquivoDaFoto;
    QString FArquivoGravado;
    bool FModificado = false;
    bool FAbortarProcessamento = false;

    // The clock of the default name (tests fix it).
    std::function<QDateTime()> Relogio = [] { return QDateTime::currentDateTime(); };

    platform::Panel* pnlFundo = nullptr;
    platform::Panel* pnlFoto = nullptr;
    platform::Panel* pnlControles = nullptr;
    platform::Panel* pnlControlesDireito = nullptr;
    platform::Panel* pnlProgresso = nullptr;
    StageFrame* shpFoto = nullptr;
    PictureLayer* imgFoto = nullptr;
    EditorTabs* pgcControles = nullptr;
    QLabel* lblFotoLegendaDimensao = nullptr;
    TFancyButton* spdSair = nullptr;
    TFancyButton* spdLerFoto = nullptr;
    TFancyButton* spdFotoOriginal = nullptr;
    TFancyButton* spdGravarFoto = nullptr;
    TFancyButton* spdAbortarProcessamentoDesteEfeito = nullptr;
    QProgressBar* prbProgresso = nullptr;
    QFileDialog* opdFoto = nullptr;
    QFileDialog* svdFoto = nullptr;

protected:
    // Builds the common frame: caption, size (also the minimum), the panels, buttons, label, bar and
    // dialogs. The derived window adds its tabs and layers, then calls TerminarCriacao.
    EditorWindowBase(const QString& titulo, QSize tamanho, QWidget* parent = nullptr);
    // The end of creation: cursors mapped onto the program's set, the bar's colour, the save dialog's
    // folder, the first tab shown.
    void TerminarCriacao();

    // --- Hooks ---
    // "Editor de Fotos e Efeitos - " or "Capa CD & DVD - ": put before the path in the caption.
    virtual QString PrefixoDoTitulo() const = 0;
    // The first tab becomes the active one (without the tab-change handlers) before a load.
    virtual void AoIniciarCarga() {}
    // The loaded picture and its working copy, to be put where the editor keeps them; imgFoto has
    // already taken the copy.
    virtual void AoMontarCopiaDeTrabalho(const platform::Bitmap& copia) = 0;
    // The layers that DimensionarFoto places (imgFoto by default).
    virtual QList<QWidget*> CamadasDaFoto() const;
    // The size shown in the size label (the working picture's by default).
    virtual QSize TamanhoMostrado() const;
    // Before a write: the photo editor makes a free rotation permanent.
    virtual void AntesDeGravar() {}
    // After "Gravar Foto" wrote the file (FArquivoDaFoto and FArquivoGravado already name it).
    virtual void AposGravarPeloDialogo(const QString& arquivo) {}
    // Before "Ler Foto" and "Foto Original" load: the photo editor resets its effects.
    virtual void AntesDeLerPeloComando() {}
    // The progress operations' differences: what is set aside when the bar starts, and what an abort
    // puts back when it ends.
    virtual void AoLigarProgresso() {}
    virtual void AoDesligarProgresso(bool abortado) {}
    // Pending events are let through when the position is a multiple of this.
    virtual int PassoDeMensagensDoProgresso() const { return 1; }
    // The two lines of a tab's face.
    virtual QStringList LinhasDaAba(int indice) const = 0;

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // Tells the operator that an operation was refused (a photo not read, a write that failed).
    // The cause, when known, follows the file in brackets, as the job save gives it.
    void AvisarFalha(const QString& linha1, const QString& arquivo, const QString& motivo = QString()) const;

private:
    // The name last confirmed in the save dialog.
    QString m_ultimoNomeGravado;
    // A close is being asked about (a second request meanwhile is the same close).
    bool m_fechando = false;
    // A long pixel routine runs on the picture: nothing may replace it or close the window meanwhile.
    bool m_processando = false;
};

} // namespace lumoria
