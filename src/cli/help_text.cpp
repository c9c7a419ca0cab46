#include "cli/help_text.h"

namespace corvane::cli {

const char* const kPlanHelpFooter = R"(Input
  A CSV file with a header row: comma-separated, or semicolon-separated when
  the header has semicolons and no comma; quoting as in RFC 4180; UTF-8 with
  an optional byte-order mark; CR LF, LF or CR line ends; blank lines
  skipped; a row at most 64 KiB, a label at most 64 characters.
  Columns are found by name, in any case and any order; others are ignored:
    interval  a label such as 08:00, kept as text (rows are numbered from 1
              when the column is absent)
    calls     calls offered in the interval, a whole number, 0 or more
    talk      average talk time in seconds, whole, 1 or more (or --talk)
    acw       after-call work in seconds, whole, 0 or more (or --acw; 0)
  A column in the file wins over --talk and --acw. Decimals in options are
  written with "." whatever the regional settings.

What is computed, per interval
  Handle time H = talk + acw; traffic A = calls x H / interval seconds.
  Agents: the first agent count, from the first row of the staffing table
  on (2 agents, or the first count above the traffic), that answers P % of
  the calls within S seconds and, where asked, has an ASA of at most the
  limit and an occupancy of at most the cap. Rows are compared unrounded.
  With --patience the occupancy is a sum of rounded terms: a cap is met
  within 10^-10 percentage points, and a cap of 100 never binds.
  Without --patience the measures are Erlang C's, computed by the staffing
  table's own code: callers wait as long as it takes. For 30-minute
  intervals the chosen row is the row the window's staffing table shows.
  Scheduled: the fewest agents whose share on the phones, 100 - shrinkage
  per cent, covers the agents needed (decided exactly: 21 at 30 % give 30).
  An interval with 0 calls needs 0 agents. An interval the model cannot
  compute (about 700 Erlangs and more, talk + acw above 32767, a measure
  out of the number range) is listed as "outside the usable range".

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
  --max-abandon. Abandonment can make an interval need fewer agents than
  Erlang C says (the queue sheds callers), and a shorter patience can need
  fewer still; a cap on abandonment puts agents back.

Output
  text   a fixed-column table (interval, calls, talk, acw, Erlangs, agents,
         SL%, ASA, OCC%, [ABN%,] scheduled, status), then the totals:
         required and scheduled agent-hours and the peak interval
  csv    interval,calls,talk,acw,erlangs,agents,service_level,asa,
         occupancy,[abandon,]scheduled,status - "." decimals, shares in
         per cent; a label beginning with =, +, -, @, a tab or a carriage
         return gets a leading ', so a spreadsheet shows it as text
  json   the options used, the rows at full precision and the totals; any
         byte of the file name that is not UTF-8 becomes U+FFFD
  --chart draws agents required and scheduled per interval (.svg or .png).
  An output file is replaced only once the whole plan and the chart are
  written, and keeps its permissions; a symbolic link is followed; a
  device, FIFO or descriptor such as /dev/stdout is written directly.
  Files of any length are planned in bounded memory (the input is read
  twice; standard input is copied aside to an unnamed temporary file).

Exit status
  0  the plan is written
  1  an output file could not be written
  2  bad input or options: a message names the file, line and column, and
     nothing is written (also when the totals are too large to add up)
  3  the plan is written, but some intervals are outside the usable range
)";

}  // namespace corvane::cli
