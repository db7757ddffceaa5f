// A whole checking run in the real main window (offscreen) against the loopback test server, set
// beside the bare socket loop asking the same names; the longest pause of the window's timers
// while a slow server keeps a query waiting; how long a click on "Stop Sca&n" takes to bring the
// window back to idle while a server hangs; and how the run's time grows from 200,000 to 400,000
// names with a lookup that answers at once, with the lists sorted and not.
//   run_bench [names]     (default 100000)
// The run keeps its cache files and scan file in the folder the program starts in, so the
// benchmark runs itself again in a fresh temporary folder and removes it afterwards.
#include "IniCtrl.h"
#include "Modal.h"
#include "RawLookup.h"
#include "WhoisAnswers.h"
#include "WhoisTestServer.h"
#include "mainwebu.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* InFolderVariable = "SOLLENTRA_RUN_BENCH_FOLDER";
constexpr int WordsPerLine = 10;

TMainFormSetup LoopbackSetup(uint16_t port)
{
    TMainFormSetup setup;
    setup.WhoisServers = LoopbackServers(port);
    return setup;
}

// Distinct names of 6 to 7 letters: "w" and the number in base 26.
std::vector<std::string> Names(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string name = "w";
        for (int n = i, digits = 0; digits < 5 || n > 0; ++digits, n /= 26)
            name += static_cast<char>('a' + n % 26);
        names.push_back(name);
    }
    return names;
}

void WriteScanFile(const std::string& fileName, const std::vector<std::string>& names)
{
    std::ofstream file(fileName, std::ios::binary);
    for (std::size_t i = 0; i < names.size(); ++i)
        file << names[i] << ((i + 1) % WordsPerLine == 0 || i + 1 == names.size() ? "\r\n" : " ");
}

// Every name is free, at once: the run and the lists are all that is measured.
class TFreeLookup : public TNameLookup
{
  public:
    TCheckResult Check(std::string_view, std::string_view) override
    {
        TCheckResult result;
        result.Verdict.Kind = TVerdictKind::Free;
        return result;
    }
};

// Seconds of a run over count names with the lists sorted or not.
double ListRunSeconds(int count, bool sorted)
{
    TIniCtrl().WriteBool(QStringLiteral("Sort Alpha"), QStringLiteral("Active"), sorted);
    WriteScanFile("list.txt", Names(count));
    TMainFormSetup setup;
    setup.Lookup = std::make_shared<TFreeLookup>();
    TMainForm form(std::move(setup));
    form.show();
    form.LoadScanFile(QStringLiteral("list.txt"));
    const auto start = Clock::now();
    form.findChild<QAbstractButton*>(QStringLiteral("SearchBtn"))->click();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (form.Checker().Available.Count() != std::size_t(count))
        std::cerr << "the list run settled " << form.Checker().Available.Count() << " of " << count << '\n';
    return seconds;
}

// Scans fileName in the window and returns the seconds the run took; onTick runs on every tick of
// a 20 ms timer of the window while the run goes on.
double RunInWindow(TMainForm& form, const QString& fileName, const std::function<void()>& onTick)
{
    form.LoadScanFile(fileName);
    QTimer ticker(&form);
    QObject::connect(&ticker, &QTimer::timeout, onTick);
    ticker.start(20);
    const auto start = Clock::now();
    form.findChild<QAbstractButton*>(QStringLiteral("SearchBtn"))->click();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ticker.stop();
    return seconds;
}

int Measure(int argc, char* argv[], int count)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", std::filesystem::current_path().string().c_str());
    QApplication app(argc, argv);
    QApplication::setApplicationName("Sollentra");
    TModal::SetHandler([](const TModalRequest& request) {
        std::cerr << "unexpected box: " << request.Text.toStdString() << '\n';
        return TModalAnswer{};
    });

    const std::vector<std::string> names = Names(count);
    WriteScanFile("names.txt", names);
    const std::string free = FreeComAnswer(), taken = TakenComAnswer();
    TWhoisTestServer server({TWhoisTestServer::Answer(free), TWhoisTestServer::Answer(taken)}, 0,
                            TWhoisTestServer::TAfterScripts::StartAgain);

    double runSeconds = 0;
    {
        TMainForm form(LoopbackSetup(server.Port()));
        form.show();
        runSeconds = RunInWindow(form, QStringLiteral("names.txt"), [] {});
        const TNameChecker& run = form.Checker();
        if (run.Available.Count() + run.Registered.Count() != names.size()) {
            std::cerr << "the run settled " << run.Available.Count() << " + " << run.Registered.Count()
                      << " names of " << names.size() << '\n';
            return 1;
        }
    }

    const auto rawStart = Clock::now();
    for (const std::string& name : names) {
        const std::string answer = RawLookup(server.Port(), name + ".com\n");
        if (answer != free && answer != taken) {
            std::cerr << "unexpected raw answer\n";
            return 1;
        }
    }
    const double rawSeconds = std::chrono::duration<double>(Clock::now() - rawStart).count();

    // A server that thinks for 2 s before every answer.
    TWhoisTestServer slowServer({TWhoisTestServer::Chunked({"", taken}, 2000)});
    WriteScanFile("slow.txt", Names(3));
    qint64 longestGapMs = 0;
    {
        TMainForm form(LoopbackSetup(slowServer.Port()));
        form.show();
        QElapsedTimer sinceTick;
        sinceTick.start();
        RunInWindow(form, QStringLiteral("slow.txt"),
                    [&] { longestGapMs = std::max(longestGapMs, sinceTick.restart()); });
    }

    // A server that accepts and never answers; "Stop Sca&n" is clicked one second into the run.
    // The names are new ones: those of the slow server are in the cache now.
    TWhoisTestServer hangingServer({TWhoisTestServer::Silent()});
    WriteScanFile("hanging.txt", {"hanging", "server"});
    double stopLatencyMs = 0;
    {
        TMainForm form(LoopbackSetup(hangingServer.Port()));
        form.show();
        // Measured from the moment the click was due, not from when the window got to it: a user's
        // click waits in the queue until the window takes its messages.
        const auto clickDue = Clock::now() + std::chrono::seconds(1);
        QTimer::singleShot(1000, &form, [&] {
            QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("CancelBtn")), Qt::LeftButton);
        });
        RunInWindow(form, QStringLiteral("hanging.txt"), [] {});
        stopLatencyMs = std::chrono::duration<double, std::milli>(Clock::now() - clickDue).count();
    }

    const double sorted200k = ListRunSeconds(200000, true), sorted400k = ListRunSeconds(400000, true);
    const double unsorted200k = ListRunSeconds(200000, false), unsorted400k = ListRunSeconds(400000, false);

    const double runRate = count / runSeconds, rawRate = count / rawSeconds;
    std::cout << "names: " << count << '\n'
              << "run_names_per_s: " << runRate << '\n'
              << "raw_lookups_per_s: " << rawRate << '\n'
              << "run_vs_raw_ratio: " << runRate / rawRate << '\n'
              << "max_ui_stall_ms: " << longestGapMs << '\n'
              << "stop_latency_ms: " << stopLatencyMs << '\n'
              << "sorted_run_400k_s: " << sorted400k << '\n'
              << "sorted_run_growth: " << sorted400k / sorted200k << '\n'
              << "unsorted_run_400k_s: " << unsorted400k << '\n'
              << "unsorted_run_growth: " << unsorted400k / unsorted200k << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (count <= 0) {
        std::cerr << "usage: run_bench [names]\n";
        return 2;
    }
    if (std::getenv(InFolderVariable))
        return Measure(argc, argv, count);

    std::string folder = (std::filesystem::temp_directory_path() / "sollentra-run-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::cerr << "cannot make a temporary folder\n";
        return 1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv(InFolderVariable, folder.c_str(), 1);
        if (::chdir(folder.c_str()) == 0)
            ::execv("/proc/self/exe", argv);
        std::perror("run_bench");
        std::_Exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::filesystem::remove_all(folder);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
