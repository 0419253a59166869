#include "ground/ground.h"

#include "profile/profile_error.h"
#include "profile/profile_file.h"
#include "terrain/terrain_error.h"

namespace tropolink {
namespace {

Ground readFrom(const GroundSource& source) {
    Ground ground;
    if (!source.dems.empty()) {
        ground.name = kDemGroundName;
        ground.placed = profileFromDems(source.dems, source.sites->first, source.sites->second, source.options);
        ground.points = ground.placed->points;
        return ground;
    }
    ground.name = *source.profileFile;
    ground.points = source.ituLayout ? profile::readAnyProfileFile(*source.profileFile)
                                     : profile::readProfileFile(*source.profileFile);
    if (source.sites) ground.placed = placeProfile(ground.points, source.sites->first, source.sites->second);
    return ground;
}

std::string nameOf(const GroundSource& source) {
    return source.dems.empty() ? source.profileFile.value_or("") : std::string(kDemGroundName);
}

}  // namespace

Ground readGround(const GroundSource& source) {
    try {
        return readFrom(source);
    } catch (const terrain::TerrainError& e) {
        throw GroundError(e.what());
    } catch (const profile::ProfileError& e) {
        throw GroundError(profile::profileMessage(nameOf(source), e));
    }
}

profile::ProfileSettings groundSettings(const Ground& ground, double mast1M, double mast2M) {
    try {
        return profile::deriveSettings(ground.points, mast1M, mast2M);
    } catch (const profile::ProfileError& e) {
        throw GroundError(profile::profileMessage(ground.name, e));
    }
}

}  // namespace tropolink
