#pragma once

#include <QString>
#include <QStringList>

namespace orvik {

// Why a stream could not be opened, in words a user understands, from what libmpv logged while
// it tried (each line "prefix: text") and the error code its end-of-file event carried (0 when
// none). Always a sentence; a cause that cannot be told gives a general one.
QString FailureReason(const QStringList& log, int mpvError);

} // namespace orvik
