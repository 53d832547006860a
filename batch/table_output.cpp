#include "batch/table_output.h"

namespace {

// A file name has at most 255 bytes; the prefix, the name and the random part must fit.
constexpr std::size_t LongestNamePart = 200;

} // namespace

std::string TemporaryPrefixFor(std::string_view target) {
    // Windows paths may use either separator; on POSIX a backslash in a name only shortens
    // the prefix.
    std::string_view name = target.substr(target.find_last_of("/\\") + 1);
    if (name.size() > LongestNamePart) {
        std::size_t cut = LongestNamePart;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
            --cut; // never half a UTF-8 character
        }
        name = name.substr(0, cut);
    }
    return ".zorvel-batch-" + std::string(name) + "-";
}
