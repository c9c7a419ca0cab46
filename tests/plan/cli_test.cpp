// Runs the corvane-plan program as a user would and looks at what it left.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/vectors.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class PlanCli : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(fs::path(CORVANE_EXAMPLES) / "day.csv", dir_ / "day.csv");
    }

    // Runs in the test's own directory; `input` goes to standard input.
    Result Run(const std::string& args, const std::string& input = "") {
        QProcess p;
        p.setWorkingDirectory(tmp_.path());
        p.start(QStringLiteral(CORVANE_PLAN), QProcess::splitCommand(QString::fromStdString(args)));
        p.write(input.data(), static_cast<qint64>(input.size()));
        p.closeWriteChannel();
        p.waitForFinished(60000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
    }
    void Spit(const char* name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    QTemporaryDir tmp_;
    fs::path dir_{tmp_.path().toStdString()};
};

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
    }
    // Nothing half-written is left beside the output either.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 3u);  // day.csv, in.csv, plan.txt
}

TEST_F(PlanCli, OutsideTheUsableRangeIsPlannedAroundWithStatus3) {
    Spit("in.csv", "interval,calls,talk\n08:00,100,180\n08:30,708,1800\n09:00,0,180\n");
    const Result r = Run("in.csv --format csv -o plan.csv");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "corvane-plan: 1 interval(s) outside the usable range\n");
    EXPECT_EQ(
        Slurp(dir_ / "plan.csv"),
        "interval,calls,talk,acw,erlangs,agents,service_level,asa,occupancy,scheduled,status\r\n"
        "08:00,100,180,0,10.000,14,88.84,7.84,71.43,14,ok\r\n"
        "08:30,708,1800,0,708.000,,,,,,outside the usable range\r\n"
        "09:00,0,180,0,0.000,0,,,,0,no calls\r\n");
}

TEST_F(PlanCli, ChartsAreImagesOfTheRequestedKind) {
    const Result svg = Run("day.csv --chart day.svg --sl 90/15");
    const Result png = Run("day.csv --chart day.png -o plan.txt");
    ASSERT_EQ(svg.status, 0) << svg.err;
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(svg.err, "");

    QSvgRenderer renderer(QString::fromStdString((dir_ / "day.svg").string()));
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 1200, 600));
    EXPECT_NE(Slurp(dir_ / "day.svg").find("90 % of calls answered within 15 s"),
              std::string::npos);

    QImageReader reader(QString::fromStdString((dir_ / "day.png").string()));
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1200, 600));
    // Not a blank page: the steps are drawn in the plan's two colours.
    int drawn = 0;
    for (int x = 0; x < image.width(); x += 3)
        for (int y = 0; y < image.height(); y += 3)
            if (image.pixelColor(x, y) == QColor(0x1f, 0x4e, 0x9a)) ++drawn;
    EXPECT_GT(drawn, 100);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);  // the image readers need it
    return RUN_ALL_TESTS();
}
