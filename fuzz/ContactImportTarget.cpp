#include "ContactImportTarget.h"

#include "ContactRecord.h"
#include "FuzzSupport.h"

#include <QBuffer>
#include <QSet>

namespace fuzzing {

using namespace codeplug;

namespace {

constexpr std::uint32_t kProtectedId = 3100; // "Protected" in the prepared image

const ProtectedIdList &protectedIds()
{
    static const ProtectedIdList ids = [] {
        ProtectedIdList list;
        list.add(kProtectedId);
        return list;
    }();
    return ids;
}

ContactFileResult importBytes(FileImage &image, const QByteArray &bytes, ContactFileFormat format)
{
    QByteArray content = bytes;
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    return importContacts(image, buffer, format, protectedIds());
}

// The used records' IDs are unique and the protected one still has its record.
void checkIds(const FileImage &image, const FileImage &prepared)
{
    QSet<std::uint32_t> ids;
    const int used = contiguousCount(image, lists::contacts);
    for (int row = 0; row < used; ++row)
        ids.insert(contactId(image, row));
    require(ids.size() == used, "an import never makes two contacts of one ID");
    for (int row = 0; row < contiguousCount(prepared, lists::contacts); ++row) {
        if (contactId(prepared, row) == kProtectedId)
            require(contactRecordBytes(image, row) == contactRecordBytes(prepared, row),
                "a protected contact is left as it was");
    }
}

// The words of a personal contact's name; the CSV format puts callsign and first name in their own
// columns, so their order and the blanks between them may change, and "-" stands for no first name.
QStringList nameWords(const QString &name)
{
    QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.removeAll(QStringLiteral("-"));
    words.sort();
    return words;
}

bool sameContact(const FileImage &a, const FileImage &b, int row, ContactFileFormat format)
{
    if (format == ContactFileFormat::Txt || contactId(a, row) < contact::kPrivateIdThreshold)
        return contactRecordBytes(a, row) == contactRecordBytes(b, row);
    return contactId(a, row) == contactId(b, row) && contactCallType(a, row) == contactCallType(b, row)
        && contactRxTone(a, row) == contactRxTone(b, row)
        && nameWords(contactName(a, row)) == nameWords(contactName(b, row));
}

// Reads the export of `image` into `again`, a copy of it.
void exportAndImport(const FileImage &image, FileImage &again, ContactFileFormat format)
{
    again = image;
    const ContactFileResult reread = importBytes(again, contactsFileContent(image, format), format);
    const int used = contiguousCount(image, lists::contacts);
    require(reread.skippedLines.isEmpty() && reread.message.isEmpty(), "an export reads back without a skip");
    require(used == 0 || reread.code == used - 1, "an export reads back every unprotected contact");
    require(contiguousCount(again, lists::contacts) == used, "an export reads back without adding contacts");
    for (int row = 0; row < used; ++row)
        require(sameContact(image, again, row, format), "export + import keeps every contact");
}

} // namespace

int fuzzContactImport(const std::uint8_t *data, std::size_t size, ContactFileFormat format)
{
    const FileImage &prepared = importImage();
    static FileImage image;
    static FileImage once;
    static FileImage twice;
    image = prepared;
    const ContactFileResult result = importBytes(image, bytesOf(data, size), format);
    const ListLayout &list = lists::contacts;
    const int used = contiguousCount(image, list);
    require(result.code >= 0, "an import of readable bytes never fails");
    require(used >= 0, "contacts stay contiguous after an import");
    require(sameOutside(image, prepared, list.offset, listBytes(list)), "an import changes only the contacts");
    require(used - contiguousCount(prepared, list) <= result.code, "every added contact is counted");
    checkIds(image, prepared);

    exportAndImport(image, once, format);
    require(format == ContactFileFormat::Csv || once == image, "export + import changes nothing");
    // The CSV format settles the order of a name's words on the first round at the latest.
    exportAndImport(once, twice, format);
    require(twice == once, "a second export + import changes nothing");
    return 0;
}

} // namespace fuzzing
