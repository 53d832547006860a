#include "batch/row_shape.h"

#include "batch/two_languages.h"

#include <algorithm>

namespace {

bool IsDigits(const std::string& text, bool signAllowed) {
    std::string_view digits = text;
    if (signAllowed && (digits.starts_with('-') || digits.starts_with('+'))) {
        digits.remove_prefix(1);
    }
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "20,5" read as the two cells "20" and "5".
bool LooksLikeSplitNumbers(const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        if (IsDigits(fields[i], true) && IsDigits(fields[i + 1], false)) {
            return true;
        }
    }
    return false;
}

std::string CountText(std::size_t cells, std::size_t headerWidth, MessageLanguage language) {
    std::string text(TextIn(language, "редът има ", "the row has "));
    text += std::to_string(cells);
    text += TextIn(language, " клетки, заглавният ред ", " cells, the header ");
    text += std::to_string(headerWidth);
    return text;
}

} // namespace

std::string RowShapeProblem(std::vector<std::string>& fields, std::size_t headerWidth,
                            RecordFault fault, char delimiter, MessageLanguage language) {
    if (fault == RecordFault::UnclosedQuote) {
        return std::string(
            TextIn(language, "поле в кавички не е затворено", "a quoted field is not closed"));
    }
    if (fault == RecordFault::TextAfterQuote) {
        return std::string(TextIn(language, "текст след затварящите кавички на поле",
                                  "text after the closing quote of a field"));
    }
    while (fields.size() > headerWidth && fields.back().empty()) {
        fields.pop_back();
    }
    if (fields.size() == headerWidth) {
        return {};
    }
    std::string text = CountText(fields.size(), headerWidth, language);
    if (fields.size() > headerWidth && delimiter == ',' && LooksLikeSplitNumbers(fields)) {
        text += TextIn(language,
                       "; десетичната запетая раздели числото: запишете файла с ; или "
                       "използвайте точка",
                       "; a decimal comma split a number: save the file with ; or use a point");
    }
    return text;
}
