// The shifts file: what each column may hold, and the message for each
// value it may not.
#include <gtest/gtest.h>

#include "shifts/shift_file.h"

namespace {

using namespace corvane;

Result<shifts::ShiftFile, input::PlanFault> Read(const std::string& text) {
    input::TextSource source(text, 7);  // small pieces: records cut anywhere
    return shifts::ReadShiftFile(source, "shifts.csv");
}

TEST(ShiftFile, EveryColumnRead) {
    const auto file = Read(
        "Name;Length;Earliest;Latest;Days;Max;Cost;Lunch;Lunch_After;Lunch-Before\r\n"
        "Early;8:30;06:00;09:30;Mon,Wed-Fri;12;1,25;0:30;3:00;5:00\r\n"
        "Weekend;4:00;10:00;10:00;Fri-Mon;;;;;\r\n");
    ASSERT_TRUE(file.Ok()) << file.Error().message;
    const auto& early = file.Value().types.at(0);
    EXPECT_EQ(early.name, "Early");
    EXPECT_EQ(early.line, 2);
    EXPECT_EQ(early.length, 510);
    EXPECT_EQ(early.earliest, 360);
    EXPECT_EQ(early.latest, 570);
    EXPECT_EQ(early.days.to_string(), "0011101");  // Sunday first: Mon, Wed, Thu, Fri
    EXPECT_EQ(early.max, 12);
    EXPECT_EQ(early.cost, 1.25);  // a decimal comma in a semicolon file
    EXPECT_EQ(early.PaidMinutes(), 480);
    EXPECT_EQ(early.lunchAfter, 180);
    EXPECT_EQ(early.lunchBefore, 300);
    const auto& weekend = file.Value().types.at(1);
    EXPECT_EQ(weekend.days.to_string(), "1110001");  // Fri, Sat, Sun, Mon
    EXPECT_FALSE(weekend.max.has_value());
    EXPECT_EQ(weekend.cost, 1.0);
    EXPECT_EQ(weekend.lunch, 0);
}

TEST(ShiftFile, BadValuesNameFileLineAndColumn) {
    const std::string head = "name,length,earliest,latest,days,max,cost,lunch,lunch_after,lunch_before\n";
    const struct {
        const char* row;
        const char* message;
    } cases[] = {
        {",8:00,08:00,08:00,,,,,,", "shifts.csv:2: name: '' is empty"},
        {"A,8h,08:00,08:00,,,,,,", "shifts.csv:2: length: '8h' is not a length of time (H:MM)"},
        {"A,0:00,08:00,08:00,,,,,,", "shifts.csv:2: length: '0:00' must be more than 0:00 and at most 24:00"},
        {"A,24:30,08:00,08:00,,,,,,", "shifts.csv:2: length: '24:30' must be more than 0:00 and at most 24:00"},
        {"A,8:60,08:00,08:00,,,,,,", "shifts.csv:2: length: '8:60' is not a length of time (H:MM)"},
        {"A,8:00,24:00,08:00,,,,,,", "shifts.csv:2: earliest: '24:00' is not a time of day (HH:MM)"},
        {"A,8:00,08:00,07:45,,,,,,", "shifts.csv:2: latest: '07:45' is before earliest (08:00)"},
        {"A,8:00,08:00,08:00,Mon-Fry,,,,,",
         "shifts.csv:2: days: 'Mon-Fry' is not days such as Mon-Fri or Sat,Sun"},
        {"A,8:00,08:00,08:00,,1.5,,,,",
         "shifts.csv:2: max: '1.5' is not a whole number of agents, 0 to 1,000,000"},
        {"A,8:00,08:00,08:00,,,0,,,", "shifts.csv:2: cost: '0' must be more than 0 and at most 1,000,000"},
        {"A,8:00,08:00,08:00,,,1,000,,,", "shifts.csv:2: lunch: '000' is not a length of time (H:MM)"},
        {"A,8:00,08:00,08:00,,,,0:30,,", "shifts.csv:2: a lunch needs both lunch_after and lunch_before"},
        {"A,8:00,08:00,08:00,,,,,1:00,",
         "shifts.csv:2: lunch_after: '1:00' is given for a shift without a lunch"},
        {"A,8:00,08:00,08:00,,,,0:30,4:00,3:00",
         "shifts.csv:2: lunch_before: '3:00' is before lunch_after (4:00)"},
        {"A,8:00,08:00,08:00,,,,0:30,3:00,7:45",
         "shifts.csv:2: lunch_before: '7:45' lets the lunch end after the shift (8:00 long)"},
        {"A,8:00,08:00,08:00,,,,0:30,0:00,1:00",
         "shifts.csv:2: lunch_after: '0:00' must be after the start (0:00)"},
        {"A,8:00,08:00", "shifts.csv:2: latest: missing value"},
        {"A,8:00,08:00,08:00\nA,4:00,09:00,09:00", "shifts.csv:3: name: 'A' is given twice"},
        // Names reach plans and terminals: nothing in them may drive one.
        {"\x1b[2J,8:00,08:00,08:00",
         "shifts.csv:2: name: '?[2J' holds a control character (U+001B): a shift's name must be "
         "plain text"},
        {"Early\xc2\x9b,8:00,08:00,08:00",
         "shifts.csv:2: name: 'Early?' holds a control character (U+009B): a shift's name must "
         "be plain text"},
        {"\xe2\x80\xaeLate,8:00,08:00,08:00",
         "shifts.csv:2: name: '?Late' holds a control character (U+202E): a shift's name must "
         "be plain text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const auto file = Read(head + c.row + "\n");
        ASSERT_FALSE(file.Ok());
        EXPECT_EQ(file.Error().message, c.message);
    }
    for (const auto& [text, message] : std::initializer_list<std::pair<const char*, const char*>>{
             {"", "shifts.csv: the file is empty"},
             {"name,length,earliest,latest\n", "shifts.csv: no shifts below the header"},
             {"name,length,earliest\nA,8:00,08:00\n",
              "shifts.csv:1: no 'latest' column (a shifts file has name, length, earliest and latest)"},
             {"name,length,earliest,latest\n\"A,8:00,08:00,08:00\n",
              "shifts.csv:2: a quoted field is never closed"}}) {
        const auto file = Read(text);
        ASSERT_FALSE(file.Ok()) << text;
        EXPECT_EQ(file.Error().message, message);
    }
}

TEST(ShiftFile, TimesMustFallOnTheIntervals) {
    const auto file = Read("name,length,earliest,latest,lunch,lunch_after,lunch_before\n"
                           "A,8:00,08:00,09:30,0:30,3:00,4:30\n"
                           "B,4:00,08:15,08:15,,,\n");
    ASSERT_TRUE(file.Ok());
    EXPECT_TRUE(shifts::CheckShiftTimes(file.Value(), 15).Ok());
    const auto half = shifts::CheckShiftTimes(file.Value(), 30);
    ASSERT_FALSE(half.Ok());
    EXPECT_EQ(half.Error().message,
              "shifts.csv:3: earliest: '8:15' is not a whole number of the plan's 30-minute intervals");
    EXPECT_FALSE(shifts::CheckShiftTimes(file.Value(), 60).Ok());  // A's 09:30 already
}

}  // namespace
