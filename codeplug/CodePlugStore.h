#pragma once

#include "EditHistory.h"
#include "FileImage.h"
#include "Layout.h"

#include <array>
#include <memory>

#include <QString>

namespace codeplug {

// Where one section begins in a slot's working image; null when the slot is not open.
class SectionView final
{
public:
    SectionView() = default;
    SectionView(FileImage *image, int offset)
        : m_image(image)
        , m_offset(offset)
    {
    }

    bool isNull() const { return m_image == nullptr; }
    FileImage *image() const { return m_image; }
    int offset() const { return m_offset; }

private:
    FileImage *m_image = nullptr;
    int m_offset = 0;
};

class CodePlugSlot final
{
public:
    QString fileName;

    bool isOpen() const { return m_working != nullptr; }
    FileImage *image() { return m_working.get(); }
    const FileImage *image() const { return m_working.get(); }
    int size() const { return m_size; }
    const SectionView &view(Section section) const { return m_views[std::size_t(section)]; }

    // Adopts the new image (or none), renews the reference copy and the section views, and starts
    // a fresh history.
    void setImage(std::unique_ptr<FileImage> image);
    void takeReferenceCopy();
    bool hasUnsavedChanges() const;
    // Power-on password in force, or a radio or PC programming password stored.
    bool passwordsSet() const;

    // Undo and redo of this slot's edits.
    EditHistory &history() { return m_history; }
    const EditHistory &history() const { return m_history; }
    // Makes the image as it is now the start of a fresh history.
    void restartHistory();

private:
    void setViews();

    std::unique_ptr<FileImage> m_reference;
    std::unique_ptr<FileImage> m_working;
    int m_size = 0;
    std::array<SectionView, kSectionCount> m_views {};
    EditHistory m_history;
};

class CodePlugStore final
{
public:
    static constexpr int kSlotCount = 4;

    static bool validIndex(int index) { return index >= 0 && index < kSlotCount; }

    // Slot accessors return nullptr for an index outside 0..3.
    CodePlugSlot *slot(int index) { return validIndex(index) ? &m_slots[std::size_t(index)] : nullptr; }
    const CodePlugSlot *slot(int index) const { return validIndex(index) ? &m_slots[std::size_t(index)] : nullptr; }

    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index)
    {
        if (validIndex(index))
            m_current = index;
    }
    CodePlugSlot &current() { return m_slots[std::size_t(m_current)]; }
    const CodePlugSlot &current() const { return m_slots[std::size_t(m_current)]; }
    // The current slot's working image, or nullptr when it holds no code plug.
    FileImage *currentImage() { return current().image(); }

    // Slot-index forms of the slot operations; an index outside 0..3 does nothing.
    void setImage(int index, std::unique_ptr<FileImage> image);
    void takeReferenceCopy(int index);
    bool hasUnsavedChanges(int index) const;
    bool passwordsSet(int index) const;
    // The load-time compaction; the compacted image starts the slot's history.
    void compactLists(int index);

private:
    std::array<CodePlugSlot, kSlotCount> m_slots;
    int m_current = 0;
};

namespace passwords {
inline constexpr int kPowerOnSwitch = 8870; // bit 5 clear: power-on password in force
inline constexpr int kPowerOnPassword = 8893;
inline constexpr int kRadioProgramPassword = 8897;
inline constexpr int kPcProgramPassword = 8901;
} // namespace passwords

bool passwordsSet(const FileImage &image);

} // namespace codeplug
