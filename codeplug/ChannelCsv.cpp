#include "ChannelCsv.h"

#include "ChannelRecord.h"
#include "CsvFields.h"
#include "Layout.h"
#include "NameCodec.h"
#include "RadioInfo.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

#include <array>
#include <optional>

namespace codeplug {

namespace {

enum class ColumnKind {
    Bits, // a bit field; values outside it keep the default
    Byte, // a whole byte; the low 8 bits of any integer
    Word, // a 16-bit value at an offset; the low 16 bits of any integer
    Frequency, // units of 10 Hz, clamped to the band
};

// Columns 2 to 47 of a line, in file order.
struct CsvColumn
{
    ColumnKind kind;
    ChannelField field; // Bits and Byte
    int offset; // Word and Frequency
    int width;
};

constexpr CsvColumn bits(ChannelField field, int width = 1)
{
    return { ColumnKind::Bits, field, 0, width };
}
constexpr CsvColumn byte(ChannelField field)
{
    return { ColumnKind::Byte, field, 0, 3 };
}
constexpr CsvColumn word(int offset, int width)
{
    return { ColumnKind::Word, {}, offset, width };
}
constexpr CsvColumn frequency(int offset)
{
    return { ColumnKind::Frequency, {}, offset, 8 };
}

constexpr QStringView kSeparators = u",|";

namespace f = channelfields;
namespace o = channeloffsets;

constexpr std::array<CsvColumn, kChannelCsvFields - 1> kColumns = { {
    bits(f::mode),
    frequency(o::rxFrequency),
    frequency(o::txFrequency),
    bits(f::bandwidth),
    bits(f::autoScan),
    bits(f::squelch),
    bits(f::loneWorker),
    bits(f::talkaround),
    bits(f::rxOnly),
    bits(f::repeaterSlot),
    bits(f::colourCode, 2),
    bits(f::privateCallConfirmed),
    bits(f::dataCallConfirmed),
    bits(f::privacyMode),
    bits(f::privacyKey, 2),
    bits(f::emergencyAlarmAck),
    bits(f::compressedUdpHeaderOff),
    bits(f::displayPttIdOff),
    bits(f::reverseBurst),
    bits(f::tailRevertPhase),
    bits(f::vox),
    bits(f::gpsSystem, 2),
    bits(f::admitCriteria),
    bits(f::rxRelFrequency),
    bits(f::txRelFrequency),
    bits(f::txPower),
    byte(f::scanList),
    word(o::contact, 5),
    byte(f::rxGroupList),
    byte(f::emergencySystem),
    byte(f::txTimeout),
    byte(f::rekeyDelay),
    bits(f::decode(1)),
    bits(f::decode(2)),
    bits(f::decode(3)),
    bits(f::decode(4)),
    bits(f::decode(5)),
    bits(f::decode(6)),
    bits(f::decode(7)),
    bits(f::decode(8)),
    byte(f::txSignalling),
    byte(f::rxSignalling),
    word(o::rxTone, 5),
    word(o::txTone, 5),
    bits(f::txGpsInfoOff),
    bits(f::rxGpsInfoOff),
} };

QByteArray exportValue(const FileImage &image, int index, const CsvColumn &column)
{
    switch (column.kind) {
    case ColumnKind::Frequency:
        return QByteArray::number(channelU32(image, index, column.offset), 16).rightJustified(8, '0');
    case ColumnKind::Word:
        return QByteArray::number(channelU16(image, index, column.offset)).rightJustified(column.width, ' ');
    case ColumnKind::Bits:
    case ColumnKind::Byte:
        break;
    }
    return QByteArray::number(channelField(image, index, column.field)).rightJustified(column.width, ' ');
}

QByteArray exportLine(const FileImage &image, int index)
{
    QByteArray line = quotedCsvField(channelName(image, index).leftJustified(16, u' '), kSeparators).toLatin1();
    for (const CsvColumn &column : kColumns)
        line += ',' + exportValue(image, index, column);
    return line + "\r\n";
}

void importValue(FileImage &image, int index, const CsvColumn &column, qint64 value)
{
    switch (column.kind) {
    case ColumnKind::Frequency:
        setChannelU32(image, index, column.offset, frequencyFromUnits(value, bandCode(image)));
        break;
    case ColumnKind::Word:
        setChannelU16(image, index, column.offset, std::uint16_t(value & 0xFFFF));
        break;
    case ColumnKind::Byte:
        setChannelBits(image, index, column.field, int(value & 0xFF));
        break;
    case ColumnKind::Bits:
        if (value >= 0 && value <= (column.field.mask >> column.field.shift))
            setChannelBits(image, index, column.field, int(value));
        break;
    }
}

// Physical lines as a reader with an 8192-byte line buffer sees them: a longer line comes in pieces.
QList<QByteArray> physicalLines(const QByteArray &text)
{
    constexpr qsizetype kBufferSize = 8192;
    QList<QByteArray> lines;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype newline = text.indexOf('\n', pos);
        const qsizetype end = newline < 0 ? text.size() : newline + 1;
        const qsizetype length = std::min(end - pos, kBufferSize - 1);
        lines.append(text.mid(pos, length));
        pos += length;
    }
    return lines;
}

// Ends the line at the first character outside 32..127, keeps one blank of each run, trims.
QString cleanLine(const QByteArray &raw)
{
    QString line;
    for (const char c : raw) {
        const auto code = std::uint8_t(c);
        if (code < 32 || code > 127)
            break;
        if (code == ' ' && line.endsWith(u' '))
            continue;
        line.append(QChar(char16_t(code)));
    }
    return line.trimmed();
}

bool endsWithSeparator(const QString &line)
{
    return line.endsWith(u',') || line.endsWith(u'|');
}

QStringList splitFields(const QString &line)
{
    QStringList fields = splitCsvLine(line, kSeparators);
    fields.removeAll(QString());
    return fields;
}

QString headerError(const QString &header)
{
    const qsizetype fields = splitFields(header).size();
    if (fields <= kChannelCsvFields && endsWithSeparator(header))
        return QStringLiteral("Incorrect header line ..\n\n");
    if (fields != kChannelCsvFields)
        return QStringLiteral("Invalid header line ..\n\n");
    return {};
}

std::optional<QList<qint64>> parseValues(const QStringList &fields)
{
    QList<qint64> values;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        bool ok = false;
        values.append(fields.at(i).trimmed().toLongLong(&ok));
        if (!ok)
            return std::nullopt;
    }
    return values;
}

QString nameKey(const QString &name)
{
    return trimControl(name).toLower();
}

// Where the channel of a name goes: the used record of that name, else the first empty record.
class NameIndex
{
public:
    explicit NameIndex(const FileImage &image)
        : m_nextEmpty(firstEmptyRecord(image, lists::channels))
    {
        // The first record of a name is the one an import overwrites.
        for (int i = 0; i < lists::channels.count && isRecordUsed(image, lists::channels, i); ++i) {
            const QString key = nameKey(channelName(image, i));
            if (!m_used.contains(key))
                m_used.insert(key, i);
        }
    }
    int used(const QString &key) const { return m_used.value(key, -1); }
    // The used records stand contiguous at the front, so the next empty one follows the last taken.
    int takeEmpty(const QString &key)
    {
        const int index = m_nextEmpty;
        if (index < 0)
            return -1;
        m_used.insert(key, index);
        m_nextEmpty = index + 1 < lists::channels.count ? index + 1 : -1;
        return index;
    }

private:
    QHash<QString, int> m_used;
    int m_nextEmpty = -1;
};

} // namespace

QByteArray channelsCsvText(const FileImage &image)
{
    QByteArray text = QByteArray(kChannelCsvHeader) + "\r\n";
    for (int i = 0; i < lists::channels.count && isRecordUsed(image, lists::channels, i); ++i)
        text += exportLine(image, i);
    return text;
}

ChannelCsvResult exportChannelsCsv(const FileImage &image, const QString &fileName)
{
    if (fileName.isEmpty())
        return { CsvNoFileName, {}, {} };
    // Written to a temporary file first, so that a failed export leaves no half file behind.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return { CsvCannotCreate, { QStringLiteral("Could not create the file ..\n\n") + fileName }, {} };
    const QByteArray text = channelsCsvText(image);
    if (file.write(text) != text.size() || !file.commit()) {
        file.cancelWriting();
        return { CsvCannotWrite, { QStringLiteral("Could not write to the file ..\n\n") + fileName }, {} };
    }
    return {};
}

ChannelCsvResult importChannelsCsvText(
    FileImage &image, const QByteArray &text, const QString &fileName, const ProtectedChannelList &protectedNames)
{
    ChannelCsvResult result;
    bool headerSeen = false;
    int lineNumber = 0;
    int dropped = 0;
    NameIndex names(image);
    for (const QByteArray &raw : physicalLines(text)) {
        ++lineNumber;
        const QString line = cleanLine(raw);
        if (line.isEmpty())
            continue;
        if (!headerSeen) {
            const QString error = headerError(line);
            if (!error.isEmpty())
                return { CsvBadHeader, { error + fileName }, {} };
            headerSeen = true;
            continue;
        }
        const QStringList fields = splitFields(line);
        if (endsWithSeparator(line) || fields.size() != kChannelCsvFields) {
            result.skippedLines.append(lineNumber);
            continue;
        }
        const std::optional<QList<qint64>> values = parseValues(fields);
        if (!values) {
            result.messages.append(QStringLiteral("Error on line %1 ..\n\n%2").arg(lineNumber).arg(line));
            result.skippedLines.append(lineNumber);
            continue;
        }
        const QString name = fields.first().trimmed().left(16);
        // A blank name would be stored as an empty record inside the used ones.
        if (name.isEmpty()) {
            result.skippedLines.append(lineNumber);
            continue;
        }
        const QString key = nameKey(name);
        int index = names.used(key);
        if (index >= 0 && protectedNames.matches(channelName(image, index)))
            continue;
        if (index < 0)
            index = names.takeEmpty(key);
        if (index < 0) {
            ++dropped;
            continue;
        }
        initChannelRecord(image, index, QString());
        for (std::size_t c = 0; c < kColumns.size(); ++c)
            importValue(image, index, kColumns[c], values->at(qsizetype(c)));
        setChannelName(image, index, name);
        ++result.value;
    }
    if (!headerSeen)
        return { CsvBadHeader, { QStringLiteral("Missing header line ..\n\n") + fileName }, {} };
    if (dropped > 0)
        result.messages.append(
            QStringLiteral("The channel list is full ..\n\n%1 channels were not imported").arg(dropped));
    return result;
}

ChannelCsvResult importChannelsCsv(
    FileImage &image, const QString &fileName, const ProtectedChannelList &protectedNames)
{
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return { CsvCannotOpen, { QStringLiteral("Could not open the file ..\n\n") + fileName }, {} };
    return importChannelsCsvText(image, file.readAll(), fileName, protectedNames);
}

} // namespace codeplug
