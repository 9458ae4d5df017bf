#include "plot/sample_function.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../calc/recording_reports.h"
#include "calc/evaluation_abandoned.h"
#include "calc/quit_requested.h"

namespace calc {
namespace {

TEST(SampleFunction, EvaluatesTheSubstitutedTextAtAccumulatedSteps) {
  const struct {
    const char* expression;
    double start, end;
    int count;
    std::vector<double> xs, ys;
  } cases[] = {
      {"x*x", -1, 1, 3, {-1, 0, 1}, {1, 0, 1}},
      {"x*x", 1, -1, 3, {1, 0, -1}, {1, 0, 1}},       // backwards: a negative step
      {"x+1", 2, 2, 3, {2, 2, 2}, {3, 3, 3}},         // one x for every sample
      {"7", 0, 1, 2, {0, 1}, {7, 7}},                 // no x at all
      {"2x", 0.5, 1.5, 2, {0.5, 1.5}, {20.5, 21.5}},  // "2" joins the number text
  };
  for (const auto& c : cases) {
    RecordingReports reports;
    PlotSamples samples;
    ASSERT_EQ(sample_function(c.expression, c.start, c.end, c.count, reports, samples),
              SamplingOutcome::SAMPLED)
        << c.expression;
    EXPECT_EQ(samples.xs, c.xs) << c.expression;
    EXPECT_EQ(samples.ys, c.ys) << c.expression;
    EXPECT_TRUE(reports.reports.empty()) << c.expression;
  }
}

TEST(SampleFunction, AccumulatesTheStepRatherThanMultiplying) {
  RecordingReports reports;
  PlotSamples samples;
  ASSERT_EQ(sample_function("x", 0, 1, 11, reports, samples), SamplingOutcome::SAMPLED);
  double x = 0;
  for (int i = 1; i < 11; ++i) x += 0.1;
  EXPECT_EQ(samples.xs.back(), x);
  EXPECT_NE(samples.xs.back(), 1.0);
  EXPECT_EQ(samples.ys.back(), 1.0);  // the number text rounds to ten decimals
}

TEST(SampleFunction, ReportsEveryFailingSampleAndPassesAbandonmentOn) {
  RecordingReports reports;
  PlotSamples samples;
  ASSERT_EQ(sample_function("1/x", -1, 1, 3, reports, samples), SamplingOutcome::SAMPLED);
  EXPECT_EQ(reports.reports, std::vector<Report>{Report::DIVISION_BY_ZERO});
  EXPECT_TRUE(std::isnan(samples.ys[1]));

  reports.reports.clear();
  EXPECT_THROW(sample_function("exp(x)", 0, 1, 5, reports, samples), EvaluationAbandoned);
  EXPECT_EQ(reports.reports, std::vector<Report>{Report::MISSING_OPERATOR});  // only once
  EXPECT_THROW(sample_function("X+x", 0, 1, 5, reports, samples), EvaluationAbandoned);
  EXPECT_THROW(sample_function("q", 0, 1, 5, reports, samples), QuitRequested);
}

TEST(SampleFunction, RefusesSubstitutedTextsOver999CharactersBeforeEvaluating) {
  std::string expression = "1/0";
  for (int i = 0; i < 66; ++i) expression += "+x";  // 66 texts of "1000.0000000000"
  RecordingReports reports;
  PlotSamples samples;
  EXPECT_EQ(sample_function(expression, 1, 1000, 2, reports, samples),
            SamplingOutcome::TEXT_TOO_LONG);
  EXPECT_TRUE(reports.reports.empty());  // not even the first sample was evaluated
  EXPECT_EQ(sample_function(expression, 1, 999, 2, reports, samples), SamplingOutcome::SAMPLED);
}

}  // namespace
}  // namespace calc
