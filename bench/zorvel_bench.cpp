// The calculator against its floors, side by side in one run:
//  - opening each help page (LoadEmbeddedImage) vs a bare libjpeg-turbo decode;
//  - saving a page (SaveImageAsJpeg) vs a bare libjpeg-turbo compression into a file;
//  - one Calculate press;
//  - start-up to the main window shown vs a bare Qt program showing one maximized window,
//    and where the calculator's start-up goes, step by step;
//  - processor time of the idle program, the clock ticking;
//  - peak memory with the main window alone and with all nine pages opened vs the bare Qt
//    window.
// The process-level part needs an X server (bench/run.sh starts Xvfb). Own options:
//   --process=0          skip the process-level part
//   --idle-seconds=N     length of the idle measurement (default 30)
//   --startup-runs=N     start-ups of each program (default 5, the median counts)
#include "bench/codec_floor.h"
#include "bench/process_probe.h"
#include "calc/humidity_model.h"
#include "calc/input_reading.h"
#include "calc/result_presentation.h"
#include "pages/picture_store.h"
#include "toolkit/toolkit.h"
#include "ui/calculate_command.h"
#include "ui/program_ids.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>
#include <variant>
#include <vector>

namespace {

struct Page {
    int id;
    const char* name;
};

const Page kPages[] = {
    {174, "air_humidity"}, {175, "water_vapour"}, {176, "temperature_scales"},
    {170, "tale"},         {171, "textbook"},     {172, "august"},
    {173, "assmann"},      {166, "licence"},      {167, "contact"},
};

struct Options {
    bool process = true;
    int idleSeconds = 30;
    int startupRuns = 5;
};

std::vector<unsigned char> ReadPicture(const std::string& name) {
    const std::string path = std::string(ZORVEL_PICTURES_DIR) + "/" + name + ".jpg";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvel-bench-XXXXXX");
        return std::filesystem::path(mkdtemp(pattern.data()) ? pattern : "/tmp");
    }();
    return folder;
}

// ---- Codecs -------------------------------------------------------------------------

void LoadWithStore(benchmark::State& state, std::vector<unsigned char> file, int id) {
    PictureStore store;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.Load(id, file));
    }
    if (store.Find(id) == nullptr) {
        state.SkipWithError("the store could not load the page");
    }
}

void LoadBare(benchmark::State& state, std::vector<unsigned char> file) {
    std::size_t size = 0;
    for (auto _ : state) {
        const std::vector<unsigned char> pixels = BareJpegDecode(file);
        size = pixels.size();
        benchmark::DoNotOptimize(pixels.data());
    }
    if (size == 0) {
        state.SkipWithError("libjpeg could not decode the page");
    }
}

void SaveWithStore(benchmark::State& state, std::vector<unsigned char> file, int id) {
    PictureStore store;
    if (store.Load(id, file) == nullptr) {
        state.SkipWithError("the store could not load the page");
        return;
    }
    const std::string path = (ScratchFolder() / "store.jpg").string();
    for (auto _ : state) {
        if (store.SaveAsJpeg(id, path) != 1) {
            state.SkipWithError("SaveImageAsJpeg failed");
            break;
        }
    }
}

void SaveBare(benchmark::State& state, std::vector<unsigned char> file, int id) {
    PictureStore store;
    const ImageRef picture = store.Load(id, file);
    if (picture == nullptr) {
        state.SkipWithError("the store could not load the page");
        return;
    }
    const std::string path = (ScratchFolder() / "bare.jpg").string();
    for (auto _ : state) {
        if (!BareJpegEncode(picture->pixels.data(), picture->width, picture->height,
                            picture->rowSize, path)) {
            state.SkipWithError("libjpeg could not write the page");
            break;
        }
    }
}

// ---- Calculate ----------------------------------------------------------------------

// The work of one press without the window: three texts read, checked, computed and
// five results formatted.
void CalculateLogic(benchmark::State& state) {
    const std::string pressure = "981.1  [hPa]";
    const std::string dry = "20.5   [°C]";
    const std::string wet = "18.3   [°C]";
    for (auto _ : state) {
        const ReadOutcome outcome = ReadInputs(pressure, dry, wet, BarometerUnit::Hpa);
        const auto& readings = std::get<InputReadings>(outcome);
        const HumidityResult result = ComputeHumidity(
            readings.dryBulb, readings.wetBulb, readings.pressure, PsychrometerType::Aspirated);
        for (const float value : {result.absoluteHumidity, result.relativeHumidity, result.dewPoint,
                                  result.saturationPressure, result.vapourPressure}) {
            std::string text = FormatDecimal(value, 1);
            benchmark::DoNotOptimize(text.data());
        }
    }
}

// The whole press as the program runs it, on real text fields. With newResults=false every
// press gives the results the fields already show; with newResults=true the psychrometer
// type changes between presses, so that all five results are written anew (the write-backs
// of the inputs, as after any second press, find their texts in place).
void CalculatePress(benchmark::State& state, bool newResults) {
    constexpr int kWindow = Id(WindowId::MainWindow);
    if (!toolkit::OpenWindow(kWindow, 0, 0, 800, 600, "Изчисли", toolkit::TitleBar)) {
        state.SkipWithError("no window");
        return;
    }
    toolkit::UseGadgetTarget(kWindow);
    using enum ControlId;
    const std::pair<ControlId, const char*> fields[] = {
        {DryBulbField, "20.5"},        {WetBulbField, "18.3"},      {PressureField, "981.1"},
        {AbsoluteHumidityField, ""},   {RelativeHumidityField, ""}, {DewPointField, ""},
        {SaturationPressureField, ""}, {VapourPressureField, ""}};
    int row = 1;
    for (const auto& [field, text] : fields) {
        toolkit::CreateTextField(Id(field), 10, 30 * row++, 200, 25, text, toolkit::Centred);
    }
    InputState input;
    PsychrometerType type = PsychrometerType::Aspirated;
    for (auto _ : state) {
        if (newResults) {
            type = type == PsychrometerType::Aspirated ? PsychrometerType::NonAspirated
                                                       : PsychrometerType::Aspirated;
        }
        input.resultsCurrent = false;
        if (!CalculatePressed(input, BarometerUnit::Hpa, type)) {
            state.SkipWithError("the sample readings were rejected");
            break;
        }
    }
    const std::string relativeHumidity = toolkit::GetControlText(Id(RelativeHumidityField));
    // The last press's type decides; the aspirated figure is the one the README quotes.
    const std::string expected =
        newResults
            ? FormatDecimal(ComputeHumidity(20.5f, 18.3f, 981.1f, type).relativeHumidity, 1) +
                  " [%]"
            : "81.0 [%]";
    if (relativeHumidity != expected) {
        state.SkipWithError(("unexpected result: " + relativeHumidity).c_str());
    }
    toolkit::CloseWindow(kWindow);
}

// ---- Collecting the figures -----------------------------------------------------------

class FigureCollector : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.iterations > 0 && run.run_type == Run::RT_Iteration) {
                // Processor time: the machine may be shared, and every measured part runs on
                // one thread, so waiting for a core must not count against either side.
                seconds[run.benchmark_name()] =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
                wallSeconds[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
    std::map<std::string, double> wallSeconds;
};

struct Verdict {
    int met = 0;
    int missed = 0;
    void Line(const char* what, double figure, const char* unit, double target, bool atMost) {
        const bool ok = atMost ? figure <= target : figure >= target;
        (ok ? met : missed) += 1;
        std::printf("  %-44s %10.3f %-6s target %s %.3f  %s\n", what, figure, unit,
                    atMost ? "<=" : ">=", target, ok ? "met" : "MISSED");
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

struct Startup {
    double seconds = -1;    // wall clock from the start until the window is mapped
    double runSeconds = -1; // processor time the program had used by then
};

Startup StartupFigures(MapWatcher& watcher, const std::vector<std::string>& command) {
    watcher.Drain();
    const double start = NowSeconds();
    ChildProgram child(command);
    if (!child.running() || watcher.SecondsUntilMapped(20) < 0) {
        return {};
    }
    return {NowSeconds() - start, ProcessRunSeconds(child.pid())};
}

// Where the calculator's start-up goes: zorvel_startup_probe takes zorvel's steps and
// prints when each ended; the map is seen here, as for the program itself.
struct StartupStep {
    std::string name;
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
};

void AddProbeRun(MapWatcher& watcher, std::vector<StartupStep>& steps, std::vector<double>& mapMs) {
    watcher.Drain();
    const double start = NowSeconds();
    ChildProgram child({ZORVEL_STARTUP_PROBE});
    const double mapped = watcher.SecondsUntilMapped(20);
    mapMs.push_back(mapped < 0 ? -1 : (NowSeconds() - start) * 1e3);
    std::istringstream lines(child.WaitForOutput());
    double previousEnd = start;
    char name[32];
    double end = 0;
    double cpu = 0;
    for (std::string line; std::getline(lines, line);) {
        if (std::sscanf(line.c_str(), "%31s %lf %lf", name, &end, &cpu) != 3) {
            continue;
        }
        auto step = std::find_if(steps.begin(), steps.end(),
                                 [&name](const StartupStep& known) { return known.name == name; });
        if (step == steps.end()) {
            step = steps.insert(steps.end(), StartupStep{name, {}, {}});
        }
        step->wallMs.push_back((end - previousEnd) * 1e3);
        step->cpuMs.push_back(cpu);
        previousEnd = end;
    }
}

void PrintStartupSteps(MapWatcher& watcher, int runs) {
    std::vector<StartupStep> steps;
    std::vector<double> mapMs;
    for (int run = 0; run < runs; ++run) {
        AddProbeRun(watcher, steps, mapMs);
    }
    std::printf("Start-up steps of the calculator (median of %d; wall clock, processor time):\n",
                runs);
    for (const StartupStep& step : steps) {
        std::printf("  %-16s %7.2f ms  (%.2f ms)\n", step.name.c_str(), Median(step.wallMs),
                    Median(step.cpuMs));
    }
    std::printf("  window mapped %.2f ms after the start\n", Median(mapMs));
}

void ProcessFigures(const Options& options, Verdict& verdict) {
    MapWatcher watcher;
    if (!watcher.connected()) {
        std::printf("\nProcess-level figures skipped: no X server (run bench/run.sh).\n");
        return;
    }
    const std::vector<std::string> program = {ZORVEL_PROGRAM};
    const std::vector<std::string> bare = {ZORVEL_BARE_WINDOW};

    std::vector<double> programTimes;
    std::vector<double> bareTimes;
    std::vector<double> programRun;
    std::vector<double> bareRun;
    for (int run = 0; run < options.startupRuns; ++run) {
        const Startup bareStartup = StartupFigures(watcher, bare);
        const Startup programStartup = StartupFigures(watcher, program);
        bareTimes.push_back(bareStartup.seconds);
        programTimes.push_back(programStartup.seconds);
        bareRun.push_back(bareStartup.runSeconds);
        programRun.push_back(programStartup.runSeconds);
    }
    const double programStart = Median(programTimes);
    const double bareStart = Median(bareTimes);
    std::printf("\nStart-up to the window shown (median of %d): calculator %.1f ms, bare Qt "
                "window %.1f ms; processor time by then %.1f ms and %.1f ms\n",
                options.startupRuns, programStart * 1e3, bareStart * 1e3, Median(programRun) * 1e3,
                Median(bareRun) * 1e3);
    PrintStartupSteps(watcher, options.startupRuns);

    // Idle: the clock ticks ten times a second; nothing else happens. The bare window with
    // a timer of the same period that does nothing shows what any such program pays here.
    const auto idleOf = [&](const std::vector<std::string>& command, long* residentKb) {
        watcher.Drain();
        ChildProgram child(command);
        if (watcher.SecondsUntilMapped(20) < 0) {
            return -1.0;
        }
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const double cpuBefore = ProcessRunSeconds(child.pid());
        const double wallBefore = NowSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(options.idleSeconds));
        const double percent =
            100.0 * (ProcessRunSeconds(child.pid()) - cpuBefore) / (NowSeconds() - wallBefore);
        if (residentKb != nullptr) {
            *residentKb = ProcessMemoryKb(child.pid(), "VmRSS");
        }
        return percent;
    };
    long idleResidentKb = -1;
    const double idlePercent = idleOf(program, &idleResidentKb);
    const double bareTickPercent = idleOf({ZORVEL_BARE_WINDOW, "--tick"}, nullptr);
    std::printf("Idle over %d s: %.3f %% of one core (resident %ld kB); bare Qt window with a "
                "100 ms timer doing nothing %.3f %%\n",
                options.idleSeconds, idlePercent, idleResidentKb, bareTickPercent);

    // Peak memory: the program's libraries driven through all nine pages, against the bare
    // window.
    ChildProgram pagesProbe({ZORVEL_PAGES_PROBE});
    long windowPeakKb = -1;
    long pagesPeakKb = -1;
    int pagesOpened = 0;
    long viewerClosedKb = -1;
    std::sscanf(pagesProbe.WaitForOutput().c_str(), "%ld %ld %d %ld", &windowPeakKb, &pagesPeakKb,
                &pagesOpened, &viewerClosedKb);
    ChildProgram bareProbe({ZORVEL_BARE_WINDOW, "--report-peak"});
    long barePeakKb = -1;
    std::sscanf(bareProbe.WaitForOutput().c_str(), "%ld", &barePeakKb);
    std::printf("Peak resident memory: main window alone %ld kB, %d pages opened %ld kB, bare Qt "
                "window %ld kB\n",
                windowPeakKb, pagesOpened, pagesPeakKb, barePeakKb);
    std::printf("Resident memory once the last page's viewer is closed: %ld kB\n", viewerClosedKb);

    std::printf("\nProcess-level figures against their targets:\n");
    verdict.Line("start-up, calculator / bare window", programStart / bareStart, "x", 1.10, true);
    // The same comparison in processor time, which other work on the machine does not stretch.
    std::printf("  %-44s (%.3f x processor time)\n", "", Median(programRun) / Median(bareRun));
    verdict.Line("idle processor time", idlePercent, "% core", 0.10, true);
    verdict.Line("pages opened", pagesOpened, "", 9, false);
    verdict.Line("peak memory above the bare window", (pagesPeakKb - barePeakKb) / 1024.0, "MB", 28,
                 true);
}

Options TakeOwnOptions(int& argc, char** argv) {
    Options options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--process=", 0) == 0) {
            options.process = argument != "--process=0";
        } else if (argument.rfind("--idle-seconds=", 0) == 0) {
            options.idleSeconds = std::max(1, std::atoi(argument.c_str() + 15));
        } else if (argument.rfind("--startup-runs=", 0) == 0) {
            options.startupRuns = std::max(1, std::atoi(argument.c_str() + 15));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = TakeOwnOptions(argc, argv);
    if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    benchmark::Initialize(&argc, argv);
    if (!toolkit::InitToolkit(argc, argv)) {
        std::fprintf(stderr, "zorvel_bench: the toolkit could not start\n");
        return 1;
    }
    for (const Page& page : kPages) {
        const std::vector<unsigned char> file = ReadPicture(page.name);
        const std::string name = std::string("load/") + page.name;
        benchmark::RegisterBenchmark((name + "/store").c_str(), LoadWithStore, file, page.id)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/floor").c_str(), LoadBare, file)
            ->Unit(benchmark::kMillisecond);
    }
    for (const Page& page : {kPages[0], kPages[8]}) {
        const std::vector<unsigned char> file = ReadPicture(page.name);
        const std::string name = std::string("save/") + page.name;
        benchmark::RegisterBenchmark((name + "/store").c_str(), SaveWithStore, file, page.id)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/floor").c_str(), SaveBare, file, page.id)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("calculate/logic", CalculateLogic)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("calculate/press", CalculatePress, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("calculate/press-new-results", CalculatePress, true)
        ->Unit(benchmark::kMicrosecond);

    FigureCollector figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    benchmark::Shutdown();

    Verdict verdict;
    std::printf("\nRatios against the floors (processor time; wall-clock ratio in brackets):\n");
    double storeTotal = 0;
    double floorTotal = 0;
    for (const Page& page : kPages) {
        const std::string name = std::string("load/") + page.name;
        if (figures.seconds.count(name + "/store") && figures.seconds.count(name + "/floor")) {
            const double store = figures.seconds[name + "/store"];
            const double floor = figures.seconds[name + "/floor"];
            storeTotal += store;
            floorTotal += floor;
            verdict.Line(("open " + std::string(page.name)).c_str(), store / floor, "x", 1.10,
                         true);
        }
    }
    if (floorTotal > 0) {
        verdict.Line("open, all nine pages", storeTotal / floorTotal, "x", 1.10, true);
    }
    for (const Page& page : {kPages[0], kPages[8]}) {
        const std::string name = std::string("save/") + page.name;
        if (figures.seconds.count(name + "/store") && figures.seconds.count(name + "/floor")) {
            verdict.Line(("save " + std::string(page.name)).c_str(),
                         figures.seconds[name + "/store"] / figures.seconds[name + "/floor"], "x",
                         1.15, true);
            // Saving also waits for the disk: the store flushes the file before renaming.
            std::printf("  %-44s (%.3f x wall clock)\n", "",
                        figures.wallSeconds[name + "/store"] /
                            figures.wallSeconds[name + "/floor"]);
        }
    }
    if (figures.seconds.count("calculate/press")) {
        verdict.Line("one Calculate press", figures.seconds["calculate/press"] * 1e6, "us", 3,
                     true);
    }
    // Information beside the press above: five new results are five texts Qt must lay out
    // again to show them at all, whichever way they are written.
    if (figures.seconds.count("calculate/press-new-results")) {
        std::printf("  %-44s %10.3f %-6s (information, no target)\n",
                    "one Calculate press, five new results",
                    figures.seconds["calculate/press-new-results"] * 1e6, "us");
    }
    if (options.process) {
        ProcessFigures(options, verdict);
    }
    std::filesystem::remove_all(ScratchFolder());
    std::printf("\n%d targets met, %d missed\n", verdict.met, verdict.missed);
    toolkit::ShutDownToolkit();
    return 0;
}
