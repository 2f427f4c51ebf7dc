// A whole file written so that a failure never leaves half of it nor spoils the file that was
// there: the content goes to a temporary file beside the target, which replaces the target only
// once complete and on disk.
#pragma once

#include <QString>
#include <functional>

namespace quorvel::print {

// `write` fills the temporary file named to it and returns its error text, or empty. The error
// text of the whole, naming `path` rather than the temporary file, or empty on success.
QString writeWholeFile(const QString& path, const std::function<QString(const QString& temporary)>& write);

}  // namespace quorvel::print
