// The program speaks Bulgarian, and English when the user asks for it with --lang en.
#pragma once

#include "batch/row_messages.h"

#include <string_view>

constexpr std::string_view TextIn(MessageLanguage language, std::string_view bulgarian,
                                  std::string_view english) {
    return language == MessageLanguage::English ? english : bulgarian;
}
