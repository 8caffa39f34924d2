#pragma once

#include "FileImage.h"
#include "ProtectedLists.h"
#include "Refusal.h"

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>

namespace codeplug {

// Operations that change the shape of the contact list. Rows are record indices (list item i is
// record i); every record that changes its index takes the contact numbers other sections hold
// along with it, and a contact that is still referred to is not deleted.

inline constexpr int kMaxContacts = 1000;
inline constexpr int kNoFreeContact = -2;

// Clipboard format of copied contacts: a 32-bit little-endian count, then the raw 36-byte records.
inline const QString kContactClipboardFormat = QStringLiteral("dmr_code_plug_contact_entry");

enum ContactDeleteResult { ContactDeleted = 0, DeleteRefusedContinue = -1, DeleteRefusedStop = -2 };
enum ContactSwapResult {
    SwapDone = 0,
    SwapNoCodePlug = -2,
    SwapFirstOutOfRange = -3,
    SwapSecondOutOfRange = -4,
    SwapSameIndex = -5,
};

// Fills the first free record with a copy of source (36 bytes) or, without one, a new contact
// named "Contact <number>". Returns its index or kNoFreeContact.
int addContact(FileImage &image, const QByteArray &source = {});
// Adds a new contact and moves it before row `before` (a plain add when that is not a used row).
// Returns the row the new contact stands at, or kNoFreeContact.
int insertContact(FileImage &image, int before);

// Deletes contact `number` (1..1000) unless something refers to it; the refusal message goes to
// `refused`, whose answer decides between DeleteRefusedContinue and DeleteRefusedStop. Later
// contacts move up and every reference above `number` goes down by one. The list never becomes
// empty: deleting the last contact leaves "Contact 1". A number that names no used contact
// deletes nothing and asks nothing (DeleteRefusedContinue).
int deleteContact(FileImage &image, int number, const RefusalHandler &refused);
// The message that refuses deleting contact `number`, or an empty string when nothing refers to it.
QString contactDeleteRefusal(const FileImage &image, int number);

struct ContactDeletion
{
    int deleted = 0;
    bool stopped = false; // a refusal was answered with Cancel
    int selectRow = -1; // the row to select afterwards, -1 when nothing was deleted
};
// Deletes the selected rows in ascending order, skipping protected contacts without a message.
ContactDeletion deleteContacts(
    FileImage &image, const QList<int> &rows, const ProtectedIdList &protectedIds, const RefusalHandler &refused);

// Moves the contact at row `from` by delta places (positive: towards the top), within the used
// rows. Returns its new row.
int moveContact(FileImage &image, int from, int delta);
// Moves the selected rows as one block that keeps its shape and stops at the top or bottom.
// Returns the rows of the moved selection.
QList<int> moveContacts(FileImage &image, const QList<int> &rows, int delta);

// Exchanges records a and b (0..999) and the references to them; the sort's elementary step.
int swapContacts(FileImage &image, int a, int b);

// Protected contacts to the front, each group in its previous order.
void protectedContactsToFront(FileImage &image, const ProtectedIdList &protectedIds);

enum class ContactSortKey { Name, Id, Type, RxTone };
// The sort of a column title ("Name", "ID", "Type", "Rx Tone"); none for the other columns.
std::optional<ContactSortKey> contactSortKeyForColumn(const QString &title);
// Protected contacts first, then the others in the order of an exchange sort by the key, in which
// equal keys never change places. References follow their contacts.
void sortContacts(FileImage &image, ContactSortKey key, const ProtectedIdList &protectedIds);

// The clipboard block for the given rows, in list order.
QByteArray copyContacts(const FileImage &image, const QList<int> &rows);
// Selected row k receives clipboard record k modulo the record count. A clipboard record without a
// name is not pasted. Returns the number of records written.
int pasteContactsOver(FileImage &image, const QList<int> &rows, const QByteArray &block);

struct ContactPaste
{
    int first = -1; // row of the first pasted contact
    int count = 0;
};
// Appends the clipboard's named records while free records remain.
ContactPaste pasteNewContacts(FileImage &image, const QByteArray &block);

} // namespace codeplug
