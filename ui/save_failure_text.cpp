#include "ui/save_failure_text.h"

namespace {

std::string_view ReasonText(SaveFailure why) {
    switch (why) {
    case SaveFailure::NoSuchFolder:
        return "няма такава папка.";
    case SaveFailure::NoPermission:
        return "нямате право да записвате в тази папка.";
    case SaveFailure::ReadOnlyDisk:
        return "дискът е само за четене.";
    case SaveFailure::DiskFull:
        return "дискът е пълен.";
    case SaveFailure::TooLarge:
        return "файлът е по-голям от позволения размер.";
    case SaveFailure::IsFolder:
        return "това име е на папка.";
    case SaveFailure::WriteProtected:
        return "файлът е защитен срещу запис.";
    case SaveFailure::NotOrdinaryFile:
        return "това име не е на обикновен файл.";
    case SaveFailure::NameTooLong:
        return "името е твърде дълго.";
    case SaveFailure::InUse:
        return "файлът е отворен в друга програма.";
    case SaveFailure::None:
    case SaveFailure::Other:
        break;
    }
    return "записът не успя.";
}

} // namespace

std::string SaveFailureText(std::string_view path, SaveFailure why) {
    std::string text = "Файлът „";
    text += path;
    text += "“ не е записан: ";
    text += ReasonText(why);
    return text;
}
