// What ReplacementFile (replacement_file.cpp) asks of the platform (posix/, windows/): a
// look at the target and the calls that create, flush, move and remove files. Errors are
// errno values, the platform's own codes mapped to them, so that FailureOfError reads one
// set. Only ReplacementFile's own files include this header.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace replacement {

enum class TargetKind { Missing, OrdinaryFile, Folder, Other };

// What stands under a name, symbolic links (or junctions) followed to the file they name:
// the link stays a link and that file is written, in its own folder.
struct Target {
    std::string path;   // the name finally written
    std::string folder; // where its temporary file goes
    TargetKind kind = TargetKind::Missing;
    int writeError = 0; // why this user may not write the file that is there, 0 when he may
    int error = 0;      // why the name could not be looked at, 0 when it could
};
Target LookAt(std::string_view path);

struct OpenedFile {
    int descriptor = -1; // a C runtime descriptor, -1 when nothing was opened
    std::string path;    // the name of a file that was created
    int error = 0;
    bool ordinary = true; // false when the name turned out not to be an ordinary file's
};
// A new file in the target's folder, named prefix and six random characters.
OpenedFile CreateBeside(const Target& target, std::string_view prefix);
// Gives the new file the permissions the target has, or those of any new file, as far as
// this user may; an error when not even that could be done.
int TakeOverPermissions(int descriptor, const Target& target);
// The target itself for writing, emptied.
OpenedFile OpenInPlace(const Target& target);

// The error of a write that a flush of the stream met (0 when the stream told it itself).
int FlushError();
// Until the bytes are on the disk.
int FlushToDisk(int descriptor);
// Closes the stream and the descriptor under it.
int CloseStream(std::FILE* stream);
void CloseDescriptor(int descriptor);
void Empty(int descriptor);
// Puts the temporary file in the target's place, the target's attributes kept.
int MoveOver(const std::string& temporary, const std::string& target);
void Remove(const std::string& path);

// The errno FailureOfError reads for an error of this platform's, where it has several
// for one failure.
int PortableError(int error);

} // namespace replacement
