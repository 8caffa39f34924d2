#pragma once

#include "FileImage.h"
#include "Layout.h"
#include "ProtectedLists.h"
#include "Refusal.h"

#include <cstdint>
#include <optional>

#include <QHash>

#include <QByteArray>
#include <QList>
#include <QString>

namespace codeplug {

// The contact list's own rules on the list engine (RecordList over listdescriptors::contacts).
// Rows are record indices (list item i is record i); every contact number held by one-touch
// entries, number keys, group lists, channels and GPS systems follows its contact, and a contact
// that is still referred to is not deleted.

inline constexpr int kMaxContacts = lists::contacts.count;
inline constexpr int kNoFreeContact = -2;

// Clipboard format of copied contacts: a 32-bit little-endian count, then the raw 36-byte records.
inline const QString kContactClipboardFormat = QStringLiteral("dmr_code_plug_contact_entry");

// Fills the first free record with a new contact named "Contact <number>". Returns its index or
// kNoFreeContact.
int addContact(FileImage &image);
// Adds a new contact and moves it before row `before` (a plain add when that is not a used row).
// Returns the row the new contact stands at, or kNoFreeContact.
int insertContact(FileImage &image, int before);

// Kept for the contacts page; ListResult carries the same: count, stopped, row.
struct ContactDeletion
{
    int deleted = 0;
    bool stopped = false; // a refusal was answered with Cancel
    int selectRow = -1; // the row to select afterwards, -1 when nothing was deleted
};
// Deletes the selected rows, skipping protected contacts without a message. Deleting the last
// contact leaves "Contact 1".
ContactDeletion deleteContacts(
    FileImage &image, const QList<int> &rows, const ProtectedIdList &protectedIds, const RefusalHandler &refused);

// Moves the selected rows as one block that keeps its shape and stops at the top or bottom.
// Returns the rows of the moved selection.
QList<int> moveContacts(FileImage &image, const QList<int> &rows, int delta);

enum class ContactSortKey { Name, Id, Type, RxTone };
// The sort of a column title ("Name", "ID", "Type", "Rx Tone"); none for the other columns.
std::optional<ContactSortKey> contactSortKeyForColumn(const QString &title);
// Protected contacts first, then the others in the order of an exchange sort by the key, in which
// equal keys never change places. References follow their contacts.
void sortContacts(FileImage &image, ContactSortKey key, const ProtectedIdList &protectedIds);

// The clipboard block for the given rows, in the order given.
QByteArray copyContacts(const FileImage &image, const QList<int> &rows);
// Selected row k receives clipboard record k modulo the record count. A clipboard record without a
// name is not pasted. Returns the number of records written.
int pasteContactsOver(FileImage &image, const QList<int> &rows, const QByteArray &block);

// Kept for the contacts page; ListResult carries the same: row, count.
struct ContactPaste
{
    int first = -1; // row of the first pasted contact
    int count = 0;
};
// Appends the clipboard's named records while free records remain.
ContactPaste pasteNewContacts(FileImage &image, const QByteArray &block);

// Stores contacts by DMR ID, as an import and the user database's add do: the first used contact
// with the ID is updated in place (type, tone and name; the ID stays) unless the ID is protected;
// any other ID fills the next free record while there is one.
class ContactMerger final
{
public:
    ContactMerger(FileImage &image, const ProtectedIdList &protectedIds);

    bool full() const { return m_used >= kMaxContacts; }
    enum Outcome { Left, Updated, Added };
    // The name is written as given, cut to 16 characters.
    Outcome store(std::uint32_t id, int callType, bool rxTone, const QString &name);

private:
    FileImage &m_image;
    const ProtectedIdList &m_protected;
    int m_used;
    QHash<std::uint32_t, int> m_rows;
};

} // namespace codeplug
