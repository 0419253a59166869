#include "plan/plan_slots.h"

namespace tropolink {
namespace {

PlanSlot stationSlot(PlanStation& s, std::string_view name) {
    if (name == "name") return {.one = &s.name};
    if (name == "site") return {.site = &s.site};
    if (name == "mast-m") return {.one = &s.mastM};
    return {.settings = &s.settings};
}

PlanSlot pathSlot(PlanPath& p, std::string_view name) {
    if (name == "frequency-mhz") return {.one = &p.frequencyMhz};
    if (name == "dem") return {.list = &p.dem};
    if (name == "profile") return {.one = &p.profile};
    if (name == "distance-km") return {.one = &p.distanceKm};
    if (name == "surface-refractivity") return {.one = &p.surfaceRefractivity};
    if (name == "step-m") return {.one = &p.stepM};
    if (name == "sea-where-missing") return {.one = &p.seaWhereMissing};
    if (name == "fill-voids") return {.one = &p.fillVoids};
    if (name == "polarisation") return {.one = &p.polarisation};
    return {};
}

PlanSlot ituSlot(PlanItu& i, std::string_view name) {
    if (name == "delta-n") return {.one = &i.deltaN};
    if (name == "n0") return {.one = &i.n0};
    if (name == "climate-zone") return {.one = &i.climateZone};
    if (name == "ground-height-km") return {.one = &i.groundHeightKm};
    return {};
}

PlanSlot requirementSlot(PlanRequirement& r, std::string_view name) {
    if (name == "snr-db") return {.one = &r.snrDb};
    if (name == "availability-percent") return {.one = &r.availabilityPercent};
    if (name == "percent") return {.list = &r.percent};
    return {};
}

PlanSlot diversitySlot(PlanDiversity& d, std::string_view name) {
    if (name == "order") return {.one = &d.order};
    if (name == "combiner") return {.one = &d.combiner};
    if (name == "branch-correlation") return {.one = &d.branchCorrelation};
    return {};
}

}  // namespace

PlanSlot planSlot(Plan& plan, std::string_view table, std::string_view name) {
    if (table.empty()) {
        if (name == "title") return {.one = &plan.title};
        if (name == "notes") return {.one = &plan.notes};
        if (name == "power-div-1000") return {.one = &plan.powerDiv1000};
        return {};
    }
    if (table == "station1") return stationSlot(plan.station1, name);
    if (table == "station2") return stationSlot(plan.station2, name);
    if (table == "path") return pathSlot(plan.path, name);
    if (table == "itu") return ituSlot(plan.itu, name);
    if (table == "requirement") return requirementSlot(plan.requirement, name);
    if (table == "diversity") return diversitySlot(plan.diversity, name);
    return {};
}

std::vector<PlanText> planValues(const Plan& plan, std::string_view table, std::string_view name) {
    // Reading only: the slot's pointers are never written through here.
    const PlanSlot slot = planSlot(const_cast<Plan&>(plan), table, name);
    if (slot.one) return *slot.one ? std::vector<PlanText>{**slot.one} : std::vector<PlanText>{};
    if (slot.list) return *slot.list;
    if (slot.site) return *slot.site ? std::vector<PlanText>{(**slot.site)[0], (**slot.site)[1]} : std::vector<PlanText>{};
    if (slot.settings) {
        const auto found = slot.settings->find(std::string(name));
        if (found != slot.settings->end()) return {found->second};
    }
    return {};
}

}  // namespace tropolink
