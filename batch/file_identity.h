// Which file a name or an open stream stands for, whatever the path: a second name, a
// symbolic or a hard link to a file all give that file's identity. An output that would
// land on the logbook being read is known by it before anything is written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

struct FileIdentity {
    std::uint64_t device = 0; // the volume
    std::uint64_t file = 0;   // the file on it

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// Of a regular file; nothing for a folder, a device, a pipe, a name no file has, or a file
// that cannot be looked at.
std::optional<FileIdentity> IdentityOf(const std::string& path);
std::optional<FileIdentity> IdentityOf(std::FILE* stream);
