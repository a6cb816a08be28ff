#pragma once
// What the program asks of a CUPS queue through libcups: its resolution, and taking a finished
// document as one job.
#include "platform/failure.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace lumoria::platform {

// A queue that names no resolution anywhere is taken as printing at 300 dots per inch, the usual
// resolution of the photo and office printers a shop has.
constexpr int kFallbackResolution = 300;

// Dots per inch of a resolution as CUPS writes it ("600dpi", "300x600dpi", "118dpcm"): the finer of
// the two axes, so that neither loses detail; 0 when the text is not a resolution.
int ParseResolution(const QByteArray& text);

// The resolution the queue prints at: the one its current options name (the user's lpoptions, then
// the queue's), else its default (the PPD's); kFallbackResolution when none is named or the queue
// cannot be asked.
int QueueResolution(const QString& queue);
// The finest resolution the queue offers; QueueResolution when it lists none.
int QueueHighestResolution(const QString& queue);

using JobOptions = QList<QPair<QByteArray, QByteArray>>;

// The queue did not take the job; reason() says why in the operator's words.
class PrintJobNotSent : public PrinterError {
public:
    PrintJobNotSent(const QString& queue, const QString& reason)
        : PrinterError("The print job was not sent to " + queue.toStdString()), m_reason(reason) {}
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

// Hands the file to the queue as one job under the title; returns the job's id. Raises
// PrintJobNotSent with CUPS's reason when the queue does not take it.
int SubmitPrintFile(const QString& queue, const QString& path, const QString& title, const JobOptions& options);

// The operator's words for an IPP status that refused a job on the queue; cupsText is CUPS's own
// message, used for the statuses not named here, and stateMessage the queue's own note (the reason
// an administrator gave for rejecting jobs), added when there is one.
QString RefusalReason(int ippStatus, const QString& queue, const QString& cupsText, const QString& stateMessage);

} // namespace lumoria::platform
