// The cover editor window: its working copy and slider ranges, where the stage puts the photo, the
// cover switched on, adjusted, off and removed, the marker shown over the photo but never written,
// saving, and the closing question.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include <cmath>

#include "components/fancy_button.h"
#include "editing/cover/cover_editor.h"
#include "editing/cover/disc_cover.h"
#include "editing/editor_tabs.h"
#include "editing/picture_layer.h"
#include "editing/stage_frame.h"
#include "platform/graphics/bitmap.h"
#include "platform/shell/special_folders.h"
#include "platform/ui/modal_runner.h"
#include "platform/ui/panel.h"
#include "support/draw_support.h"
#include "support/picture_files.h"
#include "support/modal_attendant.h"
#include "common/modal_helper.h"
#include "support/pointer_events.h"

using namespace lumoria;
using namespace lumoria::platform;
using namespace lumoria::test;

namespace {

// Every pixel different enough, none white.
QImage Scene(int w, int h, int salt = 0)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = qRgb((x / 7 + salt) % 200, (y / 5) % 200, 60 + salt % 100);
    }
    return image;
}

QImage Pixels(const Picture& p)
{
    return const_cast<Picture&>(p).GetBitmap().Image().convertToFormat(QImage::Format_RGB32);
}

class CoverEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor = std::make_unique<TfrmEditarFotosTrabalhos>();
        editor->show();
        QApplication::processEvents();
    }
    QString Load(const QString& name, int w, int h, int salt = 0)
    {
        const QString path = WriteBmp(name, Scene(w, h, salt));
        EXPECT_TRUE(editor->SetarArquivoDaFoto(path));
        return path;
    }
    QPoint OnScreen(int px, int py) const
    {
        const int w = editor->imgFoto->Picture().Width(), h = editor->imgFoto->Picture().Height();
        return QPoint(int(std::nearbyint(double(px) * editor->imgFoto->width() / w)),
                      int(std::nearbyint(double(py) * editor->imgFoto->height() / h)));
    }
    Point InPicture(QPoint s) const
    {
        const int w = editor->imgFoto->Picture().Width(), h = editor->imgFoto->Picture().Height();
        return Point{int(std::nearbyint(double(s.x()) * w / editor->imgFoto->width())),
                     int(std::nearbyint(double(s.y()) * h / editor->imgFoto->height()))};
    }
    void Drag(QPoint from, QPoint to)
    {
        Press(editor->imgFoto, from);
        MoveTo(editor->imgFoto, (from + to) / 2, Qt::LeftButton);
        MoveTo(editor->imgFoto, to, Qt::LeftButton);
        Release(editor->imgFoto, to);
    }
    QImage Grab() const { return editor->imgFoto->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Enabled: the remover, then the diameter, horizontal and vertical sliders.
    std::vector<bool> Ligados() const
    {
        return {editor->spdRemoveraplicacaoCapaCD->isEnabled(), editor->trbPorcentualDeDiametroCapaCD->isEnabled(),
                editor->trbDeslocamentoHorizontal->isEnabled(), editor->trbDeslocamentoVertical->isEnabled()};
    }
    // The diameter, horizontal and vertical sliders' positions.
    std::vector<int> Posicoes() const
    {
        return {editor->trbPorcentualDeDiametroCapaCD->value(), editor->trbDeslocamentoHorizontal->value(),
                editor->trbDeslocamentoVertical->value()};
    }

    std::unique_ptr<TfrmEditarFotosTrabalhos> editor;
};

} // namespace

TEST_F(CoverEditor, WorkingCopyAndSliderRangesFollowTheLoadedPhoto)
{
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Editor de Fotos, Textos e Produtos"));
    EXPECT_EQ(editor->minimumSize() + QSize(8, 27), QSize(780, 600));
    const QString path = WriteJpeg(QStringLiteral("grande.jpg"), Scene(4000, 3000), 90);
    ASSERT_TRUE(editor->SetarArquivoDaFoto(path));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Capa CD & DVD - ") + path);
    for (const Picture* copia : {&editor->imgFoto->Picture(), &editor->FFotoOriginal})
        EXPECT_EQ(QSize(copia->Width(), copia->Height()), QSize(3200, 2400));
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("3200 x 2400 Pixels"));
    const auto faixa = [](const QSlider* s) { return std::pair(s->minimum(), s->maximum()); };
    EXPECT_EQ(faixa(editor->trbDeslocamentoHorizontal), std::pair(-160, 160));
    EXPECT_EQ(faixa(editor->trbDeslocamentoVertical), std::pair(-120, 120));
    EXPECT_EQ(editor->trbPorcentualDeDiametroCapaCD->minimum(), 10);
    EXPECT_EQ(Posicoes(), (std::vector<int>{100, 0, 0}));
    EXPECT_FALSE(editor->FModificado);

    // The design size gives a 722 x 390 stage; the photo is fitted to its height.
    EXPECT_EQ(editor->pnlFoto->size(), QSize(722, 390));
    EXPECT_EQ(editor->imgFoto->geometry(), QRect(113, 9, 496, 372));
    EXPECT_EQ(editor->shpFoto->geometry(), QRect(104, 0, 514, 390));
    EXPECT_EQ(editor->cbxPermitirAplicarCapaCD->text(), QStringLiteral("Habilitar Capa CD && DVD"));
}

TEST_F(CoverEditor, CoverOnAdjustedOffAndRemoved)
{
    Load(QStringLiteral("foto.bmp"), 640, 480);
    const QImage loaded = Pixels(editor->imgFoto->Picture());
    const std::vector<bool> nenhum(4, false), todos(4, true);
    EXPECT_EQ(Ligados(), nenhum);

    QTest::mouseClick(editor->cbxPermitirAplicarCapaCD, Qt::LeftButton);
    ASSERT_TRUE(editor->cbxPermitirAplicarCapaCD->isChecked());
    EXPECT_TRUE(editor->FModificado);
    EXPECT_EQ(Ligados(), todos);
    Bitmap expected;
    expected.SetImage(loaded, PixelFormat::Device);
    AplicarCapaDeCDEmBitmap(expected, 100, 0, 0);
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), expected.Image());

    // Many moves give what one application of the last positions gives: masks never pile up.
    editor->trbPorcentualDeDiametroCapaCD->setValue(40);
    editor->trbDeslocamentoHorizontal->setValue(12);
    editor->trbDeslocamentoVertical->setValue(-7);
    editor->trbPorcentualDeDiametroCapaCD->setValue(70);
    editor->trbDeslocamentoHorizontal->setValue(5);
    expected.SetImage(loaded, PixelFormat::Device);
    AplicarCapaDeCDEmBitmap(expected, 70, 5, -7);
    const QImage adjusted = expected.Image().copy();
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), adjusted);

    // Off: the photo comes back and the sliders keep their places; on again: the same disc.
    editor->cbxPermitirAplicarCapaCD->setChecked(false);
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), loaded);
    EXPECT_EQ(Ligados(), nenhum);
    EXPECT_EQ(Posicoes(), (std::vector<int>{70, 5, -7}));
    editor->cbxPermitirAplicarCapaCD->setChecked(true);
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), adjusted);

    // "Remover": the photo as loaded, sliders back and disabled, the change still unsaved.
    QTest::mouseClick(editor->spdRemoveraplicacaoCapaCD, Qt::LeftButton, {},
                      editor->spdRemoveraplicacaoCapaCD->rect().center());
    EXPECT_FALSE(editor->cbxPermitirAplicarCapaCD->isChecked());
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), loaded);
    EXPECT_EQ(Posicoes(), (std::vector<int>{100, 0, 0}));
    EXPECT_EQ(Ligados(), nenhum);
    EXPECT_TRUE(editor->FModificado);
}

TEST_F(CoverEditor, NoPhotoTickDoesNothingAndALoadTurnsTheCoverOff)
{
    QTest::mouseClick(editor->cbxPermitirAplicarCapaCD, Qt::LeftButton);
    EXPECT_FALSE(editor->cbxPermitirAplicarCapaCD->isChecked());
    EXPECT_FALSE(editor->FModificado);
    EXPECT_EQ(Ligados(), std::vector<bool>(4, false));

    Load(QStringLiteral("um.bmp"), 300, 200);
    editor->cbxPermitirAplicarCapaCD->setChecked(true);
    editor->trbDeslocamentoHorizontal->setValue(4);
    const QString other = WriteBmp(QStringLiteral("dois.bmp"), Scene(200, 300, 33));
    ASSERT_TRUE(editor->SetarArquivoDaFoto(other));
    EXPECT_FALSE(editor->cbxPermitirAplicarCapaCD->isChecked());
    EXPECT_EQ(Posicoes(), (std::vector<int>{100, 0, 0}));
    EXPECT_EQ(editor->trbDeslocamentoHorizontal->maximum(), 10);
    EXPECT_EQ(Ligados(), std::vector<bool>(4, false));
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), Scene(200, 300, 33));
}

TEST_F(CoverEditor, MarkerIsDrawnMovedAndHiddenOverThePhotoOnly)
{
    Load(QStringLiteral("marcador.bmp"), 800, 600);
    EXPECT_EQ(editor->LarguraDoMarcador(), 3);
    const QImage picture = Pixels(editor->imgFoto->Picture());
    const QImage plain = Grab();

    const QPoint a(100, 100), b(300, 250);
    Drag(a, b);
    const Point pa = InPicture(a), pb = InPicture(b);
    EXPECT_TRUE(editor->FMarcadorVisivel);
    EXPECT_EQ(editor->FRetanguloDoMarcador, (Rect{pa.X, pa.Y, pb.X, pb.Y}));

    // On screen the pixels under the dashes are inverted, and only near the outline.
    const QImage shown = Grab();
    const QRect outline(OnScreen(pa.X, pa.Y), OnScreen(pb.X, pb.Y));
    int inverted = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) == plain.pixel(x, y))
                continue;
            ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, ~plain.pixel(x, y) & 0xFFFFFF) << x << "," << y;
            const bool nearEdge = (std::abs(x - outline.left()) <= 2 || std::abs(x - outline.right()) <= 2 ||
                                   std::abs(y - outline.top()) <= 2 || std::abs(y - outline.bottom()) <= 2);
            ASSERT_TRUE(nearEdge && outline.adjusted(-3, -3, 3, 3).contains(x, y)) << x << "," << y;
            ++inverted;
        }
    EXPECT_GT(inverted, 200);
    // The working picture never holds the marker, and neither does a file saved now.
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), picture);
    const QString saved = TempPath(QStringLiteral("com marcador.bmp"));
    ASSERT_TRUE(editor->GravarFoto(saved));
    EXPECT_EQ(QImage(saved).convertToFormat(QImage::Format_RGB32), picture);

    // A drag from inside moves it without changing its size; an edge stops one axis only.
    const QPoint inside(200, 200);
    const Point pi = InPicture(inside);
    const QPoint to(220, 190);
    Drag(inside, to);
    const Point pt = InPicture(to);
    const int dx = pt.X - pi.X, dy = pt.Y - pi.Y;
    EXPECT_EQ(editor->FRetanguloDoMarcador, (Rect{pa.X + dx, pa.Y + dy, pb.X + dx, pb.Y + dy}));
    const Rect before = editor->FRetanguloDoMarcador;
    const QPoint from(OnScreen((before.Left + before.Right) / 2, (before.Top + before.Bottom) / 2));
    const QPoint farLeft(0, from.y() + 20);
    Press(editor->imgFoto, from);
    MoveTo(editor->imgFoto, farLeft, Qt::LeftButton);
    Release(editor->imgFoto, farLeft);
    const int dy2 = InPicture(farLeft).Y - InPicture(from).Y;
    EXPECT_EQ(editor->FRetanguloDoMarcador, (Rect{before.Left, before.Top + dy2, before.Right, before.Bottom + dy2}));
    EXPECT_TRUE(editor->FMarcadorVisivel);

    // A click outside ends it: the screen shows the photo alone again.
    ClickAt(editor->imgFoto, QPoint(5, 360));
    EXPECT_FALSE(editor->FMarcadorVisivel);
    EXPECT_FALSE(editor->FMovendoMarcador);
    EXPECT_EQ(Grab(), plain);
}

TEST_F(CoverEditor, MarkerStaysWhenAnotherWindowIsActivatedAndGoesWhenTheStageLosesTheFocus)
{
    Load(QStringLiteral("outra janela.bmp"), 400, 300);
    // A marker drawn through the window system, as the operator's pointer: the press gives the stage
    // the focus.
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    QTest::mousePress(editor->imgFoto, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(editor->imgFoto, QPoint(150, 120));
    QTest::mouseRelease(editor->imgFoto, Qt::LeftButton, {}, QPoint(150, 120));
    ASSERT_TRUE(editor->FMarcadorVisivel);
    ASSERT_TRUE(editor->pnlFoto->hasFocus());
    // A dialog or another program taking the activation moves no focus inside this window.
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(editor->FMarcadorVisivel);
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    EXPECT_TRUE(editor->FMarcadorVisivel);
    EXPECT_TRUE(editor->pnlFoto->hasFocus());

    QTest::mouseClick(editor->cbxPermitirAplicarCapaCD, Qt::LeftButton);
    EXPECT_FALSE(editor->FMarcadorVisivel);
}

TEST_F(CoverEditor, MarkerPenGrowsWithThePicture)
{
    Load(QStringLiteral("larga.bmp"), 1600, 200);
    EXPECT_EQ(editor->LarguraDoMarcador(), 4);
}

TEST_F(CoverEditor, SavesBmpByNameAndJpegOtherwiseKeepingTheCoverOnShow)
{
    const QString path = Load(QStringLiteral("gravar.bmp"), 320, 240);
    editor->cbxPermitirAplicarCapaCD->setChecked(true);
    editor->trbPorcentualDeDiametroCapaCD->setValue(60);
    const QImage masked = Pixels(editor->imgFoto->Picture());

    const QString bmp = TempPath(QStringLiteral("capa.BMP"));
    ASSERT_TRUE(editor->GravarFoto(bmp));
    EXPECT_EQ(QImage(bmp).convertToFormat(QImage::Format_RGB32), masked);
    EXPECT_FALSE(editor->FModificado);

    const QString png = TempPath(QStringLiteral("capa.png"));
    ASSERT_TRUE(editor->GravarFoto(png));
    EXPECT_TRUE(ReadBytes(png).startsWith("\xFF\xD8"));
    // Nothing is reloaded: the cover stays on with its sliders, the caption names the loaded file.
    EXPECT_TRUE(editor->cbxPermitirAplicarCapaCD->isChecked());
    EXPECT_EQ(editor->trbPorcentualDeDiametroCapaCD->value(), 60);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Capa CD & DVD - ") + path);
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), masked);
}

TEST_F(CoverEditor, AnAbortedOperationPutsTheLoadedPhotoBack)
{
    Load(QStringLiteral("abortar.bmp"), 300, 300);
    const QImage loaded = Pixels(editor->imgFoto->Picture());
    editor->cbxPermitirAplicarCapaCD->setChecked(true);
    editor->LigarBarraDeProgresso(0, 0, 10);
    EXPECT_FALSE(editor->pgcControles->isEnabled());
    editor->spdAbortarProcessamentoDesteEfeitoClick();
    editor->DesligarBarraDeProgresso();
    EXPECT_TRUE(editor->pgcControles->isEnabled());
    EXPECT_EQ(Pixels(editor->imgFoto->Picture()), loaded);
}

TEST_F(CoverEditor, ClosingAsksOnlyWithACoverAndWritesOnlyOnSim)
{
    Load(QStringLiteral("pergunta.bmp"), 120, 90);
    struct Case {
        const char* name;
        bool cover;
        int answer;
    };
    for (const Case& c : {Case{"unchanged", false, 0}, Case{"cover, Não", true, 7}, Case{"cover, Sim", true, 6}}) {
        SCOPED_TRACE(c.name);
        editor->cbxPermitirAplicarCapaCD->setChecked(c.cover);
        editor->show();
        const QImage masked = Pixels(editor->imgFoto->Picture());
        Atendente atendente;
        if (c.cover)
            atendente.respostas << c.answer;
        WhenModal([this](QWidget*) { editor->close(); });
        runModal(editor.get());
        EXPECT_EQ(atendente.inesperadas, 0);
        EXPECT_FALSE(editor->isVisible());
        ASSERT_EQ(atendente.caixas.size(), c.cover ? 1 : 0);
        for (const CaixaVista& caixa : atendente.caixas)
            EXPECT_EQ(caixa.titulo, QStringLiteral("Necessidade De Gravar Imagem Editada"));
        if (c.answer != 6) {
            EXPECT_TRUE(editor->FArquivoGravado.isEmpty());
            continue;
        }
        const QString written = editor->FArquivoGravado;
        EXPECT_TRUE(written.startsWith(documentsFolder() + QStringLiteral("/Fotos Lumoria/pergunta {LU")));
        EXPECT_TRUE(written.endsWith(QStringLiteral("}.jpg")));
        ASSERT_TRUE(ReadBytes(written).startsWith("\xFF\xD8"));
        // The ring is the photo, the corner white.
        ExpectPixels(QImage(written), {{{0, 0}, Qt::white}, {{20, 45}, masked.pixelColor(20, 45)}}, 12);
        EXPECT_FALSE(editor->FModificado);
    }
}
