#include <gtest/gtest.h>

#include <string>

#include "core/avoidance.h"
#include "core/braking.h"
#include "core/exact.h"
#include "core/numeric.h"
#include "core/record.h"
#include "core/video.h"

using namespace core;

namespace {

// The edges of the path diagram, recomputed on their own: the terms of the stopping distance
// taken one by one, for a single value each; the stop and the target are the record's own.
TEST(PathDiagram, PedestrianEdgesAreTheStoppingDistanceTerms) {
    CalculationRecord record;
    const PedestrianResults results =
        ComputePedestrian({"60", "0,8", "0,2", "0,3", "6,8", "3", "5"}, &record);
    const PathDiagram* diagram = &results.path;
    ASSERT_EQ(diagram->edges.size(), 4u);
    // 60 km/h is 50/3 m/s: 0,8 s → 13,333 m; 1,0 s → 16,667 m; 1,15 s → 19,167 m.
    EXPECT_EQ(diagram->edges[0].text, "13,3");
    EXPECT_EQ(diagram->edges[1].text, "16,7");
    EXPECT_EQ(diagram->edges[2].text, "19,2");
    EXPECT_DOUBLE_EQ(diagram->edges[2].low, 50.0 / 3 * 1.15);
    // The rise edge plus V²/(26·j) is the stopping distance, which the diagram shows as the
    // record does, to 0,1 m.
    const Exact braking = Exact::Whole(3600) / (Exact::Whole(26) * Exact::Ratio(68, 10));
    EXPECT_NEAR(diagram->edges[2].low + ToDouble(braking), diagram->edges[3].low, 0.05);
    EXPECT_EQ(diagram->edges[3].text, results.stoppingDistance);
    EXPECT_EQ(diagram->target.text, results.distanceAtDanger);
    EXPECT_EQ(diagram->target.symbol, "Sa");
    const std::string words = PathDiagramText(*diagram);
    EXPECT_NE(words.find("Реакция водителя t1 — до 13,3 м"), std::string::npos) << words;
    EXPECT_NE(words.find("место наезда Sa — " + results.distanceAtDanger + " м."),
              std::string::npos)
        << words;
}

// Over ranges each edge goes from its value at the lower ends to its value at the upper ends,
// and the stop and the target are the record's ranges as shown.
TEST(PathDiagram, RangesSpreadEachEdge) {
    CalculationRecord record;
    const ObstacleResults results =
        ComputeObstacle({"54..72", "0,6..1,4", "0,2", "0,3", "6,8", "35..45"}, &record);
    const PathDiagram* diagram = &results.path;
    // 54 km/h × 0,6 s = 9 m, 72 km/h × 1,4 s = 28 m.
    EXPECT_EQ(diagram->edges[0].text, "9…28");
    EXPECT_DOUBLE_EQ(diagram->edges[0].low, 9);
    EXPECT_DOUBLE_EQ(diagram->edges[0].high, 28);
    EXPECT_EQ(diagram->edges[3].text, results.stoppingDistance);
    EXPECT_EQ(diagram->target.text, "35…45");
    EXPECT_EQ(diagram->target.symbol, "Sв");
    for (const PathMark& edge : diagram->edges)
        EXPECT_LE(edge.low, edge.high) << edge.key;
}

// The text record says the diagram in words, after the results; a record without one, as the
// command line makes it, is as it was.
TEST(PathDiagram, TextRecordSaysItInWords) {
    CalculationRecord record;
    const ObstacleResults results =
        ComputeObstacle({"60", "0,8", "0,2", "0,3", "6,8", "40"}, &record);
    const std::string plain = RecordText(record);
    EXPECT_EQ(plain.find("\nСхема\n"), std::string::npos);
    record.diagram = results.path;
    const std::string text = RecordText(record);
    const std::size_t diagram = text.find("\nСхема\n  " + PathDiagramText(*record.diagram) + "\n");
    ASSERT_NE(diagram, std::string::npos) << text;
    EXPECT_GT(diagram, text.find("\nРезультаты\n"));
    EXPECT_LT(diagram, text.find("\nПримечания\n"));
}

// The stop on the diagram is where the step's own stopping distance ends, to the last digit the
// step keeps; the rise edge is V / 3,6 × the lag the step keeps; the stop edge, less the rise
// edge, is the braking term V² / (26 × j).
TEST(PathDiagram, EdgesAreTheStepsExactValues) {
    CalculationRecord record;
    // t3 / 2 = 0,00015 s, kept as 0,0001: the rise edge takes the kept lag, as Sо does.
    const ObstacleResults results =
        ComputeObstacle({"72", "0,8", "0,2", "0,0003", "6,8", "40"}, &record);
    const auto step = [&](std::string_view key) {
        for (const RecordStep& s : record.steps)
            if (s.key == key) return s.value;
        return std::string();
    };
    ASSERT_EQ(step("lag_s"), "1,0001");
    const std::vector<PathMark>& edges = results.path.edges;
    EXPECT_DOUBLE_EQ(edges[2].low, 20 * 1.0001);
    EXPECT_NEAR(edges[3].low, ToDouble(ParseFixed4(step("stopping_distance_m"))), 0.00005);
    const double braking = 72.0 * 72 / (26 * 6.8);
    EXPECT_NEAR(edges[3].low - edges[2].low, braking, 1e-9);
}

} // namespace
