// Ids are named by scoped enums where they are declared (ui/program_ids.h, the image ids
// of pages/embedded_pictures.h); the toolkit and the picture store count in plain ints.
// Id converts at the call, so that no cast stands in the program's code.
#pragma once

#include <type_traits>

template <typename Name>
requires std::is_enum_v<Name>
constexpr int Id(Name name) {
    return static_cast<int>(name);
}
