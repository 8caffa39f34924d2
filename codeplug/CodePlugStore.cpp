#include "CodePlugStore.h"

#include "Compaction.h"

namespace codeplug {

bool passwordsSet(const FileImage &image)
{
    return (image.u8(passwords::kPowerOnSwitch) & 0x20) == 0 || image.u8(passwords::kPcProgramPassword) < 0xFF
        || image.u8(passwords::kRadioProgramPassword) < 0xFF;
}

void CodePlugSlot::setImage(std::unique_ptr<FileImage> image)
{
    if (image.get() != m_working.get()) {
        m_reference.reset();
        m_working = std::move(image);
        m_size = m_working ? m_working->size() : 0;
        if (m_working)
            m_reference = std::make_unique<FileImage>(*m_working);
    }
    m_history.reset(m_working.get()); // before anything reads the history's image
    takeReferenceCopy();
    setViews();
}

void CodePlugSlot::restartHistory()
{
    m_history.reset(m_working.get(), !hasUnsavedChanges());
}

void CodePlugSlot::takeReferenceCopy()
{
    if (m_working && m_reference && m_size >= 1) {
        *m_reference = *m_working;
        m_history.markSaved();
    }
}

bool CodePlugSlot::hasUnsavedChanges() const
{
    return m_working && m_reference && !(*m_working == *m_reference);
}

bool CodePlugSlot::passwordsSet() const
{
    return m_working && codeplug::passwordsSet(*m_working);
}

void CodePlugSlot::setViews()
{
    for (int i = 0; i < kSectionCount; ++i)
        m_views[std::size_t(i)]
            = m_working ? SectionView(m_working.get(), kSectionOffsets[std::size_t(i)]) : SectionView();
}

void CodePlugStore::setImage(int index, std::unique_ptr<FileImage> image)
{
    if (CodePlugSlot *s = slot(index))
        s->setImage(std::move(image));
}

void CodePlugStore::takeReferenceCopy(int index)
{
    if (CodePlugSlot *s = slot(index))
        s->takeReferenceCopy();
}

bool CodePlugStore::hasUnsavedChanges(int index) const
{
    const CodePlugSlot *s = slot(index);
    return s && s->hasUnsavedChanges();
}

bool CodePlugStore::passwordsSet(int index) const
{
    const CodePlugSlot *s = slot(index);
    return s && s->passwordsSet();
}

void CodePlugStore::compactLists(int index)
{
    CodePlugSlot *s = slot(index);
    if (s && s->image()) {
        codeplug::compactLists(*s->image());
        s->restartHistory();
    }
}

} // namespace codeplug
