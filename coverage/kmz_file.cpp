#include <minizip/zip.h>

#include <cmath>
#include <cstdio>

#include "coverage/coverage_picture.h"
#include "coverage/metadata_text.h"
#include "io/file_output.h"
#include "plot/svg_writer.h"

namespace tropolink::coverage {
namespace {

// Into -180..180, as KML wants its longitudes.
double kmlLongitude(double lonDeg) { return std::remainder(lonDeg, 360.0); }

std::string element(const char* tag, const std::string& text) {
    std::string out = std::string("<") + tag + ">";
    plot::appendEscaped(out, text);
    return out + "</" + tag + ">";
}

std::string kml(const PictureInput& in) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n";
    out += element("name", in.title) + "\n";
    out += "<GroundOverlay>\n" + element("name", in.title) + "\n<color>c8ffffff</color>\n";
    out += "<Icon><href>map.png</href></Icon>\n<LatLonBox>";
    out += element("north", metadataNumber(in.northDeg)) + element("south", metadataNumber(in.southDeg));
    out += element("east", metadataNumber(kmlLongitude(in.eastDeg)));
    out += element("west", metadataNumber(kmlLongitude(in.westDeg)));
    out += "</LatLonBox>\n</GroundOverlay>\n";
    out += "<ScreenOverlay>\n<name>Legend</name>\n<Icon><href>legend.png</href></Icon>\n";
    out += "<overlayXY x=\"0\" y=\"0\" xunits=\"fraction\" yunits=\"fraction\"/>\n";
    out += "<screenXY x=\"0.01\" y=\"0.04\" xunits=\"fraction\" yunits=\"fraction\"/>\n";
    out += "<size x=\"0\" y=\"0\" xunits=\"pixels\" yunits=\"pixels\"/>\n</ScreenOverlay>\n";
    out += "<Placemark>\n<name>Site</name>\n<Point>";
    out += element("coordinates", metadataNumber(in.site.lonDeg) + "," + metadataNumber(in.site.latDeg) + ",0");
    out += "</Point>\n</Placemark>\n</Document>\n</kml>\n";
    return out;
}

void addEntry(zipFile zip, const std::string& shownPath, const char* name, const std::string& bytes, bool compress) {
    // A fixed time, so that the same pictures make the same archive.
    zip_fileinfo info{};
    info.tmz_date.tm_year = 1980;
    info.tmz_date.tm_mday = 1;
    if (zipOpenNewFileInZip(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, compress ? Z_DEFLATED : 0,
                            compress ? Z_DEFAULT_COMPRESSION : 0) != ZIP_OK ||
        zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size())) != ZIP_OK ||
        zipCloseFileInZip(zip) != ZIP_OK)
        throw WriteError({shownPath, "write", {}, std::string("cannot add ") + name + " to the archive"});
}

}  // namespace

void writeKmz(const std::string& path, const std::string& shownPath, const PictureInput& input,
              const Pictures& pictures) {
    zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (zip == nullptr) throw WriteError({shownPath, "write", {}, "cannot create the archive"});
    try {
        // Google Earth reads the first .kml entry; PNGs are compressed already.
        addEntry(zip, shownPath, "doc.kml", kml(input), true);
        addEntry(zip, shownPath, "map.png", pictures.overlayPng, false);
        addEntry(zip, shownPath, "legend.png", pictures.legendPng, false);
    } catch (...) {
        zipClose(zip, nullptr);
        throw;
    }
    if (zipClose(zip, nullptr) != ZIP_OK) throw WriteError({shownPath, "write", {}, "cannot finish the archive"});
}

}  // namespace tropolink::coverage
