#pragma once
// What the tests on the CUPS queue "PDF" share: where cups-pdf puts a job, waiting for the job's own
// completion, its page count, and where frames and crop marks land on its pages rasterised by pdftoppm.
#include <gtest/gtest.h>

#include "album/album_model.h"
#include "album/geometry.h"
#include "platform/printing/printer.h"
#include "support/picture_files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <functional>

#include <cups/cups.h>
#include <pwd.h>
#include <unistd.h>

namespace lumoria::test::cups {

using namespace lumoria::platform;


inline constexpr int kPrinterDpi = 150;
inline constexpr int kRasterDpi = 50;

inline const QColor kGreen(30, 190, 60);
inline const QColor kBlue(30, 50, 210);
inline const QColor kYellow(240, 220, 30);
inline const QColor kCyan(20, 200, 210);
inline const QColor kMagenta(200, 40, 190);

inline QString OutputFolder()
{
    const passwd* pw = getpwuid(getuid());
    return QString::fromLocal8Bit(pw ? pw->pw_dir : "/root") + QStringLiteral("/PDF");
}

// The newest PDF cups-pdf wrote under the prefix since the moment (seconds since the epoch), once
// the job that makes it is done; empty when there is none.
inline QString NewestPdfSince(const QString& prefix, qint64 since)
{
    QString newest;
    QDateTime newestTime;
    for (const QFileInfo& f : QDir(OutputFolder()).entryInfoList({prefix + QStringLiteral("*.pdf")}, QDir::Files))
        if (f.lastModified().toSecsSinceEpoch() >= since && (newest.isEmpty() || f.lastModified() > newestTime)) {
            newest = f.absoluteFilePath();
            newestTime = f.lastModified();
        }
    return newest;
}

// What pdfinfo says of the PDF under the field's name ("Pages", "Page size"); empty when nothing.
inline QString PdfInfo(const QString& pdf, const QString& field)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(10000);
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).simplified();
    return {};
}

inline int PageCount(const QString& pdf)
{
    const QString pages = PdfInfo(pdf, QStringLiteral("Pages"));
    return pages.isEmpty() ? -1 : pages.toInt();
}

inline bool IsRed(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 110 && qBlue(c) < 110;
}

// Whether a red pixel lies within 2 pixels of (x, y).
inline bool RedNear(const QImage& image, int x, int y)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.rect().contains(x + dx, y + dy) && IsRed(image.pixel(x + dx, y + dy)))
                return true;
    return false;
}

struct Placement {
    PrinterDeviceValues device;
    // Device pixels (origin at the printable corner) to raster pixels of the whole sheet.
    int X(int deviceX) const { return (deviceX + device.physicalOffsetX) * kRasterDpi / device.dpiX; }
    int Y(int deviceY) const { return (deviceY + device.physicalOffsetY) * kRasterDpi / device.dpiY; }
    Rect Frame(const TPagina& page, const TFoto& f) const
    {
        return MapearRetanguloEntreRetangulos(Rect{0, 0, page.Right, page.Bottom}, Rect{f.Left, f.Top, f.Right, f.Bottom},
                                              Rect{0, 0, device.physicalWidth, device.physicalHeight});
    }
};

// The frame's colour in its middle, its mark in the top margin above its left edge, and no mark
// in the top margin halfway between the frame's two edges.
inline void ExpectFrame(const QImage& sheet, const Placement& at, const Rect& r, const QColor& colour)
{
    const int cx = at.X((r.Left + r.Right) / 2);
    const int cy = at.Y((r.Top + r.Bottom) / 2);
    EXPECT_TRUE(Near(sheet.pixelColor(cx, cy), colour, 40)) << sheet.pixelColor(cx, cy).name().toStdString();
    const int marginY = at.Y(r.Top / 2);
    EXPECT_TRUE(RedNear(sheet, at.X(r.Left), marginY)) << "mark above x " << at.X(r.Left);
    EXPECT_TRUE(RedNear(sheet, at.X(r.Right), marginY)) << "mark above x " << at.X(r.Right);
    EXPECT_FALSE(RedNear(sheet, at.X((r.Left + r.Right) / 2), marginY));
    const int marginX = at.X(r.Left / 2);
    EXPECT_TRUE(RedNear(sheet, marginX, at.Y(r.Top))) << "mark left of y " << at.Y(r.Top);
    EXPECT_TRUE(RedNear(sheet, marginX, at.Y(r.Bottom))) << "mark left of y " << at.Y(r.Bottom);
}


// The PDF's pages rasterised at kRasterDpi.
inline QList<QImage> Rasterise(const QString& pdf, const QString& name)
{
    const QString prefix = test::TempPath(name);
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kRasterDpi), QStringLiteral("-png"), pdf, prefix});
    raster.waitForFinished(60000);
    QList<QImage> pages;
    for (int i = 1;; ++i) {
        const QImage page(prefix + QStringLiteral("-%1.png").arg(i));
        if (page.isNull())
            break;
        pages.append(page);
    }
    return pages;
}

// Calls `each` on every job CUPS lists, of any queue and state; false when the listing failed (a
// busy scheduler may fail one).
inline bool ForEachJob(const std::function<void(const cups_job_t&)>& each)
{
    cups_job_t* jobs = nullptr;
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < n; ++i)
        each(jobs[i]);
    cupsFreeJobs(n, jobs);
    return n >= 0;
}

// The job's state once CUPS has done with it (completed, cancelled or aborted), polled by its id for
// as long as the queue takes with other jobs.
inline int WaitForJob(int jobId)
{
    for (;;) {
        int state = 0;
        bool known = false;
        const bool listed = ForEachJob([&](const cups_job_t& job) {
            if (job.id == jobId) {
                known = true;
                state = job.state >= IPP_JSTATE_CANCELED ? job.state : 0;
            }
        });
        if (state || (listed && !known))
            return state;
        QThread::msleep(100);
    }
}

// The PDF cups-pdf made of the job once it completed: the newest file under the prefix (the job's
// title) since the moment (seconds since the epoch); empty when the job did not complete.
inline QString JobPdf(int jobId, const QString& prefix, qint64 since)
{
    return WaitForJob(jobId) == IPP_JSTATE_COMPLETED ? NewestPdfSince(prefix, since) : QString();
}

// How many jobs of any state, on any queue, carry the title.
inline int JobsTitled(const QString& title)
{
    int found = 0;
    ForEachJob([&](const cups_job_t& job) { found += job.title && QString::fromUtf8(job.title) == title; });
    return found;
}

// An integer attribute of the job as CUPS holds it (-1 when it has none).
inline int JobAttribute(int jobId, const char* name)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    int value = -1;
    if (ipp_attribute_t* a = response ? ippFindAttribute(response, name, IPP_TAG_INTEGER) : nullptr)
        value = ippGetInteger(a, 0);
    ippDelete(response);
    return value;
}

// The size of the PDF's first page in millimetres.
inline QSizeF PageSizeMm(const QString& pdf)
{
    const QStringList parts = PdfInfo(pdf, QStringLiteral("Page size")).split(QLatin1Char(' '));
    return parts.size() >= 3 ? QSizeF(parts[0].toDouble() * 25.4 / 72, parts[2].toDouble() * 25.4 / 72) : QSizeF();
}

// lpadmin, cupsreject and the like; true when the command succeeded.
inline bool Admin(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A cups-pdf queue of the test's own, removed when the object goes (if it is still there).
class TemporaryQueue {
public:
    explicit TemporaryQueue(const QString& name) : m_name(name)
    {
        m_made = Admin(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                                                  QStringLiteral("-m"), QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"),
                                                  QStringLiteral("-E")});
    }
    ~TemporaryQueue()
    {
        if (m_made)
            Admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_name});
    }
    bool made() const { return m_made; }
    const QString& name() const { return m_name; }

private:
    QString m_name;
    bool m_made = false;
};

} // namespace lumoria::test::cups
