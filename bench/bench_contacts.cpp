#include "ContactList.h"
#include "ContactRecord.h"
#include "Layout.h"
#include "NewCodePlug.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

namespace {

using namespace codeplug;

// 1000 contacts in random name and ID order, 250 group lists of 32 members and 1000 digital
// channels, all referring to contacts: the worst case for sorting and renumbering.
FileImage fullImage(int referencedContacts)
{
    QRandomGenerator random(42);
    FileImage image = makeNewCodePlug(2, 0);
    for (int i = 0; i < kMaxContacts; ++i) {
        writeContact(image, i, random.bounded(16777216), int(random.bounded(1, 4)), random.bounded(2) == 1,
            QStringLiteral("N%1").arg(random.bounded(100000)));
    }
    const auto reference = [&] { return std::uint16_t(random.bounded(1, referencedContacts + 1)); };
    const MemberLayout &groups = members::rxGroupListContacts;
    for (int g = 0; g < groups.owner.count; ++g) {
        image.setU16(groups.owner.nameFieldOffset(g), 'G');
        for (int m = 0; m < groups.count; ++m)
            image.setU16(groups.memberOffset(g, m), reference());
    }
    for (int c = 0; c < lists::channels.count; ++c) {
        image.setU16(lists::channels.nameFieldOffset(c), 'C');
        image.setU16(lists::channels.recordOffset(c) + 6, reference());
    }
    return image;
}

} // namespace

static void BM_SortContactsByName(benchmark::State &state)
{
    const FileImage start = fullImage(kMaxContacts);
    ProtectedIdList protectedIds;
    protectedIds.add(contactId(start, 10));
    for (auto _ : state) {
        FileImage image = start;
        sortContacts(image, ContactSortKey::Name, protectedIds);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_SortContactsByName)->Unit(benchmark::kMillisecond);

// Deletes the 500 unreferenced contacts of a full list in one selection.
static void BM_DeleteHalfTheContacts(benchmark::State &state)
{
    const FileImage start = fullImage(kMaxContacts / 2);
    QList<int> rows;
    for (int row = kMaxContacts / 2; row < kMaxContacts; ++row)
        rows.append(row);
    for (auto _ : state) {
        FileImage image = start;
        const ContactDeletion result = deleteContacts(image, rows, {}, [](const QString &) { return true; });
        benchmark::DoNotOptimize(result.deleted);
    }
}
BENCHMARK(BM_DeleteHalfTheContacts)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
