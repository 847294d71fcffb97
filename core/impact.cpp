#include "core/impact.h"

#include <array>
#include <vector>

#include "core/braking.h"
#include "core/exact.h"
#include "core/numeric.h"
#include "core/range.h"
#include "core/record_writer.h"

namespace core {
namespace {

constexpr const InputDescriptor* kImpactInputs[] = {&input::kInitialSpeed, &input::kRise,
                                                    &input::kDeceleration, &input::kSkid};

constexpr std::string_view kTitle = "Скорость в момент удара по следу торможения до места удара";
constexpr std::string_view kMethod =
    "методика определения скорости в момент удара по скорости в начале торможения и длине следа "
    "торможения до места удара: энергия, погашенная на следе, вычитается из энергии в начале "
    "полного торможения";

void ImpactAt(const std::vector<std::string>& texts, CalculationRecord* record) {
    RecordWriter rec(record, "impact", std::string(kTitle));
    rec.Methodology(kMethod);
    const auto values = rec.ReadInputs(
        std::array<std::string_view, 4>{texts[0], texts[1], texts[2], texts[3]}, kImpactInputs);
    const Fixed4 v = values[IndexOf(ImpactInput::StartSpeed)],
                 t3 = values[IndexOf(ImpactInput::Rise)],
                 j = values[IndexOf(ImpactInput::Deceleration)],
                 s = values[IndexOf(ImpactInput::Skid)];
    try {
        // 1,8·t3·j km/h is j·t3/2 m/s: the speed lost while the deceleration rises.
        const Exact loss = Exact::Ratio(18, 10) * Exact::Of(t3) * Exact::Of(j);
        if (rec)
            rec.Step("rise_loss_kmh", "Снижение скорости за время нарастания замедления",
                     "1,8 × t3 × j", "1,8 × " + Text(t3) + " × " + Text(j), Round(loss, 4), "км/ч");
        const Exact speed = Exact::Of(v);
        if (speed <= loss)
            throw NumericError(NumericErrorKind::StopsBeforeImpact,
                               IndexOf(ImpactInput::StartSpeed));
        const Exact left = speed - loss;
        const Exact argument = left * left - Exact::Ratio(2592, 100) * Exact::Of(j) * Exact::Of(s);
        if (argument.Sign() < 0)
            throw NumericError(NumericErrorKind::StopsBeforeImpact,
                               IndexOf(ImpactInput::StartSpeed));
        const Fixed4 impact = RoundedRoot(argument, 4);
        if (rec)
            rec.Step("impact_speed_kmh", "Скорость в момент удара",
                     "Vу = √((V − 1,8 × t3 × j)² − 25,92 × j × S)",
                     "√((" + Text(v) + " − 1,8 × " + Text(t3) + " × " + Text(j) + ")² − 25,92 × " +
                         Text(j) + " × " + Text(s) + ")",
                     impact, "км/ч");
        rec.Result("impact_speed_kmh", "Скорость в момент удара", ResultText(impact), "км/ч");
        rec.Finish();
    } catch (const NumericError& error) {
        throw BlameOverflow(error, values);
    }
}

} // namespace

InputList ImpactInputList() {
    return kImpactInputs;
}

ImpactResults ComputeImpact(const ImpactInputs& in, CalculationRecord* record) {
    const InputList inputs = ImpactInputList();
    const std::string texts[] = {in.speed, in.t3, in.j, in.skid};
    const std::vector<InputValue> values = ReadInputValues(texts, inputs);
    std::vector<CalculationRecord> corners;
    ForEachCorner(
        values, [&](const std::vector<std::string>& at) { ImpactAt(at, &corners.emplace_back()); });
    CalculationRecord merged = MergeCorners(std::move(corners), values, inputs);
    ImpactResults results{merged.results.front().text};
    if (record) *record = std::move(merged);
    return results;
}

} // namespace core
