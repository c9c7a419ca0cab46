// The corvane-plan program run as a user would, in a directory of its own.
#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace corvane::testing {

namespace fs = std::filesystem;

inline std::string Slurp(const fs::path& path) {
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
        return RunProgram(CORVANE_PLAN, args, input);
    }
    Result RunProgram(const char* program, const std::string& args, const std::string& input = "") {
        QProcess p;
        p.setWorkingDirectory(tmp_.path());
        p.start(QString::fromUtf8(program), QProcess::splitCommand(QString::fromStdString(args)));
        p.write(input.data(), static_cast<qint64>(input.size()));
        p.closeWriteChannel();
        // Generous for a loaded machine; a run that did not end is no result.
        if (!p.waitForFinished(600000)) {
            p.kill();
            p.waitForFinished();
            return {-2, "", "the program did not finish"};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
    }
    void Spit(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    QTemporaryDir tmp_;
    fs::path dir_{tmp_.path().toStdString()};
};

// A file of the examples with its rows over and over: a million for a day.
inline std::string Repeated(const char* example, int times = 20'834) {
    const std::string text = Slurp(fs::path(CORVANE_EXAMPLES) / example);
    const std::size_t head = text.find('\n') + 1;
    std::string all = text.substr(0, head);
    for (int i = 0; i < times; ++i) all.append(text, head);
    return all;
}

inline std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace corvane::testing
