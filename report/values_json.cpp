#include "report/values_json.h"

#include "link/pass_figures.h"

namespace tropolink {
namespace {

struct JsonFigures {
    JsonWriter& json;

    void begin(std::string_view name) {
        json.key(name);
        json.beginObject();
    }
    void end() { json.endObject(); }
    void figure(std::string_view name, ColumnVerdict verdict) { json.member(name, verdictName(verdict)); }
    template <class T>
    void figure(std::string_view name, const T& value) {
        json.member(name, value);
    }
};

}  // namespace

void writeValues(JsonWriter& json, const PassValues& v) {
    JsonFigures figures{json};
    json.beginObject();
    visitPassFigures(v, figures);
    json.endObject();
}

}  // namespace tropolink
