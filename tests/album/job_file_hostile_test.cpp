// Broken and hostile job files: each is refused as a read failure, never half believed.
#include <gtest/gtest.h>

#include "album/album_document.h"
#include "job_file_test_support.h"
#include "support/test_files.h"

#include <QDir>
#include <QRandomGenerator>

using namespace lumoria;
using namespace lumoria::jobfiletest;
using lumoria::test::freshFolder;

namespace {

constexpr int kPage1 = kPage0 + kPageSize + 2 * kFrameSize;
constexpr int kPage0Frame1 = kPage0 + kFrame0 + kFrameSize;

// Two pages, the second a custom size, saved on the second page.
JobText goodJob()
{
    JobText job;
    job.pages = {{0, 3, 80, 60, {0, 0, 210, 297}, {{15, 28, 105, 148, 1, "/a.jpg"}, {105, 28, 195, 148, 2, ""}}},
                 {2, 7, 50, 35, {0, 0, 100, 150}, {{25, 50, 75, 120, 0, "/b.jpg"}}}};
    job.currentPage = 1;
    return job;
}

bool readsBytes(const QByteArray& bytes)
{
    AlbumDocument doc;
    return doc.Album().LerDeArquivo(writtenJob(bytes));
}

bool readsWith(int position, const QByteArray& text)
{
    JobText job = goodJob();
    job.lines[position] = text;
    return readsBytes(job.bytes());
}

} // namespace

TEST(JobFileHostile, TheUntouchedFileReads)
{
    EXPECT_TRUE(readsBytes(goodJob().bytes()));
}

TEST(JobFileHostile, ValuesOutsideTheirRangesAreRefused)
{
    struct Case {
        int position;
        const char* text;
        bool reads;
    };
    const Case cases[] = {
        {kPageCountLine, "0", false},          {kPageCountLine, "-1", false},
        {kPageCountLine, "1", false}, /* page 1 current */ {kPageCountLine, "3", false}, // a page short
        {kCurrentPageLine, "2", false},        {kCurrentPageLine, "-1", false},
        {kCurrentPageLine, "0", true},         {kPage0 + kPaperType, "3", false},
        {kPage0 + kPaperType, "-1", false},    {kPage1 + kPaperType, "2", true},
        {kPage0 + kPhotoType, "8", false},     {kPage0 + kPhotoType, "-1", false},
        {kPage0 + kPhotoType, "0", true},      {kPage0 + kPhotoType, "7", true},
        {kPage0 + kFrame0 + kFrameFit, "3", false}, {kPage0 + kFrame0 + kFrameFit, "-1", false},
        {kPage0 + kFrame0 + kFrameFit, "256", false}, {kPage0Frame1 + kFrameFit, "0", true},
        {kPage0 + kPageRight, "0", false},     {kPage0 + kPageBottom, "0", false},
        {kPage0 + kPageRight, "-210", false},  {kPage0 + kPageBottom, "-5", false},
        {kPage0 + kPageLeft, "210", false},    {kPage0 + kPageTop, "300", false},
        {kPage0 + kPageLeft, "209", true},     {kPage0 + kPageLeft, "-10000", true},
        {kPage1 + kFrameCount, "-1", false},   {kPage1 + kFrameCount, "2", false},
        {kPage1 + kFrameCount, "2147483647", false},
        {kPage1 + kFrameCount, "0", true}, // what follows the last page is not read
        {kPageCountLine, "2147483647", false},
        // Sizes and places that no view or printer could map onto its pixels.
        {kPage0 + kPageLeft, "-10001", false}, {kPage0 + kPageLeft, "-2147483648", false},
        {kPage0 + kPageRight, "10000", true},  {kPage0 + kPageRight, "10001", false},
        {kPage0 + kPageBottom, "2147483647", false}, {kPage0 + kPageTop, "-10001", false},
        {kPage0 + kFrame0 + kFrameLeft, "-10000", true}, {kPage0 + kFrame0 + kFrameLeft, "-2147483648", false},
        {kPage0 + kFrame0 + kFrameTop, "-10001", false}, {kPage0 + kFrame0 + kFrameRight, "10001", false},
        {kPage0 + kFrame0 + kFrameBottom, "2147483647", false}, {kPage0 + kFrame0 + kFrameBottom, "10000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.position << " = " << c.text);
        EXPECT_EQ(readsWith(c.position, c.text), c.reads);
    }
}

TEST(JobFileHostile, OnlyDecimalIntegersAreNumbers)
{
    const QByteArray notNumbers[] = {"",       "abc",  "1.5", "1e3",   "0x10",  "$10",         "1 2",
                                     "--1",    "+",    "-",   "2147483648", "-2147483649", "99999999999999999999999",
                                     "\xD9\xA1" /* an Arabic-Indic one */, "1\xA0" /* Latin-1 no-break blank */};
    for (int position : {kPageCountLine, kCurrentPageLine, kPage0 + kPaperType, kPage0 + kCustom2,
                         kPage0 + kPageRight, kPage0 + kFrameCount, kPage0 + kFrame0 + kFrameLeft,
                         kPage1 + kFrame0 + kFrameFit}) {
        for (const QByteArray& text : notNumbers) {
            SCOPED_TRACE(testing::Message() << "line " << position << " = " << text.toHex().constData());
            EXPECT_FALSE(readsWith(position, text));
        }
    }
    // Blanks around a number, a plus sign and leading zeros are fine.
    EXPECT_TRUE(readsWith(kCurrentPageLine, " \t+0001 \t"));
    EXPECT_TRUE(readsWith(kPage0 + kFrame0 + kFrameBottom, "-000"));
    EXPECT_TRUE(readsWith(kPage0 + kCustom1, "-2147483648"));
}

TEST(JobFileHostile, AFileCutBeforeItsLastValueIsRefusedAndTheBlankLinesAfterItMayBeMissing)
{
    const QByteArray full = goodJob().bytes();
    // The last value read is the last frame's fit mode: its name and blank line may be cut away.
    JobText marked = goodJob();
    const int lastFit = kPage1 + kFrame0 + kFrameFit;
    marked.lines[lastFit] = QByteArray(20, ' ') + "#";
    const qsizetype lastValueEnd = marked.bytes().indexOf('#') + 1;
    ASSERT_EQ(full[lastValueEnd - 1], '0');
    for (qsizetype size = 0; size < lastValueEnd; ++size) {
        if (readsBytes(full.left(size)))
            ADD_FAILURE() << "a file cut to " << size << " of " << full.size() << " bytes was read";
    }
    for (qsizetype size = lastValueEnd; size <= full.size(); ++size) {
        if (!readsBytes(full.left(size)))
            ADD_FAILURE() << "a file lacking only its last lines (" << size << " of " << full.size()
                          << " bytes) was refused";
    }
}

TEST(JobFileHostile, TheNameCutAtTheEndIsReadAsFarAsItGoes)
{
    JobText job = goodJob();
    QByteArray bytes = job.bytes();
    const QByteArray tail = line(2, "/b.jpg") + line(2, "");
    ASSERT_TRUE(bytes.endsWith(tail));
    bytes.chop(tail.size());
    bytes += line(2, "/b.jpg").chopped(2);
    AlbumDocument doc;
    ASSERT_TRUE(doc.Album().LerDeArquivo(writtenJob(bytes)));
    EXPECT_EQ(doc.Album().Pagina(1).Foto(0).NomeDoArquivo, QStringLiteral("/b.jpg"));
}

TEST(JobFileHostile, ReadsNothingFromGarbageOrFromWhatIsNotAFile)
{
    EXPECT_FALSE(readsBytes(QByteArray()));
    QRandomGenerator random(1234);
    for (int k = 0; k < 20; ++k) {
        QByteArray noise(4096, '\0');
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        EXPECT_FALSE(readsBytes(noise));
    }
    // A single line of 3 MiB without a line end.
    EXPECT_FALSE(readsBytes(QByteArray(3 << 20, '7')));

    AlbumDocument doc;
    const QString folder = freshFolder(QStringLiteral("job-not-a-file"));
    EXPECT_FALSE(doc.Album().LerDeArquivo(folder));
    EXPECT_FALSE(doc.Album().LerDeArquivo(folder + QStringLiteral("/missing.pvo")));
    EXPECT_EQ(doc.Album().pageCount(), 0);
}

TEST(JobFileHostile, AVeryLongPathStillReadsButAnEndlessLineDoesNot)
{
    EXPECT_TRUE(readsWith(kPage0 + kFrame0 + kFrameName, "/" + QByteArray(8000, 'p')));
    EXPECT_FALSE(readsWith(kPage0 + kFrame0 + kFrameName, "/" + QByteArray(2 << 20, 'p')));
}

TEST(JobFileHostile, ThePagesReadBeforeAFailureAreLeftForTheCaller)
{
    JobText job = goodJob();
    job.lines[kPage1 + kPhotoType] = "9";
    const QString path = writtenJob(job.bytes());
    AlbumDocument doc;
    EXPECT_FALSE(doc.Album().LerDeArquivo(path));
    EXPECT_EQ(doc.Album().pageCount(), 1);
    EXPECT_EQ(doc.currentPageIndex(), 1);
    // The document never leaves it so.
    EXPECT_FALSE(doc.LerAlbum(path));
    EXPECT_EQ(doc.Album().pageCount(), 1);
    EXPECT_EQ(doc.currentPageIndex(), 0);
    EXPECT_EQ(doc.Pagina(0).frameCount(), 4);
}
