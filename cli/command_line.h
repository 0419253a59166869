#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace tropolink::cli {

// --help with each option on one line: the value name and "..." for a
// repeatable option, without CLI11's Needs/Excludes notes (the descriptions
// state those rules).
class OneLineFormatter : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* option) const override;
};

// The arguments `app` takes, as its refusals list them: positionals, options
// with their value names, --help, --version, then the subcommands.
std::string allowedArguments(const CLI::App& app);

// The refusal of a tool option given before the subcommand that was run:
// "--json: give the options of availability after it: tropolink-cli availability --json";
// empty when no tool option was given.
std::string misplacedOptionMessage(const CLI::App& app, const CLI::App& subcommand);

}  // namespace tropolink::cli
