#pragma once

#include <string>
#include <string_view>

namespace tropolink::cli {

// The part of --help after the options: every NAME with its unit, range, step
// and start value, how VALUE is read, the batch format, the sweep subcommand,
// the --values members and the exit statuses.
std::string helpFooter();

// The sweep subcommand: its arguments and the columns of its table.
std::string_view sweepHelp();

// The profile subcommand: the file, the horizon search and the output.
std::string_view profileHelp();
// The plan subcommand: the forms, the verdict and the output.
std::string_view planHelp();
// The availability subcommand: its options, the table and the JSON members.
std::string availabilityHelp();

}  // namespace tropolink::cli
