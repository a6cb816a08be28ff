// The job file: the exact bytes written, reading back, and the document's save, read and new-job
// operations. Expected files come from the tests' own job builder, written from the format.
#include <gtest/gtest.h>

#include "album/album_document.h"
#include "album_test_support.h"
#include "common/general_routines.h"
#include "job_file_test_support.h"
#include "platform/failure.h"
#include "support/file_size_limit.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>


using namespace lumoria;
using namespace lumoria::jobfiletest;
using lumoria::test::freshFolder;
using lumoria::test::readFile;
using lumoria::test::writeFile;

namespace {

// An A4 page of "9 x 12": four frames, two of them with photos.
void fillFirstPage(AlbumDocument& doc)
{
    relayout(doc, false, 0, 3);
    doc.Foto(0, 0).NomeDoArquivo = QStringLiteral("/home/ana/Fotos/praia.jpg");
    doc.Foto(0, 0).Ajuste = 2;
    doc.Foto(0, 2).NomeDoArquivo = QStringLiteral("/home/ana/Fotos/São João/fogueira 1.jpg");
    doc.Foto(0, 2).Ajuste = 1;
}

// A job of two pages, modified, a photo in the names a relayout remembers, the size lists showing `lists`.
void jobInProgress(AlbumDocument& doc, SizeListSelection& lists)
{
    doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(false, lists);
    doc.Foto(0, 0).NomeDoArquivo = QStringLiteral("/fotos/velha.jpg");
    doc.CarregarPaginaAtualComModeloEFotosVaziasAtualizarLegendaQuantidadeDeFotosPorFolha(true, lists);
    doc.Album().InserirPaginaDepois(0);
    doc.setModified(true);
    doc.setFrameUnderMouse(2);
    doc.setSizeListReader([&] { return lists; });
    doc.setSizeListWriter([&](const SizeListSelection& s) { lists = s; });
}

// Saves where it cannot and gives the failure's message.
QString failedSave(AlbumDocument& doc, const QString& path)
{
    try {
        doc.GravarEmArquivo(path);
    } catch (const FileError& e) {
        return QString::fromUtf8(e.what());
    }
    ADD_FAILURE() << "nothing raised saving " << path.toStdString();
    return {};
}

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

TEST(JobFileWriter, WritesTheFormatByteForByte)
{
    const QString folder = freshFolder(QStringLiteral("job-bytes"));
    AlbumDocument doc;
    fillFirstPage(doc);
    doc.setSizeListReader([] { return SizeListSelection{0, 3}; });
    doc.GravarEmArquivo(folder + QStringLiteral("/um.pvo"));

    JobText expected;
    expected.pages = {{0, 3, 80, 60, {0, 0, 210, 297},
                       {{15, 28, 105, 148, 2, "/home/ana/Fotos/praia.jpg"}, {105, 28, 195, 148, 0, ""},
                        {15, 148, 105, 268, 1, "/home/ana/Fotos/São João/fogueira 1.jpg"}, {105, 148, 195, 268, 0, ""}}}};
    expected.lines[4] = VersaoDoExecutavel().toUtf8();
    const QByteArray written = readFile(folder + QStringLiteral("/um.pvo"));
    EXPECT_EQ(written, expected.bytes());
    // An empty frame's name line is its indentation alone; the accents are UTF-8.
    EXPECT_TRUE(written.contains("\r\n                    \r\n                    \r\n"));
    EXPECT_TRUE(written.contains("/S\xC3\xA3o Jo\xC3\xA3o/"));
    EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("um.pvo")});
}

TEST(JobFileWriter, EveryPageGetsTheSizesOfTheListsNotItsOwn)
{
    const QString folder = freshFolder(QStringLiteral("job-sizes"));
    AlbumDocument doc;
    doc.Album().InserirPaginaDepois(0);
    doc.Pagina(1).TipoDoPapel = 2;
    doc.Pagina(1).TipoDaFoto = 5;

    struct Case {
        SizeListSelection lists;
        const char* sizes[4];
    };
    const Case cases[] = {{{0, 3}, {"210", "297", "90", "120"}},
                          {{1, 2}, {"100", "180", "100", "150"}},
                          {{0, 2}, {"210", "297", "100", "148"}}, // before any turn, A4 exception
                          {{2, -1}, {"100", "150", "0", "0"}},
                          {{-1, 6}, {"0", "0", "20", "20"}}};
    for (const Case& c : cases) {
        doc.setSizeListReader([&] { return c.lists; });
        const QString path = folder + QStringLiteral("/sizes.pvo");
        doc.GravarEmArquivo(path);
        const QList<QByteArray> lines = readFile(path).split('\n');
        for (int page = 0; page < 2; ++page) {
            const int first = page == 0 ? kPage0 : kPage0 + 21; // page 0 has no frames here
            SCOPED_TRACE(testing::Message() << "lists " << c.lists.paperItem << "/" << c.lists.photoItem << " page " << page);
            EXPECT_EQ(lines[first + kPaperWidth], line(1, c.sizes[0]).chopped(1));
            EXPECT_EQ(lines[first + kPaperHeight], line(1, c.sizes[1]).chopped(1));
            EXPECT_EQ(lines[first + kPhotoWidth], line(1, c.sizes[2]).chopped(1));
            EXPECT_EQ(lines[first + kPhotoHeight], line(1, c.sizes[3]).chopped(1));
        }
        EXPECT_EQ(lines[kPage0 + 21 + kPaperType], line(1, "2").chopped(1));
        EXPECT_EQ(lines[kPage0 + 21 + kPhotoType], line(1, "5").chopped(1));
    }
}

TEST(JobFileReader, ASavedJobReadsBackOnItsPage)
{
    const QString path = freshFolder(QStringLiteral("job-roundtrip")) + QStringLiteral("/tres.pvo");
    AlbumDocument doc;
    fillFirstPage(doc);
    doc.Album().InserirPaginaDepois(0);
    doc.Pagina(1).TipoDoPapel = 1;
    doc.Pagina(1).TamanhoPersonalizado1 = 33;
    doc.Pagina(1).TamanhoPersonalizado2 = 44;
    relayout(doc, false, 1, 4);
    doc.Pagina(1).TipoDaFoto = 4;
    doc.Foto(1, 3).NomeDoArquivo = QStringLiteral("/fotos/três.bmp");
    doc.Foto(1, 3).Ajuste = 1;
    doc.Album().InserirPaginaDepois(1);
    doc.setCurrentPageIndex(1); // page 2 of 3
    doc.setModified(true);
    doc.GravarEmArquivo(path);

    AlbumDocument other;
    std::vector<SizeListSelection> shown;
    other.setSizeListWriter([&](const SizeListSelection& s) { shown.push_back(s); });
    other.setModified(true);
    ASSERT_TRUE(other.LerAlbum(path, [] { ADD_FAILURE() << "no failure expected"; }));
    EXPECT_EQ(other.currentPageIndex(), 1);
    EXPECT_FALSE(other.modified());
    EXPECT_EQ(shown, (std::vector<SizeListSelection>{{1, 4}}));
    ASSERT_EQ(other.Album().pageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const TPagina& a = doc.Pagina(i);
        const TPagina& b = other.Pagina(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(pageRect(b), pageRect(a));
        EXPECT_EQ(b.TipoDoPapel, a.TipoDoPapel);
        EXPECT_EQ(b.TipoDaFoto, a.TipoDaFoto);
        EXPECT_EQ(b.TamanhoPersonalizado1, a.TamanhoPersonalizado1);
        EXPECT_EQ(b.TamanhoPersonalizado2, a.TamanhoPersonalizado2);
        ASSERT_EQ(b.frameCount(), a.frameCount());
        for (int j = 0; j < a.frameCount(); ++j) {
            EXPECT_EQ(frameRect(b.Foto(j)), frameRect(a.Foto(j)));
            EXPECT_EQ(b.Foto(j).Ajuste, a.Foto(j).Ajuste);
            EXPECT_EQ(b.Foto(j).NomeDoArquivo, a.Foto(j).NomeDoArquivo);
        }
    }
    EXPECT_EQ(other.Foto(0, 1).NomeDoArquivo, QString()); // an empty frame stays empty
    EXPECT_EQ(other.Foto(1, 3).NomeDoArquivo, QStringLiteral("/fotos/três.bmp"));
}

TEST(JobFileReader, TrimsEveryLineAndKeepsACustomSizedPageAsStored)
{
    JobText job;
    job.pages = {{0, 7, 50, 35, {0, 0, 210, 297}, {{10, 20, 45, 70, 2, "   /fotos/com brancos.jpg \t"}, {45, 20, 80, 70, 0, ""}}}};
    job.lines[kPage0 + kCustom1] = "\t 50  ";
    const QString path = writtenJob(job.bytes());

    AlbumDocument doc;
    std::vector<SizeListSelection> shown;
    doc.setSizeListWriter([&](const SizeListSelection& s) { shown.push_back(s); });
    ASSERT_TRUE(doc.LerAlbum(path));
    const TPagina& p = doc.Pagina(0);
    EXPECT_EQ(p.TipoDaFoto, 7);
    EXPECT_EQ(p.TamanhoPersonalizado1, 50);
    EXPECT_EQ(p.TamanhoPersonalizado2, 35);
    ASSERT_EQ(p.frameCount(), 2);
    EXPECT_EQ(frameRect(p.Foto(0)), (Rect{10, 20, 45, 70}));
    EXPECT_EQ(p.Foto(0).Ajuste, 2);
    EXPECT_EQ(p.Foto(0).NomeDoArquivo, QStringLiteral("/fotos/com brancos.jpg"));
    EXPECT_EQ(p.Foto(1).NomeDoArquivo, QString());
    // Type 7 has no item in the photo list: it shows no selection.
    EXPECT_EQ(shown, (std::vector<SizeListSelection>{{0, -1}}));
}

TEST(JobFileReader, AcceptsOtherLineEndsAndEightBitText)
{
    JobText job;
    job.pages = {{0, 3, 80, 60, {0, 0, 210, 297}, {{15, 28, 105, 148, 0, "/x"}, {105, 28, 195, 148, 0, "/y"}}}};
    job.lines[kPage0 + kFrame0 + kFrameName] = "/fotos/F\xE9rias \x80 \x93\x94.jpg"; // Windows-1252
    job.lines[kPage0 + kFrame0 + kFrameSize + kFrameName] = "/fotos/f\xC3\xA9rias.jpg";  // UTF-8
    for (const char* end : {"\n", "\r", "\r\n"}) {
        SCOPED_TRACE(QByteArray(end).toHex().toStdString());
        const QString path = writtenJob(job.bytes(end));
        AlbumDocument doc;
        ASSERT_TRUE(doc.LerAlbum(path));
        EXPECT_EQ(doc.Foto(0, 0).NomeDoArquivo, QStringLiteral("/fotos/Férias € “”.jpg"));
        EXPECT_EQ(doc.Foto(0, 1).NomeDoArquivo, QStringLiteral("/fotos/férias.jpg"));
    }
}

TEST(JobFileWriter, RefusesAPathThatWouldReadBackOtherwiseAndKeepsTheOldFile)
{
    const QString folder = freshFolder(QStringLiteral("job-linebreak"));
    const QString path = folder + QStringLiteral("/velho.pvo");
    writeFile(path, "old contents");
    const QString quebra = QStringLiteral("Contém Uma Quebra de Linha.");
    const QString espacos = QStringLiteral("Começa ou Termina Com Espaços.");
    const struct {
        QString nome;
        QString motivo;
    } casos[] = {{QStringLiteral("/fotos/a\nb.jpg"), quebra},   {QStringLiteral("/fotos/a\rb.jpg"), quebra},
                 {QStringLiteral(" /fotos/a.jpg"), espacos},    {QStringLiteral("/fotos/a.jpg "), espacos},
                 {QStringLiteral("\t/fotos/a.jpg"), espacos},   {QStringLiteral("/fotos/a.jpg\t"), espacos}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome.toStdString());
        AlbumDocument doc;
        fillFirstPage(doc);
        doc.Album().InserirPaginaDepois(0);
        doc.Foto(1, 2).NomeDoArquivo = caso.nome;
        EXPECT_EQ(failedSave(doc, path),
                  QStringLiteral("O Trabalho Não Foi Gravado: o Nome Do Arquivo Da Foto 3 Da Página 2 ") + caso.motivo);
        EXPECT_EQ(readFile(path), QByteArray("old contents"));
        EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("velho.pvo")});
    }
    // Blanks inside a name are kept.
    AlbumDocument doc;
    fillFirstPage(doc);
    doc.Foto(0, 0).NomeDoArquivo = QStringLiteral("/fotos/a b.jpg");
    doc.GravarEmArquivo(path);
    ASSERT_TRUE(doc.LerAlbum(path));
    EXPECT_EQ(doc.Foto(0, 0).NomeDoArquivo, QStringLiteral("/fotos/a b.jpg"));
}

TEST(JobFileWriter, AFailedWriteKeepsTheOldFileAndTheModifiedFlag)
{
    const QString folder = freshFolder(QStringLiteral("job-failed-write"));
    const QString path = folder + QStringLiteral("/velho.pvo");
    writeFile(path, "old contents");
    AlbumDocument doc;
    fillFirstPage(doc);
    doc.setModified(true);

    QString message;
    {
        const lumoria::test::FileSizeLimit limit(64);
        message = failedSave(doc, path);
    }
    EXPECT_TRUE(message.startsWith(QStringLiteral("O Trabalho Não Foi Gravado: Não Foi Possível Escrever o Arquivo \"") +
                                   path + QStringLiteral("\" ("))) << message.toStdString();
    // The cause in Portuguese, never the system's English.
    EXPECT_TRUE(message.endsWith(QStringLiteral("(Arquivo Grande Demais Para o Disco)."))) << message.toStdString();
    EXPECT_EQ(readFile(path), QByteArray("old contents"));
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("velho.pvo")});
}

TEST(JobFileWriter, AReadOnlyJobIsRefusedWithItsCause)
{
    const QString folder = freshFolder(QStringLiteral("job-read-only"));
    const QString path = folder + QStringLiteral("/protegido.pvo");
    writeFile(path, "kept");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    AlbumDocument doc;
    fillFirstPage(doc);
    const QString message = failedSave(doc, path);
    EXPECT_TRUE(message.endsWith(QStringLiteral("(Arquivo Somente Para Leitura)."))) << message.toStdString();
    EXPECT_EQ(readFile(path), QByteArray("kept"));
    EXPECT_EQ(folderEntries(folder), QStringList{QStringLiteral("protegido.pvo")});
}

TEST(JobFileWriter, AFolderThatCannotTakeTheFileRaises)
{
    const QString folder = freshFolder(QStringLiteral("job-bad-folder"));
    writeFile(folder + QStringLiteral("/arquivo"), "not a folder");
    QDir().mkpath(folder + QStringLiteral("/pasta/dentro"));
    AlbumDocument doc;
    fillFirstPage(doc);
    // Its folder is a file; the folder does not exist; the name is a folder holding something.
    for (const QString& name : {folder + QStringLiteral("/arquivo/x.pvo"), folder + QStringLiteral("/nada/x.pvo"),
                                folder + QStringLiteral("/pasta")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_THROW(doc.GravarEmArquivo(name), FileError);
    }
    EXPECT_EQ(readFile(folder + QStringLiteral("/arquivo")), QByteArray("not a folder"));
    EXPECT_EQ(folderEntries(folder + QStringLiteral("/pasta")), QStringList{QStringLiteral("dentro")});
    EXPECT_EQ(folderEntries(folder), (QStringList{QStringLiteral("arquivo"), QStringLiteral("pasta")}));
}

TEST(AlbumDocumentJobs, NewJobIsOneDefaultPageLaidOutWithTheDefaultTypes)
{
    AlbumDocument doc;
    // The lists still show the old choice; the new page must not be laid out with it.
    SizeListSelection lists{1, 5};
    jobInProgress(doc, lists);
    doc.CriarNovoAlbumComUmaPaginaESemFotos();
    EXPECT_EQ(lists, (SizeListSelection{0, 3}));
    expectOneDefaultPage(doc);
}

TEST(AlbumDocumentJobs, AReadFailureInformsThenStartsOverWithADefaultPage)
{
    const QString path = writtenJob("Name:\r\nLumoria\r\n\r\n");
    AlbumDocument doc;
    SizeListSelection lists{2, 2};
    jobInProgress(doc, lists);
    int informed = 0;
    EXPECT_FALSE(doc.LerAlbum(path, [&] {
        ++informed;
        EXPECT_EQ(lists, (SizeListSelection{2, 2})); // told before the album is replaced
    }));
    EXPECT_EQ(informed, 1);
    EXPECT_EQ(lists, (SizeListSelection{0, 3}));
    // Nothing of the discarded job comes back on the new page.
    expectOneDefaultPage(doc);

    EXPECT_FALSE(doc.LerAlbum(path + QStringLiteral(".nao-existe")));
    EXPECT_EQ(doc.Album().pageCount(), 1);
}
