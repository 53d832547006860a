#include "batch/batch_options.h"

#include "batch/reading_names.h"
#include "batch/two_languages.h"

#include <charconv>

namespace {

std::optional<char> ParseDelimiter(std::string_view text) {
    if (text == "," || text == "comma") {
        return ',';
    }
    if (text == ";" || text == "semicolon") {
        return ';';
    }
    if (text == "\t" || text == "tab" || text == "\\t") {
        return '\t';
    }
    return std::nullopt;
}

std::optional<MessageLanguage> ParseLanguage(std::string_view text) {
    if (text == "bg") {
        return MessageLanguage::Bulgarian;
    }
    if (text == "en") {
        return MessageLanguage::English;
    }
    return std::nullopt;
}

std::optional<DecimalMark> ParseDecimalMark(std::string_view text) {
    if (text == "point" || text == ".") {
        return DecimalMark::Point;
    }
    if (text == "comma" || text == ",") {
        return DecimalMark::Comma;
    }
    return std::nullopt;
}

// A positive whole number of bytes.
std::optional<std::size_t> ParseByteCount(std::string_view text) {
    std::size_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc{} || end != text.data() + text.size() || count == 0) {
        return std::nullopt;
    }
    return count;
}

// Sets the option that takes `value`; false when the value means nothing to it.
bool SetValued(BatchOptions& options, std::string_view name, std::string_view value) {
    ConversionSettings& settings = options.conversion;
    if (name == "-o" || name == "--output") {
        options.output = std::string(value);
        return !value.empty();
    }
    if (name == "--chart") {
        options.chart = std::string(value);
        return !value.empty();
    }
    if (name == "--chart-range") {
        options.chartRange = std::string(value);
        return true;
    }
    if (name == "--unit") {
        settings.unit = ParseUnitName(value);
        return settings.unit.has_value();
    }
    if (name == "--type") {
        settings.type = ParseTypeName(value);
        return settings.type.has_value();
    }
    if (name == "--bulb") {
        const std::optional<BulbChoice> bulb = ParseBulbName(value, true);
        settings.bulb = bulb.value_or(settings.bulb);
        return bulb.has_value();
    }
    if (name == "--delimiter") {
        settings.outputDelimiter = ParseDelimiter(value);
        return settings.outputDelimiter.has_value();
    }
    if (name == "--lang") {
        const std::optional<MessageLanguage> language = ParseLanguage(value);
        settings.language = language.value_or(settings.language);
        return language.has_value();
    }
    if (name == "--encoding") {
        settings.inputEncoding = ParseEncodingName(value);
        return settings.inputEncoding.has_value();
    }
    if (name == "--output-encoding") {
        const std::optional<TextEncoding> encoding = ParseEncodingName(value);
        settings.outputEncoding = encoding.value_or(settings.outputEncoding);
        return encoding.has_value();
    }
    if (name == "--decimal") {
        settings.decimal = ParseDecimalMark(value);
        return settings.decimal.has_value();
    }
    if (name == "--max-row-bytes") {
        const std::optional<std::size_t> bytes = ParseByteCount(value);
        settings.maxRowBytes = bytes.value_or(settings.maxRowBytes);
        return bytes.has_value();
    }
    return false;
}

bool TakesValue(std::string_view name) {
    return name == "-o" || name == "--output" || name == "--chart" || name == "--chart-range" ||
           name == "--unit" || name == "--type" || name == "--bulb" || name == "--delimiter" ||
           name == "--lang" || name == "--encoding" || name == "--output-encoding" ||
           name == "--decimal" || name == "--max-row-bytes";
}

bool IsStandardOutput(const std::optional<std::string>& name) {
    return !name || NamesStandardOutput(*name);
}

// Standard output holds one of the two, and a file cannot be both.
std::optional<std::string> ChartProblem(const BatchOptions& options, MessageLanguage language) {
    if (!options.chart) {
        return std::nullopt;
    }
    if (NamesStandardOutput(*options.chart) && IsStandardOutput(options.output)) {
        return std::string(TextIn(language,
                                  "--chart - иска таблицата във файл (-o ФАЙЛ): стандартният "
                                  "изход е един",
                                  "--chart - needs the table in a file (-o FILE): there is one "
                                  "standard output"));
    }
    if (options.output && *options.chart == *options.output) {
        return std::string(TextIn(language, "--chart и -o назовават един и същ файл",
                                  "--chart and -o name the same file"));
    }
    return std::nullopt;
}

} // namespace

std::variant<BatchOptions, std::string> ParseBatchOptions(const std::vector<std::string>& args) {
    const MessageLanguage language = RequestedLanguage(args);
    BatchOptions options;
    bool inputGiven = false;
    for (std::size_t at = 0; at < args.size(); ++at) {
        std::string_view arg = args[at];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--extended") {
            options.conversion.extended = true;
        } else if (arg.starts_with("-") && arg != "-") {
            std::string_view value;
            const std::size_t equals = arg.find('=');
            if (equals != std::string_view::npos && arg.starts_with("--")) {
                value = arg.substr(equals + 1);
                arg = arg.substr(0, equals);
            } else if (TakesValue(arg) && at + 1 < args.size()) {
                value = args[++at];
            } else if (TakesValue(arg)) {
                return std::string(TextIn(language, "опцията ", "")) + std::string(arg) +
                       std::string(TextIn(language, " иска стойност", " needs a value"));
            }
            if (!TakesValue(arg)) {
                return std::string(TextIn(language, "непозната опция ", "unknown option ")) +
                       std::string(arg);
            }
            if (!SetValued(options, arg, value)) {
                return std::string(TextIn(language, "неприемлива стойност „", "invalid value '")) +
                       std::string(value) + std::string(TextIn(language, "“ за ", "' for ")) +
                       std::string(arg);
            }
        } else if (inputGiven) {
            return std::string(
                TextIn(language, "повече от един входен файл", "more than one input file"));
        } else {
            options.input = std::string(arg);
            inputGiven = true;
        }
    }
    if (const auto problem = ChartProblem(options, language)) {
        return *problem;
    }
    return options;
}

bool NamesStandardOutput(std::string_view name) {
    return name == "-" || name == "/dev/stdout" || name == "/dev/fd/1" || name == "/proc/self/fd/1";
}

MessageLanguage RequestedLanguage(const std::vector<std::string>& args) {
    MessageLanguage language = MessageLanguage::Bulgarian;
    for (std::size_t at = 0; at < args.size(); ++at) {
        const std::string_view arg = args[at];
        const std::optional<MessageLanguage> asked =
            arg.starts_with("--lang=")                ? ParseLanguage(arg.substr(7))
            : arg == "--lang" && at + 1 < args.size() ? ParseLanguage(args[at + 1])
                                                      : std::nullopt;
        language = asked.value_or(language);
    }
    return language;
}

std::string_view BatchUsage(MessageLanguage language) {
    return TextIn(
        language,
        "Употреба: zorvel-batch [ОПЦИЯ]... [ФАЙЛ]\n"
        "Изчислява влажността за всеки ред на дневник с показания на психрометър (CSV).\n"
        "Без ФАЙЛ или когато ФАЙЛ е -, чете стандартния вход.\n"
        "\n"
        "Заглавният ред назовава колоните: tdry/сух, twet/мокър, p/налягане или\n"
        "h/височина, и по желание unit/единица (hPa, mBar, mmHg, m), type/вид\n"
        "(с аспирация, без аспирация, 1, 2) и bulb/термометър (вода, лед). Другите\n"
        "колони се копират непроменени.\n"
        "\n"
        "  -o, --output ФАЙЛ      записва във ФАЙЛ (заменя го само с цялата таблица)\n"
        "      --chart ФАЙЛ.svg   рисува психрометрична диаграма на изчислените редове\n"
        "                         като SVG; - я пише на стандартния изход (с -o)\n"
        "      --chart-range TMIN:TMAX  оста t на диаграмата от TMIN до TMAX °C, за\n"
        "                         диаграми на няколко месеца, сравними с един поглед\n"
        "      --unit ЕДИНИЦА     за редовете без своя: hPa, mBar, mmHg или m\n"
        "      --type ВИД         психрометър за редовете без свой: aspirated\n"
        "                         (с аспирация, подразбира се) или non-aspirated\n"
        "                         (без аспирация)\n"
        "      --bulb water|ice|auto  мокър термометър за редовете без свой: с вода\n"
        "                         (подразбира се), заледен, или auto: заледен при\n"
        "                         показание под 0 °C\n"
        "      --delimiter Р      разделител на изхода: ',', ';' или tab (подразбира се\n"
        "                         този на входа)\n"
        "      --lang bg|en       език на колоната error и на съобщенията\n"
        "                         (подразбира се bg)\n"
        "      --extended         добавя отношение на смесване r, специфична влажност q\n"
        "                         и енталпия h\n"
        "      --encoding К       кодиране на входа: utf-8, windows-1251 или utf-16\n"
        "                         (подразбира се по знака за ред на байтовете и\n"
        "                         заглавния ред)\n"
        "      --output-encoding К  кодиране на изхода (подразбира се utf-8)\n"
        "      --decimal З        десетичен знак на резултатите: point или comma\n"
        "                         (подразбира се този на входа)\n"
        "      --max-row-bytes N  най-дългият приет ред в байтове (1048576)\n"
        "      --help             показва тази помощ и излиза\n"
        "      --version          показва версията и излиза\n"
        "\n"
        "Изходен код: 0 всички редове са изчислени, 2 някои редове носят грешка\n"
        "(или --chart-range е неприемлив, или --chart назовава входа), 1 входът не\n"
        "може да бъде прочетен или таблицата записана.\n",
        "Usage: zorvel-batch [OPTION]... [FILE]\n"
        "Compute the humidity of every reading in a psychrometer logbook (CSV).\n"
        "With no FILE, or when FILE is -, read standard input.\n"
        "\n"
        "The header names the columns: tdry/сух, twet/мокър, p/налягане or h/височина,\n"
        "and optionally unit/единица (hPa, mBar, mmHg, m), type/вид (aspirated,\n"
        "non-aspirated, 1, 2) and bulb/термометър (water, ice). Other columns are\n"
        "copied unchanged.\n"
        "\n"
        "  -o, --output FILE      write to FILE (replaced only when complete)\n"
        "      --chart FILE.svg   draw a psychrometric chart of the computed rows as SVG;\n"
        "                         - writes it to standard output (with -o)\n"
        "      --chart-range TMIN:TMAX  the chart's t axis from TMIN to TMAX °C, for\n"
        "                         charts of several months that compare at a glance\n"
        "      --unit UNIT        unit for rows without one: hPa, mBar, mmHg or m\n"
        "      --type TYPE        psychrometer for rows without one: aspirated or\n"
        "                         non-aspirated (default aspirated)\n"
        "      --bulb water|ice|auto  wet bulb for rows without one: water (default),\n"
        "                         ice, or auto: ice when it reads below 0 °C\n"
        "      --delimiter D      output delimiter: ',', ';' or tab (default the input's)\n"
        "      --lang bg|en       language of the error column and messages (default bg)\n"
        "      --extended         add mixing ratio r, specific humidity q, enthalpy h\n"
        "      --encoding E       input encoding: utf-8, windows-1251 or utf-16 (default\n"
        "                         told by the byte-order mark and the header)\n"
        "      --output-encoding E  output encoding (default utf-8)\n"
        "      --decimal M        decimal mark of the results: point or comma (default\n"
        "                         the input's)\n"
        "      --max-row-bytes N  longest row accepted, in bytes (1048576)\n"
        "      --help             show this help and exit\n"
        "      --version          show the version and exit\n"
        "\n"
        "Exit status: 0 all rows computed, 2 some rows carry an error (or --chart-range\n"
        "is invalid, or --chart names the input), 1 the input could not be read or the\n"
        "table written.\n");
}
