// The photo editor window driven as the operator drives it: loading and fitting, the red-eye clicks,
// quarter turns and the dial, the turn made permanent, saving by extension, the closing questions,
// dropped files, and the photos or folders that cannot be had.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QProgressBar>
#include <QTimer>

#include <functional>
#include <memory>

#include "common/custom_cursors.h"
#include "components/fancy_button.h"
#include "editing/angle_image.h"
#include "editing/editor_tabs.h"
#include "editing/paint_box.h"
#include "editing/photo_editor.h"
#include "editing/picture_layer.h"
#include "editing/stage_frame.h"
#include "platform/graphics/bitmap.h"
#include "platform/ui/panel.h"
#include "platform/ui/screen_cursor.h"
#include "support/draw_support.h"
#include "support/file_size_limit.h"
#include "support/modal_attendant.h"
#include "support/picture_files.h"
#include "support/test_env.h"

using namespace lumoria;
using namespace lumoria::test;

namespace {

const QDateTime kRelogio(QDate(2026, 12, 6), QTime(9, 15, 30));
// The test photo's colours.
const QColor kVermelho(220, 20, 20), kCinza(128, 128, 128);

QString Documentos() { return QString::fromStdString((homeDir() / "Documents").string()); }

// How many pixels of the picture have the colour.
int Contar(const QImage& imagem, QRgb cor)
{
    int n = 0;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x)
            n += (imagem.pixel(x, y) | 0xFF000000u) == cor;
    return n;
}

class PhotoEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(Documentos() + QStringLiteral("/Fotos Lumoria")).removeRecursively();
        QFile::remove(Documentos() + QStringLiteral("/Fotos Lumoria"));
        NovoEditor();
    }

    void NovoEditor()
    {
        editor = std::make_unique<TfrmEditarFotosEfeitos>();
        editor->Relogio = [] { return kRelogio; };
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    }

    // Closes as the operator does and waits for the window to go.
    void Fechar()
    {
        editor->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->isVisible(); }, 60000));
    }

    void Clicar(QWidget* w, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(w, b, {}, w->rect().center());
    }

    const QImage& Foto() { return editor->imgFoto->Picture().GetBitmap().Image(); }
    QRgb Px(int x, int y) { return Foto().pixel(x, y) | 0xFF000000u; }
    QSize Tamanho() { return QSize(editor->imgFoto->Picture().Width(), editor->imgFoto->Picture().Height()); }

    // A red photo with a grey square in its top-left corner, written as BMP (no compression losses).
    QString FotoVermelha(const QString& nome, int w = 100, int h = 80)
    {
        QImage image = SolidImage(w, h, kVermelho);
        QPainter(&image).fillRect(0, 0, 10, 10, kCinza);
        return WriteBmp(nome, image);
    }

    void Girar90()
    {
        editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
        Clicar(editor->spdAntiHorario);
    }

    // A quarter turn made permanent by leaving the rotation tab.
    void Girar90EFixar()
    {
        Girar90();
        editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaOlhoVermelho);
    }

    void ArrastarDial(QPoint de, QPoint para)
    {
        QTest::mousePress(editor->pbxRotacao, Qt::LeftButton, {}, de);
        QTest::mouseMove(editor->pbxRotacao, para);
        QTest::mouseRelease(editor->pbxRotacao, Qt::LeftButton, {}, para);
    }

    Atendente atendente;
    std::unique_ptr<TfrmEditarFotosEfeitos> editor;
};

} // namespace

TEST_F(PhotoEditor, WindowAndStageAsDesigned)
{
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Editor de Fotos e Efeitos"));
    EXPECT_EQ(editor->pnlFoto->size(), QSize(732, 390));
    EXPECT_EQ(editor->size(), editor->minimumSize());
    EXPECT_EQ(editor->pgcControles->currentIndex(), TfrmEditarFotosEfeitos::kAbaOlhoVermelho);
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("Dimensao"));
    EXPECT_EQ(editor->lblRotacao->text(), QStringLiteral("Ângulo: 0.0°"));
    EXPECT_EQ(editor->FCamadaVisivel, TfrmEditarFotosEfeitos::kCamadaFoto);
    EXPECT_EQ(editor->spdAntiHorario->toolTip(), QStringLiteral("Rodacionar 90 Graus Sentido Anti-Horário"));
    EXPECT_EQ(editor->pbxRotacao->toolTip(), QStringLiteral("Araste o Mouse Sobre o Círculo Para Rotacionar"));
}

TEST_F(PhotoEditor, LargePhotoBecomesAWorkingCopyFittedInTheStage)
{
    const QString foto = WriteJpeg(QStringLiteral("grande.jpg"), SolidImage(4000, 3000, Qt::darkCyan));
    ASSERT_TRUE(editor->SetarArquivoDaFoto(QStringLiteral("  ") + foto + QStringLiteral(" ")));
    EXPECT_EQ(Tamanho(), QSize(3200, 2400));
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("3200 x 2400 Pixels"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Editor de Fotos e Efeitos - ") + foto);
    EXPECT_EQ(editor->FArquivoDaFoto, foto);
    for (QWidget* camada : {static_cast<QWidget*>(editor->imgFoto), static_cast<QWidget*>(editor->imgFotoRotacao),
                            static_cast<QWidget*>(editor->imgFotoBackupPreOperacao)})
        EXPECT_EQ(camada->geometry(), QRect(118, 9, 496, 372));
    EXPECT_EQ(editor->shpFoto->geometry(), QRect(109, 0, 514, 390));
    EXPECT_FALSE(editor->FModificado);
}

TEST_F(PhotoEditor, AnExifOrientedPhotoIsWorkedOnUpright)
{
    const QColor cores[] = {QColor(220, 30, 40), QColor(30, 200, 60), QColor(20, 40, 210), QColor(240, 220, 20)};
    const QImage emPe = QuadrantsImage(120, 80, cores[0], cores[1], cores[2], cores[3]);
    for (int tag = 1; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        const QString foto = TempPath(QStringLiteral("editor-exif-%1.jpg").arg(tag));
        WriteBytes(foto, WithExifOrientation(ReadBytes(WriteJpeg(QStringLiteral("editor-exif.jpg"), StoredForExif(emPe, tag))),
                                             tag, tag < 5));
        ASSERT_TRUE(editor->SetarArquivoDaFoto(foto));
        EXPECT_EQ(Tamanho(), QSize(120, 80));
        ExpectPixels(Foto(), {{{30, 20}, cores[0]}, {{90, 20}, cores[1]}, {{30, 60}, cores[2]}, {{90, 60}, cores[3]}},
                     16);
    }
}

TEST(PhotoEditorGeometry, FitsThePictureInsideTheStage)
{
    struct Case {
        QSize stage, photo;
        Rect expected;
    };
    for (const Case& c : {Case{{732, 390}, {3200, 2400}, {118, 9, 614, 381}},
                          // Fitted to the width it would be 380 high, between 372 and 390: the height limits.
                          Case{{732, 390}, {714, 380}, {16, 9, 715, 381}},
                          Case{{732, 390}, {1000, 100}, {9, 160, 723, 231}}})
        EXPECT_EQ(EnquadrarFotoNoPalco(c.stage, c.photo), c.expected);
    EXPECT_EQ(EnquadrarFotoNoPalco({732, 390}, {0, 10}), Rect{});
}

TEST(PhotoEditorNames, DefaultNameCarriesOneTagOfTheClockAndTrimsOnlyBlanksAndControlCharacters)
{
    const QString docs = QStringLiteral("/home/ana/Documentos");
    const QString pasta = docs + QStringLiteral("/Fotos Lumoria/");
    const QString tag = QStringLiteral(" {LU20261206091530}.jpg");
    const QString nbsp = QString(QChar(0x00A0)), emSpace = QString(QChar(0x2003));
    struct Case {
        QString foto, docs, expected;
    };
    for (const Case& c : {Case{"/fotos/praia.jpg", docs, pasta + "praia" + tag},
                          Case{"/x/praia {LU20201231235959}.jpg", docs, pasta + "praia" + tag},
                          Case{"/x/festa.de.ano.bmp", docs, pasta + "festa.de.ano" + tag},
                          // A "}" earlier in the folder's path than the tag: the old tag stays, a new one is added.
                          Case{"/x/praia {LU20201231235959}.jpg", "/home/a}b",
                               "/home/a}b/Fotos Lumoria/praia {LU20201231235959}" + tag},
                          Case{"/x/festa" + nbsp + ".jpg", docs, pasta + "festa" + nbsp + tag},
                          Case{QStringLiteral("/x/festa") + QChar(0x1F) + ".jpg", docs, pasta + "festa" + tag},
                          Case{"/x/festa\t.jpg", docs, pasta + "festa" + tag},
                          Case{"/x/festa .jpg", docs, pasta + "festa" + tag},
                          Case{"/x/" + emSpace + "festa.jpg", docs, pasta + emSpace + "festa" + tag},
                          Case{QStringLiteral("/x/festa.jpg") + QChar(0x01), docs, pasta + "festa" + tag}})
        EXPECT_EQ(MontarNomeDoArquivoEditado(c.foto, c.docs, kRelogio), c.expected) << c.foto.toStdString();
}

TEST_F(PhotoEditor, OpensTheTrimmedPathOrRefusesSayingWhyAndKeepsThePhotoBefore)
{
    const QString boa = FotoVermelha(QStringLiteral("boa.bmp"));
    const QString foto = FotoVermelha(QStringLiteral("aparada.bmp"), 60, 40);
    const QString ruim = TempPath(QStringLiteral("ruim.jpg"));
    WriteBytes(ruim, QByteArray("\xFF\xD8\xFF\xE0 not really a JPEG"));
    auto faixa = [&](int largura) { return FotoVermelha(QStringLiteral("faixa%1.bmp").arg(largura), largura, 1); };
    const QString baixa = QStringLiteral("Esta Foto É Baixa Demais Para Ser Editada.\r\nReduzida a 3200 Pixels de "
                                         "Largura,\r\nEla Ficaria Sem Nenhum Pixel de Altura:");
    struct Case {
        const char* nome;
        QString dado, aberta; // aberta: the photo then open (empty: refused)
        QSize tamanho;
        QString aviso; // the refusal's line (empty: refused silently)
    };
    // A no-break space is part of the name: no such file. A photo one pixel high gets Round(3200 / w)
    // rows: 0.5 rounds to the even 0.
    const Case casos[] = {
        {"a control character after", foto + QChar(0x1F), foto, {60, 40}, {}},
        {"blanks and controls around", QChar(0x01) + QStringLiteral(" \t") + foto + "\r\n", foto, {60, 40}, {}},
        {"a no-break space before", QChar(0x00A0) + foto, {}, {}, {}},
        {"a no-break space after", foto + QChar(0x00A0), {}, {}, {}},
        {"no such file", TempPath(QStringLiteral("nao-existe.jpg")), {}, {}, {}},
        {"not really a JPEG", ruim, {}, {}, QStringLiteral("Não Foi Possível Ler Esta Foto:")},
        {"7000 x 1", faixa(7000), {}, {}, baixa},
        {"6401 x 1", faixa(6401), {}, {}, baixa},
        {"6400 x 1", faixa(6400), {}, {}, baixa},
        {"6399 x 1", faixa(6399), faixa(6399), {3200, 1}, {}},
        {"3200 x 1", faixa(3200), faixa(3200), {3200, 1}, {}},
    };
    for (const Case& c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(editor->SetarArquivoDaFoto(boa));
        const QString titulo = editor->windowTitle();
        const platform::CursorId cursor = platform::screenCursor();
        atendente.caixas.clear();
        atendente.respostas = {6};
        EXPECT_EQ(editor->SetarArquivoDaFoto(c.dado), !c.aberta.isEmpty());
        EXPECT_EQ(platform::screenCursor(), cursor);
        if (!c.aberta.isEmpty()) {
            EXPECT_EQ(editor->FArquivoDaFoto, c.aberta);
            EXPECT_EQ(Tamanho(), c.tamanho);
            EXPECT_TRUE(atendente.caixas.isEmpty());
            continue;
        }
        EXPECT_EQ(editor->FArquivoDaFoto, boa);
        EXPECT_EQ(editor->windowTitle(), titulo);
        EXPECT_EQ(Tamanho(), QSize(100, 80));
        ASSERT_EQ(atendente.caixas.size(), c.aviso.isEmpty() ? 0 : 1);
        if (!c.aviso.isEmpty()) {
            EXPECT_EQ(atendente.caixas[0].texto, QStringLiteral("Lumoria v1.0\r\n\r\n") + c.aviso + "\r\n\r\n" + c.dado);
            EXPECT_EQ(atendente.caixas[0].titulo, QStringLiteral("Lumoria v1.0 - Mensagem de Advertência"));
        }
    }
}

TEST(PhotoEditorNames, DroppedExtensionsAreTheSixExactly)
{
    for (const char* ok : {"a.bmp", "a.JPG", "a.jpeg", "a.Gif", "a.emf", "a.wmf"})
        EXPECT_TRUE(ExtensaoDeFotoAceita(QString::fromLatin1(ok))) << ok;
    for (const char* no : {"a.txt", "a", "a.jpgx", "a.ico", "/x.jpg/a", "a.jp"})
        EXPECT_FALSE(ExtensaoDeFotoAceita(QString::fromLatin1(no))) << no;
}

TEST_F(PhotoEditor, RedEyeClicksRetouchAPatchAndRemoverUndoesThem)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("olhos.bmp"))));
    ASSERT_EQ(editor->imgFoto->geometry(), QRect(134, 9, 465, 372));
    Clicar(editor->imgFoto); // unticked: nothing
    EXPECT_EQ(Px(50, 40), qRgb(220, 20, 20));
    EXPECT_FALSE(editor->FModificado);

    editor->cbxPermitirRemocaoOlhosVermelhos->setChecked(true);
    EXPECT_EQ(platform::controlCursor(editor->imgFoto), crPintar);
    Clicar(editor->imgFoto, Qt::RightButton); // any button retouches
    EXPECT_EQ(Contar(Foto(), qRgb(20, 20, 20)), 256);
    ExpectPixels(Foto(), {{{50, 40}, QColor(20, 20, 20)}, {{5, 5}, kCinza}});
    EXPECT_TRUE(editor->FModificado);
    EXPECT_TRUE(editor->spdZerarOlhosVermelhos->isEnabled());

    // A click at the top-left corner changes only what lies inside the picture.
    QTest::mouseClick(editor->imgFoto, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_EQ(Px(5, 5), qRgb(128, 128, 128));

    Clicar(editor->spdZerarOlhosVermelhos);
    EXPECT_EQ(Px(50, 40), qRgb(220, 20, 20));
    EXPECT_FALSE(editor->cbxPermitirRemocaoOlhosVermelhos->isChecked());
    EXPECT_EQ(platform::controlCursor(editor->imgFoto), crNormal);
    EXPECT_FALSE(editor->spdZerarOlhosVermelhos->isEnabled());
    EXPECT_TRUE(editor->FModificado);
}

TEST_F(PhotoEditor, QuarterTurnsLabelsAndSizes)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("giro.bmp"), 100, 60)));
    editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
    EXPECT_EQ(editor->FCamadaVisivel, TfrmEditarFotosEfeitos::kCamadaRotacao);
    // Four anticlockwise quarters come back to 0; a clockwise one goes below it.
    for (const auto& [botao, angulo, rotulo] : {std::tuple{editor->spdAntiHorario, 90, "Ângulo: 90.0°"},
                                                {editor->spdAntiHorario, 180, "Ângulo: 180.0°"},
                                                {editor->spdAntiHorario, 270, "Ângulo: 270.0°"},
                                                {editor->spdAntiHorario, 0, "Ângulo: 0.0°"},
                                                {editor->spdHorario, -90, "Ângulo: -90.0°"}}) {
        Clicar(botao);
        EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), angulo) << rotulo;
        EXPECT_EQ(editor->lblRotacao->text(), QString::fromUtf8(rotulo));
    }
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("60 x 100 Pixels"));
    EXPECT_TRUE(editor->FModificado);
    EXPECT_TRUE(editor->spdZerarAngulo->isEnabled());
    Clicar(editor->spdZerarAngulo);
    EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), 0);
    EXPECT_FALSE(editor->spdZerarAngulo->isEnabled());
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("100 x 60 Pixels"));
}

TEST_F(PhotoEditor, LeavingTheRotationTabMakesTheTurnPermanentAndFotoOriginalDropsIt)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("perm.bmp"), 40, 20)));
    Girar90EFixar();
    EXPECT_EQ(Tamanho(), QSize(20, 40));
    // The grey corner, top-left before, is bottom-left after an anticlockwise quarter turn.
    ExpectPixels(Foto(), {{{0, 39}, kCinza}, {{9, 30}, kCinza}, {{10, 30}, kVermelho}});
    EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), 0);
    EXPECT_EQ(editor->FCamadaVisivel, TfrmEditarFotosEfeitos::kCamadaFoto);
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("20 x 40 Pixels"));

    Clicar(editor->spdFotoOriginal);
    EXPECT_EQ(Tamanho(), QSize(40, 20));
    EXPECT_FALSE(editor->FModificado);
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("40 x 20 Pixels"));
}

TEST_F(PhotoEditor, DialDragsSweepFromThePress)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("dial.bmp"))));
    editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
    QWidget* dial = editor->pbxRotacao;
    QTest::mousePress(dial, Qt::LeftButton, {}, QPoint(90, 50));
    QTest::mouseMove(dial, QPoint(50, 10));
    EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), 90);
    QTest::mouseMove(dial, QPoint(12, 64)); // 20 degrees below the left
    QTest::mouseRelease(dial, Qt::LeftButton, {}, QPoint(12, 64));
    EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), -160);
    EXPECT_EQ(editor->lblRotacao->text(), QStringLiteral("Ângulo: -160.0°"));
    EXPECT_TRUE(editor->FModificado);

    // A second drag starts again from 0 under the pointer.
    QTest::mousePress(dial, Qt::LeftButton, {}, QPoint(50, 10));
    QTest::mouseMove(dial, QPoint(51, 10));
    EXPECT_LE(std::abs(double(editor->imgFotoRotacao->Angle())), 2);
    QTest::mouseRelease(dial, Qt::LeftButton, {}, QPoint(51, 10));

    // The right button starts no drag but shows the rotation layer.
    editor->HabilitarFoto();
    const long double antes = editor->imgFotoRotacao->Angle();
    QTest::mousePress(dial, Qt::RightButton, {}, QPoint(90, 50));
    QTest::mouseMove(dial, QPoint(50, 90));
    EXPECT_EQ(editor->FCamadaVisivel, TfrmEditarFotosEfeitos::kCamadaRotacao);
    EXPECT_EQ(editor->imgFotoRotacao->Angle(), antes);
    QTest::mouseRelease(dial, Qt::RightButton, {}, QPoint(50, 90));
}

TEST_F(PhotoEditor, WithoutAPhotoTheEditingControlsDoNothing)
{
    Clicar(editor->spdGravarFoto);
    editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
    Clicar(editor->spdAntiHorario);
    ArrastarDial({90, 50}, {50, 10});
    editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaOlhoVermelho);
    editor->cbxPermitirRemocaoOlhosVermelhos->setChecked(true);
    EXPECT_FALSE(editor->cbxPermitirRemocaoOlhosVermelhos->isChecked());
    EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), 0);
    EXPECT_FALSE(editor->FModificado);
    Fechar();
    EXPECT_TRUE(atendente.caixas.isEmpty());
    EXPECT_EQ(atendente.inesperadas, 0);
    EXPECT_TRUE(editor->FArquivoGravado.isEmpty());
}

TEST_F(PhotoEditor, WritesBmpOrJpegByTheExtension)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("ext.bmp"))));
    struct Case {
        const char* nome;
        QByteArray inicio;
    };
    for (const Case& c : {Case{"saida.BMP", "BM"}, Case{"saida.bmp", "BM"}, Case{"saida.png", "\xFF\xD8"},
                          Case{"saida.jpg", "\xFF\xD8"}}) {
        SCOPED_TRACE(c.nome);
        const QString arquivo = TempPath(QString::fromLatin1(c.nome));
        QFile::remove(arquivo);
        EXPECT_TRUE(editor->GravarFoto(arquivo));
        const QByteArray bytes = ReadBytes(arquivo);
        EXPECT_TRUE(bytes.startsWith(c.inicio));
        if (c.inicio == "BM")
            continue;
        // Quality 90 scales the standard luminance table by 20 %, rounded: its first entry 16 gives 3,
        // its last (zigzag) entry 99 gives 20 (quality 89 gives 4, quality 91 gives 18). The byte before
        // them says 8-bit table 0.
        const qsizetype dqt = bytes.indexOf(QByteArray("\xFF\xDB", 2));
        ASSERT_TRUE(dqt >= 0 && bytes.size() >= dqt + 5 + 64);
        EXPECT_EQ((std::vector<int>{quint8(bytes[dqt + 4]), quint8(bytes[dqt + 5]), quint8(bytes[dqt + 5 + 63])}),
                  (std::vector<int>{0, 3, 20}));
    }
}

TEST_F(PhotoEditor, ClosingAsksOnlyAboutUnsavedChangesAndHandsBackWhatWasSaved)
{
    const QString salvo = TempPath(QStringLiteral("salvo-editado.jpg"));
    const QString pasta = Documentos() + QStringLiteral("/Fotos Lumoria");
    const QString naPasta = pasta + QStringLiteral("/fechar {LU20261206091530}.jpg");
    struct Case {
        const char* nome;
        bool gravarAntes, girar;
        int caixas, resposta;
        QString devolvido; // what the closed window hands back
    };
    // The row that writes into the folder comes last: the others check it is never made.
    for (const Case& c : {Case{"unchanged", false, false, 0, 7, {}}, Case{"changed, Não", false, true, 1, 7, {}},
                          Case{"saved", true, false, 0, 7, salvo},
                          Case{"saved, then changed, Não", true, true, 1, 7, {}},
                          Case{"changed, Sim", false, true, 1, 6, naPasta}}) {
        SCOPED_TRACE(c.nome);
        NovoEditor();
        atendente.caixas.clear();
        ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("fechar.bmp"))));
        if (c.gravarAntes) {
            Girar90();
            QFile::remove(salvo);
            atendente.arquivos = {salvo};
            Clicar(editor->spdGravarFoto);
            EXPECT_EQ(editor->FArquivoGravado, salvo);
            EXPECT_EQ(editor->FArquivoDaFoto, salvo);
            EXPECT_FALSE(editor->FModificado);
            // The window shows the written file as read back, on the first tab.
            EXPECT_EQ(editor->windowTitle(), QStringLiteral("Editor de Fotos e Efeitos - ") + salvo);
            EXPECT_EQ(Tamanho(), QSize(80, 100));
            EXPECT_EQ(editor->pgcControles->currentIndex(), TfrmEditarFotosEfeitos::kAbaOlhoVermelho);
        }
        if (c.girar)
            Girar90();
        atendente.respostas = {c.resposta};
        Fechar();
        ASSERT_EQ(atendente.caixas.size(), c.caixas);
        for (const CaixaVista& caixa : atendente.caixas)
            EXPECT_EQ(caixa.titulo, QStringLiteral("Necessidade De Gravar Imagem Editada"));
        EXPECT_EQ(editor->FArquivoGravado, c.devolvido);
        EXPECT_EQ(QDir(pasta).exists(), c.devolvido == naPasta);
        if (c.devolvido != naPasta)
            continue;
        // The question names the file one folder a line, from the first folder under the root.
        QString pastas = naPasta.mid(1);
        pastas.replace(QLatin1Char('/'), QStringLiteral("\r\n"));
        EXPECT_TRUE(atendente.caixas[0].texto.contains(QStringLiteral("Arquivo:\r\n\r\n") + pastas +
                                                       QStringLiteral("\r\n\r\nVocê Autoriza")));
        EXPECT_TRUE(ReadBytes(naPasta).startsWith("\xFF\xD8"));
        EXPECT_FALSE(editor->FModificado);
        // The turn was made permanent before writing.
        EXPECT_EQ(QImage(naPasta).size(), QSize(80, 100));
    }
}

TEST_F(PhotoEditor, AWriteThatFailsOnClosingKeepsTheEditorOpenWithTheTurnAsItWas)
{
    const QString pasta = Documentos() + QStringLiteral("/Fotos Lumoria");
    struct Case {
        const char* nome;
        QString noDisco; // a file there before the close
        QByteArray bytes;
        int resposta; // to the second box
        QString titulo, trecho; // the second box's title (if given) and a part of its text
    };
    const Case casos[] = {
        {"the file exists, Não to overwrite", pasta + QStringLiteral("/ilha {LU20261206091530}.jpg"), "old", 7,
         QStringLiteral("Arquivo Já Existente"), {}},
        {"a file where the folder should be", pasta, "a file where the folder should be", 6, {}, pasta},
    };
    for (const Case& c : casos) {
        SCOPED_TRACE(c.nome);
        QDir(pasta).removeRecursively();
        QFile::remove(pasta);
        NovoEditor();
        atendente.caixas.clear();
        ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("ilha.bmp"))));
        Girar90();
        QDir().mkpath(QFileInfo(c.noDisco).absolutePath());
        WriteBytes(c.noDisco, c.bytes);
        atendente.respostas = {6, c.resposta};
        editor->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return atendente.caixas.size() == 2 && editor->isVisible(); }, 60000));
        EXPECT_EQ(atendente.caixas[0].titulo, QStringLiteral("Necessidade De Gravar Imagem Editada"));
        EXPECT_EQ(atendente.caixas[1].titulo, c.titulo.isEmpty() ? atendente.caixas[1].titulo : c.titulo);
        EXPECT_TRUE(atendente.caixas[1].texto.contains(c.trecho));
        // Nothing is written or handed back; the quarter turn is still on the rotation layer.
        EXPECT_TRUE(editor->FModificado);
        EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), 90);
        EXPECT_EQ(editor->FCamadaVisivel, TfrmEditarFotosEfeitos::kCamadaRotacao);
        EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("80 x 100 Pixels"));
        EXPECT_EQ(ReadBytes(c.noDisco), c.bytes);
        EXPECT_TRUE(editor->FArquivoGravado.isEmpty());
    }
}

TEST_F(PhotoEditor, AWriteThatFailsIsReportedWithItsCauseAndKeepsTheChangesAndTheTurn)
{
    const QString foto = FotoVermelha(QStringLiteral("falha.bmp"));
    const QString protegida = TempPath(QStringLiteral("protegida.jpg"));
    WriteBytes(protegida, "kept");
    QFile::setPermissions(protegida, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const struct {
        const char* what;
        QString arquivo;
        rlim_t limite; // the largest file the disk takes
        QString causa;
    } cases[] = {
        {"its folder is a file", TempPath(QStringLiteral("falha.bmp")) + QStringLiteral("/dentro.jpg"), RLIM_INFINITY,
         QStringLiteral("Parte do Caminho Não É Uma Pasta")},
        {"the disk takes no more", TempPath(QStringLiteral("grande.bmp")), 1000,
         QStringLiteral("Arquivo Grande Demais Para o Disco")},
        {"a read-only file", protegida, RLIM_INFINITY, QStringLiteral("Arquivo Somente Para Leitura")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(editor->SetarArquivoDaFoto(foto));
        Girar90();
        atendente.caixas.clear();
        atendente.respostas = {6, 6};
        EXPECT_FALSE([&] {
            const lumoria::test::FileSizeLimit limite(c.limite);
            return editor->GravarFoto(c.arquivo);
        }());
        ASSERT_FALSE(atendente.caixas.isEmpty());
        EXPECT_TRUE(atendente.caixas.last().texto.endsWith(c.arquivo + QStringLiteral("\r\n\r\n(") + c.causa +
                                                           QLatin1Char(')')))
            << atendente.caixas.last().texto.toStdString();
        EXPECT_TRUE(editor->FModificado);
        // The window stays on the rotation tab, showing the turned photo.
        EXPECT_EQ(editor->FCamadaVisivel, TfrmEditarFotosEfeitos::kCamadaRotacao);
        EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("80 x 100 Pixels"));
        // Leaving the tab keeps the turn (the grey corner at the bottom left), and a second turn adds to it.
        editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaOlhoVermelho);
        EXPECT_EQ(Tamanho(), QSize(80, 100));
        EXPECT_EQ(Px(0, 99), kCinza.rgb());
        Girar90EFixar();
        EXPECT_EQ(Tamanho(), QSize(100, 80));
        EXPECT_EQ(Px(99, 79), kCinza.rgb());
    }
    EXPECT_EQ(ReadBytes(protegida), QByteArray("kept"));
}

TEST_F(PhotoEditor, DroppedFilesOpenTheFirstPhoto)
{
    const QString primeira = FotoVermelha(QStringLiteral("primeira.bmp"), 30, 20);
    WriteBytes(TempPath(QStringLiteral("texto.txt")), "hello");
    editor->RecebeuArquivoArrastado({TempPath(QStringLiteral("texto.txt"))});
    EXPECT_FALSE(editor->TemFoto());
    editor->RecebeuArquivoArrastado({primeira, FotoVermelha(QStringLiteral("segunda.bmp"), 50, 20)});
    EXPECT_EQ(editor->FArquivoDaFoto, primeira);
}

// Another photo over unsaved changes asks first: "Não" keeps the photo, "Sim" reads the new one with
// the effects reset.
TEST_F(PhotoEditor, AnotherPhotoOverUnsavedChangesAsksFirst)
{
    const QString primeira = FotoVermelha(QStringLiteral("primeira.bmp"), 30, 20);
    const QString segunda = FotoVermelha(QStringLiteral("segunda.bmp"), 50, 20);
    const std::pair<const char*, std::function<void()>> casos[] = {
        {"dropped", [&] { editor->RecebeuArquivoArrastado({segunda}); }},
        {"Ler Foto", [&] { Clicar(editor->spdLerFoto); }}, // the open dialog picks the second photo
    };
    for (const auto& [nome, trazer] : casos) {
        SCOPED_TRACE(nome);
        ASSERT_TRUE(editor->SetarArquivoDaFoto(primeira));
        Girar90();
        atendente.caixas.clear();
        atendente.arquivos = {segunda};
        atendente.respostas = {7};
        trazer();
        EXPECT_EQ(editor->FArquivoDaFoto, primeira);
        EXPECT_TRUE(editor->FModificado);
        ASSERT_EQ(atendente.caixas.size(), 1);
        EXPECT_EQ(atendente.caixas[0].titulo, QStringLiteral("Pedindo Confirmação Para Prosseguir"));
        atendente.respostas = {6};
        trazer();
        EXPECT_EQ(editor->FArquivoDaFoto, segunda);
        EXPECT_FALSE(editor->FModificado);
        EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), 0);
        EXPECT_EQ(Tamanho(), QSize(50, 20));
    }
}

TEST_F(PhotoEditor, DialLinePointsAtTheAngle)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("ponteiro.bmp"))));
    editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
    struct Case {
        double angulo;
        QPoint branco, escuro;
    };
    // Centre (50, 50), radius 40: right at 0, up at 90, down at -90.
    for (const Case& c : {Case{0, {85, 50}, {50, 15}}, Case{90, {50, 15}, {85, 50}}, Case{-90, {50, 85}, {50, 15}}}) {
        SCOPED_TRACE(c.angulo);
        editor->FazerRotacao(c.angulo);
        ExpectPixels(editor->pbxRotacao->grab().toImage(),
                     {{c.branco, Qt::white}, {c.escuro, QColor(0x40, 0x40, 0x40)}, {{50, 50}, Qt::white}});
    }
}

TEST_F(PhotoEditor, ATurnTooLargeToHoldIsRefusedAndNothingChanges)
{
    // A strip 100 x 65000: its quarter turns can be held, a turn of 45 degrees (46031 pixels a side)
    // cannot.
    ASSERT_TRUE(editor->SetarArquivoDaFoto(WriteBmp(QStringLiteral("tira.bmp"), SolidImage(100, 65000, Qt::gray))));
    editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
    Clicar(editor->spdAntiHorario);
    EXPECT_EQ(editor->lblFotoLegendaDimensao->text(), QStringLiteral("65000 x 100 Pixels"));
    editor->FModificado = false;
    atendente.respostas = {6};
    ArrastarDial({90, 50}, {78, 22}); // 45 degrees up
    ASSERT_EQ(atendente.caixas.size(), 1);
    EXPECT_EQ(double(editor->imgFotoRotacao->Angle()), 90);
    EXPECT_EQ(editor->lblRotacao->text(), QStringLiteral("Ângulo: 90.0°"));
    EXPECT_EQ(editor->imgFotoRotacao->RotatedBitmap().Width(), 65000);
    EXPECT_FALSE(editor->FModificado);
}

TEST_F(PhotoEditor, ASmallPhotoFillsItsRectangleOnEveryLayer)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("pequena.bmp"), 40, 20)));
    editor->pgcControles->selectTab(TfrmEditarFotosEfeitos::kAbaRotacao);
    // 40 x 20 in the 732 x 390 stage: 714 x 357 at (9, Round(16.5) = 16).
    ASSERT_EQ(editor->imgFotoRotacao->geometry(), QRect(9, 16, 714, 357));
    ExpectPixels(editor->imgFotoRotacao->grab().toImage(), {{{700, 340}, kVermelho}, {{5, 5}, kCinza}});
}

TEST_F(PhotoEditor, SepiaRunsWithTheBarSettingThePictureAsideAndAnAbortGivesItBack)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("sepia.bmp"), 100, 300)));
    // Shown: the copy set aside, the picture, the bar, the abort button; enabled: the tabs, the right panel.
    const auto estado = [&] {
        return std::vector<bool>{editor->imgFotoBackupPreOperacao->isVisible(), editor->imgFoto->isVisible(),
                                 editor->prbProgresso->isVisible(),
                                 editor->spdAbortarProcessamentoDesteEfeito->isVisible(),
                                 editor->pgcControles->isEnabled(), editor->pnlControlesDireito->isEnabled()};
    };
    // The abort button is pressed while the first row's pending events run.
    std::vector<bool> durante;
    QTimer::singleShot(0, editor.get(), [&] {
        durante = estado();
        Clicar(editor->spdAbortarProcessamentoDesteEfeito);
    });
    editor->ColocarBitmapEmSepia(20, editor->imgFoto->Picture().GetBitmap());
    EXPECT_EQ(durante, (std::vector<bool>{true, false, true, true, false, false}));
    EXPECT_TRUE(editor->FAbortarProcessamento);
    ExpectPixels(Foto(), {{{50, 0}, kVermelho}, {{50, 299}, kVermelho}});
    EXPECT_EQ(estado(), (std::vector<bool>{false, true, false, false, true, true}));

    // The next run starts with the abort flag down: without an abort every row turns: grey (R + G + B) div 3, red + 2 x 20, green + 20.
    editor->ColocarBitmapEmSepia(20, editor->imgFoto->Picture().GetBitmap());
    EXPECT_FALSE(editor->FAbortarProcessamento);
    const QColor sepia(126, 106, 86);
    ExpectPixels(Foto(), {{{50, 0}, sepia}, {{50, 299}, sepia}, {{5, 5}, QColor(168, 148, 128)}});
}

TEST_F(PhotoEditor, APhotoPutBackWhileAClickIsAppliedIsNotRetouched)
{
    ASSERT_TRUE(editor->SetarArquivoDaFoto(FotoVermelha(QStringLiteral("durante.bmp"))));
    editor->cbxPermitirRemocaoOlhosVermelhos->setChecked(true);
    // "Foto Original", pending when the click arrives, runs while the rule lets events through.
    QTimer::singleShot(0, editor.get(), [&] { Clicar(editor->spdFotoOriginal); });
    editor->imgFotoMouseUp(Qt::LeftButton, editor->imgFoto->width() / 2, editor->imgFoto->height() / 2);
    EXPECT_EQ(Px(50, 40), qRgb(220, 20, 20));
    EXPECT_FALSE(editor->FModificado);
    EXPECT_FALSE(editor->spdZerarOlhosVermelhos->isEnabled());
    // The next click retouches the photo now shown.
    editor->cbxPermitirRemocaoOlhosVermelhos->setChecked(true);
    Clicar(editor->imgFoto);
    EXPECT_EQ(Px(50, 40), qRgb(20, 20, 20));
    EXPECT_TRUE(editor->FModificado);
}

TEST_F(PhotoEditor, WhileARoutineRunsADropOrACloseIsRefused)
{
    const QString foto = FotoVermelha(QStringLiteral("rotina.bmp"), 100, 300);
    ASSERT_TRUE(editor->SetarArquivoDaFoto(foto));
    const QString outra = FotoVermelha(QStringLiteral("rotina-outra.bmp"), 30, 30);
    QTimer::singleShot(0, editor.get(), [&] {
        editor->RecebeuArquivoArrastado({outra});
        editor->close();
    });
    editor->ColocarBitmapEmSepia(20, editor->imgFoto->Picture().GetBitmap());
    QCoreApplication::processEvents(); // a close let through would run now
    EXPECT_EQ(editor->FArquivoDaFoto, foto);
    EXPECT_EQ(Px(50, 299), qRgb(126, 106, 86));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(atendente.caixas.empty());
}


TEST_F(PhotoEditor, ADisabledRemoverWritesItsCaptionInTheFaceColourInsteadOfWhite)
{
    const QRgb branco = qRgb(255, 255, 255), face = qRgb(212, 208, 200);
    for (TFancyButton* botao : {editor->spdZerarOlhosVermelhos, editor->spdZerarAngulo}) {
        ASSERT_FALSE(botao->isEnabled());
        const QImage desligado = botao->grab().toImage();
        botao->setEnabled(true);
        const QImage ligado = botao->grab().toImage();
        EXPECT_EQ(Contar(desligado, branco), 0);
        EXPECT_GT(Contar(desligado, face), 20);
        EXPECT_GT(Contar(ligado, branco), 20);
        EXPECT_EQ(Contar(ligado, face), 0);
    }
}

TEST(EditorTabsLook, TheActiveTabStandsTallerAndRunsIntoThePage)
{
    const QRgb face = qRgb(0xA0, 0xA0, 0xA4), white = qRgb(255, 255, 255), background = qRgb(1, 2, 3);
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(background));
    parent.setPalette(palette);
    parent.resize(300, 60);
    auto* tabs = new EditorTabs(&parent);
    tabs->resize(300, 60);
    tabs->addPage();
    tabs->addPage();
    // Column 40 lies in tab 0 only, 160 in tab 1 only; the columns around 100 belong to the active tab.
    struct Case {
        int active;
        int x, y;
        QRgb expected;
    };
    for (const Case& c : std::initializer_list<Case>{
             {0, 40, 1, face},  {0, 160, 1, background}, {0, 40, 29, face}, {0, 160, 29, white}, {0, 160, 28, face},
             {0, 40, 0, white}, {0, 160, 2, white}, {0, 160, 3, face}, {0, 101, 10, face}, {0, 0, 10, white},
             {0, 103, 10, qRgb(64, 64, 64)},
             {1, 40, 1, background},  {1, 160, 1, face},       {1, 40, 29, white},      {1, 160, 29, face},
             {1, 40, 2, white},       {1, 40, 3, face},        {1, 160, 0, white},      {1, 101, 10, face},
             {1, 100, 10, white}}) {
        SCOPED_TRACE(::testing::Message() << "active " << c.active << " at " << c.x << ", " << c.y);
        tabs->setCurrentIndexSilently(c.active);
        const QImage image = tabs->grab().toImage();
        EXPECT_EQ(image.pixel(c.x, c.y) | 0xFF000000u, c.expected);
    }
}

TEST(EditorTabsLook, AClickOnTheOtherTabSelectsIt)
{
    EditorTabs tabs;
    tabs.resize(300, 60);
    tabs.addPage();
    tabs.addPage();
    std::vector<int> changed;
    tabs.OnChange = [&](int i) { changed.push_back(i); };
    // Column 101 is the active tab's own outline, then column 100 once tab 1 is active.
    for (const QPoint p : {QPoint(101, 10), QPoint(150, 10), QPoint(100, 10), QPoint(50, 10)})
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, p);
    EXPECT_EQ(changed, (std::vector<int>{1, 0}));
}
