#include "batch/file_failure_text.h"

#include "batch/two_languages.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace {

using Failure = ReplacementFile::Failure;

std::string_view InUseText(MessageLanguage language) {
    return TextIn(language, "файлът е отворен в друга програма",
                  "the file is open in another program");
}

std::string_view Reason(Failure why, MessageLanguage language) {
    switch (why) {
    case Failure::NoSuchFolder:
        return TextIn(language, "няма такава папка", "no such folder");
    case Failure::NoPermission:
        return TextIn(language, "нямате право да записвате в тази папка",
                      "no permission to write in this folder");
    case Failure::ReadOnlyDisk:
        return TextIn(language, "дискът е само за четене", "the disk is read-only");
    case Failure::DiskFull:
        return TextIn(language, "дискът е пълен", "the disk is full");
    case Failure::TooLarge:
        return TextIn(language, "файлът е по-голям от позволения размер",
                      "the file is larger than allowed");
    case Failure::IsFolder:
        return TextIn(language, "това име е на папка", "the name is a folder's");
    case Failure::WriteProtected:
        return TextIn(language, "файлът е защитен срещу запис", "the file is write-protected");
    case Failure::NotOrdinaryFile:
        return TextIn(language, "това име не е на обикновен файл",
                      "the name is not an ordinary file's");
    case Failure::NameTooLong:
        return TextIn(language, "името е твърде дълго", "the name is too long");
    case Failure::InUse:
        return InUseText(language);
    case Failure::None:
    case Failure::Other:
        break;
    }
    return {};
}

// The system's own words, which come in English only, when there are no better ones.
std::string SystemReason(int error, MessageLanguage language) {
    std::string text(TextIn(language, "системна грешка", "system error"));
    if (error != 0) {
        text += " (";
        text += std::strerror(error);
        text += ")";
    }
    return text;
}

} // namespace

std::string WriteFailureText(Failure why, int error, MessageLanguage language) {
    std::string text(TextIn(language, "не може да се запише: ", "cannot write: "));
    const std::string_view reason = Reason(why, language);
    text += reason.empty() ? SystemReason(error, language) : std::string(reason);
    return text;
}

std::string CreateFailureText(Failure why, int error, MessageLanguage language) {
    if (why != Failure::DiskFull) {
        return WriteFailureText(why, error, language);
    }
    return std::string(TextIn(language, "не може да се запише: няма място за нов файл в папката",
                              "cannot write: no room for a new file in the folder"));
}

std::string OpenFailureText(int error, MessageLanguage language) {
    std::string text(TextIn(language, "не може да се отвори: ", "cannot open: "));
    if (error == ENOENT) {
        text += TextIn(language, "няма такъв файл", "no such file");
    } else if (error == EACCES || error == EPERM) {
        text += TextIn(language, "нямате право да го четете", "no permission to read it");
    } else if (error == EISDIR) {
        text += TextIn(language, "това е папка", "it is a folder");
    } else if (FailureOfError(error) == Failure::InUse) {
        text += InUseText(language);
    } else {
        text += SystemReason(error, language);
    }
    return text;
}

std::string ReadFailureText(int error, MessageLanguage language) {
    std::string text(
        TextIn(language, "входът не може да бъде прочетен", "the input could not be read"));
    if (error == EISDIR) {
        text += TextIn(language, ": това е папка", ": it is a folder");
    } else if (error == EBADF) {
        text += TextIn(language, ": стандартният вход е затворен", ": standard input is closed");
    } else if (error != 0) {
        text += ": ";
        text += SystemReason(error, language);
    }
    return text;
}
