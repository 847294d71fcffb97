#include "cli/origin.h"

#include <algorithm>
#include <ctime>

#include "version.h"

namespace cli {
namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
long DaysFromCivil(long year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long MinutesOf(const std::tm& t) {
    return (DaysFromCivil(t.tm_year + 1900L, t.tm_mon + 1, t.tm_mday) * 24 + t.tm_hour) * 60 +
           t.tm_min;
}

} // namespace

const std::vector<Option>& CaseOptions() {
    static const std::vector<Option> options = [] {
        std::vector<Option> list;
        for (const core::CaseField& field : core::kCaseFields)
            list.push_back({field.option, field.label, "текст"});
        return list;
    }();
    return options;
}

bool IsCaseOption(std::string_view name) {
    return std::any_of(core::kCaseFields.begin(), core::kCaseFields.end(),
                       [&](const core::CaseField& field) { return field.option == name; });
}

core::CaseDetails CaseDetailsOf(const Values& values) {
    core::CaseDetails details;
    for (const core::CaseField& field : core::kCaseFields)
        if (auto given = values.find(field.option); given != values.end())
            details.*field.member = given->second;
    return details;
}

bool AnyCaseDetail(const core::CaseDetails& details) {
    return std::any_of(core::kCaseFields.begin(), core::kCaseFields.end(),
                       [&](const core::CaseField& field) {
                           return !core::CaseText(details.*field.member).empty();
                       });
}

std::optional<core::LocalTime> Now() {
    const std::time_t now = std::time(nullptr);
    // Copied at once: the two calls share the library's one buffer, and this program runs on
    // one thread.
    const std::tm* inZone = std::localtime(&now);
    if (now == std::time_t(-1) || !inZone) return std::nullopt;
    const std::tm local = *inZone;
    const std::tm* inUtc = std::gmtime(&now);
    if (!inUtc) return std::nullopt;
    const std::tm utc = *inUtc;
    return core::LocalTime{local.tm_year + 1900,
                           local.tm_mon + 1,
                           local.tm_mday,
                           local.tm_hour,
                           local.tm_min,
                           std::min(local.tm_sec, 59), // a leap second as the last of its minute
                           static_cast<int>(MinutesOf(local) - MinutesOf(utc))};
}

core::RecordOrigin OriginOf(const Values& values, const std::optional<core::LocalTime>& now) {
    return {CaseDetailsOf(values), now, "«" + std::string(core::kProgramName) + "» (kvarnet-calc)",
            KVARNET_VERSION};
}

} // namespace cli
