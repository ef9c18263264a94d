#pragma once

#include "engine/search/search_report.h"
#include "protocol/output.h"

namespace korvane {

// Writes the search report as MESSAGE lines: a header, one row per finished
// iteration and the principal variation.
class ReportPrinter final : public SearchReporter {
public:
    explicit ReportPrinter(Output& writer) : output(writer) {}

    void searchStarted() override;
    void iterationFinished(const IterationReport& report) override;
    void principalVariation(const PvList& pv) override;

private:
    Output& output;
};

}  // namespace korvane
