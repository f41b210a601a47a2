#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hv {

// One line of a person's test list, as shown.
struct TestRecordRow {
    int measId = 0;
    std::string date; // "YYYY-MM-DD" of the test
    std::string time; // "HH:MM:SS" of the test
    std::string name;
    std::string age; // whole years now, empty when the birthday is unknown
    std::string sex; // "Male" or "Female"
};

// The person's tests, newest first, with the age as of now (an automation date); nullopt
// when the database could not be read (already reported).
std::optional<std::vector<TestRecordRow>> LoadTestRecords(int examerId, double now);

// Deletes the given tests as one change. The analysis values stored under their keys stay.
bool DeleteTests(const std::vector<int>& measIds);

} // namespace hv
