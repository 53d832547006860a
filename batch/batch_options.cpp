#include "batch/batch_options.h"

#include "batch/psychrometer_coefficient.h"
#include "batch/reading_names.h"
#include "batch/two_languages.h"

#include <algorithm>
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

std::optional<SummaryPeriod> ParseSummaryPeriod(std::string_view text) {
    if (text == "day" || text == "ден") {
        return SummaryPeriod::Day;
    }
    if (text == "month" || text == "месец") {
        return SummaryPeriod::Month;
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
    if (name == "--summary") {
        options.summaryPeriod = ParseSummaryPeriod(value);
        settings.dateColumnRequired = true;
        return options.summaryPeriod.has_value();
    }
    if (name == "--corrections") {
        options.corrections = std::string(value);
        return !value.empty();
    }
    if (name == "--coefficient") {
        // Typed by hand, with the decimal mark the user writes.
        std::string number(value);
        std::replace(number.begin(), number.end(), ',', '.');
        settings.coefficient = ParseCoefficient(number);
        options.refusedCoefficient =
            settings.coefficient ? std::nullopt : std::optional<std::string>(value);
        return true;
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
        settings.outputEncoding = ParseEncodingName(value);
        return settings.outputEncoding.has_value();
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
           name == "--decimal" || name == "--max-row-bytes" || name == "--summary" ||
           name == "--corrections" || name == "--coefficient";
}

bool IsStandardOutput(const std::optional<std::string>& name) {
    return !name || NamesStandardOutput(*name);
}

// Standard output holds one of the three, and a file cannot be both the table and the chart.
std::optional<std::string> OutputsProblem(const BatchOptions& options, MessageLanguage language) {
    if (options.summary && NamesStandardOutput(*options.summary) &&
        (IsStandardOutput(options.output) ||
         (options.chart && NamesStandardOutput(*options.chart)))) {
        return std::string(TextIn(language,
                                  "--summary - иска таблицата и диаграмата във файлове: "
                                  "стандартният изход е един",
                                  "--summary - needs the table and the chart in files: there is "
                                  "one standard output"));
    }
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
        } else if (arg == "--synop") {
            options.conversion.synop = true;
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
            // The period, then the file.
            if (arg == "--summary") {
                if (at + 1 >= args.size() || args[at + 1].empty()) {
                    return std::string(TextIn(language, "--summary иска период и файл",
                                              "--summary needs a period and a file"));
                }
                options.summary = args[++at];
            }
        } else if (inputGiven) {
            return std::string(
                TextIn(language, "повече от един входен файл", "more than one input file"));
        } else {
            options.input = std::string(arg);
            inputGiven = true;
        }
    }
    if (const auto problem = OutputsProblem(options, language)) {
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
        "(с аспирация, без аспирация, 1, 2), bulb/термометър (вода, лед),\n"
        "date/дата, time/час и coefficient/коефициент. Без twet мокрият термометър\n"
        "се изчислява от rh/влажност (%) или td/оросяване (°C) на хигрометър.\n"
        "Другите колони се копират непроменени.\n"
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
        "      --lang bg|en       език на колоната грешка (error) и на съобщенията\n"
        "                         (подразбира се bg)\n"
        "      --extended         добавя отношение на смесване r, специфична влажност q\n"
        "                         и енталпия h\n"
        "      --corrections ФАЙЛ  прибавя поправките на термометрите от свидетелствата\n"
        "                         им (CSV: thermometer, reading, correction, from)\n"
        "      --coefficient A    собствен коефициент A0 на психрометъра, от 0.0003 до\n"
        "                         0.0020 на °C (пример: 0.000662)\n"
        "      --summary day|month ФАЙЛ  средни стойности по дни или по месеци във\n"
        "                         ФАЙЛ (иска колона date/дата)\n"
        "      --synop            добавя групите 1snTTT и 2snTdTdTd на SYNOP\n"
        "      --encoding К       кодиране на входа: utf-8, windows-1251 или utf-16\n"
        "                         (подразбира се по знака за ред на байтовете и\n"
        "                         заглавния ред)\n"
        "      --output-encoding К  кодиране на изхода (подразбира се: файл в кодирането\n"
        "                         на входа, стандартният изход в utf-8)\n"
        "      --decimal З        десетичен знак на резултатите: point или comma\n"
        "                         (подразбира се този на входа)\n"
        "      --max-row-bytes N  най-дългият приет ред в байтове (1048576)\n"
        "      --help             показва тази помощ и излиза\n"
        "      --version          показва версията и излиза\n"
        "\n"
        "Изходен код: 0 всички редове са изчислени, 2 някои редове носят грешка\n"
        "(или стойност на опция е отхвърлена, или изходен файл е самият вход),\n"
        "1 входът не може да бъде прочетен или таблицата записана.\n",
        "Usage: zorvel-batch [OPTION]... [FILE]\n"
        "Compute the humidity of every reading in a psychrometer logbook (CSV).\n"
        "With no FILE, or when FILE is -, read standard input.\n"
        "\n"
        "The header names the columns: tdry/сух, twet/мокър, p/налягане or h/височина,\n"
        "and optionally unit/единица (hPa, mBar, mmHg, m), type/вид (aspirated,\n"
        "non-aspirated, 1, 2), bulb/термометър (water, ice), date/дата, time/час and\n"
        "coefficient/коефициент. Without twet the wet bulb is computed from a\n"
        "hygrometer's rh/влажност (%) or td/оросяване (°C). Other columns are copied\n"
        "unchanged.\n"
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
        "      --corrections FILE  add the thermometers' corrections from their\n"
        "                         certificates (CSV: thermometer, reading, correction,\n"
        "                         from)\n"
        "      --coefficient A    the psychrometer's own coefficient A0, 0.0003 to 0.0020\n"
        "                         per °C (for example 0.000662)\n"
        "      --summary day|month FILE  daily or monthly means in FILE (needs a\n"
        "                         date/дата column)\n"
        "      --synop            add the SYNOP groups 1snTTT and 2snTdTdTd\n"
        "      --encoding E       input encoding: utf-8, windows-1251 or utf-16 (default\n"
        "                         told by the byte-order mark and the header)\n"
        "      --output-encoding E  output encoding (default: a file in the input's\n"
        "                         encoding, standard output in utf-8)\n"
        "      --decimal M        decimal mark of the results: point or comma (default\n"
        "                         the input's)\n"
        "      --max-row-bytes N  longest row accepted, in bytes (1048576)\n"
        "      --help             show this help and exit\n"
        "      --version          show the version and exit\n"
        "\n"
        "Exit status: 0 all rows computed, 2 some rows carry an error (or an option's\n"
        "value was refused, or an output file is the input itself), 1 the input could not\n"
        "be read or the table written.\n");
}
