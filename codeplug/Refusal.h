#pragma once

#include <functional>

#include <QString>

namespace codeplug {

// Asked when a deletion is refused because the record is still referred to. Returning true goes
// on with the next record of the selection (the OK answer); false stops the walk (Cancel).
using RefusalHandler = std::function<bool(const QString &message)>;

} // namespace codeplug
