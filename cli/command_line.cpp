#include "cli/command_line.h"

#include <vector>

namespace tropolink::cli {
namespace {

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : ", ") + word;
    return text;
}

// Counted flags have a type size but no value name.
bool takesValue(const CLI::Option& option) { return option.get_type_size() != 0 && !option.get_type_name().empty(); }

}  // namespace

std::string OneLineFormatter::make_option_opts(const CLI::Option* option) const {
    if (!option->get_option_text().empty()) return " " + option->get_option_text();
    std::string text;
    if (!takesValue(*option)) return text;
    if (!option->get_type_name().empty()) text += " " + option->get_type_name();
    if (option->get_expected_max() == CLI::detail::expected_max_vector_size) text += " ...";
    if (option->get_required()) text += " REQUIRED";
    return text;
}

std::string allowedArguments(const CLI::App& app) {
    std::vector<std::string> words;
    for (const CLI::Option* option : app.get_options()) {
        if (option == app.get_help_ptr() || option == app.get_version_ptr()) continue;
        if (option->get_positional())
            words.push_back(option->get_type_name());
        else
            words.push_back(option->get_name() + (takesValue(*option) ? " " + option->get_type_name() : ""));
    }
    if (app.get_help_ptr() != nullptr) words.emplace_back("--help");
    if (app.get_version_ptr() != nullptr) words.emplace_back("--version");
    for (const CLI::App* sub : app.get_subcommands({})) words.push_back(sub->get_name());
    return joined(words);
}

std::string misplacedOptionMessage(const CLI::App& app, const CLI::App& subcommand) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() == 0 || option->get_positional()) continue;
        const std::string name = option->get_name();
        const std::string& sub = subcommand.get_name();
        if (subcommand.get_option_no_throw(name) == nullptr) return name + ": not an option of " + sub;
        return name + ": give the options of " + sub + " after it: " + app.get_name() + " " + sub + " " + name;
    }
    return {};
}

}  // namespace tropolink::cli
