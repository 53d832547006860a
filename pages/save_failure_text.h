// What the user is told when a page could not be saved.
#pragma once

#include "pages/picture_store.h"

#include <string>
#include <string_view>

// "Файлът „<path>“ не е записан: <reason>." with the reason in plain words.
std::string SaveFailureText(std::string_view path, SaveFailure why);
