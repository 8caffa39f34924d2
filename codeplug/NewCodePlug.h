#pragma once

#include "FileImage.h"

#include <cstdint>

namespace codeplug {

// CRC-32 of the DFU suffix: reflected polynomial 0xEDB88320, initial value all ones, no final
// inversion, over every byte of the file before the CRC field.
std::uint32_t dfuSuffixCrc(const FileImage &image);
void updateDfuSuffixCrc(FileImage &image);

// A complete container holding a fresh code plug: every list with the one record it keeps when
// its last record is deleted, every other record empty, passwords unset, the chosen model and band,
// and every settings drop-down on an entry it offers.
// Band 0..3 and model 0..2; other values are clamped into range.
FileImage makeNewCodePlug(int band, int model);

} // namespace codeplug
