#include "data/DatabaseLocation.h"

#include "common/StationSettings.h"

#include <cstdlib>
#include <libpq-fe.h>
#include <map>
#include <memory>

namespace hv {
namespace {

struct ConninfoFree {
    void operator()(PQconninfoOption* options) const { PQconninfoFree(options); }
};
using Conninfo = std::unique_ptr<PQconninfoOption, ConninfoFree>;

// The URI's parts as libpq reads them; nullptr with libpq's reason when it is not one.
Conninfo ParseUrl(std::string_view url, std::string& problem) {
    char* error = nullptr;
    Conninfo options(PQconninfoParse(std::string(url).c_str(), &error));
    if (!options) {
        problem = error ? error : "the URI cannot be read";
        while (!problem.empty() && (problem.back() == '\n' || problem.back() == ' '))
            problem.pop_back();
    }
    PQfreemem(error);
    return options;
}

std::map<std::string, std::string> Parts(const Conninfo& options) {
    std::map<std::string, std::string> parts;
    for (const PQconninfoOption* o = options.get(); o && o->keyword; ++o)
        if (o->val && *o->val)
            parts[o->keyword] = o->val;
    return parts;
}

} // namespace

bool IsServerUrl(std::string_view text) {
    return text.starts_with("postgresql://") || text.starts_with("postgres://");
}

DatabaseLocation LocationOf(std::string_view text) {
    return {IsServerUrl(text) ? DbEngine::PostgreSQL : DbEngine::SQLite, std::string(text)};
}

DatabaseLocation ConfiguredDatabase() {
    if (const char* named = std::getenv(kDatabaseEnvironment); named && *named)
        return LocationOf(named);
    if (const auto url = ReadStationSetting(kDatabaseSection, kDatabaseUrlKey);
        url && !url->empty())
        return LocationOf(*url);
    return {DbEngine::SQLite, kLocalDatabasePath};
}

std::string DescribeDatabase(const DatabaseLocation& location) {
    if (location.engine == DbEngine::SQLite)
        return location.target;
    std::string problem;
    const Conninfo options = ParseUrl(location.target, problem);
    if (!options)
        return "a server (" + problem + ")";
    std::map<std::string, std::string> parts = Parts(options);
    std::string host = parts.count("host") ? parts["host"] : parts["hostaddr"];
    if (host.empty())
        host = "the local server";
    if (parts.count("port"))
        host += ":" + parts["port"];
    const std::string database = parts.count("dbname") ? parts["dbname"] : parts["user"];
    return (database.empty() ? std::string("the default database") : database) + " on " + host;
}

bool UrlHoldsPassword(std::string_view url) {
    std::string problem;
    const Conninfo options = ParseUrl(url, problem);
    return options && Parts(options).count("password") > 0;
}

std::optional<std::string> ServerUrlProblem(std::string_view url) {
    if (!IsServerUrl(url))
        return std::string("it does not start with postgresql://");
    std::string problem;
    const Conninfo options = ParseUrl(url, problem);
    if (!options)
        return problem;
    // libpq reads the port only when it connects; a port that is not a number is a typing
    // error to report now.
    std::map<std::string, std::string> parts = Parts(options);
    const std::string& port = parts["port"];
    if (port.find_first_not_of("0123456789,") != std::string::npos)
        return "the port \"" + port + "\" is not a number";
    return std::nullopt;
}

} // namespace hv
