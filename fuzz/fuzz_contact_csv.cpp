// Contact .csv import; the invariants are shared with the other contact format.
#include "ContactImportTarget.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return fuzzing::fuzzContactImport(data, size, codeplug::ContactFileFormat::Csv);
}
