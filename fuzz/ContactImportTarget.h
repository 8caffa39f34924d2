#pragma once

#include "ContactFiles.h"

#include <cstddef>
#include <cstdint>

namespace fuzzing {

// Contact import of the input in the given format into a prepared code plug, then export + import
// of the result in the same format.
int fuzzContactImport(const std::uint8_t *data, std::size_t size, codeplug::ContactFileFormat format);

} // namespace fuzzing
