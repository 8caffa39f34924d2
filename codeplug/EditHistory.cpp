#include "EditHistory.h"

#include "FileImage.h"

#include <chrono>
#include <cstring>

namespace codeplug {

namespace {

constexpr int kBlock = 256;
// Runs closer than this are stored as one: a few equal bytes cost less than another run.
constexpr int kJoinGap = 16;

qint64 monotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

std::size_t EditHistory::Step::cost() const
{
    return sizeof(Step) + runs.size() * sizeof(Run) + before.size() + after.size();
}

void EditHistory::reset(FileImage *image, bool atSavedPoint)
{
    m_image = image;
    m_checkpoint.assign(image ? image->data() : nullptr, image ? image->data() + image->size() : nullptr);
    m_steps.clear();
    m_position = 0;
    m_saved = atSavedPoint ? 0 : -1;
    m_mayMerge = false;
    m_stored = 0;
}

bool EditHistory::pendingChanges() const
{
    return m_image && std::memcmp(m_image->data(), m_checkpoint.data(), m_checkpoint.size()) != 0;
}

// Whole blocks are compared first; only a block that differs is walked byte by byte.
EditHistory::Step EditHistory::diffStep() const
{
    Step step;
    const std::uint8_t *now = m_image->data();
    const std::uint8_t *then = m_checkpoint.data();
    const int size = int(m_checkpoint.size());
    for (int block = 0; block < size; block += kBlock) {
        const int end = std::min(size, block + kBlock);
        if (std::memcmp(now + block, then + block, std::size_t(end - block)) == 0)
            continue;
        for (int i = block; i < end; ++i) {
            if (now[i] == then[i])
                continue;
            Run *last = step.runs.empty() ? nullptr : &step.runs.back();
            if (last && i - (last->offset + last->length) < kJoinGap)
                last->length = i + 1 - last->offset;
            else
                step.runs.push_back({ i, 1 });
        }
    }
    for (const Run &run : step.runs) {
        step.before.insert(step.before.end(), then + run.offset, then + run.offset + run.length);
        step.after.insert(step.after.end(), now + run.offset, now + run.offset + run.length);
    }
    return step;
}

bool EditHistory::mergeable(const QString &mergeKey, qint64 nowMs) const
{
    if (!m_mayMerge || mergeKey.isEmpty() || !canUndo() || canRedo() || m_saved == m_position)
        return false;
    const Step &last = m_steps.back();
    return last.mergeKey == mergeKey && nowMs - last.closedAt >= 0 && nowMs - last.closedAt <= kMergeWindowMs;
}

bool EditHistory::closeStep(const QString &name, const QString &mergeKey, qint64 nowMs)
{
    if (m_commandDepth > 0 || !pendingChanges())
        return false;
    if (mergeable(mergeKey, nowMs)) {
        // Rewinding the checkpoint over the last step makes the new difference cover both.
        write(m_steps.back(), false, false);
        popLast();
        if (!pendingChanges()) { // the burst ended where it began
            m_mayMerge = false;
            return true;
        }
    }
    Step step = diffStep();
    step.name = name;
    step.mergeKey = mergeKey;
    step.closedAt = nowMs;
    push(std::move(step));
    return true;
}

bool EditHistory::closeStep(const QString &name, const QString &mergeKey)
{
    return closeStep(name, mergeKey, monotonicMs());
}

void EditHistory::push(Step step)
{
    while (canRedo())
        popLast();
    if (m_saved > m_position)
        m_saved = -1;
    write(step, true, false);
    m_stored += step.cost();
    m_steps.push_back(std::move(step));
    ++m_position;
    m_mayMerge = true;
    trimToBudget();
}

void EditHistory::popLast()
{
    m_stored -= m_steps.back().cost();
    m_steps.pop_back();
    if (m_position > int(m_steps.size()))
        m_position = int(m_steps.size());
}

// The newest step always stays, even one larger than the whole budget.
void EditHistory::trimToBudget()
{
    while (m_stored > m_budget && m_steps.size() > 1) {
        m_stored -= m_steps.front().cost();
        m_steps.pop_front();
        --m_position;
        if (m_saved >= 0)
            --m_saved;
    }
}

// Writes a step's bytes into the checkpoint, and into the image when it is taken back or redone.
void EditHistory::write(const Step &step, bool forward, bool intoImage)
{
    const std::vector<std::uint8_t> &bytes = forward ? step.after : step.before;
    std::size_t at = 0;
    for (const Run &run : step.runs) {
        std::memcpy(m_checkpoint.data() + run.offset, bytes.data() + at, std::size_t(run.length));
        if (intoImage)
            std::memcpy(m_image->span(run.offset, run.length).data(), bytes.data() + at, std::size_t(run.length));
        at += std::size_t(run.length);
    }
}

bool EditHistory::undo()
{
    closeStep(QStringLiteral("Edit"));
    if (!canUndo() || m_commandDepth > 0)
        return false;
    write(m_steps[std::size_t(--m_position)], false, true);
    m_mayMerge = false;
    return true;
}

bool EditHistory::redo()
{
    closeStep(QStringLiteral("Edit"));
    if (!canRedo() || m_commandDepth > 0)
        return false;
    write(m_steps[std::size_t(m_position++)], true, true);
    m_mayMerge = false;
    return true;
}

void EditHistory::markSaved()
{
    closeStep(QStringLiteral("Edit"));
    m_saved = m_position;
    m_mayMerge = false;
}

HistoryScope::HistoryScope(EditHistory &history, const QString &name, const QString &mergeKey)
    : m_history(history)
    , m_name(name)
    , m_mergeKey(mergeKey)
{
    if (m_history.m_commandDepth == 0)
        m_history.closeStep(QStringLiteral("Edit")); // what came before is not part of this command
    ++m_history.m_commandDepth;
}

HistoryScope::~HistoryScope()
{
    if (--m_history.m_commandDepth == 0)
        m_history.closeStep(m_name, m_mergeKey);
}

} // namespace codeplug
