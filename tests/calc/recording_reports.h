#pragma once

#include <vector>

#include "calc/report.h"

namespace calc {

/// Keeps the reports of an evaluation for a test to inspect.
class RecordingReports final : public ReportSink {
 public:
  void print_report(Report report) override { reports.push_back(report); }
  std::vector<Report> reports;
};

}  // namespace calc
