// What corvane-plan's outputs may never do: replace an input, lose one
// another, be half placed, leave temporaries, drive the terminal.
#include <QXmlStreamReader>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include <nlohmann/json.hpp>

#include "plan_cli_fixture.h"

extern char** environ;

namespace corvane::testing {
namespace {

// Every file of a directory with its bytes (links read through).
std::map<std::string, std::string> Contents(const fs::path& dir) {
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename();
        if (entry.is_directory()) continue;
        all[name] = fs::is_symlink(entry.path()) ? "-> " + fs::read_symlink(entry.path()).string()
                                                 : Slurp(entry.path());
    }
    return all;
}

TEST_F(PlanCli, OutputsThatWouldDestroyAnInputOrEachOtherAreRefused) {
    Spit("week.csv", Slurp(fs::path(CORVANE_EXAMPLES) / "week-export.csv"));
    Spit("shifts.csv", Slurp(fs::path(CORVANE_EXAMPLES) / "shifts.csv"));
    Spit("in.svg", Slurp(dir_ / "day.csv"));  // a forecast that can be named as a chart
    fs::create_symlink("day.csv", dir_ / "link.csv");
    Spit("plan.csv", "the old plan\n");
    const std::string shifts = "week.csv --shifts shifts.csv ";
    const struct {
        std::string args;
        std::string message;
    } cases[] = {
        {"day.csv -o day.csv", "-o: day.csv is the forecast being read"},
        {"day.csv -o link.csv", "-o: link.csv is the forecast being read"},
        {"link.csv -o ./day.csv", "-o: ./day.csv is the forecast being read"},
        {"in.svg -o plan.csv --chart in.svg", "--chart: in.svg is the forecast being read"},
        {shifts + "--shift-plan shifts.csv", "--shift-plan: shifts.csv is the shift types being read"},
        {shifts + "-o shifts.csv", "-o: shifts.csv is the shift types being read"},
        {"day.csv -o b.svg --chart b.svg", "-o and --chart both name b.svg"},
        {"day.csv -o plan.csv --chart x/../plan.csv.svg --format csv", ""},  // not the same
        {shifts + "-o d.csv --shift-plan ./d.csv", "-o and --shift-plan both name ./d.csv"},
        {shifts + "-o - --shift-plan /dev/stdout", "-o and --shift-plan both go to standard output"},
        {shifts + "--shift-plan /dev/fd/1", "the plan and --shift-plan both go to standard output"},
    };
    fs::create_directory(dir_ / "x");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const auto before = Contents(dir_);
        const Result r = Run(c.args);
        if (c.message.empty()) {  // the control: distinct files are written
            EXPECT_EQ(r.status, 0) << r.err;
            continue;
        }
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "corvane-plan: " + c.message + "\n");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Contents(dir_), before);
    }
    // Standard input that is the file the plan would replace.
    QProcess shell;
    shell.setWorkingDirectory(tmp_.path());
    shell.start("/bin/sh", {"-c", QStringLiteral(CORVANE_PLAN " - -o day.csv < day.csv")});
    ASSERT_TRUE(shell.waitForFinished(600000));
    EXPECT_EQ(shell.exitCode(), 2);
    EXPECT_EQ(shell.readAllStandardError().toStdString(),
              "corvane-plan: -o: day.csv is the forecast being read\n");
    EXPECT_EQ(Slurp(dir_ / "day.csv"), Slurp(fs::path(CORVANE_EXAMPLES) / "day.csv"));
}

TEST_F(PlanCli, AnOutputThatFailsAtItsLastByteReplacesNone) {
    Spit("days.csv", Repeated("day.csv", 40));
    ASSERT_EQ(Run("days.csv -o whole.txt").status, 0);
    const auto planBytes = static_cast<rlim_t>(fs::file_size(dir_ / "whole.txt"));
    Spit("plan.txt", "the old plan\n");
    Spit("chart.png", "the old chart\n");
    // A file system that takes every byte but the plan's last: the chart,
    // written whole, must not be placed either.
    QProcess p;
    p.setWorkingDirectory(tmp_.path());
    p.setChildProcessModifier([planBytes] {
        const rlimit limit{planBytes - 1, planBytes - 1};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
    });
    p.start(QStringLiteral(CORVANE_PLAN), {"days.csv", "-o", "plan.txt", "--chart", "chart.png"});
    ASSERT_TRUE(p.waitForFinished(600000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardError().toStdString(),
              "corvane-plan: plan.txt: cannot write: File too large\n");
    EXPECT_EQ(Slurp(dir_ / "plan.txt"), "the old plan\n");
    EXPECT_EQ(Slurp(dir_ / "chart.png"), "the old chart\n");
    EXPECT_EQ(Names(dir_),
              (std::vector<std::string>{"chart.png", "day.csv", "days.csv", "plan.txt", "whole.txt"}));
}

TEST_F(PlanCli, AReaderThatGoesAwayIsToldNotASignal) {
    Spit("days.csv", Repeated("day.csv", 200));
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0644), 0);
    // The reader takes a few bytes and leaves.
    std::thread reader([&] {
        const int fd = ::open((dir_ / "fifo").c_str(), O_RDONLY);
        char some[16];
        (void)::read(fd, some, sizeof some);
        ::close(fd);
    });
    const Result r = Run("days.csv --format csv -o fifo");
    reader.join();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "corvane-plan: the reader of fifo went away\n");
}

TEST_F(PlanCli, TemporariesLeftByAKilledRunAreClearedByTheNext) {
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const auto later = fs::file_time_type::clock::now() + std::chrono::hours(1);
    const struct {
        const char* name;
        fs::file_time_type written;
        bool held;
        bool kept;
    } cases[] = {
        {".cp-0stale00", old, false, false},  // its writer is gone
        {".cp-0held000", old, true, true},    // a run still at work holds it
        {".cp-0new0000", later, false, true},  // written since this run began
        {".cp-NotOurs1", old, false, true},   // not the program's naming
        {".cp-short", old, false, true},
    };
    std::vector<int> held;
    for (const auto& c : cases) {
        Spit(c.name, "half a plan");
        fs::last_write_time(dir_ / c.name, c.written);
        if (!c.held) continue;
        held.push_back(::open((dir_ / c.name).c_str(), O_RDONLY));
        ASSERT_EQ(::flock(held.back(), LOCK_EX), 0);
    }
    const Result r = Run("day.csv -o plan.txt");
    EXPECT_EQ(r.status, 0) << r.err;
    for (const auto& c : cases) EXPECT_EQ(fs::exists(dir_ / c.name), c.kept) << c.name;
    for (const int fd : held) ::close(fd);
}

// In a container without /proc, and without the right to link a descriptor
// by itself, a file is named only for its last copy and rename; whatever a
// SIGKILL leaves then, the next run clears.
TEST_F(PlanCli, WithoutProcKilledRunsLeaveNothingOnceAnotherHasRun) {
    fs::create_directory(dir_ / "out");
    fs::permissions(dir_ / "out", fs::perms::all);
    Spit("out/days.csv", Repeated("day.csv", 200));
    const auto start = [&] {
        auto p = std::make_unique<QProcess>();
        p->setWorkingDirectory(QString::fromStdString((dir_ / "out").string()));
        p->start("unshare", {"-m", "sh", "-c",
                             "umount -l /proc && exec setpriv --reuid=65534 --regid=65534 "
                             "--clear-groups " CORVANE_PLAN " days.csv -o plan.txt"});
        return p;
    };
    auto probe = start();
    probe->waitForFinished(600000);
    if (probe->exitCode() != 0 || !fs::exists(dir_ / "out" / "plan.txt"))
        GTEST_SKIP() << "no mount namespace here: " << probe->readAllStandardError().toStdString();
    const std::string expected = Slurp(dir_ / "out" / "plan.txt");
    std::mt19937 random(7);
    for (int i = 0; i < 20; ++i) {
        auto p = start();
        ASSERT_TRUE(p->waitForStarted());
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 60));
        ::kill(static_cast<pid_t>(p->processId()), SIGKILL);
        p->waitForFinished(600000);
    }
    ASSERT_EQ(start()->waitForFinished(600000), true);
    EXPECT_EQ(Names(dir_ / "out"), (std::vector<std::string>{"days.csv", "plan.txt"}));
    EXPECT_EQ(Slurp(dir_ / "out" / "plan.txt"), expected);
}

TEST_F(PlanCli, NamesAreShownEscapedAndLabelsNeverReachTheTerminal) {
    const std::string day = Slurp(dir_ / "day.csv");
    // A file name that would recolour the terminal, and one that reverses it.
    const std::string colour = "a\x1b[31mb.csv";
    const std::string reversed = "x\u202e.csv";
    Spit(colour, day);
    Spit(reversed, day);
    Result r = Run(colour);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Day plan of a\\x1b[31mb.csv");
    r = Run(reversed + " --format json");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("\u202e"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(r.out).at("file"), "x\\u202e.csv");
    // Messages quote names escaped, the command line's too.
    r = Run("\x1b]0;title\x07.csv");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "corvane-plan: \\x1b]0;title\\x07.csv: cannot open: No such file or directory\n");
    r = Run("day.csv --bogus=\x1b[2J");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    // Labels holding controls are refused with their line, and nothing is written.
    Spit("in.csv", "interval,calls,talk\n08:00,10,180\n\x1b[2J,10,180\n");
    r = Run("in.csv --format csv -o plan.csv --chart chart.svg");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "corvane-plan: in.csv:3: interval: '?[2J' holds a control character (U+001B): a "
              "label must be plain text\n");
    EXPECT_FALSE(fs::exists(dir_ / "plan.csv") || fs::exists(dir_ / "chart.svg"));
}

TEST_F(PlanCli, TheSvgChartIsWellFormedWhateverTheLabels) {
    // Labels XML must escape, and characters from far planes.
    Spit("in.csv",
         "interval,calls,talk\n<b>&amp;,10,180\n\"\"\"]]>\",20,180\n\xf0\x9f\x93\x9e,30,180\n"
         "\xe4\xb8\xad\xe6\x96\x87,40,180\n");
    const Result r = Run("in.csv -o plan.txt --chart chart.svg");
    ASSERT_EQ(r.status, 0) << r.err;
    QXmlStreamReader xml(QByteArray::fromStdString(Slurp(dir_ / "chart.svg")));
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

// Whatever data the chart program is handed, its SVG is well-formed XML:
// labels XML cannot carry are refused as no chart data.
TEST_F(PlanCli, TheChartProgramWritesWellFormedSvgOrNothing) {
    const struct {
        const char* label;
        bool drawn;
    } cases[] = {{"08:00 <&>\"'", true}, {"\x1b[2J", false}, {"a\x07", false},
                 {"\xc2\x9b" "1m", false}, {"\xef\xbf\xbe", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        nlohmann::json points = nlohmann::json::array();
        for (int i = 0; i < 4; ++i)
            points.push_back({i == 1 ? c.label : "09:00", nullptr, 480 + 30 * i, 10, 12, false, 0});
        const nlohmann::json data = {{"subtitle", "80 % in 20 s"},
                                     {"interval_minutes", 30},
                                     {"intervals_per_point", 1},
                                     {"points", points},
                                     {"days", nlohmann::json::array()}};
        QProcess chart;
        chart.start(QStringLiteral(CORVANE_CHART), {"svg"});
        const std::string text = data.dump();
        chart.write(text.data(), static_cast<qint64>(text.size()));
        chart.closeWriteChannel();
        ASSERT_TRUE(chart.waitForFinished(600000));
        const QByteArray svg = chart.readAllStandardOutput();
        EXPECT_EQ(chart.exitCode(), c.drawn ? 0 : 2);
        if (!c.drawn) {
            EXPECT_TRUE(svg.isEmpty());
            continue;
        }
        QXmlStreamReader xml(svg);
        while (!xml.atEnd()) xml.readNext();
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    }
}

// Ctrl+C ends a run at once, whatever it is doing, the shift solver's work
// included (it installs a handler of its own), and nothing is written.
TEST_F(PlanCli, CtrlCStopsAtOnceAtAnyMoment) {
    Spit("year.csv", [] {  // 52 weeks of daytime half-hours: a solve of many seconds
        std::string csv = "date,interval,calls,talk\n";
        const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int month = 1, n = 0; month <= 12; ++month)
            for (int day = 1; day <= days[month - 1] && n < 364; ++day, ++n)
                for (int slot = 14; slot < 42; ++slot) {
                    char row[64];
                    std::snprintf(row, sizeof row, "2027-%02d-%02d,%02d:%02d,%d,240\n", month, day,
                                  slot / 2, slot % 2 * 30, 60 + 7 * (slot % 9) + n * 7 % 13);
                    csv += row;
                }
        return csv;
    }());
    Spit("shifts.csv", Slurp(fs::path(CORVANE_EXAMPLES) / "year-shifts.csv"));
    // Stopped as it starts, and at moments after the solver's libraries are
    // loaded (in its preprocessing, its root, its search).
    for (const int after : {-1, 0, 300, 1000, 3000}) {
        SCOPED_TRACE(after);
        const bool solving = after >= 0;
        std::vector<std::string> words{CORVANE_PLAN, "year.csv",    "--shifts", "shifts.csv",
                                       "--shift-time-limit", "120", "-o",       "plan.txt"};
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const fs::path here = fs::current_path();
        fs::current_path(dir_);
        pid_t child = 0;
        ASSERT_EQ(::posix_spawn(&child, CORVANE_PLAN, &actions, nullptr, argv.data(), environ), 0);
        fs::current_path(here);
        posix_spawn_file_actions_destroy(&actions);
        const std::string maps = "/proc/" + std::to_string(child) + "/maps";
        bool loaded = false;
        for (int i = 0; solving && !loaded && i < 600000; ++i) {
            loaded = Slurp(maps).find("libCbc") != std::string::npos;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(loaded, solving);
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max(after, 0)));
        const auto signalled = std::chrono::steady_clock::now();
        ::kill(child, SIGINT);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - signalled).count();
        EXPECT_LT(seconds, 10.0);  // against a solve of up to 120 s
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
        EXPECT_EQ(Names(dir_), (std::vector<std::string>{"day.csv", "shifts.csv", "year.csv"}));
    }
}

// A year of the costliest Erlang A there is (699 Erlangs of 1-second calls
// from callers of 28,000 s patience) takes seconds: on a terminal the run
// says how far it is, and wipes the line when done; elsewhere it is quiet.
TEST_F(PlanCli, ALongRunShowsItsProgressOnATerminalOnly) {
    std::string csv = "date,interval,calls,talk (s)\n";
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= days[month - 1]; ++day)
            for (int slot = 0; slot < 48; ++slot) {
                char row[64];
                std::snprintf(row, sizeof row, "2027-%02d-%02d,%02d:%02d,1258200,1\n", month, day,
                              slot / 2, slot % 2 * 30);
                csv += row;
            }
    Spit("year.csv", csv);
    QProcess terminal;
    terminal.setWorkingDirectory(tmp_.path());
    terminal.start("script", {"-qfec", QStringLiteral(CORVANE_PLAN " --patience 28000 year.csv -o plan.txt"),
                              "/dev/null"});
    ASSERT_TRUE(terminal.waitForFinished(600000));
    const std::string shown = terminal.readAllStandardOutput().toStdString();
    EXPECT_EQ(terminal.exitCode(), 0) << shown;
    EXPECT_NE(shown.find("\rcorvane-plan: planning "), std::string::npos) << shown;
    EXPECT_NE(shown.find(" of 17,520 intervals"), std::string::npos) << shown;
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.substr(shown.size() - 2), " \r") << shown;  // wiped with blanks
    const Result quiet = Run("--patience 28000 year.csv -o quiet.txt");
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(Slurp(dir_ / "plan.txt"), Slurp(dir_ / "quiet.txt"));
}

}  // namespace
}  // namespace corvane::testing
