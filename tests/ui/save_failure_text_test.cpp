#include "ui/save_failure_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(SaveFailureText, NamesTheFileAndTheReasonInPlainWords) {
    const std::string file = "/home/ана/Помагало_.jpg";
    const std::vector<std::pair<SaveFailure, std::string>> reasons{
        {SaveFailure::NoSuchFolder, "няма такава папка."},
        {SaveFailure::NoPermission, "нямате право да записвате в тази папка."},
        {SaveFailure::ReadOnlyDisk, "дискът е само за четене."},
        {SaveFailure::DiskFull, "дискът е пълен."},
        {SaveFailure::TooLarge, "файлът е по-голям от позволения размер."},
        {SaveFailure::IsFolder, "това име е на папка."},
        {SaveFailure::WriteProtected, "файлът е защитен срещу запис."},
        {SaveFailure::NotOrdinaryFile, "това име не е на обикновен файл."},
        {SaveFailure::NameTooLong, "името е твърде дълго."},
        {SaveFailure::InUse, "файлът е отворен в друга програма."},
        {SaveFailure::Other, "записът не успя."},
    };
    for (const auto& [why, reason] : reasons) {
        EXPECT_EQ(SaveFailureText(file, why),
                  "Файлът „/home/ана/Помагало_.jpg“ не е записан: " + reason);
    }
}

} // namespace
