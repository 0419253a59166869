#include "plan/plan_paths.h"

namespace tropolink {
namespace {

namespace fs = std::filesystem;

fs::path folderOf(const fs::path& file) {
    return file.empty() ? fs::current_path() : fs::absolute(file).parent_path().lexically_normal();
}

void rebase(PlanText& path, const fs::path& from, const fs::path& to) {
    const fs::path written(path.text);
    if (path.text.empty() || written.is_absolute()) return;
    const fs::path target = (from / written).lexically_normal();
    fs::path moved = target.lexically_relative(to);
    if (moved.empty()) moved = target;  // no relative route (another root): name it whole
    std::string text = moved.generic_string();
    // A folder written as "srtm/" stays recognisably a folder.
    if (path.text.back() == '/' && (text.empty() || text.back() != '/')) text += '/';
    path.text = text;
}

}  // namespace

Plan planMovedTo(Plan plan, const fs::path& newFile) {
    const fs::path from = folderOf(plan.file);
    const fs::path to = folderOf(newFile);
    if (from == to) return plan;
    for (PlanText& dem : plan.path.dem) rebase(dem, from, to);
    if (plan.path.profile) rebase(*plan.path.profile, from, to);
    return plan;
}

}  // namespace tropolink
