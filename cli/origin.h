#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "cli/calculation.h"
#include "core/record.h"

// What the command line puts in a record's header: the case details given as options or batch
// columns, the time of the run and the program.
namespace cli {

// The options --case, --expert, --organisation and --note, which every calculation takes; in a
// batch file, the columns of the same names.
const std::vector<Option>& CaseOptions();
bool IsCaseOption(std::string_view name);

// The case details among the given values.
core::CaseDetails CaseDetailsOf(const Values& values);

// Whether any detail is given (not only spaces).
bool AnyCaseDetail(const core::CaseDetails& details);

// The machine's local time now, with its offset from UTC; nothing when the system cannot tell.
std::optional<core::LocalTime> Now();

// The header of a record computed at `now` from `values`.
core::RecordOrigin OriginOf(const Values& values, const std::optional<core::LocalTime>& now);

} // namespace cli
