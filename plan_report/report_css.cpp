// The page's stylesheet. System fonts only; on paper, A4 with the sections
// kept whole where they fit and the tables and figures never cut.
#include "plan_report/report_sections.h"

namespace tropolink {

std::string_view reportCss() {
    return R"css(
:root { --met: #1d7a35; --not-met: #b3261e; --rule: #d0d4da; --head: #f2f4f7; }
* { box-sizing: border-box; }
body { font-family: system-ui, -apple-system, "Segoe UI", "DejaVu Sans", Arial, sans-serif; font-size: 14px;
       line-height: 1.4; color: #1b1f24; margin: 0 auto; padding: 24px; max-width: 1100px; background: #fff; }
h1 { font-size: 26px; margin: 0 0 4px; }
h2 { font-size: 19px; margin: 0 0 10px; padding-bottom: 3px; border-bottom: 2px solid #1f4e9c; color: #1f4e9c; }
section { margin: 0 0 26px; }
.report-header { margin-bottom: 20px; }
.plan-notes { margin: 4px 0; font-size: 15px; white-space: pre-wrap; }
.stamp { color: #555; margin: 4px 0; }
.file, code { font-family: ui-monospace, "DejaVu Sans Mono", monospace; font-size: 0.92em; }
table { border-collapse: collapse; margin: 0 0 12px; font-variant-numeric: tabular-nums; }
caption { text-align: left; font-weight: bold; padding: 2px 0 4px; }
th, td { border: 1px solid var(--rule); padding: 3px 8px; vertical-align: top; }
thead th { background: var(--head); }
tbody th { text-align: left; font-weight: normal; background: #fafbfc; }
td { text-align: right; }
td.words { text-align: center; color: #555; font-style: italic; }
tr.sum th, tr.sum td { font-weight: bold; border-top: 2px solid #888; }
tr.group th { background: var(--head); font-weight: bold; }
tr.legacy th { font-style: italic; }
table.verdict td { text-align: left; }
table.verdict tr.met td.word, td.met { color: var(--met); font-weight: bold; }
table.verdict tr.not-met td.word, td.not-met { color: var(--not-met); font-weight: bold; }
table.verdict tr.met { background: #e8f5ec; }
table.verdict tr.not-met { background: #fbeaea; }
table.verdict tr.does-not-apply td { color: #5f6368; }
p.decision { font-weight: bold; }
p.decision.met { color: var(--met); }
p.decision.not-met { color: var(--not-met); }
table.climate td, table.path td { text-align: left; }
table.zones tr.used th, table.zones tr.used td { font-weight: bold; background: #eef3fb; }
table.mechanisms td.name { text-align: left; }
p.defaults { background: #fff6e0; border-left: 4px solid #d9a400; padding: 4px 8px; }
.columns { display: flex; flex-wrap: wrap; gap: 18px; align-items: flex-start; }
figure { margin: 0 0 10px; }
figcaption { font-size: 12px; color: #555; max-width: 620px; }
svg { max-width: 100%; height: auto; display: block; }
figure.profile svg { width: 100%; }
.small, td.note { font-size: 12px; color: #555; }
td.note { text-align: left; background: #fafbfc; }
pre.plan, pre.settings { background: #f6f8fa; border: 1px solid var(--rule); padding: 10px; font-size: 12px; white-space: pre-wrap;
           overflow-wrap: anywhere; }
@media screen and (min-width: 900px) { #sites .columns { flex-wrap: nowrap; } }
@page { size: A4; margin: 12mm; }
@media print {
  /* A collapsed border lies half outside its table: room for it at the edges. */
  body { padding: 0 1px; max-width: none; font-size: 10.5px; }
  h1 { font-size: 20px; }
  h2 { font-size: 15px; break-after: avoid; }
  section { margin-bottom: 14px; break-inside: avoid; }
  table, figure, tr, pre.plan, pre.settings, ul { break-inside: avoid; }
  th, td { padding: 2px 5px; }
  .columns { gap: 10px; flex-wrap: nowrap; }
  #year .columns { flex-wrap: wrap; }
  figure.waterfall svg { width: 100%; }
  table.chain { width: 100%; }
  figure.year svg { width: 120mm; }
  figure.mechanisms svg { width: 80mm; }
  table.mechanisms { font-size: 9.5px; width: 100%; }
  figure.profile svg { width: 125mm; margin: 0 auto; }
  table.stations tbody th, table.path tbody th { white-space: nowrap; }
  figcaption, .small, td.note { font-size: 9.5px; }
  tr.met, tr.not-met { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
}
)css";
}

}  // namespace tropolink
