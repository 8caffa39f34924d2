#pragma once

#include "FileImage.h"
#include "ProtectedLists.h"

#include <optional>

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

namespace codeplug {

// Contact list files: a sectioned key=value file (.txt) and a comma-separated file (.csv), both
// 8-bit text with CR LF line ends. Import merges by DMR ID and appends the others.

enum class ContactFileFormat { Txt, Csv };

// The format named by the trimmed file name's last four characters, in any case.
std::optional<ContactFileFormat> contactFileFormat(const QString &fileName);

enum ContactExportCode {
    ContactsExported = 0,
    ExportNoCodePlug = -1,
    ExportNameTooShort = -2,
    ExportUnknownFormat = -3,
    ExportCannotCreate = -4,
    ExportWriteFailed = -5,
};
enum ContactImportCode { ImportNoCodePlug = -1, ImportNameTooShort = -2, ImportCannotOpen = -3 };

inline const QString kContactFileCaption = QStringLiteral("Error");
inline const QString kContactListFullMessage
    = QStringLiteral("The contact list is full ..\n\nNot every contact in the file was imported");

// Result of an export or import: a negative code on failure; for an import the number of contacts
// added or updated. A non-empty message is shown with kContactFileCaption, also after a successful
// import that had to leave contacts out. `skippedLines` are the numbers of the lines an import could
// not read (for a .txt file, the lines that open a block it dropped).
struct ContactFileResult
{
    int code = 0;
    QString message;
    QList<int> skippedLines;
    int added = 0; // of an import: code = added + updated
    int updated = 0;

    bool ok() const { return code >= 0; }
    // What an import did, in the words the editor and the command-line tool report it.
    QString summary() const { return QStringLiteral("%1 contacts added, %2 updated").arg(added).arg(updated); }
};

// The whole file content of every used contact, byte for byte.
QByteArray contactsFileContent(const FileImage &image, ContactFileFormat format);

// Writes the file atomically; a failed write leaves no partial file behind.
ContactFileResult exportContacts(const FileImage &image, const QString &fileName);

// Reads the contacts of an open device and merges them into the image. Contacts whose DMR ID is
// protected are left as they are.
ContactFileResult importContacts(
    FileImage &image, QIODevice &device, ContactFileFormat format, const ProtectedIdList &protectedIds);
ContactFileResult importContacts(FileImage &image, const QString &fileName, const ProtectedIdList &protectedIds);

} // namespace codeplug
