#pragma once

#include "data/AdoDb.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace hv {

enum class SexFilter { Any, Male, Female };

// What the operator typed into the search form. Empty texts and SexFilter::Any set no
// condition.
struct SearchCriteria {
    std::string name; // contained in Name
    SexFilter sex = SexFilter::Any;
    std::string height;     // equals Height
    std::string weight;     // equals Weight
    std::string mobile;     // contained in Mobile
    std::string telephone;  // contained in Telephone
    std::string company;    // contained in Company
    std::string occupation; // contained in Job
    std::string address;    // contained in Address

    bool IsEmpty() const;
};

// The query of a search: every given condition joined with "and", newest person first.
// Typed texts travel only as bound values and are matched literally: a quote, "%" or "_"
// stands for itself.
struct SearchQuery {
    std::string sql;
    DbParams params;
};
SearchQuery BuildSearchQuery(const SearchCriteria& criteria, DbEngine engine);

// One row of the result list.
struct SearchHit {
    int examerId = 0;
    std::string name;
    bool male = true;
    std::optional<double> birthday;
    std::string height;
    std::string weight;
    std::string mobile;
};

// The eight cells of a result row: running number from 1, key, name, "M" or "F",
// birthday, height with " cm", weight with " kg", mobile.
std::array<std::string, 8> SearchRowTexts(const SearchHit& hit, int index);

// Runs the search; nullopt when the database could not be read (already reported).
std::optional<std::vector<SearchHit>> SearchPersons(const SearchCriteria& criteria);

} // namespace hv
