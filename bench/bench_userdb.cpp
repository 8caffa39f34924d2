#include "UserDatabase.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

using namespace codeplug;

constexpr int kEntries = 300000;

// A database reply of the public list's size: a header line, then entries in random ID order,
// some IDs repeated.
QByteArray databaseReply()
{
    QRandomGenerator random(7);
    const char *const countries[] = { "Germany", "United States", "Italy", "Spain", "Japan", "Brazil" };
    QByteArray reply = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\r\n";
    reply.reserve(kEntries * 64);
    for (int i = 0; i < kEntries; ++i) {
        reply += QByteArray::number(random.bounded(1000000, 16777216)) + ",DL" + QByteArray::number(i) + ",Firstname "
            + QByteArray::number(i % 977) + ",Surname,Some City,Some State,"
            + countries[random.bounded(int(std::size(countries)))] + "\r\n";
    }
    return reply;
}

const QByteArray &reply()
{
    static const QByteArray bytes = databaseReply();
    return bytes;
}

// Parse, de-duplicate, sort and write the cache: what follows a download.
void BM_ParseSortAndCache(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("dmr.DB"));
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(reply());
    out.close();
    for (auto _ : state) {
        UserDatabase database(dir.path());
        benchmark::DoNotOptimize(database.parseFile(file));
    }
}
BENCHMARK(BM_ParseSortAndCache)->Unit(benchmark::kMillisecond);

void BM_ReadCache(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString cache = dir.filePath(QStringLiteral("dmr_database.dat"));
    writeUserCache(parseUserData(reply()).entries, cache);
    for (auto _ : state) {
        DmrUserList list;
        benchmark::DoNotOptimize(readUserCache(list, cache));
    }
}
BENCHMARK(BM_ReadCache)->Unit(benchmark::kMillisecond);

void BM_Filter(benchmark::State &state)
{
    const DmrUserList list = parseUserData(reply()).entries;
    for (auto _ : state)
        benchmark::DoNotOptimize(filterUsers(list, QStringLiteral("Germany"), QStringLiteral("name 12")));
}
BENCHMARK(BM_Filter)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
