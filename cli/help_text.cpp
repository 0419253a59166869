#include "cli/help_text.h"

#include <algorithm>
#include <string_view>

#include "batch/line_reader.h"
#include "grammar/option_ranges.h"
#include "grammar/setting_names.h"

namespace tropolink::cli {
namespace {

constexpr std::size_t kNameColumn = 29;
constexpr std::size_t kUnitColumn = 10;
constexpr std::size_t kRangeColumn = 16;
constexpr std::size_t kStepColumn = 6;

void appendCell(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    out.append(width > text.size() ? width - text.size() : 1, ' ');
}

void appendRow(std::string& out, std::string_view name, std::string_view unit, std::string_view range,
               std::string_view step, std::string_view start) {
    out += "  ";
    appendCell(out, name, kNameColumn);
    appendCell(out, unit, kUnitColumn);
    appendCell(out, range, kRangeColumn);
    appendCell(out, step, kStepColumn);
    out += start;
    out += '\n';
}

void appendRow(std::string& out, const SettingName& name) {
    const int perUnit = name.positionsPerUnit();
    const SliderSpec& s = *name.slider;
    std::string unit = name.alias ? std::string(name.unit(false)) : "position";
    if (name.unit(true) != name.unit(false)) unit += " or " + std::string(name.unit(true));
    appendRow(out, name.text(), unit, shownValue(s.minimum, perUnit) + " to " + shownValue(s.maximum, perUnit),
              shownValue(1, perUnit), shownValue(s.start, perUnit));
}

constexpr std::string_view kValueRules = R"(
VALUE is a plain decimal number: digits with an optional point and decimals and
an optional sign ("+5", "-0", ".5" and "3." are read; "1e3", "0x10" and "inf"
are not). It must fall exactly on a step of the slider: trailing zeros do not
matter ("1.0" is 1 on a whole-number slider, "0.30" is 0.3 dB), but "0.35" dB is
between two steps and is refused, as is a value outside the range. Each slider
may be set once. The tx-power aliases read in W, or in mW with power-div-1000.
Every numeric option reads its value the same way and compares it with its
range exactly as written; one inside the range that a double cannot tell from
an excluded bound is refused as too close to it.
)";

constexpr std::string_view kBatchRules = R"(
--batch reads standard input: each line holds blank-separated NAME=VALUE words
and optionally the word power-div-1000; every line is a pass of its own from
the start positions. Each answer is one JSON line, in input order; a refused
line is answered by {"line": N, "error": "..."} (N counts input lines from 1)
and the batch goes on. Blank lines and lines whose first non-blank character
is # are skipped. Lines may end in LF or CRLF and be at most )";

constexpr std::string_view kSweepRules = R"(
tropolink-cli sweep NAME=FROM:TO[:STEP] [--set NAME=VALUE]... [--power-div-1000]
                    [--csv FILE] [--svg FILE] [--percent P]... [--delta-n DN]
                    [--ground-height-km HS] [--climate-zone Z] [--required-snr DB]
                    [--log-x]
runs one pass per point of a slider's grid from FROM up to TO, each from the
start positions with the --set values and the swept value. FROM and TO are read
like VALUE and must be values the slider takes, FROM at most TO; STEP, in NAME's
unit, is a whole number of slider steps (one when left out), and the last point
is the last step not beyond TO. The swept slider cannot also be --set.
--csv FILE writes the table below to FILE and --svg FILE a picture of path loss
and signal-to-noise against NAME; with neither the table goes to standard
output. Nothing is written unless every pass succeeded; a file that cannot be
written gives exit status 1.

The table is CSV (RFC 4180: commas, CRLF line ends, a header row, then one row
per point; numbers at full precision, as the shortest text that reads back to
the same double, with "." as decimal point). Its columns:
  NAME                        the swept value, in NAME's unit
  scattering-angle-deg
  yeh-loss-db, itt-loss-db, ccir-loss-db, collins-loss-db, rider-loss-db
                              empty where the path-loss box shows a word:
                              "Line of Sight", "Out of Range", "out of range"
  yeh-verdict, itt-verdict, ccir-verdict, collins-verdict, rider-verdict
                              "ok", "line of sight" or "out of range"
  line-of-sight-loss-db, perfect-duct-loss-db
  average-loss-db             empty on a line-of-sight path, where the window
                              shows the line-of-sight loss and " - LOS"
  s1.yeh-sn-db, s1.itt-sn-db, s1.ccir-sn-db, s1.collins-sn-db, s1.rider-sn-db,
  s2.yeh-sn-db, s2.itt-sn-db, s2.ccir-sn-db, s2.collins-sn-db, s2.rider-sn-db
                              signal-to-noise at station 1 and at station 2;
                              empty where the box shows "No Data"
  atmospheric-attenuation-db
then, for each --percent P in the order given (P as the shortest decimal):
  p617-pP-loss-db, s1.p617-pP-sn-db, s2.p617-pP-sn-db,
  p2001-pP-loss-db, s1.p2001-pP-sn-db, s2.p2001-pP-sn-db
                              the loss not exceeded for P % of the year by
                              P.617 and by P.2001 (--climate-zone, --delta-n
                              and --ground-height-km as for availability,
                              default 6, 40 and 0) and the S/N it gives at
                              each station; empty on a line-of-sight path.
                              The picture draws both methods' curves beside
                              the five, with P in the legend.
then, with --required-snr DB (which, like the three options above, needs
--percent):
  s1.p617-availability-percent, s2.p617-availability-percent,
  s1.p2001-availability-percent, s2.p2001-availability-percent
                              the largest P (0.001 to 99.999 % of the year)
                              at which the S/N at station 1 or 2 is at least
                              DB, as availability gives it; empty where it
                              gives none (met everywhere, nowhere, line of
                              sight, out of range). The picture adds a panel
                              of them, Availability (% of the year).
--log-x draws the picture's x axis logarithmic, with ticks at the powers of
ten (for a frequency sweep, say); the swept values must lie above 0.
)";

constexpr std::string_view kProfileRules = R"(
tropolink-cli profile FILE [--s1-mast-m M] [--s2-mast-m M] [--set NAME=VALUE]...
                      [--power-div-1000] [--json] [--svg OUT.svg]
                      [--availability [--percent P]... [--delta-n DN]
                                      [--climate-zone Z] [--required-snr DB]]
reads a terrain profile and sets both stations' antenna heights, obstruction
heights and distances and the path distance from it. FILE (- for standard
input) is CSV with two columns, the distance from station 1 in km and the
ground height in m above sea level, from station 1 at 0 km to station 2 on the
last row, distances rising strictly, 3 to 100000 rows; a header line, # comments
and blank lines are skipped. Each antenna stands its mast (--s1-mast-m,
--s2-mast-m) above the ground at its end. Its horizon is the point between the
ends, within 100 km of it, of the largest elevation angle
  1000 * ((hi - ha) / di - di / (2 * 8494.64543)) mrad
(heights hi, ha and distance di in km; ties go to the nearer point). Heights
and distances are rounded half away from zero to whole m and km. --set may move
any other slider. Printed: the settings as one line that --batch reads, the
horizon of each station (its row; the exact distance, height and angle; the
angle on the slider grid and the difference), then the boxes of one pass on
that line as TextN<TAB>text lines, the texts --batch answers for that line.
--json prints one object instead:
  {"settings": {ALIAS: value, ...}, "horizon": {"station1": {"row", "distanceKm",
  "heightM", "angleMrad", "angleMradOnGrid", "differenceMrad"}, "station2":
  {...}}, "boxes": {"Text1": ..., ...}}
--svg draws the profile over the curved earth, the antennas, their horizon rays
to where they cross, the horizon points and the direct line. --availability
adds P.617 and P.2001 as the availability subcommand gives them (--percent,
--delta-n, --climate-zone, --required-snr as there), fed the profile's exact
horizon angles, antenna heights and path distance, not the rounded sliders, and
the ground under the crossing of the horizon rays as the ground height; the
text names the angles, JSON has them in "availability"."geometry". A refused
profile gives one line naming FILE and the row (counting every line from 1), and exit
status 2.
)";

constexpr std::string_view kAvailabilityRules = R"(
tropolink-cli availability [--set NAME=VALUE]... [--power-div-1000] [--percent P]...
                           [--delta-n DN] [--ground-height-km HS] [--climate-zone Z]
                           [--required-snr DB] [--diversity-order N] [--combiner NAME]
                           [--branch-correlation R] [--json] [--batch]
gives, for the settings of one pass (the start positions with the --set values),
the basic transmission loss not exceeded for P % of an average year by two
ITU-R troposcatter methods: P.617 (trans-horizon radio-relay systems) and the
climate-zone method of P.2001 (Attachment E). For each P and each method: the
loss L(P), the fade margin L(P) - L(50) and the signal-to-noise at each station,
with the window's formula and L(P) as the path loss. Both losses are floored at
free space. On a line-of-sight path (scatter angle <= 0) neither method gives a
figure: the table says "line of sight" and the JSON numbers are null.
Options (each once, except --percent):
)";

// After the generated option lines.
constexpr std::string_view kAvailabilityOutput =
    R"(The geometry: per station the horizon elevation angle (theta-t at station 1,
theta-r at station 2, mrad) is the larger of the smooth-earth horizon angle
-1000 * sqrt(2h / ae) and the obstruction angle 1000 * ((ho - h) / do - do / (2 ae)),
heights and distances in km, 0 read as 0.001; the scatter angle is
theta = 1000 d / ae + theta-t + theta-r. P.617 also reads the antenna heights
(hts, hrs in m), N (as N0) and the two gains; P.2001 the frequency in GHz.
The pass's scattering angle is on its own effective earth (from N), so the
table adds a line with both angles and both radii.
The JSON object:
  p617, p2001: one object per P: {"percent", "loss", "fadeMargin",
    "snrAtStation1", "snrAtStation2"} (dB; null on a line-of-sight path)
  geometry: {"effectiveEarthRadiusKm", "thetaTMrad", "thetaRMrad",
    "scatterAngleMrad", "lineOfSight", "commonVolumeHeightKm",
    "calculatorScatteringAngleDeg", "calculatorEffectiveEarthRadiusKm"}
  availability (with --required-snr): {"p617": {"atStation1": {"percent",
    "outageMinutesPerYear"}, "atStation2": {...}}, "p2001": {...}}; where no
    percentage is found both are null and "bound" reads "above 99.999" (met
    everywhere), "below 0.001" (met nowhere) or "line of sight"
  fading (with a diversity option): {"diversityOrder", "combiner",
    "branchCorrelation", "p617": {"requiredMargins": [{"percent",
    "hourlyMedianOnlyDb", "oneReceiverDb", "withDiversityDb", "improvementDb"}],
    "stations": {"atStation1": {"medianMarginDb", "oneReceiver": {"percent",
    "outageMinutesPerYear", "heldBeyondMethod"}, "withDiversity": {...}}}},
    "p2001": {...}} (null where the method gives no figure); a --batch with
    --required-snr gives the stations and leaves "requiredMargins" empty
Numbers are the shortest text that reads back to the same double.
)";

constexpr std::size_t kOptionColumn = 24;
constexpr std::size_t kHelpWidth = 80;

// `text` after `head`, wrapped at word ends under kOptionColumn.
void appendOptionItem(std::string& out, std::string_view head, std::string_view text) {
    std::string line = "  " + std::string(head);
    line.append(line.size() < kOptionColumn - 1 ? kOptionColumn - line.size() : 1, ' ');
    bool lineHasWord = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (lineHasWord && line.size() + 1 + word.size() > kHelpWidth) {
            out += line + '\n';
            line.assign(kOptionColumn, ' ');
            lineHasWord = false;
        }
        line += (lineHasWord ? " " : "") + std::string(word);
        lineHasWord = true;
    }
    out += line + '\n';
}

void appendNumberOption(std::string& out, const NumberOption& option, std::string_view more) {
    std::string text = std::string(option.meaning) + ", " + allowedValues(option);
    if (!option.defaultValue.empty()) text += "; default " + std::string(option.defaultValue);
    if (!more.empty()) text += std::string(more[0] == '(' ? " " : ". ") + std::string(more);
    appendOptionItem(out, std::string(option.name) + " " + std::string(option.valueName), text);
}

std::string availabilityOptionLines() {
    std::string out;
    appendNumberOption(out, kPercentOption, "(repeatable, rows in the order given)");
    appendNumberOption(out, kDeltaNOption, "Effective earth radius ae = 6371 * 157 / (157 - DN) km");
    appendNumberOption(out, kN0Option, "(P.617; default: the N value sea level slider)");
    appendNumberOption(out, kGroundHeightOption, "(P.617)");
    appendNumberOption(out, kClimateZoneOption, "(P.2001)");
    for (const std::string_view zone :
         {"1 equatorial, 2 continental sub-tropical,", "3 maritime sub-tropical, 4 desert,", "5 continental temperate,",
          "6 maritime temperate, over land,", "7 maritime temperate, over sea"})
        out += std::string(kOptionColumn, ' ') + std::string(zone) + '\n';
    appendNumberOption(out, kRequiredSnrOption,
                       "Adds, per method and receiving station, the largest P (0.001 to 99.999, to 1e-6 %) at which "
                       "the S/N is at least DB, and the outage in minutes a year, (100 - P) / 100 * 525960");
    appendOptionItem(out, "--diversity-order N",
                     "1, 2 or 4 receiving branches (default 1). Any of the three diversity options adds fading "
                     "within the hour (Rayleigh about the hourly median) beside the hourly-median-only figures: "
                     "per method the median margin needed at 99.9 and 99.99 % for one receiver and with the "
                     "diversity, the improvement, and with --required-snr the availability and outage reached");
    appendOptionItem(out, "--combiner NAME", "selection or maximal-ratio (default selection)");
    appendNumberOption(out, kBranchCorrelationOption, "(dual diversity only)");
    appendOptionItem(out, "--json", "one JSON object instead of the table");
    appendOptionItem(out, "--batch",
                     "one JSON object per line of standard input; the lines hold settings as for --batch, the options "
                     "above apply to every line, refused lines get {\"line\": N, \"error\": \"...\"}");
    return out;
}

constexpr std::string_view kValuesRules = R"(
--values (JSON only; implies --json) adds a "values" member beside Text1 to
Text52 with the pass's figures at full precision (null where none exists):
  scatteringAngle (deg), lineOfSight (bool),
  station1, station2: takeOffAngle (deg), horizonLimited (bool),
    rxSensitivity (dBW), eirpDbw (dBW), beamwidth (deg),
  lineOfSightLoss, perfectDuctLoss, atmosphericAttenuation (dB),
  yeh, itt, ccir, collins, rider: verdict ("valid", "outOfRange" or
    "lineOfSight", as the path-loss box shows), loss (dB, null when the
    method gives none), signalToNoise.atStation1, signalToNoise.atStation2
    (dB, null where the box shows "No Data"); yeh and ccir also couplingLoss,
  averageLoss (dB, null on a line-of-sight path).

Exit status: 0 all answered, 1 standard output or input failed, 2 an input was
refused (in a batch: at least one line), 3 a pass could not compute a quantity.
)";

}  // namespace

constexpr std::string_view kPlanRules = R"(
tropolink-cli plan FILE [--json] [--report FILE.html] [--kml FILE]
                   [--geojson FILE] [--svg FILE] [--maps DIR]
tropolink-cli plan --new FILE
runs a link plan, a TOML file named *.tropolink.toml: the terrain (sites with
[path].dem, or a [path].profile CSV with or without sites, or the sliders
alone), the climate maps, one pass with its boxes, P.617 and P.2001 at
[requirement].percent, and the availability against the required S/N. The
text starts with the verdict, one line per method and receiving station: met
or not (reached >= [requirement].availability-percent), the availability and
the outage in minutes a year. --json prints one object: "plan" as read,
"verdicts", "notes", the settings, boxes, "availability", "climate" with each
value's source, and "values". Every number is checked as --set and the options
check it. A refused plan prints FILE:LINE:COLUMN, the key, the problem and
what is allowed, writes no file and exits with status 2. --new writes a
template with every key, its unit, range and default; it never overwrites.
)";

std::string helpFooter() {
    std::string out = "Settings (NAME=VALUE):\n";
    appendRow(out, "NAME", "unit", "range", "step", "start");
    for (const Alias& alias : kAliases) appendRow(out, *findSettingName(alias.name));
    for (const SliderSpec& slider : kSliders) appendRow(out, *findSettingName(slider.name));
    out += kValueRules;
    out += kBatchRules;
    out += std::to_string(kMaxLineBytes) + " bytes.\n";
    out += kSweepRules;
    out += kProfileRules;
    out += kPlanRules;
    out += availabilityHelp();
    out += kValuesRules;
    return out;
}

std::string_view sweepHelp() { return kSweepRules; }

std::string_view profileHelp() { return kProfileRules; }
std::string_view planHelp() { return kPlanRules; }
std::string availabilityHelp() {
    return std::string(kAvailabilityRules) + availabilityOptionLines() + std::string(kAvailabilityOutput);
}

}  // namespace tropolink::cli
