#include "GpsSystems.h"

#include "Layout.h"
#include "RecordName.h"

namespace codeplug {

namespace {

constexpr RecordArea kSystems { gps::kSystems, gps::kSystemSize };
constexpr int kInterval = 2;
constexpr int kMaxInterval = 240; // 7200 seconds

// A record number of `list`, 0 for none, whatever of the two none values the system stores.
FieldCodec numberField(int byte, const ListLayout &list)
{
    const FieldCodec raw = u16Field(kSystems, byte);
    return { [read = raw.read, &list](const FileImage &image, int entry) {
                const int number = read(image, entry);
                return number <= list.count ? number : 0;
            },
        [write = raw.write](FileImage &image, int entry, int number) {
            write(image, entry, number != 0 ? number : (entry == 0 ? 0 : 0xFFFF));
        } };
}

// The name of a used record, else `none`.
FieldColumn referenceColumn(
    const QString &title, int byte, const ListLayout &list, const QString &none, Choices choices)
{
    const FieldCodec value = numberField(byte, list);
    return entryChoiceColumn(
        title, value,
        [read = value.read, &list, none](const FileImage &image, int entry) {
            const int number = read(image, entry);
            return number >= 1 && isRecordUsed(image, list, number - 1) ? recordName(image, list, number - 1) : none;
        },
        std::move(choices));
}

FieldColumn intervalColumn()
{
    const FieldCodec raw = bitField(kSystems, kInterval, 0xFF, 0);
    const FieldCodec value { [read = raw.read](const FileImage &image, int entry) {
                                const int interval = read(image, entry);
                                return interval <= kMaxInterval ? interval : 0;
                            },
        [write = raw.write](FileImage &image, int entry, int interval) {
            write(image, entry, interval != 0 ? interval : (entry == 0 ? 0 : 0xFF));
        } };
    const auto label = [](int interval) {
        return interval == 0 ? QStringLiteral("Off") : QStringLiteral("%1 secs").arg(interval * 30);
    };
    return choiceColumn(
        QStringLiteral("Default GPS Report Interval"), value, label, rangeLabels(0, kMaxInterval, label));
}

FieldTable columns()
{
    return {
        referenceColumn(QStringLiteral("Revert Channel"), gps::kRevertChannel, lists::channels,
            QStringLiteral("Current Channel"),
            [](const FileImage &image, int) {
                return usedRecordLabels(
                    image, lists::channels, QStringLiteral("Current Channel"), channelsOfMode(ChannelMode::Digital));
            }),
        intervalColumn(),
        referenceColumn(QStringLiteral("Destination Contact"), gps::kContact, lists::contacts, QStringLiteral("None"),
            [](const FileImage &image, int) {
                return usedRecordLabels(image, lists::contacts, QStringLiteral("None"));
            }),
    };
}

} // namespace

const FieldTable &gpsColumns()
{
    static const FieldTable table = columns();
    return table;
}

} // namespace codeplug
