// Filling the thumbnail list from a folder, and reading the pictures of painted cells on workers.
#include "components/thumbnail_list.h"

#include "platform/graphics/decode_budget.h"
#include "platform/shell/folder_listing.h"
#include "platform/system/cross_thread.h"

namespace lumoria {

namespace {

bool ExtensaoDeFigura(const QString& nome)
{
    const int ponto = nome.lastIndexOf(QLatin1Char('.'));
    if (ponto < 0)
        return false;
    const QString extensao = nome.mid(ponto).toUpper();
    static const QStringList kAceitas = {QStringLiteral(".JPG"), QStringLiteral(".JPEG"), QStringLiteral(".GIF"),
                                         QStringLiteral(".BMP"), QStringLiteral(".ICO"), QStringLiteral(".WMF"),
                                         QStringLiteral(".EMF")};
    return kAceitas.contains(extensao);
}

} // namespace

void TThumbnailList::LoadFolder(const QString& mask)
{
    BeginUpdate();
    // Pictures still being read belong to the old folder.
    StopPictureReads();
    m_thumbnails->Clear();
    const int barra = mask.lastIndexOf(QLatin1Char('/'));
    const QString pasta = mask.left(barra + 1);
    const QString mascara = mask.mid(barra + 1);
    for (const QString& nome : platform::folderEntryNames(pasta.isEmpty() ? QStringLiteral(".") : pasta, mascara))
        AddFile(pasta, nome);
    EndUpdate();
}

void TThumbnailList::AddFile(const QString& folder, const QString& name)
{
    if (!ExtensaoDeFigura(name))
        return;
    TThumbnail* item = m_thumbnails->Add();
    item->SetFilename(folder + name);
    item->Source = tsFile;
    item->SetCaption(name);
    if (!m_buffered)
        item->Picture().LoadFromFile(item->Filename());
}

void TThumbnailList::RequestPicture(int index, QSize area)
{
    TThumbnail* item = m_thumbnails->GetItem(index);
    item->m_loading = TThumbnail::Loading::Pending;
    ++m_pending;
    const int geracao = m_generation.load();
    const QString arquivo = item->Filename();
    auto* tarefa = new platform::PoolTask([this, geracao, index, arquivo, area] {
        const platform::DecodeScope escopo([this, geracao] { return geracao != m_generation.load(); });
        auto figura = std::make_shared<TIPicture>();
        bool lida = false;
        if (geracao == m_generation.load())
            lida = figura->LoadReducedFromFile(arquivo, area);
        m_prontas->post([this, geracao, index, figura, lida] { PictureReady(geracao, index, figura, lida); });
    });
    platform::handOver(tarefa);
    // Newest first: the cells on screen now come before those scrolled past.
    m_pool.start(tarefa, ++m_requests);
}

void TThumbnailList::StopPictureReads()
{
    ++m_generation;
    platform::WakeDecodeWaiters();
}

void TThumbnailList::PictureReady(int generation, int index, std::shared_ptr<TIPicture> picture, bool ok)
{
    --m_pending;
    if (generation != m_generation.load() || index < 0 || index >= m_thumbnails->Count())
        return;
    TThumbnail* item = m_thumbnails->GetItem(index);
    if (ok) {
        item->Picture().TakeFrom(*picture);
        item->m_loading = TThumbnail::Loading::Done;
    } else {
        // Remembered until the folder is loaded again; a copy made earlier for a smaller cell stays.
        item->m_loading = TThumbnail::Loading::Failed;
    }
    viewport()->update(visualRect(model()->index(index, 0)));
}

} // namespace lumoria
