#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include <QString>

namespace codeplug {

class FileImage;

// Undo and redo of one slot's edits. The history keeps a checkpoint copy of the image; closing a
// step stores the byte ranges in which the image differs from it (before and after) and moves the
// checkpoint up to the image. Nothing has to announce an edit: whoever finishes a user command
// closes a step, and a command that changed nothing leaves none.
//   slot.history().closeStep(QStringLiteral("Edit Rx Freq"), fieldKey);
//   { HistoryScope scope(slot.history(), QStringLiteral("Delete channels")); deleteSelection(); }
class EditHistory final
{
public:
    static constexpr std::size_t kDefaultBudget = std::size_t(64) << 20; // bytes of stored differences
    static constexpr qint64 kMergeWindowMs = 1000;

    explicit EditHistory(std::size_t budget = kDefaultBudget)
        : m_budget(budget)
    {
    }
    EditHistory(const EditHistory &) = delete;
    EditHistory &operator=(const EditHistory &) = delete;

    // Starts over on the image (or none): no steps, the checkpoint is the image as it is now.
    void reset(FileImage *image, bool atSavedPoint = true);

    // Takes a step of what changed since the checkpoint (never while a HistoryScope is open). A step with the previous
    // step's non-empty merge key closing within kMergeWindowMs of it (no undo or redo between) joins that step. True
    // when the history changed. nowMs is a monotonic time; the short form reads the clock.
    bool closeStep(const QString &name, const QString &mergeKey, qint64 nowMs);
    bool closeStep(const QString &name, const QString &mergeKey = {});

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < int(m_steps.size()); }
    QString undoName() const { return canUndo() ? m_steps[std::size_t(m_position - 1)].name : QString(); }
    QString redoName() const { return canRedo() ? m_steps[std::size_t(m_position)].name : QString(); }
    QString undoMergeKey() const { return canUndo() ? m_steps[std::size_t(m_position - 1)].mergeKey : QString(); }
    // Both first close what is still open, so that undo always takes back the latest change.
    bool undo();
    bool redo();

    // The image now is the one in the file (after a save).
    void markSaved();
    bool atSavedPoint() const { return m_saved == m_position; }

    int stepCount() const { return int(m_steps.size()); }
    int position() const { return m_position; }
    std::size_t storedBytes() const { return m_stored; }
    // True while a HistoryScope is open: closing steps is left to the scope.
    bool commandOpen() const { return m_commandDepth > 0; }

private:
    friend class HistoryScope;

    struct Run
    {
        int offset;
        int length;
    };
    struct Step
    {
        QString name;
        QString mergeKey;
        qint64 closedAt = 0;
        std::vector<Run> runs;
        std::vector<std::uint8_t> before; // the runs' bytes one after the other
        std::vector<std::uint8_t> after;
        std::size_t cost() const;
    };

    Step diffStep() const;
    bool pendingChanges() const;
    bool mergeable(const QString &mergeKey, qint64 nowMs) const;
    void push(Step step);
    void popLast();
    void write(const Step &step, bool forward, bool intoImage);
    void trimToBudget();

    FileImage *m_image = nullptr;
    std::vector<std::uint8_t> m_checkpoint;
    std::deque<Step> m_steps;
    int m_position = 0;
    int m_saved = 0; // -1: the saved state is no longer reachable
    bool m_mayMerge = false;
    std::size_t m_stored = 0;
    std::size_t m_budget;
    int m_commandDepth = 0;
};

// One user command as one named step, however many edits and questions it has inside: closing
// steps is held off while the scope is open and one step is closed when it ends. Scopes nest;
// the outermost one names the step.
class HistoryScope final
{
public:
    HistoryScope(EditHistory &history, const QString &name, const QString &mergeKey = {});
    ~HistoryScope();
    HistoryScope(const HistoryScope &) = delete;
    HistoryScope &operator=(const HistoryScope &) = delete;

private:
    EditHistory &m_history;
    QString m_name;
    QString m_mergeKey;
};

} // namespace codeplug
