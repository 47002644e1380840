// Replacing a whole file without losing the user's bytes or what the user had
// set on the file. This is the one rule for every file Velloran writes:
//
// - Symbolic links are followed: the file a link names is written and the
//   link stays (a dangling link creates the file it names).
// - An existing target must be a regular file that the user may write: the
//   effective user passes access(W_OK) and the mode keeps at least one write
//   bit. Root passes every access check, so for root too a file without any
//   write bit (chmod a-w) is read-only. Otherwise the save fails and the file
//   is as it was.
// - Usually a temporary file beside the target receives the bytes, the
//   target's owner and group when the system allows it (else the setuid and
//   setgid bits are dropped), its permission bits and its extended attributes
//   (those the file system or the user's rights refuse are left out); it is
//   synced and renamed over the target.
// - A file with several hard links, or in a folder the user may not write, is
//   written in place so that every name sees the new text: a backup copy is
//   made first (beside it, or in the temporary folder when its own folder is
//   read-only) and copied back when the write fails.
// - Temporaries are named ".<name>.velloran-tmp-<pid>-<n>" and locked while
//   in use. The first save into a folder in a process removes the folder's
//   temporaries that are ours (our user, our name pattern) whose process is
//   gone and whose lock is free; it never touches any other file. A backup copy left by a crash in the middle of an
//   in-place write (".<name>.velloran-backup-<pid>-<n>") holds the only good
//   copy of the old text and is never removed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <sys/stat.h>

// Takes the next piece of the new content; false when it could not be
// written (the save then fails).
using FilePieceWriter = std::function<bool(std::string_view piece)>;
// Writes the whole new content through the piece writer, in order, in as many
// pieces as it likes; false abandons the save. It must not read the target
// itself: an in-place write has already emptied it.
using FileProducer = std::function<bool(const FilePieceWriter& write)>;

// True when the whole content is in place and synced; false leaves an
// existing target as it was and no temporary behind.
bool ReplaceFile(const std::string& path, const FileProducer& produce);
bool ReplaceFile(const std::string& path, std::string_view bytes);

// Copies `length` bytes from `offset` of the target's old content into the
// new content; false when they could not all be copied (the save then fails).
using OldContentCopier = std::function<bool(uint64_t offset, uint64_t length)>;
// Empties the new content so that it is written again from its start; false
// when it could not be (the save then fails).
using NewContentRestarter = std::function<bool()>;
// Writes the new content from new pieces and stretches of the old content.
// old is the target's stat when the save began, null for a new file;
// oldContent a descriptor for reading what it held then (the target itself,
// or its backup copy when the target is written in place), -1 when it could
// not be opened. The copier does not use or move the descriptor's offset, so
// another thread may read through it meanwhile; the writer, the copier and
// the restarter are called one at a time.
using FileEditor = std::function<bool(int oldContent, const struct stat* old, const FilePieceWriter& write,
                                      const OldContentCopier& copyOld, const NewContentRestarter& startOver)>;

// ReplaceFile for a content that keeps stretches of the old one: they are
// copied inside the system, not through memory. The same rules, the same
// result.
bool EditFile(const std::string& path, const FileEditor& edit);

// Reads `count` bytes into `into`, fewer only where the file ends; got says
// how many, also after a read error, which returns false.
bool ReadUpTo(int fd, char* into, size_t count, size_t& got);

// The folder part of a path: "." for a bare name, "/" for a name at the root.
std::string FolderOf(const std::string& path);

// Opens a regular file for reading without blocking on a FIFO or a device:
// anything that is not a regular file fails at once (errno EINVAL). The file
// descriptor, or -1 (errno ENOENT for a missing file).
int OpenRegularFile(const char* path);
