#include "ContactRows.h"

#include "ContactList.h"
#include "ContactRecord.h"
#include "NameCodec.h"

namespace codeplug {

QString yesNoText(bool on, bool showNo)
{
    if (on)
        return QStringLiteral("Yes");
    return showNo ? QStringLiteral("No") : QString();
}

QStringList contactCellTexts(const FileImage &image, int row, const ProtectedIdList &protectedIds, bool showNo)
{
    const std::uint32_t id = contactId(image, row);
    return {
        QString::number(row + 1),
        contactName(image, row),
        QString::number(id),
        callTypeText(contactCallType(image, row)),
        yesNoText(contactRxTone(image, row), showNo),
        yesNoText(protectedIds.contains(id), showNo),
    };
}

QList<int> findContacts(const FileImage &image, const QString &text, const ProtectedIdList &protectedIds, bool showNo)
{
    QList<int> rows;
    const QString key = trimControl(text).toLower();
    if (key.isEmpty())
        return rows;
    for (int row = 0; row < kMaxContacts && isContactUsed(image, row); ++row) {
        const QStringList cells = contactCellTexts(image, row, protectedIds, showNo);
        const bool match = std::any_of(cells.cbegin(), cells.cend(),
            [&](const QString &cell) { return trimControl(cell).toLower().contains(key); });
        if (match)
            rows.append(row);
    }
    return rows;
}

} // namespace codeplug
