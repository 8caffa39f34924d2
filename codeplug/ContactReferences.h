#pragma once

#include "FileImage.h"

#include <vector>

#include <QString>

namespace codeplug {

// The places that hold contact numbers: one-touch entries and number keys (Buttons), rx group list
// members, channel contacts and GPS systems. Only values 1..1000 are contact numbers.
enum class ContactReferenceScope {
    MoveAndSwap, // one-touch digital entries, used group lists, used channels, all keys and GPS systems
    Deletion, // every entry of every place
};

// newNumber[r] (r = 1..1000) is the number that references to contact r take; a table of another
// size changes nothing.
void renumberContactReferences(FileImage &image, ContactReferenceScope scope, const std::vector<int> &newNumber);

// The first reference that blocks deleting contact `number`, as the message shown for it; empty
// when nothing blocks. `contactName` fills the message.
QString contactReferenceRefusal(const FileImage &image, int number, const QString &contactName);

} // namespace codeplug
