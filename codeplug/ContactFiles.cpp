#include "ContactFiles.h"

#include "ContactList.h"
#include "ContactRecord.h"
#include "CsvFields.h"
#include "NameCodec.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace codeplug {

namespace {

ContactFileResult outcome(int code, const QString &message = {})
{
    ContactFileResult result;
    result.code = code;
    result.message = message;
    return result;
}

constexpr int kMinFileNameLength = 5;
constexpr int kMaxLineBytes = 255;
// Every character the reader splits a plain line at.
constexpr QStringView kCsvSeparators = u",|:;";

QByteArray crlf(const QString &text)
{
    return text.toLatin1() + "\r\n";
}

bool hasDigit(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

// Callsign and first name of a personal contact, callsign first whichever order the name has. The
// name is turned round only when its second word holds a digit (a callsign) and its first does not:
// so the import of the export gives a name that starts with that callsign and stays as it is, where
// a name of two callsigns or of more words would change again on every export and import.
std::pair<QString, QString> csvTexts(std::uint32_t id, const QString &name)
{
    const qsizetype space = name.indexOf(QLatin1Char(' '));
    if (id < contact::kPrivateIdThreshold || space < 0)
        return { name, QStringLiteral("-") };
    const QString first = name.left(space).trimmed();
    const QString rest = name.mid(space).trimmed();
    const bool turn = hasDigit(rest.section(QLatin1Char(' '), 0, 0)) && !hasDigit(first);
    return turn ? std::pair { rest, first } : std::pair { first, rest };
}

QByteArray txtContent(const FileImage &image)
{
    const int used = contactCount(image);
    QByteArray text = crlf(QStringLiteral("[CONTACTS]")) + crlf(QStringLiteral("count=%1").arg(used));
    int k = 0;
    for (int row = 0; row < kMaxContacts; ++row) {
        if (!isContactUsed(image, row))
            continue;
        text += crlf(QStringLiteral("[Contact%1]").arg(++k));
        text += crlf(QStringLiteral("0=") + contactName(image, row));
        text += crlf(QStringLiteral("1=%1").arg(contactCallType(image, row)));
        text += crlf(QStringLiteral("2=%1").arg(contactId(image, row)));
        text += crlf(QStringLiteral("3=%1").arg(contactRxTone(image, row) ? 1 : 0));
    }
    return text;
}

QByteArray csvContent(const FileImage &image)
{
    QByteArray text = crlf(QStringLiteral("contacts"));
    for (int row = 0; row < kMaxContacts; ++row) {
        if (!isContactUsed(image, row))
            continue;
        const std::uint32_t id = contactId(image, row);
        const auto [first, second] = csvTexts(id, contactName(image, row));
        text += crlf(QStringLiteral("%1,%2,%3")
                         .arg(QString::number(id), quotedCsvField(first, kCsvSeparators),
                             quotedCsvField(second, kCsvSeparators)));
    }
    return text;
}

} // namespace

std::optional<ContactFileFormat> contactFileFormat(const QString &fileName)
{
    const QString extension = fileName.trimmed().right(4).toUpper();
    if (extension == QLatin1String(".TXT"))
        return ContactFileFormat::Txt;
    if (extension == QLatin1String(".CSV"))
        return ContactFileFormat::Csv;
    return std::nullopt;
}

QByteArray contactsFileContent(const FileImage &image, ContactFileFormat format)
{
    return format == ContactFileFormat::Txt ? txtContent(image) : csvContent(image);
}

ContactFileResult exportContacts(const FileImage &image, const QString &fileName)
{
    const QString name = fileName.trimmed();
    if (name.size() < kMinFileNameLength)
        return outcome(ExportNameTooShort);
    const auto format = contactFileFormat(name);
    if (!format)
        return outcome(ExportUnknownFormat,
            QStringLiteral("Don't know what format you want them exporting too (only .txt or .csv)"));
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return outcome(ExportCannotCreate, QStringLiteral("Could not create the file"));
    const QByteArray content = contactsFileContent(image, *format);
    if (file.write(content) != content.size() || !file.commit()) {
        file.cancelWriting();
        return outcome(ExportWriteFailed, QStringLiteral("Could not write to the file"));
    }
    return outcome(ContactsExported);
}

namespace {

struct ImportedContact
{
    std::uint32_t id = 0;
    QString name;
    int callType = GroupCall;
    bool rxTone = false;
};

// Reads text lines of at most 255 bytes, ended by CR, LF or CR LF. A line is cut at its first
// byte outside 32..127 and trimmed; empty lines are skipped.
class LineReader
{
public:
    explicit LineReader(QIODevice &device)
        : m_device(device)
    {
    }

    bool next(QString &line)
    {
        QByteArray raw;
        while (readRaw(raw)) {
            ++m_lineNumber;
            const qsizetype cut = std::find_if(raw.cbegin(), raw.cend(), [](char c) {
                return uchar(c) < 32 || uchar(c) >= 128;
            }) - raw.cbegin();
            line = QString::fromLatin1(raw.left(cut)).trimmed();
            if (!line.isEmpty())
                return true;
        }
        return false;
    }
    // The number of the line `next` returned last, counting from 1.
    int lineNumber() const { return m_lineNumber; }

private:
    // The bytes of one line up to its end; the part of a longer line beyond 255 bytes is dropped
    // rather than read as a line of its own.
    bool readRaw(QByteArray &raw)
    {
        raw.clear();
        char c = 0;
        bool any = false;
        while (m_device.getChar(&c)) {
            any = true;
            if (c == '\n')
                return true;
            if (c == '\r') {
                char following = 0;
                if (m_device.peek(&following, 1) == 1 && following == '\n')
                    m_device.getChar(&following);
                return true;
            }
            if (raw.size() < kMaxLineBytes)
                raw.append(c);
        }
        return any;
    }

    QIODevice &m_device;
    int m_lineNumber = 0;
};

bool parseInt(const QString &text, qint64 low, qint64 high, qint64 &value)
{
    bool ok = false;
    value = text.trimmed().toLongLong(&ok);
    return ok && value >= low && value <= high;
}

bool parseId(const QString &text, std::uint32_t &id)
{
    qint64 value = 0;
    if (!parseInt(text, 0, contact::kMaxId, value))
        return false;
    id = std::uint32_t(value);
    return true;
}

int csvCallType(std::uint32_t id)
{
    return id < contact::kPrivateIdThreshold ? GroupCall : PrivateCall;
}

// The inside of a text enclosed in double quotes, trimmed; none when it is not enclosed.
std::optional<QString> unquoted(const QString &text, int minLength)
{
    if (text.size() < minLength || !text.startsWith(QLatin1Char('"')) || !text.endsWith(QLatin1Char('"')))
        return std::nullopt;
    return text.mid(1, text.size() - 2).trimmed();
}

class TxtReader
{
public:
    explicit TxtReader(QIODevice &device)
        : m_lines(device)
    {
    }

    // The "[CONTACTS]" line followed by "COUNT=" and a count of at least 1.
    bool readHeader()
    {
        QString line;
        if (!m_lines.next(line) || line.toUpper() != QLatin1String("[CONTACTS]"))
            return false;
        qint64 count = 0;
        return m_lines.next(line) && line.toUpper().startsWith(QLatin1String("COUNT="))
            && parseInt(line.mid(6), 1, std::numeric_limits<int>::max(), count);
    }

    std::optional<ImportedContact> next()
    {
        QString line;
        while (take(line)) {
            if (!isBlockHeader(line))
                continue;
            const int blockLine = m_takenLine;
            ImportedContact contact;
            if (readBlock(contact))
                return contact;
            m_skipped.append(blockLine);
        }
        return std::nullopt;
    }
    const QList<int> &skippedLines() const { return m_skipped; }

private:
    static bool isBlockHeader(const QString &line)
    {
        bool ok = false;
        if (line.size() < 9 || line.left(8).toUpper() != QLatin1String("[CONTACT") || !line.endsWith(QLatin1Char(']')))
            return false;
        line.mid(8, line.size() - 9).trimmed().toInt(&ok);
        return ok;
    }

    bool take(QString &line)
    {
        if (!m_pending.isEmpty()) {
            line = std::exchange(m_pending, QString());
            m_takenLine = m_pendingLine;
            return true;
        }
        const bool taken = m_lines.next(line);
        m_takenLine = m_lines.lineNumber();
        return taken;
    }

    // The value after `key` on the next line; a line that does not match drops the block, and
    // when that line opens a block itself it is looked at again.
    std::optional<QString> field(const char *key)
    {
        QString line;
        if (!m_lines.next(line))
            return std::nullopt;
        if (line.startsWith(QLatin1String(key)))
            return line.mid(2).trimmed();
        if (isBlockHeader(line)) {
            m_pending = line;
            m_pendingLine = m_lines.lineNumber();
        }
        return std::nullopt;
    }

    bool readBlock(ImportedContact &contact)
    {
        qint64 type = 0;
        qint64 tone = 0;
        const auto name = field("0=");
        if (!name || name->isEmpty())
            return false;
        const auto typeText = field("1=");
        if (!typeText || !parseInt(*typeText, GroupCall, PcCall, type))
            return false;
        const auto idText = field("2=");
        if (!idText || !parseId(*idText, contact.id))
            return false;
        const auto toneText = field("3=");
        if (!toneText || !parseInt(*toneText, 0, 1, tone))
            return false;
        contact.name = *name;
        contact.callType = int(type);
        contact.rxTone = tone == 1;
        return true;
    }

    LineReader m_lines;
    QString m_pending;
    int m_pendingLine = 0;
    int m_takenLine = 0;
    QList<int> m_skipped;
};

class CsvReader
{
public:
    explicit CsvReader(QIODevice &device)
        : m_lines(device)
    {
    }

    std::optional<ImportedContact> next()
    {
        QString line;
        while (m_lines.next(line)) {
            if (line.compare(QLatin1String("contacts"), Qt::CaseInsensitive) == 0)
                continue;
            std::optional<ImportedContact> contact;
            if (line.startsWith(QLatin1Char('"')))
                contact = quotedLine(line);
            else if (line.at(0).isDigit())
                contact = plainLine(line);
            if (contact)
                return contact;
            m_skipped.append(m_lines.lineNumber());
        }
        return std::nullopt;
    }
    const QList<int> &skippedLines() const { return m_skipped; }

private:
    // Splits at the first "," or, when there is none, the first "|".
    static bool splitAt(const QString &text, QString &head, QString &rest)
    {
        qsizetype at = text.indexOf(QLatin1Char(','));
        if (at < 0)
            at = text.indexOf(QLatin1Char('|'));
        if (at < 0)
            return false;
        head = text.left(at).trimmed();
        rest = text.mid(at + 1);
        return true;
    }

    // "ID","name",x,y; an empty pair of quotes is an empty name, stored as "-".
    static std::optional<ImportedContact> quotedLine(const QString &line)
    {
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        QString nameField, third, rest;
        if (comma < 0 || !splitAt(line.mid(comma + 1), nameField, rest) || !splitAt(rest, third, rest))
            return std::nullopt;
        const auto idText = unquoted(line.left(comma).trimmed(), 3);
        const auto name = unquoted(nameField, 2);
        ImportedContact contact;
        if (!idText || !name || !parseId(*idText, contact.id))
            return std::nullopt;
        contact.name = name->isEmpty() ? QStringLiteral("-") : *name;
        contact.callType = csvCallType(contact.id);
        return contact;
    }

    // Up to three fields separated by ",", "|", ":" or ";"; anything after a third separator is ignored.
    static QList<CsvField> plainFields(const QString &line)
    {
        QList<CsvField> fields = splitCsvFields(line, kCsvSeparators).mid(0, 3);
        for (CsvField &field : fields)
            field.text = field.text.trimmed();
        return fields;
    }

    // ID, name and, for a personal ID, a first name that joins the name after a space.
    static std::optional<ImportedContact> plainLine(const QString &line)
    {
        const QList<CsvField> fields = plainFields(line);
        ImportedContact contact;
        if (fields.size() < 2 || fields[0].text.isEmpty() || fields[1].text.isEmpty()
            || !parseId(fields[0].text, contact.id))
            return std::nullopt;
        contact.name = fields[1].text;
        if (contact.id >= contact::kPrivateIdThreshold && fields.size() == 3 && !fields[2].text.isEmpty()) {
            // A first name in plain quotes loses them; one read as quoted text is already unquoted
            // and keeps the quotes it holds.
            const QString &third = fields[2].text;
            const QString extra = fields[2].quoted ? third : unquoted(third, 2).value_or(third);
            // One blank between the words, as the next export's split at the first blank leaves them:
            // otherwise a run of blanks would move with every export and import.
            if (!extra.isEmpty() && extra != QLatin1String("-"))
                contact.name = (contact.name + QLatin1Char(' ') + extra).simplified();
        }
        contact.callType = csvCallType(contact.id);
        return contact;
    }

    LineReader m_lines;
    QList<int> m_skipped;
};

// Trimmed after the cut, as an export writes it, so that export + import changes nothing.
ContactMerger::Outcome storeImported(ContactMerger &merger, const ImportedContact &contact)
{
    const QString name = trimControl(contact.name.left(codeplug::contact::kMaxNameLength));
    return merger.store(contact.id, contact.callType, contact.rxTone, name);
}

template <typename Reader> ContactFileResult mergeAll(Reader &reader, ContactMerger &merger)
{
    ContactFileResult result;
    while (!merger.full()) {
        const auto contact = reader.next();
        if (!contact) {
            result.skippedLines = reader.skippedLines();
            return result;
        }
        switch (storeImported(merger, *contact)) {
        case ContactMerger::Added:
            ++result.added;
            break;
        case ContactMerger::Updated:
            ++result.updated;
            break;
        case ContactMerger::Left:
            break;
        }
        result.code = result.added + result.updated;
    }
    if (reader.next())
        result.message = kContactListFullMessage;
    result.skippedLines = reader.skippedLines();
    return result;
}

} // namespace

ContactFileResult importContacts(
    FileImage &image, QIODevice &device, ContactFileFormat format, const ProtectedIdList &protectedIds)
{
    ContactMerger merger(image, protectedIds);
    if (format == ContactFileFormat::Csv) {
        CsvReader reader(device);
        return mergeAll(reader, merger);
    }
    TxtReader reader(device);
    if (!reader.readHeader())
        return {};
    return mergeAll(reader, merger);
}

ContactFileResult importContacts(FileImage &image, const QString &fileName, const ProtectedIdList &protectedIds)
{
    const QString name = fileName.trimmed();
    if (name.size() < kMinFileNameLength)
        return outcome(ImportNameTooShort);
    const auto format = contactFileFormat(name);
    if (!format)
        return outcome(ImportCannotOpen,
            QStringLiteral("Don't know what format you want them importing from (only .txt or .csv)"));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return outcome(ImportCannotOpen, QStringLiteral("Could not open the file"));
    return importContacts(image, file, *format, protectedIds);
}

} // namespace codeplug
