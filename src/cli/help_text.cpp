#include "cli/help_text.h"

namespace corvane::cli {

const char* const kPlanHelpFooter = R"help(Input
  A CSV file with a header row, separated by commas, semicolons, tabs or
  "|" (the delimiter that makes a header of the header line); quoting as in
  RFC 4180; UTF-8 with an optional byte-order mark, or UTF-16 with one; CR
  LF, LF or CR line ends; blank lines skipped; a row at most 64 KiB, a label
  at most 64 characters. Up to 19 title lines may stand above the header
  (the first line naming a calls column and a time or handle-time column);
  a note on standard error names them.
  Columns are found by name, in any order, without regard to case, spaces,
  "_", "-" or "."; others are ignored:
    calls     (offered, calls offered, offered calls, volume, contacts,
              forecast, forecast calls) calls offered, 0 or more
    talk      (talk time, avg talk time) average talk time, more than 0 (or
              --talk); in a row without calls it may be empty, "-" or 0, as
              acw may
    acw       (wrap, wrap up, after call work, avg acw) after-call work, 0
              or more (or --acw; 0)
    aht       (handle time, avg handle time, average handle time) talk and
              after-call work as one figure; a file with aht and talk or
              acw is refused as ambiguous
    interval  (interval start, start, start time, period, slot, from, time,
              hour) a time such as 08:00, 9:00 AM or 08:00 - 08:30, or a
              whole hour 0-23 under time or hour; other labels are kept as
              written (rows are numbered from 1 without one); a label with
              a control character (C0, DEL, C1) or a bidirectional
              override or isolate is refused, as it is in a shift's name
    date      a date for the interval's time: the label becomes
              YYYY-MM-DD HH:MM
    datetime  (date time, timestamp) a date and a time in one column
  A leading "forecast" or "actual" ranks a column: a forecast is planned
  before an actual one (a note says so); two of one rank are refused.
  Without an interval column, the first column whose cells are times (or
  dates and times) is taken, and a note says which.
  Units: talk, acw and aht are seconds, or minutes when the header says so
  ("AHT (min)", "Handle time (minutes)"; "(s)", "(sec)", "_s" for seconds);
  durations H:MM:SS or M:SS are read as such. A talk or aht column without
  a unit whose every value is below 20 is refused: name its unit.
  Figures may have decimals: "." in a comma-separated file, "," in a
  semicolon-separated one, either in a tab or "|" one (where "1,385" is
  refused: it could be a thousands group); no thousands separators.
  Dates: YYYY-MM-DD, DD.MM.YYYY, or DD/MM/YYYY and MM/DD/YYYY (also with
  "-" and without leading zeros), whose order the file settles: a first
  field above 12 anywhere makes it day first, a second field above 12
  month first; a file that settles nothing is refused unless --date-order
  says. With a time after a space (ISO also after a "T").
  A column in the file wins over --talk and --acw. Decimals in options are
  written with "." whatever the regional settings.
  Refused, naming the line: a row with more filled fields than the header
  has columns (quote a figure with a thousands separator); a total row
  (labelled Total, Grand Total or Sum, or with an empty label); an interval
  given twice (the same date and time, or without dates the same time
  twice in a row).

Interval length
  When the labels carry times, the interval length is the most common step
  between consecutive labels of a day; one longer jump of whole intervals
  (a closed hour, a night) is intervals left out. Rows of different lengths
  (a run of hourly rows among half-hours, a day of quarter-hours beside
  days of half-hours) are refused, naming the first. An --interval that
  contradicts the labels is refused. Without times it is --interval, else
  30 minutes.

What is computed, per interval
  Handle time H = talk + acw; traffic A = calls x H / interval seconds, from
  the figures as written.
  Agents: the first agent count, from the first row of the staffing table
  on (2 agents, or the first count above the traffic), that answers P % of
  the calls within S seconds and, where asked, has an ASA of at most the
  limit and an occupancy of at most the cap. Rows are compared unrounded.
  With --patience the occupancy is a sum of rounded terms: a cap is met
  within 10^-10 percentage points, and a cap of 100 never binds.
  Without --patience the measures are Erlang C's: callers wait as long as
  it takes. Whole figures within the window's range are computed by the
  staffing table's own code, so for 30-minute intervals the chosen row is
  the row the window's staffing table shows; other intervals (fractional
  figures, traffic past about 700 Erlangs) by the Erlang B recursion
  carried upward, which stays exact for any traffic.
  Scheduled: the fewest agents whose share on the phones, 100 - shrinkage
  per cent, covers the agents needed (decided exactly: 21 at 30 % give 30).
  An interval with 0 calls needs 0 agents. An interval is "outside the
  usable range" only when it would need more than 1,000,000 agents, or,
  with --patience, when its queue cannot be followed (more than 10 million
  callers waiting).

Callers who hang up (--patience)
  Patience is how long a caller is willing to wait, on average, before he
  hangs up; each caller's patience is taken as exponential with that mean.
  With --patience the plan uses Erlang A (M/M/N+M): a caller not answered
  before his patience runs out hangs up and leaves the queue, so those
  behind him wait less. In plain words:
    P(wait)        share of calls that find every agent busy;
    abandonment    share of offered calls that hang up (ABN%, "abandon");
    service level  share of offered calls answered within S seconds; a
                   call that hangs up never meets it, however soon;
    ASA            mean wait of the calls that are answered;
    occupancy      answered load per agent, A x (1 - abandonment) / N.
  Agents: the fewest (1 or more) that meet every target given, including
  --max-abandon. Short queues are summed state by state; long ones (very
  patient callers of short calls) are integrated over the offered wait, so
  the cost of an interval is bounded whatever the patience.
  Abandonment can make an interval need fewer agents than
  Erlang C says (the queue sheds callers), and a shorter patience can need
  fewer still; a cap on abandonment puts agents back.

Output
  text   a fixed-column table (interval, calls, talk, acw, Erlangs, agents,
         P(W)%, SL%, ASA, OCC%, [ABN%,] scheduled, [on duty,] status), then the
         totals: required and scheduled agent-hours and the peak interval;
         when the labels carry dates, a table of days (agent-hours and the
         peak interval of each); with --shifts, paid hours, efficiency
         and the solver's result, and a table of the shifts
  csv    interval,calls,talk,acw,erlangs,agents,wait,service_level,asa,
         occupancy,[abandon,]scheduled,[on_duty,]status - "." decimals, shares in
         per cent, figures as read with up to two decimals, durations in
         seconds; a label beginning with =, +, - or @ gets a leading ', so a
         spreadsheet shows it as text
  json   the options used, the rows at full precision (wait: P(W) in per
         cent), the totals and, with dates, "days", with shifts, "shifts"; any byte of the file
         name that is not UTF-8 becomes U+FFFD
  --chart draws the plan (.svg or .png): agents required and scheduled per
         interval, ticks on the hours for a day and on the day starts for
         up to two weeks; from 15 days on a heat map, one row per day and
         one column per time of day, the colour the agents required. With
         --shifts, the agents on duty as a third line, or beside the heat
         map a second one of on duty less scheduled (red short, green over).
  Files of any length are planned in bounded memory (a long input is read
  up to three times; standard input is copied aside to an unnamed
  temporary file).

Outputs (-o, --chart, --shift-plan)
  Refused before anything is read, with status 2: an output that is an
  input (the forecast or the shift types, also through links, or standard
  output appended to one), and two outputs on one file or both on standard
  output (no -o or -o -, /dev/stdout, /dev/fd/1).
  A file (new, existing, or the target of symbolic links) is written aside
  and replaced only once every output is written whole, keeping its
  permissions: when any output fails, none is replaced. A device, FIFO or
  open descriptor (/dev/null, /dev/stdout, /dev/fd/N) is written in place
  and cannot be taken back: with other outputs it is written last, after
  the files are in place. A reader that goes away ends the run with
  status 1. A temporary file a killed run left beside an output
  (.cp-xxxxxxxx) is removed by the next run that writes there.
  File names in messages and headings show control characters escaped
  (\x1b, \u202e). A run that takes more than two seconds shows its
  progress on standard error when that is a terminal.

Shifts (--shifts)
  A CSV read by the forecast's rules: name, length (H:MM), earliest and
  latest (HH:MM; a start every interval between them), and optionally days
  (Mon-Fri, Sat,Sun), max (most agents starting it on one day), cost (per
  paid hour, default 1), lunch, lunch_after, lunch_before (H:MM; an unpaid
  lunch starting between these offsets from the start). Times are whole
  intervals. CBC finds the plan of least cost (paid hours = length - lunch)
  that puts at least the scheduled agents on duty in every interval. A
  shift past midnight covers the next day; a file of whole weeks runs round
  (Sunday night covers Monday morning), otherwise hours past the file cover
  nothing. An interval no shift can cover, or that the max limits leave
  short, is refused unless --allow-short is given.

Exit status
  0  the plan is written
  1  an output could not be written (its reader went away), or the solver
     found no shift plan in its time
  2  bad input or options: a message names the file, line and column, and
     nothing is written (also when the totals are too large to add up, and
     when an interval needs more agents than the shifts can give, and when
     an output is an input or two outputs are one)
  3  the plan is written, but some intervals are outside the usable range
)help";

}  // namespace corvane::cli
