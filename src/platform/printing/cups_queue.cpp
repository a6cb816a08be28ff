#include "platform/printing/cups_queue.h"

#include <cups/cups.h>

#include <algorithm>
#include <memory>

namespace lumoria::platform {

namespace {

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestDeleter>;
using InfoPtr = std::unique_ptr<cups_dinfo_t, InfoDeleter>;

DestPtr NamedDest(const QString& queue)
{
    return DestPtr(cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr));
}

int ResolutionOf(ipp_attribute_t* attribute, int index)
{
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attribute, index, &y, &units);
    int finer = std::max(x, y);
    if (units == IPP_RES_PER_CM)
        finer = int(finer * 2.54 + 0.5);
    return finer > 0 ? finer : 0;
}

// The queue's default (printer-resolution-default, which CUPS takes from the PPD) or, with
// highest, the finest of those it supports.
int AskedResolution(cups_dest_t* dest, bool highest)
{
    const InfoPtr info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest));
    if (!info)
        return 0;
    if (!highest) {
        ipp_attribute_t* a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info.get(), "printer-resolution");
        return a ? ResolutionOf(a, 0) : 0;
    }
    int best = 0;
    if (ipp_attribute_t* a = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info.get(), "printer-resolution"))
        for (int i = 0; i < ippGetCount(a); ++i)
            best = std::max(best, ResolutionOf(a, i));
    return best;
}

// The queue's own note on its state (the reason given when it was set to reject jobs).
QString StateMessage(const QString& queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.toUtf8().constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString message;
    if (ipp_attribute_t* a = response ? ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT) : nullptr)
        message = QString::fromUtf8(ippGetString(a, 0, nullptr));
    ippDelete(response);
    return message;
}

} // namespace

int ParseResolution(const QByteArray& text)
{
    const QByteArray t = text.trimmed().toLower();
    const bool perCm = t.endsWith("dpcm");
    if (!perCm && !t.endsWith("dpi"))
        return 0;
    const QByteArray numbers = t.left(t.size() - (perCm ? 4 : 3));
    const QList<QByteArray> axes = numbers.split('x');
    if (axes.isEmpty() || axes.size() > 2)
        return 0;
    int finer = 0;
    for (const QByteArray& axis : axes) {
        bool ok = false;
        const int value = axis.toInt(&ok);
        if (!ok || value <= 0 || value > 100000)
            return 0;
        finer = std::max(finer, value);
    }
    return perCm ? int(finer * 2.54 + 0.5) : finer;
}

int QueueResolution(const QString& queue)
{
    const DestPtr dest = NamedDest(queue);
    if (!dest)
        return kFallbackResolution;
    for (const char* option : {"Resolution", "printer-resolution"})
        if (const char* value = cupsGetOption(option, dest->num_options, dest->options))
            if (const int dpi = ParseResolution(value))
                return dpi;
    const int asked = AskedResolution(dest.get(), false);
    return asked > 0 ? asked : kFallbackResolution;
}

int QueueHighestResolution(const QString& queue)
{
    const DestPtr dest = NamedDest(queue);
    const int highest = dest ? AskedResolution(dest.get(), true) : 0;
    return highest > 0 ? highest : QueueResolution(queue);
}

int SubmitPrintFile(const QString& queue, const QString& path, const QString& title, const JobOptions& options)
{
    int count = 0;
    cups_option_t* list = nullptr;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &list);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), path.toLocal8Bit().constData(),
                                   title.toUtf8().constData(), count, list);
    cupsFreeOptions(count, list);
    if (job > 0)
        return job;
    int status = cupsLastError();
    const QString cupsText = QString::fromUtf8(cupsLastErrorString());
    // A queue deleted meanwhile does not always come back as "not found" (libcups may fail on the
    // way, with the system's error); the queue's absence is the cause the operator needs.
    if (!NamedDest(queue) && cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
        status = IPP_STATUS_ERROR_NOT_FOUND;
    throw PrintJobNotSent(queue, RefusalReason(status, queue, cupsText, StateMessage(queue)));
}

QString RefusalReason(int ippStatus, const QString& queue, const QString& cupsText, const QString& stateMessage)
{
    const QString name = QStringLiteral("\"%1\"").arg(queue);
    QString reason;
    switch (ippStatus) {
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("A Impressora %1 Não Existe Mais No Sistema.").arg(name);
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        reason = QStringLiteral("A Impressora %1 Não Está Aceitando Trabalhos.").arg(name);
        break;
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        return QStringLiteral("Este Usuário Não Tem Permissão Para Imprimir Na Impressora %1.").arg(name);
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
        return QStringLiteral("A Impressora %1 Não Aceita Trabalhos Em PDF.").arg(name);
    case IPP_STATUS_ERROR_BUSY:
    case IPP_STATUS_ERROR_TOO_MANY_JOBS:
    case IPP_STATUS_ERROR_TOO_MANY_DOCUMENTS:
        return QStringLiteral("A Impressora %1 Está Ocupada e Não Recebeu o Trabalho.").arg(name);
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL:
        return QStringLiteral("O Serviço De Impressão (CUPS) Não Respondeu: %1").arg(cupsText);
    default:
        return QStringLiteral("O Serviço De Impressão (CUPS) Recusou o Trabalho: %1").arg(cupsText);
    }
    if (!stateMessage.trimmed().isEmpty())
        reason += QStringLiteral(" Motivo: %1").arg(stateMessage.trimmed());
    return reason;
}

} // namespace lumoria::platform
