// Runs the corvane-plan program as a user would and looks at what it left.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <algorithm>
#include <sstream>
#include <map>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "plan_cli_fixture.h"
#include "support/vectors.h"

namespace corvane::testing {
namespace {

TEST_F(PlanCli, SampleDayMatchesTheCheckedInPlans) {
    struct Case {
        const char* args;
        const char* expected;
    };
    const Case cases[] = {
        {"day.csv --shrinkage 30", "day-plan.txt"},
        {"day.csv --shrinkage 30 --format csv", "day-plan.csv"},
        {"day.csv --shrinkage 30 --format json", "day-plan.json"},
        {"day.csv --shrinkage 30 --patience 180 --max-abandon 5", "day-plan-patience.txt"},
    };
    for (const Case& c : cases) {
        const Result r = Run(c.args);
        EXPECT_EQ(r.status, 0) << c.args << "\n" << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, Slurp(fs::path(CORVANE_EXAMPLES) / c.expected)) << c.args;
    }
    // The same plan from standard input and into a file.
    const Result piped = Run("- --shrinkage 30 --format csv -o plan.csv", Slurp(dir_ / "day.csv"));
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "");
    EXPECT_EQ(Slurp(dir_ / "plan.csv"), Slurp(fs::path(CORVANE_EXAMPLES) / "day-plan.csv"));
}

TEST_F(PlanCli, BadInputWritesNothing) {
    // Each kind of fault once: a bad cell, a bad option, a file that is no
    // forecast (a picture, whose bytes JSON cannot carry). The reader's
    // messages have their own cases.
    auto cases = corvane::testing::Vectors("bad-plan-runs");
    cases.push_back({{"args", "in.csv"},
                     {"input", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
                     {"message",
                      "corvane-plan: in.csv:1: not a text file (a NUL byte or bytes "
                      "that are not UTF-8)\n"}});
    for (const auto& c : cases) {
        const std::string args = c["args"];
        SCOPED_TRACE(args);
        Spit("in.csv", c.value("input", "interval,calls,talk\n08:00,10,180\n"));
        if (c.contains("shifts")) Spit("shifts.csv", c["shifts"]);
        Spit("plan.txt", "the old plan\n");
        fs::remove(dir_ / "chart.svg");
        const bool chart = args.find("--chart") != std::string::npos;
        const Result r = Run(args + " -o plan.txt" + (chart ? "" : " --chart chart.svg"));
        const Result plain = Run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, c["message"]);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(plain.out, "");
        EXPECT_EQ(Slurp(dir_ / "plan.txt"), "the old plan\n");
        EXPECT_FALSE(fs::exists(dir_ / "chart.svg"));
        EXPECT_FALSE(fs::exists(dir_ / "sp.csv"));
        fs::remove(dir_ / "shifts.csv");
    }
    // Nothing half-written is left beside the output either.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 3u);  // day.csv, in.csv, plan.txt
}

TEST_F(PlanCli, OutsideTheUsableRangeIsPlannedAroundWithStatus3) {
    Spit("in.csv", "interval,calls,talk\n08:00,100,180\n08:30,1000000,1800\n09:00,0,180\n");
    const Result r = Run("in.csv --format csv -o plan.csv");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "corvane-plan: 1 interval(s) outside the usable range\n");
    EXPECT_EQ(Slurp(dir_ / "plan.csv"),
              "interval,calls,talk,acw,erlangs,agents,wait,service_level,asa,occupancy,scheduled,"
              "status\r\n"
              "08:00,100,180,0,10.000,14,17.41,88.84,7.84,71.43,14,ok\r\n"
              "08:30,1000000,1800,0,1000000.000,,,,,,,outside the usable range\r\n"
              "09:00,0,180,0,0.000,0,,,,,0,no calls\r\n");
}

// Days of half-hours from 2027-03-01 with a date column, busier on weekdays.
std::string Days(int days) {
    std::string csv = "date,interval,calls,aht\n";
    for (int d = 0; d < days; ++d)
        for (int slot = 14; slot < 40; ++slot) {
            const int calls = (d % 7 >= 5 ? 40 : 100) + 4 * std::min(slot - 14, 40 - slot);
            csv += "2027-" + std::string(d < 31 ? "03-" : "04-") + (d % 31 < 9 ? "0" : "") +
                   std::to_string(d % 31 + 1) + "," + std::to_string(slot / 2) + ":" +
                   (slot % 2 ? "30" : "00") + "," + std::to_string(calls) + ",245.5\n";
        }
    return csv;
}

TEST_F(PlanCli, ChartsOfADayAFortnightAndAYear) {
    Spit("fortnight.csv", Days(14));
    Spit("weeks.csv", Days(21));
    Spit("shifts.csv", "name,length,earliest,latest\nDay,8:00,07:00,12:00\n");
    Spit("year.csv", [] {  // 2027 day by day, the calendar counted here
        std::string csv = "datetime,calls,talk\n";
        const int month[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int m = 0; m < 12; ++m)
            for (int d = 1; d <= month[m]; ++d)
                for (int h = 7; h < 20; ++h)
                    csv += "2027-" + std::string(m < 9 ? "0" : "") + std::to_string(m + 1) + "-" +
                           (d < 10 ? "0" : "") + std::to_string(d) + " " + (h < 10 ? "0" : "") +
                           std::to_string(h) + ":00," + std::to_string(50 + 10 * m + h) + ",180\n";
        return csv;
    }());
    struct Case {
        const char* args;
        const char* text;  // in the SVG: the ticks the chart must show
        bool heatMap;
    };
    const Case cases[] = {
        {"day.csv --sl 90/15", "90 % of calls answered within 15 s", false},
        {"day.csv", "08:00", false},
        {"fortnight.csv", "Mon 08.03", false},
        {"year.csv", "Sep 2027", true},
        // Three weeks with their shifts: the second map, on duty less scheduled.
        {"weeks.csv --shifts shifts.csv", "on duty", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const Result svg = Run(std::string(c.args) + " -o plan.txt --chart chart.svg");
        const Result png = Run(std::string(c.args) + " -o plan.txt --chart chart.png");
        ASSERT_EQ(svg.status, 0) << svg.err;
        ASSERT_EQ(png.status, 0) << png.err;
        EXPECT_EQ(svg.err + png.err, "");
        const std::string svgText = Slurp(dir_ / "chart.svg");
        EXPECT_LT(svgText.size(), 2'000'000u);
        EXPECT_NE(svgText.find(c.text), std::string::npos);
        QSvgRenderer renderer(QString::fromStdString((dir_ / "chart.svg").string()));
        EXPECT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 1200, 600));

        QImageReader reader(QString::fromStdString((dir_ / "chart.png").string()));
        EXPECT_EQ(reader.format(), "png");
        const QImage image = reader.read();
        ASSERT_EQ(image.size(), QSize(1200, 600));
        // Not a blank page: the steps in the plan's colour, or a heat map
        // of many shades.
        int drawn = 0;
        QSet<QRgb> colours;
        for (int x = 0; x < image.width(); x += 3)
            for (int y = 0; y < image.height(); y += 3) {
                drawn += image.pixelColor(x, y) == QColor(0x1f, 0x4e, 0x9a);
                colours.insert(image.pixel(x, y));
            }
        EXPECT_GT(c.heatMap ? colours.size() : drawn, 100);
    }
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> cells{""};
        bool quoted = false;
        for (const char c : line) {
            if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                cells.emplace_back();
            else
                cells.back() += c;
        }
        rows.push_back(cells);
    }
    return rows;
}

int Minutes(const std::string& hhmm) {  // "8:30" or "08:30"
    const auto colon = hhmm.find(':');
    return std::stoi(hhmm.substr(0, colon)) * 60 + std::stoi(hhmm.substr(colon + 1));
}

TEST_F(PlanCli, TheWrittenShiftPlanCoversTheWrittenPlan) {
    // The README's week: whole, so Sunday runs round into Monday. The agents
    // on duty are counted again from the two files the program wrote and
    // the shift types, without the program's own arithmetic.
    for (const char* example : {"week-export.csv", "shifts.csv"})
        fs::copy_file(fs::path(CORVANE_EXAMPLES) / example, dir_ / example);
    const Result r = Run(
        "week-export.csv --shrinkage 30 --format csv -o plan.csv --shifts shifts.csv "
        "--shift-plan shift-plan.csv --chart chart.png");
    ASSERT_EQ(r.status, 0) << r.err;
    // The chart draws the agents on duty in their own colour.
    const QImage chart(QString::fromStdString((dir_ / "chart.png").string()));
    int onDutyLine = 0;
    for (int x = 0; x < chart.width(); ++x)
        for (int y = 0; y < chart.height(); ++y)
            onDutyLine += chart.pixelColor(x, y) == QColor(0x2a, 0x9d, 0x4a);
    EXPECT_GT(onDutyLine, 500);

    struct Type {
        int length, lunch;
    };
    std::map<std::string, Type> types;
    const auto typeRows = CsvRows(Slurp(dir_ / "shifts.csv"));
    for (std::size_t i = 1; i < typeRows.size(); ++i)
        types[typeRows[i][0]] = {Minutes(typeRows[i][1]),
                                 typeRows[i][7].empty() ? 0 : Minutes(typeRows[i][7])};
    const auto weekMinute = [](const std::string& date, int minute) {
        return (std::stoi(date.substr(8, 2)) - 1) * 1440 + minute;  // 2027-03-01 is minute 0
    };
    const int week = 7 * 1440;

    const auto shifts = CsvRows(Slurp(dir_ / "shift-plan.csv"));
    ASSERT_EQ(shifts.at(0), (std::vector<std::string>{"date", "shift", "start", "lunch", "agents"}));
    const auto plan = CsvRows(Slurp(dir_ / "plan.csv"));
    const auto& head = plan.at(0);
    const auto column = [&head](const char* name) {
        return static_cast<std::size_t>(std::find(head.begin(), head.end(), name) - head.begin());
    };
    ASSERT_EQ(column("on_duty"), column("scheduled") + 1);
    ASSERT_EQ(plan.size(), 281u);
    for (std::size_t i = 1; i < plan.size(); ++i) {
        const std::string& label = plan[i][0];  // "2027-03-01 08:00"
        const int at = weekMinute(label, Minutes(label.substr(11)));
        long onDuty = 0;
        for (std::size_t k = 1; k < shifts.size(); ++k) {
            const auto& g = shifts[k];
            const Type& t = types.at(g[1]);
            const int start = weekMinute(g[0], Minutes(g[2]));
            const int into = ((at - start) % week + week) % week;
            const int lunch = g[3].empty() ? -1 : ((Minutes(g[3]) - Minutes(g[2])) % 1440 + 1440) % 1440;
            if (into < t.length && !(lunch >= 0 && into >= lunch && into < lunch + t.lunch))
                onDuty += std::stol(g[4]);
        }
        SCOPED_TRACE(label);
        EXPECT_EQ(std::stol(plan[i][column("on_duty")]), onDuty);
        EXPECT_GE(onDuty, std::stol(plan[i][column("scheduled")]));
    }
}

// Installed, the program finds the chart program and the shift planner in
// lib/corvane beside its bin, whatever the prefix; the shift planner (and
// CBC) is loaded only for shifts: without those files a plan is still
// made, and a chart or shifts say why not and write nothing.
TEST_F(PlanCli, TheInstalledProgramFindsItsFiles) {
    const fs::path bin = dir_ / "prefix" / "bin";
    const fs::path files = dir_ / "prefix" / "lib" / "corvane";
    fs::create_directories(bin);
    fs::copy_file(CORVANE_PLAN, bin / "corvane-plan");
    fs::copy_file(fs::path(CORVANE_EXAMPLES) / "shifts.csv", dir_ / "shifts.csv");
    QProcess p;
    p.setWorkingDirectory(tmp_.path());
    const auto run = [&](const QStringList& args) {
        p.start(QString::fromStdString((bin / "corvane-plan").string()), args);
        // A run that did not end is no exit status.
        return p.waitForFinished(600000) ? p.exitCode() : -1;
    };
    const QStringList charted = {"day.csv", "-o", "charted.txt", "--chart", "chart.png"};
    const QStringList shifted = {"day.csv", "-o", "shifted.txt", "--shifts", "shifts.csv",
                                 "--allow-short"};

    EXPECT_EQ(run({"day.csv", "-o", "plan.txt"}), 0);
    EXPECT_TRUE(fs::exists(dir_ / "plan.txt"));
    EXPECT_EQ(run(shifted), 1);
    EXPECT_NE(p.readAllStandardError().toStdString().find(
                  "corvane-plan: the shift planner cannot be loaded: " + files.string() +
                  "/corvane-shift-planner.so"),
              std::string::npos);
    EXPECT_EQ(run(charted), 1);
    EXPECT_FALSE(fs::exists(dir_ / "shifted.txt") || fs::exists(dir_ / "charted.txt") ||
                 fs::exists(dir_ / "chart.png"));

    fs::create_directories(files);
    fs::copy_file(CORVANE_CHART, files / "corvane-chart");
    fs::copy_file(CORVANE_SHIFT_PLANNER, files / "corvane-shift-planner.so");
    EXPECT_EQ(run(charted), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(fs::exists(dir_ / "chart.png"));
    EXPECT_EQ(run(shifted), 0) << p.readAllStandardError().toStdString();
    EXPECT_NE(Slurp(dir_ / "shifted.txt").find("Shift plan"), std::string::npos);
}

TEST_F(PlanCli, OutputsThatAreNotPlainFilesAreWrittenNotReplaced) {
    const std::string expected = Slurp(fs::path(CORVANE_EXAMPLES) / "day-plan.txt");
    // Devices stay devices. Private nodes of the null and full devices, so a
    // fault could never replace the machine's own; they need root.
    const fs::path null = dir_ / "null";
    const fs::path full = dir_ / "full";
    const auto usable = [](const fs::path& node, unsigned minor) {
        if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) return false;
        const int fd = ::open(node.c_str(), O_WRONLY);  // refused where mounted nodev
        return fd >= 0 && ::close(fd) == 0;
    };
    if (usable(null, 3) && usable(full, 7)) {
        Result r = Run("day.csv --shrinkage 30 -o null");
        EXPECT_EQ(r.status, 0) << r.err;
        r = Run("day.csv -o full");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "corvane-plan: full: cannot write: No space left on device\n");
        EXPECT_TRUE(fs::is_character_file(null) && fs::is_character_file(full));
    }
    // A descriptor already open is written as it stands.
    Result r = Run("day.csv --shrinkage 30 -o /dev/stdout");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected);
    // A FIFO's reader gets the plan, and the FIFO stays.
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0644), 0);
    std::string fromFifo;
    std::thread reader([&] { fromFifo = Slurp(dir_ / "fifo"); });
    r = Run("day.csv --shrinkage 30 -o fifo");
    reader.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fromFifo, expected);
    EXPECT_TRUE(fs::is_fifo(dir_ / "fifo"));
}

TEST_F(PlanCli, ReplacedFilesKeepTheirLinksAndPermissions) {
    const std::string expected = Slurp(fs::path(CORVANE_EXAMPLES) / "day-plan.txt");
    // A chain of links: the final target is replaced, the links stay.
    Spit("plan.txt", "the old plan\n");
    fs::create_directory(dir_ / "sub");
    fs::create_symlink("../plan.txt", dir_ / "sub" / "link1");
    fs::create_symlink("sub/link1", dir_ / "link2");
    Result r = Run("day.csv --shrinkage 30 -o link2");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(dir_ / "link2"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "sub" / "link1"));
    EXPECT_EQ(Slurp(dir_ / "plan.txt"), expected);
    // A private file stays private.
    fs::permissions(dir_ / "plan.txt", fs::perms::owner_read | fs::perms::owner_write);
    r = Run("day.csv -o plan.txt");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::status(dir_ / "plan.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    // The longest name a directory allows is still a name for the plan.
    const std::string longest(255, 'p');
    r = Run("day.csv -o " + longest);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir_ / longest));
    // One output that cannot be written: the other is not replaced either.
    Spit("chart.svg", "the old chart\n");
    r = Run("day.csv --chart chart.svg -o sub");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "corvane-plan: sub: cannot write: Is a directory\n");
    EXPECT_EQ(Slurp(dir_ / "chart.svg"), "the old chart\n");
    EXPECT_EQ(Names(dir_), (std::vector<std::string>{"chart.svg", "day.csv", "link2", "plan.txt",
                                                     longest, "sub"}));
}

TEST_F(PlanCli, StoppedWhileWritingLeavesNothingBehind) {
    Spit("big.csv", Repeated("day.csv"));
    Spit("plan.txt", "the old plan\n");
    const auto before = Names(dir_);
    for (const int signal : {SIGTERM, SIGINT, SIGKILL}) {
        SCOPED_TRACE(signal);
        // On a loaded machine a run may finish before it is seen writing:
        // it is then run again, from the old plan.
        bool caught = false;
        for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
            Spit("plan.txt", "the old plan\n");
            QProcess p;
            p.setWorkingDirectory(tmp_.path());
            p.start(QStringLiteral(CORVANE_PLAN), {"big.csv", "-o", "plan.txt"});
            ASSERT_TRUE(p.waitForStarted());
            // Wait until it holds the plan's temporary file open, then stop it.
            const fs::path fds = "/proc/" + std::to_string(p.processId()) + "/fd";
            while (!caught && p.state() == QProcess::Running) {
                std::error_code ec;
                for (const auto& fd : fs::directory_iterator(fds, ec)) {
                    const fs::path open = fs::read_symlink(fd.path(), ec);
                    caught |= open.parent_path() == dir_ && open.filename() != "big.csv";
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            if (!caught) {
                ASSERT_TRUE(p.waitForFinished(600000));
                continue;
            }
            ::kill(static_cast<pid_t>(p.processId()), signal);
            ASSERT_TRUE(p.waitForFinished(600000));
            EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
            EXPECT_EQ(Names(dir_), before);
            EXPECT_EQ(Slurp(dir_ / "plan.txt"), "the old plan\n");
        }
        ASSERT_TRUE(caught) << "every run was written before it could be stopped";
    }
}

TEST_F(PlanCli, AMillionRowsArePlannedInBoundedMemory) {
    // Through standard input, so the copy aside is read the second time;
    // every day of the file is planned as the sample day is.
    const Result r = Run("- --shrinkage 30 --format csv", Repeated("day.csv"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected = Repeated("day-plan.csv");
    EXPECT_TRUE(r.out == expected) << r.out.size() << " bytes against " << expected.size();
    struct rusage usage {};
    ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &usage), 0);
    if (!CORVANE_SANITIZED) {  // the sanitizers' shadow memory is not the program's
        EXPECT_LT(usage.ru_maxrss, 100 * 1024) << "KiB at the peak";
    }
}

TEST_F(PlanCli, ADirectoryOnStandardInputIsNamed) {
    // A directory as standard input. (A file name that is not UTF-8 is the
    // JSON writer's case, a NUL byte the reader's.)
    QProcess shell;
    shell.setWorkingDirectory(tmp_.path());
    shell.start("/bin/sh", {"-c", QStringLiteral(CORVANE_PLAN " - < .")});
    ASSERT_TRUE(shell.waitForFinished(600000));
    EXPECT_EQ(shell.exitCode(), 2);
    EXPECT_EQ(shell.readAllStandardError().toStdString(),
              "corvane-plan: standard input: is a directory, not a forecast file\n");
}

}  // namespace
}  // namespace corvane::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);  // the image readers need it
    return RUN_ALL_TESTS();
}
