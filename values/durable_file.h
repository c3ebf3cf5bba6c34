#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

// Every file the program writes goes through here: the contents go to a
// temporary file beside the target, each step checked, and only a whole,
// synced file replaces the target. A full disk, a folder that cannot be
// written or a crash leaves the old file as it was.
namespace DurableFile {

// The temporary files are hidden and end so, to be told from the user's.
inline constexpr char temporarySuffix[] = ".calvane-part";

// Writes `contents` to `path`, keeping the old file's permissions. Empty
// when written; otherwise the cause, naming the file, and the old file (if
// any) untouched.
QString write(const QString& path, const QByteArray& contents);

// A hidden name beside `path` for a file another writer (SQLite) makes
// whole before it takes the place of `path` through replaceWith. A crash
// leaves it to removeStaleTemporaries.
QString temporaryNameFor(const QString& path);
// Syncs the finished file `built` and renames it over `path`. Empty when
// done; otherwise the cause, `built` removed and `path` untouched.
QString replaceWith(const QString& built, const QString& path);

// The steps a write can fail at, for tests to make one fail.
enum class Step { Open, Write, Sync, Close, Rename };
// The next write fails at `step` with `error` (a full disk by default), as
// if the system had said so.
void failNextWriteAt(Step step, int error = 28 /* ENOSPC */);

// A temporary file a write left behind (its name; the folder is not read).
bool isTemporary(const QString& fileName);
// Removes the temporary files in `folder` older than `age`: those of a
// write that a crash interrupted, never one being written now. The number
// removed.
int removeStaleTemporaries(const QString& folder, std::chrono::seconds age);

// True when both name one existing file, however named (symlinks, hard
// links, relative paths).
bool sameFile(const QString& a, const QString& b);

} // namespace DurableFile
