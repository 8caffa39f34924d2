#pragma once

#include "FileImage.h"
#include "Layout.h"

#include <cstddef>
#include <cstdint>

#include <QByteArray>

// Shared pieces of the fuzz targets: the invariant check, the prepared images the inputs are read
// into, and the checks on lists and sections.
namespace fuzzing {

// Prints what broke and aborts, so that the fuzzer keeps the input as a finding.
void require(bool ok, const char *what);

QByteArray bytesOf(const std::uint8_t *data, std::size_t size);

// A valid code plug whose lists hold gaps, members with holes and an empty tail record that differs
// from the empty form, so that the load-time compaction has work on every list.
const codeplug::FileImage &imageWithGaps();
// A compacted code plug with a few channels and contacts in the form an import writes them.
const codeplug::FileImage &importImage();

// Whether a record is used, read straight from the bytes: the checks stay cheap and out of the
// code under test.
bool isUsed(const codeplug::FileImage &image, const codeplug::ListLayout &list, int index);
// The number of used records when they stand contiguous at the front of the list, else -1.
int contiguousCount(const codeplug::FileImage &image, const codeplug::ListLayout &list);
// Whole-record extent of a list in the image.
int listBytes(const codeplug::ListLayout &list);
// True when the images differ nowhere outside [offset, offset + length).
bool sameOutside(const codeplug::FileImage &a, const codeplug::FileImage &b, int offset, int length);

} // namespace fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
