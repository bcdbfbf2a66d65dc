#pragma once

#include <QString>

namespace FileAccess {

// Whether the user may change the file at path. Tried rather than worked out from the mode,
// so that a read-only file system, an ACL or another user's file all answer; opening
// without truncating changes nothing, and a FIFO without a reader does not block.
bool isWritable(const QString &path);

} // namespace FileAccess
